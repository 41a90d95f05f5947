#include "Immagini.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

namespace quirlo {

namespace {

// The JPEG reader shrinks while it decodes (down to an eighth), so even a
// camera's photo costs a few megabytes; other formats are decoded whole before
// scaling. Past these sizes a picture is refused: a drop handler must never
// wait seconds for a drawing nor hold gigabytes, and Qt's own allocation limit
// would leave the frame empty anyway.
constexpr qint64 MassimoPixelRiducibile = 120'000'000;
constexpr qint64 MassimoByteIntero = 96LL * 1024 * 1024;
// Checking a file up to this size reads it whole; a larger one only in part.
constexpr qint64 MassimoByteInMemoria = 1024 * 1024;

bool dimensioniAccettabili(QImageReader &lettore) {
  const QSize originale = lettore.size();
  if (!originale.isValid() || originale.isEmpty())
    return false;
  const qint64 pixel = qint64(originale.width()) * originale.height();
  if (lettore.supportsOption(QImageIOHandler::ScaledSize))
    return pixel <= MassimoPixelRiducibile;
  const int bit = std::max(32, int(QImage::toPixelFormat(lettore.imageFormat()).bitsPerPixel()));
  return pixel * bit / 8 <= MassimoByteIntero;
}

}  // namespace

bool immagineLeggibile(const QString &percorso) {
  const QFileInfo info(percorso);
  if (!info.isFile())
    return false;
  QFile file(percorso);
  if (!file.open(QIODevice::ReadOnly))
    return false;
  // A list's hundred drawings are checked in a row, and system calls are what
  // that costs: a drawing of ordinary size is read once and its header parsed
  // in memory, instead of being peeked at and read again through the file.
  QBuffer copia;
  if (info.size() <= MassimoByteInMemoria) {
    copia.setData(file.readAll());
    file.close();
    copia.open(QIODevice::ReadOnly);
  }
  QImageReader lettore(copia.isOpen() ? static_cast<QIODevice *>(&copia) : &file);
  lettore.setDecideFormatFromContent(true);
  return lettore.canRead() && dimensioniAccettabili(lettore);
}

QImage decodificaImmagine(const QString &percorso, QSize dimensione) {
  QImageReader lettore(percorso);
  lettore.setDecideFormatFromContent(true);
  // Checked again: the file may have changed since its list was accepted.
  if (!dimensioniAccettabili(lettore))
    return {};
  if (dimensione.isValid() && !dimensione.isEmpty())
    lettore.setScaledSize(dimensione);
  return lettore.read();
}

}  // namespace quirlo
