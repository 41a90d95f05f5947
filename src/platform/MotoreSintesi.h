#pragma once

// What every platform's speech engine provides to Sintesi, and the rules they
// share. Only Sintesi.cpp, the engines and the tests include this.

#include <QDeadlineTimer>
#include <QList>
#include <QStringView>

#include "Sintesi.h"

namespace quirlo {

// A voice a system offers, with the languages it says it speaks ("it-IT", "it", "en-US").
struct VoceDisponibile {
  QString nome;
  QStringList lingue;
};

// The voice to speak with: the first for Italian of Italy, else the first for
// Italian anywhere (Switzerland: the same language). -1 when no voice speaks
// Italian: an English voice reading Italian words would teach them wrong.
qsizetype sceltaVoceItaliana(const QList<VoceDisponibile> &voci);

// SAPI's "Language" attribute, hexadecimal LANGIDs separated by ";" ("410;409"),
// as language tags: 410 "it-IT", 810 "it-CH", any other Italian "it", the rest
// "x-<hex>". Unreadable parts are left out.
QStringList lingueSapi(QStringView attributo);

// The limits of one text, checked by the engine while it works.
struct Vincoli {
  QDeadlineTimer scadenza;
  int millisecondiSuono = 0;
};

class MotoreSintesi {
 public:
  virtual ~MotoreSintesi() = default;
  // Called on the worker thread only, the one that created the engine. Empty
  // when no Italian voice exists, the text could not be spoken, a limit was
  // passed or the thread was asked to stop.
  virtual Pcm sintetizza(const QString &testo, const Vincoli &vincoli) = 0;
};

// The platform's engine (SintesiWindows.cpp; on Linux SintesiEspeak.cpp, in a
// module found in `cartellaProgramma`'s "moduli", or the program's own folder
// when empty); never null: without one every answer is silence.
std::unique_ptr<MotoreSintesi> creaMotoreSintesi(const QString &cartellaProgramma);

using FabbricaMotoreSintesi = MotoreSintesi *(*)();
inline constexpr const char *NomeFabbricaMotoreSintesi = "quirlo_crea_motore_sintesi";
inline constexpr const char *NomeModuloSintesi = "moduli/quirlo-sintesi";

// An engine's raw 16-bit output made like the shipped voices: the silence
// before and after the word cut, the peak at -3 dBFS. In the engine's format.
Pcm rifinisci(QByteArray pcm, int frequenza, int canali);

// 16-bit PCM in the player's format (formatoSuono), whatever its rate and channels.
Pcm nelFormatoDelLettore(const Pcm &pcm);

}  // namespace quirlo
