#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

class QWidget;

namespace quirlo {

// Testing aid: with QUIRLO_TRACCIA set in the environment, one line per event
// goes to standard error. Without it nothing is written.
bool tracciaAttiva();
void traccia(const QString &riga);

// Microseconds on the system's monotonic clock, comparable across processes.
qint64 istanteMicro();

// With the trace on, writes "dipinta <window> t=<us> ..." once per top-level
// window, right after its first frame has been painted and handed to the
// screen, with the centres of its buttons and menu-bar entries; and
// "rilascio t=<us>" for each mouse button released over a window. Start-up
// and response times are measured from these. Safe to call more than once.
void tracciaPrimiFrame();

// Text on one trace line: backslash, CR and LF written as \\, \r and \n, the
// other control characters (NUL, DEL and C1 included) as \x00.
QString testoInRiga(const QString &testo);
// With the trace on, runs `azione` each time `w` is shown, once its window has
// been exposed and painted: a test driving the real mouse may go ahead then.
void quandoEsposta(QWidget *w, std::function<void()> azione);
// With the trace on, writes "tendina <menu> <entry>|<checked>|<x>|<y>;..."
// each time one of the window's drop-down menus opens.
void tracciaTendine(QWidget *finestra);

}  // namespace quirlo
