// "Prova" in the word editor, offscreen: the game's own exercise window, her
// words among those drawn, drawn to the pixel as the game draws the same
// words; leaving closes it; a list the game refuses opens nothing. And the
// window's pages are read as they are needed.
#include "Dati.h"
#include "FinestraParole.h"
#include "Gioco.h"
#include "PaginaLista.h"
#include "PiattaformaFinta.h"
#include "ProvaMain.h"

#include <QAction>
#include <QApplication>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTest>

using namespace quirlo;
using namespace quirlo::editor;
using namespace quirlo::prova;

namespace {

Esercizio *provaAperta() {
  for (QWidget *w : QApplication::topLevelWidgets())
    if (auto *e = qobject_cast<Esercizio *>(w); e && e->isVisible())
      return e;
  return nullptr;
}

QStringList mostrate(const Esercizio &e) {
  QStringList parole;
  for (int k = 0; k < e.regole().parole(); ++k)
    parole << e.partita().parola(k);
  return parole;
}

// Five draws that give the records 1..4 in that order, and row 0.
QList<double> primeQuattro(int n) { return {perRecord(1, n), perRecord(2, n), perRecord(3, n), perRecord(4, n), perRiga(0)}; }

}  // namespace

class ProvaEsercizioEditor : public QObject {
  Q_OBJECT

  CartellaDati programma_;
  CartellaDati utente_;
  Cartelle cartelle_;

 private slots:
  void initTestCase() {
    const QList<QStringList> parole = paroleBisillabe(12);
    programma_.scriviLista(QStringLiteral("lista2.txt"), parole.mid(0, 8));
    programma_.scriviLista(QStringLiteral("lista4.txt"), parole.mid(4, 8));
    programma_.scriviLista(QStringLiteral("lista3.txt"), paroleTrisillabe(5), false);  // no drawings: refused
    cartelle_ = {utente_.percorso(), programma_.percorso()};
    // Her lista2: the program's words and two of her own, with drawings.
    QList<QStringList> sue = parole.mid(0, 8);
    sue << QStringList{QStringLiteral("lu"), QStringLiteral("na")} << QStringList{QStringLiteral("ra"), QStringLiteral("na")};
    utente_.scriviLista(QStringLiteral("lista2.txt"), sue);
  }

  void cleanup() { QVERIFY(!provaAperta()); }

  // Her new words, and the one chosen in the list, are always among the four.
  void leSueParole() {
    PiattaformaInstallata p;
    FinestraParole editor(cartelle_);
    PaginaLista *pagina = editor.pagina(0);
    QCOMPARE(pagina->lista().file, "lista2.txt");
    auto *vista = pagina->findChild<QListView *>(QStringLiteral("parole"));
    for (int volta = 0; volta < 5; ++volta) {
      vista->setCurrentIndex(vista->model()->index(volta, 0));
      pagina->findChild<QPushButton *>(QStringLiteral("prova"))->click();
      Esercizio *e = provaAperta();
      QVERIFY(qobject_cast<DISEGNI1 *>(e));
      const QStringList parole = mostrate(*e);
      QVERIFY2(parole.contains(QStringLiteral("luna")) && parole.contains(QStringLiteral("rana")) &&
                   parole.contains(pagina->aperta().parole[volta].testo()),
               qPrintable(parole.join(QLatin1Char(' '))));
      QCOMPARE(QSet<QString>(parole.cbegin(), parole.cend()).size(), 4);
    }
    // A second trial replaces the first; leaving closes it at once, unasked.
    QPointer<Esercizio> e = provaAperta();
    e->menu("mnuEsci")->trigger();
    QTRY_VERIFY(!e);
    QVERIFY(p.finta.messaggi.isEmpty());
  }

  // With the same draws, the trial of the difficult list and the game's
  // window switched to it are the same picture.
  void comeIlGioco() {
    PiattaformaInstallata p;
    p.finta.cartella = programma_.percorso();
    p.finta.numeriFiniti = true;
    p.finta.numeri = primeQuattro(8) + primeQuattro(8);
    DISEGNI1 gioco;
    QVERIFY(gioco.Form_Load());
    gioco.menu("mnudifficile")->trigger();
    gioco.show();
    QVERIFY(aspettaDisegni(gioco));
    const QImage comeNelGioco = gioco.grab().toImage();
    const QStringList paroleDelGioco = mostrate(gioco);
    gioco.hide();

    p.finta.numeri = primeQuattro(8);
    FinestraParole editor(Cartelle{QString(), programma_.percorso()});
    editor.pagina(1)->findChild<QPushButton *>(QStringLiteral("prova"))->click();
    QPointer<Esercizio> e = provaAperta();
    QVERIFY(e);
    QVERIFY(e->menu("mnudifficile")->isChecked() && !e->menu("mnufacile")->isChecked());
    QVERIFY(aspettaDisegni(*e));
    QCOMPARE(mostrate(*e), paroleDelGioco);
    QCOMPARE(e->grab().toImage(), comeNelGioco);
    e->close();
    QTRY_VERIFY(!e);
  }

  // The window reads the page on screen before it is shown, the others once
  // it has painted; a page used before that (as comeIlGioco does) is read then.
  void pagineLetteDopoIlPrimoFrame() {
    PiattaformaInstallata p;
    FinestraParole editor(cartelle_);
    const auto parole = [&editor](int i) {
      return editor.pagina(i)->findChild<QListView *>(QStringLiteral("parole"))->model()->rowCount();
    };
    QCOMPARE(parole(0), 10);
    QCOMPARE(parole(1), 0);
    editor.show();
    QTRY_COMPARE(parole(1), 8);
  }

  // A list the game would refuse: the game's own message, and no window.
  void listaRifiutata() {
    PiattaformaInstallata p;
    FinestraParole editor(cartelle_);
    editor.pagina(2)->findChild<QPushButton *>(QStringLiteral("prova"))->click();
    QVERIFY(!provaAperta());
    QCOMPARE(p.finta.messaggi.size(), 1);
    QVERIFY2(p.finta.messaggi[0].testo.contains(QStringLiteral("jpg")), qPrintable(p.finta.messaggi[0].testo));
  }
};

QUIRLO_TEST_MAIN(ProvaEsercizioEditor)
#include "test_prova.moc"
