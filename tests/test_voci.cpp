// Where a word's voice comes from: the teacher's recording, the program's,
// the computer's voice, or none; and the files that must be passed over,
// without waiting, for the next source.
#include "Voci.h"

#include "DecodificaSuoni.h"
#include "ProvaMain.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace quirlo;

namespace {

// A 16-bit mono WAV of a 440 Hz tone; `dichiarati` frames in its header, when given.
QByteArray wav(double secondi, int frequenza = 16000, qint64 dichiarati = -1) {
  const auto le = [](quint32 v, int byte) {
    QByteArray b(byte, 0);
    for (int i = 0; i < byte; ++i)
      b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
  };
  const qint64 frame = qint64(secondi * frequenza);
  QByteArray dati;
  for (qint64 i = 0; i < frame; ++i)
    dati += le(quint16(qint16(8000 * std::sin(2 * M_PI * 440 * double(i) / frequenza))), 2);
  const quint32 dimensione = quint32(dichiarati >= 0 ? dichiarati * 2 : dati.size());
  return "RIFF" + le(36 + dimensione, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(quint32(frequenza), 4) +
         le(quint32(frequenza * 2), 4) + le(2, 2) + le(16, 2) + "data" + le(dimensione, 4) + dati;
}

// The decoder the player uses, without its module.
QByteArray leggi(const QString &percorso) {
  return decodificaSuono(percorso);
}

class Cartelle {
 public:
  QString utente() const { return dir_.filePath(QStringLiteral("utente")); }
  QString programma() const { return dir_.filePath(QStringLiteral("programma")); }
  void scrivi(const QString &relativo, const QByteArray &dati) const {
    const QString p = dir_.filePath(relativo);
    QDir().mkpath(QFileInfo(p).path());
    QFile f(p);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(dati);
  }

 private:
  QTemporaryDir dir_;
};

}  // namespace

class ProvaVoci : public QObject {
  Q_OBJECT

 private slots:
  void registrata_data() {
    QTest::addColumn<QString>("parola");
    QTest::addColumn<QString>("utente");  // what stands at utente/voci/<word>.wav
    QTest::addColumn<bool>("programma");  // a good programma/voci/<word>.wav
    QTest::addColumn<QString>("fonte");
    QTest::newRow("solo programma") << QStringLiteral("casa") << QStringLiteral("") << true
                                    << QStringLiteral("programma");
    QTest::newRow("utente prima") << QStringLiteral("casa") << QStringLiteral("buona") << true
                                  << QStringLiteral("utente");
    QTest::newRow("solo utente") << QStringLiteral("casa") << QStringLiteral("buona") << false
                                 << QStringLiteral("utente");
    QTest::newRow("nessun file") << QStringLiteral("casa") << QStringLiteral("") << false << QStringLiteral("nessuna");
    QTest::newRow("utente vuoto") << QStringLiteral("casa") << QStringLiteral("zero byte") << true
                                  << QStringLiteral("programma");
    QTest::newRow("utente testo") << QStringLiteral("casa") << QStringLiteral("testo") << true
                                  << QStringLiteral("programma");
    QTest::newRow("utente cartella") << QStringLiteral("casa") << QStringLiteral("cartella") << true
                                     << QStringLiteral("programma");
    QTest::newRow("utente troppo lunga") << QStringLiteral("casa") << QStringLiteral("11 secondi") << true
                                         << QStringLiteral("programma");
    QTest::newRow("utente enorme") << QStringLiteral("casa") << QStringLiteral("17 MiB") << true
                                   << QStringLiteral("programma");
    QTest::newRow("frequenza enorme nell'intestazione") << QStringLiteral("casa") << QStringLiteral("4 GHz") << true
                                                         << QStringLiteral("programma");
    QTest::newRow("dichiara più di quanto ha")
        << QStringLiteral("casa") << QStringLiteral("dichiarati 1e9") << true << QStringLiteral("utente");
    QTest::newRow("nome maiuscolo") << QStringLiteral("casa") << QStringLiteral("Casa.wav") << true
                                    << QStringLiteral("utente");
    QTest::newRow("accento scomposto") << QStringLiteral("pedalò") << QStringLiteral("pedalo\u0300.wav") << true
                                       << QStringLiteral("utente");
    QTest::newRow("parola che esce dalla cartella")
        << QStringLiteral("../casa") << QStringLiteral("") << false << QStringLiteral("nessuna");
#ifdef Q_OS_UNIX
    QTest::newRow("utente fifo") << QStringLiteral("casa") << QStringLiteral("fifo") << true
                                 << QStringLiteral("programma");
#endif
  }
  void registrata() {
    QFETCH(QString, parola);
    QFETCH(QString, utente);
    QFETCH(bool, programma);
    QFETCH(QString, fonte);
    Cartelle c;
    const QString mia = QStringLiteral("utente/voci/") + parola + QStringLiteral(".wav");
    if (utente == QLatin1String("buona") || utente == QLatin1String("dichiarati 1e9"))
      c.scrivi(mia, wav(0.5, 22050, utente == QLatin1String("buona") ? -1 : 1'000'000'000));
    else if (utente == QLatin1String("zero byte"))
      c.scrivi(mia, {});
    else if (utente == QLatin1String("testo"))
      c.scrivi(mia, "non sono un suono\n");
    else if (utente == QLatin1String("cartella"))
      QVERIFY(QDir().mkpath(QDir(c.utente()).filePath(QStringLiteral("voci/casa.wav"))));
    else if (utente == QLatin1String("4 GHz")) {
      QByteArray f = wav(0.5);
      f.replace(24, 4, QByteArray("\xff\xff\xff\xff", 4));  // the rate field of the header
      c.scrivi(mia, f);
    } else if (utente == QLatin1String("11 secondi"))
      c.scrivi(mia, wav(11, 8000));
    else if (utente == QLatin1String("17 MiB"))
      c.scrivi(mia, wav(0.5) + QByteArray(17 << 20, 0));  // past the size cap, whatever it holds
    else if (utente.endsWith(QLatin1String(".wav")))
      c.scrivi(QStringLiteral("utente/voci/") + utente, wav(0.5));
#ifdef Q_OS_UNIX
    else if (utente == QLatin1String("fifo")) {
      QDir().mkpath(QDir(c.utente()).filePath(QStringLiteral("voci")));
      QCOMPARE(::mkfifo(QFile::encodeName(QDir(c.utente()).filePath(mia.mid(7))).constData(), 0600), 0);
    }
#endif
    if (programma)
      c.scrivi(QStringLiteral("programma/voci/") + parola + QStringLiteral(".wav"), wav(0.3));
    c.scrivi(QStringLiteral("utente/casa.wav"), wav(0.3));  // where "../casa" would lead

    // A FIFO opened would wait for a writer forever: this returning is the check.
    const Voce voce = voceRegistrata(parola, c.utente(), c.programma(), leggi);
    QCOMPARE(nomeFonte(voce.fonte), fonte);
    QCOMPARE(voce.pcm.vuoto(), fonte == QLatin1String("nessuna"));
    if (!voce.pcm.vuoto())
      QVERIFY(voce.pcm.secondi() > 0.2 && voce.pcm.secondi() < 0.6);
  }

  // No user folder at all, as on a fresh account.
  void senzaCartellaUtente() {
    Cartelle c;
    c.scrivi(QStringLiteral("programma/voci/casa.wav"), wav(0.3));
    QCOMPARE(voceRegistrata(QStringLiteral("casa"), QString(), c.programma(), leggi).fonte, FonteVoce::Programma);
    QCOMPARE(voceRegistrata(QStringLiteral("casa"), c.utente(), c.programma(), leggi).fonte, FonteVoce::Programma);
  }

  // A recording wins over the computer's voice, which is asked only without one;
  // every request is answered after chiedi() has returned.
  void ordine() {
    Cartelle c;
    c.scrivi(QStringLiteral("programma/voci/casa.wav"), wav(0.3));
    Sintesi sintesi({}, QStringLiteral(QUIRLO_MODULI));
    Voci voci(&sintesi, leggi, c.utente(), c.programma());
    QSignalSpy spia(&voci, &Voci::pronta);
    voci.chiedi(QStringLiteral("casa"));
    voci.chiedi(QStringLiteral("tavolo"));
    QCOMPARE(spia.count(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(spia.count(), 2, 10000);
    QCOMPARE(spia.at(0).at(0).toString(), QStringLiteral("casa"));
    QCOMPARE(spia.at(0).at(1).value<Voce>().fonte, FonteVoce::Programma);
    QCOMPARE(spia.at(1).at(0).toString(), QStringLiteral("tavolo"));
    const Voce tavolo = spia.at(1).at(1).value<Voce>();
    // Without an Italian voice on this system (Wine) the computer says nothing.
    QVERIFY(tavolo.fonte == FonteVoce::Sintesi || tavolo.fonte == FonteVoce::Nessuna);
    QCOMPARE(tavolo.pcm.vuoto(), tavolo.fonte == FonteVoce::Nessuna);
    QCOMPARE(sintesi.sintesiFatte(), 1);
  }

  void senzaSintesi() {
    Cartelle c;
    Voci voci(nullptr, leggi, c.utente(), c.programma());
    QSignalSpy spia(&voci, &Voci::pronta);
    voci.chiedi(QStringLiteral("casa"));
    QVERIFY(spia.wait(5000));
    QCOMPARE(spia.first().at(1).value<Voce>().fonte, FonteVoce::Nessuna);
  }
};

QUIRLO_TEST_MAIN(ProvaVoci)
#include "test_voci.moc"
