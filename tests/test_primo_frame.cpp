// The first frame of a window: the trace lines the start-up measurements are
// read from, and the work deferred until that frame is on the screen.
#include "CaratteriInAnticipo.h"
#include "ErroreCatturato.h"
#include "Finestre.h"
#include "PrimoFrame.h"
#include "Traccia.h"
#include "TracciaFinestre.h"
#include "ProvaMain.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QTest>
#include <QWindow>

using namespace quirlo;
using namespace quirlo::prova;

namespace {

// Counts its own paints, so a test can tell the frame was really drawn.
class FinestraProva : public QWidget {
 public:
  FinestraProva() {
    setObjectName(QStringLiteral("FinestraProva"));
    resize(200, 120);
    auto *b = new QPushButton(QStringLiteral("Vai"), this);
    b->setObjectName(QStringLiteral("Command1"));
    b->setGeometry(20, 30, 80, 40);
  }
  int dipinture = 0;

 protected:
  void paintEvent(QPaintEvent *) override { ++dipinture; }
};

QString campo(const QString &riga, const QString &nome) {
  for (const QString &p : riga.split(QLatin1Char(' ')))
    if (p.startsWith(nome + QLatin1Char('=')))
      return p.mid(nome.size() + 1);
  return {};
}

}  // namespace

class ProvaPrimoFrame : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // Read once, on first use: set before anything traces.
    qputenv("QUIRLO_TRACCIA", "1");
    Finestre::registra(TipoFinestra::FormAvvio, [] { return new FinestraProva; });
  }

  void cleanup() {
    Finestre::scarica(TipoFinestra::FormAvvio);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void unaRigaDipintaPerFinestraDopoIlFrame() {
    ErroreCatturato errore;
    const qint64 prima = istanteMicro();
    QVERIFY(Finestre::mostra(TipoFinestra::FormAvvio));
    auto *w = static_cast<FinestraProva *>(Finestre::aperta(TipoFinestra::FormAvvio));
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTRY_VERIFY(w->dipinture > 0);
    // Showing it again is no new first frame.
    Finestre::mostra(TipoFinestra::FormAvvio);
    QTest::qWait(50);
    const qint64 dopo = istanteMicro();

    const QStringList dipinte = errore.righe(QStringLiteral("QUIRLO dipinta "));
    QCOMPARE(dipinte.size(), 1);
    const QString &riga = dipinte.first();
    QVERIFY2(riga.startsWith(QStringLiteral("FinestraProva ")), qPrintable(riga));
    const qint64 t = campo(riga, QStringLiteral("t")).toLongLong();
    const qint64 inizio = campo(riga, QStringLiteral("inizio")).toLongLong();
    QVERIFY2(prima <= t && t <= dopo, qPrintable(riga));
    QVERIFY2(0 < inizio && inizio <= prima, qPrintable(riga));
    // The button's centre on the screen, where a test driving the mouse clicks.
    auto *b = w->findChild<QPushButton *>(QStringLiteral("Command1"));
    const QPoint centro = b->mapToGlobal(b->rect().center());
    QCOMPARE(campo(riga, QStringLiteral("pulsanti")), QStringLiteral("Command1|%1|%2").arg(centro.x()).arg(centro.y()));
  }

  void rilascioDelMouseTracciato() {
    QVERIFY(Finestre::mostra(TipoFinestra::FormAvvio));
    QWidget *w = Finestre::aperta(TipoFinestra::FormAvvio);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    ErroreCatturato errore;
    const qint64 prima = istanteMicro();
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, QPoint(150, 100));
    const QStringList rilasci = errore.righe(QStringLiteral("QUIRLO rilascio "));
    QCOMPARE(rilasci.size(), 1);
    QVERIFY(campo(rilasci.first(), QStringLiteral("t")).toLongLong() >= prima);
  }

  void dopoPrimoFrame_data() {
    QTest::addColumn<bool>("mostrata");
    QTest::newRow("shown") << true;
    QTest::newRow("never shown") << false;
  }

  void dopoPrimoFrame() {
    QFETCH(bool, mostrata);
    FinestraProva w;
    int esecuzioni = 0;
    int dipintureAllora = -1;
    quirlo::dopoPrimoFrame(&w, [&] {
      ++esecuzioni;
      dipintureAllora = w.dipinture;
    });
    QCoreApplication::processEvents();
    QCOMPARE(esecuzioni, 0);
    if (mostrata) {
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      QTRY_COMPARE(esecuzioni, 1);
      QVERIFY(dipintureAllora >= 1);
      // Later frames run nothing more.
      w.repaint();
      QTest::qWait(50);
    } else {
      QTest::qWait(50);
    }
    QCOMPARE(esecuzioni, mostrata ? 1 : 0);
  }

  void dopoPrimoFrameSenzaFinestra() {
    int esecuzioni = 0;
    quirlo::dopoPrimoFrame(nullptr, [&] { ++esecuzioni; });
    QCOMPARE(esecuzioni, 0);
    QTRY_COMPARE(esecuzioni, 1);
  }

  // The fonts' thread waits for its faces: a program that never hands them
  // over (it ended early) must still get past it, and a second hand-over is
  // no error. A hang here is the failure.
  void caratteriInAnticipoFinisceSempre() {
    { CaratteriInAnticipo maiAperti; }
    CaratteriInAnticipo caratteri;
    const QFont titolo(QStringLiteral("MS Sans Serif"), 24, QFont::Bold);
    caratteri.apri({titolo, QApplication::font()});
    caratteri.apri({titolo});
    caratteri.attendi();
    caratteri.attendi();
    QVERIFY(QFontMetrics(titolo).height() > 0);
  }
};

QUIRLO_TEST_MAIN(ProvaPrimoFrame)
#include "test_primo_frame.moc"
