#pragma once

#include <functional>

class QWidget;

namespace quirlo {

// Runs `azione` once, just after `finestra` has painted for the first time
// (its frame already handed to the screen), for work that must not delay that
// frame. Without a window it runs at the next turn of the event loop; if the
// window is destroyed before it paints, never.
void dopoPrimoFrame(QWidget *finestra, std::function<void()> azione);

}  // namespace quirlo
