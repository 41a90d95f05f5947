#include "Traccia.h"

#include <cstdio>
#include <cstdlib>

namespace quirlo {

bool tracciaAttiva() {
  static const bool attiva = std::getenv("QUIRLO_TRACCIA") != nullptr;
  return attiva;
}

void traccia(const QString &riga) {
  if (!tracciaAttiva())
    return;
  const QByteArray testo = riga.toUtf8();
  std::fprintf(stderr, "QUIRLO %s\n", testo.constData());
  std::fflush(stderr);
}

}  // namespace quirlo
