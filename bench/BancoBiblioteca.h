#pragma once

#include <QString>

namespace quirlo::banco {

// Registers the picture library's benchmarks, on the library beside the game.
void registraBiblioteca(const QString &cartellaGioco);

}  // namespace quirlo::banco
