#include "ModuloColoriSuoni.h"
#include "PiattaformaFinta.h"
#include "ProvaMain.h"

#include <QSet>
#include <QTest>

using namespace quirlo;
using namespace quirlo::prova;

class ProvaFeedback : public QObject {
  Q_OBJECT

 private slots:
  void estrazioni_data() {
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("suono");
    QTest::addColumn<int>("colore");  // palette entry floor(r * 18) + 1
    QTest::newRow("zero: 1") << 0.0 << 1 << 12632319;
    QTest::newRow("quarto: 5") << 0.25 << 2 << 33023;
    QTest::newRow("meta: 10") << 0.5 << 3 << 49152;
    QTest::newRow("quasi uno: 18") << 0.9999999999 << 4 << 16711935;
    QTest::newRow("sotto 14/18: 14") << 13.0 / 18 << 3 << 16761087;
    QTest::newRow("sotto 15/18: 15") << 14.0 / 18 << 4 << 16761087;
  }

  // One draw each for the right sound and the colour.
  void estrazioni() {
    QFETCH(double, r);
    QFETCH(int, suono);
    QFETCH(int, colore);
    PiattaformaInstallata p;
    p.finta.cartella = QStringLiteral("/programma");
    p.finta.numeriFiniti = true;
    p.finta.numeri = {r, r};
    ModuloColoriSuoni::SuonoEsatto();
    QCOMPARE(p.finta.estrazioni, 1);
    QCOMPARE(p.finta.suoni, QStringList{QStringLiteral("/programma/suoni/si%1.wav").arg(suono)});
    QCOMPARE(ModuloColoriSuoni::ColoreCasuale(), double(colore));
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

QUIRLO_TEST_MAIN(ProvaFeedback)
#include "test_feedback.moc"
