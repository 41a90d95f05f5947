#pragma once

#include <QIODevice>

#include "Impaginazione.h"

namespace quirlo::schede {

// A word's drawing as the game finds it.
struct Disegno {
  QString parola;
  QString percorso;  // the full path
};

// Paints `imp` as an A4 PDF on `uscita` (open for writing), the fonts embedded
// and each drawing at print resolution; `disegni[k]` belongs to word k.
// Empty on success; else one Italian sentence, and what was written is no PDF
// to keep.
QString scriviPdf(QIODevice &uscita, const Impaginazione &imp, const QList<Disegno> &disegni);

// Dots per inch the PDF is laid out at: what a school printer prints.
inline constexpr int Risoluzione = 300;

}  // namespace quirlo::schede
