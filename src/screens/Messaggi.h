#pragma once

#include <QString>

namespace quirlo {

// The program's message box, titled "Quirlo", modal over the active window:
// flags and results as in Msg (Piattaforma.h). "Sì"/"No" boxes answer No to
// Esc and to their frame's close button.
int mostraMessaggio(const QString &testo, int flags);

}  // namespace quirlo
