// Checking a drawing reads a file of ordinary size whole and a larger one only
// in part: both ways must reach the same verdict.
#include "Immagini.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace quirlo;

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

QTEST_MAIN(ProvaImmagini)
#include "test_immagini.moc"
