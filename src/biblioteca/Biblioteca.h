#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

#include "Indice.h"

// The picture library of the word editor: finds a drawing by its Italian
// name, offline. The library is the folder "biblioteca" of the program's data
// folder (beside "jpg"): its pictures and one index, "biblioteca/indice.tsv",
// which also lists the game's own drawings in "jpg" under their words.
//
//   quirlo::Biblioteca biblioteca(cartellaProgramma);  // reads nothing yet
//   for (const auto &r : biblioteca.cerca(u"mele", 30))  // loads, then searches
//     mostra(r.nome, r.file);                           // best first
//   if (biblioteca.vuota()) avvisa(biblioteca.problema());
//
// The index is read on the first search (or by carica()), not when the
// program starts, and kept in memory: a search then takes about a
// millisecond. One object belongs to one thread at a time: carica() may run
// in a worker thread if nothing else touches the object meanwhile.
namespace quirlo {

struct Risultato {
  QString nome;   // the picture's Italian name: the one the search matched, else its main one
  QString file;   // absolute path of the picture (PNG in the library, JPEG for the game's)
  int punteggio = 0;  // higher is better; the list comes sorted on it
};

class Biblioteca {
 public:
  // cartellaProgramma: the folder of the program's data (lists, jpg/, biblioteca/).
  explicit Biblioteca(QString cartellaProgramma);

  // The pictures whose names or keywords match the text, best first, at most
  // `massimo` (0 or less: all). Accents, capitals and punctuation do not
  // count, a plural finds its singular ("mele": mela), several words find
  // names made of them ("palla da calcio"), and a last word being typed
  // finds names that start with it ("gatt": gatto). Best first: the exact
  // name, a name that starts with the text, a name holding its words, a
  // keyword, keywords holding its words; a word being typed; then pictures
  // matching only some of the words. Equal results keep the index's order:
  // the game's drawings, then Noto's and Fluent's picture of each subject.
  // Pictures missing on disk are left out. An empty text finds nothing.
  QList<Risultato> cerca(QStringView testo, int massimo = 60);

  // The picture whose file is `file` (relative to the program's folder, as
  // the index writes it), named by its main name; none when the index does
  // not list it or it is missing on disk.
  std::optional<Risultato> disegno(const QString &file);

  // Reads the index if not read yet; true when it holds pictures.
  bool carica();
  bool caricata() const { return caricata_; }
  bool vuota();
  qsizetype quanti();  // pictures in the index
  // Why the library is empty, in Italian for the teacher; empty when it is not.
  QString problema();

  static QString percorsoIndice(const QString &cartellaProgramma);

  // A result scoring more than this has a name that is the searched words or
  // starts with them, plurals allowed ("mela", "mela rossa" for "mele"); one
  // scoring 1000 has exactly that name. Below: keywords, words inside a name,
  // a word being typed. What "the best picture for a new word" can rely on.
  static constexpr int NomeTrovato = 750;
  static constexpr int NomeEsatto = 1000;
  // Words of a search beyond these are ignored: no name is longer.
  static constexpr int MassimoParole = 12;

 private:
  QString cartella_;
  bool caricata_ = false;
  biblioteca::Indice indice_;
};

}  // namespace quirlo
