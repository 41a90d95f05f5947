// The player on Windows: Windows plays the file itself, asynchronously.
// PlaySound cuts the sound playing when a new one starts, as the game wants,
// and SND_NODEFAULT keeps a file it cannot play silent instead of ringing the
// system's alert. It cannot preload, so precarica() only decodes the file to
// know whether it is playable: a file that is not is never handed over, and
// then does not cut the sound already playing either. Sound already decoded
// (a word's voice) is handed over in memory, as a WAV file.
#include "LettoreSuoni.h"

#include "DecodificaSuoni.h"
#include "ScortaSuoni.h"
#include "Traccia.h"
#include "Wav.h"

#include <QDir>
#include <QFileInfo>
#include <string>

#include <windows.h>
#include <mmsystem.h>

namespace quirlo {

class LettoreSuoni::Uscita {
 public:
  ~Uscita() {
    // A sound still playing would outlive the player, and its memory.
    PlaySoundW(nullptr, nullptr, 0);
  }
  // A sound copied in, replaced or removed while the game runs is looked at
  // again: the file's size and time tell, and only a change decodes it again.
  ScortaSuoni scorta;
  // The sound in memory PlaySound is playing: it reads it as it goes, so it
  // is kept until another takes its place or the player ends.
  QByteArray inMemoria;
};

LettoreSuoni::LettoreSuoni(const QString &cartellaProgramma)
    : uscita_(std::make_unique<Uscita>()), cartellaProgramma_(cartellaProgramma) {}
LettoreSuoni::~LettoreSuoni() = default;

void LettoreSuoni::precarica(const QString &percorso) { uscita_->scorta.pcm(percorso); }

void LettoreSuoni::suona(const QString &percorso) {
  if (uscita_->scorta.pcm(percorso)->isEmpty())
    return;
  const std::wstring nativo = QDir::toNativeSeparators(QFileInfo(percorso).absoluteFilePath()).toStdWString();
  const bool avviato = PlaySoundW(nativo.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
  traccia(QStringLiteral("playsound %1 %2").arg(QFileInfo(percorso).fileName()).arg(avviato ? 1 : 0));
}

void LettoreSuoni::suona(std::shared_ptr<const QByteArray> pcm) {
  if (!pcm || pcm->size() < formatoSuono::BytePerFrame)
    return;
  const qsizetype byte = pcm->size() / formatoSuono::BytePerFrame * formatoSuono::BytePerFrame;
  // Stopped first, so the memory being replaced is no longer read.
  PlaySoundW(nullptr, nullptr, 0);
  uscita_->inMemoria = intestazioneWav(byte) + pcm->left(byte);
  const bool avviato = PlaySoundW(reinterpret_cast<LPCWSTR>(uscita_->inMemoria.constData()), nullptr,
                                  SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
  traccia(QStringLiteral("playsound memoria %1").arg(avviato ? 1 : 0));
}

LettoreSuoni::Lettura LettoreSuoni::lettura() const {
  // The game's own reader: nothing to load.
  return [](const QString &percorso) { return decodificaSuono(percorso); };
}

}  // namespace quirlo
