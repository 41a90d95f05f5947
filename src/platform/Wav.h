#pragma once

#include "DecodificaSuoni.h"

#include <QByteArray>

namespace quirlo {

// Decodes a RIFF/WAVE file held in memory: integer PCM of 8, 16, 24 or 32 bits
// and 32-bit float, plain or in the extensible header. The result is 16-bit
// interleaved PCM with `canali` channels at `frequenza` Hz (channels beyond the
// file's repeat its last one; rates are converted linearly); empty when the
// data is not such a file or holds no sound. At most `massimoSecondi` of sound
// are decoded, and no more than the limits of DecodificaSuoni.h allow, so a
// huge file cannot fill memory nor be read whole.
SuonoLetto leggiWav(const QByteArray &file, int frequenza, int canali, int massimoSecondi = formatoSuono::MassimoSecondi);
inline QByteArray decodificaWav(const QByteArray &file, int frequenza, int canali,
                                int massimoSecondi = formatoSuono::MassimoSecondi) {
  return leggiWav(file, frequenza, canali, massimoSecondi).pcm;
}

// The 44-byte header of a plain PCM WAV file holding `bytePcm` bytes of
// sound in formatoSuono.
QByteArray intestazioneWav(qint64 bytePcm);

}  // namespace quirlo
