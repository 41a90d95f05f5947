#pragma once

// The Linux player's inside (LettoreSuoniPulse.cpp), here so that tests can
// drive it with a stream that breaks when they say.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace quirlo {

// A playback stream to the sound server, in formatoSuono.
class FlussoAudio {
 public:
  virtual ~FlussoAudio() = default;
  // May block while the server's buffer is full; false once the stream broke
  // (the server went away, the device with it).
  virtual bool scrivi(const char *dati, qsizetype byte) = 0;
  virtual void svuota() = 0;  // drops what was written and not heard yet
  virtual void drena() = 0;   // waits until everything written is heard
};

// A new stream on the system's output as it is now; null when there is no
// sound server to talk to.
using ApriFlusso = std::function<std::unique_ptr<FlussoAudio>()>;

// Plays on a thread of its own. A stream stays open, fed with silence, for a
// moment after each sound (opening one costs round trips to the server) and
// is then drained and closed. A stream that breaks is dropped with the sound
// it was playing; the next sound opens a new one, on whatever output and
// server there are by then, as does every sound while there is none.
class Altoparlante {
 public:
  explicit Altoparlante(ApriFlusso apri);
  ~Altoparlante();
  Altoparlante(const Altoparlante &) = delete;
  Altoparlante &operator=(const Altoparlante &) = delete;

  void precarica(const QString &percorso);
  void suona(const QString &percorso);
  // Sound in formatoSuono, a whole number of frames.
  void suona(std::shared_ptr<const QByteArray> pcm);

  // Silence kept flowing after a sound, before the stream is closed.
  static constexpr int CodaMs = 1500;

 private:
  void esegui();

  const ApriFlusso apri_;
  std::mutex m_;
  std::condition_variable cv_;
  QStringList precarichi_;
  QString richiesta_;
  std::shared_ptr<const QByteArray> richiestaPcm_;  // instead of richiesta_
  bool nuova_ = false;
  bool fine_ = false;
  std::thread filo_;
};

}  // namespace quirlo
