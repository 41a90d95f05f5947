#pragma once

#include "Accettazione.h"
#include "Catalogo.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <span>

namespace quirlo {

// Which syllable a card carries: syllable `sillaba` (0-based) of word `parola`
// of the exercise; `nome` and `indice` name the control that shows it.
struct CartaEsercizio {
  const char *nome;
  int indice;
  int parola;
  int sillaba;
};

inline constexpr int RigheDisposizioni = 11;

// What makes one kind of exercise differ from the other.
struct RegoleEsercizio {
  const catalogo::Lista &facile;
  const catalogo::Lista &difficile;
  std::span<const CartaEsercizio> carte;  // in the order they are placed and written
  std::span<const int> disposizioni;      // 11 rows, one value per card

  int parole() const { return facile.paroleEsercizio; }  // words in one exercise
  int campi() const { return facile.sillabe; }           // syllables per word
};

enum class Esito {
  Ignorato,    // a used card, or one that is not of this exercise: nothing happens
  Giusto,
  Sbagliato,
  Completato,  // right, and the last card of the exercise
};

// One exercise window's game, with no widget: the accepted list, the words
// drawn, the cards and the slots they fill, and the judging of each drop.
// The program-wide counters (Contatori.h) are kept here as drops are judged.
class Partita {
 public:
  static constexpr int MassimoParoleEsercizio = 4;

  explicit Partita(const RegoleEsercizio &regole) : regole_(regole) {}
  const RegoleEsercizio &regole() const { return regole_; }

  // The list the next exercises draw from; NumeroParole becomes its length.
  void caricaLista(ListaAccettata lista);
  // A new exercise: each word drawn from the list (one draw each, again while
  // it repeats an earlier one), then one draw for the cards' arrangement.
  // Every slot empty and every card back in play. Words of `preferite`
  // (as parola() writes them), as many as fit, then take the places of drawn
  // ones, each at a place drawn again: the editor's trial shows the
  // teacher's new words. Without them nothing more is drawn.
  void genera(const QStringList &preferite = {});
  // Card `carta` (in placing order) dropped on slot `indice` of syllable row
  // `riga`; `legenda` for the legends beside the counters, where every drop is wrong.
  Esito lascia(int carta, int riga, int indice, bool legenda = false);

  bool generata() const { return scelte_[0] != 0; }
  // Record of the list (from 1) shown as word `k` (from 0).
  std::int16_t scelta(int k) const { return scelte_[size_t(k)]; }
  // Syllable `campo` of the list's record `i` (from 1).
  const QString &sillaba(int campo, int i) const;
  QString parola(int k) const;          // word k, its syllables joined
  const QString &disegno(int k) const;  // the file of word k's drawing
  const QString &sillabaCarta(int carta) const;
  // The syllable slot `indice` of row `riga` waits for.
  const QString &attesa(int riga, int indice) const;
  bool usata(int carta) const { return usate_[size_t(carta)]; }
  // Where card `carta` lies in this exercise, as its arrangement says.
  int posto(int carta) const;
  std::int16_t sillabeGiuste() const { return sillabeGiuste_; }

 private:
  const RegoleEsercizio &regole_;
  ListaAccettata lista_;
  std::array<std::int16_t, MassimoParoleEsercizio> scelte_{};
  std::array<bool, MassimoParoleEsercizio * 3> usate_{};
  int riga_ = 0;
  std::int16_t sillabeGiuste_ = 0;
};

}  // namespace quirlo
