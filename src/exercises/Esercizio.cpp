#include "Esercizio.h"

#include "Accettazione.h"
#include "Adattamento.h"
#include "CaricatoreImmagini.h"
#include "ModuloColoriSuoni.h"
#include "Piattaforma.h"
#include "Traccia.h"
#include "TracciaFinestre.h"
#include "Widgets.h"

#include <QAction>
#include <QLayout>
#include <QMenuBar>
#include <QWindow>

namespace quirlo {

Esercizio::Esercizio(const ConfigurazioneEsercizio &config, QWidget *parent)
    : QMainWindow(parent), config_(config), partita_(config.regole) {
  preparaFinestra(this, config_.schermata);
  auto *cliente = new QWidget(this);
  controlli_ = costruisciControlli(config_.schermata, cliente);
  setCentralWidget(cliente);
  menu_ = costruisciMenu(config_.schermata, this);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adattatore_ = new Adattatore(this, cliente, config_.schermata, controlli_, menuBar());
  // Drawings are decoded at the size they are shown, so they stay sharp at any scale.
  connect(adattatore_, &Adattatore::fattoreCambiato, this, [this] { caricaDisegni(false); });
  Piattaforma *p = &piattaforma();
  disegni_ = new CaricatoreImmagini(
      [p](const QString &percorso, QSize dimensione, const std::atomic<bool> &annullata) {
        return p->caricaImmagine(percorso, dimensione, annullata);
      },
      this);
  connect(disegni_, &CaricatoreImmagini::pronta, this, [this](int k, const QImage &immagine) {
    cornice(k)->impostaImmagine(immagine);
    if (disegni_->inArrivo() == 0)
      traccia(QStringLiteral("disegni %1 pronti").arg(objectName()));
  });
  connect(adattatore_, &Adattatore::controlliSpostati, this, [this] { tracciaStato(); });

  collegaCaselle();
  collegaTastiera();
  nominaPerAccessibilita();

  const std::pair<const char *, void (Esercizio::*)()> comandi[] = {
      {"mnuAzzera", &Esercizio::mnuAzzera_Click},       {"mnufacile", &Esercizio::mnufacile_Click},
      {"mnudifficile", &Esercizio::mnudifficile_Click}, {"mnuMaiuscolo", &Esercizio::mnuMaiuscolo_Click},
      {"mnuMinuscolo", &Esercizio::mnuMinuscolo_Click}, {"mnuEsci", &Esercizio::mnuEsci_Click},
  };
  for (const auto &[nome, gestore] : comandi)
    connect(menu(nome), &QAction::triggered, this, gestore);

  // Traced again once on screen: before that the cards' screen places are not known.
  quandoEsposta(this, [this] { tracciaStato(); });
  tracciaTendine(this);
}

QAction *Esercizio::menu(const char *nome) const { return menu_.value(QString::fromUtf8(nome)); }

QLabel *Esercizio::carta(int i) const {
  const CartaEsercizio &c = regole().carte[size_t(i)];
  return controlli_.prendi<QLabel>(QString::fromUtf8(c.nome), c.indice);
}

int Esercizio::indiceCarta(const QLabel *c) const {
  for (int i = 0; i < int(regole().carte.size()); ++i)
    if (carta(i) == c)
      return i;
  return -1;
}

QLabel *Esercizio::casella(int riga, int indice) const {
  return controlli_.prendi<QLabel>(QString::fromUtf8(RigheCaselle[riga]), indice);
}

Immagine *Esercizio::cornice(int k) const { return controlli_.prendi<Immagine>(QStringLiteral("Image1"), k); }

bool Esercizio::Form_Load() {
  const bool difficile = prova_ && prova_->difficile;
  if (!CaricaLista(QString::fromLatin1((difficile ? regole().difficile : regole().facile).file)))
    return false;
  if (difficile) {
    listaDifficile_ = true;
    menu("mnufacile")->setChecked(false);
    menu("mnudifficile")->setChecked(true);
  }
  azzeraConteggio();
  mostraContatori();
  maiuscolo_ = true;
  GeneraEsercizio();
  return true;
}

bool Esercizio::CaricaLista(const QString &nomeLista) {
  const QString avviso = prova_ ? QString() : piattaforma().avvisoCartelle();
  if (!avviso.isEmpty())
    piattaforma().messaggio(avviso, Msg::Avviso);
  EsitoAccettazione esito =
      accettaLista(prova_ ? prova_->cartelle : cartelleDati(), nomeLista, regole().campi(), regole().parole());
  if (!esito.lista) {
    traccia(QStringLiteral("lista rifiutata %1").arg(nomeLista));
    piattaforma().messaggio(esito.rifiuto->messaggio(), Msg::Avviso);
    return false;
  }
  partita_.caricaLista(std::move(*esito.lista));
  traccia(QStringLiteral("lista %1 %2").arg(nomeLista).arg(Globali::NumeroParole));
  return true;
}

void Esercizio::impostaProva(Prova prova) { prova_ = std::move(prova); }

void Esercizio::GeneraEsercizio() {
  deseleziona();
  const int carte = int(regole().carte.size());
  for (int i = 0; i < carte; ++i)
    carta(i)->setText(QString());
  for (int riga = 0; riga < regole().campi(); ++riga)
    for (int k = 0; k < regole().parole(); ++k)
      casella(riga, k)->setText(QString());
  partita_.genera(prova_ ? prova_->preferite : QStringList());
  caricaDisegni(true);
  for (int i = 0; i < carte; ++i)
    if (auto *c = qobject_cast<Etichetta *>(carta(i)))
      c->spostaOrizzontale(config_.sinistra(partita_.posto(i)));
  for (int i = 0; i < carte; ++i)
    carta(i)->setEnabled(true);
  if (maiuscolo_)
    ScriviMaiuscolo();
  else
    ScriviMinuscolo();
  tracciaStato();
}

void Esercizio::caricaDisegni(bool nuovi) {
  if (!partita_.generata())
    return;
  // A drawing that broke after its list was accepted, or that costs more than
  // the decoder's budget, leaves its frame empty.
  for (int k = 0; k < regole().parole(); ++k) {
    Immagine *frame = cornice(k);
    if (nuovi)
      frame->impostaImmagine({});
    frame->setAccessibleName(partita_.parola(k).toLower());
    disegni_->chiedi(k, partita_.disegno(k), frame->dimensioneDecodifica());
  }
  // Ordinary drawings are decoded in a few milliseconds: waiting that long
  // shows them in the exercise's first frame, and no longer keeps a heavy
  // one from holding up a drop. A window not on screen yet waits as it is
  // first exposed instead, so they are decoded while it is being shown.
  if (!isVisible()) {
    attesaAlPrimoFrame_ = true;
    return;
  }
  attendiDisegni(AttesaDisegniMs);
}

void Esercizio::showEvent(QShowEvent *evento) {
  QMainWindow::showEvent(evento);
  if (attesaAlPrimoFrame_ && windowHandle())
    windowHandle()->installEventFilter(this);
}

void Esercizio::attendiDisegni(int ms) { disegni_->attendi(ms); }

qsizetype Esercizio::disegniInArrivo() const { return disegni_->inArrivo(); }

void Esercizio::scriviCarte(bool maiuscole) {
  for (int i = 0; i < int(regole().carte.size()); ++i) {
    const QString &sillaba = partita_.sillabaCarta(i);
    carta(i)->setText(maiuscole ? sillaba.toUpper() : sillaba.toLower());
  }
}

void Esercizio::ScriviMaiuscolo() { scriviCarte(true); }
void Esercizio::ScriviMinuscolo() { scriviCarte(false); }

void Esercizio::lasciaSuRiga(int riga, int Index, QLabel *Source) {
  deseleziona();
  auto *slot = qobject_cast<Casella *>(casella(riga, Index));
  const int i = indiceCarta(Source);
  if (!slot || i < 0 || !Source->isEnabled())
    return;
  switch (partita_.lascia(i, riga, Index, Index == IndiceLegenda)) {
    case Esito::Ignorato:
      return;
    case Esito::Sbagliato:
      ModuloColoriSuoni::SuonoErrato();
      mostraContatori();
      mostraFacce(false);
      break;
    case Esito::Giusto:
    case Esito::Completato:
      ModuloColoriSuoni::SuonoEsatto();
      slot->setText(Source->text());
      Source->setText(QString());
      Source->setEnabled(false);
      mostraFacce(true);
      if (partita_.sillabeGiuste() == int(regole().carte.size())) {
        mostraContatori();
        GeneraEsercizio();
      }
      break;
  }
  tracciaStato();
}

void Esercizio::mostraFacce(bool esatto) {
  controlli_.trova(QStringLiteral("ComandoIconaSi"))->setVisible(esatto);
  controlli_.trova(QStringLiteral("ComandoIconaNo"))->setVisible(!esatto);
}

void Esercizio::mostraContatori() {
  QLabel *errati = controlli_.prendi<QLabel>(QStringLiteral("EtichettaErrati"));
  QLabel *esatti = controlli_.prendi<QLabel>(QStringLiteral("EtichettaEsatti"));
  errati->setText(QString::number(Globali::NumeroErrati));
  esatti->setText(QString::number(Globali::NumeroEsatti));
  // Heard without the legend beside them, the bare numbers would mean nothing.
  errati->setAccessibleName(QStringLiteral("Errati: %1").arg(Globali::NumeroErrati));
  esatti->setAccessibleName(QStringLiteral("Esatti: %1").arg(Globali::NumeroEsatti));
}

void Esercizio::nominaPerAccessibilita() {
  // The caption stays empty; the name is for screen readers only.
  setAccessibleName(regole().campi() == 2 ? QStringLiteral("Quirlo, parole di due sillabe")
                                          : QStringLiteral("Quirlo, parole di tre sillabe"));
  controlli_.trova(QStringLiteral("ComandoIconaSi"))->setAccessibleName(QStringLiteral("faccina contenta: esatto"));
  controlli_.trova(QStringLiteral("ComandoIconaNo"))->setAccessibleName(QStringLiteral("faccina triste: sbagliato"));
  for (int riga = 0; riga < regole().campi(); ++riga)
    for (int k = 0; k < regole().parole(); ++k)
      if (auto *slot = qobject_cast<Casella *>(casella(riga, k)))
        slot->impostaPosizione(riga + 1, k + 1);
}

void Esercizio::mnuAzzera_Click() {
  azzeraConteggio();
  mostraContatori();
  tracciaStato();
}

void Esercizio::scegliLista(bool difficile) {
  QAction *facile = menu("mnufacile");
  QAction *dura = menu("mnudifficile");
  facile->setChecked(!difficile);
  dura->setChecked(difficile);
  // A refused list leaves the old one, the exercise and the marks as they were.
  // The marks can't tell what was chosen: a menu click has already toggled one.
  const catalogo::Lista &lista = difficile ? regole().difficile : regole().facile;
  if (!CaricaLista(QString::fromLatin1(lista.file))) {
    facile->setChecked(!listaDifficile_);
    dura->setChecked(listaDifficile_);
    return;
  }
  listaDifficile_ = difficile;
  GeneraEsercizio();
}

void Esercizio::mnufacile_Click() { scegliLista(false); }
void Esercizio::mnudifficile_Click() { scegliLista(true); }

void Esercizio::scegliCaratteri(bool maiuscole) {
  maiuscolo_ = maiuscole;
  menu("mnuMaiuscolo")->setChecked(maiuscole);
  menu("mnuMinuscolo")->setChecked(!maiuscole);
  GeneraEsercizio();
}

void Esercizio::mnuMaiuscolo_Click() { scegliCaratteri(true); }
void Esercizio::mnuMinuscolo_Click() { scegliCaratteri(false); }

void Esercizio::mnuEsci_Click() {
  if (prova_) {
    close();
    return;
  }
  if (piattaforma().messaggio(QStringLiteral("Vuoi tornare al menù?"), Msg::Domanda) != Msg::RispostaSi)
    return;
  azzeraConteggio();
  Finestre::mostra(TipoFinestra::FormMenu);
  Finestre::scarica(this);
}

}  // namespace quirlo
