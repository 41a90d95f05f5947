// Every count of the shipped words written in the documentation agrees with the
// lists as the game reads them: a word added or taken out fails here until the
// pages that quote the count are put right.
#include "Catalogo.h"
#include "ListaParole.h"
#include "ProvaMain.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTest>

using namespace quirlo;

namespace {

// Each match of `schema` must hold, in its last captures, the counts named in
// `conteggi` ("1": the list named by the first capture); a page must hold the
// phrase at least `almeno` times, or a rewording would slip by unchecked.
struct Frase {
  const char *pagina, *schema;
  int almeno;
  QStringList conteggi;
};

// The checker's summary: the examples change words and never add any, so each shows the total.
const char *const Riepilogo = R"(4 liste \((\d+) parole\))";
const QStringList Totale{QStringLiteral("totale")};
const QStringList DellaLista{QStringLiteral("1")};

const Frase Frasi[] = {
    {"README.md", Riepilogo, 2, Totale},
    {"docs/guida.md", Riepilogo, 2, Totale},
    {"packaging/man/quirlo-verifica.1", Riepilogo, 1, Totale},
    {"packaging/man/it/quirlo-verifica.1", Riepilogo, 1, Totale},
    // The history's latest entry says what each list holds now; older entries keep their own numbers.
    {"data/README.md", R"(`(lista\d)\.txt`(?: passa)? da \d+ a (\d+))", 4, DellaLista},
    {"data/README.md", R"(`(lista\d)\.txt`(?: goes)? from \d+ to (\d+))", 4, DellaLista},
    {"data/README.md", R"((\d+) parole in tutto)", 1, Totale},
    {"data/README.md", R"((\d+) words in all)", 1, Totale},
    {"data/README.md", R"(Le liste difficili fornite ne hanno (\d+) ciascuna)", 1, {QStringLiteral("lista4")}},
    {"data/README.md", R"(Le liste difficili fornite ne hanno (\d+) ciascuna)", 1, {QStringLiteral("lista5")}},
    {"data/README.md", R"(The shipped difficult lists have (\d+) each)", 1, {QStringLiteral("lista4")}},
    {"data/README.md", R"(The shipped difficult lists have (\d+) each)", 1, {QStringLiteral("lista5")}},
};

QMap<QString, int> contaListe(const QString &dati) {
  QMap<QString, int> c;
  for (const catalogo::Lista &l : catalogo::Liste) {
    const ListaLetta letta = leggiLista(QDir(dati).filePath(QString::fromLatin1(l.file)), l.sillabe);
    c[QString::fromLatin1(l.file).chopped(4)] = letta.accettata() ? int(letta.parole.size()) : -1000;
    c[QStringLiteral("totale")] += c[QString::fromLatin1(l.file).chopped(4)];
  }
  return c;
}

QString leggi(const QString &percorso) {
  QFile f(percorso);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

class ProvaConteggi : public QObject {
  Q_OBJECT

  const QDir sorgente{QStringLiteral(QUIRLO_SORGENTE)};
  const QMap<QString, int> liste = contaListe(sorgente.filePath(QStringLiteral("data")));

 private slots:
  void frasi_data() {
    QTest::addColumn<int>("indice");
    for (int i = 0; i < int(std::size(Frasi)); ++i)
      QTest::addRow("%s: %s", Frasi[i].pagina, Frasi[i].schema) << i;
  }

  void frasi() {
    QFETCH(int, indice);
    const Frase &f = Frasi[indice];
    QVERIFY2(liste[QStringLiteral("totale")] > 0, "the shipped lists are not read as the game reads them");
    const QString testo = leggi(sorgente.filePath(QString::fromLatin1(f.pagina)));
    int trovate = 0;
    for (const QRegularExpressionMatch &m : QRegularExpression(QString::fromLatin1(f.schema)).globalMatch(testo)) {
      const qsizetype primo = m.lastCapturedIndex() - f.conteggi.size() + 1;
      for (qsizetype k = 0; k < f.conteggi.size(); ++k) {
        const QString chiave = f.conteggi[k] == QLatin1String("1") ? m.captured(1) : f.conteggi[k];
        QVERIFY2(m.captured(primo + k).toInt() == liste.value(chiave, -1),
                 qPrintable(QStringLiteral("%1:%2: \"%3\": %4 has %5")
                                .arg(QString::fromLatin1(f.pagina))
                                .arg(testo.left(m.capturedStart()).count(QLatin1Char('\n')) + 1)
                                .arg(m.captured(0), chiave)
                                .arg(liste.value(chiave, -1))));
      }
      ++trovate;
    }
    QVERIFY2(trovate >= f.almeno, qPrintable(QStringLiteral("only %1 such phrases").arg(trovate)));
  }

  // The pages say under how many words the easy lists stay.
  void listeFacili() {
    const QString testo = leggi(sorgente.filePath(QStringLiteral("data/README.md")));
    for (const char *schema : {R"(Le liste facili restano sotto le (\d+) parole)", R"(The easy lists stay under (\d+) words)"}) {
      const QRegularExpressionMatch m = QRegularExpression(QString::fromLatin1(schema)).match(testo);
      QVERIFY2(m.hasMatch(), schema);
      QVERIFY2(qMax(liste[QStringLiteral("lista2")], liste[QStringLiteral("lista3")]) < m.captured(1).toInt(),
               qPrintable(m.captured(0)));
    }
  }
};

QUIRLO_TEST_GUILESS_MAIN(ProvaConteggi)
#include "test_conteggi.moc"
