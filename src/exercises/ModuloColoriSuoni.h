#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace quirlo::ModuloColoriSuoni {

// Entry 0 is left empty and never chosen; 14 and 15 hold the same colour.
inline constexpr std::array<std::int32_t, 19> Tavolozza = {
    0,        12632319, 8421631,  255,      8438015,  33023,    12648447,
    65535,    16576,    8454016,  49152,    16777152, 16776960, 16761024,
    16761087, 16761087, 14737632, 16711680, 16711935};

// One of the four right-answer sounds, picked at random: one draw.
void SuonoEsatto();
// The wrong-answer sound: no draw.
void SuonoErrato();
// A palette colour (0x00BBGGRR) picked at random: one draw.
double ColoreCasuale();

// The five sound files, as paths under the program folder.
QString percorsoSuonoEsatto(int n);
QString percorsoSuonoErrato();
QStringList percorsiSuoni();

}  // namespace quirlo::ModuloColoriSuoni
