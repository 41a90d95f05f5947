#pragma once

#include "Archivio.h"

#include <QByteArray>
#include <QString>

// A word's voice as the teacher gives it: her recording in the user folder,
// where the game looks before the program's recording and the computer's voice.
namespace quirlo::editor {

// `voci/<parola>.wav` in the user folder: the name the game looks for.
QString fileVoce(const Cartelle &cartelle, const QString &parola);

// Her recording of `parola` as the game finds it (also in another letter
// case); empty when she has none.
QString voceSua(const Cartelle &cartelle, const QString &parola);

// A sound file she chose, judged as the checker judges the voices.
struct VoceLetta {
  QByteArray pcm;  // in formatoSuono
  QString errore;  // one Italian sentence, when the game would not play it
};
VoceLetta leggiVoce(const QString &file);

// The recording without the quiet before and after the word, a breath of it
// left on each side. Empty when nothing but quiet was heard.
QByteArray senzaSilenzio(const QByteArray &pcm);

// Writes `pcm` (formatoSuono) as her voice of `parola`: a plain 16-bit WAV,
// all at once or not at all; the recording it replaces is kept among the copies.
Esito salvaVoce(const Cartelle &cartelle, const QString &parola, const QByteArray &pcm);

// Takes her recording of `parola` away, kept among the copies: the game then
// says the word with the program's recording, else the computer's voice.
Esito togliVoce(const Cartelle &cartelle, const QString &parola);

// A word spelt anew takes her recording along, unless it has one of its own.
// The old word keeps it too: another list may still have it. Empty on
// success, else one Italian sentence.
QString portaVoce(const Cartelle &cartelle, const QString &vecchia, const QString &nuova);

}  // namespace quirlo::editor
