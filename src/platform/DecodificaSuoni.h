#pragma once

#include <QByteArray>
#include <QString>

namespace quirlo {

// What every sound becomes before it is played, on every platform: 16-bit
// interleaved PCM, stereo, at 44.1 kHz.
namespace formatoSuono {
inline constexpr int Frequenza = 44100;
inline constexpr int Canali = 2;
inline constexpr int BytePerFrame = Canali * 2;
inline constexpr int BytePerSecondo = Frequenza * BytePerFrame;
// Effects and words are short; anything longer is cut here, so that no file
// can fill memory.
inline constexpr int MassimoSecondi = 30;
// A header past these is broken or hostile, not a sound for this game: the
// cap on seconds alone would let its rate or channels ask for gigabytes.
inline constexpr qint64 MassimaFrequenza = 384000;
inline constexpr int MassimiCanali = 8;
// Bytes of sound data read from a file, whatever its layout: past them the
// sound is cut as a long one is (a few seconds of the densest layouts).
inline constexpr qint64 MassimoByteLetti = 64LL << 20;
}  // namespace formatoSuono

// Why a sound file gives silence, or only its start.
enum class StatoSuono {
  Buono,
  NonSuono,         // missing, not a regular file, or no sound we can read
  FrequenzaFuori,   // more samples a second than any sound card plays
  TroppiCanali,
};

struct SuonoLetto {
  QByteArray pcm;  // in formatoSuono; empty unless Buono
  StatoSuono stato = StatoSuono::NonSuono;
  qint64 frequenza = 0;  // as the file says, when it says
  int canali = 0;
  bool tagliato = false;  // only its start is played (see MassimoSecondi, MassimoByteLetti)
};

// The sound file at `percorso` in that format. Linux reads every WAV variant
// through libsndfile; Windows reads PCM and float WAV with the game's own
// reader. Both keep to the limits above, and neither holds more than the
// result and a small buffer, however large the file.
SuonoLetto leggiSuono(const QString &percorso);
inline QByteArray decodificaSuono(const QString &percorso) { return leggiSuono(percorso).pcm; }

// Buono when a header's rate and channels are within the limits.
StatoSuono limitiSuono(qint64 frequenza, qint64 canali);
// How many of `frame` frames of `byteFrame` bytes each are decoded at `frequenza`.
qint64 frameDaLeggere(qint64 frame, qint64 frequenza, qint64 byteFrame);

}  // namespace quirlo
