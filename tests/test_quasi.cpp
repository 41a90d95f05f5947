// Files named almost as the game wants them, found in a folder's listing.
#include "QuasiNomi.h"
#include "ProvaMain.h"

#include <QTest>

using namespace quirlo;
using namespace quirlo::quasi;

Q_DECLARE_METATYPE(quirlo::quasi::Sbaglio)

class ProvaQuasi : public QObject {
  Q_OBJECT

 private slots:
  void disegni_data() {
    QTest::addColumn<QStringList>("elenco");
    QTest::addColumn<QString>("parola");
    QTest::addColumn<QString>("trovato");  // empty: no near miss
    QTest::addColumn<Sbaglio>("sbaglio");
    QTest::addColumn<QString>("messaggio");
    const QString png = QStringLiteral("c'è «tana.png»: il disegno deve essere un JPEG di nome tana.jpg");
    QTest::newRow("png") << QStringList{"lupo.jpg", "tana.png"} << "tana" << "tana.png" << Sbaglio::AltroFormato << png;
    QTest::newRow("webp, capitals") << QStringList{"TANA.WEBP"} << "tana" << "TANA.WEBP" << Sbaglio::AltroFormato
                                    << "";
    QTest::newRow("jpeg") << QStringList{"tana.jpeg"} << "tana" << "tana.jpeg" << Sbaglio::AltraEstensione
                          << "c'è «tana.jpeg»: il disegno deve chiamarsi tana.jpg";
    QTest::newRow("JPG") << QStringList{"tana.JPG"} << "tana" << "tana.JPG" << Sbaglio::Maiuscole << "";
    QTest::newRow("Tana.jpg") << QStringList{"Tana.jpg"} << "tana" << "Tana.jpg" << Sbaglio::Maiuscole << "";
    QTest::newRow("jpg twice") << QStringList{"tana.jpg.jpg"} << "tana" << "tana.jpg.jpg"
                               << Sbaglio::DoppiaEstensione << "";
    QTest::newRow("png then jpg") << QStringList{"tana.png.jpg"} << "tana" << "tana.png.jpg"
                                  << Sbaglio::DoppiaEstensione << "";
    QTest::newRow("trailing blank") << QStringList{"tana.jpg "} << "tana" << "tana.jpg " << Sbaglio::Spazi
                                    << "c'è «tana.jpg », con uno spazio in più nel nome: il disegno deve chiamarsi "
                                       "tana.jpg";
    QTest::newRow("blank before the dot") << QStringList{"tana .jpg"} << "tana" << "tana .jpg" << Sbaglio::Spazi
                                          << "";
    QTest::newRow("decomposed accent, png") << QStringList{"pedalo\u0300.png"} << "pedalò" << "pedalo\u0300.png"
                                            << Sbaglio::AltroFormato << "";
    QTest::newRow("exact name there too") << QStringList{"tana.png", "tana.jpg"} << "tana" << "" << Sbaglio::Spazi
                                          << "";
    QTest::newRow("decomposed exact name") << QStringList{"pedalo\u0300.jpg"} << "pedalò" << "" << Sbaglio::Spazi
                                           << "";
    QTest::newRow("other word") << QStringList{"tanabata.png", "ta.png", "tana-1.jpg"} << "tana" << ""
                                << Sbaglio::Spazi << "";
    QTest::newRow("not a picture") << QStringList{"tana.txt", "tana"} << "tana" << "" << Sbaglio::Spazi << "";
  }

  void disegni() {
    QFETCH(QStringList, elenco);
    QFETCH(QString, parola);
    QFETCH(QString, trovato);
    QFETCH(Sbaglio, sbaglio);
    QFETCH(QString, messaggio);
    const QList<QuasiNome> q = perDisegno(elenco, parola);
    if (trovato.isEmpty()) {
      QVERIFY(q.isEmpty());
      return;
    }
    QCOMPARE(q.size(), 1);
    QCOMPARE(q[0].trovato, trovato);
    QCOMPARE(q[0].sbaglio, sbaglio);
    QCOMPARE(q[0].atteso, parola + ".jpg");
    if (!messaggio.isEmpty())
      QCOMPARE(q[0].messaggio(), messaggio);
  }

  void liste_data() {
    QTest::addColumn<QStringList>("elenco");
    QTest::addColumn<QString>("trovato");
    QTest::addColumn<Sbaglio>("sbaglio");
    QTest::newRow("capital") << QStringList{"Lista2.txt"} << "Lista2.txt" << Sbaglio::Maiuscole;
    QTest::newRow("txt twice") << QStringList{"lista2.txt.txt"} << "lista2.txt.txt" << Sbaglio::DoppiaEstensione;
    QTest::newRow("spreadsheet") << QStringList{"lista2.csv"} << "lista2.csv" << Sbaglio::AltroFormato;
    QTest::newRow("blank") << QStringList{"lista2 .txt"} << "lista2 .txt" << Sbaglio::Spazi;
    QTest::newRow("exact there") << QStringList{"Lista2.txt", "lista2.txt"} << "" << Sbaglio::Spazi;
    QTest::newRow("other lists") << QStringList{"lista3.txt", "lista22.txt", "lista.txt"} << "" << Sbaglio::Spazi;
  }

  void liste() {
    QFETCH(QStringList, elenco);
    QFETCH(QString, trovato);
    QFETCH(Sbaglio, sbaglio);
    const QList<QuasiNome> q = perLista(elenco, QStringLiteral("lista2.txt"));
    QCOMPARE(q.size(), trovato.isEmpty() ? 0 : 1);
    if (!trovato.isEmpty()) {
      QCOMPARE(q[0].trovato, trovato);
      QCOMPARE(q[0].sbaglio, sbaglio);
      QVERIFY(q[0].messaggio().contains(QStringLiteral("lista2.txt")));
    }
  }

  void trattini_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QList<int>>("righe");
    QTest::newRow("school division") << "ca-sa\r\nlu,na\r\nba - na,na\r\n" << QList<int>{1, 3};
    QTest::newRow("en dash") << "ca\u2013sa\r\n" << QList<int>{1};
    QTest::newRow("lone dash, end dash") << "-,sa\r\nlu-,na\r\n" << QList<int>{};
  }

  void trattini() {
    QFETCH(QString, testo);
    QFETCH(QList<int>, righe);
    QList<int> trovate;
    for (const Campo &c : sillabeColTrattino(leggiCampi(testo)))
      trovate << c.riga;
    QCOMPARE(trovate, righe);
  }
};

QUIRLO_TEST_GUILESS_MAIN(ProvaQuasi)
#include "test_quasi.moc"
