#pragma once

#include <functional>

class QWidget;

namespace quirlo {

// The trace's view of the windows (see Traccia.h), for the real-window tests.

// With the trace on, writes "dipinta <window> t=<us> ..." once per top-level
// window, right after its first frame has been painted and handed to the
// screen, with the centres of its buttons and menu-bar entries; and
// "rilascio t=<us>" for each mouse button released over a window. Start-up
// and response times are measured from these. Safe to call more than once.
void tracciaPrimiFrame();

// With the trace on, runs `azione` each time `w` is shown, once its window has
// been exposed and painted: a test driving the real mouse may go ahead then.
void quandoEsposta(QWidget *w, std::function<void()> azione);
// With the trace on, writes "tendina <menu> <entry>|<checked>|<x>|<y>;..."
// each time one of the window's drop-down menus opens.
void tracciaTendine(QWidget *finestra);

}  // namespace quirlo
