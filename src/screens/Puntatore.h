#pragma once

#include <QCursor>

namespace quirlo {

// The game's large arrow, shown over cards and slots.
QCursor puntatoreFreccia();

}  // namespace quirlo
