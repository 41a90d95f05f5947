#pragma once

#include "CaricatoreImmagini.h"
#include "Disegni.h"

#include <QLabel>

namespace quirlo::prova {

// r that makes a draw of floor(r * n) + 1 give record k.
inline double perRecord(int k, int n) { return (k - 0.5) / n; }
// r that makes the arrangement draw give row `riga`.
inline double perRiga(int riga) { return (riga + 0.5) / 11.0; }

// Every drawing of the exercise in its frame (or left empty), and nothing
// more being decoded.
inline bool aspettaDisegni(Esercizio &e) {
  e.attendiDisegni(30000);
  CaricatoreImmagini::attendiFilo();
  return e.disegniInArrivo() == 0;
}

// Drops a card on a slot through the window's own handler for that row.
inline void lascia(Esercizio &e, int riga, int indice, QLabel *carta) {
  switch (riga) {
    case 0: e.Label2_DragDrop(indice, carta); break;
    case 1: e.Label3_DragDrop(indice, carta); break;
    default: {
      auto *d2 = dynamic_cast<DISEGNI2 *>(&e);
      Q_ASSERT(d2);
      d2->Label4_DragDrop(indice, carta);
    }
  }
}

struct Posto {
  int riga = -1;
  int indice = -1;
};

// The slot that is waiting for this card's text and is still empty.
inline Posto postoPer(const Esercizio &e, const QLabel *carta) {
  const auto &c = e.regole();
  for (int riga = 0; riga < c.campi(); ++riga)
    for (int k = 0; k < c.parole(); ++k)
      if (e.casella(riga, k)->text().isEmpty() &&
          e.Sillaba(riga, e.Scelta(k)).toUpper() == carta->text().toUpper())
        return {riga, k};
  return {};
}

// Places every card on its slot; the last drop builds the next exercise.
inline void completa(Esercizio &e) {
  const int carte = int(e.regole().carte.size());
  for (int i = 0; i < carte; ++i) {
    QLabel *carta = e.carta(i);
    const Posto p = postoPer(e, carta);
    Q_ASSERT(p.riga >= 0);
    lascia(e, p.riga, p.indice, carta);
  }
}

}  // namespace quirlo::prova
