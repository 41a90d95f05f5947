#pragma once

#include <QString>

namespace quirlo {

// Writes `testo` to standard output. A Windows console gets it as its own
// characters, whatever its code page (cmd.exe starts in the OEM page, 850 in
// Italy, where UTF-8 bytes show « » and accented letters garbled); a file, a
// pipe or a terminal elsewhere gets UTF-8.
void scriviUscita(const QString &testo);

}  // namespace quirlo
