// Benchmarks of the work a child waits for: reading and accepting a list,
// building an exercise (drawings decoded) and the three kinds of drop, each
// through the window's own handler. Run with the platform the game uses,
// offscreen unless QT_QPA_PLATFORM says otherwise.

#include "Accettazione.h"
#include "DatiBanco.h"
#include "LettoreSuoni.h"
#include "Disegni.h"
#include "ModuloColoriSuoni.h"
#include "PiattaformaBanco.h"

#include <QApplication>
#include <QAudioDevice>
#include <QDir>
#include <QElapsedTimer>
#include <QFont>
#include <QLabel>
#include <QMediaDevices>
#include <QThread>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <memory>
#include <unistd.h>

using namespace quirlo;
using namespace quirlo::banco;

namespace {

PiattaformaBanco *Piattaforma_ = nullptr;
CartellaBanco *Dati = nullptr;
// Where the windows load their lists and drawings from: the game's own folder
// when it holds them (empty: asked of the platform, as the game does), the
// prepared folder otherwise.
QString CartellaFinestre;
std::string OrigineFinestre;
std::string DescrizioneSuono;

using Orologio = std::chrono::steady_clock;

template <class F>
double cronometra(F &&f) {
  const auto t0 = Orologio::now();
  f();
  return std::chrono::duration<double>(Orologio::now() - t0).count();
}

// Lets the window paint and settle between measured calls, as the game's event loop does.
void assesta() { QCoreApplication::processEvents(); }

void benchLeggiLista(benchmark::State &state, int campi) {
  const QString percorso =
      Dati->percorso() + (campi == 2 ? QStringLiteral("/lista2.txt") : QStringLiteral("/lista3.txt"));
  for (auto _ : state) {
    ListaLetta letta = leggiLista(percorso, campi);
    if (letta.parole.size() != CartellaBanco::Parole) {
      state.SkipWithError("the list was not read whole");
      break;
    }
    benchmark::DoNotOptimize(letta);
  }
}

void benchAccettaLista(benchmark::State &state, int campi) {
  const QString nome = campi == 2 ? QStringLiteral("\\lista2.txt") : QStringLiteral("\\lista3.txt");
  for (auto _ : state) {
    EsitoAccettazione esito = accettaLista(Dati->percorso(), nome, campi, campi == 2 ? 4 : 3);
    if (!esito.lista || esito.lista->disegni.size() != CartellaBanco::Parole) {
      state.SkipWithError("the list was refused");
      break;
    }
    benchmark::DoNotOptimize(esito);
  }
  state.SetLabel("drawings " + Dati->origineDisegni().toStdString());
}

template <class W>
std::unique_ptr<W> apri(benchmark::State &state, const QString &cartella) {
  Piattaforma_->cartella = cartella;
  Piattaforma_->messaggi.clear();
  auto w = std::make_unique<W>();
  if (!w->Form_Load()) {
    const QString perche = Piattaforma_->messaggi.join(QLatin1Char(' '));
    state.SkipWithError(("the window refused its list: " + perche.toStdString()).c_str());
    return nullptr;
  }
  w->show();
  assesta();
  return w;
}

template <class W>
void benchCaricaLista(benchmark::State &state) {
  auto w = apri<W>(state, Dati->percorso());
  if (!w)
    return;
  const QString nome = QString::fromUtf8(w->configurazione().listaDifficile);
  for (auto _ : state) {
    if (!w->CaricaLista(nome) || Globali::NumeroParole != CartellaBanco::Parole) {
      state.SkipWithError("the list was refused");
      break;
    }
  }
  state.SetLabel("drawings " + Dati->origineDisegni().toStdString());
}

template <class W>
void benchGeneraEsercizio(benchmark::State &state) {
  auto w = apri<W>(state, CartellaFinestre);
  if (!w)
    return;
  for (auto _ : state) {
    state.SetIterationTime(cronometra([&] { w->GeneraEsercizio(); }));
    assesta();
  }
  state.SetLabel(OrigineFinestre);
}

// A drop through the handler the slot row calls.
void lascia(Esercizio &w, int riga, int indice, QLabel *carta) {
  switch (riga) {
    case 0: w.Label2_DragDrop(indice, carta); break;
    case 1: w.Label3_DragDrop(indice, carta); break;
    default: static_cast<DISEGNI2 &>(w).Label4_DragDrop(indice, carta); break;
  }
}

// Card i dropped where it belongs.
void lasciaGiusta(Esercizio &w, int i) {
  const CartaEsercizio &c = w.configurazione().carte[size_t(i)];
  lascia(w, c.sillaba, c.parola, w.carta(i));
}

int carte(const Esercizio &w) { return int(w.configurazione().carte.size()); }

// Long enough for the player to close its stream once the last sound has
// drained (its length plus a second and a half): the next sound opens it again.
// What the sound thread does before every sound: look at the file, and find
// it unchanged. A drop only queues the sound; this runs beside it.
void benchSuonoControllato(benchmark::State &state) {
  const QString percorso = CartellaFinestre.isEmpty() ? ModuloColoriSuoni::percorsoSuonoEsatto(1)
                                                      : unisciPercorso(CartellaFinestre, QStringLiteral("\\suoni\\si1.wav"));
  ScortaSuoni scorta;
  if (scorta.pcm(percorso)->isEmpty()) {
    state.SkipWithError("no sound to look at in the game's folder");
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(scorta.pcm(percorso));
}

void pausa() {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < 2800) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
  }
}

template <class W>
void benchDropGiusto(benchmark::State &state, bool dopoPausa) {
  auto w = apri<W>(state, CartellaFinestre);
  if (!w)
    return;
  const auto erratiPrima = Globali::NumeroErrati;
  int prossima = 0;
  std::int64_t giuste = 0;
  for (auto _ : state) {
    // The last card would complete the exercise, which is measured apart.
    if (prossima == carte(*w) - 1) {
      w->GeneraEsercizio();
      assesta();
      prossima = 0;
    }
    if (dopoPausa)
      pausa();
    const auto primaGiuste = w->SillabeGiuste();
    state.SetIterationTime(cronometra([&] { lasciaGiusta(*w, prossima); }));
    giuste += w->SillabeGiuste() - primaGiuste;
    ++prossima;
    assesta();
  }
  if (Globali::NumeroErrati != erratiPrima || giuste != std::int64_t(state.iterations()))
    state.SkipWithError("a drop meant to be right was judged wrong");
  state.SetLabel(OrigineFinestre + ", " + DescrizioneSuono);
}

template <class W>
void benchDropSbagliato(benchmark::State &state) {
  auto w = apri<W>(state, CartellaFinestre);
  if (!w)
    return;
  // A card and a slot of another word whose syllable differs from the card's.
  const auto &cfg = w->configurazione();
  int carta = -1, indice = -1;
  for (int i = 0; i < carte(*w) && carta < 0; ++i) {
    const CartaEsercizio &c = cfg.carte[size_t(i)];
    for (int k = 0; k < cfg.parole; ++k) {
      if (w->Sillaba(c.sillaba, w->Scelta(k)).toUpper() != w->carta(i)->text().toUpper()) {
        carta = i;
        indice = k;
        break;
      }
    }
  }
  if (carta < 0) {
    state.SkipWithError("every slot of the exercise expects the same syllable");
    return;
  }
  const CartaEsercizio &c = cfg.carte[size_t(carta)];
  std::int64_t errori = 0;
  for (auto _ : state) {
    // The counter stops at its largest value; keep it counting.
    if (Globali::NumeroErrati > 30000)
      Globali::NumeroErrati = 0;
    const auto prima = Globali::NumeroErrati;
    state.SetIterationTime(cronometra([&] { lascia(*w, c.sillaba, indice, w->carta(carta)); }));
    errori += Globali::NumeroErrati - prima;
    assesta();
  }
  if (errori != std::int64_t(state.iterations()) || w->SillabeGiuste() != 0)
    state.SkipWithError("a drop meant to be wrong was not counted as wrong");
  state.SetLabel(OrigineFinestre + ", " + DescrizioneSuono);
}

template <class W>
void benchDropCompleto(benchmark::State &state) {
  auto w = apri<W>(state, CartellaFinestre);
  if (!w)
    return;
  std::int64_t esercizi = 0;
  for (auto _ : state) {
    for (int i = 0; i < carte(*w) - 1; ++i)
      lasciaGiusta(*w, i);
    assesta();
    if (Globali::NumeroEsatti > 30000)
      Globali::NumeroEsatti = 0;
    const auto prima = Globali::NumeroEsatti;
    state.SetIterationTime(cronometra([&] { lasciaGiusta(*w, carte(*w) - 1); }));
    esercizi += Globali::NumeroEsatti - prima;
    assesta();
  }
  if (esercizi != std::int64_t(state.iterations()) || w->SillabeGiuste() != 0)
    state.SkipWithError("the last drop did not complete the exercise");
  state.SetLabel(OrigineFinestre + ", " + DescrizioneSuono);
}

// The windows use the game folder when both easy lists are accepted there.
void scegliCartellaFinestre(const QString &cartellaGioco) {
  const bool spediti = accettaLista(cartellaGioco, QStringLiteral("\\lista2.txt"), 2, 4).lista &&
                       accettaLista(cartellaGioco, QStringLiteral("\\lista3.txt"), 3, 3).lista;
  CartellaFinestre = spediti ? QString() : Dati->percorso();
  OrigineFinestre = spediti ? "shipped lists and drawings"
                            : "prepared lists, drawings " + Dati->origineDisegni().toStdString();
}

// As the game does once its start screen is up.
void precaricaSuoni() {
  for (const QString &cartella : {CartellaFinestre, Dati->percorso()}) {
    Piattaforma_->cartella = cartella;
    for (int n = 1; n <= ModuloColoriSuoni::SuoniEsatti; ++n)
      Piattaforma_->lettore().precarica(ModuloColoriSuoni::percorsoSuonoEsatto(n));
    Piattaforma_->lettore().precarica(ModuloColoriSuoni::percorsoSuonoErrato());
  }
  const QAudioDevice uscita = QMediaDevices::defaultAudioOutput();
  DescrizioneSuono = uscita.isNull() ? "sound: no audio device, silent"
                                     : "sound: " + uscita.description().toStdString();
}

void registra() {
  using benchmark::kMicrosecond;
  using benchmark::kMillisecond;
  benchmark::RegisterBenchmark("leggiLista/100x2", benchLeggiLista, 2)->Unit(kMicrosecond);
  benchmark::RegisterBenchmark("leggiLista/100x3", benchLeggiLista, 3)->Unit(kMicrosecond);
  benchmark::RegisterBenchmark("accettaLista/100x2", benchAccettaLista, 2)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("accettaLista/100x3", benchAccettaLista, 3)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("CaricaLista/DISEGNI1", benchCaricaLista<DISEGNI1>)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("CaricaLista/DISEGNI2", benchCaricaLista<DISEGNI2>)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("GeneraEsercizio/DISEGNI1", benchGeneraEsercizio<DISEGNI1>)
      ->UseManualTime()->Iterations(200)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("GeneraEsercizio/DISEGNI2", benchGeneraEsercizio<DISEGNI2>)
      ->UseManualTime()->Iterations(200)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("DropGiusto/DISEGNI1", benchDropGiusto<DISEGNI1>, false)
      ->UseManualTime()->Iterations(500)->Unit(kMicrosecond);
  benchmark::RegisterBenchmark("DropGiusto/DISEGNI2", benchDropGiusto<DISEGNI2>, false)
      ->UseManualTime()->Iterations(500)->Unit(kMicrosecond);
  // Three seconds an iteration: a few are enough.
  benchmark::RegisterBenchmark("DropGiustoDopoPausa/DISEGNI1", benchDropGiusto<DISEGNI1>, true)
      ->UseManualTime()->Iterations(4)->Repetitions(3)->Unit(kMicrosecond);
  benchmark::RegisterBenchmark("DropSbagliato/DISEGNI1", benchDropSbagliato<DISEGNI1>)
      ->UseManualTime()->Iterations(500)->Unit(kMicrosecond);
  benchmark::RegisterBenchmark("DropSbagliato/DISEGNI2", benchDropSbagliato<DISEGNI2>)
      ->UseManualTime()->Iterations(500)->Unit(kMicrosecond);
  benchmark::RegisterBenchmark("SuonoControllato/si1", benchSuonoControllato)->Unit(kMicrosecond);
  benchmark::RegisterBenchmark("DropCompleto/DISEGNI1", benchDropCompleto<DISEGNI1>)
      ->UseManualTime()->Iterations(100)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("DropCompleto/DISEGNI2", benchDropCompleto<DISEGNI2>)
      ->UseManualTime()->Iterations(100)->Unit(kMillisecond);
}

// The offscreen platform warns about every fixed-size window it shows.
void filtraMessaggi(QtMsgType tipo, const QMessageLogContext &contesto, const QString &testo) {
  if (testo.contains(QLatin1String("propagateSizeHints")))
    return;
  qt_message_output(tipo, contesto, testo);
}

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(filtraMessaggi);
  QApplication app(argc, argv);
  // The same faces the game maps its layouts' fonts to.
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  QFont::insertSubstitutions(QStringLiteral("Arial"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});

  PiattaformaBanco piattaforma;
  impostaPiattaforma(&piattaforma);
  Piattaforma_ = &piattaforma;
  // The benchmark runs from the game's folder, beside its lists, drawings and sounds.
  const QString cartellaGioco = piattaforma.cartellaProgramma();
  CartellaBanco dati(cartellaGioco);
  if (!dati.valida()) {
    std::fprintf(stderr, "cannot prepare the benchmark folder\n");
    return 1;
  }
  Dati = &dati;
  scegliCartellaFinestre(cartellaGioco);
  precaricaSuoni();

  registra();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::AddCustomContext("quirlo.finestre", OrigineFinestre);
  benchmark::AddCustomContext("quirlo.suono", DescrizioneSuono);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  QDir(dati.percorso()).removeRecursively();
  // As the game does: Qt Multimedia may abort inside the sound server's library on the way out.
  std::fflush(nullptr);
  _exit(0);
}
