#pragma once

#include "Archivio.h"

#include <QString>
#include <QStringList>

namespace quirlo::editor {

// Exit codes of quirlo-parole on the command line.
namespace Uscita {
inline constexpr int Fatto = 0;
inline constexpr int Uso = 1;         // the options make no sense
inline constexpr int Rifiutato = 2;   // the word or the list would not do; nothing changed
inline constexpr int FotoInutile = 3; // the photo can't be read; nothing changed
inline constexpr int NonScritto = 4;  // the folder or the disk refused, or the list changed meanwhile
}  // namespace Uscita

// True when the arguments ask for an operation instead of the window.
bool perRigaDiComando(const QStringList &argomenti);

// Runs the operation `argomenti` asks for (argomenti[0] is the program), with
// what it has to say in `testo`; returns the exit code.
int eseguiRigaDiComando(const QStringList &argomenti, const Cartelle &cartelle, QString &testo);

QString aiuto();

// The exit code of an operation's outcome.
int codice(const Esito &e);

}  // namespace quirlo::editor
