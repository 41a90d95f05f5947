#include "PaginaLista.h"

#include "Cornice.h"
#include "Domande.h"
#include "FinestraParola.h"
#include "Miniature.h"
#include "ModelloParole.h"
#include "ProvaEsercizio.h"
#include "Scrittura.h"
#include "Sillabazione.h"
#include "TestoVisibile.h"
#include "Traccia.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace quirlo::editor {

PaginaLista::PaginaLista(const Cartelle &cartelle, const catalogo::Lista &lista, Miniature *miniature, QWidget *parent)
    : QWidget(parent), cartelle_(cartelle), lista_(lista), miniature_(miniature) {
  setObjectName(QString::fromLatin1(lista.file).chopped(4));
  titolo_ = new QLabel;
  titolo_->setTextFormat(Qt::RichText);
  stato_ = new QLabel;
  stato_->setWordWrap(true);
  stato_->setObjectName(QStringLiteral("stato"));
  modello_ = new ModelloParole(miniature, this);
  vista_ = new QListView;
  vista_->setObjectName(QStringLiteral("parole"));
  vista_->setAccessibleName(QStringLiteral("Parole della lista %1").arg(QString::fromUtf8(lista.nome)));
  vista_->setViewMode(QListView::IconMode);
  vista_->setResizeMode(QListView::Adjust);
  vista_->setMovement(QListView::Static);
  vista_->setUniformItemSizes(true);
  vista_->setWordWrap(true);
  const QSize miniatura = cornice(lista) * 3 / 4;
  vista_->setIconSize(miniatura);
  vista_->setGridSize(miniatura + QSize(28, 40));
  vista_->setSpacing(4);
  vista_->setModel(modello_);

  auto *aggiungi = new QPushButton(QStringLiteral("&Aggiungi una parola..."));
  aggiungi->setObjectName(QStringLiteral("aggiungi"));
  cambia_ = new QPushButton(QStringLiteral("&Cambia..."));
  cambia_->setObjectName(QStringLiteral("cambia"));
  togli_ = new QPushButton(QStringLiteral("&Togli"));
  togli_->setObjectName(QStringLiteral("togli"));
  auto *pulsanteProva = new QPushButton(QStringLiteral("&Prova"));
  pulsanteProva->setObjectName(QStringLiteral("prova"));
  pulsanteProva->setToolTip(QStringLiteral("Un esercizio con questa lista, come lo vedrà il bambino"));
  ripristina_ = new QPushButton(QStringLiteral("&Ripristina la lista del programma..."));
  ripristina_->setObjectName(QStringLiteral("ripristina"));
  auto *pulsanti = new QHBoxLayout;
  pulsanti->addWidget(aggiungi);
  pulsanti->addWidget(cambia_);
  pulsanti->addWidget(togli_);
  pulsanti->addWidget(pulsanteProva);
  pulsanti->addStretch();
  pulsanti->addWidget(ripristina_);

  auto *l = new QVBoxLayout(this);
  l->addWidget(titolo_);
  l->addWidget(stato_);
  l->addWidget(vista_, 1);
  l->addLayout(pulsanti);

  connect(aggiungi, &QPushButton::clicked, this, &PaginaLista::aggiungiParola);
  connect(cambia_, &QPushButton::clicked, this, &PaginaLista::cambiaParola);
  connect(togli_, &QPushButton::clicked, this, &PaginaLista::togliParola);
  connect(ripristina_, &QPushButton::clicked, this, &PaginaLista::ripristinaLista);
  connect(pulsanteProva, &QPushButton::clicked, this, &PaginaLista::prova);
  connect(vista_, &QListView::activated, this, &PaginaLista::cambiaParola);
  auto *canc = new QShortcut(QKeySequence::Delete, vista_, nullptr, nullptr, Qt::WidgetShortcut);
  connect(canc, &QShortcut::activated, this, &PaginaLista::togliParola);
}

void PaginaLista::leggi() {
  aperta_ = apriLista(cartelle_, lista_);
  letta_ = true;
  mostra();
}

void PaginaLista::ricarica() {
  if (letta_)
    leggi();
}

void PaginaLista::carica() {
  if (!letta_)
    leggi();
}

void PaginaLista::showEvent(QShowEvent *evento) {
  carica();
  QWidget::showEvent(evento);
}

void PaginaLista::mostra() {
  const int riga = scelta();
  modello_->imposta(cartelle_, aperta_, cornice(lista_) * 3 / 4, devicePixelRatioF());
  if (riga >= 0)
    vista_->setCurrentIndex(modello_->index(std::min(riga, modello_->rowCount() - 1)));
  titolo_->setText(QStringLiteral("<b>%1</b> &nbsp; %2 parole su %3")
                       .arg(QString::fromUtf8(lista_.nome))
                       .arg(aperta_.contaParole())
                       .arg(catalogo::MassimoParole));
  QString stato = aperta_.dellUtente
                      ? QStringLiteral("È la tua lista, in %1.").arg(editor::mostra(aperta_.percorso))
                      : QStringLiteral("È la lista del programma: alla prima modifica ne faccio una copia tua.");
  if (aperta_.rifiuto)
    stato += QStringLiteral("\nAttenzione, il gioco non usa questa lista: ") + fraseRifiuto(*aperta_.rifiuto);
  stato_->setText(stato);
  stato_->setStyleSheet(aperta_.rifiuto ? QStringLiteral("color: #a00000;") : QString());
  ripristina_->setEnabled(aperta_.dellUtente);
  traccia(QStringLiteral("lista %1 %2 parole %3").arg(QString::fromLatin1(lista_.file)).arg(aperta_.contaParole()).arg(aperta_.dellUtente ? QStringLiteral("utente") : QStringLiteral("programma")));
}

int PaginaLista::scelta() const { return vista_->currentIndex().isValid() ? vista_->currentIndex().row() : -1; }

void PaginaLista::esegui(const std::function<Esito(bool)> &operazione) {
  Esito e = operazione(false);
  if (e.tipo == Esito::CambiataSulDisco) {
    if (chiedi(this, e.messaggio + QStringLiteral("\n\nSalvo lo stesso? La versione cambiata resta tra le copie."),
               QStringLiteral("Salva lo stesso"), QStringLiteral("Ricarica la lista"))) {
      e = operazione(true);
    } else {
      ricarica();
      return;
    }
  }
  if (!e.riuscito())
    avvisa(this, e.messaggio);
  else if (!e.messaggio.isEmpty())
    informa(this, e.messaggio);
  mostra();
  emit cambiata();
}

void PaginaLista::aggiungiParola() {
  carica();
  FinestraParola f(cartelle_, lista_, {},
                   [this](const QStringList &sillabe, Immagine immagine, bool forza) {
                     return aggiungi(cartelle_, aperta_, sillabe, immagine, forza);
                   },
                   this);
  if (f.exec() == QDialog::Accepted) {
    miniature_->dimentica(disegnoDi(cartelle_, aperta_.parole.last().testo()));
    mostra();
    vista_->setCurrentIndex(modello_->index(modello_->rowCount() - 1));
    emit cambiata();
  } else {
    ricarica();  // she may have declined to save over a list changed meanwhile
  }
}

void PaginaLista::cambiaParola() {
  carica();
  const int riga = scelta();
  if (riga < 0) {
    informa(this, QStringLiteral("Scegli prima una parola della lista."));
    return;
  }
  const QString prima = disegnoDi(cartelle_, aperta_.parole[riga].testo());
  FinestraParola f(cartelle_, lista_, aperta_.parole[riga].sillabe,
                   [this, riga](const QStringList &sillabe, Immagine immagine, bool forza) {
                     return cambia(cartelle_, aperta_, riga, sillabe, immagine, forza);
                   },
                   this);
  if (f.exec() == QDialog::Accepted) {
    miniature_->dimentica(prima);
    miniature_->dimentica(disegnoDi(cartelle_, aperta_.parole[riga].testo()));
    mostra();
    emit cambiata();
  } else {
    ricarica();
  }
}

void PaginaLista::togliParola() {
  carica();
  const int riga = scelta();
  if (riga < 0) {
    informa(this, QStringLiteral("Scegli prima una parola della lista."));
    return;
  }
  const QString parola = senzaControlli(aperta_.parole[riga].testo());
  if (!chiedi(this, QStringLiteral("Tolgo «%1» da questa lista? Il suo disegno resta.").arg(accorciato(parola)),
              QStringLiteral("Togli")))
    return;
  esegui([this, riga](bool forza) { return togli(cartelle_, aperta_, riga, forza); });
}

void PaginaLista::ripristinaLista() {
  carica();
  if (!chiedi(this,
              QStringLiteral("Torno alla lista del programma? La tua versione resta tra le copie, nella cartella "
                             "«copie»."),
              QStringLiteral("Ripristina")))
    return;
  esegui([this](bool) { return ripristina(cartelle_, aperta_); });
}

void PaginaLista::prova() {
  carica();
  QStringList preferite = paroleNuove(cartelle_, aperta_);
  const int riga = scelta();
  if (riga >= 0)
    preferite.prepend(aperta_.parole[riga].testo());
  if (prova_)
    prova_->close();
  prova_ = apriProva(cartelle_, lista_, preferite);
}

}  // namespace quirlo::editor
