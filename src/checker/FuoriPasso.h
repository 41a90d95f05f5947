#pragma once

#include <QList>

#include "TestoLista.h"

namespace quirlo::verifica {

// The game reads a list's syllables one after the other whatever the lines
// say. A line with a syllable more or less puts the words after it out of
// step with the lines: each takes syllables of the next, until a line puts
// things right again, if one does.
struct TrattoFuoriPasso {
  int riga = 0;               // the line with a syllable more or less
  int sillabe = 0;            // how many it has
  qsizetype primaParola = 0;  // the words read wrong, by index, both ends included
  qsizetype ultimaParola = 0;
  int ultimaRiga = 0;  // where the last of them ends
};

// `campi`: the list's fields in file order; the first `parole` words of
// `perParola` fields each are looked at (a last, incomplete one included).
QList<TrattoFuoriPasso> trattiFuoriPasso(const QList<Campo> &campi, int perParola, qsizetype parole);

// What the teacher reads at the line that starts a stretch, and the note on
// the findings about its words, which are counted there and not listed.
QString testoTratto(const TrattoFuoriPasso &t, int perParola);
QString testoConseguenze(int errori, int avvisi);

}  // namespace quirlo::verifica
