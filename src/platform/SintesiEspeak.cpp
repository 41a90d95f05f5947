// The computer's voice on Linux, in the module quirlo-sintesi (see
// SintesiModulo.cpp): libespeak-ng's Italian voice, synthesised inside the
// program into memory. No speech server and no audio device are involved; the
// player plays the result like any other sound.
#include "MotoreSintesi.h"

#include <QThread>
#include <cstring>
#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>
#include <mutex>

namespace quirlo {

namespace {

// libespeak-ng keeps one state for the whole process: it is set up once and
// used by one thread at a time, whichever Sintesi asks.
std::mutex &chiave() {
  static std::mutex m;
  return m;
}

struct Raccolta {
  QByteArray pcm;
  qint64 massimoByte = 0;
  const Vincoli *vincoli = nullptr;
  bool interrotta = false;
};

// Called by espeak-ng with each piece of sound; a non-zero answer stops it.
int ricevi(short *campioni, int quanti, espeak_EVENT *eventi) {
  auto *r = static_cast<Raccolta *>(eventi ? eventi->user_data : nullptr);
  if (!r)
    return 1;
  if (campioni && quanti > 0)
    r->pcm.append(reinterpret_cast<const char *>(campioni), qsizetype(quanti) * 2);
  if (r->pcm.size() > r->massimoByte || r->vincoli->scadenza.hasExpired() ||
      QThread::currentThread()->isInterruptionRequested()) {
    r->interrotta = true;
    return 1;
  }
  return 0;
}

QList<VoceDisponibile> vociEspeak() {
  QList<VoceDisponibile> voci;
  const espeak_VOICE **elenco = espeak_ListVoices(nullptr);
  for (int i = 0; elenco && elenco[i]; ++i) {
    // MBROLA voices need a database Debian does not ship in main, and the
    // Italian ones forbid commercial use.
    if (std::strncmp(elenco[i]->identifier, "mb/", 3) == 0)
      continue;
    VoceDisponibile v{QString::fromUtf8(elenco[i]->identifier), {}};
    // Pairs of a priority byte and a language name, ended by an empty name.
    for (const char *p = elenco[i]->languages; p && *p; p += std::strlen(p + 1) + 2)
      v.lingue << QString::fromUtf8(p + 1);
    voci << v;
  }
  return voci;
}

class MotoreEspeak : public MotoreSintesi {
 public:
  MotoreEspeak() {
    std::lock_guard blocco(chiave());
    static const int frequenza = [] {
      espeak_ng_InitializePath(nullptr);
      espeak_ng_ERROR_CONTEXT contesto = nullptr;
      // The espeak_Initialize() of the older interface ends the program when
      // its data is missing; this one reports it.
      if (espeak_ng_Initialize(&contesto) != ENS_OK) {
        espeak_ng_ClearErrorContext(&contesto);
        return 0;
      }
      if (espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 50, nullptr) != ENS_OK)
        return 0;
      espeak_SetSynthCallback(ricevi);
      return espeak_ng_GetSampleRate();
    }();
    frequenza_ = frequenza;
    if (frequenza_ > 0) {
      const QList<VoceDisponibile> voci = vociEspeak();
      const qsizetype scelta = sceltaVoceItaliana(voci);
      if (scelta >= 0)
        voce_ = voci[scelta].nome.toUtf8();
    }
  }

  Pcm sintetizza(const QString &testo, const Vincoli &vincoli) override {
    if (frequenza_ <= 0 || voce_.isEmpty())
      return {};
    std::lock_guard blocco(chiave());
    if (espeak_ng_SetVoiceByName(voce_.constData()) != ENS_OK)
      return {};
    // A little slower than espeak's usual 175 words a minute: one word, for a child.
    espeak_ng_SetParameter(espeakRATE, 145, 0);
    Raccolta r;
    r.massimoByte = qint64(frequenza_) * 2 * vincoli.millisecondiSuono / 1000;
    r.vincoli = &vincoli;
    const QByteArray utf8 = testo.toUtf8();
    const espeak_ng_STATUS esito = espeak_ng_Synthesize(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                                                        espeakCHARS_UTF8, nullptr, &r);
    if (r.interrotta)
      espeak_ng_Cancel();
    if (esito != ENS_OK || r.interrotta)
      return {};
    return rifinisci(std::move(r.pcm), frequenza_, 1);
  }

 private:
  int frequenza_ = 0;
  QByteArray voce_;
};

}  // namespace

}  // namespace quirlo

extern "C" Q_DECL_EXPORT quirlo::MotoreSintesi *quirlo_crea_motore_sintesi() { return new quirlo::MotoreEspeak; }
