#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <memory>

class QThread;

namespace quirlo {

class UscitaAudio;

// One player for the whole program. Sounds are decoded once into PCM and fed
// to a sink that stays open until the sound has drained, so short effects are
// heard to their last sample. The sink lives on a thread of its own: opening
// its stream waits on the sound server for milliseconds, and the drop that
// asked for the sound must not. Missing files, unplayable files and a missing
// audio device are all silent.
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
  std::shared_ptr<const QByteArray> pcm(const QString &percorso);

  QHash<QString, std::shared_ptr<const QByteArray>> cache_;
  QThread *filo_ = nullptr;
  UscitaAudio *uscita_ = nullptr;  // lives on filo_; reached by queued calls only
  bool uscitaProvata_ = false;
};

}  // namespace quirlo
