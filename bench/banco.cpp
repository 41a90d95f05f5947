// Benchmarks of the work a child waits for: reading and accepting a list,
// building an exercise (drawings decoded) and the three kinds of drop, each
// through the window's own handler. Run with the platform the game uses,
// offscreen unless QT_QPA_PLATFORM says otherwise.

#include "Accettazione.h"
#include "BancoBiblioteca.h"
#include "DatiBanco.h"
#include "DisegniPesanti.h"
#include "LettoreSuoni.h"
#include "ScortaSuoni.h"
#include "Disegni.h"
#include "ModuloColoriSuoni.h"
#include "PiattaformaBanco.h"
#include "Layout.h"
#include "Widgets.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFont>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <pulse/simple.h>
#include <chrono>
#include <cstdio>
#include <memory>
#include <unistd.h>

using namespace quirlo;
using namespace quirlo::banco;

// BancoVoci.cpp
void registraVoci();

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
  const QString nome = QString::fromLatin1(w->regole().difficile.file);
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
  const CartaEsercizio &c = w.regole().carte[size_t(i)];
  lascia(w, c.sillaba, c.parola, w.carta(i));
}

int carte(const Esercizio &w) { return int(w.regole().carte.size()); }

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
  const auto &cfg = w->regole();
  int carta = -1, indice = -1;
  for (int i = 0; i < carte(*w) && carta < 0; ++i) {
    const CartaEsercizio &c = cfg.carte[size_t(i)];
    for (int k = 0; k < cfg.parole(); ++k) {
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

// The heaviest drawings the game accepts, four of a kind, in folders of their own.
QString CartellePesanti[std::size(TuttiPesanti)];

// Opening the window, as the menu does: its list read and accepted, the first
// exercise built and shown. The drawings are only waited for a moment.
void benchAperturaPesanti(benchmark::State &state, int tipo) {
  Piattaforma_->cartella = CartellePesanti[tipo];
  for (auto _ : state) {
    std::unique_ptr<DISEGNI1> w;
    bool caricata = false;
    state.SetIterationTime(cronometra([&] {
      w = std::make_unique<DISEGNI1>();
      caricata = w->Form_Load();
      if (caricata) {
        w->show();
        // Up to its first exposure, where it waits a little for its drawings.
        while (!w->windowHandle()->isExposed())
          QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
      }
    }));
    if (!caricata) {
      state.SkipWithError("the window refused its list");
      break;
    }
    assesta();
  }
}

// The drop that completes an exercise and builds the next, over those drawings;
// between drops the frames are left to fill, as a child's pause allows.
void benchDropCompletoPesanti(benchmark::State &state, int tipo) {
  auto w = apri<DISEGNI1>(state, CartellePesanti[tipo]);
  if (!w)
    return;
  for (auto _ : state) {
    while (w->disegniInArrivo() > 0)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    for (int i = 0; i < carte(*w) - 1; ++i)
      lasciaGiusta(*w, i);
    assesta();
    state.SetIterationTime(cronometra([&] { lasciaGiusta(*w, carte(*w) - 1); }));
    if (w->SillabeGiuste() != 0) {
      state.SkipWithError("the last drop did not complete the exercise");
      break;
    }
    assesta();
  }
}

// Resident memory now, in kB.
qint64 residenteKb() {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly))
    return 0;
  for (const QByteArray &riga : f.readAll().split('\n'))
    if (riga.startsWith("VmRSS:"))
      return riga.mid(6).trimmed().split(' ').first().toLongLong();
  return 0;
}

// A press on drawing k, as the mouse gives it: the seconds until its word's
// sound is handed to the player; negative when none is within 10 s.
double tocca(Esercizio &w, int k) {
  const int prima = Piattaforma_->voci;
  Immagine *disegno = w.cornice(k);
  const QPointF centro = QRectF(disegno->rect()).center();
  QMouseEvent premi(QEvent::MouseButtonPress, centro, disegno->mapToGlobal(centro), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QMouseEvent lascia(QEvent::MouseButtonRelease, centro, disegno->mapToGlobal(centro), Qt::LeftButton, Qt::NoButton,
                     Qt::NoModifier);
  const auto t0 = Orologio::now();
  QApplication::sendEvent(disegno, &premi);
  QElapsedTimer limite;
  limite.start();
  while (Piattaforma_->voci == prima && limite.elapsed() < 10000)
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
  QApplication::sendEvent(disegno, &lascia);
  if (Piattaforma_->voci == prima)
    return -1;
  return std::chrono::duration<double>(Piattaforma_->ultimaVoce - t0).count();
}

enum class TipoVoce { Spedita, SintesiNuova, SintesiTenuta };

// From the tap to the sound handed to the player: a shipped recording (the
// game's own lists), the computer's voice for a word it has not said yet, and
// for one it has (the prepared lists' made-up words have no recording).
void benchTocco(benchmark::State &state, TipoVoce voce) {
  if (voce == TipoVoce::Spedita && !CartellaFinestre.isEmpty()) {
    state.SkipWithError("the game folder has no shipped lists");
    return;
  }
  auto w = apri<DISEGNI1>(state, voce == TipoVoce::Spedita ? CartellaFinestre : Dati->percorso());
  if (!w)
    return;
  // The computer's voice keeps what it said for the whole run, repetitions included.
  static QSet<QString> dette;
  if (voce != TipoVoce::Spedita && dette.isEmpty()) {
    // The engine is loaded and started once in a run: timed apart.
    const double avvio = tocca(*w, 0);
    if (avvio < 0) {
      state.SkipWithError("no Italian voice on this system");
      return;
    }
    if (voce == TipoVoce::SintesiNuova)  // the later run finds the engine started
      state.counters["avvio_ms"] = avvio * 1000;
    dette.insert(w->partita().parola(0));
  }
  const qint64 primaKb = residenteKb();
  int k = 0;
  for (auto _ : state) {
    if (voce == TipoVoce::SintesiNuova) {
      // A drawing whose word the computer has not said yet.
      for (int tentativi = 0; dette.contains(w->partita().parola(k)) && tentativi < 400; ++tentativi) {
        k = (k + 1) % 4;
        if (k == 0) {
          w->GeneraEsercizio();
          assesta();
        }
      }
      if (dette.contains(w->partita().parola(k))) {
        state.SkipWithError("every word of the list has been said");
        return;
      }
      dette.insert(w->partita().parola(k));
    }
    const double secondi = tocca(*w, voce == TipoVoce::SintesiTenuta ? 0 : k);
    if (secondi < 0) {
      state.SkipWithError("no sound reached the player");
      return;
    }
    state.SetIterationTime(secondi);
    if (voce == TipoVoce::Spedita)
      k = (k + 1) % 4;
  }
  state.counters["rss_kb_in_piu"] = double(residenteKb() - primaKb);
  state.SetLabel(voce == TipoVoce::Spedita ? "shipped lists and voices" : "prepared lists, the computer's voice");
}

// The windows use the game folder when both easy lists are accepted there.
void scegliCartellaFinestre(const QString &cartellaGioco) {
  const bool spediti = accettaLista(cartellaGioco, QStringLiteral("\\lista2.txt"), 2, 4).lista &&
                       accettaLista(cartellaGioco, QStringLiteral("\\lista3.txt"), 3, 3).lista;
  CartellaFinestre = spediti ? QString() : Dati->percorso();
  OrigineFinestre = spediti ? "shipped lists and drawings"
                            : "prepared lists, drawings " + Dati->origineDisegni().toStdString();
}

// Whether the player finds a sound server to play to, as it looks for one.
bool serverAudio() {
  const pa_sample_spec formato{PA_SAMPLE_S16LE, 44100, 2};
  pa_simple *s = pa_simple_new(nullptr, "quirlo_bench", PA_STREAM_PLAYBACK, nullptr, "prova", &formato, nullptr,
                               nullptr, nullptr);
  if (s)
    pa_simple_free(s);
  return s != nullptr;
}

// As the game does once its start screen is up.
void precaricaSuoni() {
  for (const QString &cartella : {CartellaFinestre, Dati->percorso()}) {
    Piattaforma_->cartella = cartella;
    for (int n = 1; n <= catalogo::SuoniEsatti; ++n)
      Piattaforma_->lettore().precarica(ModuloColoriSuoni::percorsoSuonoEsatto(n));
    Piattaforma_->lettore().precarica(ModuloColoriSuoni::percorsoSuonoErrato());
  }
  DescrizioneSuono = serverAudio() ? "sound: a sound server's stream" : "sound: no sound server, silent";
}

void registra() {
  registraVoci();
  using benchmark::kMicrosecond;
  using benchmark::kMillisecond;
  benchmark::RegisterBenchmark("Tocco/voce spedita", benchTocco, TipoVoce::Spedita)
      ->UseManualTime()
      ->Iterations(200)
      ->Unit(kMillisecond);
  // Each word is new once: one run of 60 of the list's 100.
  benchmark::RegisterBenchmark("Tocco/sintesi nuova", benchTocco, TipoVoce::SintesiNuova)
      ->UseManualTime()
      ->Iterations(60)
      ->Repetitions(1)
      ->Unit(kMillisecond);
  benchmark::RegisterBenchmark("Tocco/sintesi tenuta", benchTocco, TipoVoce::SintesiTenuta)
      ->UseManualTime()
      ->Iterations(200)
      ->Unit(kMillisecond);
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
  for (int t = 0; t < int(std::size(TuttiPesanti)); ++t) {
    if (CartellePesanti[t].isEmpty())
      continue;
    const std::string nome = nomePesanti(TuttiPesanti[t]);
    benchmark::RegisterBenchmark(("AperturaPesanti/" + nome).c_str(), benchAperturaPesanti, t)
        ->UseManualTime()->Iterations(5)->Repetitions(3)->Unit(kMillisecond);
    benchmark::RegisterBenchmark(("DropCompletoPesanti/" + nome).c_str(), benchDropCompletoPesanti, t)
        ->UseManualTime()->Iterations(5)->Repetitions(3)->Unit(kMillisecond);
  }
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
  sostituisciCaratteri();

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
  QTemporaryDir pesanti;
  for (int t = 0; t < int(std::size(TuttiPesanti)); ++t) {
    const QString cartella = pesanti.filePath(QString::fromLatin1(nomePesanti(TuttiPesanti[t])));
    if (preparaPesanti(TuttiPesanti[t], cartella))
      CartellePesanti[t] = cartella;
  }

  registra();
  registraBiblioteca(cartellaGioco);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::AddCustomContext("quirlo.finestre", OrigineFinestre);
  benchmark::AddCustomContext("quirlo.suono", DescrizioneSuono);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  QDir(dati.percorso()).removeRecursively();
  // As the game does: the player's thread may be waiting on the sound server.
  std::fflush(nullptr);
  _exit(0);
}
