#include "Verifica.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

using namespace quirlo::verifica;

int main(int argc, char *argv[]) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  const QStringList argomenti = QCoreApplication::arguments();
  if (argomenti.size() > 2 || (argomenti.size() == 2 && argomenti[1].startsWith(QLatin1Char('-')))) {
    out << "Uso: quirlo-verifica [cartella]\n"
           "Controlla le liste di parole, i disegni e i suoni di Quirlo nella cartella indicata\n"
           "(senza cartella, in quella del programma) e dice che cosa va sistemato.\n"
           "Esce con 0 se è tutto a posto, con 1 altrimenti.\n";
    return argomenti.size() == 2 && (argomenti[1] == QLatin1String("--help") || argomenti[1] == QLatin1String("-h"))
               ? 0
               : 1;
  }
  const QString cartella = argomenti.size() == 2 ? argomenti[1] : QCoreApplication::applicationDirPath();
  if (!QFileInfo(cartella).isDir()) {
    out << "La cartella \u00AB" << cartella << "\u00BB non esiste.\n";
    return 1;
  }

  out << "Controllo la cartella \u00AB" << QDir::toNativeSeparators(QDir(cartella).absolutePath()) << "\u00BB\n";
  const Rapporto rapporto = verificaCartella(cartella);
  for (const Segnalazione &s : rapporto.segnalazioni)
    out << formatta(s) << '\n';
  out << riepilogo(rapporto) << '\n';
  return rapporto.segnalazioni.isEmpty() ? 0 : 1;
}
