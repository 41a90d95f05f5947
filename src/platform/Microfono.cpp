#include "Microfono.h"

#include "DecodificaSuoni.h"

#include <QThread>

namespace quirlo {

namespace {

// Reads until stopped or full; a microphone lost midway keeps what it gave.
void registra(const QString &cartella, qsizetype massimo, const std::atomic<bool> &fermo, QByteArray &pcm,
              QString &errore) {
  const std::unique_ptr<CatturaAudio> cattura = apriCattura(cartella);
  if (!cattura) {
    errore = Microfono::nessunMicrofono();
    return;
  }
  while (!fermo && pcm.size() < massimo) {
    const QByteArray pezzo = cattura->leggi();
    if (pezzo.isEmpty())
      break;
    pcm += pezzo;
  }
  // Stopped before it opened is an empty recording, not a missing microphone.
  if (pcm.isEmpty() && !fermo)
    errore = Microfono::nessunMicrofono();
  // Whole frames only, and no more than the limit.
  pcm.truncate(std::min(massimo, pcm.size() / formatoSuono::BytePerFrame * formatoSuono::BytePerFrame));
}

}  // namespace

Microfono::Microfono(int massimoSecondi, const QString &cartellaProgramma, QObject *parent)
    : QObject(parent), massimoSecondi_(massimoSecondi), cartella_(cartellaProgramma) {}

Microfono::~Microfono() {
  if (filo_) {
    *fermo_ = true;
    filo_->wait();
  }
}

QString Microfono::nessunMicrofono() {
  return QStringLiteral("Non trovo un microfono: puoi scegliere un file WAV.");
}

void Microfono::avvia() {
  if (filo_)
    return;
  fermo_ = std::make_shared<std::atomic<bool>>(false);
  const qsizetype massimo = qsizetype(massimoSecondi_) * formatoSuono::BytePerSecondo;
  filo_.reset(QThread::create([this, fermo = fermo_, cartella = cartella_, massimo] {
    QByteArray pcm;
    QString errore;
    registra(cartella, massimo, *fermo, pcm, errore);
    // Dropped if this object is gone: its destructor waited for this thread.
    QMetaObject::invokeMethod(
        this, [this, pcm, errore] { finita(pcm, errore); }, Qt::QueuedConnection);
  }));
  filo_->setObjectName(QStringLiteral("Microfono"));
  filo_->start();
}

void Microfono::ferma() {
  if (fermo_)
    *fermo_ = true;
}

void Microfono::finita(const QByteArray &pcm, const QString &errore) {
  filo_->wait();
  filo_.reset();
  if (errore.isEmpty())
    emit registrata(pcm);
  else
    emit fallita(errore);
}

}  // namespace quirlo
