#include "Adattamento.h"
#include "Banco.h"
#include "Dati.h"
#include "Disegni.h"
#include "FormSemplice.h"
#include "Finestre.h"
#include "Gioco.h"
#include "Immagini.h"
#include "PiattaformaFinta.h"
#include "Widgets.h"
#include "ProvaMain.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenuBar>
#include <QPointer>
#include <QSet>
#include <QTest>

using namespace quirlo;
using namespace quirlo::prova;

namespace {

QString parola(const QStringList &s) { return s.join(QString()); }

// A program folder and a scripted platform; windows are made by the test.

QString testo(const Esercizio &e, const char *nome) {
  return e.controlli().prendi<QLabel>(QString::fromUtf8(nome))->text();
}
bool visibile(const Esercizio &e, const char *nome) { return !e.controlli().trova(QString::fromUtf8(nome))->isHidden(); }
int px(int twip) { return pixel(twip); }

// A window built and not shown.
template <typename T>
T *nascosta() {
  for (QWidget *w : QApplication::topLevelWidgets())
    if (auto *e = qobject_cast<T *>(w); e && !e->isVisible())
      return e;
  return nullptr;
}

}  // namespace

class ProvaDisegni : public QObject {
  Q_OBJECT

 private slots:
  // Redraws until distinct, row floor(r * 11), captions in upper case, drawings by the list's own letters.
  void generaBisillabe() {
    Banco b;
    auto parole = paroleBisillabe(6);
    parole[1] = QStringList{QStringLiteral("Ca"), QStringLiteral("sa")};
    b.d.scriviLista(QStringLiteral("lista2.txt"), parole);
    const double r3 = perRecord(3, 6), r1 = perRecord(1, 6);
    auto w = b.apri<DISEGNI1>({r3, r3, r1, perRecord(6, 6), r1, r3, perRecord(2, 6), perRiga(10)});
    QVERIFY(w);
    QCOMPARE(b.f.estrazioni, 8);
    QCOMPARE(b.f.numeri.size(), 0);
    QCOMPARE((QList<int>{w->Scelta(0), w->Scelta(1), w->Scelta(2), w->Scelta(3)}), (QList<int>{3, 1, 6, 2}));
    QCOMPARE(Globali::NumeroParole, 6);
    const int riga10[] = {5600, 3400, 4500, 2300, 6700, 7800, 1200, 100};
    for (int i = 0; i < 8; ++i) {
      QCOMPARE(w->carta(i)->x(), px(riga10[i]));
      QCOMPARE(w->carta(i)->y(), 216);
      QVERIFY(w->carta(i)->isEnabled());
    }
    QCOMPARE(w->carta(3)->text(), QStringLiteral("CA"));  // Label1(3): first syllable of word 4
    QCOMPARE(w->carta(7)->text(), QStringLiteral("SA"));
    QCOMPARE(w->carta(0)->text(), parole[2][0].toUpper());
    QVERIFY(aspettaDisegni(*w));
    QCOMPARE(b.f.immagini.size(), 4);
    QCOMPARE(b.f.immagini[3], b.d.file(QStringLiteral("jpg/Casa.jpg")));
    QCOMPARE(b.f.immagini[0], b.d.file(QStringLiteral("jpg/%1.jpg").arg(parola(parole[2]))));
    QVERIFY(!w->cornice(0)->immagine().isNull());
    QCOMPARE(w->cornice(0)->immagine().size(), QSize(142, 118));  // decoded at the frame's inner size
    for (int riga = 0; riga < 2; ++riga)
      for (int k = 0; k < 4; ++k)
        QVERIFY(w->casella(riga, k)->text().isEmpty());
    QCOMPARE(testo(*w, "EtichettaEsatti"), QStringLiteral("0"));
    QCOMPARE(testo(*w, "EtichettaErrati"), QStringLiteral("0"));
    QVERIFY(w->menu("mnufacile")->isChecked());
    QVERIFY(!w->menu("mnudifficile")->isChecked());
    QVERIFY(w->menu("mnuMaiuscolo")->isChecked());
    QVERIFY(!w->menu("mnuMinuscolo")->isChecked());
    QVERIFY(visibile(*w, "ComandoIconaSi") && visibile(*w, "ComandoIconaNo"));
  }

  // Every row of both tables puts the cards on all the places, once each.
  void disposizioni() {
    for (int finestra = 1; finestra <= 2; ++finestra) {
      for (int riga = 0; riga < 11; ++riga) {
        Banco b;
        const bool due = finestra == 1;
        b.d.scriviLista(due ? QStringLiteral("lista2.txt") : QStringLiteral("lista3.txt"),
                        due ? paroleBisillabe(4) : paroleTrisillabe(3));
        QList<double> numeri = due ? QList<double>{0.1, 0.3, 0.6, 0.9} : QList<double>{0.1, 0.5, 0.9};
        numeri << perRiga(riga);
        std::unique_ptr<Esercizio> w;
        if (due)
          w = b.apri<DISEGNI1>(numeri);
        else
          w = b.apri<DISEGNI2>(numeri);
        QSet<int> posti;
        for (int i = 0; i < int(w->regole().carte.size()); ++i)
          posti.insert(w->carta(i)->x());
        QSet<int> attesi;
        for (int s = 0; s < (due ? 8 : 9); ++s)
          attesi.insert(px(due ? 100 + 1100 * s : 100 + 1000 * s));
        QCOMPARE(posti, attesi);
      }
    }
  }

  void generaTrisillabe() {
    Banco b;
    const auto parole = paroleTrisillabe(3);
    b.d.scriviLista(QStringLiteral("lista3.txt"), parole);
    auto w = b.apri<DISEGNI2>({0.9, 0.9, 0.1, 0.1, 0.5, perRiga(10)});
    QVERIFY(w);
    QCOMPARE((QList<int>{w->Scelta(0), w->Scelta(1), w->Scelta(2)}), (QList<int>{3, 1, 2}));
    // Row 10: Label1(1) at 100, Label1(7) at 8100.
    QCOMPARE(w->carta(1)->x(), 7);
    QCOMPARE(w->carta(7)->x(), 540);
    QCOMPARE(w->carta(1)->objectName(), QStringLiteral("Label1(1)"));
    // Card i carries syllable i div 3 of word i mod 3.
    for (int i = 0; i < 9; ++i)
      QCOMPARE(w->carta(i)->text(), parole[w->Scelta(i % 3) - 1][i / 3].toUpper());
    QVERIFY(aspettaDisegni(*w));
    QCOMPARE(w->cornice(2)->immagine().size(), QSize(158, 158));
  }

  // Right and wrong drops on every row, legends, lower-case cards on upper-case words.
  void dropDiUnaFinestra_data() {
    QTest::addColumn<int>("finestra");
    QTest::newRow("DISEGNI1") << 1;
    QTest::newRow("DISEGNI2") << 2;
  }

  void dropDiUnaFinestra() {
    QFETCH(int, finestra);
    Banco b;
    const bool due = finestra == 1;
    auto parole = due ? paroleBisillabe(5) : paroleTrisillabe(4);
    for (auto &s : parole)
      for (auto &x : s)
        x = x.toUpper();
    b.d.scriviLista(due ? QStringLiteral("lista2.txt") : QStringLiteral("lista3.txt"), parole);
    b.f.numeroPredefinito = 0.0;
    std::unique_ptr<Esercizio> w;
    if (due)
      w = b.apri<DISEGNI1>({0.1, 0.3, 0.5, 0.7, 0.0});
    else
      w = b.apri<DISEGNI2>({0.1, 0.5, 0.9, 0.0});
    QVERIFY(w);
    b.f.numeri = due ? QList<double>{0.1, 0.3, 0.5, 0.7, 0.0} : QList<double>{0.1, 0.5, 0.9, 0.0};
    w->mnuMinuscolo_Click();
    QVERIFY(w->menu("mnuMinuscolo")->isChecked() && !w->menu("mnuMaiuscolo")->isChecked());
    b.f.azzeraRegistri();
    const auto &c = w->regole();
    const int carte = int(c.carte.size());

    // A card on the wrong row or under the wrong drawing is wrong, and changes nothing else.
    QLabel *prima = w->carta(0);
    const QString testoPrima = prima->text();
    QCOMPARE(testoPrima, testoPrima.toLower());
    const Posto giusto = postoPer(*w, prima);
    const int altraRiga = (giusto.riga + 1) % c.campi();
    lascia(*w, altraRiga, giusto.indice, prima);
    lascia(*w, giusto.riga, (giusto.indice + 1) % c.parole(), prima);
    w->Label2_DragDrop(4, prima);
    w->Label3_DragDrop(4, prima);
    QCOMPARE(testo(*w, "EtichettaErrati"), QStringLiteral("4"));
    QCOMPARE(Globali::NumeroErrati, 4);
    QCOMPARE(b.f.suoni.size(), 4);
    QVERIFY(b.f.suoni.first().endsWith(QStringLiteral("suoni/no.wav")));
    QCOMPARE(b.f.estrazioni, 0);
    QVERIFY(!visibile(*w, "ComandoIconaSi") && visibile(*w, "ComandoIconaNo"));
    QCOMPARE(prima->text(), testoPrima);
    QVERIFY(prima->isEnabled());
    QCOMPARE(w->controlli().prendi<QLabel>(QStringLiteral("Label2"), 4)->text(), QStringLiteral("Errati"));
    QCOMPARE(w->controlli().prendi<QLabel>(QStringLiteral("Label3"), 4)->text(), QStringLiteral("Esatti"));

    // Right drops fill slots of every row in the card's own (lower) case.
    for (int i = 0; i < carte - 1; ++i) {
      QLabel *carta = w->carta(i);
      const QString t = carta->text();
      const Posto p = postoPer(*w, carta);
      lascia(*w, p.riga, p.indice, carta);
      QCOMPARE(w->casella(p.riga, p.indice)->text(), t);
      QVERIFY(carta->text().isEmpty());
      QVERIFY(!carta->isEnabled());
      QCOMPARE(w->SillabeGiuste(), i + 1);
      QVERIFY(visibile(*w, "ComandoIconaSi") && !visibile(*w, "ComandoIconaNo"));
    }
    QCOMPARE(b.f.estrazioni, carte - 1);  // one per right sound
    QVERIFY(b.f.suoni.last().endsWith(QStringLiteral("suoni/si1.wav")));

    // The last drop completes: a fresh exercise in lower case, the happy face stays.
    b.f.numeri = {0.0, perRecord(2, int(parole.size())), perRecord(3, int(parole.size())),
                  perRecord(4, int(parole.size())), perRiga(3)};
    QLabel *ultima = w->carta(carte - 1);
    const Posto p = postoPer(*w, ultima);
    lascia(*w, p.riga, p.indice, ultima);
    QCOMPARE(testo(*w, "EtichettaEsatti"), QStringLiteral("1"));
    QCOMPARE(testo(*w, "EtichettaErrati"), QStringLiteral("4"));
    QCOMPARE(w->SillabeGiuste(), 0);
    for (int i = 0; i < carte; ++i) {
      QVERIFY(w->carta(i)->isEnabled());
      QVERIFY(!w->carta(i)->text().isEmpty());
      QCOMPARE(w->carta(i)->text(), w->carta(i)->text().toLower());
    }
    for (int riga = 0; riga < c.campi(); ++riga)
      for (int k = 0; k < c.parole(); ++k)
        QVERIFY(w->casella(riga, k)->text().isEmpty());
    QVERIFY(visibile(*w, "ComandoIconaSi") && !visibile(*w, "ComandoIconaNo"));
  }

  // Two cards with equal text fit either slot; the exercise completes even with one slot left empty.
  void sillabeUguali() {
    Banco b;
    b.d.scriviLista(QStringLiteral("lista2.txt"), {{QStringLiteral("ca"), QStringLiteral("sa")},
                                                   {QStringLiteral("ca"), QStringLiteral("ne")},
                                                   {QStringLiteral("lu"), QStringLiteral("na")},
                                                   {QStringLiteral("me"), QStringLiteral("la")}});
    auto w = b.apri<DISEGNI1>({0.1, 0.3, 0.6, 0.9, 0.0});
    QCOMPARE(w->carta(0)->text(), QStringLiteral("CA"));
    QCOMPARE(w->carta(1)->text(), QStringLiteral("CA"));
    w->Label2_DragDrop(0, w->carta(1));
    w->Label2_DragDrop(0, w->carta(0));
    QCOMPARE(w->SillabeGiuste(), 2);
    QVERIFY(w->casella(0, 1)->text().isEmpty());
    for (int i = 2; i < 8; ++i) {
      const Posto p = postoPer(*w, w->carta(i));
      lascia(*w, p.riga, p.indice, w->carta(i));
    }
    QCOMPARE(Globali::NumeroEsatti, 1);
    QCOMPARE(w->SillabeGiuste(), 0);
  }

  // Reset keeps the exercise; list and case commands rebuild without counting.
  void comandi() {
    Banco b;
    b.d.scriviLista(QStringLiteral("lista3.txt"), paroleTrisillabe(5));
    b.d.scriviLista(QStringLiteral("lista5.txt"), paroleTrisillabe(3));
    auto w = b.apri<DISEGNI2>({0.1, 0.5, 0.9, 0.0});
    w->Label2_DragDrop(4, w->carta(0));
    const Posto p = postoPer(*w, w->carta(1));
    lascia(*w, p.riga, p.indice, w->carta(1));

    const auto scelte = QList<int>{w->Scelta(0), w->Scelta(1), w->Scelta(2)};
    w->mnuAzzera_Click();
    QCOMPARE(testo(*w, "EtichettaEsatti"), QStringLiteral("0"));
    QCOMPARE(testo(*w, "EtichettaErrati"), QStringLiteral("0"));
    QCOMPARE(w->SillabeGiuste(), 1);
    QCOMPARE((QList<int>{w->Scelta(0), w->Scelta(1), w->Scelta(2)}), scelte);
    QVERIFY(!w->carta(1)->isEnabled());
    w->Label2_DragDrop(4, w->carta(0));

    b.f.numeri = {0.1, 0.5, 0.9, 0.0, 0.1, 0.5, 0.9, 0.0};
    w->mnudifficile_Click();
    QCOMPARE(Globali::NumeroParole, 3);
    w->mnudifficile_Click();
    QVERIFY(w->menu("mnudifficile")->isChecked() && !w->menu("mnufacile")->isChecked());
    QCOMPARE(w->SillabeGiuste(), 0);
    QVERIFY(w->carta(1)->isEnabled());
    QCOMPARE(Globali::NumeroErrati, 1);
    QCOMPARE(Globali::NumeroEsatti, 0);
    QVERIFY(b.f.numeri.isEmpty());

    // "stampato minuscolo" mid-exercise discards the placed syllables.
    const Posto q = postoPer(*w, w->carta(4));
    lascia(*w, q.riga, q.indice, w->carta(4));
    w->mnuMinuscolo_Click();
    QVERIFY(w->casella(q.riga, q.indice)->text().isEmpty());
    QCOMPARE(w->carta(0)->text(), w->carta(0)->text().toLower());
    QVERIFY(!w->Maiuscolo());
    w->mnufacile_Click();
    QCOMPARE(Globali::NumeroParole, 5);
    QVERIFY(w->menu("mnufacile")->isChecked() && !w->menu("mnudifficile")->isChecked());
    QCOMPARE(w->carta(0)->text(), w->carta(0)->text().toLower());
  }

  // A list that can't be used changes nothing: words, exercise, counters, marks.
  void rifiutiNonToccanoNulla_data() {
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<QString>("indizio");
    QTest::newRow("missing") << QByteArray("-") << QStringLiteral("Non riesco a leggere");
    QTest::newRow("odd fields") << QByteArray("ca,sa\r\nlu\r\n") << QStringLiteral("incompleta");
    QTest::newRow("too short") << QByteArray("ca,sa\r\n") << QStringLiteral("almeno 4");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("vuota");
    QByteArray lunga;
    for (int i = 0; i < 101; ++i)
      lunga += "a" + QByteArray::number(i) + ",b\r\n";
    QTest::newRow("101 words") << lunga << QStringLiteral("più di 100");
    QTest::newRow("no drawings") << QByteArray("ci,ao\r\npe,ra\r\nmo,to\r\nre,te\r\n") << QDir::toNativeSeparators(QStringLiteral("manca il file jpg/ciao.jpg"));
  }

  void rifiutiNonToccanoNulla() {
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, indizio);
    Banco b;
    b.d.scriviLista(QStringLiteral("lista2.txt"), paroleBisillabe(6));
    if (contenuto != "-")
      b.d.scriviFile(QStringLiteral("lista4.txt"), contenuto);
    auto w = b.apri<DISEGNI1>({0.1, 0.3, 0.5, 0.7, 0.0});
    w->Label3_DragDrop(4, w->carta(2));
    const Posto p = postoPer(*w, w->carta(5));
    lascia(*w, p.riga, p.indice, w->carta(5));
    QStringList carte;
    for (int i = 0; i < 8; ++i)
      carte << w->carta(i)->text() + QString::number(w->carta(i)->x());
    b.f.azzeraRegistri();
    b.f.numeriFiniti = true;

    // Through the menu's own action, which toggles its mark before the handler runs.
    w->menu("mnudifficile")->trigger();
    QCOMPARE(b.f.messaggi.size(), 1);
    QCOMPARE(b.f.messaggi[0].flags, 48);
    QVERIFY2(b.f.messaggi[0].testo.contains(indizio), qPrintable(b.f.messaggi[0].testo));
    QVERIFY(b.f.messaggi[0].testo.contains(QStringLiteral("lista4.txt")));
    QCOMPARE(b.f.estrazioni, 0);
    QVERIFY(w->menu("mnufacile")->isChecked() && !w->menu("mnudifficile")->isChecked());
    QCOMPARE(Globali::NumeroParole, 6);
    QCOMPARE(w->SillabeGiuste(), 1);
    QCOMPARE(w->casella(p.riga, p.indice)->text(), w->Sillaba(p.riga, w->Scelta(p.indice)).toUpper());
    QStringList dopo;
    for (int i = 0; i < 8; ++i)
      dopo << w->carta(i)->text() + QString::number(w->carta(i)->x());
    QCOMPARE(dopo, carte);
    QCOMPARE(testo(*w, "EtichettaErrati"), QStringLiteral("1"));
    QCOMPARE(w->Sillaba(0, 6), paroleBisillabe(6)[5][0]);
  }

  // Refused while the difficult list is in use: its marks stay, whichever item was clicked.
  void rifiutoConListaDifficile() {
    Banco b;
    b.d.scriviLista(QStringLiteral("lista2.txt"), paroleBisillabe(4));
    b.d.scriviLista(QStringLiteral("lista4.txt"), paroleBisillabe(5));
    auto w = b.apri<DISEGNI1>({0.1, 0.3, 0.5, 0.7, 0.0});
    w->menu("mnudifficile")->trigger();
    QVERIFY(w->menu("mnudifficile")->isChecked() && !w->menu("mnufacile")->isChecked());
    b.d.rimuovi(QStringLiteral("lista4.txt"));
    b.d.rimuovi(QStringLiteral("lista2.txt"));
    for (const char *voce : {"mnudifficile", "mnufacile"}) {
      w->menu(voce)->trigger();
      QVERIFY(w->menu("mnudifficile")->isChecked());
      QVERIFY(!w->menu("mnufacile")->isChecked());
    }
    QCOMPARE(Globali::NumeroParole, 5);
    QCOMPARE(b.f.messaggi.size(), 2);
  }

  void contatoriSiFermanoA32767() {
    Banco b;
    b.d.scriviLista(QStringLiteral("lista2.txt"), paroleBisillabe(4));
    auto w = b.apri<DISEGNI1>({0.1, 0.3, 0.5, 0.7, 0.0});
    Globali::NumeroErrati = 32766;
    Globali::NumeroEsatti = 32767;
    w->Label2_DragDrop(4, w->carta(0));
    w->Label2_DragDrop(4, w->carta(0));
    QCOMPARE(Globali::NumeroErrati, 32767);
    QCOMPARE(testo(*w, "EtichettaErrati"), QStringLiteral("32767"));

    b.f.numeri = {0.1, 0.3, 0.5, 0.7, 0.0};
    completa(*w);
    QCOMPARE(Globali::NumeroEsatti, 32767);
    QCOMPARE(testo(*w, "EtichettaEsatti"), QStringLiteral("32767"));
  }

  // A drawing that breaks after its list was accepted leaves its frame empty.
  void disegnoRottoDopo() {
    Banco b;
    const auto parole = paroleBisillabe(4);
    b.d.scriviLista(QStringLiteral("lista2.txt"), parole);
    auto w = b.apri<DISEGNI1>({0.1, 0.3, 0.5, 0.7, 0.0});
    b.d.rimuovi(QStringLiteral("jpg/%1.jpg").arg(parola(parole[0])));
    b.d.scriviFile(QStringLiteral("jpg/%1.jpg").arg(parola(parole[1])), "rotto");
    b.f.numeri = {0.1, 0.3, 0.5, 0.7, 0.0};
    w->mnuMaiuscolo_Click();
    QVERIFY(aspettaDisegni(*w));
    QVERIFY(w->cornice(0)->immagine().isNull());
    QVERIFY(w->cornice(1)->immagine().isNull());
    QVERIFY(!w->cornice(2)->immagine().isNull());
    QVERIFY(b.f.messaggi.isEmpty());
    completa(*w);
    QCOMPARE(Globali::NumeroEsatti, 1);
  }

  // "Esci": No changes nothing; Yes goes back to the menu, and reopening starts afresh.
  void esci() {
    Banco b;
    Finestre::registra(TipoFinestra::FormMenu, [] { return new FormMenu; });
    Finestre::registra(TipoFinestra::DISEGNI1, [] { return new DISEGNI1; });
    b.d.scriviLista(QStringLiteral("lista2.txt"), paroleBisillabe(5));
    b.d.scriviLista(QStringLiteral("lista4.txt"), paroleBisillabe(4));

    b.f.numeri = {0.1, 0.3, 0.5, 0.7, 0.0};
    QVERIFY(Finestre::mostra(TipoFinestra::DISEGNI1));
    auto *w = qobject_cast<DISEGNI1 *>(Finestre::aperta(TipoFinestra::DISEGNI1));
    w->Label2_DragDrop(4, w->carta(0));
    b.f.numeri = {0.1, 0.3, 0.5, 0.7, 0.0, 0.1, 0.3, 0.5, 0.7, 0.0};
    w->mnudifficile_Click();
    w->mnuMinuscolo_Click();
    const QString carta0 = w->carta(0)->text();

    b.f.risposte = {Msg::RispostaNo};
    w->mnuEsci_Click();
    QCOMPARE(b.f.messaggi.last().testo, QStringLiteral("Vuoi tornare al menù?"));
    QCOMPARE(b.f.messaggi.last().flags, 36);
    QCOMPARE(Finestre::aperta(TipoFinestra::DISEGNI1), w);
    QCOMPARE(w->carta(0)->text(), carta0);
    QCOMPARE(Globali::NumeroErrati, 1);
    QVERIFY(visibile(*w, "ComandoIconaNo"));

    b.f.risposte = {Msg::RispostaSi};
    b.f.numeri = {0.0};
    w->mnuEsci_Click();
    QCOMPARE(Globali::NumeroErrati, 0);
    QVERIFY(Finestre::aperta(TipoFinestra::FormMenu));
    QCOMPARE(Finestre::aperta(TipoFinestra::DISEGNI1), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    b.f.numeri = {0.1, 0.3, 0.5, 0.7, 0.0};
    QVERIFY(Finestre::mostra(TipoFinestra::DISEGNI1));
    auto *nuova = qobject_cast<DISEGNI1 *>(Finestre::aperta(TipoFinestra::DISEGNI1));
    QCOMPARE(testo(*nuova, "EtichettaErrati"), QStringLiteral("0"));
    QVERIFY(nuova->menu("mnufacile")->isChecked() && nuova->menu("mnuMaiuscolo")->isChecked());
    QVERIFY(!nuova->menu("mnudifficile")->isChecked() && !nuova->menu("mnuMinuscolo")->isChecked());
    QCOMPARE(Globali::NumeroParole, 5);
    QCOMPARE(nuova->carta(0)->text(), nuova->carta(0)->text().toUpper());
    Finestre::scarica(TipoFinestra::DISEGNI1);
    Finestre::scarica(TipoFinestra::FormMenu);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // The menu builds both exercises unseen once it is on screen; a click
  // shows the one built, loaded then, and drops the other.
  void menuPreparaGliEsercizi() {
    Banco b;
    Finestre::registra(TipoFinestra::FormMenu, [] { return new FormMenu; });
    Finestre::registra(TipoFinestra::DISEGNI1, [] { return new DISEGNI1; });
    Finestre::registra(TipoFinestra::DISEGNI2, [] { return new DISEGNI2; });
    b.d.scriviLista(QStringLiteral("lista2.txt"), paroleBisillabe(5));
    Globali::NumeroParole = 0;
    b.f.numeri = {0.0};
    QVERIFY(Finestre::mostra(TipoFinestra::FormMenu));
    auto *menu = qobject_cast<FormMenu *>(Finestre::aperta(TipoFinestra::FormMenu));
    QTRY_VERIFY(nascosta<DISEGNI1>() && nascosta<DISEGNI2>());
    QPointer<DISEGNI1> uno = nascosta<DISEGNI1>();
    QPointer<DISEGNI2> due = nascosta<DISEGNI2>();
    QCOMPARE(Finestre::quanteAperte(), 1);
    QCOMPARE(Finestre::aperta(TipoFinestra::DISEGNI1), nullptr);
    QCOMPARE(Globali::NumeroParole, 0);  // built, not loaded

    b.f.numeri = {0.1, 0.3, 0.5, 0.7, 0.0};
    menu->pulsante("Command3D1")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(Finestre::aperta(TipoFinestra::DISEGNI1), uno.data());
    QVERIFY(uno->isVisible());
    QCOMPARE(Globali::NumeroParole, 5);
    QVERIFY(!due);
    QCOMPARE(Finestre::aperta(TipoFinestra::FormMenu), nullptr);
    Finestre::scarica(TipoFinestra::DISEGNI1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // A window prepared before F11 changed the full-screen choice is built again.
  void preparataPrimaDelloSchermoIntero() {
    Banco b;
    Finestre::registra(TipoFinestra::DISEGNI1, [] { return new DISEGNI1; });
    b.d.scriviLista(QStringLiteral("lista2.txt"), paroleBisillabe(5));
    Finestre::prepara(TipoFinestra::DISEGNI1);
    QPointer<DISEGNI1> preparata = nascosta<DISEGNI1>();
    QVERIFY(preparata);
    SchermoIntero::imposta(true);
    b.f.numeri = {0.1, 0.3, 0.5, 0.7, 0.0};
    const bool aperta = Finestre::mostra(TipoFinestra::DISEGNI1);
    SchermoIntero::imposta(false);
    QVERIFY(aperta);
    QWidget *w = Finestre::aperta(TipoFinestra::DISEGNI1);
    QVERIFY(w != preparata.data());
    QVERIFY(w->windowState() & Qt::WindowFullScreen);
    Finestre::scarica(TipoFinestra::DISEGNI1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!preparata);
  }

  // The menu bar: order, captions with their ten trailing blanks, and the list menu's name.
  void menuECaptions() {
    Banco b;
    b.d.scriviLista(QStringLiteral("lista2.txt"), paroleBisillabe(4));
    b.d.scriviLista(QStringLiteral("lista3.txt"), paroleTrisillabe(3));
    auto w1 = b.apri<DISEGNI1>({0.1, 0.3, 0.5, 0.7, 0.0});
    auto w2 = b.apri<DISEGNI2>({0.1, 0.5, 0.9, 0.0});
    const QString dieci(10, QLatin1Char(' '));
    for (Esercizio *w : {static_cast<Esercizio *>(w1.get()), static_cast<Esercizio *>(w2.get())}) {
      QStringList barra;
      for (QAction *a : w->menuBar()->actions())
        barra << a->text();
      QCOMPARE(barra, (QStringList{QStringLiteral("Azzera conteggio") + dieci, QStringLiteral("Lista parole") + dieci,
                                   QStringLiteral("Caratteri") + dieci, QStringLiteral("Esci")}));
      QCOMPARE(w->windowTitle(), QString());
      // The bar is written in the desktop's menu font, as its drop-downs are,
      // not in the window's own bold font.
      QCOMPARE(w->menuBar()->font(), QApplication::font("QMenu"));
      QVERIFY(!w->menuBar()->font().bold());
      QCOMPARE(w->centralWidget()->size(), QSize(638, 480));
      QCOMPARE(w->centralWidget()->palette().color(QPalette::Window), QColor(0, 255, 0));
    }
    QVERIFY(w1->menu("mnuLista"));
    QVERIFY(w2->menu("mnulista"));
    QVERIFY(!w2->controlli().trova(QStringLiteral("Label2"), 3));
    QCOMPARE(w2->controlli().trova(QStringLiteral("Label2"), 4)->geometry(), QRect(312, 305, 49, 33));
    QCOMPARE(w1->casella(1, 3)->geometry(), QRect(536, 144, 69, 35));
    QCOMPARE(w2->casella(2, 1)->geometry(), QRect(320, 184, 53, 35));
    QCOMPARE(w1->cornice(0)->geometry(), QRect(7, 16, 144, 120));
    QCOMPARE(w2->cornice(2)->geometry(), QRect(424, 16, 160, 160));
  }
};

QUIRLO_TEST_MAIN(ProvaDisegni)
#include "test_disegni.moc"
