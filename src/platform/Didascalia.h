#pragma once

class QWindow;

namespace quirlo {

// Gives a window with no title a truly empty caption. Qt shows the program's
// name in place of an empty title, so task bars and window lists would read
// "Quirlo" where the window has no caption at all. Call it once the native
// window exists and before it is shown; windows with a title are left alone.
void didascaliaVuota(QWindow *finestra);

}  // namespace quirlo
