#pragma once

#include "Catalogo.h"
#include "TestoVisibile.h"
#include "Verifica.h"

namespace quirlo::verifica {

// A word or name as the checker quotes it: «…», shortened and escaped.
inline QString tra(const QString &t) {
  return QStringLiteral("\u00AB%1\u00BB").arg(accorciato(t));
}

// Appends to `r` what is wrong with one list, read from `cartelle` as the game reads it.
void verificaLista(const QStringList &cartelle, const catalogo::Lista &lista, Rapporto &r);
// Appends to `r` what is wrong with the five sounds of the program folder `cartella`.
void verificaSuoni(const QString &cartella, Rapporto &r);
// Appends to `r` what is wrong with the voice files of every folder, and
// which words have no recording.
void verificaVoci(const QStringList &cartelle, Rapporto &r);

}  // namespace quirlo::verifica
