#include "Uscita.h"

#include <cstdio>

#ifdef _WIN32
namespace quirlo {

// Windows plays sounds without Qt Multimedia: the program ends the ordinary way.
int fineProgramma(int esito) {
  std::fflush(nullptr);
  return esito;
}

}  // namespace quirlo
#else
#include <unistd.h>

namespace quirlo {

int fineProgramma(int esito) {
  std::fflush(nullptr);
  _exit(esito);
}

}  // namespace quirlo
#endif
