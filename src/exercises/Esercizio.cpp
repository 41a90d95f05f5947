#include "Esercizio.h"

#include "Accettazione.h"
#include "Adattamento.h"
#include "ModuloColoriSuoni.h"
#include "Piattaforma.h"
#include "Traccia.h"
#include "Widgets.h"

#include <QAction>
#include <QDir>
#include <QLayout>
#include <QMenuBar>
#include <algorithm>
#include <cmath>

namespace quirlo {

Esercizio::Esercizio(const ConfigurazioneEsercizio &config, QWidget *parent) : QMainWindow(parent), config_(config) {
  preparaFinestra(this, config_.schermata);
  auto *cliente = new QWidget(this);
  controlli_ = costruisciControlli(config_.schermata, cliente);
  setCentralWidget(cliente);
  menu_ = costruisciMenu(config_.schermata, this);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adattatore_ = new Adattatore(this, cliente, config_.schermata, controlli_, menuBar());
  // Drawings are decoded at the size they are shown, so they stay sharp at any scale.
  connect(adattatore_, &Adattatore::fattoreCambiato, this, [this] { caricaDisegni(); });
  connect(adattatore_, &Adattatore::controlliSpostati, this, [this] { tracciaStato(); });

  for (int riga = 0; riga < config_.campi; ++riga)
    for (QWidget *w : controlli_.elementi(QString::fromUtf8(RigheCaselle[riga])))
      if (auto *slot = qobject_cast<Casella *>(w))
        slot->impostaGestore([this, riga](int indice, QLabel *sorgente) { lasciaSuRiga(riga, indice, sorgente); });
  collegaSelezione();
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
  const CartaEsercizio &c = config_.carte[size_t(i)];
  return controlli_.prendi<QLabel>(QString::fromUtf8(c.nome), c.indice);
}

QLabel *Esercizio::casella(int riga, int indice) const {
  return controlli_.prendi<QLabel>(QString::fromUtf8(RigheCaselle[riga]), indice);
}

Immagine *Esercizio::cornice(int k) const { return controlli_.prendi<Immagine>(QStringLiteral("Image1"), k); }

bool Esercizio::Form_Load() {
  if (!CaricaLista(QString::fromUtf8(config_.listaFacile)))
    return false;
  Globali::NumeroEsatti = 0;
  Globali::NumeroErrati = 0;
  mostraContatori();
  maiuscolo_ = true;
  GeneraEsercizio();
  return true;
}

bool Esercizio::CaricaLista(const QString &nomeLista) {
  const QStringList cartelle = cartelleDati();
  EsitoAccettazione esito = accettaLista(cartelle, nomeLista, config_.campi, config_.parole);
  if (!esito.lista) {
    traccia(QStringLiteral("lista rifiutata %1").arg(nomeLista));
    QString testo = esito.rifiuto->messaggio();
    // The teacher's own copy hides the program's: say where to mend it.
    if (cartelle.size() > 1 && cartellaDellaLista(cartelle, nomeLista) == 0)
      testo += QStringLiteral(
                   "\n\nÈ la lista della tua cartella personale, \u00AB%1\u00BB: correggila lì, "
                   "oppure cancellala per usare quella del programma.")
                   .arg(QDir::toNativeSeparators(cartelle.first()));
    piattaforma().messaggio(testo, Msg::Avviso);
    return false;
  }
  // Entries above the new count keep older words; they are never drawn.
  const ListaAccettata &lista = *esito.lista;
  Globali::NumeroParole = 0;
  for (const Parola &parola : lista.parole) {
    ++Globali::NumeroParole;
    for (int campo = 0; campo < config_.campi; ++campo)
      sillabe_[size_t(campo)][size_t(Globali::NumeroParole)] = parola.sillabe[campo];
    disegni_[size_t(Globali::NumeroParole)] = lista.disegni[Globali::NumeroParole - 1];
  }
  traccia(QStringLiteral("lista %1 %2").arg(nomeLista).arg(Globali::NumeroParole));
  return true;
}

std::int16_t Esercizio::estraiParola() {
  const int n = Globali::NumeroParole;
  return std::int16_t(std::clamp(int(std::floor(piattaforma().casuale() * n)) + 1, 1, n));
}

void Esercizio::GeneraEsercizio() {
  deseleziona();
  sillabeGiuste_ = 0;
  for (int i = 0; i < int(config_.carte.size()); ++i)
    carta(i)->setText(QString());
  for (int riga = 0; riga < config_.campi; ++riga)
    for (int k = 0; k < config_.parole; ++k)
      casella(riga, k)->setText(QString());

  // Each word is drawn again until it differs from those before it. Lists are
  // refused unless they hold enough words, so this always ends.
  for (int k = 0; k < config_.parole; ++k) {
    std::int16_t scelta = 0;
    do
      scelta = estraiParola();
    while (std::find(scelte_.begin(), scelte_.begin() + k, scelta) != scelte_.begin() + k);
    scelte_[size_t(k)] = scelta;
  }

  caricaDisegni();

  const int carte = int(config_.carte.size());
  const int riga = std::clamp(int(std::floor(piattaforma().casuale() * RigheDisposizioni)), 0, RigheDisposizioni - 1);
  for (int i = 0; i < carte; ++i)
    if (auto *c = qobject_cast<Etichetta *>(carta(i)))
      c->spostaOrizzontale(config_.sinistra(config_.disposizioni[size_t(riga * carte + i)]));
  for (int i = 0; i < carte; ++i)
    carta(i)->setEnabled(true);
  if (maiuscolo_)
    ScriviMaiuscolo();
  else
    ScriviMinuscolo();
  tracciaStato();
}

void Esercizio::caricaDisegni() {
  if (scelte_[0] == 0)
    return;  // no exercise drawn yet
  // A drawing that broke after its list was accepted leaves its frame empty.
  for (int k = 0; k < config_.parole; ++k) {
    Immagine *frame = cornice(k);
    const std::int16_t scelta = scelte_[size_t(k)];
    frame->impostaImmagine(piattaforma().caricaImmagine(disegni_[size_t(scelta)], frame->dimensioneDecodifica()));
    QString parola;
    for (int campo = 0; campo < config_.campi; ++campo)
      parola += sillabe_[size_t(campo)][size_t(scelta)];
    frame->setAccessibleName(parola.toLower());
  }
}

void Esercizio::scriviCarte(bool maiuscole) {
  for (int i = 0; i < int(config_.carte.size()); ++i) {
    const CartaEsercizio &c = config_.carte[size_t(i)];
    const QString &sillaba = sillabe_[size_t(c.sillaba)][size_t(scelte_[size_t(c.parola)])];
    carta(i)->setText(maiuscole ? sillaba.toUpper() : sillaba.toLower());
  }
}

void Esercizio::ScriviMaiuscolo() { scriviCarte(true); }
void Esercizio::ScriviMinuscolo() { scriviCarte(false); }

QString Esercizio::atteso(int riga, int Index) const {
  if (Index < 0 || Index >= config_.parole)
    return {};
  return sillabe_[size_t(riga)][size_t(scelte_[size_t(Index)])].toUpper();
}

void Esercizio::lasciaSuRiga(int riga, int Index, QLabel *Source) {
  deseleziona();
  auto *slot = qobject_cast<Casella *>(casella(riga, Index));
  if (!slot || !Source || !Source->isEnabled())
    return;
  // The legends expect nothing, so every drop on them is wrong.
  const bool legenda = Index == IndiceLegenda;
  // Judged by the syllable the card carries, not by what it shows: lower case
  // does not turn back into the same upper case for every letter (ẞ, İ).
  QString portata = Source->text();
  for (int i = 0; i < int(config_.carte.size()); ++i)
    if (carta(i) == Source) {
      const CartaEsercizio &c = config_.carte[size_t(i)];
      portata = sillabe_[size_t(c.sillaba)][size_t(scelte_[size_t(c.parola)])];
    }
  if (!legenda && atteso(riga, Index) == portata.toUpper())
    dropGiusto(slot, Source);
  else
    dropSbagliato();
  tracciaStato();
}

void Esercizio::dropGiusto(Casella *slot, QLabel *carta) {
  ModuloColoriSuoni::SuonoEsatto();
  slot->setText(carta->text());
  carta->setText(QString());
  ++sillabeGiuste_;
  carta->setEnabled(false);
  mostraFacce(true);
  if (sillabeGiuste_ == int(config_.carte.size())) {
    incrementa(Globali::NumeroEsatti);
    mostraContatori();
    GeneraEsercizio();
  }
}

void Esercizio::dropSbagliato() {
  ModuloColoriSuoni::SuonoErrato();
  incrementa(Globali::NumeroErrati);
  mostraContatori();
  mostraFacce(false);
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
  setAccessibleName(config_.campi == 2 ? QStringLiteral("Quirlo, parole di due sillabe")
                                       : QStringLiteral("Quirlo, parole di tre sillabe"));
  controlli_.trova(QStringLiteral("ComandoIconaSi"))->setAccessibleName(QStringLiteral("faccina contenta: esatto"));
  controlli_.trova(QStringLiteral("ComandoIconaNo"))->setAccessibleName(QStringLiteral("faccina triste: sbagliato"));
  for (int riga = 0; riga < config_.campi; ++riga)
    for (int k = 0; k < config_.parole; ++k)
      if (auto *slot = qobject_cast<Casella *>(casella(riga, k)))
        slot->impostaPosizione(riga + 1, k + 1);
}

void Esercizio::mnuAzzera_Click() {
  Globali::NumeroEsatti = 0;
  Globali::NumeroErrati = 0;
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
  if (!CaricaLista(QString::fromUtf8(difficile ? config_.listaDifficile : config_.listaFacile))) {
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
  if (piattaforma().messaggio(QStringLiteral("Vuoi tornare al menù?"), Msg::Domanda) != Msg::RispostaSi)
    return;
  Globali::NumeroEsatti = 0;
  Globali::NumeroErrati = 0;
  Finestre::mostra(TipoFinestra::FormMenu);
  Finestre::scarica(this);
}

void Esercizio::tracciaStato() const {
  if (!tracciaAttiva())
    return;
  QStringList carte;
  for (int i = 0; i < int(config_.carte.size()); ++i) {
    const QLabel *c = carta(i);
    const QPoint centro = c->mapToGlobal(c->rect().center());
    carte << QStringLiteral("%1|%2|%3|%4|%5").arg(c->objectName(), c->text()).arg(c->isEnabled() ? 1 : 0)
                 .arg(centro.x()).arg(centro.y());
  }
  QStringList caselle;
  for (int riga = 0; riga < config_.campi; ++riga)
    for (int k = 0; k < config_.parole; ++k) {
      const QLabel *s = casella(riga, k);
      const QPoint centro = s->mapToGlobal(s->rect().center());
      caselle << QStringLiteral("%1|%2|%3|%4|%5").arg(s->objectName(), s->text(), atteso(riga, k))
                     .arg(centro.x()).arg(centro.y());
    }
  traccia(QStringLiteral("stato %1 esatti=%2 errati=%3 giuste=%4 si=%5 no=%6 carte=%7 caselle=%8")
              .arg(objectName())
              .arg(Globali::NumeroEsatti)
              .arg(Globali::NumeroErrati)
              .arg(sillabeGiuste_)
              .arg(controlli_.trova(QStringLiteral("ComandoIconaSi"))->isHidden() ? 0 : 1)
              .arg(controlli_.trova(QStringLiteral("ComandoIconaNo"))->isHidden() ? 0 : 1)
              .arg(carte.join(QLatin1Char(';')), caselle.join(QLatin1Char(';'))));
}

}  // namespace quirlo
