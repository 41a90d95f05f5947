#include "Console.h"
#include "Piattaforma.h"
#include "TestoVisibile.h"
#include "Verifica.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>

#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#endif

using namespace quirlo::verifica;

namespace {
QString tra(const QString &cartella) {
  // A folder's name may hold control characters too: they never reach the terminal.
  const QString percorso = QDir::toNativeSeparators(QDir(cartella).absolutePath());
  return QStringLiteral("\u00AB%1\u00BB").arg(quirlo::senzaControlli(percorso));
}

// What the exit status tells a script: every list will be used (warnings at
// most), some list will be refused or something will be missing, or the
// command itself was wrong and nothing was checked.
enum Esito { Usabile = 0, DaSistemare = 1, UsoSbagliato = 2 };

const char *const Uso =
    "Uso: quirlo-verifica [cartella]\n"
    "Controlla le liste di parole, i disegni, i suoni e le voci di Quirlo nella\n"
    "cartella indicata.\n"
    "Senza cartella controlla quello che legge il gioco: le liste e i disegni della\n"
    "cartella personale, se ci sono, altrimenti quelli della cartella del programma.\n"
    "Esce con 0 se il gioco userà tutte le liste (al più qualche avviso), con 1 se c'è\n"
    "almeno un errore, con 2 se il comando è sbagliato o la cartella non esiste.\n";

int controlla(QTextStream &out) {
  const QStringList argomenti = QCoreApplication::arguments();
  if (argomenti.size() == 2 && (argomenti[1] == QLatin1String("--help") || argomenti[1] == QLatin1String("-h"))) {
    out << Uso;
    return Usabile;
  }
  if (argomenti.size() > 2 || (argomenti.size() == 2 && argomenti[1].startsWith(QLatin1Char('-')))) {
    out << (argomenti.size() > 2 ? QStringLiteral("Troppi argomenti: si controlla una cartella alla volta.\n")
                                 : QStringLiteral("Opzione sconosciuta: %1\n")
                                       .arg(quirlo::senzaControlli(argomenti[1])))
        << Uso;
    return UsoSbagliato;
  }
  quirlo::CartelleDati dati;
  QString personale;
  if (argomenti.size() == 2) {
    dati.cartelle << argomenti[1];
  } else {
    personale = quirlo::cartellaUtenteDelSistema();
    dati = quirlo::trovaCartelleDati(personale, QCoreApplication::applicationDirPath());
  }
  const QStringList &cartelle = dati.cartelle;
  for (const QString &cartella : std::as_const(cartelle))
    if (!QFileInfo(cartella).isDir()) {
      out << "La cartella " << tra(cartella) << " non esiste.\n";
      return UsoSbagliato;
    }

  if (cartelle.size() == 1) {
    out << "Controllo la cartella " << tra(cartelle.first()) << '\n';
    if (!personale.isEmpty() && dati.utenteIlleggibile.isEmpty())
      out << "(la cartella personale " << tra(personale)
          << " non c'è: il gioco legge tutto dalla cartella del programma)\n";
  } else {
    out << "Controllo quello che legge il gioco: prima la cartella personale " << tra(cartelle[0])
        << ", poi quella del programma " << tra(cartelle[1]) << '\n';
  }
  const Rapporto rapporto = verificaCartelleDati(dati);
  if (cartelle.size() > 1)
    for (const Provenienza &p : rapporto.provenienze)
      if (!p.cartella.isEmpty())
        out << quirlo::senzaControlli(p.file) << ": letta da " << tra(p.cartella) << '\n';
  // Before the findings: a script reads the findings and the summary last.
  if (const QString voci = riepilogoVoci(rapporto); !voci.isEmpty())
    out << voci << '\n';
  for (const Segnalazione &s : rapporto.segnalazioni)
    out << formatta(s) << '\n';
  out << riepilogo(rapporto) << '\n';
  const bool errori = std::any_of(rapporto.segnalazioni.cbegin(), rapporto.segnalazioni.cend(),
                                 [](const Segnalazione &s) { return s.gravita == Gravita::Errore; });
  return errori ? DaSistemare : Usabile;
}

#ifdef _WIN32
// Opened with a double click or from the Start menu, the checker is alone in a
// console window that would close with it before a line could be read. Only
// then does it wait: a program that reads it through pipes (QProcess gives its
// child a hidden console of its own), a script or a Command Prompt never waits.
void attendiSeFinestraPropria() {
  DWORD modo = 0, processi[2];
  const HWND finestra = GetConsoleWindow();
  if (!GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &modo) || !GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &modo) ||
      finestra == nullptr || !IsWindowVisible(finestra) || GetConsoleProcessList(processi, 2) != 1)
    return;
  quirlo::scriviUscita(QStringLiteral("\nPremi Invio per chiudere questa finestra.\n"));
  std::getchar();
}
#endif
}  // namespace

int main(int argc, char *argv[]) {
  QCoreApplication app(argc, argv);
  QString testo;
  QTextStream out(&testo);
  const int esito = controlla(out);
  out.flush();
  quirlo::scriviUscita(testo);
#ifdef _WIN32
  attendiSeFinestraPropria();
#endif
  return esito;
}
