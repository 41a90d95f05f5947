// The data we ship: every list loads in the game, every word has its drawing
// and its voice, the easy lists keep to open syllables, and the wrong-answer
// sound and the voices are heard.
#include "Accettazione.h"
#include "DecodificaSuoni.h"
#include "ListaParole.h"
#include "Voci.h"
#include "ProvaMain.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <cmath>

using namespace quirlo;

namespace {

// One consonant and one vowel, c and g only hard (ca co cu ga go gu), or a
// lone vowel: what a first-grader reads before soft c/g, digraphs, doubles,
// clusters and diphthongs. A stressed final vowel (tu,tù) is still one vowel.
const QRegularExpression SillabaAperta(QStringLiteral("^(?:[bdflmnprstvz]?[aeiouàèéìòù]|[cg][aouàòù])$"));

// RMS level in dB full scale of 16-bit stereo PCM mixed to mono, after a
// 4th-order high-pass at taglioHz (two Butterworth biquads): roughly what a
// laptop or whiteboard speaker gives back. taglioHz 0 means no filter.
double livelloDb(const QByteArray &pcm, double taglioHz) {
  const auto *campioni = reinterpret_cast<const qint16 *>(pcm.constData());
  const qsizetype fotogrammi = pcm.size() / (2 * formatoSuono::Canali);
  double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
  if (taglioHz > 0) {
    const double w = 2 * M_PI * taglioHz / formatoSuono::Frequenza;
    const double alfa = std::sin(w) / (2 * M_SQRT1_2);
    const double a0 = 1 + alfa;
    b0 = (1 + std::cos(w)) / 2 / a0;
    b1 = -(1 + std::cos(w)) / a0;
    b2 = b0;
    a1 = -2 * std::cos(w) / a0;
    a2 = (1 - alfa) / a0;
  }
  double x1[2] = {0, 0}, x2[2] = {0, 0}, y1[2] = {0, 0}, y2[2] = {0, 0};
  double somma = 0;
  for (qsizetype i = 0; i < fotogrammi; ++i) {
    double x = 0;
    for (int c = 0; c < formatoSuono::Canali; ++c) x += campioni[i * formatoSuono::Canali + c];
    x /= formatoSuono::Canali * 32768.0;
    for (int stadio = 0; stadio < 2; ++stadio) {
      const double y = b0 * x + b1 * x1[stadio] + b2 * x2[stadio] - a1 * y1[stadio] - a2 * y2[stadio];
      x2[stadio] = x1[stadio];
      x1[stadio] = x;
      y2[stadio] = y1[stadio];
      y1[stadio] = y;
      x = y;
    }
    somma += x * x;
  }
  return 10 * std::log10(somma / double(qMax<qsizetype>(fotogrammi, 1)) + 1e-20);
}

// The sound between its first and last sample above -60 dBFS: the silence
// after a chime or a word is no quieter sound.
QByteArray senzaSilenzio(const QByteArray &pcm) {
  const auto *c = reinterpret_cast<const qint16 *>(pcm.constData());
  const qsizetype passo = formatoSuono::Canali, frame = pcm.size() / (2 * passo);
  const auto suona = [&](qsizetype f) {
    return std::abs(c[f * passo]) > 32 || std::abs(c[f * passo + passo - 1]) > 32;
  };
  qsizetype inizio = 0, fine = frame;
  while (inizio < fine && !suona(inizio))
    ++inizio;
  while (fine > inizio && !suona(fine - 1))
    --fine;
  return pcm.mid(inizio * passo * 2, (fine - inizio) * passo * 2);
}

}  // namespace

class ProvaDati : public QObject {
  Q_OBJECT

  const QString cartella = QStringLiteral(QUIRLO_DATI);

 private slots:
  void liste_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("campi");
    QTest::addColumn<int>("parole");
    QTest::addColumn<QSize>("formato");
    QTest::addColumn<int>("minimo");  // fewest words the list ships with
    QTest::addColumn<bool>("facile");
    QTest::newRow("lista2") << QStringLiteral("lista2.txt") << 2 << 4 << QSize(288, 240) << 54 << true;
    QTest::newRow("lista4") << QStringLiteral("lista4.txt") << 2 << 4 << QSize(288, 240) << 95 << false;
    QTest::newRow("lista3") << QStringLiteral("lista3.txt") << 3 << 3 << QSize(320, 320) << 49 << true;
    QTest::newRow("lista5") << QStringLiteral("lista5.txt") << 3 << 3 << QSize(320, 320) << 95 << false;
  }

  void liste() {
    QFETCH(QString, nome);
    QFETCH(int, campi);
    QFETCH(int, parole);
    QFETCH(QSize, formato);
    QFETCH(int, minimo);
    QFETCH(bool, facile);
    const ListaLetta letta = leggiLista(QDir(cartella).filePath(nome), campi);
    QVERIFY2(letta.accettata(), letta.rifiuto ? qPrintable(letta.rifiuto->messaggio()) : "");
    QVERIFY2(letta.parole.size() >= minimo, qPrintable(QString::number(letta.parole.size())));
    QVERIFY(letta.parole.size() <= MassimoParole);
    QSet<QString> viste;
    for (const Parola &p : letta.parole) {
      QCOMPARE(p.sillabe.size(), campi);
      for (const QString &s : p.sillabe) {
        QVERIFY2(!s.isEmpty(), qPrintable(p.testo()));
        QCOMPARE(s, s.toLower());
        if (facile) QVERIFY2(SillabaAperta.match(s).hasMatch(), qPrintable(p.sillabe.join(QLatin1Char(','))));
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

  // The rule the easy lists are held to: a stressed vowel is a vowel, a
  // closing consonant or a soft c/g still fails with or without an accent.
  void sillabaAperta_data() {
    QTest::addColumn<QString>("sillaba");
    QTest::addColumn<bool>("aperta");
    QTest::newRow("tù") << QStringLiteral("tù") << true;
    QTest::newRow("cò") << QStringLiteral("cò") << true;
    QTest::newRow("tùr") << QStringLiteral("tùr") << false;
    QTest::newRow("cè") << QStringLiteral("cè") << false;
    QTest::newRow("gat") << QStringLiteral("gat") << false;
  }
  void sillabaAperta() {
    QFETCH(QString, sillaba);
    QFETCH(bool, aperta);
    QCOMPARE(SillabaAperta.match(sillaba).hasMatch(), aperta);
  }

  // Teachers open the lists in Windows Notepad: every line ends in CR LF.
  void righeCrLf_data() { liste_data(); }
  void righeCrLf() {
    QFETCH(QString, nome);
    QFile file(QDir(cartella).filePath(nome));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray testo = file.readAll();
    QVERIFY(testo.endsWith("\r\n"));
    QCOMPARE(testo.count("\r\n"), testo.count('\n'));
    QCOMPARE(testo.count('\r'), testo.count('\n'));
  }

  // A word in two lists would share one drawing file between two exercises.
  void nessunaParolaInDueListe() {
    QHash<QString, QString> dove;
    const std::pair<const char *, int> liste[] = {
        {"lista2.txt", 2}, {"lista3.txt", 3}, {"lista4.txt", 2}, {"lista5.txt", 3}};
    for (const auto &[nome, campi] : liste) {
      const ListaLetta letta = leggiLista(QDir(cartella).filePath(QLatin1String(nome)), campi);
      QVERIFY(letta.accettata());
      for (const Parola &p : letta.parole) {
        QVERIFY2(!dove.contains(p.testo()), qPrintable(p.testo() + QStringLiteral(" in ") + dove.value(p.testo())));
        dove.insert(p.testo(), QLatin1String(nome));
      }
    }
  }

  // On small speakers (little below 1 kHz) the wrong-answer sound must be as
  // easy to hear as the quietest chime, and on full-range ones no blare.
  void erroreUdibileComeIRintocchi() {
    const auto leggi = [this](const char *nome) {
      return decodificaSuono(QDir(cartella).filePath(QStringLiteral("suoni/") + QLatin1String(nome)));
    };
    double rintocchiAltiMin = 0, rintocchiPieni = -200;
    for (const char *nome : {"si1.wav", "si2.wav", "si3.wav", "si4.wav"}) {
      const QByteArray pcm = leggi(nome);
      QVERIFY2(!pcm.isEmpty(), nome);
      rintocchiAltiMin = qMin(rintocchiAltiMin, livelloDb(pcm, 1000));
      rintocchiPieni = qMax(rintocchiPieni, livelloDb(pcm, 0));
    }
    const QByteArray errore = leggi("no.wav");
    QVERIFY(!errore.isEmpty());
    const double erroreAlto = livelloDb(errore, 1000);
    QVERIFY2(erroreAlto >= rintocchiAltiMin - 1,
             qPrintable(QStringLiteral("sopra 1 kHz: errore %1 dB, rintocchi da %2 dB").arg(erroreAlto).arg(rintocchiAltiMin)));
    QVERIFY2(livelloDb(errore, 0) <= rintocchiPieni + 6, qPrintable(QString::number(livelloDb(errore, 0))));
  }

  // Every listed word has a voice the game plays, under the drawing's name, and
  // every voice belongs to a word. On full-range speakers no voice blares over
  // the chimes; on small ones speech, with most of its energy under 1 kHz,
  // stays a few dB under them however it is shaped (tools/voices/README.md).
  void voci() {
    double rintocchiPieni = -200, rintocchiAlti = 0;
    for (const char *nome : {"si1.wav", "si2.wav", "si3.wav", "si4.wav"}) {
      const QByteArray pcm = decodificaSuono(QDir(cartella).filePath(QStringLiteral("suoni/") + QLatin1String(nome)));
      rintocchiPieni = qMax(rintocchiPieni, livelloDb(pcm, 0));
      rintocchiAlti += livelloDb(senzaSilenzio(pcm), 1000) / 4;
    }
    QSet<QString> attese;
    double altiMedio = 0;
    const std::pair<const char *, int> liste[] = {
        {"lista2.txt", 2}, {"lista3.txt", 3}, {"lista4.txt", 2}, {"lista5.txt", 3}};
    for (const auto &[nome, campi] : liste) {
      const ListaLetta letta = leggiLista(QDir(cartella).filePath(QLatin1String(nome)), campi);
      QVERIFY(letta.accettata());
      for (const Parola &p : letta.parole) {
        const Voce voce = voceRegistrata(p.testo(), QString(), cartella, decodificaSuono);
        QVERIFY2(voce.fonte == FonteVoce::Programma, qPrintable(p.testo()));
        QCOMPARE(voce.percorso, QDir(cartella).filePath(QStringLiteral("voci/") + p.testo() + QStringLiteral(".wav")));
        QVERIFY2(voce.pcm.secondi() > 0.3 && voce.pcm.secondi() < 2.5, qPrintable(p.testo()));
        QVERIFY2(livelloDb(*voce.pcm.dati, 0) <= rintocchiPieni + 6, qPrintable(p.testo()));
        attese.insert(p.testo() + QStringLiteral(".wav"));
        altiMedio += livelloDb(senzaSilenzio(*voce.pcm.dati), 1000);
      }
    }
    altiMedio /= double(attese.size());
    QVERIFY2(altiMedio >= rintocchiAlti - 8,
             qPrintable(QStringLiteral("sopra 1 kHz: voci %1 dB, rintocchi %2 dB").arg(altiMedio).arg(rintocchiAlti)));
    const QStringList presenti = QDir(cartella + QStringLiteral("/voci")).entryList(QDir::Files);
    for (const QString &f : presenti)
      QVERIFY2(attese.contains(f.normalized(QString::NormalizationForm_C)), qPrintable(f));
  }

  void suoni() {
    for (const char *nome : {"si1.wav", "si2.wav", "si3.wav", "si4.wav", "no.wav"}) {
      const QByteArray pcm = decodificaSuono(QDir(cartella).filePath(QStringLiteral("suoni/") + QLatin1String(nome)));
      const double secondi = double(pcm.size()) / (formatoSuono::Frequenza * formatoSuono::Canali * 2);
      QVERIFY2(secondi > 0.3 && secondi < 1.5, nome);
    }
  }
};

QUIRLO_TEST_MAIN(ProvaDati)
#include "test_dati.moc"
