#include "JpegProva.h"

#include <QBuffer>
#include <QImageWriter>

namespace quirlo::prova::jpeg {

QByteArray codifica(const QImage &img, bool progressivo, int qualita) {
  QByteArray byte;
  QBuffer buffer(&byte);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter scrittore(&buffer, "jpeg");
  scrittore.setProgressiveScanWrite(progressivo);
  scrittore.setQuality(qualita);
  if (!scrittore.write(img))
    qFatal("cannot encode a JPEG");
  return byte;
}

QByteArray progressivoDichiarato(int larghezza, int altezza, quint8 campionamento) {
  QImage img(16, 16, QImage::Format_RGB32);
  img.fill(Qt::darkCyan);
  QByteArray byte = codifica(img, true);
  const qsizetype sof = byte.indexOf(QByteArrayView("\xFF\xC2", 2));
  if (sof < 0)
    qFatal("the writer made no progressive JPEG");
  byte[sof + 5] = char(altezza >> 8);
  byte[sof + 6] = char(altezza & 0xFF);
  byte[sof + 7] = char(larghezza >> 8);
  byte[sof + 8] = char(larghezza & 0xFF);
  byte[sof + 11] = char(campionamento);
  return byte;
}

QByteArray dopoInizio(const QByteArray &jpeg, const QByteArray &byte) { return jpeg.left(2) + byte + jpeg.mid(2); }

QByteArray commenti(int quanti, int lunghezza) {
  const QByteArray uno = QByteArray("\xFF\xFE", 2) + char((lunghezza + 2) >> 8) + char((lunghezza + 2) & 0xFF) +
                         QByteArray(lunghezza, 'c');
  return uno.repeated(quanti);
}

QByteArray ultimaScansioneRipetuta(const QByteArray &jpeg, int volte) {
  const qsizetype sos = jpeg.lastIndexOf(QByteArrayView("\xFF\xDA", 2));
  const qsizetype fine = jpeg.lastIndexOf(QByteArrayView("\xFF\xD9", 2));
  if (sos < 0 || fine < sos)
    qFatal("no scan to repeat");
  return jpeg.left(sos) + jpeg.mid(sos, fine - sos).repeated(volte) + jpeg.mid(fine);
}

QByteArray orientamentoExif(int orientamento) {
  // Little-endian TIFF: one IFD with one SHORT entry, then no next IFD.
  const QByteArray tiff = QByteArray("II*\0\x08\0\0\0", 8) + QByteArray("\x01\0", 2) + QByteArray("\x12\x01\x03\0", 4) +
                          QByteArray("\x01\0\0\0", 4) + char(orientamento) + QByteArray(3, '\0') +
                          QByteArray(4, '\0');
  const QByteArray corpo = QByteArray("Exif\0\0", 6) + tiff;
  return QByteArray("\xFF\xE1", 2) + char((corpo.size() + 2) >> 8) + char((corpo.size() + 2) & 0xFF) + corpo;
}

QImage dueColori(int larghezza, int altezza, QColor sinistra, QColor destra) {
  QImage img(larghezza, altezza, QImage::Format_RGB32);
  for (int y = 0; y < altezza; ++y)
    for (int x = 0; x < larghezza; ++x)
      img.setPixelColor(x, y, x < larghezza / 2 ? sinistra : destra);
  return img;
}

}  // namespace quirlo::prova::jpeg
