// The editor's picture library: words compared as a teacher means them, the
// best picture first, a broken index an empty library, and the library we
// ship complete and readable.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QSet>
#include <QTest>

#include "Biblioteca.h"
#include "Dati.h"
#include "Parole.h"
#include "ProvaMain.h"

using namespace quirlo;
using quirlo::prova::CartellaDati;

namespace {

// A small library: file, names, keywords. Order matters for equal scores.
const char *const IndiceProva =
    "# file\tnomi\tparole chiave\n"
    "biblioteca/gattino.png\tmuso di gatto\tgatto|micio\n"
    "biblioteca/gatto.png\tgatto\tanimale|felino\n"
    "biblioteca/gatto-nero.png\tgatto nero\tgatto|nero\n"
    "biblioteca/mela.png\tmela rossa\tfrutta|mela\n"
    "biblioteca/pesca.png\tpesca\tfrutta\n"
    "biblioteca/pesce.png\tpesce\tmare|pesci\n"
    "biblioteca/pesce-rosso.png\tpesce rosso\tacquario\n"
    "biblioteca/pallone.png\tpallone da calcio\tcalcio|palla|sport\n"
    "biblioteca/uovo.png\tuovo\tcolazione\n"
    "biblioteca/cane.png\tcane\tcucciolo\n"
    "biblioteca/mirtilli.png\tmirtilli\tfrutti di bosco\n"
    "biblioteca/foglia.png\tfoglia d’acero\tautunno|Canada\n"
    "biblioteca/te.png\ttazza di Tè\tbevanda|caldo\n"
    "jpg/perché.jpg\tperché\t\n";

QStringList filesDi(const QList<Risultato> &risultati) {
  QStringList nomi;
  for (const Risultato &r : risultati)
    nomi.append(QFileInfo(r.file).fileName());
  return nomi;
}

}  // namespace

class ProvaBiblioteca : public QObject {
  Q_OBJECT

  const QString dati = QStringLiteral(QUIRLO_DATI);
  CartellaDati cartella;

 private slots:
  void initTestCase() {
    cartella.scriviFile(QStringLiteral("biblioteca/indice.tsv"), IndiceProva);
    const QStringList righe = QString::fromUtf8(IndiceProva).split(QLatin1Char('\n'));
    for (const QString &riga : righe) {
      if (riga.isEmpty() || riga.startsWith(QLatin1Char('#')))
        continue;
      if (riga.startsWith(QLatin1String("biblioteca/pesca.png")))
        continue;  // a picture gone from the disk
      cartella.scriviFile(riga.section(QLatin1Char('\t'), 0, 0), "x");
    }
  }

  void normalizza_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("accents and capitals") << QStringLiteral("PERCHÉ Tè") << QStringLiteral("perche te");
    QTest::newRow("decomposed accent") << QStringLiteral("perche\u0301") << QStringLiteral("perche");
    QTest::newRow("apostrophe") << QStringLiteral("Foglia d’acero") << QStringLiteral("foglia d acero");
    QTest::newRow("hyphen, blanks") << QStringLiteral("  T-Rex ,\tyo-yo ") << QStringLiteral("t rex yo yo");
    QTest::newRow("only punctuation") << QStringLiteral(" -'! ") << QString();
  }
  void normalizza() {
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    QCOMPARE(biblioteca::normalizza(testo), atteso);
  }

  // Whether a teacher's word finds a name: plurals yes, another noun no.
  void stessoNome_data() {
    QTest::addColumn<QString>("cercata");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("uguali");
    const auto riga = [](const char *a, const char *b, bool u) {
      QTest::addRow("%s %s", a, b) << QString::fromUtf8(a) << QString::fromUtf8(b) << u;
    };
    riga("mele", "mela", true);
    riga("cani", "cane", true);
    riga("uova", "uovo", true);
    riga("gatti", "gatto", true);
    riga("fichi", "fico", true);
    riga("funghi", "fungo", true);
    riga("oche", "oca", true);
    riga("arance", "arancia", true);
    riga("ciliegie", "ciliegia", true);
    riga("occhi", "occhio", true);
    riga("conigli", "coniglio", true);
    riga("uomini", "uomo", true);
    riga("buoi", "bue", true);
    riga("ali", "ala", true);
    riga("mirtillo", "mirtilli", true);
    riga("api", "ape", true);
    riga("pesce", "pesca", false);
    riga("pesca", "pesce", false);
    riga("pala", "palo", false);
    riga("mela", "melo", false);
    riga("foglia", "foglio", false);
    riga("re", "ra", false);
  }
  void stessoNome() {
    QFETCH(QString, cercata);
    QFETCH(QString, nome);
    QFETCH(bool, uguali);
    QCOMPARE(biblioteca::stessoNome(biblioteca::forme(cercata), biblioteca::forme(nome)), uguali);
  }

  void cerca_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QStringList>("primi");  // the first results, in order
    QTest::addColumn<QString>("nome");       // the name shown for the first
    QTest::addColumn<bool>("anchePerNome");  // the first found by its name, not a keyword
    const auto riga = [](const char *caso, const char *testo, QStringList primi, const char *nome,
                         bool perNome = true) {
      QTest::newRow(caso) << QString::fromUtf8(testo) << primi << QString::fromUtf8(nome) << perNome;
    };
    riga("exact name above keywords and longer names", "gatto",
         {QStringLiteral("gatto.png"), QStringLiteral("gatto-nero.png"), QStringLiteral("gattino.png")}, "gatto");
    riga("capitals and accents", "GÀTTO", {QStringLiteral("gatto.png")}, "gatto");
    riga("plural of a name's first word", "mele", {QStringLiteral("mela.png")}, "mela rossa");
    riga("plural -a", "uova", {QStringLiteral("uovo.png")}, "uovo");
    riga("plural -i", "cani", {QStringLiteral("cane.png")}, "cane");
    riga("singular of a plural name", "mirtillo", {QStringLiteral("mirtilli.png")}, "mirtilli");
    riga("two words", "pesce rosso", {QStringLiteral("pesce-rosso.png"), QStringLiteral("pesce.png")}, "pesce rosso");
    riga("words spread over name and keywords", "palla da calcio", {QStringLiteral("pallone.png")}, "pallone da calcio",
         false);
    riga("apostrophe typed plainly", "foglia d'acero", {QStringLiteral("foglia.png")}, "foglia d’acero");
    riga("keyword with another capital", "canada", {QStringLiteral("foglia.png")}, "foglia d’acero", false);
    riga("a word still being typed", "gatt",
         {QStringLiteral("gatto.png"), QStringLiteral("gatto-nero.png"), QStringLiteral("gattino.png")}, "gatto",
         false);
    riga("accented file name", "perche", {QStringLiteral("perché.jpg")}, "perché");
    riga("tè without its accent", "te", {QStringLiteral("te.png")}, "tazza di Tè", false);
    riga("fish is not a peach, and a missing picture is left out", "pesche", {}, "");
    riga("blank", "  ", {}, "");
    riga("nothing like it", "zebra", {}, "");
  }
  void cerca() {
    QFETCH(QString, testo);
    QFETCH(QStringList, primi);
    QFETCH(QString, nome);
    QFETCH(bool, anchePerNome);
    Biblioteca b(cartella.percorso());
    const QList<Risultato> risultati = b.cerca(testo, 10);
    QVERIFY2(filesDi(risultati).mid(0, primi.size()) == primi, qPrintable(filesDi(risultati).join(u' ')));
    if (primi.isEmpty())
      return;
    QCOMPARE(risultati.first().nome, nome);
    QVERIFY(QFileInfo(risultati.first().file).isAbsolute());
    QCOMPARE(risultati.first().punteggio > Biblioteca::NomeTrovato, anchePerNome);
    for (qsizetype i = 1; i < risultati.size(); ++i)
      QVERIFY(risultati[i - 1].punteggio >= risultati[i].punteggio);
  }

  void massimo() {
    Biblioteca b(cartella.percorso());
    QCOMPARE(b.cerca(u"gatto", 2).size(), 2);
    QCOMPARE(b.cerca(u"gatto", 0).size(), 3);
    QCOMPARE(b.quanti(), 14);
    QVERIFY(b.problema().isEmpty());
    // A pasted page is cut to its first words, not compared word by word.
    QCOMPARE(b.cerca(QStringLiteral("gatto ").repeated(100000), 5).size(), 3);
  }

  // Whatever the index file holds, a search answers, empty, and the teacher
  // can be told why.
  void indiceRotto_data() {
    QTest::addColumn<QByteArray>("contenuto");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("comments only") << QByteArray("# nulla\n");
    QTest::newRow("no tabs") << QByteArray("biblioteca/gatto.png gatto\n");
    QTest::newRow("no name") << QByteArray("biblioteca/gatto.png\t \tgatto\n");
    QTest::newRow("binary") << QByteArray("\xff\xfe\x00\x01\x02gatto\x80\x81\t\x00", 14);
    QTest::newRow("outside the folder") << QByteArray(
        "../fuori.png\tgatto\n/etc/passwd\tgatto\nC:/x.png\tgatto\n"
        "biblioteca/../../x.png\tgatto\nbiblioteca\\x.png\tgatto\n");
    QTest::newRow("missing") << QByteArray("<manca>");
    QTest::newRow("a folder") << QByteArray("<cartella>");
    QTest::newRow("too large") << QByteArray("<grande>");
  }
  void indiceRotto() {
    QFETCH(QByteArray, contenuto);
    CartellaDati rotta;
    rotta.scriviFile(QStringLiteral("biblioteca/gatto.png"), "x");
    const QString indice = Biblioteca::percorsoIndice(rotta.percorso());
    if (contenuto == "<cartella>") {
      QVERIFY(QDir().mkpath(indice));
    } else if (contenuto == "<grande>") {
      QFile f(indice);
      QVERIFY(f.open(QIODevice::WriteOnly));
      QVERIFY(f.write("biblioteca/gatto.png\tgatto\n") > 0);
      QVERIFY(f.resize(biblioteca::MassimoByteIndice + 1));  // sparse: no 16 MB written
    } else if (contenuto != "<manca>") {
      rotta.scriviFile(QStringLiteral("biblioteca/indice.tsv"), contenuto);
    }
    Biblioteca b(rotta.percorso());
    QVERIFY(b.cerca(u"gatto", 10).isEmpty());
    QVERIFY(b.vuota());
    QVERIFY(!b.problema().isEmpty());
  }

  // The library we ship: every picture named, present, square, readable by
  // Qt without plugins; every word of the game under its drawing; the whole
  // within its budget.
  void bibliotecaFornita() {
    Biblioteca b(dati);
    QVERIFY2(b.carica(), qPrintable(b.problema()));
    QVERIFY2(b.quanti() > 1500, qPrintable(QString::number(b.quanti())));
    QFile file(Biblioteca::percorsoIndice(dati));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QSet<QString> visti;
    qsizetype disegniGioco = 0;
    for (const QString &riga : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
      if (riga.isEmpty() || riga.startsWith(QLatin1Char('#')))
        continue;
      const QStringList colonne = riga.split(QLatin1Char('\t'));
      QCOMPARE(colonne.size(), 3);
      QVERIFY2(!biblioteca::normalizza(colonne[1].section(QLatin1Char('|'), 0, 0)).isEmpty(), qPrintable(riga));
      QVERIFY2(!visti.contains(colonne[0]), qPrintable(colonne[0]));
      visti.insert(colonne[0]);
      QImageReader lettore(QDir(dati).filePath(colonne[0]));
      const QByteArray formato = lettore.format();
      const QImage immagine = lettore.read();
      QVERIFY2(!immagine.isNull(), qPrintable(colonne[0] + QStringLiteral(": ") + lettore.errorString()));
      if (colonne[0].startsWith(QLatin1String("jpg/"))) {
        ++disegniGioco;
        QCOMPARE(colonne[1], QFileInfo(colonne[0]).completeBaseName());
      } else {
        QCOMPARE(formato, QByteArray("png"));
        QCOMPARE(immagine.size(), QSize(320, 320));
      }
    }
    QCOMPARE(disegniGioco, QDir(dati + QStringLiteral("/jpg")).entryList(QDir::Files).size());

    qint64 byte = 0;
    qsizetype fileBiblioteca = 0;
    for (QDirIterator it(dati + QStringLiteral("/biblioteca"), QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();) {
      it.next();
      byte += it.fileInfo().size();
      const QString relativo = QDir(dati).relativeFilePath(it.filePath());
      QVERIFY2(relativo.endsWith(QLatin1String("indice.tsv")) || visti.contains(relativo), qPrintable(relativo));
      ++fileBiblioteca;
    }
    QVERIFY2(byte <= 15'000'000, qPrintable(QString::number(byte)));
    QCOMPARE(fileBiblioteca, visti.size() - disegniGioco + 1);
  }

  // The plurals teachers type, on the real names.
  void plurali_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("nome");
    QTest::newRow("mele") << QStringLiteral("mele") << QStringLiteral("mela");
    QTest::newRow("cani") << QStringLiteral("cani") << QStringLiteral("cane");
    QTest::newRow("uova") << QStringLiteral("uova") << QStringLiteral("uovo");
    QTest::newRow("gatti") << QStringLiteral("gatti") << QStringLiteral("gatto");
    QTest::newRow("funghi") << QStringLiteral("funghi") << QStringLiteral("fungo");
    QTest::newRow("fragole") << QStringLiteral("fragole") << QStringLiteral("fragola");
    QTest::newRow("pesce rosso") << QStringLiteral("pesce rosso") << QStringLiteral("pesce");
    QTest::newRow("palla da calcio") << QStringLiteral("palla da calcio") << QStringLiteral("pallone");
  }
  void plurali() {
    QFETCH(QString, testo);
    QFETCH(QString, nome);
    Biblioteca b(dati);
    const QList<Risultato> risultati = b.cerca(testo, 1);
    QVERIFY(!risultati.isEmpty());
    QVERIFY2(biblioteca::normalizza(risultati.first().nome).startsWith(nome), qPrintable(risultati.first().nome));
  }
};

QUIRLO_TEST_MAIN(ProvaBiblioteca)
#include "test_biblioteca.moc"
