#pragma once

#include "TestoLista.h"

#include <QList>
#include <QString>
#include <QStringList>

// Files named almost as the game wants them: a drawing saved as PNG, a name
// with ".jpg" twice because Windows hid the first, a blank at the end, a list
// called "Lista2.txt". The game finds none of them; the teacher sees her file
// and cannot tell why. Pure functions over a folder's listing.
namespace quirlo::quasi {

enum class Sbaglio {
  AltroFormato,    // tana.png: not a JPEG at all
  AltraEstensione, // tana.jpeg, lista2.csv
  Maiuscole,       // tana.JPG, Lista2.txt: found only where case is ignored
  DoppiaEstensione,// tana.jpg.jpg, lista3.txt.txt
  Spazi,           // "tana .jpg", "tana.jpg "
};

struct QuasiNome {
  QString trovato;  // the name on disk
  QString atteso;   // "tana.jpg", "lista2.txt"
  Sbaglio sbaglio;
  bool disegno;     // a drawing (else a list)

  // "c'è «tana.png»: il disegno deve essere un JPEG di nome tana.jpg"
  QString messaggio() const;
};

// Entries of a "jpg" folder that are near misses for `parola`'s drawing. Empty
// when the exact name is among them.
QList<QuasiNome> perDisegno(const QStringList &elenco, const QString &parola);

// Entries of a data folder that are near misses for the list `nomeLista`
// ("lista2.txt"). Empty when the exact name is among them.
QList<QuasiNome> perLista(const QStringList &elenco, const QString &nomeLista);

// Fields of a list holding syllables joined with a hyphen ("ca-sa"), as a
// teacher writes them at school: the game reads each as one syllable.
QList<Campo> sillabeColTrattino(const QList<Campo> &campi);

}  // namespace quirlo::quasi
