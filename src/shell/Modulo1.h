#pragma once

#include <QString>

namespace quirlo::Modulo1 {

// Six lines joined by CR LF, none after the last.
QString TestoInformazioni();

// Seeds the generator once and shows the start screen.
void Main();
void MostraInformazioni();
// Ends the program on Yes; returns with nothing changed on No.
void ChiediUscita();

}  // namespace quirlo::Modulo1
