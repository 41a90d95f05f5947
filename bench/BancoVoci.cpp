// Time from asking for a word's voice to its sound ready for the player: a
// recording shipped with the game, and the computer's voice for a word asked
// for the first time and for one asked before.
#include "Voci.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace quirlo;

namespace {

// Asks and spins the event loop until the answer; false when none comes in 10 s.
bool aspetta(Voci &voci, const QString &parola, Voce &voce, double &secondi) {
  bool arrivata = false;
  const auto connessione = QObject::connect(&voci, &Voci::pronta, [&](const QString &p, const Voce &v) {
    if (p == parola) {
      arrivata = true;
      voce = v;
    }
  });
  QElapsedTimer limite;
  limite.start();
  const auto t0 = std::chrono::steady_clock::now();
  voci.chiedi(parola);
  while (!arrivata && limite.elapsed() < 10000)
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
  secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  QObject::disconnect(connessione);
  return arrivata;
}

void benchVoceRegistrata(benchmark::State &state) {
  // The shipped voices, staged beside the benchmark as beside the game.
  LettoreSuoni lettore;
  Voci voci(nullptr, lettore.lettura(), QString(), QCoreApplication::applicationDirPath());
  for (auto _ : state) {
    Voce voce;
    double secondi = 0;
    if (!aspetta(voci, QStringLiteral("pedalò"), voce, secondi) || voce.fonte != FonteVoce::Programma) {
      state.SkipWithError("no voci/pedalò.wav in the game's folder");
      return;
    }
    state.SetIterationTime(secondi);
  }
}

// No recording in the folders given: every word goes to the computer's voice.
void benchSintesi(benchmark::State &state, bool tenuta) {
  Sintesi sintesi;
  LettoreSuoni lettore;
  Voci voci(&sintesi, lettore.lettura(), QString(), QString());
  Voce voce;
  double secondi = 0;
  // The engine starts once in the game's life; that is not what a tap waits for.
  aspetta(voci, QStringLiteral("avvio"), voce, secondi);
  if (voce.fonte != FonteVoce::Sintesi) {
    state.SkipWithError("no Italian voice on this system");
    return;
  }
  int n = 0;
  for (auto _ : state) {
    // A new text each time, unless the one kept is what is measured.
    const QString parola = tenuta ? QStringLiteral("avvio") : QStringLiteral("parola %1").arg(++n);
    if (!aspetta(voci, parola, voce, secondi) || voce.fonte != FonteVoce::Sintesi) {
      state.SkipWithError("the computer's voice did not answer");
      return;
    }
    state.SetIterationTime(secondi);
  }
}

}  // namespace

void registraVoci() {
  using benchmark::kMillisecond;
  benchmark::RegisterBenchmark("Voce/registrata", benchVoceRegistrata)
      ->UseManualTime()
      ->Iterations(200)
      ->Unit(kMillisecond);
  benchmark::RegisterBenchmark("Voce/sintesi nuova", benchSintesi, false)
      ->UseManualTime()
      ->Iterations(50)
      ->Unit(kMillisecond);
  benchmark::RegisterBenchmark("Voce/sintesi tenuta", benchSintesi, true)
      ->UseManualTime()
      ->Iterations(200)
      ->Unit(kMillisecond);
}
