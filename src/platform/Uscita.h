#pragma once

namespace quirlo {

// What main() returns once the event loop has ended with `esito`. The process
// ends here at once, after flushing its output, and this never returns: on
// Linux the sound's thread may be waiting on the sound server; on Windows
// (under Wine at least) a program whose worker threads decoded pictures never
// gets through the system's own shutdown of its libraries.
int fineProgramma(int esito);

// The same for a test program, which on Linux returns as usual so that the
// leak checkers see its end.
int fineProva(int esito);

}  // namespace quirlo
