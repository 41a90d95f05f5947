#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <memory>

namespace quirlo {

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

}  // namespace quirlo
