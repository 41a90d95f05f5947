// In front of the class, on the screen the ctest entry gives (a 1920 x 1080
// board, or a 1366 x 768 laptop): focus frames only once a key is pressed,
// windows centred in full screen, message boxes as large as the window that
// opens them, arrows that move where they point, the chosen card's frame
// clear of its syllable.
#include "Adattamento.h"
#include "Banco.h"
#include "FormSemplice.h"
#include "Gioco.h"
#include "Messaggi.h"
#include "Widgets.h"
#include "ProvaMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace quirlo;
using namespace quirlo::prova;

namespace {

int pixelDi(const QImage &img, const QColor &colore, const QRect &dove) {
  int n = 0;
  for (int y = dove.top(); y <= dove.bottom(); ++y)
    for (int x = dove.left(); x <= dove.right(); ++x)
      n += img.rect().contains(x, y) && QColor(img.pixel(x, y)) == colore ? 1 : 0;
  return n;
}

// A window shown and active, in full screen or not.
template <class W>
std::unique_ptr<W> mostra(Banco &b, bool intero, QList<double> numeri = {}) {
  SchermoIntero::imposta(intero);
  auto w = b.apri<W>(std::move(numeri));
  SchermoIntero::imposta(false);
  if (!w)
    qFatal("fixture refused");
  w->show();
  w->activateWindow();
  if (!QTest::qWaitForWindowActive(w.get()))
    qFatal("window never active");
  QTest::qWait(20);  // the scale settles on the next turn of the event loop
  return w;
}

struct MisuraMessaggio {
  double punti = 0;
  QSize pulsante, icona;
  QString testi;
  int risposta = 0;
};

// Opens the exit question over `finestra`, measures it and answers with `tasto`.
MisuraMessaggio misura(QWidget *finestra, Qt::Key tasto) {
  MisuraMessaggio m;
  QTimer::singleShot(50, finestra, [&m, tasto] {
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box)
      return;
    // The size asked for: under Wine's offscreen platform there is no font to measure.
    const QFont carattere = box->font();
    m.punti = carattere.pointSizeF() > 0 ? carattere.pointSizeF() : carattere.pixelSize();
    m.pulsante = box->button(QMessageBox::Yes)->size();
    if (auto *icona = box->findChild<QLabel *>(QStringLiteral("qt_msgboxex_icon_label")))
      m.icona = icona->pixmap().size();
    m.testi = box->windowTitle() + QLatin1Char('|') + box->text() + QLatin1Char('|') +
              box->button(QMessageBox::Yes)->text() + QLatin1Char('|') + box->button(QMessageBox::No)->text() +
              QLatin1Char('|') + box->defaultButton()->text();
    QTest::keyClick(box, tasto);
  });
  m.risposta = mostraMessaggio(QStringLiteral("Vuoi tornare al menù?"), Msg::Domanda);
  return m;
}

}  // namespace

class ProvaLavagna : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { SchermoIntero::imposta(false); }

  // First of all: the keyboard has not been used yet in this program.
  void fuocoSoloDopoUnTasto() {
    Banco b;
    FormAvvio avvio;
    avvio.Form_Load();
    avvio.show();
    QVERIFY(QTest::qWaitForWindowExposed(&avvio));
    QVERIFY(avvio.pulsante("Command1")->hasFocus());
    const QImage prima = avvio.grab().toImage();
    QCOMPARE(pixelDi(prima, coloreFuoco(), prima.rect()), 0);
    QTest::keyClick(&avvio, Qt::Key_Shift);
    const QImage dopo = avvio.grab().toImage();
    QVERIFY(pixelDi(dopo, coloreFuoco(), avvio.pulsante("Command1")->geometry()) > 100);
  }

  // The controls, not only the window's area, stand in the middle of the screen.
  void centrata_data() {
    QTest::addColumn<int>("finestra");
    QTest::newRow("FormAvvio") << 0;
    QTest::newRow("FormMenu") << 1;
    QTest::newRow("DISEGNI1") << 2;
    QTest::newRow("DISEGNI2") << 3;
  }
  void centrata() {
    QFETCH(int, finestra);
    BancoFinestra b(1);  // the lists the exercises need
    b.w.reset();
    SchermoIntero::imposta(true);
    std::unique_ptr<QWidget> w;
    if (finestra == 0)
      w = std::make_unique<FormAvvio>();
    else if (finestra == 1)
      w = std::make_unique<FormMenu>();
    else if (finestra == 2)
      w = b.apri<DISEGNI1>();
    else
      w = b.apri<DISEGNI2>();
    SchermoIntero::imposta(false);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTRY_COMPARE(w->geometry(), w->screen()->geometry());
    // The cards change places with every exercise; the rest is where it was drawn.
    QRect ingombro;
    for (auto *c : w->findChildren<QWidget *>())
      if (dynamic_cast<Scalabile *>(c) && !qobject_cast<Carta *>(c) && c->isVisible())
        ingombro |= QRect(c->mapTo(w.get(), QPoint()), c->size());
    const int centro = w->width() / 2;
    QVERIFY2(std::abs(ingombro.center().x() - centro) <= 2,
             qPrintable(QStringLiteral("controls %1..%2, screen centre %3").arg(ingombro.left()).arg(ingombro.right())
                            .arg(centro)));
    QVERIFY(QRect(QPoint(), w->size()).contains(ingombro));
  }

  // The exit question in full screen: the window's factor on its text, icon
  // and buttons; its title, texts, default button and answers unchanged.
  void messaggioIngrandito() {
    BancoFinestra b(1);
    b.w.reset();
    auto piccola = mostra<DISEGNI1>(b, false);
    const MisuraMessaggio normale = misura(piccola.get(), Qt::Key_Escape);
    QCOMPARE(normale.risposta, Msg::RispostaNo);
    piccola.reset();
    auto grande = mostra<DISEGNI1>(b, true);
    const double f = grande->adattatore()->fattore();
    const MisuraMessaggio ingrandito = misura(grande.get(), Qt::Key_Return);
    QCOMPARE(ingrandito.risposta, Msg::RispostaSi);
    QCOMPARE(ingrandito.testi, normale.testi);
    QCOMPARE(normale.testi, QStringLiteral("Quirlo|Vuoi tornare al menù?|Sì|No|Sì"));
    QVERIFY(f > 1.2);
    QVERIFY2(std::abs(ingrandito.punti / normale.punti - f) < 0.05 * f,
             qPrintable(QStringLiteral("%1 pt against %2 pt at %3").arg(ingrandito.punti).arg(normale.punti).arg(f)));
    QVERIFY(ingrandito.pulsante.width() >= int(normale.pulsante.width() * f) - 1);
    QVERIFY(ingrandito.pulsante.height() >= int(normale.pulsante.height() * f) - 1);
    QVERIFY2(std::abs(ingrandito.icona.width() - normale.icona.width() * f) <= 1,
             qPrintable(QStringLiteral("icon %1 against %2").arg(ingrandito.icona.width()).arg(normale.icona.width())));
  }

  // (window, arrangement row, from, key, to): Left and Right along a row,
  // stopping at its ends; Up and Down to the nearest control of the next row.
  void frecce_data() {
    QTest::addColumn<int>("finestra");
    QTest::addColumn<int>("riga");
    QTest::addColumn<QString>("da");
    QTest::addColumn<int>("tasto");
    QTest::addColumn<QString>("a");
    // Row 0 of the two-syllable window, left to right: Label4(1) 100, Label1(3) 1200,
    // Label1(2) 2300, Label1(0) 3400, ..., Label1(1) 7800; slots Label2(0) 120,
    // Label3(0) 1200, Label2(1) 2400, Label3(1) 3480, ..., Label3(3) 8040.
    QTest::newRow("1: right along the cards") << 1 << 0 << "Label4(1)" << int(Qt::Key_Right) << "Label1(3)";
    QTest::newRow("1: left at the first card") << 1 << 0 << "Label4(1)" << int(Qt::Key_Left) << "Label4(1)";
    QTest::newRow("1: right at the last card") << 1 << 0 << "Label1(1)" << int(Qt::Key_Right) << "Label1(1)";
    QTest::newRow("1: up from a card") << 1 << 0 << "Label1(0)" << int(Qt::Key_Up) << "Label3(1)";
    QTest::newRow("1: up from the first card") << 1 << 0 << "Label4(1)" << int(Qt::Key_Up) << "Label2(0)";
    QTest::newRow("1: down from a slot") << 1 << 0 << "Label2(3)" << int(Qt::Key_Down) << "Label4(0)";
    QTest::newRow("1: left along the slots") << 1 << 0 << "Label3(3)" << int(Qt::Key_Left) << "Label2(3)";
    QTest::newRow("1: down from the cards") << 1 << 0 << "Label1(3)" << int(Qt::Key_Down) << "Label1(3)";
    // Row 10 of the three-syllable window (places 1, 0, 5, 3, 7, 2, 6, 8, 4): Label1(1) at
    // 100, Label1(0) 1100, Label1(5) 2100, Label1(3) 3100, Label1(8) 4100, ..., Label1(7) 8100;
    // slots Label2(0) 120, Label3(0) 960, ..., Label3(1) 3960, ..., Label4(2) 8040.
    QTest::newRow("2: right along the cards") << 2 << 10 << "Label1(1)" << int(Qt::Key_Right) << "Label1(0)";
    QTest::newRow("2: up from the last card") << 2 << 10 << "Label1(7)" << int(Qt::Key_Up) << "Label4(2)";
    QTest::newRow("2: down from the first slot") << 2 << 10 << "Label2(0)" << int(Qt::Key_Down) << "Label1(1)";
    QTest::newRow("2: down from a middle slot") << 2 << 10 << "Label3(1)" << int(Qt::Key_Down) << "Label1(8)";
    QTest::newRow("2: up from the slots") << 2 << 10 << "Label3(1)" << int(Qt::Key_Up) << "Image1(1)";
    // The drawings, above the slots: the last row, with nothing above it.
    QTest::newRow("1: up from a slot") << 1 << 0 << "Label3(1)" << int(Qt::Key_Up) << "Image1(1)";
    QTest::newRow("1: right along the drawings") << 1 << 0 << "Image1(1)" << int(Qt::Key_Right) << "Image1(2)";
    QTest::newRow("1: up from a drawing") << 1 << 0 << "Image1(2)" << int(Qt::Key_Up) << "Image1(2)";
    QTest::newRow("2: down from a drawing") << 2 << 10 << "Image1(0)" << int(Qt::Key_Down) << "Label3(0)";
  }
  void frecce() {
    QFETCH(int, finestra);
    QFETCH(int, riga);
    QFETCH(QString, da);
    QFETCH(int, tasto);
    QFETCH(QString, a);
    BancoFinestra b(finestra);
    b.w.reset();
    const int n = finestra == 1 ? 6 : 5;
    const QList<double> numeri = finestra == 1 ? QList<double>{perRecord(1, n), perRecord(2, n), perRecord(3, n),
                                                                perRecord(4, n), perRiga(riga)}
                                               : QList<double>{perRecord(1, n), perRecord(2, n), perRecord(3, n),
                                                               perRiga(riga)};
    std::unique_ptr<Esercizio> w;
    if (finestra == 1)
      w = mostra<DISEGNI1>(b, false, numeri);
    else
      w = mostra<DISEGNI2>(b, false, numeri);
    QWidget *partenza = w->findChild<QWidget *>(da);
    QVERIFY(partenza);
    partenza->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(tasto));
    QCOMPARE(QApplication::focusWidget()->objectName(), a);
  }

  // The chosen card's frame lies round it: the card, syllable and all, is
  // drawn exactly as before, at the window's size and on the board.
  void corniceFuoriDalTesto_data() {
    QTest::addColumn<bool>("intero");
    QTest::newRow("finestra") << false;
    QTest::newRow("schermo intero") << true;
  }
  void corniceFuoriDalTesto() {
    QFETCH(bool, intero);
    BancoFinestra b(1);
    b.w.reset();
    auto w = mostra<DISEGNI1>(b, intero);
    auto *carta = qobject_cast<Carta *>(w->carta(2));
    QWidget *cliente = w->centralWidget();
    const QRect posto(carta->mapTo(cliente, QPoint()), carta->size());
    const QImage prima = cliente->grab().toImage();
    emit carta->toccata(carta);
    QVERIFY(carta->evidenziata());
    const QImage dopo = cliente->grab().toImage();
    QCOMPARE(dopo.copy(posto), prima.copy(posto));
    const int t = Carta::SpessoreEvidenza * spessore(carta->fattore());
    const QColor blu = Carta::coloreEvidenza();
    const QRect fuori = posto.adjusted(-t, -t, t, t);
    QCOMPARE(pixelDi(dopo, blu, fuori), fuori.width() * fuori.height() - posto.width() * posto.height());
    QCOMPARE(pixelDi(dopo, blu, dopo.rect()), pixelDi(dopo, blu, fuori));
  }
};

QUIRLO_TEST_MAIN(ProvaLavagna)
#include "test_lavagna.moc"
