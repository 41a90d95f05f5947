#pragma once

#include <cstdint>
#include <limits>

namespace quirlo {

// Program-wide, shared by the two exercise windows (only one is open at a time).
namespace Globali {
inline std::int16_t NumeroParole = 0;
inline std::int16_t NumeroEsatti = 0;
inline std::int16_t NumeroErrati = 0;
}  // namespace Globali

// The counters stop at their largest value instead of overflowing.
inline void incrementa(std::int16_t &contatore) {
  if (contatore < std::numeric_limits<std::int16_t>::max())
    ++contatore;
}

// Exercises done and wrong drops back to 0: a window opening, "Azzera
// conteggio", leaving for the menu.
inline void azzeraConteggio() {
  Globali::NumeroEsatti = 0;
  Globali::NumeroErrati = 0;
}

}  // namespace quirlo
