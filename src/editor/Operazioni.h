#pragma once

#include "Archivio.h"
#include "Foto.h"

#include <QRect>

// What the teacher does to a list, the same from the window and the command
// line: each operation checks, saves the picture, then saves the list, and
// says in Italian what went wrong.
namespace quirlo::editor {

// Where `parola` is in the list (compared as the game judges cards: letter
// case aside); -1 when it is not.
qsizetype indiceDi(const ListaAperta &aperta, const QString &parola);

// The drawing the game would show for `parola`; empty when none.
QString disegnoDi(const Cartelle &cartelle, const QString &parola);

// A picture for the word: the photo and the part of it to keep. Without one,
// the word keeps the drawing it has.
struct Immagine {
  const Foto *foto = nullptr;
  QRect ritaglio;
};

// Adds a word divided as `sillabe` at the end of the list.
Esito aggiungi(const Cartelle &cartelle, ListaAperta &aperta, const QStringList &sillabe, Immagine immagine = {},
               bool ancheSeCambiata = false);
// Replaces word `indice`: its division, its spelling, its picture. A word
// spelt anew takes its old drawing and the teacher's recording along when it
// has none of its own.
Esito cambia(const Cartelle &cartelle, ListaAperta &aperta, qsizetype indice, const QStringList &sillabe,
             Immagine immagine = {}, bool ancheSeCambiata = false);
Esito togli(const Cartelle &cartelle, ListaAperta &aperta, qsizetype indice, bool ancheSeCambiata = false);

}  // namespace quirlo::editor
