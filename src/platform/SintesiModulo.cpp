// On Linux the engine is in the module quirlo-sintesi, loaded here on the
// synthesis thread the first time a word has no recording: libespeak-ng and
// its data are never mapped before the first frame, nor in a game whose
// words all have a recording.
#include "MotoreSintesi.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace quirlo {

namespace {

class MotoreMuto : public MotoreSintesi {
 public:
  Pcm sintetizza(const QString &, const Vincoli &) override { return {}; }
};

}  // namespace

std::unique_ptr<MotoreSintesi> creaMotoreSintesi(const QString &cartellaProgramma) {
  const QString cartella = cartellaProgramma.isEmpty() ? QCoreApplication::applicationDirPath() : cartellaProgramma;
  QLibrary modulo(QDir(cartella).filePath(QLatin1String(NomeModuloSintesi)));
  const auto fabbrica = reinterpret_cast<FabbricaMotoreSintesi>(modulo.resolve(NomeFabbricaMotoreSintesi));
  if (!fabbrica)
    return std::make_unique<MotoreMuto>();
  return std::unique_ptr<MotoreSintesi>(fabbrica());
}

}  // namespace quirlo
