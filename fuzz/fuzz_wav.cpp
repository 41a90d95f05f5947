// libFuzzer target on bytes saved as a sound: the game's own WAV reader (the
// Windows player's) and the Linux one (libsndfile) keep to the limits on
// rate, channels and length, and a sound is either refused or played.
#include "DecodificaSuoni.h"
#include "Wav.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

using namespace quirlo;

namespace {

void verifica(bool condizione, const char *regola) {
  if (!condizione) {
    std::fprintf(stderr, "invariant broken: %s\n", regola);
    std::abort();
  }
}

void controlla(const SuonoLetto &s) {
  // Thirty seconds, and the one frame the rate's rounding may add.
  constexpr qsizetype Massimo = qsizetype(formatoSuono::MassimoSecondi) * formatoSuono::BytePerSecondo +
                                formatoSuono::BytePerFrame;
  verifica(s.pcm.size() % formatoSuono::BytePerFrame == 0, "whole frames");
  verifica(s.pcm.size() <= Massimo, "no more than thirty seconds");
  verifica((s.stato == StatoSuono::Buono) == !s.pcm.isEmpty(), "a sound is played or refused");
  if (s.stato == StatoSuono::Buono)
    verifica(s.frequenza > 0 && s.frequenza <= formatoSuono::MassimaFrequenza && s.canali > 0 &&
                 s.canali <= formatoSuono::MassimiCanali,
             "only a sound within the limits is played");
}

QTemporaryDir *cartella = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
  static QCoreApplication app(*argc, *argv);
  static QTemporaryDir dir;
  cartella = &dir;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t dimensione) {
  const QByteArray byte(reinterpret_cast<const char *>(dati), qsizetype(dimensione));
  controlla(leggiWav(byte, formatoSuono::Frequenza, formatoSuono::Canali));
  const QString percorso = cartella->filePath(QStringLiteral("no.wav"));
  {
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(byte) != byte.size())
      std::abort();
  }
  controlla(leggiSuono(percorso));
  return 0;
}
