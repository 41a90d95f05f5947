// Files of the program folder that are not files, or that change while the game runs.
#include "Dati.h"
#include "FileRegolare.h"
#include "DecodificaSuoni.h"
#include "ScortaSuoni.h"
#include "SuoniProva.h"
#include "ProvaMain.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <QTest>
#include <sys/stat.h>

using namespace quirlo;
using namespace quirlo::prova;

namespace {

// A 16-bit mono PCM WAV of `campioni` samples at 22050 Hz.
QByteArray pcm16(int campioni, qint16 valore = 1000) { return wav::mono16(campioni, valore, 22050); }

}  // namespace

class ProvaFile : public QObject {
  Q_OBJECT

 private slots:
  // Only regular files are opened; a FIFO or a device is refused at once
  // (a blocked open would hang this test until ctest's timeout).
  void soloFileRegolari_data() {
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<bool>("regolare");
    QTest::newRow("file") << "file" << true;
    QTest::newRow("link a un file") << "link" << true;
    QTest::newRow("fifo") << "fifo" << false;
    QTest::newRow("link a una fifo") << "link-fifo" << false;
    QTest::newRow("cartella") << "cartella" << false;
    QTest::newRow("dispositivo senza fine") << "dispositivo" << false;
    QTest::newRow("link rotto") << "link-rotto" << false;
    QTest::newRow("mancante") << "mancante" << false;
  }
  void soloFileRegolari() {
    QFETCH(QString, tipo);
    QFETCH(bool, regolare);
    CartellaDati d;
    const QString p = d.file(QStringLiteral("suoni/si1.wav"));
    QDir().mkpath(d.file(QStringLiteral("suoni")));
    const QString fifo = d.file(QStringLiteral("tubo"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    if (tipo == QLatin1String("file"))
      d.scriviFile(QStringLiteral("suoni/si1.wav"), "abc");
    else if (tipo == QLatin1String("link")) {
      d.scriviFile(QStringLiteral("vero.wav"), "abc");
      QVERIFY(QFile::link(d.file(QStringLiteral("vero.wav")), p));
    } else if (tipo == QLatin1String("fifo"))
      QVERIFY(QFile::rename(fifo, p));
    else if (tipo == QLatin1String("link-fifo"))
      QVERIFY(QFile::link(fifo, p));
    else if (tipo == QLatin1String("cartella"))
      QVERIFY(QDir().mkpath(p));
    else if (tipo == QLatin1String("dispositivo"))
      QVERIFY(QFile::link(QStringLiteral("/dev/zero"), p));
    else if (tipo == QLatin1String("link-rotto"))
      QVERIFY(QFile::link(d.file(QStringLiteral("nessuno")), p));

    QCOMPARE(fileRegolare(p), regolare);
    QFile file;
    QCOMPARE(apriFileRegolare(file, p), regolare);
    if (regolare) {
      QCOMPARE(file.readAll(), QByteArray("abc"));  // blocking reads again, to the end
    }
    QVERIFY(decodificaSuono(p).isEmpty());
  }

  // The sound heard is the file as it is now: copied in after the start,
  // replaced, removed, or turned into a FIFO; an unchanged file is not decoded again.
  void suoniSeguonoLaCartella() {
    CartellaDati d;
    QDir().mkpath(d.file(QStringLiteral("suoni")));
    const QString p = d.file(QStringLiteral("suoni/si1.wav"));
    ScortaSuoni scorta;
    QVERIFY(scorta.pcm(p)->isEmpty());

    d.scriviFile(QStringLiteral("suoni/si1.wav"), pcm16(2205));
    const auto primo = scorta.pcm(p);
    QCOMPARE(*primo, decodificaSuono(p));
    QVERIFY(!primo->isEmpty());
    QCOMPARE(scorta.pcm(p).get(), primo.get());

    // Same length, other samples: only the time or the inode tells.
    QTest::qWait(5);
    d.scriviFile(QStringLiteral("suoni/si1.wav"), pcm16(2205, 9000));
    const auto secondo = scorta.pcm(p);
    QVERIFY(*secondo != *primo);
    QCOMPARE(*secondo, decodificaSuono(p));

    d.rimuovi(QStringLiteral("suoni/si1.wav"));
    QVERIFY(scorta.pcm(p)->isEmpty());
    QCOMPARE(::mkfifo(QFile::encodeName(p).constData(), 0600), 0);
    QVERIFY(scorta.pcm(p)->isEmpty());
  }
};

QUIRLO_TEST_GUILESS_MAIN(ProvaFile)
#include "test_file.moc"
