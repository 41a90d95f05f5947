// Checking a drawing reads a file of ordinary size whole and a larger one only
// in part: both ways must reach the same verdict.
#include "Immagini.h"
#include "JpegProva.h"
#include "ProvaMain.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace quirlo;
namespace j = quirlo::prova::jpeg;

namespace {

constexpr qint64 Soglia = 1024 * 1024;

QByteArray jpeg(const QImage &img, int qualita) {
  QByteArray byte;
  QBuffer buffer(&byte);
  buffer.open(QIODevice::WriteOnly);
  img.save(&buffer, "JPEG", qualita);
  return byte;
}

// Noise does not compress: at this size and quality the file passes the threshold.
QByteArray jpegGrande() {
  QImage img(1100, 1100, QImage::Format_RGB32);
  QRandomGenerator caso(7);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      img.setPixel(x, y, caso.generate());
  return jpeg(img, 100);
}

QByteArray jpegPiccolo() {
  QImage img(288, 240, QImage::Format_RGB32);
  img.fill(Qt::white);
  return jpeg(img, 88);
}

// The start of a JPEG and nothing after its tables: no frame header, so no size.
QByteArray senzaDimensioni(const QByteArray &buono, qint64 lunghezza) {
  QByteArray byte = buono.left(60);
  byte.append(QByteArray(lunghezza - byte.size(), '\0'));
  return byte;
}

}  // namespace

class ProvaImmagini : public QObject {
  Q_OBJECT

 private slots:
  void leggibile_data() {
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<bool>("atteso");
    const QByteArray grande = jpegGrande();
    QVERIFY(grande.size() > Soglia);
    const QByteArray piccolo = jpegPiccolo();
    QTest::newRow("small JPEG") << piccolo << true;
    QTest::newRow("JPEG over the threshold") << grande << true;
    QTest::newRow("small, headers cut") << senzaDimensioni(piccolo, 4096) << false;
    QTest::newRow("over the threshold, headers cut") << senzaDimensioni(piccolo, Soglia + 4096) << false;
    QTest::newRow("small, not a picture") << QByteArray(4096, 'x') << false;
    QTest::newRow("over the threshold, not a picture") << QByteArray(Soglia + 4096, 'x') << false;
    QTest::newRow("empty") << QByteArray() << false;
  }

  void leggibile() {
    QFETCH(QByteArray, contenuto);
    QFETCH(bool, atteso);
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("casa.jpg"));
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenuto);
    f.close();
    QCOMPARE(immagineLeggibile(percorso), atteso);
    // What the check accepts, the exercise can show.
    QCOMPARE(!decodificaImmagine(percorso, QSize(142, 118)).isNull(), atteso);
  }

  // What the decoder will hold, from the frame header: a progressive file
  // keeps every coefficient of the image (2 bytes each, in whole blocks of
  // its sampling) whatever size it is shown at. Past 64 MiB it is refused.
  void memoriaJpeg_data() {
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<qint64>("memoria");
    QTest::addColumn<bool>("accettato");
    QTest::newRow("progressive 10900x11000 4:4:4") << j::progressivoDichiarato(10900, 11000, 0x11)
                                                   << qint64(1363) * 1375 * 3 * 128 << false;
    QTest::newRow("progressive 10900x11000 4:2:0")
        << j::progressivoDichiarato(10900, 11000, 0x22) << (qint64(1364) * 1376 + 2 * qint64(682) * 688) * 128 << false;
    QTest::newRow("progressive 4000x4000 4:4:4") << j::progressivoDichiarato(4000, 4000, 0x11)
                                                 << qint64(500) * 500 * 3 * 128 << false;
    QTest::newRow("progressive 3300x3300 4:4:4, just below") << j::progressivoDichiarato(3300, 3300, 0x11)
                                                             << qint64(413) * 413 * 3 * 128 << true;
    QTest::newRow("progressive 3000x3000 4:2:0") << j::progressivoDichiarato(3000, 3000, 0x22)
                                                 << (qint64(376) * 376 + 2 * qint64(188) * 188) * 128 << true;
    QTest::newRow("progressive 16x16 4:2:0") << j::progressivoDichiarato(16, 16, 0x22)
                                             << (qint64(2) * 2 + 2 * 1 * 1) * 128 << true;
    QTest::newRow("not a JPEG") << QByteArray(4096, 'x') << qint64(0) << false;
  }
  void memoriaJpeg() {
    QFETCH(QByteArray, contenuto);
    QFETCH(qint64, memoria);
    QFETCH(bool, accettato);
    QBuffer buffer(&contenuto);
    buffer.open(QIODevice::ReadOnly);
    QCOMPARE(memoriaDecodificaJpeg(buffer), memoria);
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("casa.jpg"));
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenuto);
    f.close();
    QCOMPARE(immagineLeggibile(percorso), accettato);
    if (!accettato)  // nor decoded if it was put there after the check
      QVERIFY(decodificaImmagine(percorso, QSize(142, 118)).isNull());
  }

  // A baseline JPEG holds a few rows whatever its size; its own limit is on pixels.
  void memoriaJpegSequenziale() {
    QByteArray byte = jpegPiccolo();
    QBuffer buffer(&byte);
    buffer.open(QIODevice::ReadOnly);
    const qint64 memoria = memoriaDecodificaJpeg(buffer);
    QVERIFY(memoria > 0);
    QVERIFY2(memoria < 1024 * 1024, qPrintable(QString::number(memoria)));
  }

  // Files cheap on disk and dear to decode. What the header says decides a
  // list's check; what the whole structure says decides the decode, and both
  // agree with what is refused. Stray bytes and empty segments before the
  // frame header hide nothing.
  void strutturaOstile_data() {
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<int>("intestazione");  // StatoImmagine from the header
    QTest::addColumn<int>("tutta");         // from the whole file
    const auto buona = int(StatoImmagine::Buona), pesante = int(StatoImmagine::TroppoPesante);
    const QByteArray grande = j::progressivoDichiarato(10900, 11000, 0x11);
    QTest::newRow("4100 empty comments, then 10900x11000 progressive")
        << j::dopoInizio(grande, j::commenti(4100, 0)) << pesante << pesante;
    QTest::newRow("one stray byte, then 10900x11000 progressive") << j::dopoInizio(grande, "\x00") << pesante << pesante;
    QTest::newRow("stray bytes and fill, then 10900x11000 progressive")
        << j::dopoInizio(grande, QByteArray("ab\xFF\x00" "cd\xFF\xFF", 8)) << pesante << pesante;
    QTest::newRow("120 comments of 64 KB") << j::dopoInizio(jpegPiccolo(), j::commenti(120, 65000)) << pesante << pesante;
    QTest::newRow("1000 empty comments") << j::dopoInizio(jpegPiccolo(), j::commenti(1000, 0)) << buona << buona;
    const QByteArray ripetibile = j::progressivoDichiarato(4000, 4000, 0x22);
    QTest::newRow("progressive 4000x4000") << ripetibile << buona << buona;
    QTest::newRow("progressive 4000x4000, last scan 2000 times")
        << j::ultimaScansioneRipetuta(ripetibile, 2000) << buona << pesante;
    QTest::newRow("progressive 4000x4000, last scan 20 times")
        << j::ultimaScansioneRipetuta(ripetibile, 20) << buona << buona;
  }
  void strutturaOstile() {
    QFETCH(QByteArray, contenuto);
    QFETCH(int, intestazione);
    QFETCH(int, tutta);
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("casa.jpg"));
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenuto);
    f.close();
    QCOMPARE(int(controllaImmagine(percorso)), intestazione);
    QCOMPARE(int(esaminaImmagine(percorso, true).stato), tutta);
    QCOMPARE(decodificaImmagine(percorso, QSize(142, 118)).isNull(), tutta != int(StatoImmagine::Buona));
  }

  // A camera's orientation is applied: sizes are those of the upright
  // picture, and its pixels are turned.
  void orientamento_data() {
    QTest::addColumn<int>("exif");
    QTest::addColumn<QSize>("dritta");
    QTest::addColumn<QColor>("inAlto");  // at the top-left corner, shown
    QTest::addColumn<QColor>("inBasso");  // at the bottom-right corner
    QTest::newRow("none") << 0 << QSize(40, 20) << QColor(Qt::red) << QColor(Qt::blue);
    QTest::newRow("1, as stored") << 1 << QSize(40, 20) << QColor(Qt::red) << QColor(Qt::blue);
    QTest::newRow("3, upside down") << 3 << QSize(40, 20) << QColor(Qt::blue) << QColor(Qt::red);
    QTest::newRow("6, a phone held upright") << 6 << QSize(20, 40) << QColor(Qt::red) << QColor(Qt::blue);
    QTest::newRow("8, turned the other way") << 8 << QSize(20, 40) << QColor(Qt::blue) << QColor(Qt::red);
  }
  void orientamento() {
    QFETCH(int, exif);
    QFETCH(QSize, dritta);
    QFETCH(QColor, inAlto);
    QFETCH(QColor, inBasso);
    using namespace quirlo::prova::jpeg;
    QByteArray contenuto = codifica(dueColori(40, 20, Qt::red, Qt::blue), false, 95);
    if (exif > 0)
      contenuto = dopoInizio(contenuto, orientamentoExif(exif));
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("foto.jpg"));
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenuto);
    f.close();
    QCOMPARE(esaminaImmagine(percorso).dimensione, dritta);
    QCOMPARE(esaminaImmagine(percorso, true).dimensione, dritta);
    // Asked for at the upright size, it comes at that size, the right way up.
    const QImage img = decodificaImmagine(percorso, dritta);
    QCOMPARE(img.size(), dritta);
    const auto vicino = [](QColor a, QColor b) {
      return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 90;
    };
    QVERIFY2(vicino(img.pixelColor(2, 2), inAlto), qPrintable(img.pixelColor(2, 2).name()));
    QVERIFY2(vicino(img.pixelColor(img.width() - 3, img.height() - 3), inBasso),
             qPrintable(img.pixelColor(img.width() - 3, img.height() - 3).name()));
  }

  void nonFile_data() {
    QTest::addColumn<QString>("nome");
    QTest::newRow("missing") << QStringLiteral("manca.jpg");
    QTest::newRow("folder") << QStringLiteral("cartella.jpg");
  }

  void nonFile() {
    QFETCH(QString, nome);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("cartella.jpg")));
    QVERIFY(!immagineLeggibile(dir.filePath(nome)));
  }
};

QUIRLO_TEST_MAIN(ProvaImmagini)
#include "test_immagini.moc"
