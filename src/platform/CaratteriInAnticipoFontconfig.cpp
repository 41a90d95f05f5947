#include "CaratteriInAnticipo.h"

#include <fontconfig/fontconfig.h>

namespace quirlo {

// Loads fontconfig's default configuration and font cache once per process
// (some thirty files on a desktop); the toolkit's own FcInit() then finds it.
void leggiConfigurazioneCaratteri() { FcInit(); }

}  // namespace quirlo
