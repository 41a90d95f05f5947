// Playing by taps: a tap chooses a card, a press on a slot drops it there.
// Offscreen a real drag can't run, so taps come from the card's own signal and
// presses on slots, drawings and the background are real mouse events.
#include "Banco.h"
#include "Dati.h"
#include "Disegni.h"
#include "Gioco.h"
#include "PiattaformaFinta.h"
#include "Widgets.h"
#include "ProvaMain.h"

#include <QAction>
#include <QTest>
#include <tuple>
#include <utility>

using namespace quirlo;
using namespace quirlo::prova;

namespace {

// One exercise window of either kind, loaded from a temporary folder and shown,
// so presses reach it through its window as a child's would.
struct BancoSelezione : BancoFinestra {
  explicit BancoSelezione(int finestra) : BancoFinestra(finestra) { f.azzeraRegistri(); }

  Carta *carta(int i) const { return qobject_cast<Carta *>(w->carta(i)); }
  QWidget *controllo(const char *nome, int indice = -1) const {
    return w->controlli().trova(QString::fromUtf8(nome), indice);
  }
  void tocca(int i) const {
    Carta *c = carta(i);
    emit c->toccata(c);
  }
  void premi(QWidget *x, Qt::MouseButton tasto = Qt::LeftButton, QPoint dove = {}) const {
    QTest::mouseClick(x, tasto, {}, dove);
  }
  void premiCasella(int riga, int indice) const { premi(w->casella(riga, indice)); }

  QList<Carta *> evidenziate() const {
    QList<Carta *> e;
    for (int i = 0; i < carte(); ++i)
      if (carta(i)->evidenziata())
        e << carta(i);
    return e;
  }

  // Everything a child sees, except the highlight.
  QString stato() const {
    const auto &c = w->regole();
    QStringList s;
    for (int i = 0; i < carte(); ++i)
      s << QStringLiteral("%1:%2:%3:%4").arg(w->carta(i)->objectName(), w->carta(i)->text())
               .arg(w->carta(i)->isEnabled()).arg(w->carta(i)->x());
    for (int riga = 0; riga < c.campi(); ++riga)
      for (int k = 0; k < c.parole(); ++k)
        s << w->casella(riga, k)->text();
    s << w->casella(0, IndiceLegenda)->text() << w->casella(1, IndiceLegenda)->text();
    for (const char *nome : {"EtichettaEsatti", "EtichettaErrati"})
      s << w->controlli().prendi<QLabel>(QString::fromUtf8(nome))->text();
    s << QString::number(w->SillabeGiuste());
    for (const char *nome : {"ComandoIconaSi", "ComandoIconaNo"})
      s << (controllo(nome)->isHidden() ? QStringLiteral("-") : QString::fromUtf8(nome));
    for (int k = 0; k < c.parole(); ++k)
      s << QString::number(w->Scelta(k));
    return s.join(QLatin1Char(' '));
  }
};

void finestre() {
  QTest::addColumn<int>("finestra");
  QTest::newRow("DISEGNI1") << 1;
  QTest::newRow("DISEGNI2") << 2;
}

// A move of the scripted game: which card, and where it goes relative to its own slot.
enum class Dove { Giusto, AltraRiga, AltroDisegno, Errati, Esatti };
struct Mossa {
  int carta;
  Dove dove;
};

Posto destinazione(const Esercizio &w, const QLabel *carta, Dove dove) {
  const auto &c = w.regole();
  const Posto giusto = postoPer(w, carta);
  switch (dove) {
    case Dove::Giusto: return giusto;
    case Dove::AltraRiga: return {(giusto.riga + 1) % c.campi(), giusto.indice};
    case Dove::AltroDisegno: return {giusto.riga, (giusto.indice + 1) % c.parole()};
    case Dove::Errati: return {0, IndiceLegenda};
    case Dove::Esatti: return {1, IndiceLegenda};
  }
  return {};
}

}  // namespace

class ProvaSelezione : public QObject {
  Q_OBJECT

 private slots:
  void toccoSceglie_data() { finestre(); }
  void toccoSceglie() {
    QFETCH(int, finestra);
    BancoSelezione b(finestra);
    const QString prima = b.stato();
    QVERIFY(!b.w->cartaSelezionata());
    QVERIFY(b.evidenziate().isEmpty());

    b.tocca(0);
    QCOMPARE(b.w->cartaSelezionata(), b.w->carta(0));
    QCOMPARE(b.evidenziate(), QList<Carta *>{b.carta(0)});

    // Another card takes the choice over; only one frame is ever shown.
    b.tocca(b.carte() - 1);
    QCOMPARE(b.w->cartaSelezionata(), b.w->carta(b.carte() - 1));
    QCOMPARE(b.evidenziate(), QList<Carta *>{b.carta(b.carte() - 1)});

    b.tocca(b.carte() - 1);
    QVERIFY(!b.w->cartaSelezionata());
    QVERIFY(b.evidenziate().isEmpty());

    QCOMPARE(b.stato(), prima);
    QVERIFY(b.f.suoni.isEmpty());
    QCOMPARE(b.f.estrazioni, 0);
  }

  // Presses that are neither a card nor a drop target take the choice back and do nothing else.
  void premereAltrove_data() {
    QTest::addColumn<int>("finestra");
    QTest::addColumn<QString>("bersaglio");
    QTest::addColumn<int>("tasto");
    QTest::addColumn<bool>("annulla");
    const int sx = int(Qt::LeftButton), dx = int(Qt::RightButton);
    const std::tuple<const char *, const char *, int, bool> righe[] = {
        {"background", "sfondo", sx, true},
        {"drawing", "Image1", sx, true},
        {"count of right", "EtichettaEsatti", sx, true},
        {"count of wrong", "EtichettaErrati", sx, true},
        {"happy face", "ComandoIconaSi", sx, true},
        {"sad face", "ComandoIconaNo", sx, true},
        {"used card", "usata", sx, true},
        {"right button on background", "sfondo", dx, false},
    };
    for (int finestra : {1, 2})
      for (const auto &[nome, bersaglio, tasto, annulla] : righe)
        QTest::newRow(QByteArray(finestra == 1 ? "DISEGNI1 " : "DISEGNI2 ").append(nome).constData())
            << finestra << QString::fromUtf8(bersaglio) << tasto << annulla;
  }

  void premereAltrove() {
    QFETCH(int, finestra);
    QFETCH(QString, bersaglio);
    QFETCH(int, tasto);
    QFETCH(bool, annulla);
    BancoSelezione b(finestra);
    // One card used up first, so there is a disabled card to press.
    QLabel *usata = b.w->carta(1);
    const Posto p = postoPer(*b.w, usata);
    lascia(*b.w, p.riga, p.indice, usata);
    QVERIFY(!usata->isEnabled());
    b.f.azzeraRegistri();
    const QString prima = b.stato();

    b.tocca(0);
    QWidget *x = bersaglio == QLatin1String("sfondo")  ? b.w->centralWidget()
                 : bersaglio == QLatin1String("usata") ? usata
                 : bersaglio == QLatin1String("Image1") ? b.controllo("Image1", 0)
                                                        : b.controllo(bersaglio.toUtf8().constData());
    QVERIFY(x);
    // A corner of the client area where no control stands.
    const QPoint dove = x == b.w->centralWidget() ? QPoint(x->width() - 5, x->height() - 5) : QPoint();
    QCOMPARE(x->childAt(dove.isNull() ? x->rect().center() : dove), nullptr);
    b.premi(x, Qt::MouseButton(tasto), dove);

    QCOMPARE(b.w->cartaSelezionata(), annulla ? nullptr : b.w->carta(0));
    QCOMPARE(b.evidenziate().size(), annulla ? 0 : 1);
    QCOMPARE(b.stato(), prima);
    QVERIFY(b.f.suoni.isEmpty());
  }

  void casellaSenzaScelta_data() { finestre(); }
  void casellaSenzaScelta() {
    QFETCH(int, finestra);
    BancoSelezione b(finestra);
    const QString prima = b.stato();
    const auto &c = b.w->regole();
    for (int riga = 0; riga < c.campi(); ++riga)
      for (int k = 0; k < c.parole(); ++k)
        b.premiCasella(riga, k);
    b.premiCasella(0, IndiceLegenda);
    b.premiCasella(1, IndiceLegenda);
    QCOMPARE(b.stato(), prima);
    QVERIFY(b.f.suoni.isEmpty());
  }

  // The same moves played by drops and by taps leave the same game after every
  // move: judging, slots, cards, counters, faces, sounds and the completion.
  void toccoComeTrascinamento_data() { finestre(); }
  void toccoComeTrascinamento() {
    QFETCH(int, finestra);
    QList<Mossa> mosse = {{0, Dove::AltraRiga}, {0, Dove::Errati}, {1, Dove::Esatti}, {2, Dove::AltroDisegno}};
    const int carte = finestra == 1 ? 8 : 9;
    for (int i = carte - 1; i >= 0; --i)
      mosse << Mossa{i, Dove::Giusto};
    mosse << Mossa{3, Dove::Errati} << Mossa{4, Dove::Giusto};

    auto gioca = [&](bool aTocchi, QStringList &stati, QStringList &suoni) {
      BancoSelezione b(finestra);
      for (const Mossa &m : mosse) {
        QLabel *carta = b.w->carta(m.carta);
        const Posto p = destinazione(*b.w, carta, m.dove);
        QVERIFY(p.riga >= 0);
        if (aTocchi) {
          const QString prima = b.stato();
          b.tocca(m.carta);
          QCOMPARE(b.w->cartaSelezionata(), carta);
          QCOMPARE(b.stato(), prima);
          b.premiCasella(p.riga, p.indice);
          QVERIFY(!b.w->cartaSelezionata());
          QVERIFY(b.evidenziate().isEmpty());
        } else {
          lascia(*b.w, p.riga, p.indice, carta);
        }
        stati << b.stato();
      }
      for (const QString &suono : b.f.suoni)
        suoni << suono.section(QLatin1Char('/'), -2);
      QCOMPARE(Globali::NumeroEsatti, 1);
      QCOMPARE(Globali::NumeroErrati, 5);
    };
    QStringList perDrop, perTocco, suoniDrop, suoniTocco;
    gioca(false, perDrop, suoniDrop);
    if (QTest::currentTestFailed())
      return;
    gioca(true, perTocco, suoniTocco);
    if (QTest::currentTestFailed())
      return;
    QCOMPARE(perTocco.size(), mosse.size());
    for (int i = 0; i < mosse.size(); ++i)
      QCOMPARE(perTocco[i], perDrop[i]);
    QCOMPARE(suoniTocco, suoniDrop);
    QCOMPARE(suoniTocco.size(), mosse.size());
  }

  // A new exercise never inherits a choice; reset and a "No" to leaving (the fake
  // platform answers No) keep it.
  void cambioDiEsercizio_data() {
    QTest::addColumn<int>("finestra");
    QTest::addColumn<QString>("comando");
    QTest::addColumn<bool>("resta");
    // Each command, and whether the choice outlives it.
    const std::pair<const char *, bool> comandi[] = {
        {"mnufacile", false},       {"mnudifficile", false}, {"mnuMaiuscolo", false}, {"mnuMinuscolo", false},
        {"GeneraEsercizio", false}, {"mnuAzzera", true},     {"mnuEsci", true},
    };
    for (int finestra : {1, 2})
      for (const auto &[comando, resta] : comandi)
        QTest::newRow(QByteArray(finestra == 1 ? "DISEGNI1 " : "DISEGNI2 ").append(comando).constData())
            << finestra << QString::fromUtf8(comando) << resta;
  }

  void cambioDiEsercizio() {
    QFETCH(int, finestra);
    QFETCH(QString, comando);
    QFETCH(bool, resta);
    BancoSelezione b(finestra);
    b.w->Label2_DragDrop(IndiceLegenda, b.w->carta(2));  // something for the reset to clear
    b.tocca(0);
    QLabel *scelta = b.w->carta(0);
    if (comando == QLatin1String("GeneraEsercizio"))
      b.w->GeneraEsercizio();
    else
      b.w->menu(comando.toUtf8().constData())->trigger();
    if (comando == QLatin1String("mnuEsci"))
      QCOMPARE(b.f.messaggi.size(), 1);
    if (!resta) {
      QVERIFY(!b.w->cartaSelezionata());
      QVERIFY(b.evidenziate().isEmpty());
      return;
    }
    QCOMPARE(b.w->cartaSelezionata(), scelta);
    QCOMPARE(b.evidenziate(), QList<Carta *>{b.carta(0)});
    // Still a live choice: the next press on its slot places it.
    const QString testo = scelta->text();
    const Posto p = postoPer(*b.w, scelta);
    b.premiCasella(p.riga, p.indice);
    QCOMPARE(b.w->casella(p.riga, p.indice)->text(), testo);
    QVERIFY(!scelta->isEnabled());
  }

  void cartaUsataNonSiSceglie_data() { finestre(); }
  void cartaUsataNonSiSceglie() {
    QFETCH(int, finestra);
    BancoSelezione b(finestra);
    const Posto p = postoPer(*b.w, b.w->carta(0));
    lascia(*b.w, p.riga, p.indice, b.w->carta(0));
    b.tocca(0);
    QVERIFY(!b.w->cartaSelezionata());
    QVERIFY(!b.carta(0)->evidenziata());
    // A slot pressed afterwards finds nothing to place.
    const QString prima = b.stato();
    b.premiCasella(p.riga, p.indice);
    QCOMPARE(b.stato(), prima);
  }

  // A real drop ends any choice, whichever card it carried; a drop on a slot
  // never leaves a card chosen.
  void trascinamentoAnnulla_data() { finestre(); }
  void trascinamentoAnnulla() {
    QFETCH(int, finestra);
    BancoSelezione b(finestra);
    QLabel *scelta = b.w->carta(0), *altra = b.w->carta(1);
    const QString testoScelta = scelta->text();
    b.tocca(0);
    const Posto p = postoPer(*b.w, altra);
    lascia(*b.w, p.riga, p.indice, altra);
    QVERIFY(!b.w->cartaSelezionata());
    QVERIFY(b.evidenziate().isEmpty());
    QVERIFY(!altra->isEnabled());
    QVERIFY(scelta->isEnabled());
    QCOMPARE(scelta->text(), testoScelta);

    b.tocca(0);
    const Posto q = postoPer(*b.w, scelta);
    lascia(*b.w, q.riga, q.indice, scelta);
    QVERIFY(!b.w->cartaSelezionata());
    QVERIFY(!b.carta(0)->evidenziata());
    QCOMPARE(b.w->casella(q.riga, q.indice)->text(), testoScelta);
  }

  // Taps on things that are not this window's cards, and presses on rows the
  // window hasn't got, are ignored.
  void estranei() {
    BancoSelezione b(1);
    b.w->cartaToccata(nullptr);
    QVERIFY(!b.w->cartaSelezionata());
    b.w->cartaToccata(b.w->casella(0, 0));
    QVERIFY(!b.w->cartaSelezionata());
    b.tocca(0);
    const QString prima = b.stato();
    b.w->casellaPremuta(2, 0);  // Label4 here are cards, not slots
    b.w->casellaPremuta(-1, 0);
    QCOMPARE(b.stato(), prima);
    QVERIFY(b.f.suoni.isEmpty());
  }

  // The chosen card's frame (round it: test_lavagna) goes with the choice:
  // taken back, or the card placed, nothing blue is left on the window.
  void corniceSegueLaScelta() {
    BancoSelezione b(1);
    const auto blu = [&b] {
      const QImage img = b.w->centralWidget()->grab().toImage();
      int n = 0;
      for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
          n += QColor(img.pixel(x, y)) == Carta::coloreEvidenza() ? 1 : 0;
      return n;
    };
    QCOMPARE(blu(), 0);
    b.tocca(0);
    QVERIFY(blu() > 0);
    b.tocca(0);
    QCOMPARE(blu(), 0);
    b.tocca(0);
    const Posto p = postoPer(*b.w, b.w->carta(0));
    b.premiCasella(p.riga, p.indice);
    QVERIFY(!b.w->carta(0)->isEnabled());
    QCOMPARE(blu(), 0);
  }
};

QUIRLO_TEST_MAIN(ProvaSelezione)
#include "test_selezione.moc"
