#pragma once

#include <QLineF>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

// Which words go on which page of a worksheet and where, in millimetres:
// no painter and no widget, so it can be checked without a screen.
namespace quirlo::schede {

enum class Tipo {
  Sillabe,   // "Scrivi le sillabe": an empty box per syllable under each drawing
  Ritaglio,  // "Ritaglia e incolla": the page's syllables on cards to cut out
};

struct ParolaPosata {
  int parola = 0;  // index in the words asked for
  QRectF disegno;
  QList<QRectF> caselle;  // one per syllable
};

struct Carta {
  QString sillaba;  // in the case asked for
  QRectF dove;
};

struct Pagina {
  QList<ParolaPosata> parole;
  QList<Carta> carte;   // shuffled; none on a "Scrivi le sillabe" page
  QList<QLineF> tagli;  // dashed cutting lines round the cards
};

struct Impaginazione {
  int sillabe = 2;
  Tipo tipo = Tipo::Sillabe;
  bool maiuscolo = true;
  QList<Pagina> pagine;
};

// Words per page for words of `sillabe` syllables (2 or 3).
int parolePerPagina(int sillabe);

// Lays out `parole` (each a word's syllables, all of `sillabe` syllables) in
// their order. `seme` decides how the cards are shuffled: the same seed gives
// the same sheet.
Impaginazione impagina(const QList<QStringList> &parole, int sillabe, Tipo tipo, bool maiuscolo, quint32 seme);

// "Quirlo - parole di due sillabe"
QString titolo(int sillabe);
// What the child reads under the name line, in the case of the sheet.
QString consegna(Tipo tipo, bool maiuscolo);

}  // namespace quirlo::schede
