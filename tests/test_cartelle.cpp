#include "Accettazione.h"
#include "Banco.h"
#include "Dati.h"
#include "Gioco.h"
#include "Disegni.h"
#include "PiattaformaFinta.h"
#include "Piattaforma.h"
#include "ProvaMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using namespace quirlo;
using namespace quirlo::prova;

namespace {

const QList<QStringList> Parole = paroleBisillabe(12);
const QList<QStringList> DelProgramma = Parole.mid(0, 6);
const QList<QStringList> DellUtente = Parole.mid(6, 6);

QStringList unite(const QList<QStringList> &parole) {
  QStringList t;
  for (const QStringList &s : parole)
    t << s.join(QString());
  return t;
}

// A program folder with its lists and drawings, a user folder the test fills,
// and the scripted platform pointing at both.
struct BancoDueCartelle : Banco {
  CartellaDati &programma = d;
  CartellaDati utente;
  BancoDueCartelle() {
    programma.scriviLista(QStringLiteral("lista2.txt"), DelProgramma);
    f.utente = utente.percorso();
  }
  // 'u' or 'p' for each drawing path, by the folder it lies in.
  QString cartelleDi(const QStringList &disegni) const {
    QString s;
    for (const QString &d : disegni)
      s += d.startsWith(utente.percorso() + QLatin1Char('/'))         ? QLatin1Char('u')
           : d.startsWith(programma.percorso() + QLatin1Char('/')) ? QLatin1Char('p')
                                                                   : QLatin1Char('?');
    return s;
  }
};

using Prepara = std::function<void(BancoDueCartelle &)>;

}  // namespace

Q_DECLARE_METATYPE(Prepara)

class ProvaCartelle : public QObject {
  Q_OBJECT

 private slots:
  // Which list and which drawings the game takes, the user's folder first.
  void liste_data() {
    QTest::addColumn<Prepara>("prepara");
    QTest::addColumn<QStringList>("parole");
    QTest::addColumn<QString>("cartelle");  // where each word's drawing was found
    QTest::addColumn<int>("problema");      // -1: accepted

    const QStringList programma = unite(DelProgramma);
    const QStringList utente = unite(DellUtente);
    const int accettata = -1;
    QTest::newRow("no user folder") << Prepara([](BancoDueCartelle &b) {
      b.f.utente = b.utente.file(QStringLiteral("non-c-e"));
    }) << programma << QStringLiteral("pppppp") << accettata;
    QTest::newRow("no folder named") << Prepara([](BancoDueCartelle &b) { b.f.utente.clear(); }) << programma
                                     << QStringLiteral("pppppp") << accettata;
    QTest::newRow("empty user folder") << Prepara([](BancoDueCartelle &) {}) << programma << QStringLiteral("pppppp")
                                       << accettata;
    QTest::newRow("user's list and drawings") << Prepara([](BancoDueCartelle &b) {
      b.utente.scriviLista(QStringLiteral("lista2.txt"), DellUtente);
    }) << utente << QStringLiteral("uuuuuu") << accettata;
    QTest::newRow("user's list, program's drawings") << Prepara([](BancoDueCartelle &b) {
      b.utente.scriviLista(QStringLiteral("lista2.txt"), DelProgramma.mid(2, 4), false);
    }) << programma.mid(2, 4) << QStringLiteral("pppp") << accettata;
    QTest::newRow("user's drawing stands in for the program's") << Prepara([](BancoDueCartelle &b) {
      b.utente.scriviDisegno(unite(DelProgramma)[3]);
    }) << programma << QStringLiteral("pppupp") << accettata;
    QTest::newRow("user's drawing in other letter case still first") << Prepara([](BancoDueCartelle &b) {
      QString nome = unite(DelProgramma)[0];
      nome[0] = nome[0].toUpper();
      b.utente.scriviDisegno(nome);
    }) << programma << QStringLiteral("uppppp") << accettata;
    QTest::newRow("other user lists leave this one") << Prepara([](BancoDueCartelle &b) {
      b.utente.scriviLista(QStringLiteral("lista4.txt"), DellUtente);
    }) << programma << QStringLiteral("pppppp") << accettata;
    // A broken copy is the teacher's to mend: never swapped for the program's unawares.
    QTest::newRow("user's list broken") << Prepara([](BancoDueCartelle &b) {
      b.utente.scriviFile(QStringLiteral("lista2.txt"), "ca,sa\r\nlu\r\n");
    }) << QStringList() << QString() << int(Problema::SillabeIncomplete);
    QTest::newRow("user's list too short") << Prepara([](BancoDueCartelle &b) {
      b.utente.scriviLista(QStringLiteral("lista2.txt"), DellUtente.mid(0, 3));
    }) << QStringList() << QString() << int(Problema::TroppoPoche);
    QTest::newRow("user's word with no drawing anywhere") << Prepara([](BancoDueCartelle &b) {
      b.utente.scriviLista(QStringLiteral("lista2.txt"), DellUtente);
      b.utente.rimuovi(QStringLiteral("jpg/%1.jpg").arg(unite(DellUtente)[4]));
    }) << QStringList() << QString() << int(Problema::DisegniMancanti);
    QTest::newRow("a folder where the user's list should be") << Prepara([](BancoDueCartelle &b) {
      QDir(b.utente.percorso()).mkpath(QStringLiteral("lista2.txt"));
    }) << QStringList() << QString() << int(Problema::FileIlleggibile);
    QTest::newRow("user folder is the program folder") << Prepara([](BancoDueCartelle &b) {
      b.f.utente = b.programma.percorso() + QStringLiteral("/.");
    }) << programma << QStringLiteral("pppppp") << accettata;
  }

  void liste() {
    QFETCH(Prepara, prepara);
    QFETCH(QStringList, parole);
    QFETCH(QString, cartelle);
    QFETCH(int, problema);
    BancoDueCartelle b;
    prepara(b);
    const EsitoAccettazione e = accettaLista(cartelleDati(), QStringLiteral("\\lista2.txt"), 2, 4);
    if (problema >= 0) {
      QVERIFY(!e.lista);
      QVERIFY(e.rifiuto);
      QCOMPARE(int(e.rifiuto->problema), problema);
      QCOMPARE(e.rifiuto->nomeFile, QStringLiteral("lista2.txt"));
      return;
    }
    QVERIFY2(e.lista, e.rifiuto ? qPrintable(e.rifiuto->messaggio()) : "");
    QStringList lette;
    for (const Parola &p : e.lista->parole)
      lette << p.testo();
    QCOMPARE(lette, parole);
    QCOMPARE(b.cartelleDi(e.lista->disegni), cartelle);
  }

  // Every mix of exact and other-case names in the two folders: the user's
  // folder is tried whole before the program's.
  void ordineDisegni_data() {
    QTest::addColumn<int>("presenti");  // bits: user exact, user other case, program exact, program other case
    QTest::addColumn<QString>("atteso");
    const char *nomi[] = {"u/casa", "u/Casa", "p/casa", "p/Casa"};
    for (int presenti = 0; presenti < 16; ++presenti) {
      int primo = 0;
      while (primo < 4 && !(presenti & (1 << primo)))
        ++primo;
      QTest::addRow("%d", presenti) << presenti << (primo < 4 ? QString::fromLatin1(nomi[primo]) : QString());
    }
  }

  void ordineDisegni() {
    QFETCH(int, presenti);
    QFETCH(QString, atteso);
    CartellaDati u;
    CartellaDati p;
    if (presenti & 1)
      u.scriviDisegno(QStringLiteral("casa"));
    if (presenti & 2)
      u.scriviDisegno(QStringLiteral("Casa"));
    if (presenti & 4)
      p.scriviDisegno(QStringLiteral("casa"));
    if (presenti & 8)
      p.scriviDisegno(QStringLiteral("Casa"));
    const QString trovato = DisegniCercati({u.percorso(), p.percorso()}).percorso(QStringLiteral("casa"));
    if (atteso.isEmpty()) {
      QCOMPARE(trovato, QString());
      return;
    }
    const CartellaDati &dove = atteso.startsWith(QLatin1Char('u')) ? u : p;
    // On a file system that ignores case both names are one file: only the folder can be told.
    if ((presenti & 3) == 3 || (presenti & 12) == 12)
      QVERIFY2(trovato.compare(dove.file(QStringLiteral("jpg/") + atteso.mid(2) + QStringLiteral(".jpg")),
                               Qt::CaseInsensitive) == 0,
               qPrintable(trovato));
    else
      QCOMPARE(trovato, dove.file(QStringLiteral("jpg/") + atteso.mid(2) + QStringLiteral(".jpg")));
  }

  // The window itself: the user's list is what the child plays, with its drawings.
  void laFinestraLeggeLaCartellaUtente() {
    BancoDueCartelle b;
    b.utente.scriviLista(QStringLiteral("lista2.txt"), DellUtente);
    b.f.numeri = {0.01, 0.2, 0.4, 0.6, 0.0};
    DISEGNI1 w;
    QVERIFY(w.Form_Load());
    QCOMPARE(int(Globali::NumeroParole), int(DellUtente.size()));
    QVERIFY(aspettaDisegni(w));
    QCOMPARE(b.f.immagini.size(), 4);
    QCOMPARE(b.cartelleDi(b.f.immagini), QStringLiteral("uuuu"));
    const QStringList utente = unite(DellUtente);
    for (int k = 0; k < 4; ++k)
      QVERIFY(utente.contains(w.Sillaba(0, w.Scelta(k)) + w.Sillaba(1, w.Scelta(k))));
  }

  // A refused list of the user's own says where it is, so the teacher mends
  // that copy; the program's list is refused as it always was.
  void rifiutoDellaCopia_data() {
    QTest::addColumn<bool>("copia");
    QTest::newRow("user's copy") << true;
    QTest::newRow("program's list") << false;
  }

  void rifiutoDellaCopia() {
    QFETCH(bool, copia);
    BancoDueCartelle b;
    const CartellaDati &rotta = copia ? b.utente : b.programma;
    rotta.scriviLista(QStringLiteral("lista2.txt"), DelProgramma.mid(0, 2));
    DISEGNI1 w;
    QVERIFY(!w.Form_Load());
    QCOMPARE(b.f.messaggi.size(), 1);
    const QString testo = b.f.messaggi.first().testo;
    QVERIFY2(testo.contains(QStringLiteral("lista2.txt")), qPrintable(testo));
    const QString dove =
        QStringLiteral("cartella personale, \u00AB%1\u00BB").arg(QDir::toNativeSeparators(b.utente.percorso()));
    QCOMPARE(testo.contains(dove), copia);
  }

  // The teacher's copy that can't be read is hers, not the program's; her
  // folder's name reaches the box with its control and direction marks escaped.
  void copiaNelMessaggio_data() {
    QTest::addColumn<QString>("sottocartella");  // of the user's folder, used as the user's folder
    QTest::addColumn<bool>("illeggibile");       // a folder in place of the list, else a list too short
    QTest::addColumn<QString>("nomeMostrato");
    const bool windows = QSysInfo::productType() == QLatin1String("windows");
    QTest::newRow("list that can't be read") << QString() << true << QString();
    // NTFS allows no control character in a name.
    QTest::newRow("marks in the folder's name")
        << (windows ? QStringLiteral("maestra\u202Eotip\u2028x") : QStringLiteral("maestra\x1b[31m\u202Eotip\u2028x"))
        << false
        << (windows ? QStringLiteral("maestra\\u202eotip\\u2028x") : QStringLiteral("maestra\\x1b[31m\\u202eotip\\u2028x"));
  }
  void copiaNelMessaggio() {
    QFETCH(QString, sottocartella);
    QFETCH(bool, illeggibile);
    QFETCH(QString, nomeMostrato);
    BancoDueCartelle b;
    QString utente = b.utente.percorso();
    if (!sottocartella.isEmpty()) {
      QVERIFY(QDir(utente).mkdir(sottocartella));
      utente = QDir(utente).filePath(sottocartella);
      b.f.utente = utente;
    }
    if (illeggibile)
      QVERIFY(QDir(utente).mkdir(QStringLiteral("lista2.txt")));
    else {
      QFile lista(QDir(utente).filePath(QStringLiteral("lista2.txt")));
      QVERIFY(lista.open(QIODevice::WriteOnly));
      lista.write("ca,sa\r\n");
    }
    DISEGNI1 w;
    QVERIFY(!w.Form_Load());
    QCOMPARE(b.f.messaggi.size(), 1);
    const QString testo = b.f.messaggi.first().testo;
    QVERIFY2(testo.contains(QStringLiteral("cartella personale")), qPrintable(testo));
    QVERIFY2(!testo.contains(QStringLiteral("nella cartella del programma")), qPrintable(testo));
    if (illeggibile)
      QVERIFY2(testo.contains(QStringLiteral("permessi")), qPrintable(testo));
    if (!nomeMostrato.isEmpty())
      QVERIFY2(testo.contains(nomeMostrato), qPrintable(testo));
    for (const QChar c : testo)
      QVERIFY2(c == QLatin1Char('\n') || (c.unicode() >= 0x20 && c.unicode() != 0x202E && c.unicode() != 0x2028),
               qPrintable(QString::number(c.unicode(), 16)));
  }

  // ~/.local/share/quirlo (under $XDG_DATA_HOME when set) on Linux, %APPDATA%\Quirlo
  // on Windows: the name is the game's, whatever the program that asks (the game
  // or its checker).
  void cartellaDelSistema() {
    const bool windows = QSysInfo::productType() == QLatin1String("windows");
    const char *variabile = windows ? "APPDATA" : "XDG_DATA_HOME";
    QTemporaryDir casa;
    const QByteArray prima = qgetenv(variabile);
    qputenv(variabile, QFile::encodeName(casa.path()));
    const QString cartella = cartellaUtenteDelSistema();
    qputenv(variabile, prima);
    QCOMPARE(cartella, QDir(casa.path()).filePath(windows ? QStringLiteral("Quirlo") : QStringLiteral("quirlo")));
    QVERIFY(!QFileInfo::exists(cartella));  // looked for, never made
  }
};

QUIRLO_TEST_MAIN(ProvaCartelle)
#include "test_cartelle.moc"
