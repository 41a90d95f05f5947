#pragma once

#include "Layout.h"

#include <span>

namespace quirlo {

// Which syllable a card carries: syllable `sillaba` (0-based) of word `parola`.
struct CartaEsercizio {
  const char *nome;
  int indice;
  int parola;
  int sillaba;
};

// What makes one exercise window differ from the other; everything else is shared.
struct ConfigurazioneEsercizio {
  const Schermata &schermata;
  int parole;                   // words in one exercise
  int campi;                    // syllables per word
  const char *listaFacile;      // "\lista2.txt"
  const char *listaDifficile;
  const char *menuLista;        // the list menu's control name
  std::span<const CartaEsercizio> carte;  // in the order they are placed and written
  std::span<const int> disposizioni;      // 11 rows, one value per card
  int (*sinistra)(int valore);            // a table value as a left edge in twips
};

inline constexpr int RigheDisposizioni = 11;
// The slot arrays, by syllable position.
inline constexpr const char *RigheCaselle[] = {"Label2", "Label3", "Label4"};
inline constexpr int IndiceLegenda = 4;

}  // namespace quirlo
