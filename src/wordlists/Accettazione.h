#pragma once

#include "ListaParole.h"

#include <vector>

namespace quirlo {

// Finds each word's drawing in the "jpg" folder: the exact name first, then the
// same name composed differently (NFC), then a name that differs only in letter
// case (drawings copied from systems that ignore case). Exact names are looked
// up one by one; the folder is listed only when one is not there, and that
// listing serves every lookup (of every thread) until the folder changes.
class CartellaDisegni {
 public:
  explicit CartellaDisegni(const QString &cartellaProgramma);
  // Empty when there is no such file (or the word can't name a file).
  QString percorso(const QString &parola) const;
  static QString nomeAtteso(const QString &parola);
  // How many times a folder of drawings has been listed, in this process.
  static int elenchiLetti();

 private:
  QString cartella_;
};

// Finds each word's drawing in several data folders, the first that has it
// winning: a teacher's own drawing stands in for the program's.
class DisegniCercati {
 public:
  explicit DisegniCercati(const QStringList &cartelle);
  QString percorso(const QString &parola) const;

 private:
  std::vector<CartellaDisegni> cartelle_;
};

// The list file `nomeLista` ("\lista2.txt") as the game reads it: from the
// first of `cartelle` that has an entry of that name, else from the last.
QString percorsoLista(const QStringList &cartelle, const QString &nomeLista);
// Which of `cartelle` that is; -1 when none has it.
qsizetype cartellaDellaLista(const QStringList &cartelle, const QString &nomeLista);

// A list the exercise can use, with the drawing file found for each word.
struct ListaAccettata {
  QList<Parola> parole;
  QStringList disegni;  // full paths, one per word
};

struct EsitoAccettazione {
  std::optional<ListaAccettata> lista;
  std::optional<Rifiuto> rifiuto;
};

// Reads `nomeLista` from the data folders (see percorsoLista) and checks it can feed an exercise
// of `paroleEsercizio` words: enough words, and a readable drawing for each.
// The whole list is read and checked before anything is handed back.
EsitoAccettazione accettaLista(const QStringList &cartelle, const QString &nomeLista, int campi,
                               int paroleEsercizio);
// The same on a list already read.
EsitoAccettazione accettaLista(const QStringList &cartelle, ListaLetta letta, const QString &nomeLista,
                               int paroleEsercizio);
// The same with one folder only.
EsitoAccettazione accettaLista(const QString &cartella, const QString &nomeLista, int campi, int paroleEsercizio);

}  // namespace quirlo
