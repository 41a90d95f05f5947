#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <memory>

class QThread;

namespace quirlo {

class UscitaAudio;

// The decoded sounds, each checked against its file whenever it is asked for:
// a sound copied in, replaced or removed while the game runs is what plays
// next. The check is one stat() of the file; only a change decodes again.
class ScortaSuoni {
 public:
  // Empty when the file is missing, not a regular file or not a sound.
  std::shared_ptr<const QByteArray> pcm(const QString &percorso);

 private:
  struct Firma {
    bool regolare = false;
    quint64 dispositivo = 0, inode = 0;
    qint64 byte = 0, modificaNs = 0;
    bool operator==(const Firma &) const = default;
  };
  static Firma firma(const QString &percorso);
  struct Voce {
    Firma firma;
    std::shared_ptr<const QByteArray> pcm;
  };
  QHash<QString, Voce> voci_;
};

// One player for the whole program. Sounds are decoded into PCM and fed to a
// sink that stays open until the sound has drained, so short effects are
// heard to their last sample. The sink and the decoded sounds live on a thread
// of their own: opening the stream waits on the sound server for milliseconds,
// and looking at or reading a file may wait on the disk; the drop that asked
// for the sound must do neither. Missing files, unplayable files, special files
// and a missing audio device are all silent.
class LettoreSuoni : public QObject {
  Q_OBJECT
 public:
  explicit LettoreSuoni(QObject *parent = nullptr);
  ~LettoreSuoni() override;

  void precarica(const QString &percorso);
  void suona(const QString &percorso);

  // 16-bit stereo PCM at the sink's rate; empty when the file can't be decoded.
  static QByteArray decodifica(const QString &percorso);
  static constexpr int Frequenza = 44100;
  static constexpr int Canali = 2;

 private:
  bool apriUscita();

  QThread *filo_ = nullptr;
  UscitaAudio *uscita_ = nullptr;  // lives on filo_; reached by queued calls only
  bool uscitaProvata_ = false;
};

}  // namespace quirlo
