#pragma once

#include "Messaggi.h"
#include "PiattaformaQt.h"

namespace quirlo {

// The platform of a program with windows: the platform's services and the
// program's message box.
class PiattaformaFinestre final : public PiattaformaQt {
 public:
  int messaggio(const QString &testo, int flags) override { return mostraMessaggio(testo, flags); }
};

}  // namespace quirlo
