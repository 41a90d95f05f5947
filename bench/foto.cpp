// A camera's 12-megapixel photo imported as the editor does it, in a process of
// its own so that its peak memory is the import's: from the file chosen to the
// crop frame (decoded at preview size), then saved as a word's drawing.
// Prints one JSON line: times in ms, peak resident set in MiB before and after.
//
// Usage: quirlo_bench_foto PHOTO.jpg USER_FOLDER     (the photo is made when missing)
#include "Foto.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "Catalogo.h"
#include "Cornice.h"
#include "PiccoMemoria.h"

namespace {

// 4000 x 3000 with detail in it (a flat picture decodes faster than a photo),
// tagged as taken with the phone upright (EXIF orientation 6).
void creaFoto(const QString &percorso) {
  QImage img(4000, 3000, QImage::Format_RGB32);
  for (int y = 0; y < img.height(); ++y) {
    auto *riga = reinterpret_cast<QRgb *>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x)
      riga[x] = qRgb((x * 7 + y * 3) % 256, (x ^ y) & 0xFF, (x * y / 97) % 256);
  }
  img.save(percorso, "JPG", 92);
  QFile f(percorso);
  f.open(QIODevice::ReadOnly);
  QByteArray j = f.readAll();
  f.close();
  const QByteArray exif(
      "\xFF\xE1\x00\x22"
      "Exif\0\0"
      "MM\0\x2A\0\0\0\x08"
      "\0\x01"
      "\x01\x12\0\x03\0\0\0\x01\0\x06\0\0"
      "\0\0\0\0",
      36);
  j.insert(4 + ((uchar(j[4]) << 8) | uchar(j[5])), exif);
  f.open(QIODevice::WriteOnly);
  f.write(j);
}

}  // namespace

int main(int argc, char *argv[]) {
  QCoreApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: quirlo_bench_foto PHOTO.jpg USER_FOLDER\n");
    return 2;
  }
  const QString foto = QString::fromLocal8Bit(argv[1]);
  if (!QFile::exists(foto)) {
    creaFoto(foto);
    return 0;  // made; measured by the next run, in a fresh process
  }
  const double prima = piccoMiB();
  QElapsedTimer t;
  t.start();
  const quirlo::editor::Foto f = quirlo::editor::apriFoto(foto, 1600);
  const double apertura = t.nsecsElapsed() / 1e6;
  if (!f.valida()) {
    std::fprintf(stderr, "%s\n", qPrintable(f.errore));
    return 1;
  }
  const double dopoApertura = piccoMiB();
  const quirlo::catalogo::Lista &lista = quirlo::catalogo::Liste[0];
  t.restart();
  const auto salvato =
      quirlo::editor::salvaDisegno(f, quirlo::editor::ritaglioPredefinito(f.dimensione, quirlo::editor::cornice(lista)),
                                   lista, QStringLiteral("lago"), QString::fromLocal8Bit(argv[2]));
  const double salvataggio = t.nsecsElapsed() / 1e6;
  if (!salvato.errore.isEmpty()) {
    std::fprintf(stderr, "%s\n", qPrintable(salvato.errore));
    return 1;
  }
  std::printf(
      "{\"apertura_ms\": %.1f, \"salvataggio_ms\": %.1f, \"picco_prima_mib\": %.1f, "
      "\"picco_apertura_mib\": %.1f, \"picco_mib\": %.1f, \"dritta\": %s}\n",
      apertura, salvataggio, prima, dopoApertura, piccoMiB(), f.dimensione == QSize(3000, 4000) ? "true" : "false");
  return 0;
}
