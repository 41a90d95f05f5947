#pragma once

#include "Archivio.h"

#include <QStringList>

namespace quirlo::editor {

// What the editor mends by itself in lists and drawings put together by hand.
struct Riparazione {
  QStringList fatte;   // one Italian line per thing mended
  QStringList errori;  // one per thing it could not mend
};

// Drawings named almost right ("tana.png", "tana.jpg.jpg", "Tana .jpg"): each
// becomes the JPEG the game looks for, in the user folder, cropped and sized
// as a new photo would be. The file found stays where it was.
Riparazione riparaDisegni(const Cartelle &cartelle);

// A list written the school's way, "ca-sa" on each line: the hyphens become
// the commas the game reads, and the list is saved in the user folder (the
// version before kept among the copies). Done only when every line then holds
// one word of the list's syllables.
Riparazione riparaTrattini(const Cartelle &cartelle, const catalogo::Lista &lista);

// Whether the lists hold anything riparaDisegni or riparaTrattini would mend.
bool qualcosaDaRiparare(const Cartelle &cartelle);

}  // namespace quirlo::editor
