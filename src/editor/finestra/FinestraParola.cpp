#include "FinestraParola.h"

#include "CarteSillabe.h"
#include "CercaDisegno.h"
#include "Domande.h"
#include "Cornice.h"
#include "Immagini.h"
#include "SezioneVoce.h"
#include "Sillabazione.h"
#include "TestoVisibile.h"
#include "Traccia.h"
#include "VistaRitaglio.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace quirlo::editor {

namespace {
// The photo as shown while cropping: sharp on a 200 % screen, small in memory.
constexpr int LatoAnteprima = 1600;
}  // namespace

FinestraParola::FinestraParola(const Cartelle &cartelle, const catalogo::Lista &lista, const QStringList &sillabe,
                               Salvataggio salva, QWidget *parent)
    : QDialog(parent), cartelle_(cartelle), lista_(lista), salvataggio_(std::move(salva)) {
  setObjectName(QStringLiteral("FinestraParola"));
  setWindowTitle(sillabe.isEmpty() ? QStringLiteral("Aggiungi una parola - %1").arg(QString::fromUtf8(lista.nome))
                                   : QStringLiteral("Cambia una parola - %1").arg(QString::fromUtf8(lista.nome)));
  setAcceptDrops(true);

  parola_ = new QLineEdit(sillabe::scrivi(sillabe));
  parola_->setObjectName(QStringLiteral("parola"));
  parola_->setAccessibleName(QStringLiteral("Parola"));
  parola_->setPlaceholderText(QStringLiteral("per esempio: lago, oppure la-go"));
  carte_ = new CarteSillabe;
  carte_->setObjectName(QStringLiteral("sillabe"));
  nota_ = new QLabel;
  nota_->setWordWrap(true);
  nota_->setObjectName(QStringLiteral("nota"));
  alternativa_ = new QPushButton;
  alternativa_->setObjectName(QStringLiteral("alternativa"));
  alternativa_->hide();

  ritaglio_ = new VistaRitaglio;
  ritaglio_->setObjectName(QStringLiteral("ritaglio"));
  auto *scegli = new QPushButton(QStringLiteral("&Scegli una foto o un disegno..."));
  scegli->setObjectName(QStringLiteral("scegliFoto"));
  auto *incollaPulsante = new QPushButton(QStringLiteral("&Incolla"));
  incollaPulsante->setObjectName(QStringLiteral("incolla"));
  incollaPulsante->setToolTip(QStringLiteral("Incolla un'immagine copiata (Ctrl+V)"));
  statoFoto_ = new QLabel;
  statoFoto_->setWordWrap(true);
  cercaDisegno_ = new CercaDisegno(cartelle.programma);
  voce_ = new SezioneVoce(cartelle);

  auto *bottoni = new QDialogButtonBox;
  salva_ = bottoni->addButton(QStringLiteral("Sal&va"), QDialogButtonBox::AcceptRole);
  salva_->setObjectName(QStringLiteral("salva"));
  salva_->setDefault(true);
  bottoni->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("annulla"));

  auto *forma = new QFormLayout;
  forma->addRow(QStringLiteral("&Parola:"), parola_);
  auto *righeSillabe = new QVBoxLayout;
  righeSillabe->addWidget(carte_);
  righeSillabe->addWidget(new QLabel(QStringLiteral("Clicca tra due lettere per dividere o unire le sillabe.")));
  righeSillabe->addWidget(nota_);
  righeSillabe->addWidget(alternativa_, 0, Qt::AlignLeft);
  forma->addRow(QStringLiteral("Sillabe:"), righeSillabe);
  auto *scelte = new QHBoxLayout;
  scelte->addWidget(scegli);
  scelte->addWidget(incollaPulsante);
  scelte->addStretch();
  auto *righeDisegno = new QVBoxLayout;
  righeDisegno->addWidget(ritaglio_, 1);
  righeDisegno->addLayout(scelte);
  righeDisegno->addWidget(statoFoto_);
  forma->addRow(QStringLiteral("Disegno:"), righeDisegno);
  forma->addRow(QStringLiteral("Voce:"), voce_);
  // The library beside the frame: a picture found there is cropped in it.
  auto *colonne = new QHBoxLayout;
  colonne->addLayout(forma, 1);
  colonne->addWidget(cercaDisegno_);
  auto *tutto = new QVBoxLayout(this);
  tutto->addLayout(colonne, 1);
  tutto->addWidget(bottoni);
  // Cards and frame first after the word: the order she works in.
  setTabOrder(parola_, carte_);
  setTabOrder(carte_, alternativa_);
  setTabOrder(alternativa_, ritaglio_);
  setTabOrder(ritaglio_, scegli);

  connect(parola_, &QLineEdit::textEdited, this, &FinestraParola::parolaScritta);
  connect(carte_, &CarteSillabe::cambiate, this, &FinestraParola::divisioneCambiata);
  connect(alternativa_, &QPushButton::clicked, this, [this] {
    carte_->imposta(proposta_);
    divisioneCambiata(proposta_);
  });
  connect(scegli, &QPushButton::clicked, this, &FinestraParola::scegliFoto);
  connect(cercaDisegno_, &CercaDisegno::scelto, this, &FinestraParola::apriEUsa);
  connect(incollaPulsante, &QPushButton::clicked, this, &FinestraParola::incolla);
  auto *ctrlV = new QShortcut(QKeySequence::Paste, this);
  ctrlV->setContext(Qt::WindowShortcut);
  connect(ctrlV, &QShortcut::activated, this, [this] {
    // In the word's field Ctrl+V pastes text, as everywhere.
    if (parola_->hasFocus())
      parola_->paste();
    else
      incolla();
  });
  connect(bottoni, &QDialogButtonBox::accepted, this, &FinestraParola::salva);
  connect(voce_, &SezioneVoce::registrando, salva_, &QPushButton::setDisabled);
  connect(bottoni, &QDialogButtonBox::rejected, this, &QDialog::reject);

  parolaScritta();
  if (!sillabe.isEmpty()) {
    carte_->imposta(sillabe);
    divisioneCambiata(sillabe);
  }
  // Fits a 1366 x 768 laptop with its task bar; the photo's view takes what is left.
  resize(1100, 640);
}

void FinestraParola::parolaScritta() {
  const sillabe::Scritta s = sillabe::leggiScritta(parola_->text());
  carte_->imposta(s.errore.isEmpty() ? s.sillabe : QStringList());
  divisioneCambiata(s.errore.isEmpty() ? s.sillabe : QStringList());
  if (!s.errore.isEmpty() && !parola_->text().trimmed().isEmpty())
    nota_->setText(s.errore);
  mostraDisegnoAttuale();
  voce_->impostaParola(carte_->sillabe().join(QString()));
  // "la-go" is one word to the library.
  cercaDisegno_->suggerisci(s.errore.isEmpty() ? s.parola : parola_->text().remove(QLatin1Char('-')).trimmed());
}

void FinestraParola::divisioneCambiata(const QStringList &sillabe) {
  const QString parola = sillabe.join(QString());
  const sillabe::Divisione regole = sillabe::dividi(parola);
  QStringList note;
  proposta_.clear();
  if (!parola.isEmpty() && sillabe.size() != lista_.sillabe)
    note << QStringLiteral("In questa lista ogni parola ha %1 sillabe: questa ne ha %2.").arg(lista_.sillabe).arg(sillabe.size());
  if (regole.controlla && (sillabe == regole.sillabe || sillabe == regole.alternativa)) {
    proposta_ = sillabe == regole.sillabe ? regole.alternativa : regole.sillabe;
    note << QStringLiteral("Controlla: dipende da come si pronuncia la parola.");
  } else if (!parola.isEmpty() && sillabe != regole.sillabe) {
    proposta_ = regole.sillabe;
    note << QStringLiteral("A scuola di solito si divide così: %1.").arg(sillabe::scrivi(regole.sillabe));
  }
  nota_->setText(note.join(QLatin1Char(' ')));
  alternativa_->setVisible(!proposta_.isEmpty());
  alternativa_->setText(QStringLiteral("&Dividi %1").arg(sillabe::scrivi(proposta_)));
  alternativa_->setAccessibleName(QStringLiteral("Dividi %1").arg(sillabe::scrivi(proposta_)));
}

void FinestraParola::mostraDisegnoAttuale() {
  if (foto_.valida() && !foto_.anteprima.isNull())
    return;
  const QString parola = carte_->sillabe().join(QString());
  const QString attuale = parola.isEmpty() ? QString() : disegnoDi(cartelle_, parola);
  if (attuale.isEmpty()) {
    ritaglio_->impostaDisegno({}, QStringLiteral("Nessun disegno.\nCercane uno a destra, oppure scegli una foto o un "
                                                 "disegno, trascinalo qui o incollalo."));
    statoFoto_->clear();
  } else {
    ritaglio_->impostaDisegno(decodificaImmagine(attuale, cornice(lista_) * 2), QString());
    statoFoto_->setText(QStringLiteral("Il disegno che ha ora. Vale per tutte le liste con questa parola."));
  }
}

void FinestraParola::usaFoto(const Foto &foto) {
  if (!foto.valida()) {
    avvisa(this, foto.errore);
    return;
  }
  foto_ = foto;
  const QSize proporzione = cornice(lista_);
  ritaglio_->impostaFoto(foto.anteprima, foto.dimensione, proporzione, ritaglioPredefinito(foto.dimensione, proporzione));
  statoFoto_->setText(QStringLiteral("Sposta la cornice o tirala da un angolo: il bambino vedrà quello che c'è dentro."));
  ritaglio_->setFocus();
  traccia(QStringLiteral("foto %1x%2 ritaglio %3,%4,%5x%6")
              .arg(foto.dimensione.width())
              .arg(foto.dimensione.height())
              .arg(ritaglio_->ritaglio().x())
              .arg(ritaglio_->ritaglio().y())
              .arg(ritaglio_->ritaglio().width())
              .arg(ritaglio_->ritaglio().height()));
}

void FinestraParola::scegliFoto() {
  QStringList estensioni;
  for (const QByteArray &f : QImageReader::supportedImageFormats())
    estensioni << QStringLiteral("*.") + QString::fromLatin1(f);
  // Where her photos are; her home when the system has no such folder.
  QString inizio = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  if (!QFileInfo(inizio).isDir())
    inizio = QDir::homePath();
  const QString scelta = QFileDialog::getOpenFileName(
      this, QStringLiteral("Scegli una foto o un disegno"), inizio,
      QStringLiteral("Immagini (%1);;Tutti i file (*)").arg(estensioni.join(QLatin1Char(' '))));
  if (!scelta.isEmpty())
    apriEUsa(scelta);
}

void FinestraParola::apriEUsa(const QString &file) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const Foto foto = apriFoto(file, LatoAnteprima);
  QApplication::restoreOverrideCursor();
  usaFoto(foto);
}

void FinestraParola::incolla() {
  const QMimeData *dati = QApplication::clipboard()->mimeData();
  if (dati && dati->hasImage())
    usaFoto(fotoDaImmagine(qvariant_cast<QImage>(dati->imageData()), LatoAnteprima));
  else if (dati && dati->hasUrls() && dati->urls().first().isLocalFile())
    usaFoto(apriFoto(dati->urls().first().toLocalFile(), LatoAnteprima));
  else
    informa(this, QStringLiteral("Non c'è un'immagine da incollare: copiane una, poi premi di nuovo Incolla."));
}

void FinestraParola::dragEnterEvent(QDragEnterEvent *e) {
  const QMimeData *d = e->mimeData();
  if (d->hasImage() || (d->hasUrls() && d->urls().first().isLocalFile()))
    e->acceptProposedAction();
}

void FinestraParola::dropEvent(QDropEvent *e) {
  const QMimeData *d = e->mimeData();
  e->acceptProposedAction();
  if (d->hasUrls() && d->urls().first().isLocalFile())
    usaFoto(apriFoto(d->urls().first().toLocalFile(), LatoAnteprima));
  else if (d->hasImage())
    usaFoto(fotoDaImmagine(qvariant_cast<QImage>(d->imageData()), LatoAnteprima));
}

void FinestraParola::salva() {
  const sillabe::Scritta s = sillabe::leggiScritta(parola_->text());
  if (!s.errore.isEmpty()) {
    avvisa(this, s.errore);
    return;
  }
  const Immagine immagine = foto_.valida() && !foto_.dimensione.isEmpty() ? Immagine{&foto_, ritaglio_->ritaglio()}
                                                                          : Immagine{};
  Esito e = salvataggio_(carte_->sillabe(), immagine, false);
  if (e.tipo == Esito::CambiataSulDisco) {
    if (!chiedi(this, e.messaggio + QStringLiteral("\n\nSalvo lo stesso? La versione cambiata resta tra le copie."),
                QStringLiteral("Salva lo stesso")))
      return;
    e = salvataggio_(carte_->sillabe(), immagine, true);
  }
  if (!e.riuscito()) {
    avvisa(this, e.messaggio);
    return;
  }
  // The word is in the list by now: a voice that can't be written is said, not a reason to stay.
  const Esito voce = voce_->salva(carte_->sillabe().join(QString()));
  if (!voce.riuscito())
    avvisa(this, voce.messaggio + QStringLiteral(" La parola è salvata, la sua voce no."));
  traccia(QStringLiteral("parola salvata %1 %2").arg(QString::fromLatin1(lista_.file), testoInRiga(sillabe::scrivi(carte_->sillabe()))));
  if (!e.messaggio.isEmpty())
    informa(this, e.messaggio);
  accept();
}

}  // namespace quirlo::editor
