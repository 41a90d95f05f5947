#pragma once

#include <QString>
#include <QtGlobal>

namespace quirlo {

// Testing aid: with QUIRLO_TRACCIA set in the environment, one line per event
// goes to standard error. Without it nothing is written.
bool tracciaAttiva();
void traccia(const QString &riga);

// Microseconds on the system's monotonic clock, comparable across processes.
qint64 istanteMicro();
// That clock when the program's statics were set up, just before main() ran.
qint64 istanteInizio();

}  // namespace quirlo
