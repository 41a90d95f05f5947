#include "Console.h"

#ifdef _WIN32
#include <windows.h>

namespace quirlo {

ConsoleUtf8::ConsoleUtf8() {
  const UINT attuale = GetConsoleOutputCP();
  if (attuale != 0 && attuale != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
    precedente_ = attuale;
}

ConsoleUtf8::~ConsoleUtf8() {
  if (precedente_ != 0)
    SetConsoleOutputCP(precedente_);
}

}  // namespace quirlo
#else
namespace quirlo {

ConsoleUtf8::ConsoleUtf8() = default;
ConsoleUtf8::~ConsoleUtf8() = default;

}  // namespace quirlo
#endif
