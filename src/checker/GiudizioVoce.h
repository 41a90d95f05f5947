#pragma once

#include "Verifica.h"

#include <QByteArray>
#include <QString>

namespace quirlo::verifica {

// Whether the game plays a file as a word's voice, judged as it reads it:
// a regular file, not too big, a sound it decodes, not too long.
struct GiudizioVoce {
  QString motivo;  // why it is not played, a clause to end a sentence with; empty when it is
  Difetto difetto = Difetto::VoceIllegibile;
  QByteArray pcm;  // the sound in formatoSuono, when it is played
  bool buona() const { return motivo.isEmpty(); }
};

// Reads the disk, and never waits on a FIFO or a device.
GiudizioVoce giudicaVoce(const QString &percorso);

}  // namespace quirlo::verifica
