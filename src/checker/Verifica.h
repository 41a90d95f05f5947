#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quirlo::verifica {

// Errors stop a list from loading or leave the child without a card, a
// picture or a sound; warnings work but are likely mistakes; a note counts
// what was left unlisted.
enum class Gravita { Errore, Avviso, Nota };

enum class Difetto {
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
  SuonoMancante,
  SuonoMaiuscole,  // found only because the file system ignores case
  SuonoIlleggibile,
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
  QList<Segnalazione> segnalazioni;  // list by list in line order, then the sounds
  QList<Provenienza> provenienze;    // one per list, in the order checked
  int liste = 0;
  int parole = 0;  // words read from the lists
  int suoni = 0;
};

// Checks what the game reads from `cartella`, with the game's own reader and
// acceptance rules: the four lists, each word's drawing, the five sounds.
Rapporto verificaCartella(const QString &cartella);
// The same over data folders looked in in order, as the game does (the user's,
// then the program's); the sounds are those of the last folder.
Rapporto verificaCartelle(const QStringList &cartelle);

// The sound files, relative to the program folder, as the game names them.
QStringList nomiSuoni();

// "[ERRORE] lista2.txt, riga 4: ..." on one line, control characters escaped.
QString formatta(const Segnalazione &s);
QString riepilogo(const Rapporto &r);

}  // namespace quirlo::verifica
