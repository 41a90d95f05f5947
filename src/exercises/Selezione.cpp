// Tap a card, then tap its slot: the same game for fingers, whiteboards and
// hands that can't drag yet. The widgets only report presses; the rules live here.
#include "Esercizio.h"

#include "Traccia.h"
#include "Widgets.h"

#include <QMouseEvent>

namespace quirlo {

void Esercizio::collegaSelezione() {
  for (int i = 0; i < int(config_.carte.size()); ++i)
    if (auto *c = qobject_cast<Carta *>(carta(i)))
      connect(c, &Carta::toccata, this, [this](Carta *toccata) { cartaToccata(toccata); });
  for (int riga = 0; riga < config_.campi; ++riga)
    for (QWidget *w : controlli_.elementi(QString::fromUtf8(RigheCaselle[riga])))
      if (auto *slot = qobject_cast<Casella *>(w))
        connect(slot, &Casella::premuta, this,
                [this, riga](Casella *premuta) { casellaPremuta(riga, premuta->indice()); });
  // Presses that no control takes (background, drawings, counters, faces,
  // used cards) end up on the client area.
  centralWidget()->installEventFilter(this);
}

bool Esercizio::eventFilter(QObject *oggetto, QEvent *evento) {
  if (oggetto == centralWidget() && evento->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton)
    deseleziona();
  return QMainWindow::eventFilter(oggetto, evento);
}

void Esercizio::cartaToccata(QLabel *toccata) {
  bool nostra = false;
  for (int i = 0; i < int(config_.carte.size()) && !nostra; ++i)
    nostra = carta(i) == toccata;
  if (!nostra)
    return;
  // A second tap on the chosen card takes the choice back.
  if (toccata == selezionata_ || !toccata->isEnabled())
    deseleziona();
  else
    seleziona(toccata);
}

void Esercizio::casellaPremuta(int riga, int Index) {
  QLabel *scelta = selezionata_;
  if (!scelta || riga < 0 || riga >= config_.campi)
    return;
  deseleziona();
  if (auto *slot = qobject_cast<Casella *>(casella(riga, Index)))
    slot->lascia(scelta);
}

void Esercizio::seleziona(QLabel *nuova) {
  if (auto *c = qobject_cast<Carta *>(selezionata_))
    c->evidenzia(false);
  selezionata_ = nuova;
  if (auto *c = qobject_cast<Carta *>(selezionata_))
    c->evidenzia(true);
  traccia(QStringLiteral("selezione %1 %2").arg(objectName(), nuova->objectName()));
}

void Esercizio::deseleziona() {
  if (!selezionata_)
    return;
  if (auto *c = qobject_cast<Carta *>(selezionata_))
    c->evidenzia(false);
  selezionata_ = nullptr;
  traccia(QStringLiteral("selezione %1 -").arg(objectName()));
}

}  // namespace quirlo
