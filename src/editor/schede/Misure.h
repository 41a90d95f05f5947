#pragma once

// Where everything goes on an A4 worksheet, in millimetres from the page's top
// left corner. Boxes and cards keep at least 15 mm a side so a six-year-old's
// pencil and scissors fit; text is never under 14 pt.
namespace quirlo::schede {

inline constexpr double LarghezzaPagina = 210;
inline constexpr double AltezzaPagina = 297;
inline constexpr double Margine = 15;
inline constexpr double MargineAlto = 12;
inline constexpr double Utile = LarghezzaPagina - 2 * Margine;

// The heading: title, the child's name and the date, what to do.
inline constexpr double RigaTitolo = MargineAlto;
inline constexpr double RigaNome = 26;
inline constexpr double RigaConsegna = 40;
inline constexpr double AltezzaRiga = 10;
inline constexpr double InizioParole = 54;
inline constexpr double FinePagina = AltezzaPagina - MargineAlto;
// The name's line ends here; the date's starts after it.
inline constexpr double FineNome = 130;

inline constexpr double PuntiTitolo = 20;
inline constexpr double PuntiTesto = 14;
inline constexpr double PuntiMinimi = 14;
inline constexpr double PuntiCarte = 26;

// Cut-out cards sit in a block at the bottom, under a dashed line across the page.
inline constexpr double SopraCarte = 6;

inline constexpr double LatoMinimo = 15;

struct Misure {
  int sillabe;
  bool ritaglio;
  int colonne, righe;                       // words on a page
  double larghezzaDisegno, altezzaDisegno;  // the game's frame: 6:5 for two syllables, square for three
  double larghezzaCasella, altezzaCasella;  // a box, and a card the same size so it can be pasted in it
  double traCaselle;
  double sottoDisegno;  // between a drawing and its boxes
};

inline constexpr Misure Tabella[] = {
    {2, false, 2, 3, 60, 50, 30, 20, 4, 4},
    {3, false, 2, 2, 80, 80, 24, 22, 3, 5},
    {2, true, 2, 3, 42, 35, 30, 20, 4, 3},
    {3, true, 2, 2, 62, 62, 24, 22, 3, 4},
};

constexpr bool caselleGrandi() {
  for (const Misure &m : Tabella)
    if (m.larghezzaCasella < LatoMinimo || m.altezzaCasella < LatoMinimo)
      return false;
  return true;
}
static_assert(caselleGrandi(), "a box or a card under 15 mm");
static_assert(PuntiTesto >= PuntiMinimi && PuntiTitolo >= PuntiMinimi && PuntiCarte >= PuntiMinimi);

}  // namespace quirlo::schede
