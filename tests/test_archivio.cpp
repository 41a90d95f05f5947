// Saving a teacher's list never loses anything: only the user folder is
// written, every version before is kept, a list the game would refuse is not
// saved over one it takes, and a change made meanwhile elsewhere is noticed.
#include "Archivio.h"
#include "Copie.h"
#include "Dati.h"
#include "Operazioni.h"
#include "Riparazioni.h"
#include "ProvaMain.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace quirlo;
using namespace quirlo::editor;
using namespace quirlo::prova;

namespace {

const catalogo::Lista &Lista2 = *catalogo::listaDaNome(u"lista2");

// Everything under a folder, path and content, to tell it was not touched.
QByteArray impronta(const QString &cartella) {
  QCryptographicHash h(QCryptographicHash::Sha256);
  QDirIterator it(cartella, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  QStringList tutti;
  while (it.hasNext())
    tutti << it.next();
  tutti.sort();
  for (const QString &f : tutti) {
    QFile file(f);
    file.open(QIODevice::ReadOnly);
    h.addData(f.toUtf8());
    h.addData(file.readAll());
  }
  return h.result();
}

QByteArray leggi(const QString &percorso) {
  QFile f(percorso);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList testi(const ListaAperta &a) {
  QStringList t;
  for (const Parola &p : a.parole)
    t << p.testo();
  return t;
}

struct Banco {
  CartellaDati programma;
  QTemporaryDir casa;
  Cartelle cartelle;
  Banco() : cartelle{casa.filePath(QStringLiteral("quirlo")), programma.percorso()} {
    programma.scriviLista(QStringLiteral("lista2.txt"), paroleBisillabe(5));
    programma.scriviDisegno(QStringLiteral("lago"));
    programma.scriviDisegno(QStringLiteral("mare"));
  }
  QString utente(const QString &r) const { return QDir(cartelle.utente).filePath(r); }
};

}  // namespace

class ProvaArchivio : public QObject {
  Q_OBJECT

 private slots:
  // The first change writes the teacher's list in her folder, made when
  // missing, as the game reads it and Notepad shows it; the program's folder
  // stays as it was.
  void primaModifica() {
    Banco b;
    const QByteArray programma = impronta(b.programma.percorso());
    ListaAperta a = apriLista(b.cartelle, Lista2);
    QVERIFY(!a.dellUtente);
    QCOMPARE(a.contaParole(), 5);
    const Esito e = aggiungi(b.cartelle, a, {QStringLiteral("la"), QStringLiteral("go")});
    QVERIFY2(e.riuscito(), qPrintable(e.messaggio));
    QVERIFY(a.dellUtente);
    QCOMPARE(impronta(b.programma.percorso()), programma);
    const QByteArray scritto = leggi(b.utente(QStringLiteral("lista2.txt")));
    QVERIFY(scritto.endsWith("la,go\r\n"));
    QCOMPARE(scritto.count("\r\n"), 6);
    QCOMPARE(scritto.count('\n'), 6);
    QCOMPARE(testi(apriLista(b.cartelle, Lista2)), testi(a));
    QVERIFY(copie(b.cartelle.utente, QStringLiteral("lista2.txt")).isEmpty());
  }

  // Each save keeps the version before it; the newest ten are kept.
  void copieTenute() {
    Banco b;
    ListaAperta a = apriLista(b.cartelle, Lista2);
    QVERIFY(aggiungi(b.cartelle, a, {QStringLiteral("la"), QStringLiteral("go")}).riuscito());
    QByteArray prima;
    for (int i = 0; i < 12; ++i) {
      prima = leggi(b.utente(QStringLiteral("lista2.txt")));
      const QStringList sillabe = i % 2 ? QStringList{QStringLiteral("la"), QStringLiteral("go")}
                                        : QStringList{QStringLiteral("l"), QStringLiteral("ago")};
      QVERIFY(cambia(b.cartelle, a, 5, sillabe).riuscito());
    }
    const QStringList tenute = copie(b.cartelle.utente, QStringLiteral("lista2.txt"));
    QCOMPARE(tenute.size(), CopieTenute);
    QCOMPARE(leggi(tenute.first()), prima);
  }

  // What the game would refuse is not saved over a list it takes, in one sentence.
  void rifiuti_data() {
    QTest::addColumn<int>("parole");  // in the program's list
    QTest::addColumn<QString>("azione");
    QTest::addColumn<QString>("frase");
    QTest::newRow("fewer than an exercise needs") << 4 << "togli" << "almeno 4 parole";
    QTest::newRow("no drawing") << 5 << "senza disegno" << "non ha ancora un disegno";
    QTest::newRow("101 words") << 100 << "aggiungi" << "già 100 parole";
    QTest::newRow("three syllables") << 5 << "tre sillabe" << "ne ha 2";
    QTest::newRow("already there") << 5 << "doppia" << "c'è già";
  }

  void rifiuti() {
    QFETCH(int, parole);
    QFETCH(QString, azione);
    QFETCH(QString, frase);
    Banco b;
    b.programma.scriviLista(QStringLiteral("lista2.txt"), paroleBisillabe(parole));
    ListaAperta a = apriLista(b.cartelle, Lista2);
    QVERIFY(!a.rifiuto);
    Esito e;
    if (azione == QLatin1String("togli"))
      e = togli(b.cartelle, a, 0);
    else if (azione == QLatin1String("senza disegno"))
      e = aggiungi(b.cartelle, a, {QStringLiteral("ra"), QStringLiteral("mo")});
    else if (azione == QLatin1String("tre sillabe"))
      e = aggiungi(b.cartelle, a, {QStringLiteral("la"), QStringLiteral("g"), QStringLiteral("o")});
    else if (azione == QLatin1String("doppia"))
      e = aggiungi(b.cartelle, a, paroleBisillabe(1).first());
    else
      e = aggiungi(b.cartelle, a, {QStringLiteral("la"), QStringLiteral("go")});
    QCOMPARE(e.tipo, Esito::Rifiutato);
    QVERIFY2(e.messaggio.contains(frase), qPrintable(e.messaggio));
    QVERIFY(!QFileInfo::exists(b.cartelle.utente));
    QCOMPARE(a.contaParole(), parole);
  }

  // A list broken by hand may be saved while it is being mended.
  void riparazione() {
    Banco b;
    QList<QStringList> parole = paroleBisillabe(5);
    parole.insert(2, {QStringLiteral("ra"), QStringLiteral("mo")});
    parole.insert(4, {QStringLiteral("ne"), QStringLiteral("ve")});
    CartellaDati utente;
    b.cartelle.utente = utente.percorso();
    utente.scriviLista(QStringLiteral("lista2.txt"), parole, false);
    ListaAperta a = apriLista(b.cartelle, Lista2);
    QVERIFY(a.dellUtente && a.rifiuto);
    Esito e = togli(b.cartelle, a, indiceDi(a, QStringLiteral("ramo")));
    QCOMPARE(e.tipo, Esito::Fatto);
    QVERIFY(e.messaggio.contains(QStringLiteral("non la userà ancora")));
    e = togli(b.cartelle, a, indiceDi(a, QStringLiteral("NEVE")));
    QCOMPARE(e.tipo, Esito::Fatto);
    QVERIFY(e.messaggio.isEmpty());
    QVERIFY(!a.rifiuto);
  }

  // Two editors at once, or the editor and a hand edit: the second save asks.
  void cambiataSulDisco_data() {
    QTest::addColumn<bool>("aMano");
    QTest::newRow("another editor") << false;
    QTest::newRow("by hand") << true;
  }

  void cambiataSulDisco() {
    QFETCH(bool, aMano);
    Banco b;
    ListaAperta primo = apriLista(b.cartelle, Lista2);
    QVERIFY(aggiungi(b.cartelle, primo, {QStringLiteral("la"), QStringLiteral("go")}).riuscito());
    ListaAperta secondo = apriLista(b.cartelle, Lista2);
    if (aMano) {
      QFile f(b.utente(QStringLiteral("lista2.txt")));
      QVERIFY(f.open(QIODevice::Append));
      f.write("ma,re\r\n");
    } else {
      QVERIFY(aggiungi(b.cartelle, primo, {QStringLiteral("ma"), QStringLiteral("re")}).riuscito());
    }
    const QByteArray loro = leggi(b.utente(QStringLiteral("lista2.txt")));
    Esito e = togli(b.cartelle, secondo, 0);
    QCOMPARE(e.tipo, Esito::CambiataSulDisco);
    QCOMPARE(leggi(b.utente(QStringLiteral("lista2.txt"))), loro);
    // Saved anyway, the other version is among the copies.
    e = togli(b.cartelle, secondo, 0, true);
    QVERIFY(e.riuscito());
    QCOMPARE(leggi(copie(b.cartelle.utente, QStringLiteral("lista2.txt")).first()), loro);
  }

  // A folder that can't be written: the save fails with a sentence, the old list stays.
  void solaLettura() {
#ifdef Q_OS_UNIX
    if (geteuid() == 0)
      QSKIP("root writes anywhere: the command-line test checks this as another user");
#endif
    Banco b;
    ListaAperta a = apriLista(b.cartelle, Lista2);
    QVERIFY(aggiungi(b.cartelle, a, {QStringLiteral("la"), QStringLiteral("go")}).riuscito());
    const QByteArray prima = leggi(b.utente(QStringLiteral("lista2.txt")));
#ifdef Q_OS_WIN
    // Windows ignores a folder's read-only mark; a read-only file it keeps.
    const QString bloccato = b.utente(QStringLiteral("lista2.txt"));
    const auto sbloccato = QFile::ReadOwner | QFile::WriteOwner;
#else
    const QString bloccato = b.cartelle.utente;
    const auto sbloccato = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
#endif
    QFile::setPermissions(bloccato, QFile::ReadOwner | QFile::ExeOwner);
    const Esito e = togli(b.cartelle, a, 0);
    QFile::setPermissions(bloccato, sbloccato);
    QCOMPARE(e.tipo, Esito::NonScritto);
    QVERIFY2(e.messaggio.contains(QStringLiteral("non è stato toccato")) || e.messaggio.contains(QStringLiteral("copia")),
             qPrintable(e.messaggio));
    QCOMPARE(leggi(b.utente(QStringLiteral("lista2.txt"))), prima);
  }

  // Something that is no file where the list goes: nothing written, a sentence.
  void cartellaAlPostoDellaLista() {
    Banco b;
    QVERIFY(QDir().mkpath(b.utente(QStringLiteral("lista2.txt"))));
    ListaAperta a = apriLista(b.cartelle, Lista2);
    QVERIFY(a.rifiuto);
    const Esito e = aggiungi(b.cartelle, a, {QStringLiteral("la"), QStringLiteral("go")});
    QCOMPARE(e.tipo, Esito::NonScritto);
    QVERIFY(QFileInfo(b.utente(QStringLiteral("lista2.txt"))).isDir());
  }

  // No user folder named by the system: nothing written anywhere, least of all
  // in the folder the program was started from.
  void senzaCartellaUtente() {
    Banco b;
    b.cartelle.utente.clear();
    QTemporaryDir qui;
    const QString prima = QDir::currentPath();
    QDir::setCurrent(qui.path());
    ListaAperta a = apriLista(b.cartelle, Lista2);
    const Esito aggiunta = aggiungi(b.cartelle, a, {QStringLiteral("la"), QStringLiteral("go")});
    const Esito cambiata = cambia(b.cartelle, a, 0, {QStringLiteral("ca"), QStringLiteral("ne")});
    QDir::setCurrent(prima);
    QCOMPARE(aggiunta.tipo, Esito::NonScritto);
    QCOMPARE(cambiata.tipo, Esito::NonScritto);
    QVERIFY(QDir(qui.path()).isEmpty());
  }

  // Back to the program's list: hers is kept among the copies.
  void ripristino() {
    Banco b;
    ListaAperta a = apriLista(b.cartelle, Lista2);
    QCOMPARE(ripristina(b.cartelle, a).tipo, Esito::Rifiutato);
    QVERIFY(aggiungi(b.cartelle, a, {QStringLiteral("la"), QStringLiteral("go")}).riuscito());
    const QByteArray sua = leggi(b.utente(QStringLiteral("lista2.txt")));
    QVERIFY(ripristina(b.cartelle, a).riuscito());
    QVERIFY(!a.dellUtente);
    QCOMPARE(a.contaParole(), 5);
    QVERIFY(!QFileInfo::exists(b.utente(QStringLiteral("lista2.txt"))));
    QCOMPARE(leggi(copie(b.cartelle.utente, QStringLiteral("lista2.txt")).first()), sua);
  }

  // Mended by the editor: a drawing saved as PNG becomes the JPEG the game
  // looks for, a list divided with hyphens gets commas; the files found stay.
  void riparazioni() {
    Banco b;
    QImage png(60, 50, QImage::Format_RGB32);
    png.fill(Qt::blue);
    const QString bi1 = paroleBisillabe(5)[1].join(QString());
    b.programma.rimuovi(QStringLiteral("jpg/%1.jpg").arg(bi1));
    QVERIFY(png.save(b.programma.file(QStringLiteral("jpg/%1.png").arg(bi1))));
    b.programma.scriviFile(QStringLiteral("lista4.txt"), "la-go\r\nma - re\r\n" + QByteArray("ca,sa\r\nlu-na\r\n"));
    b.programma.scriviDisegno(QStringLiteral("casa"));
    b.programma.scriviDisegno(QStringLiteral("luna"));
    const QByteArray programma = impronta(b.programma.percorso());
    QVERIFY(qualcosaDaRiparare(b.cartelle));
    const Riparazione disegni = riparaDisegni(b.cartelle);
    QCOMPARE(disegni.fatte.size(), 1);
    QVERIFY(disegni.errori.isEmpty());
    QCOMPARE(QImage(b.utente(QStringLiteral("jpg/%1.jpg").arg(bi1))).size(), QSize(60, 50));
    QVERIFY(!apriLista(b.cartelle, Lista2).rifiuto);
    const catalogo::Lista &lista4 = *catalogo::listaDaNome(u"lista4");
    QVERIFY(apriLista(b.cartelle, lista4).rifiuto);
    const Riparazione trattini = riparaTrattini(b.cartelle, lista4);
    QVERIFY2(trattini.errori.isEmpty(), qPrintable(trattini.errori.join(QLatin1Char(' '))));
    QCOMPARE(leggi(b.utente(QStringLiteral("lista4.txt"))), QByteArray("la,go\r\nma,re\r\nca,sa\r\nlu,na\r\n"));
    QVERIFY(!apriLista(b.cartelle, lista4).rifiuto);
    QVERIFY(!qualcosaDaRiparare(b.cartelle));
    QCOMPARE(impronta(b.programma.percorso()), programma);
  }

  // A line that is no word of the list's syllables even with its hyphens read
  // as commas: nothing is rewritten, the line is named.
  void riparazioneImpossibile() {
    Banco b;
    b.programma.scriviFile(QStringLiteral("lista4.txt"), "la-go\r\nma-re-a\r\nca,sa\r\nlu-na\r\n");
    const Riparazione r = riparaTrattini(b.cartelle, *catalogo::listaDaNome(u"lista4"));
    QVERIFY(r.fatte.isEmpty());
    QCOMPARE(r.errori.size(), 1);
    QVERIFY2(r.errori[0].contains(QStringLiteral("riga 2")), qPrintable(r.errori[0]));
    QVERIFY(!QFileInfo::exists(b.cartelle.utente));
  }

  // A word spelt anew takes its drawing along.
  void correzione() {
    Banco b;
    ListaAperta a = apriLista(b.cartelle, Lista2);
    QVERIFY(aggiungi(b.cartelle, a, {QStringLiteral("la"), QStringLiteral("go")}).riuscito());
    QVERIFY(cambia(b.cartelle, a, 5, {QStringLiteral("la"), QStringLiteral("ghi")}).riuscito());
    QCOMPARE(leggi(disegnoDi(b.cartelle, QStringLiteral("laghi"))), leggi(b.programma.file(QStringLiteral("jpg/lago.jpg"))));
    QCOMPARE(testi(a).last(), QStringLiteral("laghi"));
  }
};

QUIRLO_TEST_MAIN(ProvaArchivio)
#include "test_archivio.moc"
