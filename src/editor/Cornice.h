#pragma once

#include "Catalogo.h"

#include <QSize>

namespace quirlo::editor {

// The frame a list's drawings are shown in, as the exercise window's layout
// table draws it at scale 1 (144 x 120 for two syllables, 160 x 160 for three).
QSize cornice(const catalogo::Lista &lista);

// The size a new drawing is saved at: twice the frame as a full-HD board shows
// it in full screen, so it stays sharp there and on a screen with twice the
// pixel density, and never larger (the game decodes it at every new exercise).
QSize formatoDisegno(const catalogo::Lista &lista);

// The screen a classroom board has: the size formatoDisegno() is worked out for.
inline constexpr QSize SchermoLavagna(1920, 1080);

}  // namespace quirlo::editor
