// The data we ship: every list loads in the game, every word has its drawing.
#include "Accettazione.h"
#include "LettoreSuoni.h"
#include "ListaParole.h"

#include <QDir>
#include <QImageReader>
#include <QSet>
#include <QTest>

using namespace quirlo;

class ProvaDati : public QObject {
  Q_OBJECT

  const QString cartella = QStringLiteral(QUIRLO_DATI);

 private slots:
  void liste_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("campi");
    QTest::addColumn<int>("parole");
    QTest::addColumn<QSize>("formato");
    QTest::newRow("lista2") << QStringLiteral("lista2.txt") << 2 << 4 << QSize(288, 240);
    QTest::newRow("lista4") << QStringLiteral("lista4.txt") << 2 << 4 << QSize(288, 240);
    QTest::newRow("lista3") << QStringLiteral("lista3.txt") << 3 << 3 << QSize(320, 320);
    QTest::newRow("lista5") << QStringLiteral("lista5.txt") << 3 << 3 << QSize(320, 320);
  }

  void liste() {
    QFETCH(QString, nome);
    QFETCH(int, campi);
    QFETCH(int, parole);
    QFETCH(QSize, formato);
    const ListaLetta letta = leggiLista(QDir(cartella).filePath(nome), campi);
    QVERIFY2(letta.accettata(), letta.rifiuto ? qPrintable(letta.rifiuto->messaggio()) : "");
    QVERIFY(letta.parole.size() >= 40);
    QVERIFY(letta.parole.size() <= MassimoParole);
    QSet<QString> viste;
    for (const Parola &p : letta.parole) {
      QCOMPARE(p.sillabe.size(), campi);
      for (const QString &s : p.sillabe) {
        QVERIFY2(!s.isEmpty(), qPrintable(p.testo()));
        QCOMPARE(s, s.toLower());
      }
      QVERIFY2(!viste.contains(p.testo()), qPrintable(p.testo()));
      viste.insert(p.testo());
    }

    const EsitoAccettazione esito = accettaLista(cartella, QLatin1Char('\\') + nome, campi, parole);
    QVERIFY2(esito.lista, esito.rifiuto ? qPrintable(esito.rifiuto->messaggio()) : "");
    for (qsizetype i = 0; i < esito.lista->disegni.size(); ++i) {
      const QString &percorso = esito.lista->disegni[i];
      // Under its exact name, not found by a case-blind fallback.
      QCOMPARE(QFileInfo(percorso).fileName(), letta.parole[i].testo() + QStringLiteral(".jpg"));
      QImageReader lettore(percorso);
      const QImage immagine = lettore.read();
      QVERIFY2(!immagine.isNull(), qPrintable(percorso));
      QCOMPARE(immagine.size(), formato);
    }
  }

  void suoni() {
    for (const char *nome : {"si1.wav", "si2.wav", "si3.wav", "si4.wav", "no.wav"}) {
      const QByteArray pcm = LettoreSuoni::decodifica(QDir(cartella).filePath(QStringLiteral("suoni/") + QLatin1String(nome)));
      const double secondi = double(pcm.size()) / (LettoreSuoni::Frequenza * LettoreSuoni::Canali * 2);
      QVERIFY2(secondi > 0.3 && secondi < 1.5, nome);
    }
  }
};

QTEST_MAIN(ProvaDati)
#include "test_dati.moc"
