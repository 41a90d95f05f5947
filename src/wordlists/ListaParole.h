#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

namespace quirlo {

inline constexpr int MassimoParole = 100;
// A syllable fits on a card; anything longer is a line with a comma missing.
inline constexpr int MassimoLettereSillaba = 64;
// No file system stores a longer file name (in UTF-8 bytes).
inline constexpr int MassimoByteNomeFile = 255;

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
};

// Why a list can't be used; the message names the file and the problem.
struct Rifiuto {
  Problema problema = Problema::FileIlleggibile;
  QString nomeFile;   // "lista2.txt"
  int riga = 0;       // where the problem is, when it has a place
  int quante = 0;     // words found, or the limit passed
  int campi = 0;
  QList<DisegnoDifettoso> disegni;
  int servono = 0;    // words one exercise shows
  QString testo;      // the syllable or word at fault, when one is

  QString messaggio() const;
};

struct ListaLetta {
  QList<Parola> parole;
  std::optional<Rifiuto> rifiuto;
  bool accettata() const { return !rifiuto.has_value(); }
};

// Reads a list file of words of `campi` syllables each. Refused: a file that
// can't be read or is far too big, more than 100 words, syllables that run out
// inside the last word, a syllable too long for a card, a word too long to
// name a file. Nothing else is checked here.
ListaLetta leggiLista(const QString &percorso, int campi);
// The same on bytes already in memory (the name is only for messages).
ListaLetta leggiListaDaByte(const QByteArray &byte, const QString &nomeFile, int campi);

// For each word that repeats an earlier one, its index and that of the first
// occurrence. Words are compared as the cards are judged: regardless of case.
QList<std::pair<qsizetype, qsizetype>> paroleRipetute(const QList<Parola> &parole);

}  // namespace quirlo
