#pragma once

#include "Catalogo.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

namespace quirlo {

using catalogo::MassimoByteNomeFile;
using catalogo::MassimoLettereSillaba;
using catalogo::MassimoParole;

struct Parola {
  QStringList sillabe;
  int riga = 0;      // line of the word's first syllable
  int rigaFine = 0;  // line of its last syllable
  // The word is its syllables joined exactly as written; it names the drawing.
  QString testo() const { return sillabe.join(QString()); }
};

enum class Problema {
  FileIlleggibile,
  FileTroppoGrande,
  TroppeParole,
  SillabeIncomplete,
  SillabaTroppoLunga,
  NomeTroppoLungo,
  TroppoPoche,
  DisegniMancanti,
};

struct DisegnoDifettoso {
  QString parola;
  QString nomeFile;  // as expected: "jpg/" + word + ".jpg"
  bool illeggibile = false;  // present but not a picture
  int riga = 0;
  bool chiuso = false;  // present but it can't be opened (its permissions)
  bool pesante = false;  // a picture, but too costly to decode
};

// Why a list can't be used; the message names the file and the problem.
struct Rifiuto {
  Problema problema = Problema::FileIlleggibile;
  QString nomeFile{};  // "lista2.txt"
  int riga = 0;       // where the problem is, when it has a place
  int trovate = 0;    // words found (too few of them)
  int limite = 0;     // the limit passed: words, letters of a syllable, bytes of a name
  int campi = 0;
  QList<DisegnoDifettoso> disegni{};
  int servono = 0;    // words one exercise shows
  QString testo{};    // the syllable or word at fault, when one is
  QString cartellaUtente{};  // the user's own folder, when the list is the one there

  QString messaggio() const;
};

struct ListaLetta {
  QList<Parola> parole;
  std::optional<Rifiuto> rifiuto;
  bool accettata() const { return !rifiuto.has_value(); }
};

// Reads a list file of words of `campi` syllables each. Refused: a file that
// can't be read or is far too big, more than 100 words, syllables that run out
// inside the last word (or the file cut right after a comma), a syllable too long
// for a card, a word too long to name a file. Nothing else is checked here.
ListaLetta leggiLista(const QString &percorso, int campi);
// The same on bytes already in memory (the name is only for messages).
ListaLetta leggiListaDaByte(const QByteArray &byte, const QString &nomeFile, int campi);

// For each word that repeats an earlier one, its index and that of the first
// occurrence. Words are compared as the cards are judged: regardless of case.
QList<std::pair<qsizetype, qsizetype>> paroleRipetute(const QList<Parola> &parole);

}  // namespace quirlo
