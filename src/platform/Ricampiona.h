#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <vector>

namespace quirlo {

// A sound at `daFrequenza` Hz turned, block by block as it is read, into
// 16-bit interleaved PCM with `canali` channels at `aFrequenza` Hz, converted
// linearly; louder than full scale is clipped. Only the result and one frame
// are held, so a decoder never needs the whole source in memory. Both
// decoders (the WAV reader and libsndfile's) hand their sound to the players
// through this.
class Ricampionatore {
 public:
  Ricampionatore(double daFrequenza, int aFrequenza, int canali, qint64 frameAttesi)
      : passo_(daFrequenza / aFrequenza), canali_(canali), ultimo_(size_t(canali), 0.0f) {
    if (frameAttesi > 0)
      pcm_.reserve(qsizetype((double(frameAttesi) / passo_ + 2) * canali * 2));
  }

  // `frame` more frames; `valore(f, c)` is sample `c` of the block's frame `f`, in [-1, 1].
  template <typename Valore>
  void aggiungi(Valore valore, qint64 frame) {
    if (frame <= 0)
      return;
    const auto campione = [&](qint64 f, int c) { return f < base_ ? ultimo_[size_t(c)] : valore(f - base_, c); };
    // Every output whose two neighbours are known by now.
    for (;; ++uscite_) {
      const double t = double(uscite_) * passo_;
      const auto f0 = qint64(t);
      if (f0 + 1 >= base_ + frame)
        break;
      scrivi(t - double(f0), [&](int c) { return campione(f0, c); }, [&](int c) { return campione(f0 + 1, c); });
    }
    for (int c = 0; c < canali_; ++c)
      ultimo_[size_t(c)] = valore(frame - 1, c);
    base_ += frame;
  }

  // The sound; its last frame is held until the length its rate gives.
  QByteArray fine() {
    if (base_ == 0)
      return {};
    const auto ultima = qint64(std::floor(double(base_ - 1) / passo_));
    for (; uscite_ <= ultima; ++uscite_) {
      const auto c0 = [&](int c) { return ultimo_[size_t(c)]; };
      scrivi(0.0, c0, c0);
    }
    return std::move(pcm_);
  }

 private:
  template <typename A, typename B>
  void scrivi(double frazione, A prima, B dopo) {
    const auto f = float(frazione);
    for (int c = 0; c < canali_; ++c) {
      float v = prima(c) * (1.0f - f) + dopo(c) * f;
      if (!std::isfinite(v))  // a float file's NaN or infinity: silence, not noise
        v = 0.0f;
      const auto s = qint16(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
      pcm_.append(reinterpret_cast<const char *>(&s), 2);
    }
  }

  double passo_;
  int canali_;
  qint64 base_ = 0;    // source frames taken so far
  qint64 uscite_ = 0;  // output frames written so far
  std::vector<float> ultimo_;
  QByteArray pcm_;
};

}  // namespace quirlo
