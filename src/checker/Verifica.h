#pragma once

#include "Piattaforma.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quirlo::verifica {

// Errors stop a list from loading or leave the child without a card, a
// picture or a sound; warnings work but are likely mistakes; a note counts
// what was left unlisted.
enum class Gravita { Errore, Avviso, Nota };

enum class Difetto {
  CartellaIlleggibile,  // the user's folder exists but can't be read: its lists are not used
  ListaMancante,
  ListaIlleggibile,
  TroppeParole,
  TroppoPoche,
  SillabeIncomplete,
  SillabaTroppoLunga,
  NomeTroppoLungo,
  FuoriPasso,       // a line with more or fewer syllables: the words after it are misread
  ConseguenzeFuoriPasso,  // the findings on those words, counted in one line
  SillabaVuota,
  ParolaSuPiuRighe,
  ParolaRipetuta,
  DisegnoMancante,
  DisegnoMaiuscole,
  DisegnoIlleggibile,
  DisegnoNonApribile,
  DisegnoTroppoPesante,  // a picture the game refuses to decode: its frame stays empty
  SuonoMancante,
  SuonoMaiuscole,  // found only because the file system ignores case
  SuonoIlleggibile,
  SuonoFuoriLimiti,  // a rate or channels no sound card plays: silence
  SuonoTagliato,     // longer or denser than the game decodes: only its start plays
  VoceIllegibile,    // a word's voice the game can't read: the next one is used
  VoceFuoriLimiti,   // too big, too long, a rate or channels no sound card plays: the same
  VoceSenzaParola,   // a voice named after no word of the lists: never played
  ListaQuasi,          // the list missing, or passed over, beside a file named almost right
  DisegnoQuasi,        // the same for a drawing
  SillabeColTrattino,  // "ca-sa": one syllable to the game
  DivisioneDiversa,    // not the school's division
};

struct Segnalazione {
  Difetto difetto;
  Gravita gravita;
  QString file;  // relative to the folder: "lista2.txt", "suoni/no.wav"
  int riga = 0;  // 0 when the problem belongs to no line
  QString testo;
};

// Where a list was read from.
struct Provenienza {
  QString file;      // "lista2.txt"
  QString cartella;  // the data folder that holds it; empty when none does
};

struct Rapporto {
  QList<Segnalazione> segnalazioni;  // list by list in line order, then the sounds, the voices
  QList<Provenienza> provenienze;    // one per list, in the order checked
  int liste = 0;
  int parole = 0;  // words read from the lists
  int suoni = 0;
  int voci = 0;                // voice files looked at, in every folder
  int paroleConVoce = 0;       // words with a recording the game plays
  QStringList paroleSenzaVoce;  // said by the computer's voice, in list order
};

// Checks what the game reads from `cartella`, with the game's own reader and
// acceptance rules: the four lists, each word's drawing, the five sounds.
Rapporto verificaCartella(const QString &cartella);
// The same over data folders looked in in order, as the game does (the user's,
// then the program's); the sounds are those of the last folder.
Rapporto verificaCartelle(const QStringList &cartelle);
// The same over the folders the game finds (trovaCartelleDati), saying first
// when the user's folder exists and can't be read.
Rapporto verificaCartelleDati(const CartelleDati &dati);

// "[ERRORE] lista2.txt, riga 4: ..." on one line, control characters escaped;
// "[ERRORE] ..." for a finding about no file.
QString formatta(const Segnalazione &s);
QString riepilogo(const Rapporto &r);
// One line on the words' voices: how many have a recording, and which the
// computer's voice says instead. Empty when no list was read.
QString riepilogoVoci(const Rapporto &r);

}  // namespace quirlo::verifica
