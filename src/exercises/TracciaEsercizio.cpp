// The exercise as the real-window tests read it: one trace line after every
// drop and command, with where each card and slot is on the screen.
#include "Esercizio.h"

#include "Traccia.h"

#include <QLabel>

namespace quirlo {

namespace {

QString descrivi(const QLabel *l, const QString &atteso, bool carta) {
  const QPoint centro = l->mapToGlobal(l->rect().center());
  const QString terzo = carta ? QString::number(l->isEnabled() ? 1 : 0) : atteso;
  return QStringLiteral("%1|%2|%3|%4|%5").arg(l->objectName(), l->text(), terzo).arg(centro.x()).arg(centro.y());
}

}  // namespace

void Esercizio::tracciaStato() const {
  if (!tracciaAttiva())
    return;
  QStringList carte;
  for (int i = 0; i < int(regole().carte.size()); ++i)
    carte << descrivi(carta(i), {}, true);
  QStringList caselle;
  for (int riga = 0; riga < regole().campi(); ++riga)
    for (int k = 0; k < regole().parole(); ++k)
      caselle << descrivi(casella(riga, k), partita_.attesa(riga, k).toUpper(), false);
  traccia(QStringLiteral("stato %1 esatti=%2 errati=%3 giuste=%4 si=%5 no=%6 carte=%7 caselle=%8")
              .arg(objectName())
              .arg(Globali::NumeroEsatti)
              .arg(Globali::NumeroErrati)
              .arg(partita_.sillabeGiuste())
              .arg(controlli_.trova(QStringLiteral("ComandoIconaSi"))->isHidden() ? 0 : 1)
              .arg(controlli_.trova(QStringLiteral("ComandoIconaNo"))->isHidden() ? 0 : 1)
              .arg(carte.join(QLatin1Char(';')), caselle.join(QLatin1Char(';'))));
}

}  // namespace quirlo
