// The rules of an exercise with no window at all: drawing the words, judging
// each drop, the counters.
#include "Contatori.h"
#include "Disegni.h"
#include "Gioco.h"
#include "PiattaformaFinta.h"
#include "ProvaMain.h"

#include <QTest>
#include <limits>

using namespace quirlo;
using namespace quirlo::prova;

namespace {

// A list of `n` made-up words, "a0,b0", "a1,b1"... (or three syllables).
ListaAccettata lista(int n, int campi) {
  ListaAccettata l;
  for (int i = 0; i < n; ++i) {
    Parola p;
    for (int c = 0; c < campi; ++c)
      p.sillabe << QStringLiteral("%1%2").arg(QChar(u'a' + c)).arg(i);
    l.parole << p;
    l.disegni << QStringLiteral("/jpg/%1.jpg").arg(p.testo());
  }
  return l;
}

const RegoleEsercizio &regole(int campi) {
  return campi == 2 ? DISEGNI1::Configurazione().regole : DISEGNI2::Configurazione().regole;
}

// The slot a card belongs to in this exercise.
std::pair<int, int> postoDi(const Partita &p, int carta) {
  const CartaEsercizio &c = p.regole().carte[size_t(carta)];
  return {c.sillaba, c.parola};
}

}  // namespace

class ProvaPartita : public QObject {
  Q_OBJECT

 private slots:
  void init() { azzeraConteggio(); }

  void genera_data() {
    QTest::addColumn<int>("campi");
    QTest::addColumn<QList<double>>("numeri");
    QTest::addColumn<QList<int>>("scelte");
    QTest::addColumn<int>("posto0");  // where card 0 lies: the row's first value
    QTest::newRow("two syllables, row 0") << 2 << QList<double>{perRecord(3, 6), perRecord(1, 6), perRecord(6, 6),
                                                                 perRecord(2, 6), perRiga(0)}
                                          << QList<int>{3, 1, 6, 2} << 3400;
    // A repeated word is drawn again: one more number each time.
    QTest::newRow("two syllables, repeats drawn again")
        << 2 << QList<double>{perRecord(2, 6), perRecord(2, 6), perRecord(2, 6), perRecord(5, 6), perRecord(5, 6),
                              perRecord(1, 6), perRecord(4, 6), perRiga(10)}
        << QList<int>{2, 5, 1, 4} << 5600;
    QTest::newRow("three syllables, last row") << 3 << QList<double>{perRecord(1, 3), perRecord(3, 3), perRecord(2, 3),
                                                                      0.9999999}
                                               << QList<int>{1, 3, 2} << 1;
  }

  void genera() {
    QFETCH(int, campi);
    QFETCH(QList<double>, numeri);
    QFETCH(QList<int>, scelte);
    QFETCH(int, posto0);
    PiattaformaInstallata p;
    p.finta.numeriFiniti = true;
    p.finta.numeri = numeri;
    Partita partita(regole(campi));
    partita.caricaLista(lista(numeri.size() > 5 ? 6 : campi == 2 ? 6 : 3, campi));
    partita.genera();
    QCOMPARE(p.finta.numeri.size(), 0);
    for (int k = 0; k < scelte.size(); ++k)
      QCOMPARE(int(partita.scelta(k)), scelte[k]);
    QCOMPARE(partita.posto(0), posto0);
    QCOMPARE(partita.parola(0), lista(6, campi).parole[scelte[0] - 1].testo());
  }

  // The editor's trial: preferred words replace drawn ones at drawn places,
  // keep their place when already drawn, and never push each other out.
  void generaConPreferite() {
    PiattaformaInstallata p;
    p.finta.numeriFiniti = true;
    // Drawn: a2b2 a0b0 a5b5 a1b1, row 0. "a5b5" keeps its place 2; "a4b4"
    // takes place 3, the third of those left; "a0b0" keeps place 1; "a1b1",
    // pushed out by "a4b4", takes the one place left; a word not in the list
    // and a repeat draw nothing; "a3b3" finds no place.
    p.finta.numeri = {perRecord(3, 6), perRecord(1, 6), perRecord(6, 6), perRecord(2, 6), perRiga(0),
                      perRecord(3, 3), perRecord(1, 1)};
    Partita partita(regole(2));
    partita.caricaLista(lista(6, 2));
    partita.genera({QStringLiteral("a5b5"), QStringLiteral("zzz"), QStringLiteral("a4b4"), QStringLiteral("a4b4"),
                    QStringLiteral("a0b0"), QStringLiteral("a1b1"), QStringLiteral("a3b3")});
    QCOMPARE(p.finta.numeri.size(), 0);
    QCOMPARE((QList<int>{partita.scelta(0), partita.scelta(1), partita.scelta(2), partita.scelta(3)}),
             (QList<int>{2, 1, 6, 5}));
    QCOMPARE(partita.parola(3), QStringLiteral("a4b4"));
    QCOMPARE(partita.posto(0), 3400);
  }

  // Every card on its slot: right drops, the last one completes and counts.
  void tutteGiuste() {
    PiattaformaInstallata p;
    Partita partita(regole(2));
    partita.caricaLista(lista(6, 2));
    QCOMPARE(Globali::NumeroParole, std::int16_t(6));
    partita.genera();
    for (int i = 0; i < 8; ++i) {
      const auto [riga, indice] = postoDi(partita, i);
      QCOMPARE(partita.lascia(i, riga, indice), i < 7 ? Esito::Giusto : Esito::Completato);
      QVERIFY(partita.usata(i));
      QCOMPARE(partita.lascia(i, riga, indice), Esito::Ignorato);  // a used card is no card
    }
    QCOMPARE(partita.sillabeGiuste(), std::int16_t(8));
    QCOMPARE(Globali::NumeroEsatti, std::int16_t(1));
    QCOMPARE(Globali::NumeroErrati, std::int16_t(0));
  }

  void sbagliate_data() {
    QTest::addColumn<int>("riga");
    QTest::addColumn<int>("indice");
    QTest::addColumn<bool>("legenda");
    QTest::newRow("other word's slot") << 0 << 1 << false;
    QTest::newRow("other syllable's slot") << 1 << 0 << false;
    QTest::newRow("legend Errati") << 0 << IndiceLegenda << true;
    QTest::newRow("no such slot") << 2 << 0 << false;
  }

  // Card 0 carries the first syllable of word 0; anywhere else is wrong and
  // leaves the card in play.
  void sbagliate() {
    QFETCH(int, riga);
    QFETCH(int, indice);
    QFETCH(bool, legenda);
    PiattaformaInstallata p;
    Partita partita(regole(2));
    partita.caricaLista(lista(6, 2));
    partita.genera();
    QCOMPARE(partita.lascia(0, riga, indice, legenda), Esito::Sbagliato);
    QVERIFY(!partita.usata(0));
    QCOMPARE(partita.sillabeGiuste(), std::int16_t(0));
    QCOMPARE(Globali::NumeroErrati, std::int16_t(1));
  }

  // Two words that share a syllable: either card fills either slot.
  void sillabeUguali() {
    PiattaformaInstallata p;
    p.finta.numeri = {perRecord(1, 4), perRecord(2, 4), perRecord(3, 4), perRecord(4, 4), perRiga(0)};
    ListaAccettata l = lista(4, 2);
    l.parole[1].sillabe[0] = QStringLiteral("A0");  // word 2 begins as word 1 does, in another case
    Partita partita(regole(2));
    partita.caricaLista(l);
    partita.genera();
    QCOMPARE(partita.lascia(1, 0, 0), Esito::Giusto);
    QCOMPARE(partita.lascia(0, 0, 1), Esito::Giusto);
  }

  // The counters stop at their largest value instead of wrapping round.
  void contatoriSaturi() {
    PiattaformaInstallata p;
    Partita partita(regole(3));
    partita.caricaLista(lista(3, 3));
    partita.genera();
    Globali::NumeroErrati = std::numeric_limits<std::int16_t>::max();
    QCOMPARE(partita.lascia(0, 0, IndiceLegenda, true), Esito::Sbagliato);
    QCOMPARE(Globali::NumeroErrati, std::numeric_limits<std::int16_t>::max());
    Globali::NumeroEsatti = std::numeric_limits<std::int16_t>::max();
    for (int i = 0; i < 9; ++i) {
      const auto [riga, indice] = postoDi(partita, i);
      partita.lascia(i, riga, indice);
    }
    QCOMPARE(Globali::NumeroEsatti, std::numeric_limits<std::int16_t>::max());
  }

  // A shorter list replaces a longer one whole: nothing of the old is drawn.
  void listaPiuCorta() {
    PiattaformaInstallata p;
    Partita partita(regole(2));
    partita.caricaLista(lista(6, 2));
    partita.caricaLista(lista(4, 2));
    QCOMPARE(Globali::NumeroParole, std::int16_t(4));
    for (int giro = 0; giro < 50; ++giro) {
      partita.genera();
      for (int k = 0; k < 4; ++k)
        QVERIFY(partita.scelta(k) >= 1 && partita.scelta(k) <= 4);
    }
  }
};

QUIRLO_TEST_GUILESS_MAIN(ProvaPartita)
#include "test_partita.moc"
