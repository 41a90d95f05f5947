#include "Console.h"
#include "PiattaformaQt.h"
#include "TestoVisibile.h"
#include "Verifica.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

using namespace quirlo::verifica;

namespace {
QString tra(const QString &cartella) {
  // A folder's name may hold control characters too: they never reach the terminal.
  const QString percorso = QDir::toNativeSeparators(QDir(cartella).absolutePath());
  return QStringLiteral("\u00AB%1\u00BB").arg(quirlo::senzaControlli(percorso));
}

int controlla(QTextStream &out) {
  const QStringList argomenti = QCoreApplication::arguments();
  if (argomenti.size() > 2 || (argomenti.size() == 2 && argomenti[1].startsWith(QLatin1Char('-')))) {
    out << "Uso: quirlo-verifica [cartella]\n"
           "Controlla le liste di parole, i disegni e i suoni di Quirlo nella cartella indicata.\n"
           "Senza cartella controlla quello che legge il gioco: le liste e i disegni della\n"
           "cartella personale, se ci sono, altrimenti quelli della cartella del programma.\n"
           "Dice che cosa va sistemato; esce con 0 se è tutto a posto, con 1 altrimenti.\n";
    return argomenti.size() == 2 && (argomenti[1] == QLatin1String("--help") || argomenti[1] == QLatin1String("-h"))
               ? 0
               : 1;
  }
  QStringList cartelle;
  QString personale;
  if (argomenti.size() == 2) {
    cartelle << argomenti[1];
  } else {
    personale = quirlo::cartellaUtenteDelSistema();
    cartelle << (QFileInfo(personale).isDir() ? QStringList{personale, QCoreApplication::applicationDirPath()}
                                              : QStringList{QCoreApplication::applicationDirPath()});
  }
  for (const QString &cartella : std::as_const(cartelle))
    if (!QFileInfo(cartella).isDir()) {
      out << "La cartella " << tra(cartella) << " non esiste.\n";
      return 1;
    }

  if (cartelle.size() == 1) {
    out << "Controllo la cartella " << tra(cartelle.first()) << '\n';
    if (!personale.isEmpty())
      out << "(la cartella personale " << tra(personale)
          << " non c'è: il gioco legge tutto dalla cartella del programma)\n";
  } else {
    out << "Controllo quello che legge il gioco: prima la cartella personale " << tra(cartelle[0])
        << ", poi quella del programma " << tra(cartelle[1]) << '\n';
  }
  const Rapporto rapporto = verificaCartelle(cartelle);
  if (cartelle.size() > 1)
    for (const Provenienza &p : rapporto.provenienze)
      if (!p.cartella.isEmpty())
        out << quirlo::senzaControlli(p.file) << ": letta da " << tra(p.cartella) << '\n';
  for (const Segnalazione &s : rapporto.segnalazioni)
    out << formatta(s) << '\n';
  out << riepilogo(rapporto) << '\n';
  return rapporto.segnalazioni.isEmpty() ? 0 : 1;
}
}  // namespace

int main(int argc, char *argv[]) {
  QCoreApplication app(argc, argv);
  QString testo;
  QTextStream out(&testo);
  const int esito = controlla(out);
  out.flush();
  quirlo::scriviUscita(testo);
  return esito;
}
