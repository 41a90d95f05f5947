#include "ModuloColoriSuoni.h"

#include "Piattaforma.h"
#include "Traccia.h"

#include <algorithm>
#include <cmath>

namespace quirlo::ModuloColoriSuoni {

namespace {
// floor(r * n) + 1, kept inside 1..n even for an r that rounds up to 1.
int estrai(int n) { return std::clamp(int(std::floor(piattaforma().casuale() * n)) + 1, 1, n); }
}  // namespace

QString percorsoSuonoEsatto(int n) { return percorsoDati(QStringLiteral("\\suoni\\si%1.wav").arg(n)); }

QString percorsoSuonoErrato() { return percorsoDati(QStringLiteral("\\suoni\\no.wav")); }

void SuonoEsatto() {
  const int n = estrai(SuoniEsatti);
  traccia(QStringLiteral("suono si%1").arg(n));
  piattaforma().suona(percorsoSuonoEsatto(n));
}

void SuonoErrato() {
  traccia(QStringLiteral("suono no"));
  piattaforma().suona(percorsoSuonoErrato());
}

double ColoreCasuale() {
  const int i = estrai(int(Tavolozza.size()) - 1);
  return double(Tavolozza[size_t(i)]);
}

}  // namespace quirlo::ModuloColoriSuoni
