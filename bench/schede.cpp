// A 100-word worksheet written as the editor writes it, in a process of its
// own: the shipped two-syllable words and their drawings (repeated to reach
// 100), the kind of sheet asked for. Prints one JSON line: time in ms, the
// PDF's size in bytes, its pages, the process's peak resident set in MiB.
//
// Usage: quirlo_bench_schede sillabe|ritaglia OUT.pdf
#include "Schede.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "PiccoMemoria.h"

int main(int argc, char *argv[]) {
  using namespace quirlo;
  using namespace quirlo::editor;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: quirlo_bench_schede sillabe|ritaglia OUT.pdf\n");
    return 2;
  }
  const Cartelle cartelle{QString(), QCoreApplication::applicationDirPath()};
  const ListaAperta lista = apriLista(cartelle, *catalogo::listaDaNome(u"lista2"));
  if (lista.parole.isEmpty())
    return 1;
  RichiestaSchede r;
  r.lista = lista.lista;
  for (int i = 0; i < catalogo::MassimoParole; ++i)
    r.parole << lista.parole[i % lista.parole.size()];
  r.tipo = qstrcmp(argv[1], "ritaglia") == 0 ? schede::Tipo::Ritaglio : schede::Tipo::Sillabe;
  r.seme = 1;
  const QString uscita = QString::fromLocal8Bit(argv[2]);
  QElapsedTimer t;
  t.start();
  const Esito e = scriviSchede(cartelle, r, uscita);
  const double ms = t.nsecsElapsed() / 1e6;
  if (!e.riuscito()) {
    std::fprintf(stderr, "%s\n", qPrintable(e.messaggio));
    return 1;
  }
  std::printf("{\"ms\": %.1f, \"byte\": %lld, \"pagine\": %d, \"picco_mib\": %.1f}\n", ms, QFileInfo(uscita).size(),
              (int(r.parole.size()) + schede::parolePerPagina(2) - 1) / schede::parolePerPagina(2), piccoMiB());
  return 0;
}
