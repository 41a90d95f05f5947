#include "Altoparlante.h"

#include "DecodificaSuoni.h"
#include "ScortaSuoni.h"

#include <QThread>
#include <algorithm>
#include <chrono>
#include <vector>

namespace quirlo {

namespace {

using Orologio = std::chrono::steady_clock;
// Written in slices this long, so a new sound cuts in within one of them.
constexpr qsizetype Fetta = formatoSuono::BytePerSecondo / 100;
// Never further ahead of the clock than this, whatever the stream accepts.
constexpr auto Anticipo = std::chrono::milliseconds(200);

}  // namespace

Altoparlante::Altoparlante(ApriFlusso apri) : apri_(std::move(apri)), filo_([this] { esegui(); }) {}

Altoparlante::~Altoparlante() {
  {
    std::lock_guard<std::mutex> l(m_);
    fine_ = true;
  }
  cv_.notify_all();
  filo_.join();
}

void Altoparlante::precarica(const QString &percorso) {
  {
    std::lock_guard<std::mutex> l(m_);
    precarichi_.append(percorso);
  }
  cv_.notify_all();
}

void Altoparlante::suona(const QString &percorso) {
  {
    std::lock_guard<std::mutex> l(m_);
    richiesta_ = percorso;
    richiestaPcm_.reset();
    nuova_ = true;
  }
  cv_.notify_all();
}

void Altoparlante::suona(std::shared_ptr<const QByteArray> pcm) {
  {
    std::lock_guard<std::mutex> l(m_);
    richiesta_.clear();
    richiestaPcm_ = std::move(pcm);
    nuova_ = true;
  }
  cv_.notify_all();
}

void Altoparlante::esegui() {
  QThread::currentThread()->setObjectName(QStringLiteral("LettoreSuoni"));
  ScortaSuoni scorta;
  std::unique_ptr<FlussoAudio> flusso;
  std::shared_ptr<const QByteArray> pcm;  // the sound playing
  qsizetype posizione = 0;
  Orologio::time_point chiusura{};  // when the stream, silent by then, is closed
  Orologio::time_point inizio{};    // of what the stream has been fed since it opened
  qint64 scritti = 0;
  const std::vector<char> silenzio(size_t(Fetta), 0);

  for (;;) {
    QStringList daPrecaricare;
    QString daSuonare;
    std::shared_ptr<const QByteArray> pcmDaSuonare;
    {
      std::unique_lock<std::mutex> l(m_);
      const auto daFare = [this] { return fine_ || nuova_ || !precarichi_.isEmpty(); };
      if (!flusso)
        cv_.wait(l, daFare);
      else if (Orologio::now() - inizio < std::chrono::milliseconds(scritti * 1000 / formatoSuono::BytePerSecondo) - Anticipo)
        // Far enough ahead: wait for the clock, or for a new sound.
        cv_.wait_for(l, std::chrono::milliseconds(10), daFare);
      if (fine_)
        return;
      daPrecaricare.swap(precarichi_);
      if (nuova_) {
        daSuonare = richiesta_;
        pcmDaSuonare = std::move(richiestaPcm_);
      }
      nuova_ = false;
    }
    for (const QString &p : std::as_const(daPrecaricare))
      scorta.pcm(p);
    if (!daSuonare.isEmpty() || pcmDaSuonare) {
      std::shared_ptr<const QByteArray> nuovo = pcmDaSuonare ? std::move(pcmDaSuonare) : scorta.pcm(daSuonare);
      if (!nuovo->isEmpty()) {
        if (flusso)
          flusso->svuota();  // a new sound cuts off the one playing
        pcm = std::move(nuovo);
        posizione = 0;
        chiusura = Orologio::now() + std::chrono::milliseconds(pcm->size() * 1000 / formatoSuono::BytePerSecondo) +
                   std::chrono::milliseconds(CodaMs);
        if (!flusso) {
          flusso = apri_();
          inizio = Orologio::now();
          scritti = 0;
        }
        if (!flusso)  // no server now: silence, and the next sound tries again
          pcm.reset();
      }
    }
    if (!flusso)
      continue;
    if (Orologio::now() - inizio < std::chrono::milliseconds(scritti * 1000 / formatoSuono::BytePerSecondo) - Anticipo)
      continue;
    // The sound, then silence, so the server never runs dry and the tail is heard whole.
    const char *dati = silenzio.data();
    qsizetype quanti = Fetta;
    if (pcm) {
      dati = pcm->constData() + posizione;
      quanti = std::min(Fetta, pcm->size() - posizione);
      posizione += quanti;
      if (posizione >= pcm->size())
        pcm.reset();
    }
    if (!flusso->scrivi(dati, quanti)) {
      flusso.reset();  // broken: the next sound opens a new stream
      pcm.reset();
      continue;
    }
    scritti += quanti;
    if (!pcm && Orologio::now() >= chiusura) {
      flusso->drena();
      flusso.reset();
    }
  }
}

}  // namespace quirlo
