#include "FuoriPasso.h"

#include <QHash>

#include "TestoVisibile.h"

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

QString testoTratto(const TrattoFuoriPasso &t, int perParola) {
  const QString quante = plurale(t.sillabe, u"sillaba", u"sillabe");
  return QStringLiteral(
             "questa riga ha %1 invece di %2, e il gioco legge le sillabe una dopo l'altra senza "
             "guardare dove finiscono le righe: da qui alla riga %3 ogni parola è fatta con sillabe "
             "di parole diverse")
      .arg(t.sillabe > perParola ? quante : QStringLiteral("solo ") + quante)
      .arg(perParola)
      .arg(t.ultimaRiga);
}

QString testoConseguenze(int errori, int avvisi) {
  const int tutte = errori + avvisi;
  return QStringLiteral(
             "%1 sulle parole lette così (%2 e %3) non %4 elencat%5: sistemata questa riga, "
             "controlla di nuovo")
      .arg(plurale(tutte, u"segnalazione", u"segnalazioni"), plurale(errori, u"errore", u"errori"),
           plurale(avvisi, u"avviso", u"avvisi"), tutte == 1 ? QStringLiteral("è") : QStringLiteral("sono"),
           tutte == 1 ? QStringLiteral("a") : QStringLiteral("e"));
}

}  // namespace quirlo::verifica
