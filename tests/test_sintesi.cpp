// The computer's voice: what it is given to say, which voice it picks, its
// limits, and the results it keeps. Where the system has no Italian voice
// (Wine), the requests that need one must still be answered, with silence.
#include "MotoreSintesi.h"
#include "ProvaMain.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

using namespace quirlo;

Q_DECLARE_METATYPE(QList<quirlo::VoceDisponibile>)

namespace {

// The answer to one request, waited for; fails the test when none comes.
Pcm risposta(Sintesi &sintesi, const QString &parola, int attesaMs = 10000) {
  QSignalSpy spia(&sintesi, &Sintesi::pronta);
  sintesi.chiedi(parola);
  // Never from inside chiedi(): the caller goes on first.
  if (spia.count() != 0 || !spia.wait(attesaMs))
    return {std::make_shared<const QByteArray>("nessuna risposta"), -1, -1};
  return spia.first().at(1).value<Pcm>();
}

bool rispostaArrivata(const Pcm &p) {
  return p.frequenza != -1;
}

}  // namespace

class ProvaSintesi : public QObject {
  Q_OBJECT

  // Whether this system speaks Italian at all; asked once.
  bool voceItaliana() {
    static const bool c = [] {
      Sintesi s({}, QStringLiteral(QUIRLO_MODULI));
      return !risposta(s, QStringLiteral("casa")).vuoto();
    }();
    return c;
  }

 private slots:
  void testoDaDire_data() {
    QTest::addColumn<QString>("parola");
    QTest::addColumn<QString>("testo");
    QTest::newRow("minuscole") << QStringLiteral("CASA") << QStringLiteral("casa");
    QTest::newRow("accento maiuscolo") << QStringLiteral(" PEDALÒ ") << QStringLiteral("pedalò");
    QTest::newRow("accento scomposto") << QStringLiteral("tutu\u0300") << QStringLiteral("tutù");
    QTest::newRow("vuota") << QString() << QString();
    QTest::newRow("solo spazi") << QStringLiteral("   ") << QString();
    QTest::newRow("niente lettere") << QStringLiteral("12 ?!") << QString();
    QTest::newRow("escape") << QStringLiteral("casa\x1b[31m") << QString();
    QTest::newRow("nul") << QStringLiteral("ca") + QChar(0) + QStringLiteral("sa") << QString();
    QTest::newRow("tab") << QStringLiteral("ca\tsa") << QString();
    QTest::newRow("cento lettere") << QString(100, QLatin1Char('a')) << QString(100, QLatin1Char('a'));
    QTest::newRow("centouno lettere") << QString(101, QLatin1Char('a')) << QString();
  }
  void testoDaDire() {
    QFETCH(QString, parola);
    QFETCH(QString, testo);
    QCOMPARE(Sintesi::testoDaDire(parola, Sintesi::Limiti{}.lettere), testo);
  }

  void sceltaVoce_data() {
    QTest::addColumn<QList<VoceDisponibile>>("voci");
    QTest::addColumn<int>("scelta");
    const auto v = [](const char *nome, QStringList lingue) { return VoceDisponibile{QLatin1String(nome), lingue}; };
    const QStringList inglese{QStringLiteral("en-US")};
    QTest::newRow("nessuna voce") << QList<VoceDisponibile>{} << -1;
    QTest::newRow("solo inglese") << QList{v("David", inglese), v("Zira", inglese)} << -1;
    QTest::newRow("italiana dopo l'inglese") << QList{v("David", inglese), v("Elsa", {QStringLiteral("it-IT")})} << 1;
    QTest::newRow("italia prima della svizzera")
        << QList{v("Svizzera", {QStringLiteral("it-CH")}), v("Elsa", {QStringLiteral("it-IT")})} << 1;
    QTest::newRow("solo svizzera") << QList{v("David", inglese), v("Svizzera", {QStringLiteral("it-CH")})} << 1;
    QTest::newRow("espeak it") << QList{v("roa/an", {QStringLiteral("an")}), v("roa/it", {QStringLiteral("it")})} << 1;
    QTest::newRow("più lingue") << QList{v("Mista", {QStringLiteral("en-US"), QStringLiteral("it-IT")})} << 0;
    QTest::newRow("non italiano che inizia per it") << QList{v("Itx", {QStringLiteral("itx")})} << -1;
    QTest::newRow("senza lingua") << QList{v("Muta", {})} << -1;
  }
  void sceltaVoce() {
    QFETCH(QList<VoceDisponibile>, voci);
    QFETCH(int, scelta);
    QCOMPARE(sceltaVoceItaliana(voci), qsizetype(scelta));
  }

  void lingueSapi_data() {
    QTest::addColumn<QString>("attributo");
    QTest::addColumn<QStringList>("lingue");
    QTest::newRow("italiano") << QStringLiteral("410") << QStringList{QStringLiteral("it-IT")};
    QTest::newRow("con l'inglese") << QStringLiteral("410;409")
                                   << QStringList{QStringLiteral("it-IT"), QStringLiteral("x-409")};
    QTest::newRow("svizzera") << QStringLiteral("809; 810")
                              << QStringList{QStringLiteral("x-809"), QStringLiteral("it-CH")};
    QTest::newRow("italiano neutro") << QStringLiteral("10") << QStringList{QStringLiteral("it")};
    QTest::newRow("vuoto") << QString() << QStringList{};
    QTest::newRow("illeggibile") << QStringLiteral("zz;;0;fffff") << QStringList{};
  }
  void lingueSapi() {
    QFETCH(QString, attributo);
    QFETCH(QStringList, lingue);
    QCOMPARE(quirlo::lingueSapi(attributo), lingue);
  }

  // A word comes back trimmed and at the shipped voices' peak.
  void parola() {
    if (!voceItaliana())
      QSKIP("nessuna voce italiana su questo sistema");
    Sintesi sintesi({}, QStringLiteral(QUIRLO_MODULI));
    const Pcm pcm = risposta(sintesi, QStringLiteral("Pedalò"));
    QVERIFY(!pcm.vuoto());
    QVERIFY2(pcm.secondi() > 0.2 && pcm.secondi() < 2, qPrintable(QString::number(pcm.secondi())));
    const auto *c = reinterpret_cast<const qint16 *>(pcm.dati->constData());
    int picco = 0;
    for (qsizetype i = 0; i < pcm.dati->size() / 2; ++i)
      picco = std::max(picco, std::abs(int(c[i])));
    QVERIFY2(std::abs(20 * std::log10(picco / 32768.0) + 3) < 0.2, qPrintable(QString::number(picco)));
  }

  // Asked again, in another case, or twice before the first answer: one synthesis.
  void scorta() {
    if (!voceItaliana())
      QSKIP("nessuna voce italiana su questo sistema");
    Sintesi sintesi({}, QStringLiteral(QUIRLO_MODULI));
    QSignalSpy spia(&sintesi, &Sintesi::pronta);
    sintesi.chiedi(QStringLiteral("gatto"));
    sintesi.chiedi(QStringLiteral("gatto"));
    QTRY_COMPARE_WITH_TIMEOUT(spia.count(), 2, 10000);
    const Pcm prima = risposta(sintesi, QStringLiteral("GATTO"));
    QVERIFY(!prima.vuoto());
    QCOMPARE(sintesi.sintesiFatte(), 1);
    QCOMPARE(spia.at(0).at(1).value<Pcm>().dati, prima.dati);
    QCOMPARE(spia.at(1).at(1).value<Pcm>().dati, prima.dati);
  }

  // The oldest results make room for new ones.
  void scortaLimitata() {
    if (!voceItaliana())
      QSKIP("nessuna voce italiana su questo sistema");
    qsizetype casa = 0;
    {
      Sintesi misura({}, QStringLiteral(QUIRLO_MODULI));
      casa = risposta(misura, QStringLiteral("casa")).dati->size();
    }
    // Room for "casa", or for the longer "tavolo", never for both.
    Sintesi::Limiti limiti;
    limiti.byteScorta = casa * 19 / 10;
    Sintesi sintesi(limiti, QStringLiteral(QUIRLO_MODULI));
    QVERIFY(!risposta(sintesi, QStringLiteral("casa")).vuoto());
    QVERIFY(!risposta(sintesi, QStringLiteral("tavolo")).vuoto());
    QVERIFY(!risposta(sintesi, QStringLiteral("casa")).vuoto());
    QCOMPARE(sintesi.sintesiFatte(), 3);
  }

  // Past a limit the answer is silence, soon, and nothing is kept.
  void limiti_data() {
    QTest::addColumn<int>("lettere");
    QTest::addColumn<int>("millisecondi");
    QTest::addColumn<int>("millisecondiSuono");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("fatte");  // texts that reach the engine, of two requests
    const QString lungo = QStringLiteral("casa ").repeated(20000);
    QTest::newRow("troppe lettere") << 100 << 3000 << 5000 << lungo << 0;
    QTest::newRow("suono troppo lungo") << 100000 << 60000 << 5000 << lungo << 2;
    QTest::newRow("tempo finito") << 100000 << 200 << 600000 << lungo << 2;
    QTest::newRow("una parola oltre il suono") << 100 << 3000 << 50 << QStringLiteral("casa") << 2;
  }
  void limiti() {
    QFETCH(int, lettere);
    QFETCH(int, millisecondi);
    QFETCH(int, millisecondiSuono);
    QFETCH(QString, testo);
    QFETCH(int, fatte);
    Sintesi sintesi({lettere, millisecondi, millisecondiSuono, 16 << 20}, QStringLiteral(QUIRLO_MODULI));
    for (int volta = 0; volta < 2; ++volta) {
      const Pcm pcm = risposta(sintesi, testo, 70000);
      QVERIFY(rispostaArrivata(pcm));
      QVERIFY(pcm.vuoto());
    }
    QCOMPARE(sintesi.sintesiFatte(), fatte);
  }

  // Closing the program while the engine works: it hears the stop.
  void chiusuraDuranteLaSintesi() {
    QElapsedTimer orologio;
    {
      Sintesi sintesi({100000, 60000, 600000, 16 << 20}, QStringLiteral(QUIRLO_MODULI));
      sintesi.chiedi(QStringLiteral("casa ").repeated(20000));
      QTest::qWait(100);
      orologio.start();
    }
    QVERIFY2(orologio.elapsed() < 2000, qPrintable(QString::number(orologio.elapsed())));
  }
};

QUIRLO_TEST_MAIN(ProvaSintesi)
#include "test_sintesi.moc"
