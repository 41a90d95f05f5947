// A program folder turned hostile on a POSIX system: FIFOs where files should
// be, drawings nobody may open, files that say they are small and are not.
// Nothing blocks, nothing is read past its bound, each gets its own message.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTest>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "Accettazione.h"
#include "Dati.h"
#include "Disegni.h"
#include "Gioco.h"
#include "Immagini.h"
#include "Piattaforma.h"
#include "PiattaformaFinta.h"
#include "Verifica.h"
#include "Widgets.h"
#include "ProvaMain.h"

using namespace quirlo;
using namespace quirlo::prova;

namespace {

const QString Fine = QStringLiteral("\n\nLa lista non è stata caricata.");

// Whoever stays blocked opening the FIFO for reading for two seconds is set
// free by opening its other end, and the test is told: it fails instead of
// hanging until ctest gives up on it.
class Soccorso {
 public:
  explicit Soccorso(const QString &fifo) : fifo_(QFile::encodeName(fifo)), filo_([this] { veglia(); }) {}
  ~Soccorso() { fine(); }
  // True when someone had to be set free.
  bool fine() {
    {
      std::lock_guard<std::mutex> l(m_);
      finito_ = true;
    }
    cv_.notify_all();
    if (filo_.joinable())
      filo_.join();
    return liberato_;
  }

 private:
  void veglia() {
    std::unique_lock<std::mutex> l(m_);
    if (cv_.wait_for(l, std::chrono::seconds(2), [this] { return finito_; }))
      return;
    while (!finito_) {
      const int fd = ::open(fifo_.constData(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) {  // a reader was waiting
        liberato_ = true;
        ::close(fd);
      }
      cv_.wait_for(l, std::chrono::milliseconds(50), [this] { return finito_; });
    }
  }

  const QByteArray fifo_;
  std::mutex m_;
  std::condition_variable cv_;
  bool finito_ = false;
  std::atomic<bool> liberato_{false};
  std::thread filo_;
};

void faiFifo(const CartellaDati &d, const QString &relativo) {
  d.rimuovi(relativo);
  QCOMPARE(::mkfifo(QFile::encodeName(d.file(relativo)).constData(), 0600), 0);
}

// Bytes this process has read so far, through any call.
qint64 byteLetti() {
  QFile io(QStringLiteral("/proc/self/io"));
  if (!io.open(QIODevice::ReadOnly))
    return -1;
  for (const QByteArray &riga : io.readAll().split('\n'))
    if (riga.startsWith("rchar:"))
      return riga.mid(6).trimmed().toLongLong();
  return -1;
}

// For as long as it lives, the process acts as a user who is not root (root
// may open any file whatever its permissions).
class ComeUtente {
 public:
  ComeUtente() {
    if (::geteuid() == 0)
      cambiato_ = ::seteuid(65534) == 0;
  }
  ~ComeUtente() {
    if (cambiato_ && ::seteuid(0) != 0)
      qFatal("cannot become root again");
  }
  bool pronto() const { return ::geteuid() != 0; }

 private:
  bool cambiato_ = false;
};

}  // namespace

class ProvaCartellaOstile : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    Globali::NumeroEsatti = 0;
    Globali::NumeroErrati = 0;
  }

  // A FIFO in place of a list or a drawing, before the list is read or after
  // it was accepted: refused or left empty, at once.
  void fifo_data() {
    QTest::addColumn<QString>("dove");
    QTest::addColumn<bool>("dopo");  // made a FIFO once the exercise is on screen
    QTest::newRow("lista") << QStringLiteral("lista2.txt") << false;
    QTest::newRow("disegno, prima del caricamento") << QStringLiteral("jpg/%1.jpg") << false;
    QTest::newRow("disegno, dopo il caricamento") << QStringLiteral("jpg/%1.jpg") << true;
  }
  void fifo() {
    QFETCH(QString, dove);
    QFETCH(bool, dopo);
    PiattaformaInstallata p;
    CartellaDati d;
    p.finta.cartella = d.percorso();
    const QList<QStringList> parole = paroleBisillabe(4);
    d.scriviLista(QStringLiteral("lista2.txt"), parole);
    const QString relativo = dove.contains(QLatin1String("%1")) ? dove.arg(parole[3].join(QString())) : dove;
    if (!dopo)
      faiFifo(d, relativo);
    Soccorso soccorso(d.file(relativo));
    DISEGNI1 w;
    p.finta.numeri = {perRecord(1, 4), perRecord(2, 4), perRecord(3, 4), perRecord(4, 4), perRiga(0)};
    const bool caricata = w.Form_Load();
    if (!dopo) {
      QVERIFY(!caricata);
      QCOMPARE(p.finta.messaggi.size(), 1);
    } else {
      QVERIFY(caricata);
      faiFifo(d, relativo);
      // The drop that completes the exercise builds the next one, with that drawing.
      p.finta.numeri = QList<double>(8, 0.0);
      p.finta.numeri.append({perRecord(1, 4), perRecord(2, 4), perRecord(3, 4), perRecord(4, 4), perRiga(1)});
      completa(w);
      QCOMPARE(Globali::NumeroEsatti, 1);
      QVERIFY(aspettaDisegni(w));
      QVERIFY(w.cornice(3)->immagine().isNull());
      QVERIFY(!w.cornice(0)->immagine().isNull());
      Globali::NumeroEsatti = 0;
    }
    QVERIFY2(!soccorso.fine(), "the game blocked opening a FIFO");
  }

  // A drawing its user may not open: the box says so, and so does the checker.
  void disegnoSenzaPermessi() {
    PiattaformaInstallata p;
    CartellaDati d;
    p.finta.cartella = d.percorso();
    const QList<QStringList> parole = paroleBisillabe(4);
    d.scriviLista(QStringLiteral("lista2.txt"), parole);
    const QString parola = parole[2].join(QString());
    const QString disegno = d.file(QStringLiteral("jpg/%1.jpg").arg(parola));
    // The folders open to all (the user keeps root's group).
    const auto aperta = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                        QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QVERIFY(QFile::setPermissions(d.percorso(), aperta));
    QVERIFY(QFile::setPermissions(d.file(QStringLiteral("jpg")), aperta));
    QVERIFY(QFile::setPermissions(disegno, {}));
    verifica::Rapporto rapporto;
    {
      ComeUtente utente;
      if (!utente.pronto())
        QSKIP("cannot act as a user without root's rights here");
      DISEGNI1 w;
      QVERIFY(!w.Form_Load());
      rapporto = verifica::verificaCartella(d.percorso());
    }
    QCOMPARE(p.finta.messaggi.size(), 1);
    QCOMPARE(p.finta.messaggi[0].testo,
             QStringLiteral("Alcune parole della lista «lista2.txt» non hanno un disegno che si possa mostrare:\n"
                            "- %1: il file jpg/%1.jpg non si può aprire (controlla i suoi permessi)")
                     .arg(parola) +
                 Fine);
    bool trovato = false;
    for (const verifica::Segnalazione &s : rapporto.segnalazioni)
      if (s.difetto == verifica::Difetto::DisegnoNonApribile) {
        trovato = true;
        QCOMPARE(s.file, QStringLiteral("lista2.txt"));
        QCOMPARE(s.riga, 3);
        QVERIFY2(s.testo.contains(QStringLiteral("permessi")), qPrintable(s.testo));
      }
    QVERIFY(trovato);
    QVERIFY(QFile::setPermissions(disegno, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
  }

  // A user's folder nobody but its owner may enter (mode 0000), with a list of
  // her own inside: the program's lists are what the game can use, and the
  // teacher is told so, once in the game and in the checker.
  void cartellaUtenteIlleggibile() {
    PiattaformaInstallata p;
    CartellaDati programma, utente;
    p.finta.cartella = programma.percorso();
    p.finta.utente = utente.percorso();
    programma.scriviLista(QStringLiteral("lista2.txt"), paroleBisillabe(4));
    programma.scriviLista(QStringLiteral("lista4.txt"), paroleBisillabe(4));
    utente.scriviLista(QStringLiteral("lista2.txt"), paroleBisillabe(7).mid(2));
    const auto aperta = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                        QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QVERIFY(QFile::setPermissions(programma.percorso(), aperta));
    QVERIFY(QFile::setPermissions(programma.file(QStringLiteral("jpg")), aperta));
    QVERIFY(QFile::setPermissions(utente.percorso(), {}));
    CartelleDati dati;
    verifica::Rapporto rapporto;
    {
      ComeUtente come;
      if (!come.pronto())
        QSKIP("cannot act as a user without root's rights here");
      dati = trovaCartelleDati(utente.percorso(), programma.percorso());
      p.finta.numeri = {perRecord(1, 4), perRecord(2, 4), perRecord(3, 4), perRecord(4, 4), perRiga(0)};
      DISEGNI1 w;
      QVERIFY(w.Form_Load());
      p.finta.numeri = {perRecord(1, 4), perRecord(2, 4), perRecord(3, 4), perRecord(4, 4), perRiga(0)};
      w.mnudifficile_Click();
      rapporto = verifica::verificaCartelleDati(dati);
    }
    QVERIFY(QFile::setPermissions(utente.percorso(), aperta));
    QCOMPARE(dati.cartelle, QStringList{programma.percorso()});
    QCOMPARE(dati.utenteIlleggibile, utente.percorso());
    QCOMPARE(p.finta.messaggi.size(), 1);
    QVERIFY2(p.finta.messaggi[0].testo.contains(utente.percorso()) &&
                 p.finta.messaggi[0].testo.contains(QStringLiteral("permessi")),
             qPrintable(p.finta.messaggi[0].testo));
    QCOMPARE(int(Globali::NumeroParole), 4);  // the program's list
    QVERIFY(!rapporto.segnalazioni.isEmpty());
    QCOMPARE(rapporto.segnalazioni[0].difetto, verifica::Difetto::CartellaIlleggibile);
    QCOMPARE(rapporto.segnalazioni[0].gravita, verifica::Gravita::Errore);
    QVERIFY(verifica::formatta(rapporto.segnalazioni[0]).startsWith(QStringLiteral("[ERRORE] non riesco a leggere")));
  }

  // A file that says it is empty and holds megabytes (as one growing while it
  // is checked would): read no further than the bound.
  void letturaLimitata() {
    const QString lungo = QStringLiteral("/proc/kallsyms");
    QFile prova(lungo);
    if (!prova.open(QIODevice::ReadOnly) || prova.size() != 0 || prova.read(4 << 20).size() < (4 << 20) ||
        byteLetti() < 0)
      QSKIP("no file here that says it is empty and holds megabytes");
    prova.close();
    CartellaDati d;
    d.scriviDisegno(QStringLiteral("casa"));
    QVERIFY(immagineLeggibile(d.file(QStringLiteral("jpg/casa.jpg"))));  // image plugins loaded beforehand
    QVERIFY(QFile::link(lungo, d.file(QStringLiteral("jpg/simboli.jpg"))));
    const qint64 prima = byteLetti();
    QVERIFY(!immagineLeggibile(d.file(QStringLiteral("jpg/simboli.jpg"))));
    const qint64 letti = byteLetti() - prima;
    QVERIFY2(letti <= (1 << 20) + (256 << 10), qPrintable(QString::number(letti)));
  }
};

QUIRLO_TEST_MAIN(ProvaCartellaOstile)
#include "test_cartella_ostile.moc"
