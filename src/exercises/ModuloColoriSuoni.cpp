#include "ModuloColoriSuoni.h"

#include "Catalogo.h"
#include "Piattaforma.h"
#include "Traccia.h"

namespace quirlo::ModuloColoriSuoni {

QString percorsoSuonoEsatto(int n) { return percorsoDati(catalogo::suonoEsatto(n)); }

QString percorsoSuonoErrato() { return percorsoDati(catalogo::suonoErrato()); }

QStringList percorsiSuoni() {
  QStringList percorsi;
  for (const QString &suono : catalogo::suoni())
    percorsi << percorsoDati(suono);
  return percorsi;
}

void SuonoEsatto() {
  const int n = estrai(catalogo::SuoniEsatti);
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
