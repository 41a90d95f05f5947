// The sound output module on Linux (see UscitaSuono.h): a stream of its own to
// the sound server (PulseAudio, or PipeWire speaking its protocol). Qt 6.4's
// audio output gives up for good once the server has been away for more than
// three seconds (a crash, a restart, none yet at start-up): talking to the
// server directly, the player opens a new stream at the next sound instead.
#include "Altoparlante.h"
#include "DecodificaSuoni.h"
#include "UscitaSuono.h"

#include <pulse/simple.h>

namespace quirlo {

namespace {

class FlussoPulse : public FlussoAudio {
 public:
  explicit FlussoPulse(pa_simple *s) : s_(s) {}
  ~FlussoPulse() override { pa_simple_free(s_); }
  bool scrivi(const char *dati, qsizetype byte) override {
    int errore = 0;
    return pa_simple_write(s_, dati, size_t(byte), &errore) == 0;
  }
  void svuota() override {
    int errore = 0;
    pa_simple_flush(s_, &errore);
  }
  void drena() override {
    int errore = 0;
    pa_simple_drain(s_, &errore);
  }

 private:
  pa_simple *s_;
};

std::unique_ptr<FlussoAudio> apriPulse() {
  const pa_sample_spec formato{PA_SAMPLE_S16LE, formatoSuono::Frequenza, formatoSuono::Canali};
  // A tenth of a second queued: a new sound is heard that soon after a drop.
  const auto decimo = uint32_t(formatoSuono::BytePerSecondo / 10);
  const pa_buffer_attr buffer{uint32_t(-1), decimo, uint32_t(-1), uint32_t(-1), uint32_t(-1)};
  int errore = 0;
  pa_simple *s = pa_simple_new(nullptr, "Quirlo", PA_STREAM_PLAYBACK, nullptr, "Quirlo", &formato, nullptr, &buffer,
                               &errore);
  if (!s)
    return nullptr;
  return std::make_unique<FlussoPulse>(s);
}

class UscitaPulse : public UscitaSuono {
 public:
  void precarica(const QString &percorso) override { altoparlante_.precarica(percorso); }
  void suona(const QString &percorso) override { altoparlante_.suona(percorso); }
  void suona(std::shared_ptr<const QByteArray> pcm) override { altoparlante_.suona(std::move(pcm)); }

 private:
  Altoparlante altoparlante_{apriPulse};
};

}  // namespace

}  // namespace quirlo

extern "C" Q_DECL_EXPORT quirlo::UscitaSuono *quirlo_crea_uscita_suono() { return new quirlo::UscitaPulse; }
extern "C" Q_DECL_EXPORT void quirlo_leggi_suono(const QString &percorso, QByteArray &pcm) {
  pcm = quirlo::decodificaSuono(percorso);
}
