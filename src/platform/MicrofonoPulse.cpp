// The microphone in the sound module on Linux: a recording stream of the
// sound server's default source.
#include "DecodificaSuoni.h"
#include "Microfono.h"

#include <pulse/simple.h>

namespace quirlo {

namespace {

// A tenth of a second a read: a stop is heard that soon.
constexpr qsizetype Pezzo = formatoSuono::BytePerSecondo / 10;

class CatturaPulse : public CatturaAudio {
 public:
  explicit CatturaPulse(pa_simple *s) : s_(s) {}
  ~CatturaPulse() override { pa_simple_free(s_); }
  QByteArray leggi() override {
    QByteArray pezzo(Pezzo, Qt::Uninitialized);
    int errore = 0;
    if (pa_simple_read(s_, pezzo.data(), size_t(pezzo.size()), &errore) != 0)
      return {};
    return pezzo;
  }

 private:
  pa_simple *s_;
};

}  // namespace

}  // namespace quirlo

extern "C" Q_DECL_EXPORT quirlo::CatturaAudio *quirlo_apri_microfono() {
  using namespace quirlo;
  const pa_sample_spec formato{PA_SAMPLE_S16LE, formatoSuono::Frequenza, formatoSuono::Canali};
  const pa_buffer_attr buffer{uint32_t(-1), uint32_t(-1), uint32_t(-1), uint32_t(-1), uint32_t(Pezzo)};
  int errore = 0;
  pa_simple *s = pa_simple_new(nullptr, "Quirlo", PA_STREAM_RECORD, nullptr, "Voce di una parola", &formato, nullptr,
                               &buffer, &errore);
  return s ? new CatturaPulse(s) : nullptr;
}
