// Benchmarks of the picture library as the word editor uses it: the first
// search of a session (the index read from disk included), a search as the
// teacher types, on the index in memory, and a keystroke in the word dialog's
// "Cerca un disegno": the search, the grid filled and painted.

#include "BancoBiblioteca.h"

#include <benchmark/benchmark.h>

#include <memory>

#include "Biblioteca.h"
#include "CercaDisegno.h"

namespace quirlo::banco {

namespace {

QString CartellaGioco;

void benchPrimaRicerca(benchmark::State &state) {
  for (auto _ : state) {
    Biblioteca biblioteca(CartellaGioco);
    const QList<Risultato> r = biblioteca.cerca(u"mele", 60);
    if (r.isEmpty()) {
      state.SkipWithError("the library found nothing: is data/biblioteca beside the program?");
      break;
    }
    benchmark::DoNotOptimize(r);
  }
}

void benchRicerca(benchmark::State &state, const char16_t *testo) {
  Biblioteca biblioteca(CartellaGioco);
  if (!biblioteca.carica()) {
    state.SkipWithError("the library is empty");
    return;
  }
  qsizetype trovati = 0;
  for (auto _ : state) {
    const QList<Risultato> r = biblioteca.cerca(QStringView(testo), 60);
    trovati = r.size();
    benchmark::DoNotOptimize(r);
  }
  state.counters["risultati"] = double(trovati);
  state.counters["disegni"] = double(biblioteca.quanti());
}

// One keystroke that leaves `testo` in the search field, until the grid is
// painted. Cold: in a new dialog, so every picture on screen is decoded; warm:
// the same pictures again, as when she deletes a letter and types it back.
void benchTasto(benchmark::State &state, const char16_t *testo, bool fredda) {
  const QString t = QString::fromUtf16(testo);
  std::unique_ptr<editor::CercaDisegno> pannello;
  const auto nuovo = [&] {
    pannello = std::make_unique<editor::CercaDisegno>(CartellaGioco);
    pannello->resize(390, 520);  // as the dialog lays it out
    pannello->grab();
  };
  nuovo();
  pannello->cerca(t);  // the library read before timing: BancoBiblioteca/primaRicerca measures that
  for (auto _ : state) {
    if (fredda) {
      state.PauseTiming();
      nuovo();
      state.ResumeTiming();
    }
    pannello->cerca(t);
    benchmark::DoNotOptimize(pannello->grab());
  }
}

}  // namespace

void registraBiblioteca(const QString &cartellaGioco) {
  CartellaGioco = cartellaGioco;
  using benchmark::kMicrosecond;
  using benchmark::kMillisecond;
  benchmark::RegisterBenchmark("Biblioteca/primaRicerca", benchPrimaRicerca)->Unit(kMillisecond);
  for (const char16_t *testo : {u"gatto", u"mele", u"palla da calcio", u"gatt", u"zzz"}) {
    const std::string nome = "Biblioteca/cerca/" + QString::fromUtf16(testo).toStdString();
    benchmark::RegisterBenchmark(nome.c_str(), benchRicerca, testo)->Unit(kMicrosecond);
  }
  for (const char16_t *testo : {u"gatto", u"mele", u"frutta", u"zzz"}) {
    const std::string nome = QString::fromUtf16(testo).toStdString();
    benchmark::RegisterBenchmark(("Biblioteca/tasto/fredda/" + nome).c_str(), benchTasto, testo, true)
        ->Unit(kMillisecond);
    benchmark::RegisterBenchmark(("Biblioteca/tasto/calda/" + nome).c_str(), benchTasto, testo, false)
        ->Unit(kMillisecond);
  }
}

}  // namespace quirlo::banco
