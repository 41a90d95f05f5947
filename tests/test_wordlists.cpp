#include "Accettazione.h"
#include "Dati.h"
#include "ListaParole.h"
#include "TestoLista.h"
#include "ProvaMain.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace quirlo;
using namespace quirlo::prova;

using Parole = QList<QStringList>;
Q_DECLARE_METATYPE(Parole)

namespace {
Parole sillabe(const ListaLetta &l) {
  Parole p;
  for (const Parola &w : l.parole)
    p << w.sillabe;
  return p;
}
QStringList w(std::initializer_list<const char *> s) {
  QStringList l;
  for (const char *x : s)
    l << QString::fromUtf8(x);
  return l;
}
}  // namespace

class ProvaListe : public QObject {
  Q_OBJECT

 private slots:
  void lettura_data() {
    QTest::addColumn<QByteArray>("byte");
    QTest::addColumn<int>("campi");
    QTest::addColumn<Parole>("attese");
    QTest::newRow("crlf") << QByteArray("ca,sa\r\nlu,na\r\n") << 2 << Parole{w({"ca", "sa"}), w({"lu", "na"})};
    QTest::newRow("lf, no final end") << QByteArray("ca,sa\nlu,na") << 2 << Parole{w({"ca", "sa"}), w({"lu", "na"})};
    QTest::newRow("cr only") << QByteArray("ca,sa\rlu,na\r") << 2 << Parole{w({"ca", "sa"}), w({"lu", "na"})};
    QTest::newRow("six fields on one line") << QByteArray("ta,vo,lo,ba,na,na\r\n") << 3
                                            << Parole{w({"ta", "vo", "lo"}), w({"ba", "na", "na"})};
    QTest::newRow("records across lines") << QByteArray("ta\r\nvo,lo\r\n") << 3 << Parole{w({"ta", "vo", "lo"})};
    QTest::newRow("blanks before and after") << QByteArray("  ca ,\t sa  \r\n") << 2 << Parole{w({"ca", "sa"})};
    QTest::newRow("quoted comma") << QByteArray("\"c,a\",sa\r\n") << 2 << Parole{w({"c,a", "sa"})};
    QTest::newRow("after closing quote") << QByteArray("\"ca\" xx,sa\r\n") << 2 << Parole{w({"ca", "sa"})};
    QTest::newRow("quote inside unquoted") << QByteArray("c\"a,sa\r\n") << 2 << Parole{w({"c\"a", "sa"})};
    QTest::newRow("blank lines") << QByteArray("\r\nca,sa\r\n   \r\n\r\nlu,na\r\n\r\n") << 2
                                 << Parole{w({"ca", "sa"}), w({"lu", "na"})};
    QTest::newRow("bom") << QByteArray("\xEF\xBB\xBF" "ca,sa\r\n") << 2 << Parole{w({"ca", "sa"})};
    QTest::newRow("utf-8 accent") << QByteArray("per,ch\xC3\xA9\r\n") << 2 << Parole{w({"per", "ché"})};
    QTest::newRow("decomposed accent to nfc") << QByteArray("per,che\xCC\x81\r\n") << 2 << Parole{w({"per", "ché"})};
    QTest::newRow("windows-1252") << QByteArray("per,ch\xE9\r\nca,\x80\r\n") << 2
                                  << Parole{w({"per", "ché"}), w({"ca", "€"})};
    QTest::newRow("utf-16 le with bom") << QByteArray("\xFF\xFEp\0e\0r\0,\0c\0h\0\xE9\0\r\0\n\0", 20) << 2
                                        << Parole{w({"per", "ché"})};
    QTest::newRow("utf-16 be with bom") << QByteArray("\xFE\xFF\0c\0a\0,\0s\0a\0\n\0l\0u\0,\0n\0a", 24) << 2
                                        << Parole{w({"ca", "sa"}), w({"lu", "na"})};
    QTest::newRow("empty file") << QByteArray() << 2 << Parole{};
    QTest::newRow("empty syllable kept") << QByteArray("ca,\r\n") << 2 << Parole{w({"ca", ""})};
    QTest::newRow("upper case kept") << QByteArray("CA,SA\r\n") << 2 << Parole{w({"CA", "SA"})};
  }

  void lettura() {
    QFETCH(QByteArray, byte);
    QFETCH(int, campi);
    QFETCH(Parole, attese);
    const ListaLetta l = leggiListaDaByte(byte, QStringLiteral("lista.txt"), campi);
    QVERIFY2(l.accettata(), l.rifiuto ? qPrintable(l.rifiuto->messaggio()) : "");
    QCOMPARE(sillabe(l), attese);
  }

  void righeDellePrime() {
    const ListaLetta l = leggiListaDaByte("\r\nca,sa\r\n\r\nlu,\r\nna\r\n", QStringLiteral("l"), 2);
    QCOMPARE(l.parole.size(), 2);
    QCOMPARE(l.parole[0].riga, 2);
    QCOMPARE(l.parole[1].riga, 4);
  }

  void limiteDiCento_data() {
    QTest::addColumn<int>("parole");
    QTest::addColumn<int>("campi");
    QTest::newRow("100 of 2") << 100 << 2;
    QTest::newRow("101 of 2") << 101 << 2;
    QTest::newRow("100 of 3") << 100 << 3;
    QTest::newRow("101 of 3") << 101 << 3;
  }

  void limiteDiCento() {
    QFETCH(int, parole);
    QFETCH(int, campi);
    QByteArray testo;
    for (int i = 0; i < parole; ++i)
      testo += QByteArray("a") + QByteArray::number(i) + (campi == 3 ? ",b,c\r\n" : ",b\r\n");
    const ListaLetta l = leggiListaDaByte(testo, QStringLiteral("lista2.txt"), campi);
    if (parole <= 100) {
      QVERIFY(l.accettata());
      QCOMPARE(l.parole.size(), parole);
    } else {
      QVERIFY(!l.accettata());
      QCOMPARE(l.rifiuto->problema, Problema::TroppeParole);
      QCOMPARE(l.rifiuto->riga, 101);
      QVERIFY(l.rifiuto->messaggio().contains(QStringLiteral("più di 100 parole")));
    }
  }

  void sillabeCheFiniscono_data() {
    QTest::addColumn<QByteArray>("byte");
    QTest::addColumn<int>("campi");
    QTest::addColumn<int>("riga");
    QTest::newRow("odd count") << QByteArray("ca,sa\r\nlu\r\n") << 2 << 2;
    QTest::newRow("five of three") << QByteArray("ta,vo,lo\r\nba,na\r\n") << 3 << 2;
    QTest::newRow("trailing comma") << QByteArray("ca,sa,\r\n") << 2 << 1;
  }

  void sillabeCheFiniscono() {
    QFETCH(QByteArray, byte);
    QFETCH(int, campi);
    QFETCH(int, riga);
    const ListaLetta l = leggiListaDaByte(byte, QStringLiteral("lista4.txt"), campi);
    QVERIFY(!l.accettata());
    QCOMPARE(l.rifiuto->problema, Problema::SillabeIncomplete);
    QCOMPARE(l.rifiuto->riga, riga);
    const QString m = l.rifiuto->messaggio();
    QVERIFY(m.contains(QStringLiteral("lista4.txt")));
    QVERIFY(m.contains(QStringLiteral("riga %1").arg(riga)));
  }

  void fileMancante() {
    CartellaDati d;
    const ListaLetta l = leggiLista(d.file(QStringLiteral("lista2.txt")), 2);
    QVERIFY(!l.accettata());
    QCOMPARE(l.rifiuto->problema, Problema::FileIlleggibile);
    QVERIFY(l.rifiuto->messaggio().contains(QStringLiteral("lista2.txt")));
  }

  void fileEnorme() {
    CartellaDati d;
    d.scriviFile(QStringLiteral("lista2.txt"), QByteArray((1 << 20) + 10, 'a'));
    const ListaLetta l = leggiLista(d.file(QStringLiteral("lista2.txt")), 2);
    QVERIFY(!l.accettata());
    QCOMPARE(l.rifiuto->problema, Problema::FileTroppoGrande);
  }

  // Acceptance: enough words for one exercise, and a readable drawing for each.
  void accettazione() {
    CartellaDati d;
    d.scriviLista(QStringLiteral("lista2.txt"), paroleBisillabe(3));
    EsitoAccettazione e = accettaLista(d.percorso(), QStringLiteral("\\lista2.txt"), 2, 4);
    QVERIFY(!e.lista);
    QCOMPARE(e.rifiuto->problema, Problema::TroppoPoche);
    QVERIFY(e.rifiuto->messaggio().contains(QStringLiteral("solo 3 parole")));
    QVERIFY(e.rifiuto->messaggio().contains(QStringLiteral("almeno 4")));

    e = accettaLista(d.percorso(), QStringLiteral("\\lista2.txt"), 2, 3);
    QVERIFY(e.lista);
    QCOMPARE(e.lista->disegni.size(), 3);

    d.scriviFile(QStringLiteral("vuota.txt"), {});
    e = accettaLista(d.percorso(), QStringLiteral("\\vuota.txt"), 2, 4);
    QCOMPARE(e.rifiuto->problema, Problema::TroppoPoche);
    QVERIFY(e.rifiuto->messaggio().contains(QStringLiteral("vuota")));
  }

  void disegniMancantiOIlleggibili() {
    CartellaDati d;
    const Parole parole = paroleBisillabe(14);
    d.scriviLista(QStringLiteral("lista4.txt"), parole);
    for (int i = 0; i < 12; ++i)
      d.rimuovi(QStringLiteral("jpg/%1.jpg").arg(parole[i].join(QString())));
    d.scriviFile(QStringLiteral("jpg/%1.jpg").arg(parole[12].join(QString())), "non sono un'immagine");
    const EsitoAccettazione e = accettaLista(d.percorso(), QStringLiteral("\\lista4.txt"), 2, 4);
    QVERIFY(!e.lista);
    QCOMPARE(e.rifiuto->problema, Problema::DisegniMancanti);
    QCOMPARE(e.rifiuto->disegni.size(), 13);
    QVERIFY(e.rifiuto->disegni[12].illeggibile);
    const QString m = e.rifiuto->messaggio();
    QVERIFY(m.contains(QDir::toNativeSeparators(QStringLiteral("manca il file jpg/%1.jpg").arg(parole[0].join(QString())))));
    QVERIFY(!m.contains(parole[10].join(QString())));  // only ten are listed
    QVERIFY(m.contains(QStringLiteral("e altre 3 parole")));
  }

  // Teachers copy drawings from systems that ignore case; path tricks never leave "jpg".
  void nomiDeiDisegni() {
    CartellaDati d;
    d.scriviDisegno(QStringLiteral("Casa"));
    d.scriviDisegno(QStringLiteral("luna"));
    CartellaDisegni c(d.percorso());
    QCOMPARE(c.percorso(QStringLiteral("luna")), d.file(QStringLiteral("jpg/luna.jpg")));
    QCOMPARE(c.percorso(QStringLiteral("casa")), d.file(QStringLiteral("jpg/Casa.jpg")));
    QCOMPARE(c.percorso(QStringLiteral("CASA")), d.file(QStringLiteral("jpg/Casa.jpg")));
    QVERIFY(c.percorso(QStringLiteral("sole")).isEmpty());
    d.scriviFile(QStringLiteral("fuori.jpg"), {});
    QVERIFY(c.percorso(QStringLiteral("../fuori")).isEmpty());
    QVERIFY(c.percorso(QStringLiteral("..\\fuori")).isEmpty());
  }

  // Accents written one way in the list and another in the file name (a
  // drawing copied from a Mac decomposes them): found all the same, also
  // when the letter case differs too.
  void nomiComposti_data() {
    QTest::addColumn<QString>("suDisco");  // the drawing's name as stored
    QTest::addColumn<QString>("parola");   // as the list gives it (always NFC)
    const QString caffeNfd = QStringLiteral("caffe") + QChar(0x0300);
    QTest::newRow("nfd on disk") << caffeNfd << QStringLiteral("caffè");
    QTest::newRow("nfd on disk, other case") << QStringLiteral("CAFFE") + QChar(0x0300) << QStringLiteral("caffè");
    QTest::newRow("nfc on disk, list upper case") << QStringLiteral("caffè") << QStringLiteral("CAFFÈ");
    QTest::newRow("two accents decomposed")
        << QStringLiteral("perche") + QChar(0x0301) + QStringLiteral("citta") + QChar(0x0300)
        << QStringLiteral("perchécittà");
  }
  void nomiComposti() {
    QFETCH(QString, suDisco);
    QFETCH(QString, parola);
    CartellaDati d;
    d.scriviDisegno(suDisco);
    const QString atteso = d.file(QStringLiteral("jpg/%1.jpg").arg(suDisco));
    QVERIFY(QFileInfo::exists(atteso));
    QCOMPARE(CartellaDisegni(d.percorso()).percorso(parola), atteso);
    // The whole list is accepted with that drawing.
    d.scriviFile(QStringLiteral("lista2.txt"), parola.left(3).toUtf8() + "," + parola.mid(3).toUtf8() + "\r\n");
    const EsitoAccettazione e = accettaLista(d.percorso(), QStringLiteral("\\lista2.txt"), 2, 1);
    QVERIFY(e.lista);
    QCOMPARE(e.lista->disegni, QStringList{atteso});
  }

  // A teacher's folder of thousands of photos: drawings named as their words
  // are looked up one by one, and the folder is listed only for one named
  // otherwise, once, and again only once the folder has changed.
  void elencoUnaVoltaPerCambio() {
    CartellaDati d;
    d.scriviLista(QStringLiteral("lista2.txt"), {{QStringLiteral("ca"), QStringLiteral("sa")},
                                                 {QStringLiteral("lu"), QStringLiteral("na")}});
    for (int i = 0; i < 2000; ++i)
      d.scriviFile(QStringLiteral("jpg/foto%1.jpg").arg(i), "x");
    const auto accetta = [&] { return accettaLista(d.percorso(), QStringLiteral("\\lista2.txt"), 2, 2).lista.has_value(); };
    const int prima = CartellaDisegni::elenchiLetti();
    QVERIFY(accetta());
    QVERIFY(accetta());
    QCOMPARE(CartellaDisegni::elenchiLetti(), prima);
    // Named with its accent decomposed (a Mac's): found through the listing.
    d.scriviFile(QStringLiteral("lista2.txt"), "ca,sa\r\ncaf,f\xC3\xA8\r\n");
    d.scriviDisegno(QStringLiteral("caffe") + QChar(0x0300));
    QVERIFY(accetta());
    QVERIFY(accetta());
    QVERIFY(accetta());
    QCOMPARE(CartellaDisegni::elenchiLetti(), prima + 1);
    QTest::qWait(20);  // past the folder's last change, on any clock
    d.scriviFile(QStringLiteral("jpg/nuova.jpg"), "x");
    QVERIFY(accetta());
    QVERIFY(accetta());
    QCOMPARE(CartellaDisegni::elenchiLetti(), prima + 2);
  }
};

QUIRLO_TEST_MAIN(ProvaListe)
#include "test_wordlists.moc"
