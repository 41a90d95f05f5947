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

}  // namespace quirlo
