#pragma once

#include "Archivio.h"

#include <QStringList>

namespace quirlo::editor {

// What the checker says of the data folders, in its own words, plus what only
// the editor can mend: drawings the game would show turned (a phone's
// orientation tag) or squeezed into the frame.
struct Controllo {
  QStringList righe;  // "[ERRORE] lista2.txt, riga 4: ..."
  QStringList provenienze;  // "lista2.txt: letta da «...»", when there are two folders
  QString riepilogo;
  int errori = 0;
  int avvisi = 0;
};

Controllo controllaTutto(const Cartelle &cartelle);
QStringList avvisiFoto(const Cartelle &cartelle);

}  // namespace quirlo::editor
