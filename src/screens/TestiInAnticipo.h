#pragma once

#include <QFont>
#include <QList>

namespace quirlo {

struct Schermata;

// A window's text waits, the first time, for its fonts to be opened and each
// letter drawn once (a few milliseconds per face). Done for a window's faces,
// its menu's included, while the program waits for a click, the window that
// click opens finds them ready. Costs a few kilobytes of cached letters.
void preparaTesti(const Schermata &s);

// The faces a window draws with, its menu's included, each once.
QList<QFont> caratteriDi(const Schermata &s);

}  // namespace quirlo
