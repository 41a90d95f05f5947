#pragma once

#include "Archivio.h"

#include <QStringList>
#include <QTextStream>

namespace quirlo::editor {

// --voce LISTA PAROLA FILE: the file, judged and written as the word's dialog
// does, becomes her recording of a word of the list. Returns the exit code
// (Uscita), or Uscita::Uso with nothing written to `out` when the arguments
// make no sense.
int comandoVoce(const QStringList &argomenti, const Cartelle &cartelle, QTextStream &out);

}  // namespace quirlo::editor
