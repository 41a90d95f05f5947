#include "SezioneVoce.h"

#include "DecodificaSuoni.h"
#include "Domande.h"
#include "Microfono.h"
#include "Scrittura.h"
#include "Traccia.h"
#include "VoceParola.h"
#include "Voci.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace quirlo::editor {

namespace {

const QString TestoRegistra = QStringLiteral("&Registra la tua voce");

QString descrivi(FonteVoce fonte) {
  switch (fonte) {
    case FonteVoce::Utente:
      return QStringLiteral("La tua registrazione.");
    case FonteVoce::Programma:
      return QStringLiteral("La registrazione del programma.");
    case FonteVoce::Sintesi:
      return QStringLiteral("La voce del computer.");
    case FonteVoce::Nessuna:
      break;
  }
  return QStringLiteral("Nessuna voce: il gioco resta in silenzio.");
}

}  // namespace

SezioneVoce::SezioneVoce(const Cartelle &cartelle, QWidget *parent)
    : QWidget(parent), cartelle_(cartelle), lettore_(cartelle.programma) {
  auto *sintesi = new Sintesi(Sintesi::Limiti{}, cartelle.programma, this);
  voci_ = new Voci(sintesi, lettore_.lettura(), cartelle.utente, cartelle.programma, this);
  senzaSua_ = new Voci(sintesi, lettore_.lettura(), QString(), cartelle.programma, this);
  microfono_ = new Microfono(MassimoSecondiVoce, cartelle.programma, this);

  stato_ = new QLabel;
  stato_->setObjectName(QStringLiteral("statoVoce"));
  stato_->setWordWrap(true);
  ascolta_ = new QPushButton(QStringLiteral("&Ascolta"));
  ascolta_->setObjectName(QStringLiteral("ascolta"));
  registra_ = new QPushButton(TestoRegistra);
  registra_->setObjectName(QStringLiteral("registra"));
  scegli_ = new QPushButton(QStringLiteral("Scegli un &file WAV..."));
  scegli_->setObjectName(QStringLiteral("scegliVoce"));
  computer_ = new QPushButton(QStringLiteral("Usa la voce del &computer"));
  computer_->setObjectName(QStringLiteral("voceComputer"));
  computer_->setToolTip(QStringLiteral("Toglie la tua registrazione (resta tra le copie)"));

  auto *pulsanti = new QHBoxLayout;
  for (QPushButton *p : {ascolta_, registra_, scegli_, computer_})
    pulsanti->addWidget(p);
  pulsanti->addStretch();
  auto *righe = new QVBoxLayout(this);
  righe->setContentsMargins({});
  righe->addWidget(stato_);
  righe->addLayout(pulsanti);

  // Typing a word letter by letter asks for one voice, not one a letter.
  attesa_.setSingleShot(true);
  attesa_.setInterval(300);
  connect(&attesa_, &QTimer::timeout, this, &SezioneVoce::chiedi);
  connect(voci_, &Voci::pronta, this, &SezioneVoce::pronta);
  connect(senzaSua_, &Voci::pronta, this, &SezioneVoce::pronta);
  connect(ascolta_, &QPushButton::clicked, this, &SezioneVoce::ascolta);
  connect(registra_, &QPushButton::clicked, this, &SezioneVoce::registra);
  connect(scegli_, &QPushButton::clicked, this, &SezioneVoce::scegliFile);
  connect(computer_, &QPushButton::clicked, this, &SezioneVoce::usaComputer);
  connect(microfono_, &Microfono::registrata, this, &SezioneVoce::registrata);
  connect(microfono_, &Microfono::fallita, this, &SezioneVoce::nonRegistrata);
  impostaParola({});
}

SezioneVoce::~SezioneVoce() = default;

void SezioneVoce::impostaParola(const QString &parola) {
  parola_ = parola;
  haSua_ = false;
  attesa_.start();
  mostra(parola.isEmpty() ? QStringLiteral("Scrivi la parola per sentire la sua voce.")
                          : QStringLiteral("Cerco la voce..."));
}

void SezioneVoce::mostra(const QString &testo) {
  stato_->setText(testo);
  // While she records, the speakers stay quiet and nothing else is chosen.
  const bool libero = !microfono_->attivo();
  ascolta_->setEnabled(libero && (scelta_ == Scelta::Nuova || !parola_.isEmpty()));
  scegli_->setEnabled(libero);
  computer_->setEnabled(libero && (scelta_ == Scelta::Nuova || (scelta_ == Scelta::Nessuna && haSua_)));
}

void SezioneVoce::chiedi() {
  attesa_.stop();
  if (scelta_ == Scelta::Nuova) {
    mostra(daDove_ + QStringLiteral(" La tengo quando salvi la parola."));
    return;
  }
  if (parola_.isEmpty()) {
    mostra(QStringLiteral("Scrivi la parola per sentire la sua voce."));
    return;
  }
  (scelta_ == Scelta::Computer ? senzaSua_ : voci_)->chiedi(parola_);
}

void SezioneVoce::pronta(const QString &parola, const Voce &voce) {
  // An answer for a word since changed, for the choice before this one, or
  // while she records (asked again once the recording is back).
  if (parola != parola_ || (sender() == senzaSua_) != (scelta_ == Scelta::Computer) || scelta_ == Scelta::Nuova ||
      microfono_->attivo())
    return;
  haSua_ = voce.fonte == FonteVoce::Utente;
  if (scelta_ != Scelta::Computer)
    mostra(descrivi(voce.fonte));
  else
    mostra(QStringLiteral("Quando salvi la parola tolgo la tua registrazione (resta tra le copie): poi %1")
               .arg(voce.fonte == FonteVoce::Programma ? QStringLiteral("il gioco usa la registrazione del programma.")
                    : voce.fonte == FonteVoce::Sintesi ? QStringLiteral("il gioco usa la voce del computer.")
                                                       : QStringLiteral("il gioco resta in silenzio.")));
  if (suonaQuandoPronta_) {
    suonaQuandoPronta_ = false;
    lettore_.suona(voce.pcm.dati);
  }
}

void SezioneVoce::ascolta() {
  if (scelta_ == Scelta::Nuova) {
    lettore_.suona(std::make_shared<const QByteArray>(nuova_));
    return;
  }
  // Read again as the game would read it now.
  suonaQuandoPronta_ = true;
  chiedi();
}

void SezioneVoce::registra() {
  if (microfono_->attivo()) {
    microfono_->ferma();
    registra_->setEnabled(false);  // until the sound is back, a moment later
    return;
  }
  microfono_->avvia();
  suonaQuandoPronta_ = false;
  emit registrando(true);
  registra_->setText(QStringLiteral("&Ferma"));
  mostra(QStringLiteral("Sto registrando: di' la parola, poi premi Ferma (al massimo %1 secondi).")
             .arg(MassimoSecondiVoce));
}

void SezioneVoce::nonRegistrata(const QString &messaggio) {
  registra_->setText(TestoRegistra);
  registra_->setEnabled(true);
  emit registrando(false);
  chiedi();
  avvisa(this, messaggio);
}

void SezioneVoce::registrata(const QByteArray &pcm) {
  registra_->setText(TestoRegistra);
  registra_->setEnabled(true);
  emit registrando(false);
  const QByteArray parlata = senzaSilenzio(pcm);
  traccia(QStringLiteral("voce registrata %1 byte, %2 tenuti").arg(pcm.size()).arg(parlata.size()));
  if (parlata.isEmpty()) {
    chiedi();
    avvisa(this, QStringLiteral("Non ho sentito niente: parla vicino al microfono e riprova."));
    return;
  }
  scelta_ = Scelta::Nuova;
  nuova_ = parlata;
  const bool piena = pcm.size() >= qsizetype(MassimoSecondiVoce) * formatoSuono::BytePerSecondo;
  daDove_ = piena ? QStringLiteral("La tua nuova registrazione, fermata dopo %1 secondi: premi Ascolta per sentirla.")
                        .arg(MassimoSecondiVoce)
                  : QStringLiteral("La tua nuova registrazione: premi Ascolta per sentirla.");
  chiedi();
}

void SezioneVoce::scegliFile() {
  QString inizio = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
  if (!QFileInfo(inizio).isDir())
    inizio = QDir::homePath();
  const QString scelta = QFileDialog::getOpenFileName(this, QStringLiteral("Scegli un file WAV"), inizio,
                                                      QStringLiteral("Suoni WAV (*.wav *.WAV);;Tutti i file (*)"));
  if (!scelta.isEmpty())
    usaFile(scelta);
}

void SezioneVoce::usaFile(const QString &file) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  VoceLetta letta = leggiVoce(file);
  QApplication::restoreOverrideCursor();
  if (!letta.errore.isEmpty()) {
    avvisa(this, letta.errore);
    return;
  }
  scelta_ = Scelta::Nuova;
  nuova_ = std::move(letta.pcm);
  daDove_ = QStringLiteral("La voce del file %1.").arg(editor::mostra(QFileInfo(file).fileName()));
  chiedi();
}

void SezioneVoce::usaComputer() {
  scelta_ = Scelta::Computer;
  nuova_.clear();
  chiedi();
}

Esito SezioneVoce::salva(const QString &parola) {
  switch (scelta_) {
    case Scelta::Nuova:
      return salvaVoce(cartelle_, parola, nuova_);
    case Scelta::Computer:
      return togliVoce(cartelle_, parola);
    case Scelta::Nessuna:
      break;
  }
  return {};
}

}  // namespace quirlo::editor
