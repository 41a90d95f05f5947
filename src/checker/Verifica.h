#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quirlo::verifica {

// Errors stop a list from loading or leave the child without a card, a
// picture or a sound; warnings work but are likely mistakes.
enum class Gravita { Errore, Avviso };

enum class Difetto {
  ListaMancante,
  ListaIlleggibile,
  TroppeParole,
  TroppoPoche,
  SillabeIncomplete,
  SillabaVuota,
  ParolaSuPiuRighe,
  ParolaRipetuta,
  DisegnoMancante,
  DisegnoMaiuscole,
  DisegnoIlleggibile,
  SuonoMancante,
  SuonoIlleggibile,
};

struct Segnalazione {
  Difetto difetto;
  Gravita gravita;
  QString file;  // relative to the folder: "lista2.txt", "suoni/no.wav"
  int riga = 0;  // 0 when the problem belongs to no line
  QString testo;
};

struct Rapporto {
  QList<Segnalazione> segnalazioni;  // list by list in line order, then the sounds
  int liste = 0;
  int parole = 0;  // words read from the lists
  int suoni = 0;
};

// Checks what the game reads from `cartella`, with the game's own reader and
// acceptance rules: the four lists, each word's drawing, the five sounds.
Rapporto verificaCartella(const QString &cartella);

// The sound files, relative to the program folder, as the game names them.
QStringList nomiSuoni();

// "lista2.txt, riga 4: ERRORE: ..." on one line.
QString formatta(const Segnalazione &s);
QString riepilogo(const Rapporto &r);

}  // namespace quirlo::verifica
