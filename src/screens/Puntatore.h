#pragma once

#include <QCursor>

namespace quirlo {

// The game's large arrow, shown over cards and slots.
// At a scale other than 1 the picture and its hot spot grow with the window.
QCursor puntatoreFreccia(double fattore = 1.0);

}  // namespace quirlo
