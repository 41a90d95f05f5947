// The microphone on Windows: waveIn on the default device, which converts to
// the game's format itself. A few buffers of a tenth of a second each go
// round, and the system flags an event as each one fills.
#include "DecodificaSuoni.h"
#include "Microfono.h"

#include <array>

#include <windows.h>
#include <mmsystem.h>

namespace quirlo {

namespace {

constexpr DWORD Pezzo = formatoSuono::BytePerSecondo / 10;
// A device that gives nothing for this long is gone (unplugged).
constexpr DWORD Attesa = 2000;

class CatturaWaveIn : public CatturaAudio {
 public:
  ~CatturaWaveIn() override {
    if (dispositivo_) {
      waveInReset(dispositivo_);
      for (WAVEHDR &t : testate_)
        if (t.dwFlags & WHDR_PREPARED)
          waveInUnprepareHeader(dispositivo_, &t, sizeof t);
      waveInClose(dispositivo_);
    }
    if (evento_)
      CloseHandle(evento_);
  }

  bool apri() {
    evento_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!evento_)
      return false;
    WAVEFORMATEX formato{};
    formato.wFormatTag = WAVE_FORMAT_PCM;
    formato.nChannels = formatoSuono::Canali;
    formato.nSamplesPerSec = formatoSuono::Frequenza;
    formato.wBitsPerSample = 16;
    formato.nBlockAlign = formatoSuono::BytePerFrame;
    formato.nAvgBytesPerSec = formatoSuono::BytePerSecondo;
    if (waveInOpen(&dispositivo_, WAVE_MAPPER, &formato, DWORD_PTR(evento_), 0, CALLBACK_EVENT) != MMSYSERR_NOERROR) {
      dispositivo_ = nullptr;
      return false;
    }
    for (size_t i = 0; i < testate_.size(); ++i) {
      dati_[i].resize(Pezzo);
      testate_[i] = {};
      testate_[i].lpData = dati_[i].data();
      testate_[i].dwBufferLength = Pezzo;
      if (waveInPrepareHeader(dispositivo_, &testate_[i], sizeof(WAVEHDR)) != MMSYSERR_NOERROR ||
          waveInAddBuffer(dispositivo_, &testate_[i], sizeof(WAVEHDR)) != MMSYSERR_NOERROR)
        return false;
    }
    return waveInStart(dispositivo_) == MMSYSERR_NOERROR;
  }

  QByteArray leggi() override {
    WAVEHDR &t = testate_[prossima_];
    while (!(t.dwFlags & WHDR_DONE))
      if (WaitForSingleObject(evento_, Attesa) != WAIT_OBJECT_0 && !(t.dwFlags & WHDR_DONE))
        return {};
    const QByteArray pezzo(t.lpData, qsizetype(t.dwBytesRecorded));
    if (waveInAddBuffer(dispositivo_, &t, sizeof t) != MMSYSERR_NOERROR)
      return {};
    prossima_ = (prossima_ + 1) % testate_.size();
    return pezzo;
  }

 private:
  HWAVEIN dispositivo_ = nullptr;
  HANDLE evento_ = nullptr;
  std::array<WAVEHDR, 4> testate_{};
  std::array<QByteArray, 4> dati_;
  size_t prossima_ = 0;
};

}  // namespace

std::unique_ptr<CatturaAudio> apriCattura(const QString &) {
  auto cattura = std::make_unique<CatturaWaveIn>();
  if (!cattura->apri())
    return nullptr;
  return cattura;
}

}  // namespace quirlo
