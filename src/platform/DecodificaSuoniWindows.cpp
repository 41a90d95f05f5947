#include "DecodificaSuoni.h"

#include "FileRegolare.h"
#include "Wav.h"

#include <QFile>

namespace quirlo {

SuonoLetto leggiSuono(const QString &percorso) {
  // Only regular files: a folder or a device named like a sound is not one.
  QFile file;
  if (!apriFileRegolare(file, percorso))
    return {};
  // Mapped, not read: only the part decoded is touched, however big the file.
  const qint64 dimensione = file.size();
  if (dimensione <= 0)
    return {};
  if (uchar *mappa = file.map(0, dimensione))
    return leggiWav(QByteArray::fromRawData(reinterpret_cast<const char *>(mappa), qsizetype(dimensione)),
                    formatoSuono::Frequenza, formatoSuono::Canali);
  // Unmapped: the header and as much data as is ever decoded.
  return leggiWav(file.read(formatoSuono::MassimoByteLetti + (1 << 20)), formatoSuono::Frequenza, formatoSuono::Canali);
}

}  // namespace quirlo
