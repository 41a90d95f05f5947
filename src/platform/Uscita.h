#pragma once

namespace quirlo {

// What main() returns once the event loop has ended with `esito`. Where the
// sound library may abort while shutting down (Qt Multimedia on Linux) the
// process ends here at once, after flushing its output, and this never returns.
int fineProgramma(int esito);

}  // namespace quirlo
