#include "Disegni.h"

namespace quirlo {

namespace {

// Card i carries syllable i div 3 + 1 of word i mod 3 + 1.
constexpr CartaEsercizio Carte[] = {
    {"Label1", 0, 0, 0}, {"Label1", 1, 1, 0}, {"Label1", 2, 2, 0},
    {"Label1", 3, 0, 1}, {"Label1", 4, 1, 1}, {"Label1", 5, 2, 1},
    {"Label1", 6, 0, 2}, {"Label1", 7, 1, 2}, {"Label1", 8, 2, 2},
};

// The place (0..8) of each card Label1(0..8).
constexpr int Disposizioni[RigheDisposizioni * 9] = {
    3, 7, 2, 4, 6, 5, 0, 8, 1,  //
    4, 5, 1, 8, 3, 0, 6, 2, 7,  //
    6, 5, 4, 7, 8, 1, 0, 2, 3,  //
    7, 3, 6, 2, 5, 0, 4, 1, 8,  //
    6, 4, 0, 5, 1, 3, 8, 2, 7,  //
    3, 1, 8, 6, 2, 7, 4, 0, 5,  //
    4, 0, 5, 1, 8, 6, 2, 3, 7,  //
    5, 7, 2, 0, 6, 3, 4, 1, 8,  //
    2, 3, 8, 6, 4, 1, 7, 0, 5,  //
    6, 4, 5, 1, 7, 8, 2, 0, 3,  //
    1, 0, 5, 3, 7, 2, 6, 8, 4,  //
};

int postoInTwip(int posto) { return 100 + 1000 * posto; }

}  // namespace

const ConfigurazioneEsercizio &DISEGNI2::Configurazione() {
  static const RegoleEsercizio regole{catalogo::lista(3, catalogo::Livello::Facile),
                                      catalogo::lista(3, catalogo::Livello::Difficile), Carte, Disposizioni};
  static const ConfigurazioneEsercizio c{schermataDisegni2(), regole, "mnulista", postoInTwip};
  return c;
}

DISEGNI2::DISEGNI2(QWidget *parent) : Esercizio(Configurazione(), parent) {}

}  // namespace quirlo
