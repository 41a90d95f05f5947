// Tap a card, then tap its slot: the same game for fingers, whiteboards and
// hands that can't drag yet. The widgets only report presses; the rules live here.
#include "Esercizio.h"

#include "Traccia.h"
#include "VoceDisegni.h"
#include "Widgets.h"

#include <QMouseEvent>
#include <QWindow>

namespace quirlo {

void Esercizio::collegaCaselle() {
  for (int i = 0; i < int(regole().carte.size()); ++i)
    if (auto *c = qobject_cast<Carta *>(carta(i)))
      connect(c, &Carta::toccata, this, [this](Carta *toccata) { cartaToccata(toccata); });
  for (int riga = 0; riga < regole().campi(); ++riga)
    for (QWidget *w : controlli_.elementi(QString::fromUtf8(RigheCaselle[riga])))
      if (auto *slot = qobject_cast<Casella *>(w)) {
        connect(slot, &Casella::lasciata, this,
                [this, riga](int indice, QLabel *sorgente) { lasciaSuRiga(riga, indice, sorgente); });
        connect(slot, &Casella::premuta, this,
                [this, riga](Casella *premuta) { casellaPremuta(riga, premuta->indice()); });
      }
  for (int k = 0; k < regole().parole(); ++k) {
    Immagine *disegno = cornice(k);
    disegno->impostaToccabile(true);
    connect(disegno, &Immagine::toccata, this, [this, k] { disegnoToccato(k); });
  }
  // Presses that no control takes (background, drawings, counters, faces,
  // used cards) end up on the client area.
  centralWidget()->installEventFilter(this);
}

void Esercizio::disegnoToccato(int k) {
  if (partita_.generata())
    VoceDisegni::di(partita_.parola(k));
}

bool Esercizio::eventFilter(QObject *oggetto, QEvent *evento) {
  if (evento->type() == QEvent::Expose && attesaAlPrimoFrame_ && oggetto == windowHandle()) {
    attesaAlPrimoFrame_ = false;
    attendiDisegni(AttesaDisegniMs);
  }
  if (oggetto == centralWidget() && evento->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton)
    deseleziona();
  return QMainWindow::eventFilter(oggetto, evento);
}

void Esercizio::cartaToccata(QLabel *toccata) {
  if (indiceCarta(toccata) < 0)
    return;
  // A second tap on the chosen card takes the choice back.
  if (toccata == selezionata_ || !toccata->isEnabled())
    deseleziona();
  else
    seleziona(toccata);
}

void Esercizio::casellaPremuta(int riga, int Index) {
  QLabel *scelta = selezionata_;
  if (!scelta || riga < 0 || riga >= regole().campi())
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
