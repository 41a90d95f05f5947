#include "CaratteriInAnticipo.h"

namespace quirlo {

// The toolkit asks the system for its fonts as it lists them: nothing to read first.
void leggiConfigurazioneCaratteri() {}

}  // namespace quirlo
