#include "DecodificaSuoni.h"

#include <algorithm>

namespace quirlo {

StatoSuono limitiSuono(qint64 frequenza, qint64 canali) {
  if (frequenza <= 0 || frequenza > formatoSuono::MassimaFrequenza)
    return StatoSuono::FrequenzaFuori;
  if (canali <= 0 || canali > formatoSuono::MassimiCanali)
    return canali <= 0 ? StatoSuono::NonSuono : StatoSuono::TroppiCanali;
  return StatoSuono::Buono;
}

qint64 frameDaLeggere(qint64 frame, qint64 frequenza, qint64 byteFrame) {
  return std::min({frame, frequenza * formatoSuono::MassimoSecondi,
                   formatoSuono::MassimoByteLetti / std::max<qint64>(byteFrame, 1)});
}

}  // namespace quirlo
