// Whatever a teacher puts in the program folder, the game neither crashes nor
// hangs nor loses what it had: each bad input gets the message listed in the
// README's catalogue, or is coped with silently.
#include "Accettazione.h"
#include "Banco.h"
#include "Dati.h"
#include "Disegni.h"
#include "Gioco.h"
#include "Immagini.h"
#include "DecodificaSuoni.h"
#include "LettoreSuoni.h"
#include "PiattaformaFinta.h"
#include "Widgets.h"
#include "ProvaMain.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTest>

using namespace quirlo;
using namespace quirlo::prova;

namespace {

const QString Fine = QStringLiteral("\n\nLa lista non è stata caricata.");

QByteArray codifica(const QImage &img, const char *formato, int qualita = -1) {
  QByteArray byte;
  QBuffer buffer(&byte);
  buffer.open(QIODevice::WriteOnly);
  if (!img.save(&buffer, formato, qualita))
    qFatal("cannot encode a fixture picture");
  return byte;
}

QImage rumore(int larghezza, int altezza, quint32 seme) {
  QImage img(larghezza, altezza, QImage::Format_RGB32);
  QRandomGenerator caso(seme);
  for (int y = 0; y < altezza; ++y) {
    auto *riga = reinterpret_cast<quint32 *>(img.scanLine(y));
    caso.fillRange(riga, larghezza);
  }
  return img;
}

void scriviBigEndian(QByteArray &byte, qsizetype pos, quint32 valore, int quanti) {
  for (int i = 0; i < quanti; ++i)
    byte[pos + i] = char((valore >> (8 * (quanti - 1 - i))) & 0xFF);
}

// A real JPEG whose frame header claims another size: the header reads fine,
// the data behind it is far too short.
QByteArray jpegDichiarato(int larghezza, int altezza) {
  QByteArray byte = codifica(rumore(16, 16, 1), "JPG");
  const qsizetype sof = byte.indexOf(QByteArrayView("\xFF\xC0", 2));
  if (sof < 0)
    qFatal("no baseline frame header");
  scriviBigEndian(byte, sof + 5, quint32(altezza), 2);
  scriviBigEndian(byte, sof + 7, quint32(larghezza), 2);
  return byte;
}

quint32 crc32(QByteArrayView dati) {
  quint32 crc = 0xFFFFFFFFu;
  for (const char c : dati) {
    crc ^= quint8(c);
    for (int k = 0; k < 8; ++k)
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// A PNG (which Qt decodes whole before scaling) whose header claims another size.
QByteArray pngDichiarato(int larghezza, int altezza) {
  QByteArray byte = codifica(rumore(16, 16, 2), "PNG");
  scriviBigEndian(byte, 16, quint32(larghezza), 4);
  scriviBigEndian(byte, 20, quint32(altezza), 4);
  scriviBigEndian(byte, 29, crc32(QByteArrayView(byte).sliced(12, 17)), 4);
  return byte;
}

// A real progressive JPEG whose frame header claims another size.
QByteArray progressivoDichiarato(int larghezza, int altezza) {
  QByteArray byte;
  QBuffer buffer(&byte);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter scrittore(&buffer, "jpeg");
  scrittore.setProgressiveScanWrite(true);
  if (!scrittore.write(rumore(16, 16, 5)))
    qFatal("cannot encode a progressive JPEG");
  const qsizetype sof = byte.indexOf(QByteArrayView("\xFF\xC2", 2));
  if (sof < 0)
    qFatal("no progressive frame header");
  scriviBigEndian(byte, sof + 5, quint32(altezza), 2);
  scriviBigEndian(byte, sof + 7, quint32(larghezza), 2);
  return byte;
}

QByteArray jpegRumoroso(int larghezza, int altezza, int qualita = 90) {
  return codifica(rumore(larghezza, altezza, 3), "JPG", qualita);
}

// What a drawing can be, by name, so that table rows stay readable.
QByteArray disegno(const QString &tipo) {
  if (tipo == u"vuoto")
    return {};
  if (tipo == u"testo")
    return "Questo non è un disegno.\r\n";
  if (tipo == u"jpeg troncato nell'intestazione")
    return jpegRumoroso(200, 160).left(100);
  if (tipo == u"jpeg troncato a metà") {
    const QByteArray intero = jpegRumoroso(200, 160);
    return intero.left(intero.size() / 2);
  }
  if (tipo == u"png con nome jpg")
    return codifica(rumore(200, 160, 4), "PNG");
  if (tipo == u"jpeg 30000x30000")
    return jpegDichiarato(30000, 30000);
  if (tipo == u"jpeg 10000x8000")
    return jpegDichiarato(10000, 8000);
  if (tipo == u"png 12000x12000")
    return pngDichiarato(12000, 12000);
  if (tipo == u"jpeg progressivo 10900x11000")
    return progressivoDichiarato(10900, 11000);
  if (tipo == u"jpeg buono")
    return jpegRumoroso(64, 48);
  qFatal("unknown drawing kind");
}

// The folder, the scripted platform and a list of four two-syllable words, all with drawings.
struct BancoQuattro : Banco {
  QList<QStringList> parole = paroleBisillabe(4);

  BancoQuattro() { d.scriviLista(QStringLiteral("lista2.txt"), parole); }
  QString parola(int i) const { return parole[i].join(QString()); }
  QString nomeDisegno(int i) const { return QStringLiteral("jpg/%1.jpg").arg(parola(i)); }

  // Frame k shows word k+1, so each frame's word is known.
  std::unique_ptr<DISEGNI1> apri() {
    return Banco::apri<DISEGNI1>({perRecord(1, 4), perRecord(2, 4), perRecord(3, 4), perRecord(4, 4), perRiga(0)});
  }
  void prossimoEsercizio(Esercizio &w) {
    // A sound is drawn for each right drop, then the new exercise's words and row.
    f.numeri = QList<double>(8, 0.0);
    f.numeri.append({perRecord(1, 4), perRecord(2, 4), perRecord(3, 4), perRecord(4, 4), perRiga(1)});
    completa(w);
    QCOMPARE(f.numeri.size(), 0);
  }
};

}  // namespace

class ProvaRobustezza : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    Globali::NumeroEsatti = 0;
    Globali::NumeroErrati = 0;
  }

  // Each row of the README's catalogue that a list file causes: the exact box
  // the teacher sees when the window opens, and the window stays closed.
  void catalogoListe_data() {
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<bool>("cartella");  // a folder where the list should be
    QTest::addColumn<QString>("messaggio");

    const QString illeggibile = QStringLiteral(
        "Non riesco a leggere la lista di parole «lista2.txt».\n"
        "Controlla che il file si trovi nella cartella del programma.");
    QTest::newRow("lista mancante") << QByteArray() << false << illeggibile + Fine;
    QTest::newRow("lista illeggibile") << QByteArray() << true << illeggibile + Fine;
    QTest::newRow("lista vuota") << QByteArray("\r\n  \r\n") << false
                                 << QStringLiteral("La lista «lista2.txt» è vuota.\n"
                                                   "Per questo esercizio ne servono almeno 4.") + Fine;
    QTest::newRow("lista troppo corta") << QByteArray("ca,sa\r\nlu,na\r\na,pe\r\n") << false
                                        << QStringLiteral("La lista «lista2.txt» contiene solo 3 parole.\n"
                                                          "Per questo esercizio ne servono almeno 4.") + Fine;
    QTest::newRow("una sola parola") << QByteArray("ca,sa") << false
                                     << QStringLiteral("La lista «lista2.txt» contiene solo 1 parola.\n"
                                                       "Per questo esercizio ne servono almeno 4.") + Fine;
    QByteArray centouno;
    for (int i = 0; i < 101; ++i)
      centouno += "ca,sa\r\n";
    QTest::newRow("lista troppo lunga") << centouno << false
                                        << QStringLiteral("La lista «lista2.txt» contiene più di 100 parole "
                                                          "(la parola numero 101 è alla riga 101).\n"
                                                          "Una lista può avere al massimo 100 parole.") + Fine;
    QTest::newRow("sillabe dispari") << QByteArray("ca,sa\r\nlu,na\r\na,pe\r\nra,na\r\nme\r\n") << false
                                     << QStringLiteral("Nella lista «lista2.txt» l'ultima parola (riga 5) è "
                                                       "incompleta:\nogni parola deve avere 2 sillabe separate "
                                                       "da virgole.") + Fine;
    // Cut right after a comma: the last word has no second syllable, whatever the count of fields.
    QTest::newRow("tagliata dopo una virgola") << QByteArray("ca,sa\r\nlu,na\r\na,pe\r\nra,na\r\nfi,") << false
                                               << QStringLiteral("Nella lista «lista2.txt» l'ultima parola (riga 5) è "
                                                                 "incompleta:\nogni parola deve avere 2 sillabe "
                                                                 "separate da virgole.") + Fine;
    QTest::newRow("file troppo grande") << QByteArray((1 << 20) + 1, 'a') << false
                                        << QStringLiteral("Il file «lista2.txt» è troppo grande per essere una "
                                                          "lista di parole.") + Fine;
    // Far too long to be a syllable: refused at once, its text cut short in the box.
    const QByteArray milione(1000000, 'a');
    const QString troppoLunga = QStringLiteral("Nella lista «lista2.txt» alla riga %1 c'è una sillaba troppo lunga:\n"
                                               "«%2…» (%3 lettere).\nUna sillaba può avere al massimo 64 lettere: "
                                               "forse manca una virgola.") + Fine;
    QTest::newRow("sillaba di un milione di lettere")
        << "\"" + milione + "\",sa\r\n" << false << troppoLunga.arg(1).arg(QString(39, QLatin1Char('a'))).arg(1000000);
    QByteArray spazi;
    while (spazi.size() < 999999)
      spazi += "ab ";
    QTest::newRow("sillaba lunghissima con spazi")
        << "ca,sa\r\n\"" + spazi + "\",sa\r\n" << false
        << troppoLunga.arg(2).arg(QString::fromLatin1(spazi.left(39))).arg(spazi.size());
    const QByteArray e64 = QString(64, QChar(0xE8)).toUtf8();
    QTest::newRow("parola troppo lunga per un nome di file")
        << "ca,sa\r\n" + e64 + "," + e64 + "\r\n" << false
        << QStringLiteral("Nella lista «lista2.txt» la parola della riga 2 è troppo lunga per dare il nome al file "
                          "del suo disegno:\n«%1…».\nIl nome di un file può avere al massimo 255 caratteri (una "
                          "lettera accentata conta per due).")
                   .arg(QString(39, QChar(0xE8))) + Fine;
  }
  void catalogoListe() {
    QFETCH(QByteArray, contenuto);
    QFETCH(bool, cartella);
    QFETCH(QString, messaggio);
    PiattaformaInstallata p;
    CartellaDati d;
    p.finta.cartella = d.percorso();
    if (cartella)
      QVERIFY(QDir(d.percorso()).mkdir(QStringLiteral("lista2.txt")));
    else if (QTest::currentDataTag() != QLatin1String("lista mancante"))
      d.scriviFile(QStringLiteral("lista2.txt"), contenuto);
    DISEGNI1 w;
    QVERIFY(!w.Form_Load());
    QCOMPARE(p.finta.messaggi.size(), 1);
    QCOMPARE(p.finta.messaggi[0].testo, messaggio);
    QCOMPARE(p.finta.messaggi[0].flags, Msg::Avviso);
    QCOMPARE(p.finta.estrazioni, 0);  // no exercise was built
  }

  // The same refusals from a list command leave the open exercise as it was.
  void listaCattivaNonToglieNiente() {
    BancoQuattro b;
    auto w = b.apri();
    QVERIFY(w);
    b.prossimoEsercizio(*w);
    QCOMPARE(Globali::NumeroEsatti, 1);
    const QString prima = w->carta(0)->text();
    b.d.scriviFile(QStringLiteral("lista4.txt"), "ca,sa\r\nlu\r\n");
    b.f.azzeraRegistri();
    w->mnudifficile_Click();
    QCOMPARE(b.f.messaggi.size(), 1);
    QVERIFY(b.f.messaggi[0].testo.startsWith(QStringLiteral("Nella lista «lista4.txt»")));
    QCOMPARE(b.f.estrazioni, 0);
    QCOMPARE(w->carta(0)->text(), prima);
    QCOMPARE(Globali::NumeroParole, 4);
    QCOMPARE(Globali::NumeroEsatti, 1);
    QVERIFY(w->menu("mnufacile")->isChecked());
    QVERIFY(!w->menu("mnudifficile")->isChecked());
  }

  // A list saved by an old Windows editor reads as Windows-1252; its drawings
  // are named in the same letters.
  void windows1252() {
    PiattaformaInstallata p;
    CartellaDati d;
    p.finta.cartella = d.percorso();
    d.scriviFile(QStringLiteral("lista2.txt"), "perch\xE9,citt\xE0\r\nca,sa\r\nlu,na\r\na,pe\r\n");
    for (const QString &parola : {QStringLiteral("perchécittà"), QStringLiteral("casa"), QStringLiteral("luna"),
                                  QStringLiteral("ape")})
      d.scriviDisegno(parola);
    const EsitoAccettazione esito = accettaLista(d.percorso(), QStringLiteral("\\lista2.txt"), 2, 4);
    QVERIFY(esito.lista);
    QCOMPARE(esito.lista->parole[0].sillabe, (QStringList{QStringLiteral("perché"), QStringLiteral("città")}));
    QCOMPARE(QFileInfo(esito.lista->disegni[0]).fileName(), QStringLiteral("perchécittà.jpg"));
  }

  // Notepad's "Unicode" (UTF-16 with a byte-order mark), little or big endian:
  // read as such, its accented words and their drawings included.
  void listaUtf16_data() {
    QTest::addColumn<bool>("bigEndian");
    QTest::newRow("utf-16 le") << false;
    QTest::newRow("utf-16 be") << true;
  }
  void listaUtf16() {
    QFETCH(bool, bigEndian);
    PiattaformaInstallata p;
    CartellaDati d;
    p.finta.cartella = d.percorso();
    const QString testo = QStringLiteral("per,ché\r\nca,sa\r\nlu,na\r\ncit,tà\r\n");
    QByteArray byte = bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
    for (const QChar c : testo) {
      const char alto = char(c.unicode() >> 8), basso = char(c.unicode() & 0xFF);
      byte.append(bigEndian ? alto : basso).append(bigEndian ? basso : alto);
    }
    d.scriviFile(QStringLiteral("lista2.txt"), byte);
    for (const QString &parola :
         {QStringLiteral("perché"), QStringLiteral("casa"), QStringLiteral("luna"), QStringLiteral("città")})
      d.scriviDisegno(parola);
    DISEGNI1 w;
    p.finta.numeri = {perRecord(1, 4), perRecord(2, 4), perRecord(3, 4), perRecord(4, 4), perRiga(0)};
    QVERIFY(w.Form_Load());
    QCOMPARE(p.finta.messaggi.size(), 0);
    QCOMPARE(Globali::NumeroParole, 4);
    QCOMPARE(w.Sillaba(1, 1), QStringLiteral("ché"));
    QCOMPARE(w.Sillaba(1, 4), QStringLiteral("tà"));
  }

  // Long words and control characters reach the box shortened and escaped,
  // file names with their ending in sight; the box stays small.
  void paroleNelMessaggio_data() {
    QTest::addColumn<QByteArray>("riga");
    QTest::addColumn<QString>("voce");  // the message's line for that word
    const QString a60(60, QLatin1Char('a'));
    // Paths in messages as the system writes them.
    const QString jpg = QDir::toNativeSeparators(QStringLiteral("jpg/"));
    QTest::newRow("parola di 120 lettere")
        << (a60 + QLatin1Char(',') + a60).toUtf8()
        << QStringLiteral("- %1…: manca il file %2%3….jpg").arg(QString(39, QLatin1Char('a')), jpg, QString(31, QLatin1Char('a')));
    QTest::newRow("caratteri di controllo")
        << QByteArray("\x1b[31mca,sa\x1b]0;t\x07\x7f\xc2\x9b")
        << QStringLiteral("- \\x1b[31mcasa\\x1b]0;t\\x07\\x7f\\x9b: manca il file "
                          "%1\\x1b[31mcasa\\x1b]0;t\\x07\\x7f\\x9b.jpg").arg(jpg);
  }
  void paroleNelMessaggio() {
    QFETCH(QByteArray, riga);
    QFETCH(QString, voce);
    BancoQuattro b;
    QByteArray lista = riga + "\r\n";
    for (int i = 0; i < 4; ++i)
      lista += b.parole[i].join(QLatin1Char(',')).toUtf8() + "\r\n";
    b.d.scriviFile(QStringLiteral("lista2.txt"), lista);
    QVERIFY(!b.apri());
    QCOMPARE(b.f.messaggi.size(), 1);
    const QString &m = b.f.messaggi[0].testo;
    QCOMPARE(m, QStringLiteral("Alcune parole della lista «lista2.txt» non hanno un disegno che si possa "
                               "mostrare:\n") + voce + Fine);
    for (const QChar c : m)
      QVERIFY2(c == QLatin1Char('\n') || (c.unicode() >= 0x20 && c.unicode() != 0x7F && (c.unicode() < 0x80 || c.unicode() > 0x9F)),
               qPrintable(QString::number(c.unicode(), 16)));
  }

  // Letters whose lower case does not come back to the same upper case: in
  // lower-case mode every right card is still right, and the exercise ends.
  void minuscoleSenzaRitorno() {
    PiattaformaInstallata p;
    CartellaDati d;
    p.finta.cartella = d.percorso();
    const QList<QStringList> parole = {{QStringLiteral("STRA"), QStringLiteral("ẞE")},
                                       {QStringLiteral("İS"), QStringLiteral("TAN")},
                                       {QStringLiteral("ǅU"), QStringLiteral("RO")},
                                       {QStringLiteral("ΣΑ"), QStringLiteral("ẞO")}};
    d.scriviLista(QStringLiteral("lista2.txt"), parole);
    DISEGNI1 w;
    p.finta.numeri = {perRecord(1, 4), perRecord(2, 4), perRecord(3, 4), perRecord(4, 4), perRiga(0)};
    QVERIFY(w.Form_Load());
    p.finta.numeri = {perRecord(1, 4), perRecord(2, 4), perRecord(3, 4), perRecord(4, 4), perRiga(2)};
    w.mnuMinuscolo_Click();
    const int esatti = Globali::NumeroEsatti, errati = Globali::NumeroErrati;
    const auto &config = w.regole();
    p.finta.numeri = QList<double>(8, 0.0);
    p.finta.numeri.append({perRecord(1, 4), perRecord(2, 4), perRecord(3, 4), perRecord(4, 4), perRiga(1)});
    for (int i = 0; i < int(config.carte.size()); ++i) {
      const CartaEsercizio &c = config.carte[size_t(i)];
      QCOMPARE(w.carta(i)->text(), w.Sillaba(c.sillaba, w.Scelta(c.parola)).toLower());
      lascia(w, c.sillaba, c.parola, w.carta(i));
      QCOMPARE(Globali::NumeroErrati, errati);
    }
    QCOMPARE(Globali::NumeroEsatti, esatti + 1);  // finished: a new exercise was built
    QCOMPARE(p.finta.numeri.size(), 0);
  }

  // Words that cannot name a file inside "jpg" are missing drawings, even when
  // the path they spell leads to a picture elsewhere.
  void paroleCheNonSonoNomi_data() {
    QTest::addColumn<QByteArray>("riga");
    QTest::addColumn<QString>("parola");  // as the message shows it
    QTest::newRow("barra") << QByteArray("../fuo,ri") << QStringLiteral("../fuori");
    QTest::newRow("barra rovescia") << QByteArray("..\\fuo,ri") << QStringLiteral("..\\fuori");
    QTest::newRow("punto punto") << QByteArray(".,.") << QStringLiteral("..");
    QTest::newRow("sillabe vuote") << QByteArray(",") << QString();
    // Shown escaped: a control character never reaches a message box.
    QTest::newRow("byte nullo") << QByteArray("fuo\0,ri", 7) << QStringLiteral("fuo\\x00ri");
  }
  void paroleCheNonSonoNomi() {
    QFETCH(QByteArray, riga);
    QFETCH(QString, parola);
    BancoQuattro b;
    b.d.scriviFile(QStringLiteral("fuori.jpg"), disegno(QStringLiteral("jpeg buono")));
    b.d.scriviFile(QStringLiteral("jpg/fuo.jpg"), disegno(QStringLiteral("jpeg buono")));
    QByteArray lista = riga + "\r\n";
    for (int i = 0; i < 4; ++i)
      lista += b.parole[i].join(QLatin1Char(',')).toUtf8() + "\r\n";
    b.d.scriviFile(QStringLiteral("lista2.txt"), lista);
    QVERIFY(!b.apri());
    QCOMPARE(b.f.messaggi.size(), 1);
    QCOMPARE(b.f.messaggi[0].testo, QStringLiteral("Alcune parole della lista «lista2.txt» non hanno un disegno "
                                                    "che si possa mostrare:\n- %1: manca il file %2")
                                            .arg(parola, QDir::toNativeSeparators(QStringLiteral("jpg/%1.jpg").arg(parola))) + Fine);
  }

  // Missing drawings and drawings in another letter case, as the teacher sees them.
  void catalogoDisegni_data() {
    QTest::addColumn<QString>("presente");  // the name the drawing of word 1 has on disk, empty: none
    QTest::addColumn<QString>("messaggio");  // empty: accepted
    QTest::newRow("disegno mancante") << QString()
                                      << QStringLiteral("Alcune parole della lista «lista2.txt» non hanno un "
                                                        "disegno che si possa mostrare:\n- %1: manca il file "
                                                        "jpg/%1.jpg") + Fine;
    QTest::newRow("disegno in maiuscolo") << QStringLiteral("UPPER") << QString();
    QTest::newRow("estensione in maiuscolo") << QStringLiteral("EXT") << QString();
  }
  void catalogoDisegni() {
    QFETCH(QString, presente);
    QFETCH(QString, messaggio);
    BancoQuattro b;
    const QString parola = b.parola(0);
    b.d.rimuovi(b.nomeDisegno(0));
    QString nome;
    if (presente == u"UPPER")
      nome = QStringLiteral("jpg/%1.jpg").arg(parola.toUpper());
    else if (presente == u"EXT")
      nome = QStringLiteral("jpg/%1.JPG").arg(parola);
    if (!nome.isEmpty())
      b.d.scriviFile(nome, disegno(QStringLiteral("jpeg buono")));
    auto w = b.apri();
    if (!messaggio.isEmpty()) {
      QVERIFY(!w);
      QCOMPARE(b.f.messaggi.size(), 1);
      QCOMPARE(b.f.messaggi[0].testo, QDir::toNativeSeparators(messaggio.arg(parola)));
      return;
    }
    QVERIFY(w);
    QVERIFY(aspettaDisegni(*w));
    QCOMPARE(b.f.immagini[0], b.d.file(nome));
    QVERIFY(!w->cornice(0)->immagine().isNull());
  }

  // Hostile drawings when the list loads: refused by name, or shown at the frame's size.
  void disegnoOstile_data() {
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<bool>("accettato");
    QTest::addColumn<bool>("pesante");  // a picture too costly to decode, and said so
    QTest::newRow("file vuoto") << QStringLiteral("vuoto") << false << false;
    QTest::newRow("testo con nome jpg") << QStringLiteral("testo") << false << false;
    QTest::newRow("jpeg troncato nell'intestazione") << QStringLiteral("jpeg troncato nell'intestazione") << false << false;
    QTest::newRow("jpeg 30000x30000") << QStringLiteral("jpeg 30000x30000") << false << true;
    QTest::newRow("png 12000x12000") << QStringLiteral("png 12000x12000") << false << true;
    // Few pixels for the limit on size, but a decoder holding hundreds of megabytes.
    QTest::newRow("jpeg progressivo 10900x11000") << QStringLiteral("jpeg progressivo 10900x11000") << false << true;
    // What survives of the picture is shown, the rest grey.
    QTest::newRow("jpeg troncato a metà") << QStringLiteral("jpeg troncato a metà") << true << false;
    QTest::newRow("png con nome jpg") << QStringLiteral("png con nome jpg") << true << false;
    // Large but decodable: shrunk while decoding.
    QTest::newRow("jpeg 10000x8000") << QStringLiteral("jpeg 10000x8000") << true << false;
  }
  void disegnoOstile() {
    QFETCH(QString, tipo);
    QFETCH(bool, accettato);
    QFETCH(bool, pesante);
    BancoQuattro b;
    b.d.scriviFile(b.nomeDisegno(2), disegno(tipo));

    const EsitoAccettazione esito = accettaLista(b.d.percorso(), QStringLiteral("\\lista2.txt"), 2, 4);
    QCOMPARE(esito.lista.has_value(), accettato);
    auto w = b.apri();
    QCOMPARE(bool(w), accettato);
    if (!accettato) {
      QCOMPARE(esito.rifiuto->problema, Problema::DisegniMancanti);
      QCOMPARE(esito.rifiuto->disegni.size(), 1);
      QCOMPARE(esito.rifiuto->disegni[0].parola, b.parola(2));
      QCOMPARE(esito.rifiuto->disegni[0].illeggibile, !pesante);
      QCOMPARE(esito.rifiuto->disegni[0].pesante, pesante);
      QCOMPARE(b.f.messaggi.size(), 1);
      QCOMPARE(b.f.messaggi[0].testo, QStringLiteral("Alcune parole della lista «lista2.txt» non hanno un disegno "
                                                      "che si possa mostrare:\n- %1: il file %2 %3")
                                              .arg(b.parola(2), QDir::toNativeSeparators(b.nomeDisegno(2)),
                                                   pesante ? QStringLiteral("è troppo pesante da mostrare "
                                                                            "(rimpicciolisci l'immagine)")
                                                           : QStringLiteral("non è un'immagine leggibile")) +
                                          Fine);
      return;
    }
    QVERIFY(aspettaDisegni(*w));
    for (int k = 0; k < 4; ++k) {
      const Immagine *cornice = w->cornice(k);
      QVERIFY2(!cornice->immagine().isNull(), qPrintable(QString::number(k)));
      QCOMPARE(cornice->immagine().size(), cornice->dimensioneDecodifica());
    }
  }

  // A 20 MB photo straight from a camera is shown, decoded at the frame's size.
  void fotoGrande() {
    BancoQuattro b;
    const QByteArray foto = jpegRumoroso(4000, 3000, 100);
    QVERIFY2(foto.size() >= 20 * 1024 * 1024, qPrintable(QString::number(foto.size())));
    b.d.scriviFile(b.nomeDisegno(1), foto);
    auto w = b.apri();
    QVERIFY(w);
    QVERIFY(aspettaDisegni(*w));
    const Immagine *cornice = w->cornice(1);
    QCOMPARE(cornice->immagine().size(), cornice->dimensioneDecodifica());
    // Noise stays noise: the picture was decoded, not left grey.
    const QImage &img = cornice->immagine();
    QVERIFY(img.pixel(3, 3) != img.pixel(img.width() - 4, img.height() - 4));
  }

  // A drawing that breaks after its list was accepted leaves its frame empty;
  // the game goes on and counts as before.
  void disegnoRovinatoDopo_data() {
    QTest::addColumn<QString>("tipo");  // empty: the file is deleted
    QTest::addColumn<bool>("mostrato");
    QTest::newRow("cancellato") << QString() << false;
    QTest::newRow("file vuoto") << QStringLiteral("vuoto") << false;
    QTest::newRow("testo con nome jpg") << QStringLiteral("testo") << false;
    QTest::newRow("jpeg troncato nell'intestazione") << QStringLiteral("jpeg troncato nell'intestazione") << false;
    QTest::newRow("jpeg 30000x30000") << QStringLiteral("jpeg 30000x30000") << false;
    QTest::newRow("png 12000x12000") << QStringLiteral("png 12000x12000") << false;
    QTest::newRow("jpeg progressivo 10900x11000") << QStringLiteral("jpeg progressivo 10900x11000") << false;
    QTest::newRow("png con nome jpg") << QStringLiteral("png con nome jpg") << true;
  }
  void disegnoRovinatoDopo() {
    QFETCH(QString, tipo);
    QFETCH(bool, mostrato);
    BancoQuattro b;
    auto w = b.apri();
    QVERIFY(w);
    if (tipo.isEmpty())
      b.d.rimuovi(b.nomeDisegno(3));
    else
      b.d.scriviFile(b.nomeDisegno(3), disegno(tipo));
    const int esatti = Globali::NumeroEsatti;
    b.prossimoEsercizio(*w);
    QCOMPARE(Globali::NumeroEsatti, esatti + 1);
    QCOMPARE(b.f.messaggi.size(), 0);
    QVERIFY(aspettaDisegni(*w));
    for (int k = 0; k < 3; ++k)
      QVERIFY(!w->cornice(k)->immagine().isNull());
    QCOMPARE(!w->cornice(3)->immagine().isNull(), mostrato);
    // The next exercise plays through as usual.
    b.prossimoEsercizio(*w);
    QCOMPARE(Globali::NumeroEsatti, esatti + 2);
    for (int i = 0; i < 8; ++i)
      QVERIFY(w->carta(i)->isEnabled());
  }

  // Decoding straight from the reader, without a window: the limits hold
  // whatever size is asked for.
  void decodificaLimitata_data() {
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QSize>("dimensione");
    QTest::addColumn<QSize>("attesa");  // empty: a null image
    QTest::newRow("buono, alla cornice") << QStringLiteral("jpeg buono") << QSize(30, 20) << QSize(30, 20);
    QTest::newRow("buono, intero") << QStringLiteral("jpeg buono") << QSize() << QSize(64, 48);
    QTest::newRow("10000x8000, alla cornice") << QStringLiteral("jpeg 10000x8000") << QSize(142, 118)
                                               << QSize(142, 118);
    QTest::newRow("30000x30000, alla cornice") << QStringLiteral("jpeg 30000x30000") << QSize(142, 118) << QSize();
    QTest::newRow("png 12000x12000, alla cornice") << QStringLiteral("png 12000x12000") << QSize(142, 118)
                                                    << QSize();
    QTest::newRow("vuoto") << QStringLiteral("vuoto") << QSize(142, 118) << QSize();
  }
  void decodificaLimitata() {
    QFETCH(QString, tipo);
    QFETCH(QSize, dimensione);
    QFETCH(QSize, attesa);
    CartellaDati d;
    d.scriviFile(QStringLiteral("jpg/x.jpg"), disegno(tipo));
    const QImage img = decodificaImmagine(d.file(QStringLiteral("jpg/x.jpg")), dimensione);
    QCOMPARE(img.isNull(), attesa.isEmpty());
    if (!attesa.isEmpty())
      QCOMPARE(img.size(), attesa);
    QCOMPARE(immagineLeggibile(d.file(QStringLiteral("jpg/x.jpg"))), !attesa.isEmpty());
  }

  // No sound folder, or sounds that are not WAV files: silent, and the drop counts as usual.
  void suoniMancanti_data() {
    QTest::addColumn<QByteArray>("contenuto");  // of suoni/si1.wav; empty: no folder
    QTest::newRow("cartella suoni mancante") << QByteArray();
    QTest::newRow("wav che non è un wav") << QByteArray("RIFF\x10\0\0\0WAVEfmt garbage", 24);
  }
  void suoniMancanti() {
    QFETCH(QByteArray, contenuto);
    CartellaDati d;
    if (!contenuto.isEmpty())
      d.scriviFile(QStringLiteral("suoni/si1.wav"), contenuto);
    const QString si1 = d.file(QStringLiteral("suoni/si1.wav"));
    QVERIFY(decodificaSuono(si1).isEmpty());
    LettoreSuoni lettore(QStringLiteral(QUIRLO_MODULI));
    lettore.precarica(si1);
    lettore.suona(si1);
    lettore.suona(d.file(QStringLiteral("suoni/no.wav")));
  }
};

QUIRLO_TEST_MAIN(ProvaRobustezza)
#include "test_hardening.moc"
