// The sound player on Windows: Windows plays the file itself, asynchronously.
// PlaySound cuts the sound playing when a new one starts, as the game wants,
// and SND_NODEFAULT keeps a file it cannot play silent instead of ringing the
// system's alert. It cannot preload, so precarica() only decodes the file to
// know whether it is playable: a file that is not is never handed over, and
// then does not cut the sound already playing either.
#include "LettoreSuoni.h"

#include "FileRegolare.h"
#include "Traccia.h"
#include "Wav.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <string>

#include <windows.h>
#include <mmsystem.h>

namespace quirlo {

LettoreSuoni::LettoreSuoni(QObject *parent) : QObject(parent) {}

LettoreSuoni::~LettoreSuoni() {
  // A sound still playing would outlive the player.
  PlaySoundW(nullptr, nullptr, 0);
}

QByteArray LettoreSuoni::decodifica(const QString &percorso) {
  // Only regular files: a folder or a device named like a sound is not one.
  QFile file;
  if (!apriFileRegolare(file, percorso))
    return {};
  // Mapped, not read: only the part decoded is touched, however big the file.
  const qint64 dimensione = file.size();
  if (dimensione <= 0)
    return {};
  if (uchar *mappa = file.map(0, dimensione))
    return decodificaWav(QByteArray::fromRawData(reinterpret_cast<const char *>(mappa), qsizetype(dimensione)),
                         Frequenza, Canali);
  return decodificaWav(file.read(64 << 20), Frequenza, Canali);
}

namespace {

// A sound copied in, replaced or removed while the game runs is looked at
// again: the file's size and time tell, and only a change decodes it again.
ScortaSuoni &scorta() {
  static ScortaSuoni s;
  return s;
}

}  // namespace

void LettoreSuoni::precarica(const QString &percorso) { scorta().pcm(percorso); }

bool LettoreSuoni::apriUscita() { return true; }

void LettoreSuoni::suona(const QString &percorso) {
  if (scorta().pcm(percorso)->isEmpty())
    return;
  const std::wstring nativo = QDir::toNativeSeparators(QFileInfo(percorso).absoluteFilePath()).toStdWString();
  const bool avviato = PlaySoundW(nativo.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
  traccia(QStringLiteral("playsound %1 %2").arg(QFileInfo(percorso).fileName()).arg(avviato ? 1 : 0));
}

}  // namespace quirlo
