#include "FuoriPasso.h"

#include <QHash>

namespace quirlo::verifica {

QList<TrattoFuoriPasso> trattiFuoriPasso(const QList<Campo> &campi, int perParola, qsizetype parole) {
  QList<TrattoFuoriPasso> tratti;
  if (perParola <= 0)
    return tratti;
  parole = std::min(parole, (campi.size() + perParola - 1) / perParola);
  QHash<int, int> perRiga;
  for (const Campo &c : campi)
    ++perRiga[c.riga];
  const auto inizio = [&](qsizetype k) { return campi[k * perParola].riga; };
  const auto fine = [&](qsizetype k) { return campi[std::min(campi.size(), (k + 1) * perParola) - 1].riga; };
  // A word is in step when it starts a line; the one before it then ended one.
  const auto aMetaRiga = [&](qsizetype k) { return k > 0 && fine(k - 1) == inizio(k); };

  for (qsizetype k = 1; k < parole; ++k) {
    if (!aMetaRiga(k))
      continue;
    TrattoFuoriPasso t;
    t.riga = inizio(k - 1);
    t.sillabe = perRiga.value(t.riga);
    // A line too short: the word that starts on it already took the next line's syllables.
    t.primaParola = fine(k - 1) != inizio(k - 1) ? k - 1 : k;
    while (k + 1 < parole && aMetaRiga(k + 1))
      ++k;
    t.ultimaParola = k;
    t.ultimaRiga = fine(k);
    tratti.append(t);
  }
  return tratti;
}

}  // namespace quirlo::verifica
