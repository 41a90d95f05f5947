#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace quirlo {

// `frame` frames of a sound at `daFrequenza` Hz as 16-bit interleaved PCM with
// `canali` channels at `aFrequenza` Hz, converted linearly; `valore(f, c)` is
// sample `c` of frame `f` in [-1, 1] (louder is clipped). Both decoders (the
// WAV reader and libsndfile's) hand their sound to the players through this.
template <typename Valore>
QByteArray ricampiona(Valore valore, qint64 frame, double daFrequenza, int aFrequenza, int canali) {
  const double passo = daFrequenza / aFrequenza;
  const auto uscitaFrame = qint64(std::floor(double(frame - 1) / passo)) + 1;
  QByteArray pcm(qsizetype(uscitaFrame * canali * 2), Qt::Uninitialized);
  auto *out = reinterpret_cast<qint16 *>(pcm.data());
  for (qint64 i = 0; i < uscitaFrame; ++i) {
    const double t = double(i) * passo;
    const auto f0 = qint64(t);
    const auto f1 = std::min(f0 + 1, frame - 1);
    const float frazione = float(t - double(f0));
    for (int c = 0; c < canali; ++c) {
      const float v = valore(f0, c) * (1.0f - frazione) + valore(f1, c) * frazione;
      out[i * canali + c] = qint16(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
    }
  }
  return pcm;
}

}  // namespace quirlo
