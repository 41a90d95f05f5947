// quirlo-parole from the command line, run as IT staff would: its output,
// its exit codes, and that it writes in the user folder only.
#include "ProvaMain.h"

#include <QCryptographicHash>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

struct Passo {
  QStringList argomenti;  // "@" stands for the test's folder
  int codice;
  QString frammento;  // in the output
};
using Passi = QList<Passo>;

const QString Programma = QStringLiteral(QUIRLO_PAROLE);
const QString CartellaProgramma = QFileInfo(Programma).absolutePath();

QByteArray leggi(const QString &percorso) {
  QFile f(percorso);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Esecuzione {
  int codice;
  QString uscita;
};

Esecuzione esegui(const QString &casa, const QStringList &argomenti, const QStringList &prima = {}) {
  QProcess p;
  QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
  ambiente.insert(QStringLiteral("XDG_DATA_HOME"), casa);
  ambiente.insert(QStringLiteral("APPDATA"), casa);
  p.setProcessEnvironment(ambiente);
  if (prima.isEmpty())
    p.start(Programma, argomenti);
  else
    p.start(prima.first(), prima.mid(1) + QStringList{Programma} + argomenti);
  if (!p.waitForFinished(60000))
    return {-1, QStringLiteral("non finisce")};
  // Windows ends each line with CR LF.
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          QString::fromUtf8(p.readAllStandardOutput()).remove(QLatin1Char('\r'))};
}

}  // namespace

Q_DECLARE_METATYPE(Passi)

class ProvaRigaDiComando : public QObject {
  Q_OBJECT

  QByteArray listaProgramma_;

 private slots:
  void initTestCase() { listaProgramma_ = leggi(QDir(CartellaProgramma).filePath(QStringLiteral("lista2.txt"))); }

  // "N parole" with N counted from the program's list: the shipped lists change.
  static QString parole(int piu) {
    const int n = int(leggi(QDir(CartellaProgramma).filePath(QStringLiteral("lista2.txt"))).count("\r\n"));
    return QStringLiteral("%1 parole").arg(n + piu);
  }

  void passi_data() {
    QTest::addColumn<Passi>("passi");
    QTest::newRow("add with a photo, list, remove")
        << Passi{{{"--aggiungi", "lista2", "la-go", "@/foto.png"}, 0, parole(1) + "."},
                 {{"--elenca", "lista2"}, 0, parole(1) + " su 100, la tua lista"},
                 {{"--elenca", "lista2"}, 0, "\nla-go\n"},
                 {{"--togli", "lista2", "LAGO"}, 0, parole(0) + "."},
                 {{"--aggiungi", "lista4", "lago"}, 0, "Aggiunta \u00ABla-go\u00BB a lista4.txt"}};
    QTest::newRow("refused") << Passi{{{"--aggiungi", "lista2", "lago"}, 2, "non ha ancora un disegno"},
                                      {{"--aggiungi", "lista2", "Casa"}, 2, "c'è già"},
                                      {{"--aggiungi", "lista3", "lago", "@/foto.png"}, 2, "ne ha 3"},
                                      {{"--togli", "lista2", "lago"}, 2, "non c'è"},
                                      {{"--aggiungi", "lista2", "l'ago"}, 2, "solo di lettere"},
                                      {{"--sillabe", "123"}, 2, "solo di lettere"}};
    QTest::newRow("photo unusable") << Passi{{{"--aggiungi", "lista2", "lago", "@/testo.jpg"}, 3, "non è un'immagine"},
                                             {{"--aggiungi", "lista2", "lago", "@/manca.jpg"}, 3, "non è un file"}};
    QTest::newRow("usage") << Passi{{{"--elenca"}, 1, "Uso:"},
                                    {{"--elenca", "lista9"}, 1, "lista2, lista3, lista4 e lista5"},
                                    {{"--aggiungi", "lista2"}, 1, "Uso:"},
                                    {{"--sposta", "lista2"}, 1, "Uso:"},
                                    {{"--help"}, 0, "Esce con 0"}};
    QTest::newRow("syllables") << Passi{{{"--sillabe", "Paura"}, 0, "pau-ra\ncontrolla:"},
                                        {{"--sillabe", "paura"}, 0, "pa-u-ra"},
                                        {{"--sillabe", "FINESTRA"}, 0, "fi-ne-stra\n"}};
    QTest::newRow("worksheets") << Passi{{{"--schede", "lista2", "-o", "@/s.pdf"}, 0, "Scritta la scheda \u00ABScrivi le sillabe\u00BB"},
                                         {{"--schede", "lista3", "--tipo", "ritaglia", "--minuscolo", "-o", "@/r.pdf", "ba-na-na", "PATATA"}, 0, ": 1 pagina, 2 parole."},
                                         {{"--schede", "lista2", "-o", "@/s.pdf", "xyzzy"}, 2, "\u00ABxyzzy\u00BB non c'è in lista2.txt"},
                                         {{"--schede", "lista2", "-o", "@/manca/s.pdf"}, 4, "non esiste"},
                                         {{"--schede", "lista2"}, 1, "Uso:"},
                                         {{"--schede", "lista2", "--tipo", "colora", "-o", "@/s.pdf"}, 1, "Uso:"},
                                         {{"--schede", "lista2", "-o"}, 1, "Uso:"},
                                         {{"--schede", "lista9", "-o", "@/s.pdf"}, 1, "lista2, lista3, lista4 e lista5"}};
    const QString voce = QDir(CartellaProgramma).filePath(QStringLiteral("voci/luna.wav"));
    QTest::newRow("voice") << Passi{{{"--voce", "lista2", "ca-sa", voce}, 0, "Salvata la voce di \u00ABcasa\u00BB in"},
                                    {{"--voce", "lista2", "lago", voce}, 2, "\u00ABlago\u00BB non c'è in lista2.txt"},
                                    {{"--voce", "lista2", "casa", "@/testo.jpg"}, 3, "non è un suono"},
                                    {{"--voce", "lista9", "casa", voce}, 1, "lista2, lista3, lista4 e lista5"},
                                    {{"--voce", "lista2", "casa"}, 1, "Uso:"}};
    QTest::newRow("back to the program's list") << Passi{{{"--aggiungi", "lista2", "lago", "@/foto.png"}, 0, ""},
                                                         {{"--ripristina", "lista2"}, 0, "copie"},
                                                         {{"--elenca", "lista2"}, 0, "la lista del programma"},
                                                         {{"--ripristina", "lista2"}, 2, "già quella del programma"}};
  }

  void passi() {
    QFETCH(Passi, passi);
    QTemporaryDir casa;
    QImage foto(800, 600, QImage::Format_RGB32);
    foto.fill(Qt::darkCyan);
    QVERIFY(foto.save(casa.filePath(QStringLiteral("foto.png"))));
    QFile testo(casa.filePath(QStringLiteral("testo.jpg")));
    QVERIFY(testo.open(QIODevice::WriteOnly));
    testo.write("la,go\r\n");
    testo.close();
    for (const Passo &passo : passi) {
      QStringList argomenti;
      for (const QString &a : passo.argomenti)
        argomenti << QString(a).replace(QLatin1Char('@'), casa.path());
      const Esecuzione e = esegui(casa.path(), argomenti);
      const QString cosa = argomenti.join(QLatin1Char(' ')) + QStringLiteral(" -> ") + e.uscita;
      QVERIFY2(e.codice == passo.codice, qPrintable(QString::number(e.codice) + QStringLiteral(": ") + cosa));
      QVERIFY2(e.uscita.contains(passo.frammento), qPrintable(cosa));
    }
    // Nothing written beside the program.
    QCOMPARE(leggi(QDir(CartellaProgramma).filePath(QStringLiteral("lista2.txt"))), listaProgramma_);
    QVERIFY(!QFileInfo::exists(QDir(CartellaProgramma).filePath(QStringLiteral("jpg/lago.jpg"))));
  }

  // The library from the command line: the picture's name first on each line,
  // the best first, the game's own drawing of a word before the library's.
  void cerca_data() {
    QTest::addColumn<QString>("parola");
    QTest::addColumn<QStringList>("prime");  // the first lines, whole
    QTest::newRow("the game's drawing, then Noto's and Fluent's")
        << "gatto" << QStringList{"gatto\tjpg/gatto.jpg", "gatto\tbiblioteca/noto/cat.png", "gatto\tbiblioteca/fluent/cat.png"};
    QTest::newRow("a plural, capitals") << "MELE" << QStringList{"mela\tjpg/mela.jpg", "mela rossa\tbiblioteca/noto/red-apple.png"};
    QTest::newRow("a word only the library has") << "panda"
                                                 << QStringList{"panda\tbiblioteca/noto/panda.png", "panda\tbiblioteca/fluent/panda.png"};
  }

  void cerca() {
    QFETCH(QString, parola);
    QFETCH(QStringList, prime);
    QTemporaryDir casa;
    const Esecuzione e = esegui(casa.path(), {QStringLiteral("--cerca"), parola});
    QVERIFY2(e.codice == 0, qPrintable(e.uscita));
    const QStringList righe = e.uscita.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(righe.mid(0, prime.size()), prime);
    // Every line names a picture the library ships.
    for (const QString &riga : righe)
      QVERIFY2(QFileInfo(QDir(CartellaProgramma).filePath(riga.section(QLatin1Char('\t'), 1))).isFile(), qPrintable(riga));
    QVERIFY(!QFileInfo::exists(casa.filePath(QStringLiteral("quirlo"))));
  }

  // A word added with a library picture: the JPEG and the list in the user
  // folder; a picture that is not there, or options that clash, change nothing.
  void disegno_data() {
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<int>("codice");
    QTest::addColumn<QString>("frammento");
    QTest::addColumn<QString>("sorgente");  // the library's picture the drawing is made of; none when refused
    QTest::newRow("by name") << QStringList{"--aggiungi", "lista2", "pan-da", "--disegno", "panda"} << 0
                             << "con il disegno \u00ABpanda\u00BB (biblioteca/noto/panda.png)"
                             << "biblioteca/noto/panda.png";
    QTest::newRow("by file") << QStringList{"--aggiungi", "lista2", "panda", "--disegno", "biblioteca/fluent/panda.png"}
                             << 0 << "(biblioteca/fluent/panda.png)" << "biblioteca/fluent/panda.png";
    QTest::newRow("a plural's singular") << QStringList{"--aggiungi", "lista2", "me-le", "--disegno", "Mele"} << 0
                                         << "\u00ABmela\u00BB (jpg/mela.jpg)" << "jpg/mela.jpg";
    QTest::newRow("no such picture") << QStringList{"--aggiungi", "lista2", "panda", "--disegno", "zzzz"} << 3
                                     << "--cerca" << "";
    QTest::newRow("a name only mentioned") << QStringList{"--aggiungi", "lista2", "panda", "--disegno", "felino"} << 3
                                           << "non c'è un disegno" << "";
    QTest::newRow("a file outside the library")
        << QStringList{"--aggiungi", "lista2", "panda", "--disegno", "../lista2.txt"} << 3 << "non c'è" << "";
    QTest::newRow("a photo and a picture") << QStringList{"--aggiungi", "lista2", "panda", "@/foto.png", "--disegno", "panda"}
                                           << 1 << "Uso:" << "";
    QTest::newRow("no picture named") << QStringList{"--aggiungi", "lista2", "panda", "--disegno"} << 1 << "Uso:" << "";
  }

  void disegno() {
    QFETCH(QStringList, argomenti);
    QFETCH(int, codice);
    QFETCH(QString, frammento);
    QFETCH(QString, sorgente);
    QTemporaryDir casa;
    QImage foto(80, 60, QImage::Format_RGB32);
    foto.fill(Qt::red);
    QVERIFY(foto.save(casa.filePath(QStringLiteral("foto.png"))));
    argomenti.replaceInStrings(QStringLiteral("@"), casa.path());
    const Esecuzione e = esegui(casa.path(), argomenti);
    QVERIFY2(e.codice == codice, qPrintable(QString::number(e.codice) + QStringLiteral(": ") + e.uscita));
    QVERIFY2(e.uscita.contains(frammento), qPrintable(e.uscita));
    const QString utente = casa.filePath(QStringLiteral("quirlo"));
    const QString parola = argomenti[2].remove(QLatin1Char('-'));
    const QString salvato = QDir(utente).filePath(QStringLiteral("jpg/%1.jpg").arg(parola));
    if (sorgente.isEmpty()) {
      QVERIFY(!QFileInfo::exists(utente));
      return;
    }
    QVERIFY(leggi(QDir(utente).filePath(QStringLiteral("lista2.txt"))).contains(argomenti[2].left(2).toUtf8() + ","));
    // The middle of the picture, in the frame's shape: what the photo's path makes of it.
    QImage disegno(salvato);
    QVERIFY2(!disegno.isNull(), qPrintable(salvato));
    QImage origine(QDir(CartellaProgramma).filePath(sorgente));
    QVERIFY(!origine.isNull());
    origine = origine.convertToFormat(QImage::Format_RGB32);
    const QSize parte = disegno.size().scaled(origine.size(), Qt::KeepAspectRatio);
    const QImage atteso = origine.copy(QRect(QPoint((origine.width() - parte.width()) / 2,
                                                     (origine.height() - parte.height()) / 2), parte))
                              .scaled(disegno.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QCOMPARE(disegno.width() * 5, disegno.height() * 6);  // the two-syllable lists' frame is 6:5
    qint64 differenza = 0;
    for (int y = 0; y < disegno.height(); y += 4)
      for (int x = 0; x < disegno.width(); x += 4) {
        const QRgb a = disegno.pixel(x, y), b = atteso.pixel(x, y);
        differenza += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
      }
    const double media = double(differenza) / ((disegno.width() / 4 + 1) * (disegno.height() / 4 + 1) * 3);
    QVERIFY2(media < 6, qPrintable(QString::number(media)));
  }

  // A user folder that can't be written: exit code 4, a sentence, the list as it was.
  void solaLettura() {
#ifdef Q_OS_UNIX
    QTemporaryDir casa;
    QImage foto(60, 50, QImage::Format_RGB32);
    foto.fill(Qt::red);
    QVERIFY(foto.save(casa.filePath(QStringLiteral("foto.png"))));
    QCOMPARE(esegui(casa.path(), {QStringLiteral("--aggiungi"), QStringLiteral("lista2"), QStringLiteral("lago"),
                                  casa.filePath(QStringLiteral("foto.png"))})
                 .codice,
             0);
    const QString utente = casa.filePath(QStringLiteral("quirlo"));
    const QByteArray prima = leggi(QDir(utente).filePath(QStringLiteral("lista2.txt")));
    // Root writes anywhere: run the program as nobody, for whom the folder is read-only.
    QStringList come;
    if (geteuid() == 0) {
      come = {QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
              QStringLiteral("--clear-groups")};
      QFile::setPermissions(casa.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                             QFile::ExeOther);
    }
    QFile::setPermissions(utente, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    const Esecuzione e = esegui(casa.path(), {QStringLiteral("--togli"), QStringLiteral("lista2"), QStringLiteral("casa")}, come);
    QFile::setPermissions(utente, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY2(e.codice == 4, qPrintable(QString::number(e.codice) + QStringLiteral(" ") + e.uscita));
    QVERIFY2(e.uscita.contains(QStringLiteral("non cambio niente")) || e.uscita.contains(QStringLiteral("non è stato toccato")),
             qPrintable(e.uscita));
    QCOMPARE(leggi(QDir(utente).filePath(QStringLiteral("lista2.txt"))), prima);
#else
    QSKIP("permissions are tried on POSIX systems");
#endif
  }
};

QUIRLO_TEST_GUILESS_MAIN(ProvaRigaDiComando)
#include "test_parole_riga.moc"
#include "ProvaMain.h"
