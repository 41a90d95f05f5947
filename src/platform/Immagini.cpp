#include "Immagini.h"

#include "FileRegolare.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <algorithm>

namespace quirlo {

namespace {

// The JPEG reader shrinks while it decodes (down to an eighth), so even a
// camera's photo costs a few megabytes, unless it must keep the whole image's
// coefficients (see memoriaDecodificaJpeg); other formats are decoded whole
// before scaling. Past these sizes a picture is refused: a drop handler must
// never wait seconds for a drawing nor hold hundreds of megabytes, and Qt's
// own allocation limit would leave the frame empty anyway.
constexpr qint64 MassimoPixelRiducibile = 120'000'000;
constexpr qint64 MassimoByteDecodifica = 64LL * 1024 * 1024;
// Checking a file up to this size reads it whole; a larger one only in part.
constexpr qint64 MassimoByteInMemoria = 1024 * 1024;

// `coefficienti`: what the JPEG decoder will hold besides the picture.
bool dimensioniAccettabili(QImageReader &lettore, qint64 coefficienti) {
  const QSize originale = lettore.size();
  if (!originale.isValid() || originale.isEmpty())
    return false;
  const qint64 pixel = qint64(originale.width()) * originale.height();
  if (lettore.supportsOption(QImageIOHandler::ScaledSize))
    return pixel <= MassimoPixelRiducibile && coefficienti <= MassimoByteDecodifica;
  const int bit = std::max(32, int(QImage::toPixelFormat(lettore.imageFormat()).bitsPerPixel()));
  return pixel * bit / 8 <= MassimoByteDecodifica;
}

// Reads the JPEG header of what `d` holds, then goes back to its start.
qint64 coefficientiDa(QIODevice &d) {
  const qint64 memoria = memoriaDecodificaJpeg(d);
  return d.seek(0) ? memoria : MassimoByteDecodifica + 1;
}

quint16 grandeEndian(const uchar *p) { return quint16((p[0] << 8) | p[1]); }

bool leggi(QIODevice &d, uchar *dove, qint64 quanti) { return d.read(reinterpret_cast<char *>(dove), quanti) == quanti; }

}  // namespace

qint64 memoriaDecodificaJpeg(QIODevice &d) {
  uchar b[4];
  if (!leggi(d, b, 2) || b[0] != 0xFF || b[1] != 0xD8)
    return 0;
  struct Componente {
    int h, v;
  };
  QList<Componente> componenti;
  qint64 larghezza = 0, altezza = 0;
  bool progressivo = false;
  // Segments are walked by their lengths; a file of endless tiny segments is
  // given up on rather than walked for ever.
  for (int segmenti = 0; segmenti < 4096; ++segmenti) {
    if (!leggi(d, b, 1))
      return 0;
    if (b[0] != 0xFF)
      return 0;
    do {
      if (!leggi(d, b + 1, 1))
        return 0;
    } while (b[1] == 0xFF);  // fill bytes
    const uchar marcatore = b[1];
    if (marcatore == 0xD8 || marcatore == 0x01 || (marcatore >= 0xD0 && marcatore <= 0xD7))
      continue;  // no length follows
    if (marcatore == 0xD9 || !leggi(d, b, 2))
      return 0;
    const int lunghezza = grandeEndian(b);
    if (lunghezza < 2)
      return 0;
    QByteArray corpo = d.read(lunghezza - 2);
    if (corpo.size() != lunghezza - 2)
      return 0;
    const auto *c = reinterpret_cast<const uchar *>(corpo.constData());
    const bool sof = marcatore >= 0xC0 && marcatore <= 0xCF && marcatore != 0xC4 && marcatore != 0xC8 &&
                     marcatore != 0xCC;
    if (sof) {
      if (corpo.size() < 6)
        return 0;
      progressivo = marcatore == 0xC2 || marcatore == 0xC6 || marcatore == 0xCA || marcatore == 0xCE;
      altezza = grandeEndian(c + 1);
      larghezza = grandeEndian(c + 3);
      const int n = c[5];
      if (n == 0 || corpo.size() < 6 + 3 * n)
        return 0;
      for (int i = 0; i < n; ++i) {
        const int h = c[6 + 3 * i + 1] >> 4, v = c[6 + 3 * i + 1] & 0x0F;
        if (h < 1 || h > 4 || v < 1 || v > 4)
          return 0;
        componenti.append({h, v});
      }
    } else if (marcatore == 0xDA) {
      if (componenti.isEmpty() || corpo.isEmpty())
        return 0;
      const bool piuPassate = progressivo || c[0] < componenti.size();
      int hMax = 1, vMax = 1;
      for (const Componente &k : std::as_const(componenti)) {
        hMax = std::max(hMax, k.h);
        vMax = std::max(vMax, k.v);
      }
      // Blocks of 8x8 per component, rounded up to whole units of its sampling,
      // as the decoder lays them out; each block is 64 coefficients of 2 bytes.
      const auto blocchi = [](qint64 lato, int campione, int massimo) {
        const qint64 campioni = (lato * campione + massimo - 1) / massimo;
        const qint64 b8 = (campioni + 7) / 8;
        return (b8 + campione - 1) / campione * campione;
      };
      qint64 memoria = 0;
      for (const Componente &k : std::as_const(componenti)) {
        if (piuPassate)
          memoria += blocchi(larghezza, k.h, hMax) * blocchi(altezza, k.v, vMax) * 128;
        else  // one row of units, twice over for context, plus the colour rows
          memoria += blocchi(larghezza, k.h, hMax) * 64 * k.v * 3;
      }
      return memoria;
    }
  }
  return 0;
}

StatoImmagine controllaImmagine(const QString &percorso) {
  QFile file;
  if (!apriFileRegolare(file, percorso))
    return fileRegolare(percorso) ? StatoImmagine::NonApribile : StatoImmagine::NonLeggibile;
  // A list's hundred drawings are checked in a row, and system calls are what
  // that costs: a drawing of ordinary size is read once and its header parsed
  // in memory, instead of being peeked at and read again through the file.
  // Never more than that, whatever size the file said: it may be growing.
  QBuffer copia;
  const QByteArray inizio = file.read(MassimoByteInMemoria + 1);
  if (inizio.size() <= MassimoByteInMemoria) {
    copia.setData(inizio);
    file.close();
    copia.open(QIODevice::ReadOnly);
  } else if (!file.seek(0)) {
    return StatoImmagine::NonLeggibile;
  }
  QIODevice &dispositivo = copia.isOpen() ? static_cast<QIODevice &>(copia) : file;
  const qint64 coefficienti = coefficientiDa(dispositivo);
  QImageReader lettore(&dispositivo);
  lettore.setDecideFormatFromContent(true);
  return lettore.canRead() && dimensioniAccettabili(lettore, coefficienti) ? StatoImmagine::Buona
                                                                          : StatoImmagine::NonLeggibile;
}

QImage decodificaImmagine(const QString &percorso, QSize dimensione) {
  QFile file;
  if (!apriFileRegolare(file, percorso))
    return {};
  const qint64 coefficienti = coefficientiDa(file);
  QImageReader lettore(&file);
  lettore.setDecideFormatFromContent(true);
  // Checked again: the file may have changed since its list was accepted.
  if (!lettore.canRead() || !dimensioniAccettabili(lettore, coefficienti))
    return {};
  if (dimensione.isValid() && !dimensione.isEmpty())
    lettore.setScaledSize(dimensione);
  return lettore.read();
}

}  // namespace quirlo
