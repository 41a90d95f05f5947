// The Linux player when its stream breaks or there is none: the sound server
// restarted, or not up yet. The next sound opens a new stream and is heard
// whole. With a PulseAudio binary at hand, the same against a real server
// that goes away for longer than Qt's own output would ever wait for it.
#include "Altoparlante.h"
#include "Dati.h"
#include "DecodificaSuoni.h"
#include "LettoreSuoni.h"
#include "SuoniProva.h"
#include "ProvaMain.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <mutex>

using namespace quirlo;
using namespace quirlo::prova;

namespace {

// What the fake streams were given, shared with the test's thread.
struct Registro {
  std::mutex m;
  QList<QByteArray> scritto;  // per stream, in the order they were opened
  QList<bool> aperti;         // per stream: not closed yet
  std::atomic<int> daRompere{-1};  // the stream that breaks at its next write
  std::atomic<int> rifiuti{0};     // how many more opens find no server

  QByteArray di(int i) {
    std::lock_guard<std::mutex> l(m);
    return i < scritto.size() ? scritto[i] : QByteArray();
  }
  int quanti() {
    std::lock_guard<std::mutex> l(m);
    return int(scritto.size());
  }
};

class FlussoFinto : public FlussoAudio {
 public:
  FlussoFinto(Registro &r, int n) : r_(r), n_(n) {}
  ~FlussoFinto() override {
    std::lock_guard<std::mutex> l(r_.m);
    r_.aperti[n_] = false;
  }
  bool scrivi(const char *dati, qsizetype byte) override {
    if (r_.daRompere == n_)
      return false;
    std::lock_guard<std::mutex> l(r_.m);
    r_.scritto[n_].append(dati, byte);
    return true;
  }
  void svuota() override {}
  void drena() override {}

 private:
  Registro &r_;
  const int n_;
};

ApriFlusso apriFinto(Registro &r) {
  return [&r]() -> std::unique_ptr<FlussoAudio> {
    if (r.rifiuti > 0) {
      --r.rifiuti;
      return nullptr;
    }
    std::lock_guard<std::mutex> l(r.m);
    r.scritto.append(QByteArray());
    r.aperti.append(true);
    return std::make_unique<FlussoFinto>(r, int(r.scritto.size() - 1));
  };
}

bool attendi(const std::function<bool()> &condizione, int ms = 5000) {
  QDeadlineTimer scadenza(ms);
  while (!condizione() && !scadenza.hasExpired())
    QThread::msleep(5);
  return condizione();
}

}  // namespace

class ProvaLettore : public QObject {
  Q_OBJECT

 private slots:
  // A sound, then something goes wrong with the stream or the server, then
  // another sound: in which stream it went, and that it went there whole.
  void riapertura_data() {
    QTest::addColumn<int>("rifiutiPrima");  // opens that find no server before the first sound
    QTest::addColumn<bool>("rompi");        // the first stream breaks after the first sound
    QTest::addColumn<int>("rifiutiDopo");   // opens that find no server after that
    QTest::addColumn<int>("flussoSecondo");  // the stream the second sound is heard in
    QTest::newRow("nothing wrong: one stream") << 0 << false << 0 << 0;
    QTest::newRow("server restarted: a new stream") << 0 << true << 0 << 1;
    QTest::newRow("server away at the next sound, back at the one after") << 0 << true << 1 << 1;
    QTest::newRow("no server at start") << 1 << false << 0 << 0;
  }
  void riapertura() {
    QFETCH(int, rifiutiPrima);
    QFETCH(bool, rompi);
    QFETCH(int, rifiutiDopo);
    QFETCH(int, flussoSecondo);
    CartellaDati d;
    d.scriviFile(QStringLiteral("uno.wav"), wav::mono16(4410, 1000, 44100));
    d.scriviFile(QStringLiteral("due.wav"), wav::mono16(4410, 2000, 44100));
    const QByteArray uno = decodificaSuono(d.file(QStringLiteral("uno.wav")));
    const QByteArray due = decodificaSuono(d.file(QStringLiteral("due.wav")));

    Registro r;
    r.rifiuti = rifiutiPrima;
    Altoparlante altoparlante(apriFinto(r));
    for (int i = 0; i < rifiutiPrima; ++i)  // silence, and no stream left behind
      altoparlante.suona(d.file(QStringLiteral("uno.wav")));
    QVERIFY(attendi([&] { return r.rifiuti == 0; }));
    altoparlante.suona(d.file(QStringLiteral("uno.wav")));
    QVERIFY(attendi([&] { return r.di(0).contains(uno); }));
    if (rompi) {
      r.daRompere = 0;
      QVERIFY(attendi([&] {
        std::lock_guard<std::mutex> l(r.m);
        return !r.aperti[0];
      }));
    }
    r.rifiuti = rifiutiDopo;
    for (int i = 0; i < rifiutiDopo; ++i) {
      altoparlante.suona(d.file(QStringLiteral("due.wav")));
      QVERIFY(attendi([&] { return r.rifiuti == 0; }));
    }
    altoparlante.suona(d.file(QStringLiteral("due.wav")));
    QVERIFY(attendi([&] { return r.di(flussoSecondo).contains(due); }));
    QCOMPARE(r.quanti(), flussoSecondo + 1);
  }

  // A word's voice, already decoded, cuts off the sound playing and is
  // heard whole on the same stream; the next file cuts it off in turn.
  void suonoInMemoria() {
    CartellaDati d;
    d.scriviFile(QStringLiteral("lungo.wav"), wav::mono16(2 * 44100, 1000, 44100));
    d.scriviFile(QStringLiteral("breve.wav"), wav::mono16(4410, 3000, 44100));
    const QByteArray lungo = decodificaSuono(d.file(QStringLiteral("lungo.wav")));
    const QByteArray breve = decodificaSuono(d.file(QStringLiteral("breve.wav")));
    auto voce = std::make_shared<const QByteArray>(decodificaSuono(d.file(QStringLiteral("breve.wav"))).replace(
        QByteArray::fromRawData("\xb8\x0b", 2), QByteArray::fromRawData("\xd0\x07", 2)));  // 3000 -> 2000

    Registro r;
    Altoparlante altoparlante(apriFinto(r));
    altoparlante.suona(d.file(QStringLiteral("lungo.wav")));
    QVERIFY(attendi([&] { return r.di(0).size() > 4410 * 4; }));
    altoparlante.suona(voce);
    QVERIFY(attendi([&] { return r.di(0).contains(*voce); }));
    altoparlante.suona(d.file(QStringLiteral("breve.wav")));
    QVERIFY(attendi([&] { return r.di(0).contains(breve); }));
    QVERIFY(!r.di(0).contains(lungo));
    QCOMPARE(r.quanti(), 1);
    // Silence is no sound: it leaves the stream as it is.
    altoparlante.suona(std::make_shared<const QByteArray>());
  }

  // The player's reader, from its module: the same sound as the decoder
  // itself gives; without the module, silence.
  void letturaDalModulo() {
    CartellaDati d;
    d.scriviFile(QStringLiteral("uno.wav"), wav::mono16(4410, 1000, 22050));
    const QString uno = d.file(QStringLiteral("uno.wav"));
    const LettoreSuoni lettore(QStringLiteral(QUIRLO_MODULI));
    const LettoreSuoni::Lettura leggi = lettore.lettura();
    QCOMPARE(leggi(uno), decodificaSuono(uno));
    QVERIFY(!leggi(uno).isEmpty());
    QVERIFY(leggi(d.file(QStringLiteral("manca.wav"))).isEmpty());
    QTemporaryDir vuota;
    QVERIFY(LettoreSuoni(vuota.path()).lettura()(uno).isEmpty());
  }

  // A real server, killed and started again five seconds later: the next
  // sound after it is back reaches it.
  void serverVero() {
    const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    const QString pactl = QStandardPaths::findExecutable(QStringLiteral("pactl"));
    if (pulseaudio.isEmpty() || pactl.isEmpty())
      QSKIP("no PulseAudio here (scripts/dipendenze.sh suono)");
    QTemporaryDir cartella;
    qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(cartella.filePath(QStringLiteral("native"))));
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    for (const char *v : {"HOME", "PULSE_RUNTIME_PATH", "PULSE_STATE_PATH"})
      ambiente.insert(QString::fromLatin1(v), cartella.path());
    const auto avvia = [&](QProcess &server) {
      server.setProcessEnvironment(ambiente);
      server.start(pulseaudio, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                                QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
                                QStringLiteral("-L"),
                                QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=%1")
                                    .arg(cartella.filePath(QStringLiteral("native"))),
                                QStringLiteral("-L"), QStringLiteral("module-null-sink")});
      return server.waitForStarted() && attendi([&] { return QProcess::execute(pactl, {QStringLiteral("info")}) == 0; });
    };
    const auto flussi = [&] {
      QProcess p;
      p.start(pactl, {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sink-inputs")});
      p.waitForFinished();
      return p.readAllStandardOutput().count('\n');
    };
    CartellaDati d;
    d.scriviFile(QStringLiteral("si1.wav"), wav::mono16(44100, 1000, 44100));
    const QString suono = d.file(QStringLiteral("si1.wav"));

    LettoreSuoni lettore(QStringLiteral(QUIRLO_MODULI));  // the game's own output module
    {
      QProcess primo;
      QVERIFY(avvia(primo));
      lettore.suona(suono);
      QVERIFY(attendi([&] { return flussi() > 0; }));
      primo.kill();
      primo.waitForFinished();
    }
    lettore.suona(suono);  // nobody there: silence
    QThread::sleep(5);
    QProcess secondo;
    QVERIFY(avvia(secondo));
    lettore.suona(suono);
    const bool sentito = attendi([&] { return flussi() > 0; });
    secondo.kill();
    secondo.waitForFinished();
    qunsetenv("PULSE_SERVER");
    QVERIFY(sentito);
  }
};

QUIRLO_TEST_MAIN(ProvaLettore)
#include "test_lettore.moc"
