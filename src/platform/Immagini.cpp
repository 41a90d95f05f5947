#include "Immagini.h"

#include "FileRegolare.h"
#include "StrutturaJpeg.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <algorithm>

namespace quirlo {

namespace {

// The JPEG reader shrinks while it decodes (down to an eighth), so even a
// camera's photo costs a few megabytes, unless it must keep the whole image's
// coefficients (see memoriaDecodificaJpeg); other formats are decoded whole
// before scaling. Past these a picture is refused: no drawing may hold
// hundreds of megabytes, nor keep a thread busy for long.
constexpr qint64 MassimoPixelRiducibile = 120'000'000;
constexpr qint64 MassimoByteDecodifica = 64LL * 1024 * 1024;
// Sixteen million blocks: a few dozen passes over the largest progressive
// picture the memory allows, a second or so of work.
constexpr qint64 MassimeVisite = 16'000'000;
// A 120-megapixel photo at the best quality is half this.
constexpr qint64 MassimoByteFile = 128LL * 1024 * 1024;
// Checking a file up to this size reads it whole; a larger one only in part.
constexpr qint64 MassimoByteInMemoria = 1024 * 1024;

// The file as it was when opened, read no further than that; once
// `annullata` is set it reads as ended, which stops any decoder at once.
class Limitato : public QIODevice {
 public:
  Limitato(QFile &file, const std::atomic<bool> *annullata)
      : file_(file), dimensione_(file.size()), annullata_(annullata) {
    open(QIODevice::ReadOnly);
  }
  bool isSequential() const override { return false; }
  qint64 size() const override { return dimensione_; }
  bool seek(qint64 pos) override { return pos <= dimensione_ && QIODevice::seek(pos) && file_.seek(pos); }

 protected:
  qint64 readData(char *dati, qint64 massimo) override {
    if (annullata_ && annullata_->load(std::memory_order_relaxed))
      return -1;
    return file_.read(dati, std::min(massimo, dimensione_ - file_.pos()));
  }
  qint64 writeData(const char *, qint64) override { return -1; }

 private:
  QFile &file_;
  const qint64 dimensione_;
  const std::atomic<bool> *annullata_;
};

StatoImmagine giudica(const CostoJpeg &c) {
  if (c.troppi || (c.letto && (c.memoria > MassimoByteDecodifica || c.visite > MassimeVisite)))
    return StatoImmagine::TroppoPesante;
  return c.letto ? StatoImmagine::Buona : StatoImmagine::NonLeggibile;
}

// `d` at its start; `ridotta`: decoded at a smaller size, when the format can.
EsameImmagine esamina(QIODevice &d, QImageReader &lettore, Portata portata, bool ridotta) {
  // Too large a file is not walked through: whether it is a picture is enough.
  const bool enorme = portata == Portata::Tutto && d.size() > MassimoByteFile;
  // The decoder is never asked about a JPEG before its structure is known:
  // reading its header already keeps every comment and metadata segment.
  const CostoJpeg costo = costoJpeg(d, enorme ? Portata::Intestazione : portata);
  if (!d.seek(0))
    return {};
  if (costo.jpeg && giudica(costo) != StatoImmagine::Buona)
    return {giudica(costo), {}};
  // A list's check needs no more: reading the header through the decoder
  // would cost every comment's conversion to text, a hundred drawings over.
  if (costo.jpeg && portata == Portata::Intestazione) {
    const QSize originale = costo.dimensione;
    if (originale.isEmpty())
      return {};
    const qint64 pixel = qint64(originale.width()) * originale.height();
    return {pixel <= MassimoPixelRiducibile ? StatoImmagine::Buona : StatoImmagine::TroppoPesante,
            costo.orientamento >= 5 ? originale.transposed() : originale};
  }
  lettore.setDevice(&d);
  lettore.setDecideFormatFromContent(true);
  lettore.setAutoTransform(true);
  if (!lettore.canRead())
    return {};
  const QSize originale = lettore.size();
  if (!originale.isValid() || originale.isEmpty())
    return {};
  const qint64 pixel = qint64(originale.width()) * originale.height();
  const bool girata = lettore.transformation() & QImageIOHandler::TransformationRotate90;
  const QSize dritta = girata ? originale.transposed() : originale;
  if (enorme)
    return {StatoImmagine::TroppoPesante, dritta};
  if (ridotta && lettore.supportsOption(QImageIOHandler::ScaledSize))
    return {pixel <= MassimoPixelRiducibile ? StatoImmagine::Buona : StatoImmagine::TroppoPesante, dritta};
  // Decoded whole, and turned into a second image of the same size.
  const int bit = std::max(32, int(QImage::toPixelFormat(lettore.imageFormat()).bitsPerPixel()));
  const qint64 copie = lettore.transformation() == QImageIOHandler::TransformationNone ? 1 : 2;
  return {pixel * bit / 8 * copie <= MassimoByteDecodifica ? StatoImmagine::Buona : StatoImmagine::TroppoPesante,
          dritta};
}

}  // namespace

qint64 memoriaDecodificaJpeg(QIODevice &d) {
  const CostoJpeg costo = costoJpeg(d, Portata::Intestazione);
  return costo.letto ? costo.memoria : 0;
}

EsameImmagine esaminaImmagine(const QString &percorso, bool tutta) {
  QFile file;
  if (!apriFileRegolare(file, percorso))
    return {fileRegolare(percorso) ? StatoImmagine::NonApribile : StatoImmagine::NonLeggibile, {}};
  QImageReader lettore;
  if (tutta) {
    Limitato limitato(file, nullptr);
    return esamina(limitato, lettore, Portata::Tutto, true);
  }
  // A list's hundred drawings are checked in a row, and system calls are what
  // that costs: a drawing of ordinary size is read once and its header parsed
  // in memory, instead of being peeked at and read again through the file.
  // Never more than that, whatever size the file said: it may be growing.
  const QByteArray inizio = file.read(MassimoByteInMemoria + 1);
  if (inizio.size() <= MassimoByteInMemoria) {
    QBuffer copia;
    copia.setData(inizio);
    copia.open(QIODevice::ReadOnly);
    return esamina(copia, lettore, Portata::Intestazione, true);
  }
  if (!file.seek(0))
    return {};
  return esamina(file, lettore, Portata::Intestazione, true);
}

QImage decodificaImmagine(const QString &percorso, QSize dimensione, const std::atomic<bool> *annullata) {
  QFile file;
  if (!apriFileRegolare(file, percorso))
    return {};
  Limitato limitato(file, annullata);
  QImageReader lettore;
  const bool ridotta = dimensione.isValid() && !dimensione.isEmpty();
  // Checked again, and whole: the file may have changed since its list was accepted.
  if (esamina(limitato, lettore, Portata::Tutto, ridotta).stato != StatoImmagine::Buona)
    return {};
  if (ridotta) {
    // The reader scales the picture as stored, then turns it.
    const bool girata = lettore.transformation() & QImageIOHandler::TransformationRotate90;
    lettore.setScaledSize(girata ? dimensione.transposed() : dimensione);
  }
  QImage immagine = lettore.read();
  if (annullata && annullata->load())
    return {};
  return immagine;
}

}  // namespace quirlo
