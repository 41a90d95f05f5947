// A photo turned into a word's drawing: upright whatever its orientation tag,
// cropped to the frame's proportion, at the size and under the name the game
// wants; a hostile file refused with a sentence.
#include "Catalogo.h"
#include "Controlli.h"
#include "Cornice.h"
#include "Foto.h"
#include "ProvaMain.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace quirlo;
using namespace quirlo::editor;

namespace {

// Stored 600 x 400, one colour a quarter: the corners tell how it was turned.
const QColor Rosso(220, 30, 30), Verde(30, 200, 30), Blu(30, 30, 220), Giallo(230, 220, 30);

QImage quadranti(int l = 600, int a = 400) {
  QImage img(l, a, QImage::Format_RGB32);
  QPainter p(&img);
  p.fillRect(0, 0, l / 2, a / 2, Rosso);
  p.fillRect(l / 2, 0, l - l / 2, a / 2, Verde);
  p.fillRect(0, a / 2, l / 2, a - a / 2, Blu);
  p.fillRect(l / 2, a / 2, l - l / 2, a - a / 2, Giallo);
  return img;
}

QByteArray jpeg(const QImage &img) {
  QByteArray b;
  QBuffer buf(&b);
  buf.open(QIODevice::WriteOnly);
  img.save(&buf, "JPG", 95);
  return b;
}

// A camera's orientation tag: an APP1 Exif segment with one IFD entry (0x0112),
// put right after the JFIF segment the writer starts with.
QByteArray conOrientamento(QByteArray j, int orientamento) {
  QByteArray exif("Exif\0\0", 6);
  exif += QByteArray("MM\0\x2A\0\0\0\x08", 8);  // big-endian TIFF, IFD0 at 8
  exif += QByteArray("\0\x01", 2);              // one entry
  exif += QByteArray("\x01\x12\0\x03\0\0\0\x01", 8);
  exif += char(0), exif += char(orientamento), exif += QByteArray(2, '\0');
  exif += QByteArray(4, '\0');  // no next IFD
  QByteArray segmento("\xFF\xE1", 2);
  const int lunghezza = int(exif.size()) + 2;
  segmento += char(lunghezza >> 8), segmento += char(lunghezza & 0xFF);
  segmento += exif;
  const int dopoApp0 = 4 + ((uchar(j[4]) << 8) | uchar(j[5]));
  Q_ASSERT(uchar(j[2]) == 0xFF && uchar(j[3]) == 0xE0);
  return j.insert(dopoApp0, segmento);
}

bool vicino(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 && std::abs(a.blue() - b.blue()) < 40;
}

void scrivi(const QString &percorso, const QByteArray &byte) {
  QFile f(percorso);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(byte);
}

}  // namespace

class ProvaFoto : public QObject {
  Q_OBJECT

 private slots:
  // Every EXIF orientation: the colour that must end up at the top left, and
  // whether the picture stands upright (portrait) once turned.
  void orientamento_data() {
    QTest::addColumn<int>("tag");
    QTest::addColumn<QColor>("altoSinistra");
    QTest::addColumn<QColor>("altoDestra");
    QTest::addColumn<bool>("verticale");
    QTest::newRow("1 as stored") << 1 << Rosso << Verde << false;
    QTest::newRow("2 mirrored") << 2 << Verde << Rosso << false;
    QTest::newRow("3 upside down") << 3 << Giallo << Blu << false;
    QTest::newRow("4 flipped") << 4 << Blu << Giallo << false;
    QTest::newRow("5 transposed") << 5 << Rosso << Blu << true;
    QTest::newRow("6 phone held upright") << 6 << Blu << Rosso << true;
    QTest::newRow("7 transverse") << 7 << Giallo << Verde << true;
    QTest::newRow("8 turned the other way") << 8 << Verde << Giallo << true;
  }

  void orientamento() {
    QFETCH(int, tag);
    QFETCH(QColor, altoSinistra);
    QFETCH(QColor, altoDestra);
    QFETCH(bool, verticale);
    QTemporaryDir dir;
    const QString foto = dir.filePath(QStringLiteral("foto.jpg"));
    scrivi(foto, conOrientamento(jpeg(quadranti()), tag));

    const Foto f = apriFoto(foto, 300);
    QVERIFY2(f.valida(), qPrintable(f.errore));
    QCOMPARE(f.dimensione, verticale ? QSize(400, 600) : QSize(600, 400));
    // Small, upright, the photo's shape: between half and all of the side asked for.
    const QSize a = f.anteprima.size();
    QVERIFY2(std::max(a.width(), a.height()) >= 150 && std::max(a.width(), a.height()) <= 300, qPrintable(QString::number(a.width())));
    QCOMPARE(a.width() * 3 == a.height() * 2, verticale);
    QCOMPARE(a.width() * 2 == a.height() * 3, !verticale);
    QVERIFY(vicino(f.anteprima.pixelColor(10, 10), altoSinistra));
    QVERIFY(vicino(f.anteprima.pixelColor(f.anteprima.width() - 10, 10), altoDestra));

    // The drawing saved from it: the whole width, cropped top and bottom, still upright.
    const catalogo::Lista &lista = catalogo::Liste[0];
    const DisegnoSalvato d =
        salvaDisegno(f, ritaglioPredefinito(f.dimensione, cornice(lista)), lista, QStringLiteral("lago"), dir.path());
    QVERIFY2(d.errore.isEmpty(), qPrintable(d.errore));
    const QImage salvata(d.percorso);
    QVERIFY(vicino(salvata.pixelColor(5, 5), altoSinistra));
    QVERIFY(vicino(salvata.pixelColor(salvata.width() - 5, 5), altoDestra));
  }

  // The frame's exact proportion at the size worked out from the layout, or
  // smaller (never enlarged) when the photo is.
  void formato_data() {
    QTest::addColumn<int>("lista");
    QTest::addColumn<QSize>("foto");
    QTest::addColumn<QSize>("atteso");
    QTest::newRow("two syllables, camera photo") << 0 << QSize(3000, 2000) << QSize(648, 540);
    QTest::newRow("three syllables, camera photo") << 2 << QSize(3000, 2000) << QSize(720, 720);
    QTest::newRow("two syllables, portrait") << 1 << QSize(1200, 1600) << QSize(648, 540);
    QTest::newRow("two syllables, small") << 0 << QSize(200, 150) << QSize(180, 150);
    QTest::newRow("three syllables, small") << 3 << QSize(90, 120) << QSize(90, 90);
  }

  void formato() {
    QFETCH(int, lista);
    QFETCH(QSize, foto);
    QFETCH(QSize, atteso);
    const catalogo::Lista &l = catalogo::Liste[lista];
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("foto.jpg"));
    scrivi(percorso, jpeg(quadranti(foto.width(), foto.height())));
    const Foto f = apriFoto(percorso, 200);
    const QRect r = ritaglioPredefinito(f.dimensione, cornice(l));
    // Centred and as large as fits.
    QVERIFY(r.width() == foto.width() || r.height() == foto.height());
    QVERIFY(std::abs(r.center().x() - foto.width() / 2) <= 1 && std::abs(r.center().y() - foto.height() / 2) <= 1);
    const DisegnoSalvato d = salvaDisegno(f, r, l, QStringLiteral("lago"), dir.path());
    QVERIFY2(d.errore.isEmpty(), qPrintable(d.errore));
    QCOMPARE(QImage(d.percorso).size(), atteso);
    QCOMPARE(atteso.width() * cornice(l).height(), atteso.height() * cornice(l).width());
  }

  // The name the game looks for: the word composed (NFC) + ".jpg", in the
  // user folder's "jpg"; what stood there is kept among the copies.
  void nome() {
    QTemporaryDir dir;
    const QString foto = dir.filePath(QStringLiteral("foto.png"));
    QVERIFY(quadranti().save(foto));
    const Foto f = apriFoto(foto, 100);
    const catalogo::Lista &l = catalogo::Liste[2];
    const QString scomposta = QStringLiteral("pedalo\u0300");
    QVERIFY(salvaDisegno(f, ritaglioPredefinito(f.dimensione, cornice(l)), l, scomposta, dir.path()).errore.isEmpty());
    QCOMPARE(QDir(dir.filePath(QStringLiteral("jpg"))).entryList(QDir::Files), QStringList{QStringLiteral("pedalò.jpg")});
    QVERIFY(salvaDisegno(f, QRect(0, 0, 60, 60), l, scomposta, dir.path()).errore.isEmpty());
    QCOMPARE(QImage(dir.filePath(QStringLiteral("jpg/pedalò.jpg"))).size(), QSize(60, 60));
    QCOMPARE(QDir(dir.filePath(QStringLiteral("copie/jpg"))).entryList(QDir::Files).size(), 1);
  }

  // JPEG keeps no transparency: a PNG's transparent background comes out white.
  void trasparenza() {
    QTemporaryDir dir;
    QImage img(120, 100, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter(&img).fillRect(40, 30, 40, 40, Rosso);
    QVERIFY(img.save(dir.filePath(QStringLiteral("t.png"))));
    const Foto f = apriFoto(dir.filePath(QStringLiteral("t.png")), 100);
    const catalogo::Lista &l = catalogo::Liste[0];
    const DisegnoSalvato d = salvaDisegno(f, QRect(0, 0, 120, 100), l, QStringLiteral("lago"), dir.path());
    QVERIFY2(d.errore.isEmpty(), qPrintable(d.errore));
    QVERIFY(vicino(QImage(d.percorso).pixelColor(3, 3), Qt::white));
  }

  // A picture with a palette (a GIF, a drawing's PNG) large enough to be
  // decoded smaller keeps its colours: a flat orange stays flat, in the saved
  // drawing and in the preview, instead of being dithered to 216 colours.
  void tavolozza() {
    QTemporaryDir dir;
    // Orange on the left; on the right every other colour of the palette,
    // mixed, so that scaling makes thousands of new ones.
    QImage img(1799, 1501, QImage::Format_Indexed8);  // sizes no step of the decoder divides
    QList<QRgb> tavola{qRgb(230, 120, 20)};
    for (int i = 1; i < 256; ++i)
      tavola << qRgb(i, (i * 37) % 256, (i * 91) % 256);
    img.setColorTable(tavola);
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        img.setPixel(x, y, x < 900 ? 0 : 1 + (x * 7 + y * 13) % 255);
    const QString file = dir.filePath(QStringLiteral("arancio.png"));
    QVERIFY(img.save(file));
    const Foto f = apriFoto(file, 800);
    QVERIFY2(f.valida(), qPrintable(f.errore));
    const catalogo::Lista &l = catalogo::Liste[0];
    const DisegnoSalvato d = salvaDisegno(f, ritaglioPredefinito(f.dimensione, cornice(l)), l, QStringLiteral("lago"), dir.path());
    QVERIFY2(d.errore.isEmpty(), qPrintable(d.errore));
    for (const QImage &risultato : {QImage(d.percorso), f.anteprima}) {
      QVERIFY(!risultato.isNull());
      int peggiore = 0;
      for (int y = 0; y < risultato.height(); y += 3)
        for (int x = 0; x < risultato.width() * 2 / 5; x += 3) {
          const QRgb p = risultato.pixel(x, y);
          peggiore = std::max({peggiore, std::abs(qRed(p) - 230), std::abs(qGreen(p) - 120), std::abs(qBlue(p) - 20)});
        }
      QVERIFY2(peggiore <= 8, qPrintable(QStringLiteral("%1x%2: %3").arg(risultato.width()).arg(risultato.height()).arg(peggiore)));
    }
  }

  // Refused with a sentence, never decoded: the teacher may pick anything.
  void rifiutate_data() {
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<QString>("frammento");
    QByteArray enorme = jpeg(quadranti(64, 48));
    // The frame header claims 60000 x 60000 pixels, progressive: gigabytes to decode.
    const qsizetype sof = enorme.indexOf(QByteArray("\xFF\xC0", 2));
    enorme[sof + 1] = char(0xC2);
    enorme[sof + 5] = char(0xEA), enorme[sof + 6] = char(0x60);
    enorme[sof + 7] = char(0xEA), enorme[sof + 8] = char(0x60);
    QTest::newRow("huge progressive jpeg") << enorme << QStringLiteral("troppo grande");
    QTest::newRow("text") << QByteArray("ca,sa\r\n") << QStringLiteral("non è un'immagine");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("non è un'immagine");
  }

  void rifiutate() {
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, frammento);
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("foto.jpg"));
    scrivi(percorso, contenuto);
    const Foto f = apriFoto(percorso, 300);
    QVERIFY2(f.errore.contains(frammento), qPrintable(f.errore));
    QVERIFY(f.anteprima.isNull());
    const DisegnoSalvato d = salvaDisegno(f, QRect(0, 0, 10, 10), catalogo::Liste[0], QStringLiteral("lago"), dir.path());
    QVERIFY(!d.errore.isEmpty());
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("jpg/lago.jpg"))));
  }

  // The checker's window warns of a drawing the game would show turned (its
  // orientation tag is ignored there) or squeezed by a frame of another shape.
  void avvisiSuiDisegni() {
    QTemporaryDir programma, utente;
    QFile lista(programma.filePath(QStringLiteral("lista2.txt")));
    QVERIFY(lista.open(QIODevice::WriteOnly));
    lista.write("ca,sa\r\nla,go\r\nma,re\r\n");
    lista.close();
    QVERIFY(QDir(programma.path()).mkdir(QStringLiteral("jpg")));
    scrivi(programma.filePath(QStringLiteral("jpg/lago.jpg")), conOrientamento(jpeg(quadranti()), 6));
    scrivi(programma.filePath(QStringLiteral("jpg/casa.jpg")), jpeg(quadranti(120, 100)));
    scrivi(programma.filePath(QStringLiteral("jpg/mare.jpg")), jpeg(quadranti(200, 100)));
    const QStringList avvisi = avvisiFoto({utente.path(), programma.path()});
    QCOMPARE(avvisi.size(), 3);
    QVERIFY2(avvisi[0].startsWith(QStringLiteral("[AVVISO] lista2.txt, riga 2: la foto di \u00ABlago\u00BB")) &&
                 avvisi[0].contains(QStringLiteral("girata")),
             qPrintable(avvisi[0]));
    QVERIFY2(avvisi[1].contains(QStringLiteral("largo 400 e alto 600")) && avvisi[1].contains(QStringLiteral("schiacciato")),
             qPrintable(avvisi[1]));
    QVERIFY2(avvisi[2].contains(QStringLiteral("riga 3")) && avvisi[2].contains(QStringLiteral("stretto")),
             qPrintable(avvisi[2]));
  }

  void nonUnFile() {
    QTemporaryDir dir;
    QVERIFY(apriFoto(dir.path(), 100).errore.contains(QStringLiteral("non è un file")));
    QVERIFY(apriFoto(dir.filePath(QStringLiteral("manca.jpg")), 100).errore.contains(QStringLiteral("non è un file")));
  }
};

QUIRLO_TEST_MAIN(ProvaFoto)
#include "test_foto.moc"
