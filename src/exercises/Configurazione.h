#pragma once

#include "Layout.h"
#include "Partita.h"

namespace quirlo {

// What makes one exercise window differ from the other; everything else is shared.
struct ConfigurazioneEsercizio {
  const Schermata &schermata;
  const RegoleEsercizio &regole;
  const char *menuLista;         // the list menu's control name
  int (*sinistra)(int valore);   // an arrangement's value as a left edge in twips
};

// The slot arrays, by syllable position.
inline constexpr const char *RigheCaselle[] = {"Label2", "Label3", "Label4"};
inline constexpr int IndiceLegenda = 4;

}  // namespace quirlo
