#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// What the game reads from a data folder, named once for the game, its
// checker and the word editor: the lists and who reads them, the folders of
// drawings, sounds and voices, and the limits a list must keep.
namespace quirlo::catalogo {

// Words in one list: the game keeps no more.
inline constexpr int MassimoParole = 100;
// A syllable fits on a card; anything longer is a line with a comma missing.
inline constexpr int MassimoLettereSillaba = 64;
// No file system stores a longer file name (in UTF-8 bytes).
inline constexpr int MassimoByteNomeFile = 255;
// A hundred words fit in a few kilobytes; a larger file is not a list.
inline constexpr qint64 MassimoByteLista = 1 << 20;

enum class Livello { Facile, Difficile };

struct Lista {
  const char *file;      // "lista2.txt", in the data folder
  int sillabe;           // per word
  Livello livello;
  int paroleEsercizio;   // words one exercise shows
  const char *nome;      // as a teacher says it
  const char *finestra;  // the exercise window that reads it
};

inline constexpr Lista Liste[] = {
    {"lista2.txt", 2, Livello::Facile, 4, "Due sillabe - facile", "DISEGNI1"},
    {"lista4.txt", 2, Livello::Difficile, 4, "Due sillabe - difficile", "DISEGNI1"},
    {"lista3.txt", 3, Livello::Facile, 3, "Tre sillabe - facile", "DISEGNI2"},
    {"lista5.txt", 3, Livello::Difficile, 3, "Tre sillabe - difficile", "DISEGNI2"},
};

const Lista &lista(int sillabe, Livello livello);
// "lista2", "lista2.txt" or "LISTA2.TXT"; nullptr for any other name.
const Lista *listaDaNome(QStringView nome);

inline constexpr const char *CartellaDisegni = "jpg";
inline constexpr const char *CartellaSuoni = "suoni";
inline constexpr const char *CartellaVoci = "voci";
inline constexpr int SuoniEsatti = 4;

// Paths relative to a data folder, written with "/".
QString disegno(const QString &parola);  // "jpg/casa.jpg": the word exactly as listed
QString voce(const QString &parola);     // "voci/casa.wav"
QString suonoEsatto(int n);              // "suoni/si1.wav" .. "suoni/si4.wav"
QString suonoErrato();                   // "suoni/no.wav"
QStringList suoni();                     // the five, right answers first

}  // namespace quirlo::catalogo
