#pragma once

#include <QByteArray>

namespace quirlo {

// Decodes a RIFF/WAVE file held in memory: integer PCM of 8, 16, 24 or 32 bits
// and 32-bit float, plain or in the extensible header. The result is 16-bit
// interleaved PCM with `canali` channels at `frequenza` Hz (channels beyond the
// file's repeat its last one; rates are converted linearly); empty when the
// data is not such a file or holds no sound. At most `massimoSecondi` of sound
// are decoded, so a huge file cannot fill memory.
QByteArray decodificaWav(const QByteArray &file, int frequenza, int canali, int massimoSecondi = 30);

}  // namespace quirlo
