#pragma once

#include <QString>

namespace quirlo::banco {

// The heaviest drawings the game accepts, one kind at a time: four of them in
// a folder with a list of their four words, so an exercise shows all four.
enum class Pesanti {
  Progressivi,  // progressive JPEGs just inside the decoder's memory
  Foto,         // baseline photos at the pixel limit (120 megapixels)
  Scansioni,    // a progressive JPEG whose scans repeat up to the work limit
  Commenti,     // a small drawing with comments up to the memory limit
};
inline constexpr Pesanti TuttiPesanti[] = {Pesanti::Progressivi, Pesanti::Foto, Pesanti::Scansioni, Pesanti::Commenti};

const char *nomePesanti(Pesanti tipo);
bool pesantiDaNome(const QString &nome, Pesanti &tipo);
// Writes lista2.txt and the four drawings into `cartella`; false (and why, on
// stderr) when a drawing is not accepted after all.
bool preparaPesanti(Pesanti tipo, const QString &cartella);

}  // namespace quirlo::banco
