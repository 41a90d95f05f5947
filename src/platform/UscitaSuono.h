#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

namespace quirlo {

class CatturaAudio;

// The sound output of the Linux player, in a module of its own that the
// player loads on its thread once the program is on screen: the sound
// server's client and the decoder bring a dozen libraries that would
// otherwise be loaded before the first frame. The module's factory
// makes the output on the player's thread, where it then lives.
class UscitaSuono : public QObject {
 public:
  virtual void precarica(const QString &percorso) = 0;
  virtual void suona(const QString &percorso) = 0;
  virtual void suona(std::shared_ptr<const QByteArray> pcm) = 0;
};

using FabbricaUscitaSuono = UscitaSuono *(*)();
inline constexpr const char *NomeFabbricaUscitaSuono = "quirlo_crea_uscita_suono";
// The module's file reader, callable from any thread: decodes into formatoSuono.
using LetturaSuono = void (*)(const QString &percorso, QByteArray &pcm);
inline constexpr const char *NomeLetturaSuono = "quirlo_leggi_suono";
// The module's microphone (Microfono.h): the default source opened for
// recording, or null when there is none.
using FabbricaCattura = CatturaAudio *(*)();
inline constexpr const char *NomeFabbricaCattura = "quirlo_apri_microfono";
// In the folder "moduli" beside the program.
inline constexpr const char *NomeModuloSuono = "moduli/quirlo-suono";

}  // namespace quirlo
