// For the classroom: the whole window at another scale (full screen, or shrunk
// to fit a small screen), playing by keyboard, and the names a screen reader
// reads. The offscreen screen is a laptop's, 1067 x 600 (1366 x 768 at a
// scale of 1.28): support/schermo-portatile.json.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTest>

#include "Adattamento.h"
#include "Banco.h"
#include "Dati.h"
#include "Disegni.h"
#include "FormSemplice.h"
#include "Gioco.h"
#include "PiattaformaFinta.h"
#include "Widgets.h"
#include "ProvaMain.h"

using namespace quirlo;
using namespace quirlo::prova;

namespace {

struct BancoClasse : BancoFinestra {
  explicit BancoClasse(int finestra, bool intero = false) : BancoFinestra(finestra, intero) {
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get()))
      qFatal("window never active");
  }

  double fattore() const { return w->adattatore()->fattore(); }
  // A key as a child presses it: to whatever has the keyboard, else the window.
  void tasto(Qt::Key k, Qt::KeyboardModifiers m = {}) const {
    QWidget *dove = QApplication::focusWidget();
    QTest::keyClick(dove ? dove : w.get(), k, m);
  }
  QWidget *fuoco() const { return QApplication::focusWidget(); }
  int posizione(QWidget *x) const { return int(w->ordineTastiera().indexOf(x)); }
};

void finestre() {
  QTest::addColumn<int>("finestra");
  QTest::newRow("DISEGNI1") << 1;
  QTest::newRow("DISEGNI2") << 2;
}

// Pixels of the keyboard's frame colour in a grab of the widget.
int pixelDelFuoco(QWidget *w) {
  const QImage img = w->grab().toImage();
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      n += QColor(img.pixel(x, y)) == coloreFuoco() ? 1 : 0;
  return n;
}

}  // namespace

class ProvaClasse : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { SchermoIntero::imposta(false); }

  void fattori_data() {
    QTest::addColumn<QSize>("spazio");
    QTest::addColumn<QSize>("cliente");
    QTest::addColumn<QSize>("fisso");
    QTest::addColumn<double>("pieno");
    QTest::addColumn<double>("adattato");
    // A board: the height decides for every window of the game.
    QTest::newRow("lavagna avvio") << QSize(1920, 1080) << QSize(707, 608) << QSize(0, 0) << 1080.0 / 608 << 1.0;
    QTest::newRow("lavagna esercizio") << QSize(1920, 1080) << QSize(638, 480) << QSize(0, 40) << 1040.0 / 480 << 1.0;
    // A portrait screen: the width decides.
    QTest::newRow("verticale") << QSize(768, 1366) << QSize(638, 480) << QSize(0, 20) << 768.0 / 638 << 1.0;
    // 1366 x 768 at QT_SCALE_FACTOR 1.5 leaves 910 x 512 (less the panel).
    QTest::newRow("portatile 1.5") << QSize(910, 488) << QSize(707, 608) << QSize(0, 24) << 464.0 / 608 << 464.0 / 608;
    QTest::newRow("giusto giusto") << QSize(707, 632) << QSize(707, 608) << QSize(0, 24) << 1.0 << 1.0;
    QTest::newRow("stretto") << QSize(600, 1000) << QSize(638, 480) << QSize(10, 0) << 590.0 / 638 << 590.0 / 638;
    // A screen that reports nothing still gives a window one can see.
    QTest::newRow("niente") << QSize(0, 0) << QSize(638, 480) << QSize(0, 0) << 0.25 << 0.25;
    QTest::newRow("cliente vuoto") << QSize(800, 600) << QSize(0, 480) << QSize(0, 0) << 1.0 << 1.0;
  }
  void fattori() {
    QFETCH(QSize, spazio);
    QFETCH(QSize, cliente);
    QFETCH(QSize, fisso);
    QFETCH(double, pieno);
    QFETCH(double, adattato);
    QCOMPARE(fattorePerSpazio(spazio, cliente, fisso), pieno);
    QCOMPARE(fattoreAdattato(spazio, cliente, fisso), adattato);
    // Whatever the factor, the scaled client area never passes the space.
    const double f = fattorePerSpazio(spazio, cliente, fisso);
    if (f > 0.25)
      QVERIFY(pixelScalato(cliente.height() * TwipPerPixel, f) + fisso.height() <= spazio.height());
  }

  // At scale 1 nothing may move by a pixel; at other scales lengths grow in proportion.
  void conversione() {
    for (int twip = 0; twip <= 20000; ++twip)
      QCOMPARE(pixelScalato(twip, 1.0), pixel(twip));
    QCOMPARE(rettangoloScalato(240, 240, 2400, 2400, 1.0), rettangoloPixel(240, 240, 2400, 2400));
    QCOMPARE(rettangoloScalato(240, 240, 2400, 2400, 2.0), QRect(32, 32, 320, 320));
    QCOMPARE(rettangoloScalato(1080, 4320, 975, 855, 1.5), QRect(108, 432, 98, 86));
    QCOMPARE(fontQt({"Arial", 12, true}, 1.0).pixelSize(), 16);
    QCOMPARE(fontQt({"Arial", 12, true}, 2.0).pixelSize(), 32);
    QCOMPARE(fontQt({"MS Sans Serif", 13.5, true}, 0.5).pixelSize(), 9);
    QCOMPARE(spessore(1.0), 1);
    QCOMPARE(spessore(0.6), 1);
    QCOMPARE(spessore(2.17), 2);
    QCOMPARE(spessore(2.6), 3);
  }

  // Full screen on the laptop: every control at its table
  // rectangle times the factor, centred; back out, every pixel where it was.
  void schermoIntero_data() { finestre(); }
  void schermoIntero() {
    QFETCH(int, finestra);
    BancoClasse b(finestra);
    QCOMPARE(b.fattore(), 1.0);
    const QRect cornice0 = b.w->cornice(0)->geometry();
    const QRect carta0 = b.w->carta(0)->geometry();
    QVERIFY(aspettaDisegni(*b.w));
    const QSize disegno = b.w->cornice(0)->immagine().size();

    const QSize schermo = b.w->screen()->geometry().size();
    QCOMPARE(schermo, QSize(1067, 600));
    b.tasto(Qt::Key_F11);
    QTRY_VERIFY(b.w->isFullScreen());
    QTRY_COMPARE(b.w->size(), schermo);
    QTRY_VERIFY(b.fattore() > 1.0);
    const double f = b.fattore();
    // The client area fits under the bar as it is drawn, and fills the height
    // but for the pixel a rounded font size may leave.
    const int barra = b.w->menuBar()->sizeHint().height();
    QVERIFY2(480 * f + barra <= 600.0 + 1e-9, qPrintable(QString("%1 %2").arg(f).arg(barra)));
    QVERIFY2(480 * f + barra >= 599.0 - 1e-9, qPrintable(QString("%1 %2").arg(f).arg(barra)));
    QVERIFY(SchermoIntero::attivo());

    const QSize scalato(pixelScalato(9570, f), pixelScalato(7200, f));
    QTRY_COMPARE(b.w->centralWidget()->height(), 600 - b.w->menuBar()->height());
    const QSize cliente = b.w->centralWidget()->size();
    const QPoint o = b.w->adattatore()->origine();
    QVERIFY(scalato.height() <= cliente.height());
    QCOMPARE(o.y(), (cliente.height() - scalato.height()) / 2);
    // Across, the layout's controls are centred, not its area.
    const QRect tutto = ingombro(b.w->configurazione().schermata);
    const int sinistra = o.x() + pixelScalato(tutto.left(), f);
    const int destra = o.x() + pixelScalato(tutto.left() + tutto.width(), f);
    QVERIFY2(std::abs(cliente.width() - destra - sinistra) <= 1, qPrintable(QString("%1 %2").arg(sinistra).arg(destra)));
    QVERIFY(o.x() > 100);
    for (QWidget *x : b.w->controlli().inOrdineDiCreazione()) {
      const Controllo &c = dynamic_cast<Scalabile *>(x)->controllo();
      QCOMPARE(x->geometry(), rettangoloScalato(c.left, c.top, c.width, c.height, f).translated(o));
      if (auto *e = qobject_cast<QLabel *>(x))
        QCOMPARE(e->font().pixelSize(), fontQt(c.carattere, f).pixelSize());
    }
    // Drawings decoded again at the size now shown.
    QVERIFY(aspettaDisegni(*b.w));
    QCOMPARE(b.w->cornice(0)->immagine().size(), b.w->cornice(0)->dimensioneDecodifica());
    QVERIFY(b.w->cornice(0)->immagine().width() > disegno.width());
    // The menu bar grew with the rest.
    QVERIFY(b.w->menuBar()->font().pixelSize() > 0 || b.w->menuBar()->font().pointSizeF() > 9);

    // A new exercise places its cards at the new scale too.
    b.w->GeneraEsercizio();
    for (int i = 0; i < b.carte(); ++i) {
      const Controllo &c = dynamic_cast<Scalabile *>(b.w->carta(i))->controllo();
      QCOMPARE(b.w->carta(i)->x(), o.x() + pixelScalato(c.left, f));
    }

    b.tasto(Qt::Key_F11);
    QTRY_VERIFY(!b.w->isFullScreen());
    QVERIFY(!SchermoIntero::attivo());
    QTRY_COMPARE(b.fattore(), 1.0);
    QCOMPARE(b.w->centralWidget()->size(), QSize(638, 480));
    QCOMPARE(b.w->cornice(0)->geometry(), cornice0);
    QCOMPARE(b.w->carta(0)->geometry().size(), carta0.size());
    QVERIFY(aspettaDisegni(*b.w));
    QCOMPARE(b.w->cornice(0)->immagine().size(), disegno);
  }

  // A window asked for in full screen opens so, with its drawings decoded once, at their size.
  void apreASchermoIntero() {
    BancoClasse b(2, true);
    QVERIFY(b.w->isFullScreen());
    QVERIFY(b.fattore() > 1.0);
    QVERIFY(aspettaDisegni(*b.w));
    QCOMPARE(b.w->cornice(1)->immagine().size(), b.w->cornice(1)->dimensioneDecodifica());
    QCOMPARE(b.f.immagini.size(), 3);
  }

  // The start screen (608 high) does not fit 600: shrunk to fit, frame
  // included, at its proportions.
  void siAdatta() {
    PiattaformaInstallata p;
    FormAvvio avvio;
    avvio.Form_Load();
    avvio.show();
    QVERIFY(QTest::qWaitForWindowExposed(&avvio));
    QTRY_VERIFY(avvio.frameGeometry().height() <= 600);
    const double f = avvio.adattatore()->fattore();
    QCOMPARE(f, (600.0 - (avvio.frameGeometry().height() - avvio.height())) / 608);
    QVERIFY(avvio.screen()->availableGeometry().contains(avvio.frameGeometry()));
    QCOMPARE(avvio.size(), QSize(pixelScalato(10605, f), pixelScalato(9120, f)));
    QCOMPARE(avvio.pulsante("Command1")->geometry(), rettangoloScalato(3000, 4200, 3735, 1455, f));
    // The menu fits as it is.
    FormMenu menu;
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QCOMPARE(menu.adattatore()->fattore(), 1.0);
    QCOMPARE(menu.size(), QSize(676, 498));
  }

  // Tab walks the enabled cards left to right, then the slots in reading
  // order, then the drawings, round the end; Shift+Tab goes back; the arrows
  // move along a row and between rows (test_lavagna has them in full). The
  // frame shows where, on a drawing too.
  void ordineDelFuoco_data() { finestre(); }
  void ordineDelFuoco() {
    QFETCH(int, finestra);
    BancoClasse b(finestra);
    QVERIFY(!b.fuoco());  // no control has the keyboard until a key asks for it
    const QList<QWidget *> ordine = b.w->ordineTastiera();
    const int carte = b.carte();
    const int caselle = b.w->regole().campi() * b.w->regole().parole();
    const int disegni = b.w->regole().parole();
    QCOMPARE(ordine.size(), carte + caselle + disegni);
    for (int i = 1; i < carte; ++i)
      QVERIFY(ordine[i - 1]->x() < ordine[i]->x());
    for (int i = carte + 1; i < carte + caselle; ++i)
      QVERIFY(ordine[i - 1]->x() < ordine[i]->x());
    QVERIFY(qobject_cast<Casella *>(ordine[carte]));
    for (int k = 0; k < disegni; ++k)
      QCOMPARE(ordine[carte + caselle + k], b.w->cornice(k));  // the frames stand left to right

    b.tasto(Qt::Key_Tab);
    QCOMPARE(b.fuoco(), ordine[0]);
    QVERIFY(pixelDelFuoco(ordine[0]) > 0);
    QCOMPARE(pixelDelFuoco(ordine[1]), 0);
    b.tasto(Qt::Key_Right);
    QCOMPARE(b.fuoco(), ordine[1]);
    QCOMPARE(pixelDelFuoco(ordine[0]), 0);
    b.tasto(Qt::Key_Left);
    b.tasto(Qt::Key_Left);
    QCOMPARE(b.fuoco(), ordine[0]);  // the row ends there
    b.tasto(Qt::Key_Up);
    QVERIFY(qobject_cast<Casella *>(b.fuoco()));
    QVERIFY(pixelDelFuoco(b.fuoco()) > 0);
    b.tasto(Qt::Key_Down);
    QCOMPARE(b.fuoco(), ordine[0]);
    b.tasto(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(b.fuoco(), ordine.last());
    QVERIFY(pixelDelFuoco(ordine.last()) > 0);
    b.tasto(Qt::Key_Tab);
    QCOMPARE(b.fuoco(), ordine[0]);

    // A used card leaves the order; the rest keep theirs.
    QLabel *usata = b.w->carta(0);
    const Posto p = postoPer(*b.w, usata);
    lascia(*b.w, p.riga, p.indice, usata);
    QVERIFY(!usata->isEnabled());
    QVERIFY(!b.w->ordineTastiera().contains(usata));
    QCOMPARE(b.w->ordineTastiera().size(), ordine.size() - 1);
  }

  // Space or Enter on a card chooses it as a tap does; on a slot it drops the
  // choice there through the drop handler, sounds and counters included; Esc
  // takes the choice back.
  void giocoDaTastiera_data() {
    QTest::addColumn<int>("finestra");
    QTest::addColumn<int>("tasto");
    QTest::newRow("DISEGNI1 spazio") << 1 << int(Qt::Key_Space);
    QTest::newRow("DISEGNI1 invio") << 1 << int(Qt::Key_Return);
    QTest::newRow("DISEGNI2 invio tastierino") << 2 << int(Qt::Key_Enter);
    QTest::newRow("DISEGNI2 spazio") << 2 << int(Qt::Key_Space);
  }
  void giocoDaTastiera() {
    QFETCH(int, finestra);
    QFETCH(int, tasto);
    BancoClasse b(finestra);
    const auto scegli = Qt::Key(tasto);
    auto vaiA = [&b](QWidget *x) {
      for (int passi = 0; b.fuoco() != x && passi < 40; ++passi)
        b.tasto(Qt::Key_Tab);
      return b.fuoco() == x;
    };
    auto *carta = qobject_cast<QLabel *>(b.w->ordineTastiera().first());
    b.f.azzeraRegistri();

    // Esc drops the choice, and a second press on the card takes it back too.
    QVERIFY(vaiA(carta));
    b.tasto(scegli);
    QCOMPARE(b.w->cartaSelezionata(), carta);
    b.tasto(Qt::Key_Escape);
    QVERIFY(!b.w->cartaSelezionata());
    b.tasto(scegli);
    b.tasto(scegli);
    QVERIFY(!b.w->cartaSelezionata());

    // A wrong slot: the error sound and count, nothing placed.
    const Posto giusto = postoPer(*b.w, carta);
    const int altroIndice = (giusto.indice + 1) % b.w->regole().parole();
    b.tasto(scegli);
    QVERIFY(vaiA(b.w->casella(giusto.riga, altroIndice)));
    b.tasto(scegli);
    QVERIFY(!b.w->cartaSelezionata());
    QCOMPARE(Globali::NumeroErrati, std::int16_t(1));
    QCOMPARE(b.w->controlli().prendi<QLabel>(QStringLiteral("EtichettaErrati"))->text(), QStringLiteral("1"));
    QCOMPARE(b.f.suoni.size(), 1);
    QVERIFY(b.w->casella(giusto.riga, altroIndice)->text().isEmpty());
    QVERIFY(carta->isEnabled());

    // Its own slot: placed, the card used, the right sound.
    const QString sillaba = carta->text();
    QVERIFY(vaiA(carta));
    b.tasto(scegli);
    QVERIFY(vaiA(b.w->casella(giusto.riga, giusto.indice)));
    b.tasto(scegli);
    QCOMPARE(b.w->casella(giusto.riga, giusto.indice)->text(), sillaba);
    QVERIFY(!carta->isEnabled());
    QCOMPARE(b.w->SillabeGiuste(), std::int16_t(1));
    QCOMPARE(b.f.suoni.size(), 2);
    QVERIFY(b.f.suoni.last() != b.f.suoni.first());

    // A press on a slot with nothing chosen does nothing at all.
    b.tasto(scegli);
    QCOMPARE(b.w->SillabeGiuste(), std::int16_t(1));
    QCOMPARE(b.f.suoni.size(), 2);
  }

  // The whole exercise by keyboard alone: the last placing builds the next one.
  void esercizioCompletoDaTastiera() {
    BancoClasse b(1);
    for (int giro = 0; giro < b.carte(); ++giro) {
      auto *carta = qobject_cast<QLabel *>(b.w->ordineTastiera().first());
      const Posto p = postoPer(*b.w, carta);
      QWidget *slot = b.w->casella(p.riga, p.indice);
      b.tasto(Qt::Key_Tab);
      while (b.fuoco() != carta)
        b.tasto(Qt::Key_Tab);
      b.tasto(Qt::Key_Space);
      while (b.fuoco() != slot)
        b.tasto(Qt::Key_Tab);
      b.tasto(Qt::Key_Space);
    }
    QCOMPARE(Globali::NumeroEsatti, std::int16_t(1));
    QCOMPARE(Globali::NumeroErrati, std::int16_t(0));
    QCOMPARE(b.w->ordineTastiera().size(), 20);
  }

  // F10 and a lone Alt put the menu bar in keyboard mode, first entry lit;
  // Esc leaves it and gives the keyboard back.
  void menuDaTastiera_data() {
    QTest::addColumn<int>("tasto");
    QTest::newRow("F10") << int(Qt::Key_F10);
    QTest::newRow("Alt") << int(Qt::Key_Alt);
  }
  void menuDaTastiera() {
    QFETCH(int, tasto);
    BancoClasse b(1);
    QMenuBar *barra = b.w->menuBar();
    b.tasto(Qt::Key_Tab);
    QWidget *prima = b.fuoco();
    QVERIFY(!barra->activeAction());
    if (tasto == Qt::Key_Alt) {
      QTest::keyPress(prima, Qt::Key_Alt, Qt::AltModifier);
      QTest::keyRelease(prima, Qt::Key_Alt);
    } else {
      b.tasto(Qt::Key(tasto));
    }
    QTRY_COMPARE(barra->activeAction(), b.w->menu("mnuAzzera"));
    QVERIFY(barra->hasFocus());
    b.tasto(Qt::Key_Right);
    QCOMPARE(barra->activeAction(), b.w->menu("mnuLista"));
    b.tasto(Qt::Key_Escape);
    QTRY_VERIFY(!barra->activeAction());
    QCOMPARE(b.fuoco(), prima);
    // The captions stay as they were: no access keys.
    QCOMPARE(b.w->menu("mnuAzzera")->text(), QStringLiteral("Azzera conteggio          "));
  }

  // The start screen's button shows the keyboard's frame from the start.
  void fuocoDeiPulsanti() {
    PiattaformaInstallata p;
    FormMenu menu;
    menu.Form_Load();
    menu.show();
    menu.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    QWidget *primo = menu.pulsante("Command3D1");
    QCOMPARE(QApplication::focusWidget(), primo);
    QVERIFY(pixelDelFuoco(primo) > 100);
    QCOMPARE(pixelDelFuoco(menu.pulsante("Command3D5")), 0);
    QTest::keyClick(primo, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), menu.pulsante("Command3D5"));
    QVERIFY(pixelDelFuoco(menu.pulsante("Command3D5")) > 100);
    QCOMPARE(pixelDelFuoco(primo), 0);
  }

  // What a screen reader is told: cards are buttons named by their syllable
  // that it can press; slots say where they are and what they hold; drawings
  // their word; faces and counters what they mean; the window its name.
  void nomiAccessibili_data() { finestre(); }
  void nomiAccessibili() {
    QFETCH(int, finestra);
    BancoClasse b(finestra);
    auto interfaccia = [](QObject *o) { return QAccessible::queryAccessibleInterface(o); };
    const auto &c = b.w->regole();

    QCOMPARE(interfaccia(b.w.get())->text(QAccessible::Name), finestra == 1
                                                                  ? QStringLiteral("Quirlo, parole di due sillabe")
                                                                  : QStringLiteral("Quirlo, parole di tre sillabe"));
    QVERIFY(b.w->windowTitle().isEmpty());

    QLabel *carta = b.w->carta(0);
    QAccessibleInterface *ic = interfaccia(carta);
    QCOMPARE(ic->role(), QAccessible::Button);
    QCOMPARE(ic->text(QAccessible::Name), carta->text());
    QVERIFY(ic->actionInterface());
    QVERIFY(ic->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));

    const Posto p = postoPer(*b.w, carta);
    QAccessibleInterface *is = interfaccia(b.w->casella(p.riga, p.indice));
    QCOMPARE(is->role(), QAccessible::Button);
    const QString dove = QStringLiteral("casella %1 della parola %2").arg(p.riga + 1).arg(p.indice + 1);
    QCOMPARE(is->text(QAccessible::Name), dove + QStringLiteral(", vuota"));

    // Pressing through the interface is a tap: the card, then its slot.
    const QString sillaba = carta->text();
    ic->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(b.w->cartaSelezionata(), carta);
    is->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(is->text(QAccessible::Name), dove + QStringLiteral(", contiene ") + sillaba);
    QVERIFY(ic->state().disabled);
    QVERIFY(ic->actionInterface()->actionNames().isEmpty());
    QCOMPARE(b.w->SillabeGiuste(), std::int16_t(1));

    // The legends are text, and count nothing when "pressed".
    QAccessibleInterface *legenda = interfaccia(b.w->casella(0, IndiceLegenda));
    QCOMPARE(legenda->role(), QAccessible::StaticText);
    QCOMPARE(legenda->text(QAccessible::Name), QStringLiteral("Errati"));
    QVERIFY(legenda->actionInterface()->actionNames().isEmpty());

    for (int k = 0; k < c.parole(); ++k) {
      QAccessibleInterface *id = interfaccia(b.w->cornice(k));
      QCOMPARE(id->role(), QAccessible::Graphic);
      QString parola;
      for (int campo = 0; campo < c.campi(); ++campo)
        parola += b.w->Sillaba(campo, b.w->Scelta(k));
      QCOMPARE(id->text(QAccessible::Name), parola.toLower());
    }
    QCOMPARE(interfaccia(b.w->controlli().trova(QStringLiteral("ComandoIconaSi")))->role(), QAccessible::Graphic);
    QVERIFY(interfaccia(b.w->controlli().trova(QStringLiteral("ComandoIconaSi")))
                ->text(QAccessible::Name)
                .startsWith(QStringLiteral("faccina contenta")));

    QCOMPARE(interfaccia(b.w->controlli().trova(QStringLiteral("EtichettaEsatti")))->text(QAccessible::Name),
             QStringLiteral("Esatti: 0"));
    lascia(*b.w, 0, IndiceLegenda, b.w->carta(1));
    QCOMPARE(interfaccia(b.w->controlli().trova(QStringLiteral("EtichettaErrati")))->text(QAccessible::Name),
             QStringLiteral("Errati: 1"));
  }
};

QUIRLO_TEST_MAIN(ProvaClasse)
#include "test_classe.moc"
