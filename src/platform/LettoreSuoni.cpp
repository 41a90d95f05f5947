#include "LettoreSuoni.h"

#include "FileRegolare.h"
#include "Ricampiona.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QFile>
#include <QIODevice>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <sndfile.h>
#include <vector>

namespace quirlo {

// Serves the current sound, then silence: the sink never underruns, so the
// tail is not cut off by the audio server.
class SorgenteSuono : public QIODevice {
 public:
  explicit SorgenteSuono(QObject *parent) : QIODevice(parent) { open(QIODevice::ReadOnly); }

  void imposta(std::shared_ptr<const QByteArray> dati) {
    dati_ = std::move(dati);
    posizione_ = 0;
  }
  bool isSequential() const override { return true; }
  qint64 bytesAvailable() const override { return 1 << 20; }

 protected:
  qint64 readData(char *dati, qint64 massimo) override {
    qint64 copiati = 0;
    if (dati_ && posizione_ < dati_->size()) {
      copiati = std::min(massimo, qint64(dati_->size()) - posizione_);
      std::memcpy(dati, dati_->constData() + posizione_, size_t(copiati));
      posizione_ += copiati;
    }
    std::memset(dati + copiati, 0, size_t(massimo - copiati));
    return massimo;
  }
  qint64 writeData(const char *, qint64) override { return -1; }

 private:
  std::shared_ptr<const QByteArray> dati_;
  qint64 posizione_ = 0;
};

// The sink, its source and the timer that closes it, all on the audio thread.
class UscitaAudio : public QObject {
 public:
  UscitaAudio(const QAudioDevice &dispositivo, const QAudioFormat &formato)
      : dispositivo_(dispositivo), formato_(formato) {}

  void precarica(const QString &percorso) { scorta_.pcm(percorso); }

  void suona(const QString &percorso) {
    const std::shared_ptr<const QByteArray> dati = scorta_.pcm(percorso);
    if (dati->isEmpty())
      return;
    if (!sink_) {
      sink_ = new QAudioSink(dispositivo_, formato_, this);
      sink_->setBufferSize(LettoreSuoni::Frequenza * LettoreSuoni::Canali * 2 / 10);
      sorgente_ = new SorgenteSuono(this);
      spegnimento_ = new QTimer(this);
      spegnimento_->setSingleShot(true);
      connect(spegnimento_, &QTimer::timeout, sink_, &QAudioSink::stop);
    }
    sorgente_->imposta(dati);
    if (sink_->state() == QAudio::StoppedState || sink_->state() == QAudio::IdleState)
      sink_->start(sorgente_);
    // Keep feeding silence until the sound and the device's buffer have surely drained.
    const int durataMs = int(dati->size() * 1000 / (LettoreSuoni::Frequenza * LettoreSuoni::Canali * 2));
    spegnimento_->start(durataMs + 1500);
  }

 private:
  QAudioDevice dispositivo_;
  QAudioFormat formato_;
  QAudioSink *sink_ = nullptr;
  SorgenteSuono *sorgente_ = nullptr;
  QTimer *spegnimento_ = nullptr;
  ScortaSuoni scorta_;
};

LettoreSuoni::LettoreSuoni(QObject *parent) : QObject(parent) {}

LettoreSuoni::~LettoreSuoni() {
  if (filo_) {
    filo_->quit();
    filo_->wait();
  }
}

namespace {

struct ChiudiFile {
  void operator()(SNDFILE *f) const { sf_close(f); }
};

// libsndfile reads through a QFile so that non-ASCII paths work everywhere.
sf_count_t vLunghezza(void *u) { return static_cast<QFile *>(u)->size(); }
sf_count_t vPosiziona(sf_count_t offset, int whence, void *u) {
  auto *f = static_cast<QFile *>(u);
  qint64 base = whence == SEEK_CUR ? f->pos() : whence == SEEK_END ? f->size() : 0;
  return f->seek(base + offset) ? f->pos() : -1;
}
sf_count_t vLeggi(void *ptr, sf_count_t n, void *u) {
  return static_cast<QFile *>(u)->read(static_cast<char *>(ptr), n);
}
sf_count_t vScrivi(const void *, sf_count_t, void *) { return 0; }
sf_count_t vDove(void *u) { return static_cast<QFile *>(u)->pos(); }

}  // namespace

QByteArray LettoreSuoni::decodifica(const QString &percorso) {
  QFile file;
  if (!apriFileRegolare(file, percorso))
    return {};
  SF_VIRTUAL_IO io{vLunghezza, vPosiziona, vLeggi, vScrivi, vDove};
  SF_INFO info{};
  std::unique_ptr<SNDFILE, ChiudiFile> sf(sf_open_virtual(&io, SFM_READ, &info, &file));
  if (!sf || info.channels <= 0 || info.samplerate <= 0 || info.frames <= 0)
    return {};
  // Effects are short; refuse anything absurdly long rather than fill memory.
  const sf_count_t massimoFrame = sf_count_t(info.samplerate) * 30;
  const sf_count_t frame = std::min(info.frames, massimoFrame);
  std::vector<float> sorgente(size_t(frame) * size_t(info.channels));
  const sf_count_t letti = sf_readf_float(sf.get(), sorgente.data(), frame);
  if (letti <= 0)
    return {};

  auto campione = [&](qint64 f, int c) {
    const int canale = std::min(c, info.channels - 1);
    return sorgente[size_t(f) * size_t(info.channels) + size_t(canale)];
  };
  return ricampiona(campione, letti, info.samplerate, Frequenza, Canali);
}

void LettoreSuoni::precarica(const QString &percorso) {
  if (apriUscita())
    QMetaObject::invokeMethod(uscita_, [uscita = uscita_, percorso] { uscita->precarica(percorso); },
                              Qt::QueuedConnection);
}

bool LettoreSuoni::apriUscita() {
  if (uscitaProvata_)
    return uscita_ != nullptr;
  uscitaProvata_ = true;
  const QAudioDevice dispositivo = QMediaDevices::defaultAudioOutput();
  if (dispositivo.isNull())
    return false;
  QAudioFormat formato;
  formato.setSampleRate(Frequenza);
  formato.setChannelCount(Canali);
  formato.setSampleFormat(QAudioFormat::Int16);
  if (!dispositivo.isFormatSupported(formato))
    return false;
  filo_ = new QThread(this);
  filo_->setObjectName(QStringLiteral("LettoreSuoni"));
  uscita_ = new UscitaAudio(dispositivo, formato);
  uscita_->moveToThread(filo_);
  // Deleted on its own thread as that thread ends, sink and all.
  connect(filo_, &QThread::finished, uscita_, &QObject::deleteLater);
  filo_->start();
  return true;
}

void LettoreSuoni::suona(const QString &percorso) {
  if (apriUscita())
    QMetaObject::invokeMethod(uscita_, [uscita = uscita_, percorso] { uscita->suona(percorso); },
                              Qt::QueuedConnection);
}

}  // namespace quirlo
