#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>

class QThread;

namespace quirlo {

// The platform's stream from the default microphone, in formatoSuono.
class CatturaAudio {
 public:
  virtual ~CatturaAudio() = default;
  // The next stretch of sound, about a tenth of a second; waits for it.
  // Empty once the microphone is gone.
  virtual QByteArray leggi() = 0;
};

// Opens the default microphone; null when there is none (no device, no sound
// server, a format it refuses). Each platform's own; may wait on the sound
// system, so never on the windows' thread.
std::unique_ptr<CatturaAudio> apriCattura(const QString &cartellaProgramma);

// One recording at a time from the default microphone, in formatoSuono.
// avvia() and ferma() return at once: the microphone is opened and read on a
// thread of its own, and the sound comes back as registrata() on the caller's
// thread, after ferma() or once `massimoSecondi` are recorded. A missing
// microphone ends it with fallita() and one Italian sentence.
class Microfono : public QObject {
  Q_OBJECT
 public:
  // `cartellaProgramma`: where Linux finds the sound module (see LettoreSuoni).
  explicit Microfono(int massimoSecondi, const QString &cartellaProgramma = {}, QObject *parent = nullptr);
  // Waits for the thread: a tenth of a second at most once it reads.
  ~Microfono() override;

  void avvia();
  void ferma();
  bool attivo() const { return filo_ != nullptr; }

  static QString nessunMicrofono();

 signals:
  void registrata(const QByteArray &pcm);
  void fallita(const QString &messaggio);

 private:
  void finita(const QByteArray &pcm, const QString &errore);

  const int massimoSecondi_;
  const QString cartella_;
  std::unique_ptr<QThread> filo_;
  std::shared_ptr<std::atomic<bool>> fermo_;
};

}  // namespace quirlo
