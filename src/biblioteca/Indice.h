#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The library's index as read into memory: every name and keyword already
// normalised and split into words, each word kept once in a vocabulary with
// its possible singulars. A search compares its words with the vocabulary
// once, then only looks numbers up.
namespace quirlo::biblioteca {

// Words with their forme(): a search's, or the index's vocabulary.
struct Vocabolario {
  QStringList parole;
  QList<QStringList> forme;
};

// A name or a keyword.
struct Testo {
  QString scritto;    // as the index writes it (names are shown)
  QList<int> parole;  // its words, as places in the index's vocabulary
};

struct Voce {
  QString file;       // absolute path
  QList<Testo> nomi;  // the first is the picture's name
  QList<Testo> chiavi;
};

struct Indice {
  QList<Voce> voci;
  Vocabolario vocabolario;
  QString problema;  // why there are none, for the teacher
};

// Beyond this size the file is not our index (ours is about 0.2 MB).
inline constexpr qint64 MassimoByteIndice = 16 << 20;

// Reads `cartella`/biblioteca/indice.tsv. Lines that are comments, that lack
// a file or a name, or whose file would lie outside `cartella` (absolute,
// "..") are skipped. Never fails: a missing, unreadable, oversized or empty
// index gives no pictures and a problem to show.
Indice leggiIndice(const QString &cartella);

// The same from the index's text, for tests.
Indice leggiTestoIndice(QStringView testo, const QString &cartella);

// The words of a text, normalised, with their forms.
Vocabolario paroleDi(QStringView testo);

}  // namespace quirlo::biblioteca
