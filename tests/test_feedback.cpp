#include "ModuloColoriSuoni.h"
#include "PiattaformaFinta.h"

#include <QSet>
#include <QTest>

using namespace quirlo;
using namespace quirlo::prova;

class ProvaFeedback : public QObject {
  Q_OBJECT

 private slots:
  void tavolozza() {
    const int attesi[19] = {0,        12632319, 8421631,  255,      8438015,  33023,    12648447,
                            65535,    16576,    8454016,  49152,    16777152, 16776960, 16761024,
                            16761087, 16761087, 14737632, 16711680, 16711935};
    for (int i = 0; i < 19; ++i)
      QCOMPARE(ModuloColoriSuoni::Tavolozza[size_t(i)], attesi[i]);
  }

  void estrazioni_data() {
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("suono");
    QTest::addColumn<int>("voce");
    QTest::newRow("zero") << 0.0 << 1 << 1;
    QTest::newRow("quarto") << 0.25 << 2 << 5;
    QTest::newRow("meta") << 0.5 << 3 << 10;
    QTest::newRow("quasi uno") << 0.9999999999 << 4 << 18;
    QTest::newRow("sotto 14/18") << 13.0 / 18 << 3 << 14;
    QTest::newRow("sotto 15/18") << 14.0 / 18 << 4 << 15;
  }

  // One draw each for the right sound and the colour, and the palette entry chosen by floor(r * 18) + 1.
  void estrazioni() {
    QFETCH(double, r);
    QFETCH(int, suono);
    QFETCH(int, voce);
    PiattaformaInstallata p;
    p.finta.cartella = QStringLiteral("/programma");
    p.finta.numeriFiniti = true;
    p.finta.numeri = {r, r};
    ModuloColoriSuoni::SuonoEsatto();
    QCOMPARE(p.finta.estrazioni, 1);
    QCOMPARE(p.finta.suoni, QStringList{QStringLiteral("/programma/suoni/si%1.wav").arg(suono)});
    QCOMPARE(ModuloColoriSuoni::ColoreCasuale(), double(ModuloColoriSuoni::Tavolozza[size_t(voce)]));
    QCOMPARE(p.finta.estrazioni, 2);
  }

  void suonoErratoNonEstrae() {
    PiattaformaInstallata p;
    p.finta.cartella = QStringLiteral("/programma/");  // a drive's root ends in a separator
    p.finta.numeriFiniti = true;
    ModuloColoriSuoni::SuonoErrato();
    ModuloColoriSuoni::SuonoErrato();
    QCOMPARE(p.finta.estrazioni, 0);
    QCOMPARE(p.finta.suoni, (QStringList{QStringLiteral("/programma/suoni/no.wav"), QStringLiteral("/programma/suoni/no.wav")}));
  }

  // Entry 0 is never chosen and 14/15 repeat: 17 distinct colours in all.
  void soloColoriDellaTavolozza() {
    PiattaformaInstallata p;
    QSet<double> visti;
    for (int i = 0; i < 1000; ++i) {
      p.finta.numeri.append(i / 1000.0);
      const double c = ModuloColoriSuoni::ColoreCasuale();
      QVERIFY(c != 0);
      visti.insert(c);
    }
    QCOMPARE(visti.size(), 17);
  }
};

QTEST_MAIN(ProvaFeedback)
#include "test_feedback.moc"
