// Real drags on the cards, with the mouse and with a finger. Runs on the
// `minimal` platform, where QDrag::exec runs its own loop; the rest of each
// gesture is played from a timer inside that loop.
#include "Banco.h"
#include "Dati.h"
#include "Disegni.h"
#include "Gioco.h"
#include "PiattaformaFinta.h"
#include "Widgets.h"
#include "ProvaMain.h"

#include <QDrag>
#include <QPointingDevice>
#include <QTest>
#include <QTimer>

using namespace quirlo;
using namespace quirlo::prova;

namespace {

struct BancoTocco : BancoFinestra {
  QWindow *finestra = nullptr;

  explicit BancoTocco(int tipo) : BancoFinestra(tipo) {
    finestra = w->windowHandle();
    f.azzeraRegistri();
  }

  QPoint in(const QWidget *x, QPoint dentro = {-1, -1}) const {
    return x->mapTo(w.get(), dentro == QPoint(-1, -1) ? x->rect().center() : dentro);
  }
};

QPointingDevice *dito() {
  static QPointingDevice *d = QTest::createTouchDevice(QInputDevice::DeviceType::TouchScreen);
  return d;
}

// Press at `da`; the moves and the release at the last point run from inside
// the drag's loop, if a drag started.
void gesto(const BancoTocco &b, bool tocco, QPoint da, QList<QPoint> percorso) {
  QWindow *win = b.finestra;
  QTimer::singleShot(0, win, [=] {
    for (const QPoint &p : percorso) {
      if (tocco)
        QTest::touchEvent(win, dito()).move(0, p);
      else
        QTest::mouseMove(win, p);
    }
    if (tocco)
      QTest::touchEvent(win, dito()).release(0, percorso.last());
    else
      QTest::mouseRelease(win, Qt::LeftButton, {}, percorso.last());
  });
  if (tocco)
    QTest::touchEvent(win, dito()).press(0, da);
  else
    QTest::mousePress(win, Qt::LeftButton, {}, da);
  QTest::qWait(20);  // the timer, when no drag ran, and the release the drag held back
}

void toccoEMouse() {
  QTest::addColumn<int>("finestra");
  QTest::addColumn<bool>("tocco");
  QTest::newRow("DISEGNI1 mouse") << 1 << false;
  QTest::newRow("DISEGNI1 finger") << 1 << true;
  QTest::newRow("DISEGNI2 mouse") << 2 << false;
  QTest::newRow("DISEGNI2 finger") << 2 << true;
}

// Notes how the presses on a widget were made.
struct Origini : QObject {
  QList<QPair<Qt::MouseEventSource, QInputDevice::DeviceType>> viste;
  bool eventFilter(QObject *, QEvent *e) override {
    if (e->type() == QEvent::MouseButtonPress) {
      auto *m = static_cast<QMouseEvent *>(e);
      viste.append({m->source(), m->device()->type()});
    }
    return false;
  }
};

}  // namespace

class ProvaTocco : public QObject {
  Q_OBJECT

 private slots:
  // A drag released on a slot is a drop there and never also a tap.
  void trascinaSullaCasella_data() { toccoEMouse(); }
  void trascinaSullaCasella() {
    QFETCH(int, finestra);
    QFETCH(bool, tocco);
    BancoTocco b(finestra);
    QLabel *carta = b.w->carta(0);
    const QString testo = carta->text();
    const Posto p = postoPer(*b.w, carta);
    QLabel *slot = b.w->casella(p.riga, p.indice);
    gesto(b, tocco, b.in(carta, {5, 5}), {b.in(carta, {20, 20}), b.in(slot, {3, 3}), b.in(slot)});
    QCOMPARE(slot->text(), testo);
    QVERIFY(!carta->isEnabled());
    QCOMPARE(b.w->SillabeGiuste(), 1);
    QVERIFY(!b.w->cartaSelezionata());
    QCOMPARE(b.f.suoni.size(), 1);

    // The same with another card chosen beforehand: the drop wins and ends the choice.
    QLabel *altra = b.w->carta(1), *scelta = b.w->carta(2);
    b.w->cartaToccata(scelta);
    QCOMPARE(b.w->cartaSelezionata(), scelta);
    const Posto q = postoPer(*b.w, altra);
    gesto(b, tocco, b.in(altra), {b.in(b.w->casella(q.riga, q.indice))});
    QVERIFY(!altra->isEnabled());
    QVERIFY(!b.w->cartaSelezionata());
    QVERIFY(scelta->isEnabled());
  }

  // The dragged outline has the card's size and is never under the pointer,
  // so the slot aimed at stays in sight whatever the desktop does with the
  // outline's transparent inside.
  void contornoFuoriDalPuntatore() {
    BancoTocco b(1);
    QLabel *carta = b.w->carta(0);
    QSize immagine;
    QPoint presa;
    QTimer::singleShot(0, b.finestra, [&] {
      if (auto *drag = carta->findChild<QDrag *>()) {
        immagine = drag->pixmap().size();
        presa = drag->hotSpot();
      }
      QTest::mouseRelease(b.finestra, Qt::LeftButton, {}, b.in(carta));
    });
    QTest::mousePress(b.finestra, Qt::LeftButton, {}, b.in(carta, {5, 5}));
    QTest::qWait(20);
    QCOMPARE(immagine, carta->size());
    QVERIFY(!QRect(QPoint(0, 0), immagine).contains(presa));
    QVERIFY(presa.y() >= immagine.height());  // above the pointer: what lies below it shows
  }

  // Released on the card itself, however it wandered on the way: a tap. Then a
  // tap on the slot places the card.
  void toccaPoiCasella_data() { toccoEMouse(); }
  void toccaPoiCasella() {
    QFETCH(int, finestra);
    QFETCH(bool, tocco);
    BancoTocco b(finestra);
    QLabel *carta = b.w->carta(1);
    const QString testo = carta->text();
    Origini origini;
    carta->installEventFilter(&origini);
    gesto(b, tocco, b.in(carta, {4, 4}), {b.in(carta, {carta->width() - 4, carta->height() - 4})});
    QCOMPARE(b.w->cartaSelezionata(), carta);
    QVERIFY(b.f.suoni.isEmpty());
    // A finger reaches the card as a mouse press that Qt made from the touch.
    QCOMPARE(origini.viste.size(), 1);
    QCOMPARE(origini.viste[0].first, tocco ? Qt::MouseEventSynthesizedByQt : Qt::MouseEventNotSynthesized);
    QCOMPARE(origini.viste[0].second,
             tocco ? QInputDevice::DeviceType::TouchScreen : QInputDevice::DeviceType::Mouse);
    carta->removeEventFilter(&origini);

    // Out over a slot and back: still a tap, here on the chosen card, so it is let go.
    QLabel *lontano = b.w->casella(0, 0);
    gesto(b, tocco, b.in(carta), {b.in(lontano), b.in(carta, {2, 2})});
    QVERIFY(!b.w->cartaSelezionata());
    gesto(b, tocco, b.in(carta), {b.in(carta)});
    QCOMPARE(b.w->cartaSelezionata(), carta);

    const Posto p = postoPer(*b.w, carta);
    QLabel *slot = b.w->casella(p.riga, p.indice);
    gesto(b, tocco, b.in(slot), {b.in(slot)});
    QCOMPARE(slot->text(), testo);
    QVERIFY(!carta->isEnabled());
    QVERIFY(!b.w->cartaSelezionata());
    QCOMPARE(b.f.suoni.size(), 1);
    QVERIFY(b.f.suoni.first().endsWith(QStringLiteral(".wav")) &&
            !b.f.suoni.first().endsWith(QStringLiteral("no.wav")));
  }

  // Released on the background or a drawing: nothing happens and nothing is chosen.
  void trascinaNelVuoto_data() { toccoEMouse(); }
  void trascinaNelVuoto() {
    QFETCH(int, finestra);
    QFETCH(bool, tocco);
    BancoTocco b(finestra);
    QLabel *carta = b.w->carta(0);
    const QString testo = carta->text();
    QWidget *cliente = b.w->centralWidget();
    QWidget *disegno = b.w->controlli().trova(QStringLiteral("Image1"), 0);
    gesto(b, tocco, b.in(carta), {b.in(cliente, {cliente->width() - 5, cliente->height() - 5})});
    gesto(b, tocco, b.in(carta), {b.in(disegno)});
    QVERIFY(!b.w->cartaSelezionata());
    QCOMPARE(carta->text(), testo);
    QVERIFY(carta->isEnabled());
    QVERIFY(b.f.suoni.isEmpty());
    QCOMPARE(Globali::NumeroErrati, 0);
  }
};

QUIRLO_TEST_MAIN(ProvaTocco)
#include "test_tocco.moc"
