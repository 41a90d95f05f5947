#pragma once

namespace quirlo {

// While one of these lives, UTF-8 written to a Windows console shows as
// written: cmd.exe starts in the OEM code page (850 in Italy), where « » and
// the accented letters of the checker's messages come out garbled. The
// console's own page comes back when it dies, since the page belongs to the
// console and not to this program. Elsewhere terminals are UTF-8 already and
// this does nothing.
class ConsoleUtf8 {
 public:
  ConsoleUtf8();
  ~ConsoleUtf8();
  ConsoleUtf8(const ConsoleUtf8 &) = delete;
  ConsoleUtf8 &operator=(const ConsoleUtf8 &) = delete;

  // The code page the console had before, 0 when there was none to change
  // (no console: output to a file or a pipe, or not Windows).
  unsigned precedente() const { return precedente_; }

 private:
  unsigned precedente_ = 0;
};

}  // namespace quirlo
