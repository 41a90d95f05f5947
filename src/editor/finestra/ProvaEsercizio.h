#pragma once

#include "Archivio.h"

#include <QStringList>

class QWidget;

namespace quirlo::editor {

// The words of her list that the program's list of the same name lacks,
// newest (last in the file) first: what a trial should show her.
QStringList paroleNuove(const Cartelle &cartelle, const ListaAperta &aperta);

// "Prova": one exercise of `lista` in the game's own window, read from her
// folders as the game reads them, the words of `preferite` (as many as fit)
// among those drawn. Nothing is written; leaving closes it. Null when the game
// would refuse the list, after saying why in the game's own words.
QWidget *apriProva(const Cartelle &cartelle, const catalogo::Lista &lista, const QStringList &preferite);

// The application's property that keeps the system's style, set before the
// editor chooses its own: the trial is drawn in it.
inline constexpr const char *StileDiSistema = "quirloStileDiSistema";

// Closes every trial still open, as the editor's window closes.
void chiudiProve();

}  // namespace quirlo::editor
