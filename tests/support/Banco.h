#pragma once

#include "Dati.h"
#include "Disegni.h"
#include "PiattaformaFinta.h"

#include <memory>

namespace quirlo::prova {

// A scripted platform whose program folder is a fresh temporary folder.
struct Banco {
  PiattaformaInstallata p;
  CartellaDati d;
  PiattaformaFinta &f = p.finta;

  Banco() { f.cartella = d.percorso(); }

  // Loads an exercise window with `numeri` as its draws; nullptr when its list is refused.
  template <class W>
  std::unique_ptr<W> apri(QList<double> numeri = {}) {
    f.numeri = std::move(numeri);
    auto w = std::make_unique<W>();
    if (!w->Form_Load())
      return nullptr;
    return w;
  }
};

// An exercise window on the screen, DISEGNI1 (1) or DISEGNI2 (2), over four
// lists of made-up words (easy lists of 6 and 5 words, difficult of 5 and 4).
struct BancoFinestra : Banco {
  std::unique_ptr<Esercizio> w;

  explicit BancoFinestra(int finestra, bool schermoIntero = false);
  int carte() const { return int(w->regole().carte.size()); }
};

}  // namespace quirlo::prova
