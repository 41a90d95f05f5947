// The microphone on Linux is read by the sound module, which already brings
// the sound server's client: the editor maps it only once she records.
#include "Microfono.h"

#include "UscitaSuono.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace quirlo {

std::unique_ptr<CatturaAudio> apriCattura(const QString &cartellaProgramma) {
  const QString cartella = cartellaProgramma.isEmpty() ? QCoreApplication::applicationDirPath() : cartellaProgramma;
  QLibrary modulo(QDir(cartella).filePath(QLatin1String(NomeModuloSuono)));
  const auto fabbrica = reinterpret_cast<FabbricaCattura>(modulo.resolve(NomeFabbricaCattura));
  return std::unique_ptr<CatturaAudio>(fabbrica ? fabbrica() : nullptr);
}

}  // namespace quirlo
