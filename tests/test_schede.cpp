// Worksheets: which words and cards land on which page and where, and the PDF
// as a teacher's viewer and printer read it back.
#include <QBuffer>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include "Dati.h"
#include "FinestraSchede.h"
#include "Impaginazione.h"
#include "JpegProva.h"
#include "Misure.h"
#include "Schede.h"
#include "ProvaMain.h"

using namespace quirlo;
using namespace quirlo::editor;
using namespace quirlo::prova;

namespace {

QList<QStringList> parole(int quante, int sillabe) {
  return sillabe == 2 ? paroleBisillabe(quante) : paroleTrisillabe(quante);
}

QStringList ordinate(QStringList s) {
  s.sort();
  return s;
}

bool dentroPagina(const QRectF &r) {
  return r.left() >= schede::Margine && r.right() <= schede::LarghezzaPagina - schede::Margine &&
         r.top() >= schede::InizioParole && r.bottom() <= schede::FinePagina;
}

// Tolerates rectangles that only share an edge: neighbouring cards do.
bool siSovrappongono(const QRectF &a, const QRectF &b) {
  const QRectF i = a.intersected(b);
  return i.width() > 1e-6 && i.height() > 1e-6;
}

struct Esecuzione {
  int codice = -1;
  QString uscita;
};

Esecuzione esegui(const QString &programma, const QStringList &argomenti) {
  QProcess p;
  p.start(programma, argomenti);
  if (!p.waitForFinished(60000))
    return {};
  return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput())};
}

QByteArray leggi(const QString &percorso) {
  QFile f(percorso);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Banco {
  CartellaDati programma;
  QTemporaryDir casa;
  Cartelle cartelle{casa.filePath(QStringLiteral("quirlo")), programma.percorso()};
  RichiestaSchede richiesta(int quante, int sillabe, schede::Tipo tipo) const {
    RichiestaSchede r;
    r.lista = catalogo::listaDaNome(sillabe == 2 ? u"lista2" : u"lista3");
    for (const QStringList &s : parole(quante, sillabe)) {
      programma.scriviDisegno(s.join(QString()), 72, 60);
      Parola p;
      p.sillabe = s;
      r.parole << p;
    }
    r.tipo = tipo;
    r.seme = 7;
    return r;
  }
  QString pdf() const { return casa.filePath(QStringLiteral("schede.pdf")); }
};

}  // namespace

class ProvaSchede : public QObject {
  Q_OBJECT

 private slots:
  // Every word once, in order, 6 or 4 to a page; everything inside the
  // margins, nothing over anything else, boxes and cards a child can use.
  void pagine_data() {
    QTest::addColumn<int>("quante");
    QTest::addColumn<int>("sillabe");
    QTest::addColumn<int>("pagine");
    for (const auto &[quante, due, tre] : {std::tuple{1, 1, 1}, {6, 1, 2}, {7, 2, 2}, {100, 17, 25}}) {
      QTest::addRow("%d words, two syllables", quante) << quante << 2 << due;
      QTest::addRow("%d words, three syllables", quante) << quante << 3 << tre;
    }
  }
  void pagine() {
    QFETCH(int, quante);
    QFETCH(int, sillabe);
    QFETCH(int, pagine);
    for (const schede::Tipo tipo : {schede::Tipo::Sillabe, schede::Tipo::Ritaglio}) {
      const schede::Impaginazione imp = schede::impagina(parole(quante, sillabe), sillabe, tipo, true, 1);
      QCOMPARE(imp.pagine.size(), pagine);
      int prossima = 0;
      for (const schede::Pagina &p : imp.pagine) {
        QVERIFY(p.parole.size() <= schede::parolePerPagina(sillabe));
        QList<QRectF> tutti;
        for (const schede::ParolaPosata &w : p.parole) {
          QCOMPARE(w.parola, prossima++);
          QCOMPARE(w.caselle.size(), sillabe);
          tutti << w.disegno << w.caselle;
          for (const QRectF &c : w.caselle) {
            QVERIFY(c.width() >= schede::LatoMinimo && c.height() >= schede::LatoMinimo);
            QVERIFY2(c.top() > w.disegno.bottom(), "boxes under the drawing");
          }
        }
        for (const schede::Carta &c : p.carte) {
          tutti << c.dove;
          // A card fits in the box it is pasted on.
          QCOMPARE(c.dove.size(), p.parole.first().caselle.first().size());
        }
        for (qsizetype i = 0; i < tutti.size(); ++i) {
          QVERIFY2(dentroPagina(tutti[i]), qPrintable(QStringLiteral("rectangle %1 off the page").arg(i)));
          for (qsizetype j = i + 1; j < tutti.size(); ++j)
            QVERIFY2(!siSovrappongono(tutti[i], tutti[j]), qPrintable(QStringLiteral("%1 over %2").arg(i).arg(j)));
        }
      }
      QCOMPARE(prossima, quante);
    }
  }

  // The cards of a cut-out page are exactly its words' syllables, in the case
  // asked for, shuffled the same way for the same seed, each closed by
  // cutting lines on its four sides.
  void carte_data() {
    QTest::addColumn<int>("quante");
    QTest::addColumn<int>("sillabe");
    QTest::addColumn<bool>("maiuscolo");
    QTest::newRow("7 of two syllables, upper case") << 7 << 2 << true;
    QTest::newRow("9 of three syllables, lower case") << 9 << 3 << false;
    QTest::newRow("one word") << 1 << 2 << true;
  }
  void carte() {
    QFETCH(int, quante);
    QFETCH(int, sillabe);
    QFETCH(bool, maiuscolo);
    QList<QStringList> p = parole(quante, sillabe);
    p[0][0] = QStringLiteral("Pe");  // mixed case in the list
    p[0][1] = QStringLiteral("rò");
    const auto imp = schede::impagina(p, sillabe, schede::Tipo::Ritaglio, maiuscolo, 42);
    QVERIFY(imp.pagine.first().carte.size() > 1);
    for (const schede::Pagina &pagina : imp.pagine) {
      QStringList attese, messe, inOrdine;
      for (const schede::ParolaPosata &w : pagina.parole)
        for (const QString &s : p[w.parola])
          attese << (maiuscolo ? s.toUpper() : s.toLower());
      for (const schede::Carta &c : pagina.carte) {
        messe << c.sillaba;
        const auto suLinea = [&](QPointF a, QPointF b) {
          // The lines run across or down the page.
          const auto su = [](const QLineF &l, QPointF q) {
            constexpr double e = 1e-6;
            return q.x() >= std::min(l.x1(), l.x2()) - e && q.x() <= std::max(l.x1(), l.x2()) + e &&
                   q.y() >= std::min(l.y1(), l.y2()) - e && q.y() <= std::max(l.y1(), l.y2()) + e;
          };
          for (const QLineF &l : pagina.tagli)
            if (su(l, a) && su(l, b))
              return true;
          return false;
        };
        const QRectF r = c.dove;
        QVERIFY(suLinea(r.topLeft(), r.topRight()) && suLinea(r.bottomLeft(), r.bottomRight()));
        QVERIFY(suLinea(r.topLeft(), r.bottomLeft()) && suLinea(r.topRight(), r.bottomRight()));
      }
      QCOMPARE(ordinate(messe), ordinate(attese));
      QVERIFY2(messe != attese, "the cards give the answer away in the words' order");
    }
    QStringList prima;
    for (const schede::Carta &c : imp.pagine.first().carte)
      prima << c.sillaba;
    QVERIFY(prima.contains(maiuscolo ? QStringLiteral("RÒ") : QStringLiteral("rò")));
    const auto ancora = schede::impagina(p, sillabe, schede::Tipo::Ritaglio, maiuscolo, 42);
    QCOMPARE(ancora.pagine.first().carte.size(), imp.pagine.first().carte.size());
    for (qsizetype i = 0; i < imp.pagine.first().carte.size(); ++i)
      QCOMPARE(ancora.pagine.first().carte[i].sillaba, imp.pagine.first().carte[i].sillaba);
    QVERIFY(schede::impagina(p, sillabe, schede::Tipo::Sillabe, maiuscolo, 42).pagine.first().carte.isEmpty());
  }

  // The PDF as poppler reads it: A4 pages, as many as the layout says, fonts
  // embedded, a drawing per word, and on each cut-out page the text of its
  // cards is its words' syllables and nothing else.
  void pdfLetto() {
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    const QString pdfimages = QStandardPaths::findExecutable(QStringLiteral("pdfimages"));
    const QString pdffonts = QStandardPaths::findExecutable(QStringLiteral("pdffonts"));
    if (pdfinfo.isEmpty() || pdftotext.isEmpty() || pdfimages.isEmpty() || pdffonts.isEmpty())
      QSKIP("poppler-utils is not installed (scripts/dipendenze.sh test)");
    Banco b;
    for (const auto &[quante, pagine] : {std::pair{1, 1}, {6, 1}, {7, 2}, {100, 17}}) {
      const RichiestaSchede r = b.richiesta(quante, 2, schede::Tipo::Ritaglio);
      const Esito e = scriviSchede(b.cartelle, r, b.pdf());
      QVERIFY2(e.riuscito(), qPrintable(e.messaggio));
      const QString info = esegui(pdfinfo, {b.pdf()}).uscita;
      QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\n").arg(pagine))), qPrintable(info));
      QVERIFY2(info.contains(QStringLiteral("595 x 842 pts (A4)")), qPrintable(info));
      QVERIFY2(info.contains(QStringLiteral("Quirlo - parole di due sillabe")), qPrintable(info));
    }
    // pdffonts: name, type, encoding, then "emb sub uni" and the object's two numbers.
    const QStringList fonts = esegui(pdffonts, {b.pdf()}).uscita.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
    QVERIFY(!fonts.isEmpty());
    for (const QString &riga : fonts) {
      const QStringList campi = riga.split(QLatin1Char(' '), Qt::SkipEmptyParts);
      QVERIFY2(campi.value(campi.size() - 5) == QLatin1String("yes"),
               qPrintable(QStringLiteral("not embedded: ") + riga));
    }

    const RichiestaSchede r = b.richiesta(9, 3, schede::Tipo::Ritaglio);
    // The teacher's own drawing of the first word, much larger than it prints.
    QImage grande(2000, 2000, QImage::Format_RGB32);
    grande.fill(Qt::darkGreen);
    QVERIFY(QDir().mkpath(b.casa.filePath(QStringLiteral("quirlo/jpg"))));
    QVERIFY(grande.save(b.casa.filePath(QStringLiteral("quirlo/jpg/%1.jpg").arg(r.parole[0].testo())), "JPG"));
    // And one taken with the phone upright: 400 x 300 stored, tagged to be turned (EXIF orientation 6).
    QImage foto(400, 300, QImage::Format_RGB32);
    foto.fill(Qt::darkBlue);
    const QByteArray jpeg = jpeg::dopoInizio(jpeg::codifica(foto), jpeg::orientamentoExif(6));
    QFile girata(b.casa.filePath(QStringLiteral("quirlo/jpg/%1.jpg").arg(r.parole[1].testo())));
    QVERIFY(girata.open(QIODevice::WriteOnly));
    girata.write(jpeg);
    girata.close();
    QVERIFY(scriviSchede(b.cartelle, r, b.pdf()).riuscito());
    const QStringList intestazione = (schede::titolo(3) + QStringLiteral(" Ritaglia e incolla NOME DATA ") +
                                      schede::consegna(schede::Tipo::Ritaglio, true))
                                         .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int pagina = 1; pagina <= 3; ++pagina) {
      const QString n = QString::number(pagina);
      QStringList parole =
          esegui(pdftotext, {QStringLiteral("-f"), n, QStringLiteral("-l"), n, b.pdf(), QStringLiteral("-")})
              .uscita.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
      parole.removeAll(QStringLiteral("\u2702"));
      for (const QString &t : intestazione)
        QVERIFY2(parole.removeOne(t), qPrintable(t + QStringLiteral(" missing on page ") + n));
      QStringList attese;
      for (int k = (pagina - 1) * 4; k < std::min(9, pagina * 4); ++k)
        for (const QString &s : r.parole[k].sillabe)
          attese << s.toUpper();
      QCOMPARE(ordinate(parole), ordinate(attese));
      const QStringList immagini =
          esegui(pdfimages, {QStringLiteral("-list"), QStringLiteral("-f"), n, QStringLiteral("-l"), n, b.pdf()})
              .uscita.split(QLatin1Char('\n'), Qt::SkipEmptyParts)
              .mid(2);
      QCOMPARE(immagini.size(), qsizetype(pagina < 3 ? 4 : 1));
      // pdfimages -list: page, number, type, width, height. The program's 72 x 60
      // drawings are not enlarged; hers is the first, shrunk to its 62 mm frame at 300 dpi,
      // and the photo comes upright, not squeezed into its stored shape.
      for (qsizetype i = 0; i < immagini.size(); ++i) {
        const QStringList campi = immagini[i].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QSize dimensione(campi.value(3).toInt(), campi.value(4).toInt());
        if (pagina == 1 && i == 0)
          QVERIFY2(std::abs(dimensione.width() - 732) <= 1 && dimensione.width() == dimensione.height(),
                   qPrintable(immagini[i]));
        else if (pagina == 1 && i == 1)
          QCOMPARE(dimensione, QSize(300, 400));
        else
          QCOMPARE(dimensione, QSize(72, 60));
      }
    }
  }

  // A drawing missing, not a picture, or failing half-way through: a sentence
  // naming the word, and no PDF written; a worksheet already there stays.
  void disegniDifettosi_data() {
    QTest::addColumn<QByteArray>("contenuto");  // of the third word's drawing; empty: no file
    QTest::addColumn<QString>("frase");
    QTest::newRow("missing") << QByteArray() << QStringLiteral("Manca il disegno di \u00AB%1\u00BB.");
    QTest::newRow("not a picture") << QByteArray("ca,sa\r\n")
                                   << QStringLiteral("Il disegno di \u00AB%1\u00BB non si può leggere");
    QImage img(200, 160, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    QTest::newRow("cut short") << png.left(png.size() / 2)
                               << QStringLiteral("Il disegno di \u00AB%1\u00BB non si può leggere");
  }
  void disegniDifettosi() {
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, frase);
    Banco b;
    RichiestaSchede r = b.richiesta(8, 2, schede::Tipo::Sillabe);
    const QString parola = r.parole[2].testo();
    b.programma.rimuovi(QStringLiteral("jpg/%1.jpg").arg(parola));
    if (!contenuto.isEmpty())
      b.programma.scriviFile(QStringLiteral("jpg/%1.jpg").arg(parola), contenuto);
    const Esito e = scriviSchede(b.cartelle, r, b.pdf());
    QCOMPARE(e.tipo, Esito::Rifiutato);
    QVERIFY2(e.messaggio.contains(frase.arg(parola)), qPrintable(e.messaggio));
    QVERIFY2(e.messaggio.contains(QStringLiteral("Non ho scritto la scheda")), qPrintable(e.messaggio));
    QVERIFY(!QFileInfo::exists(b.pdf()));
    QFile vecchia(b.pdf());
    QVERIFY(vecchia.open(QIODevice::WriteOnly));
    vecchia.write("la scheda di ieri");
    vecchia.close();
    QCOMPARE(scriviSchede(b.cartelle, r, b.pdf()).tipo, Esito::Rifiutato);
    QCOMPARE(leggi(b.pdf()), QByteArray("la scheda di ieri"));
    QCOMPARE(QDir(b.casa.path()).entryList(QDir::Files).size(), 1);  // no temporary file left
  }

  // Nothing to print, nowhere to write: a sentence, not a file.
  void senzaScheda() {
    Banco b;
    RichiestaSchede r = b.richiesta(0, 2, schede::Tipo::Sillabe);
    Esito e = scriviSchede(b.cartelle, r, b.pdf());
    QCOMPARE(e.tipo, Esito::Rifiutato);
    QCOMPARE(e.messaggio, QStringLiteral("Scegli almeno una parola."));
    r = b.richiesta(2, 2, schede::Tipo::Sillabe);
    e = scriviSchede(b.cartelle, r, b.casa.filePath(QStringLiteral("manca/schede.pdf")));
    QCOMPARE(e.tipo, Esito::NonScritto);
    QVERIFY2(e.messaggio.contains(QStringLiteral("non esiste")), qPrintable(e.messaggio));
    e = scriviSchede(b.cartelle, r, b.casa.path());
    QCOMPARE(e.tipo, Esito::NonScritto);
    QVERIFY2(e.messaggio.contains(QStringLiteral("è una cartella")), qPrintable(e.messaggio));
    QVERIFY(!QFileInfo::exists(b.casa.filePath(QStringLiteral("manca"))));
  }

  // The window: a word without a drawing is shown but not ticked, the ticked
  // words and the choices made are what gets printed, and the sheet can be opened.
  void finestra() {
    Banco b;
    const QList<QStringList> parole = paroleBisillabe(6);
    b.programma.scriviLista(QStringLiteral("lista4.txt"), parole);
    b.programma.rimuovi(QStringLiteral("jpg/%1.jpg").arg(parole[1].join(QString())));
    b.programma.scriviFile(QStringLiteral("jpg/%1.jpg").arg(parole[5].join(QString())), "ca,sa\r\n");
    FinestraSchede f(b.cartelle, 1);
    auto *lista = f.findChild<QListWidget *>(QStringLiteral("parole"));
    QCOMPARE(lista->count(), 6);
    QCOMPARE(lista->item(0)->checkState(), Qt::Checked);
    QCOMPARE(lista->item(1)->checkState(), Qt::Unchecked);
    QVERIFY(lista->item(1)->text().endsWith(QStringLiteral("(senza disegno)")));
    QCOMPARE(lista->item(5)->checkState(), Qt::Unchecked);
    QVERIFY(lista->item(5)->text().endsWith(QStringLiteral("(disegno illeggibile)")));
    lista->item(3)->setCheckState(Qt::Unchecked);
    f.findChild<QRadioButton *>(QStringLiteral("ritaglio"))->setChecked(true);
    f.findChild<QRadioButton *>(QStringLiteral("minuscolo"))->setChecked(true);
    auto *apri = f.findChild<QPushButton *>(QStringLiteral("apri"));
    QVERIFY(!apri->isEnabled());
    QVERIFY(f.scrivi(b.pdf()));
    QVERIFY(apri->isEnabled());
    QCOMPARE(f.scritta(), b.pdf());
    QVERIFY2(f.findChild<QLabel *>(QStringLiteral("esito"))
                 ->text()
                 .contains(QStringLiteral("\u00ABRitaglia e incolla\u00BB")),
             qPrintable(f.findChild<QLabel *>(QStringLiteral("esito"))->text()));
    QVERIFY(f.findChild<QLabel *>(QStringLiteral("esito"))->text().endsWith(QStringLiteral("1 pagina, 3 parole.")));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
      return;
    QStringList testo =
        esegui(pdftotext, {b.pdf(), QStringLiteral("-")}).uscita.split(QRegularExpression(QStringLiteral("\\s+")));
    for (int k : {0, 2, 4})
      for (const QString &s : parole[k])
        QVERIFY2(testo.removeOne(s), qPrintable(s));
    for (int k : {1, 3, 5})
      QVERIFY(!testo.contains(parole[k].last()));
  }
};

QUIRLO_TEST_MAIN(ProvaSchede)
#include "test_schede.moc"
