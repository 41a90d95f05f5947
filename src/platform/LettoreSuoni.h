#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace quirlo {

// One player for the whole program. A new sound cuts off the one playing;
// every sound is heard to its last sample. Calls return at once: decoding,
// looking at the file and talking to the sound system happen away from the
// caller, so a drop never waits on the disk or on audio. A missing file, one
// that is not a sound, a special file in its place and a missing audio
// device are all silence, never an error. A sound file changed or removed
// while the program runs is looked at again before it next plays.
class LettoreSuoni {
 public:
  // `cartellaProgramma`: where Linux finds the sound output module (in its
  // "moduli" folder); empty for the program's own, where it is installed.
  explicit LettoreSuoni(const QString &cartellaProgramma = {});
  ~LettoreSuoni();
  LettoreSuoni(const LettoreSuoni &) = delete;
  LettoreSuoni &operator=(const LettoreSuoni &) = delete;

  // Gets the sound ready, so that its first playing is not late.
  void precarica(const QString &percorso);
  void suona(const QString &percorso);
  // Sound already decoded, in formatoSuono (a word's voice): it cuts off the
  // one playing and is cut off by the next, as files are. Empty is silence
  // and leaves the sound playing alone.
  void suona(std::shared_ptr<const QByteArray> pcm);

  // How the player reads a sound file into formatoSuono, for a caller that
  // wants the sound itself (a word's voice, checked before it is chosen).
  // Safe on any thread, and slow as the disk: never for the UI thread.
  // Empty when the file is not a sound or the reader cannot be had.
  using Lettura = std::function<QByteArray(const QString &percorso)>;
  Lettura lettura() const;

 private:
  class Uscita;  // each platform's own
  std::unique_ptr<Uscita> uscita_;
  QString cartellaProgramma_;
};

}  // namespace quirlo
