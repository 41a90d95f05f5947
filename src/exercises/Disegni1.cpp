#include "Disegni.h"

namespace quirlo {

namespace {

// Word k's first syllable is on Label1(k), its second on Label4(k).
constexpr CartaEsercizio Carte[] = {
    {"Label1", 0, 0, 0}, {"Label1", 1, 1, 0}, {"Label1", 2, 2, 0}, {"Label1", 3, 3, 0},
    {"Label4", 0, 0, 1}, {"Label4", 1, 1, 1}, {"Label4", 2, 2, 1}, {"Label4", 3, 3, 1},
};

// Left edges of Label1(0..3), then Label4(0..3); each row uses each place once.
constexpr int Disposizioni[RigheDisposizioni * 8] = {
    3400, 7800, 2300, 1200, 6700, 100,  5600, 4500,  //
    7800, 3400, 4500, 100,  1200, 5600, 6700, 2300,  //
    2300, 4500, 5600, 3400, 100,  6700, 7800, 1200,  //
    2300, 6700, 5600, 3400, 4500, 7800, 1200, 100,   //
    4500, 5600, 3400, 7800, 6700, 2300, 1200, 100,   //
    3400, 4500, 2300, 6700, 5600, 100,  7800, 1200,  //
    3400, 1200, 7800, 6700, 2300, 5600, 100,  4500,  //
    100,  2300, 4500, 7800, 1200, 5600, 6700, 3400,  //
    2300, 4500, 3400, 6700, 100,  7800, 1200, 5600,  //
    4500, 6700, 2300, 7800, 5600, 1200, 100,  3400,  //
    5600, 3400, 4500, 2300, 6700, 7800, 1200, 100,   //
};

int inTwip(int valore) { return valore; }

}  // namespace

const ConfigurazioneEsercizio &DISEGNI1::Configurazione() {
  static const RegoleEsercizio regole{catalogo::lista(2, catalogo::Livello::Facile),
                                      catalogo::lista(2, catalogo::Livello::Difficile), Carte, Disposizioni};
  static const ConfigurazioneEsercizio c{schermataDisegni1(), regole, "mnuLista", inTwip};
  return c;
}

DISEGNI1::DISEGNI1(QWidget *parent) : Esercizio(Configurazione(), parent) {}

}  // namespace quirlo
