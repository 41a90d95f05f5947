// Text from a list shown to people: control characters escaped, long words cut
// short without splitting a letter, the trace line whole.
#include <QTest>

#include "TestoVisibile.h"
#include "Traccia.h"
#include "ProvaMain.h"

using namespace quirlo;

class ProvaTesti : public QObject {
  Q_OBJECT

 private slots:
  void senzaControlli_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("plain") << QStringLiteral("perché") << QStringLiteral("perché");
    QTest::newRow("colour sequence") << QStringLiteral("\x1b[31mrosso") << QStringLiteral("\\x1b[31mrosso");
    QTest::newRow("title sequence") << QStringLiteral("\x1b]0;titolo\x07") << QStringLiteral("\\x1b]0;titolo\\x07");
    QTest::newRow("nul, tab, cr, lf") << QStringLiteral("a") + QChar(0) + QStringLiteral("\t\r\nb")
                                      << QStringLiteral("a\\x00\\x09\\x0d\\x0ab");
    QTest::newRow("del and c1") << QStringLiteral("a") + QChar(0x7F) + QChar(0x9B) + QChar(0x85) + QChar(0xA0)
                                << QStringLiteral("a\\x7f\\x9b\\x85") + QChar(0xA0);
    // Marks that reverse the text or break its line unseen.
    QTest::newRow("right-to-left override") << QStringLiteral("casa\u202Egpj.exe") << QStringLiteral("casa\\u202egpj.exe");
    QTest::newRow("every bidi mark") << QStringLiteral("\u202A\u202B\u202C\u202D\u2066\u2067\u2068\u2069\u200E\u200F\u061C")
                                     << QStringLiteral("\\u202a\\u202b\\u202c\\u202d\\u2066\\u2067\\u2068\\u2069"
                                                       "\\u200e\\u200f\\u061c");
    QTest::newRow("line and paragraph separators") << QStringLiteral("a\u2028b\u2029c")
                                                   << QStringLiteral("a\\u2028b\\u2029c");
    QTest::newRow("lone surrogates") << QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b") + QChar(0xDC00)
                                     << QStringLiteral("a\\ud800b\\udc00");
    QTest::newRow("surrogate pair and arabic letters kept") << QStringLiteral("\U0001F600 \u0645\u0631")
                                                            << QStringLiteral("\U0001F600 \u0645\u0631");
  }
  void senzaControlli() {
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    QCOMPARE(quirlo::senzaControlli(testo), atteso);
  }

  void accorciato_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("massimo");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("short") << QStringLiteral("casa") << 40 << QStringLiteral("casa");
    QTest::newRow("exactly the limit") << QString(40, QLatin1Char('a')) << 40 << QString(40, QLatin1Char('a'));
    QTest::newRow("one past") << QString(41, QLatin1Char('a')) << 40 << QString(39, QLatin1Char('a')) + QChar(0x2026);
    QTest::newRow("a million") << QString(1000000, QLatin1Char('b')) << 40
                               << QString(39, QLatin1Char('b')) + QChar(0x2026);
    // A letter and its combining accent stay together, so do surrogate pairs.
    QTest::newRow("decomposed accent at the cut")
        << QString(8, QLatin1Char('a')) + QStringLiteral("e\u0301") + QString(10, QLatin1Char('a')) << 10
        << QString(8, QLatin1Char('a')) + QChar(0x2026);
    QTest::newRow("emoji at the cut") << QString(8, QLatin1Char('a')) + QStringLiteral("\U0001F600bbbbbb") << 10
                                      << QString(8, QLatin1Char('a')) + QChar(0x2026);
    QTest::newRow("escapes count") << QStringLiteral("\x1b\x1b\x1b") << 10
                                   << QStringLiteral("\\x1b\\x1b") + QChar(0x2026);
    QTest::newRow("an escape is never split")
        << QStringLiteral("abcdef\x1b") << 8 << QStringLiteral("abcdef") + QChar(0x2026);
    // One letter carrying a thousand marks: its start is shown, not the ellipsis alone.
    QTest::newRow("one long grapheme") << QStringLiteral("a") + QString(1000, QChar(0x0301)) << 10
                                       << QStringLiteral("a") + QString(8, QChar(0x0301)) + QChar(0x2026);
    QTest::newRow("one long grapheme of emoji") << QString(QStringLiteral("\U0001F600")) + QString(50, QChar(0x200D)) << 4
                                                << QStringLiteral("\U0001F600") + QChar(0x200D) + QChar(0x2026);
  }
  void accorciato() {
    QFETCH(QString, testo);
    QFETCH(int, massimo);
    QFETCH(QString, atteso);
    QCOMPARE(quirlo::accorciato(testo, massimo), atteso);
  }

  void nomeAccorciato_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("short") << QStringLiteral("jpg/casa.jpg") << QStringLiteral("jpg/casa.jpg");
    QTest::newRow("long, extension kept")
        << QStringLiteral("jpg/") + QString(100, QLatin1Char('a')) + QStringLiteral(".jpg")
        << QStringLiteral("jpg/") + QString(31, QLatin1Char('a')) + QChar(0x2026) + QStringLiteral(".jpg");
    QTest::newRow("no extension") << QString(50, QLatin1Char('a')) << QString(39, QLatin1Char('a')) + QChar(0x2026);
    QTest::newRow("control in the extension") << QStringLiteral("a.j\x1b") << QStringLiteral("a.j\\x1b");
  }
  void nomeAccorciato() {
    QFETCH(QString, nome);
    QFETCH(QString, atteso);
    QCOMPARE(quirlo::nomeAccorciato(nome), atteso);
  }

  // A message on one trace line: nothing in it ends or breaks the line.
  void testoInRiga_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("lines") << QStringLiteral("a\r\nb\\c") << QStringLiteral("a\\r\\nb\\\\c");
    QTest::newRow("nul") << QStringLiteral("fuo") + QChar(0) + QStringLiteral("ri") << QStringLiteral("fuo\\x00ri");
    QTest::newRow("escape, del, c1") << QStringLiteral("\x1b[1m") + QChar(0x7F) + QChar(0x9B)
                                     << QStringLiteral("\\x1b[1m\\x7f\\x9b");
    QTest::newRow("accents untouched") << QStringLiteral("perché è così") << QStringLiteral("perché è così");
  }
  void testoInRiga() {
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    QCOMPARE(quirlo::testoInRiga(testo), atteso);
    QVERIFY(!quirlo::testoInRiga(testo).toUtf8().contains('\0'));
  }
};

QUIRLO_TEST_GUILESS_MAIN(ProvaTesti)
#include "test_testi.moc"
