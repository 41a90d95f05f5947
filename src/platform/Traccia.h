#pragma once

#include <QString>

namespace quirlo {

// Testing aid: with QUIRLO_TRACCIA set in the environment, one line per event
// goes to standard error. Without it nothing is written.
bool tracciaAttiva();
void traccia(const QString &riga);

}  // namespace quirlo
