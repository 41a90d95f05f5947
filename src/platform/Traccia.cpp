#include "Traccia.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace quirlo {

namespace {
const qint64 InizioProgramma = istanteMicro();
}  // namespace

bool tracciaAttiva() {
  static const bool attiva = std::getenv("QUIRLO_TRACCIA") != nullptr;
  return attiva;
}

void traccia(const QString &riga) {
  if (!tracciaAttiva())
    return;
  const QByteArray testo = riga.toUtf8();
  // Written whole: a NUL in the text must not end the line early.
  std::fputs("QUIRLO ", stderr);
  std::fwrite(testo.constData(), 1, size_t(testo.size()), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

qint64 istanteMicro() {
  // The monotonic clock that every process reads alike (CLOCK_MONOTONIC on
  // Linux, the performance counter on Windows).
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

qint64 istanteInizio() { return InizioProgramma; }

}  // namespace quirlo
