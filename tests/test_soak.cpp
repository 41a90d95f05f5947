// Hours at a school PC in a few seconds: thousands of exercises played through
// the real handlers, lists and letter case switched as a teacher would, wrong
// drops mixed in. Nothing may leak, and the counters show exactly what was played.
#include "Dati.h"
#include "Disegni.h"
#include "Gioco.h"
#include "PiattaformaFinta.h"
#include "ProvaMain.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <algorithm>
#include <functional>
#include <random>
#include <unistd.h>

using namespace quirlo;
using namespace quirlo::prova;

namespace {

constexpr int Esercizi = 5000;
constexpr int Riscaldamento = 500;  // caches and pools settle first
constexpr qint64 CrescitaMassima = 2 * 1024 * 1024;
constexpr int Massimo = 32767;

// Under AddressSanitizer freed blocks wait in a quarantine of up to 256 MB, so
// resident memory says nothing there; LeakSanitizer checks that build instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool MemoriaSignificativa = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool MemoriaSignificativa = false;
#else
constexpr bool MemoriaSignificativa = true;
#endif
#else
constexpr bool MemoriaSignificativa = true;
#endif

qint64 memoriaResidente() {
  QFile statm(QStringLiteral("/proc/self/statm"));
  if (!statm.open(QIODevice::ReadOnly))
    qFatal("cannot read /proc/self/statm");
  const QList<QByteArray> campi = statm.readAll().split(' ');
  return campi.value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

QString testo(const Esercizio &e, const char *nome) {
  return e.controlli().prendi<QLabel>(QString::fromUtf8(nome))->text();
}

// A slot that expects something else than this card, for a wrong drop.
Posto postoSbagliato(const Esercizio &e, const QLabel *carta, std::mt19937 &caso) {
  const auto &c = e.regole();
  QList<Posto> sbagliati;
  for (int riga = 0; riga < c.campi(); ++riga)
    for (int k = 0; k < c.parole(); ++k)
      if (e.Sillaba(riga, e.Scelta(k)).toUpper() != carta->text().toUpper())
        sbagliati.append({riga, k});
  if (sbagliati.isEmpty())
    return {};
  return sbagliati[qsizetype(caso() % quint32(sbagliati.size()))];
}

void piuUno(int &contatore) { contatore = std::min(contatore + 1, Massimo); }

}  // namespace

class ProvaResistenza : public QObject {
  Q_OBJECT

 private slots:
  void partiteLunghe_data() {
    QTest::addColumn<bool>("trisillabe");
    QTest::newRow("DISEGNI1") << false;
    QTest::newRow("DISEGNI2") << true;
  }

  void partiteLunghe() {
    QFETCH(bool, trisillabe);
    PiattaformaInstallata p;
    PiattaformaFinta &f = p.finta;
    CartellaDati d;
    f.cartella = d.percorso();
    // Easy and difficult lists of different lengths, so a switch changes NumeroParole.
    const auto parole = trisillabe ? paroleTrisillabe(100) : paroleBisillabe(100);
    d.scriviLista(trisillabe ? QStringLiteral("lista3.txt") : QStringLiteral("lista2.txt"), parole.mid(0, 37));
    d.scriviLista(trisillabe ? QStringLiteral("lista5.txt") : QStringLiteral("lista4.txt"), parole);

    std::mt19937 caso(trisillabe ? 3 : 2);
    auto rifornisci = [&] {
      while (f.numeri.size() < 200)
        f.numeri.append(double(caso()) / 4294967296.0);
    };
    rifornisci();
    std::unique_ptr<Esercizio> w;
    if (trisillabe)
      w = std::make_unique<DISEGNI2>();
    else
      w = std::make_unique<DISEGNI1>();
    QVERIFY(w->Form_Load());
    w->show();
    const int carte = int(w->regole().carte.size());

    int esatti = 0, errati = 0;
    qint64 dopoRiscaldamento = 0;
    for (int e = 0; e < Esercizi; ++e) {
      if (e > 0 && e % 100 == 0) {
        const bool difficile = (e / 100) % 2 == 1;
        if (difficile)
          w->mnudifficile_Click();
        else
          w->mnufacile_Click();
        QCOMPARE(Globali::NumeroParole, difficile ? 100 : 37);
        if ((e / 200) % 2 == 1)
          w->mnuMinuscolo_Click();
        else
          w->mnuMaiuscolo_Click();
        QCoreApplication::processEvents();
      }
      // Drive the counters to their top and check they stay there.
      if (e == 4000) {
        Globali::NumeroErrati = Massimo - 1;
        errati = Massimo - 1;
      }
      if (e == 4500) {
        Globali::NumeroEsatti = Massimo - 3;
        esatti = Massimo - 3;
      }
      if (e == Riscaldamento)
        dopoRiscaldamento = memoriaResidente();

      rifornisci();
      f.azzeraRegistri();
      const bool minuscole = w->Maiuscolo() == false;
      int drop = 0;
      for (int i = 0; i < carte; ++i) {
        QLabel *carta = w->carta(i);
        QCOMPARE(carta->text(), minuscole ? carta->text().toLower() : carta->text().toUpper());
        if (caso() % 5 == 0) {
          const Posto sbagliato = postoSbagliato(*w, carta, caso);
          if (sbagliato.riga >= 0) {
            lascia(*w, sbagliato.riga, sbagliato.indice, carta);
            ++drop;
            piuUno(errati);
            QVERIFY(carta->isEnabled());
          }
        }
        const Posto giusto = postoPer(*w, carta);
        QVERIFY2(giusto.riga >= 0, qPrintable(QStringLiteral("exercise %1 card %2").arg(e).arg(i)));
        lascia(*w, giusto.riga, giusto.indice, carta);
        ++drop;
      }
      piuUno(esatti);
      QCOMPARE(int(Globali::NumeroEsatti), esatti);
      QCOMPARE(int(Globali::NumeroErrati), errati);
      QCOMPARE(testo(*w, "EtichettaEsatti"), QString::number(esatti));
      QCOMPARE(testo(*w, "EtichettaErrati"), QString::number(errati));
      // One sound per drop, and a fresh exercise with every card in play.
      QCOMPARE(f.suoni.size(), drop);
      QVERIFY(aspettaDisegni(*w));
      QCOMPARE(f.immagini.size(), w->regole().parole());
      QCOMPARE(w->SillabeGiuste(), 0);
      for (int i = 0; i < carte; ++i)
        QVERIFY(w->carta(i)->isEnabled() && !w->carta(i)->text().isEmpty());
      if (e % 50 == 0)
        QCoreApplication::processEvents();
    }
    QCOMPARE(esatti, Massimo);  // the top was reached and held
    QCOMPARE(errati, Massimo);
    QCOMPARE(f.messaggi.size(), 0);

    const qint64 crescita = memoriaResidente() - dopoRiscaldamento;
    qInfo("resident memory grew by %lld KiB over exercises %d-%d", crescita / 1024, Riscaldamento, Esercizi);
    if (MemoriaSignificativa)
      QVERIFY2(crescita < CrescitaMassima, qPrintable(QString::number(crescita)));
  }
};

QUIRLO_TEST_MAIN(ProvaResistenza)
#include "test_soak.moc"
