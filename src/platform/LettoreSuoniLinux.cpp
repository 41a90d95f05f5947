// The player on Linux: a thread of its own, where the sound output module
// (UscitaSuono.h) is loaded on the first request and then plays. Loading it,
// opening the stream and reading the files all wait on something (the disk,
// the sound server); the caller never does.
#include "LettoreSuoni.h"

#include "DecodificaSuoni.h"
#include "UscitaSuono.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QThread>
#include <mutex>

namespace quirlo {

class LettoreSuoni::Uscita {
 public:
  explicit Uscita(QString cartella) : cartella_(std::move(cartella)) {}
  ~Uscita() {
    if (filo_) {
      filo_->quit();
      filo_->wait();
    }
  }

  // Runs `azione` on the player's thread with the output, once it is there;
  // without the module the sounds are silence.
  template <typename Azione>
  void chiedi(Azione azione) {
    if (!filo_) {
      filo_ = std::make_unique<QThread>();
      filo_->setObjectName(QStringLiteral("LettoreSuoni"));
      ponte_ = new QObject;
      ponte_->moveToThread(filo_.get());
      // Deleted on its own thread as that thread ends, output and all.
      QObject::connect(filo_.get(), &QThread::finished, ponte_, &QObject::deleteLater);
      filo_->start();
    }
    QMetaObject::invokeMethod(ponte_, [this, azione] {
      if (UscitaSuono *u = uscita())
        azione(*u);
    }, Qt::QueuedConnection);
  }

 private:
  // On the player's thread only.
  UscitaSuono *uscita() {
    if (provata_)
      return uscita_;
    provata_ = true;
    const QString cartella = cartella_.isEmpty() ? QCoreApplication::applicationDirPath() : cartella_;
    QLibrary modulo(QDir(cartella).filePath(QLatin1String(NomeModuloSuono)));
    const auto fabbrica = reinterpret_cast<FabbricaUscitaSuono>(modulo.resolve(NomeFabbricaUscitaSuono));
    if (fabbrica) {
      uscita_ = fabbrica();
      uscita_->setParent(ponte_);
    }
    return uscita_;
  }

  const QString cartella_;
  std::unique_ptr<QThread> filo_;
  QObject *ponte_ = nullptr;          // lives on filo_; reached by queued calls only
  UscitaSuono *uscita_ = nullptr;     // a child of ponte_
  bool provata_ = false;
};

LettoreSuoni::LettoreSuoni(const QString &cartellaProgramma)
    : uscita_(std::make_unique<Uscita>(cartellaProgramma)), cartellaProgramma_(cartellaProgramma) {}
LettoreSuoni::~LettoreSuoni() = default;

void LettoreSuoni::precarica(const QString &percorso) {
  uscita_->chiedi([percorso](UscitaSuono &u) { u.precarica(percorso); });
}

void LettoreSuoni::suona(const QString &percorso) {
  uscita_->chiedi([percorso](UscitaSuono &u) { u.suona(percorso); });
}

void LettoreSuoni::suona(std::shared_ptr<const QByteArray> pcm) {
  if (!pcm || pcm->size() < formatoSuono::BytePerFrame)
    return;
  // A frame cut in half would shift every later one.
  const qsizetype intere = pcm->size() / formatoSuono::BytePerFrame * formatoSuono::BytePerFrame;
  if (intere != pcm->size())
    pcm = std::make_shared<const QByteArray>(pcm->left(intere));
  uscita_->chiedi([pcm](UscitaSuono &u) { u.suona(pcm); });
}

LettoreSuoni::Lettura LettoreSuoni::lettura() const {
  // The decoder is in the output module, with the libraries it needs: read
  // through it, the game maps them only once it plays or reads a sound.
  struct Modulo {
    std::once_flag caricato;
    LetturaSuono leggi = nullptr;
  };
  auto modulo = std::make_shared<Modulo>();
  const QString cartella = cartellaProgramma_.isEmpty() ? QCoreApplication::applicationDirPath() : cartellaProgramma_;
  return [modulo, cartella](const QString &percorso) {
    std::call_once(modulo->caricato, [&] {
      QLibrary libreria(QDir(cartella).filePath(QLatin1String(NomeModuloSuono)));
      modulo->leggi = reinterpret_cast<LetturaSuono>(libreria.resolve(NomeLetturaSuono));
    });
    QByteArray pcm;
    if (modulo->leggi)
      modulo->leggi(percorso, pcm);
    return pcm;
  };
}

}  // namespace quirlo
