#pragma once

#include "Catalogo.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace quirlo::editor {

// A photo or drawing chosen for a word, shown small while the teacher crops
// it. Sizes and rectangles are of the picture upright (its orientation tag applied).
struct Foto {
  QString percorso;   // the file; empty for a pasted picture
  QImage incollata;   // a pasted picture, whole
  QSize dimensione;   // full size, upright
  QImage anteprima;   // upright, at most the size asked for
  QString errore;     // one Italian sentence when it can't be used
  bool valida() const { return errore.isEmpty(); }
};

// Reads the file's header against the game's decoder budget, then decodes it
// straight at preview size: a camera's photo never lies in memory whole.
Foto apriFoto(const QString &percorso, int latoAnteprima);
// A picture from the clipboard or dropped from another program.
Foto fotoDaImmagine(const QImage &immagine, int latoAnteprima);

// The largest rectangle of `proporzione`'s shape that fits in `immagine`, centred.
QRect ritaglioPredefinito(QSize immagine, QSize proporzione);

struct DisegnoSalvato {
  QString percorso;  // the file written
  QString errore;
};

// Saves the part `ritaglio` of the picture as the word's drawing for
// `lista`: a JPEG of formatoDisegno()'s size (smaller when the part is),
// named as the game looks for it, in `cartellaUtente`'s "jpg" folder. A
// drawing already there is kept among the copies first.
DisegnoSalvato salvaDisegno(const Foto &foto, QRect ritaglio, const catalogo::Lista &lista,
                            const QString &parola, const QString &cartellaUtente);

}  // namespace quirlo::editor
