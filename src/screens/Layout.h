#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <cstdint>
#include <span>

namespace quirlo {

// Layouts are in twips, at exactly 15 to the pixel whatever the screen says.
inline constexpr int TwipPerPixel = 15;
constexpr int pixel(int twip) { return (twip + TwipPerPixel / 2) / TwipPerPixel; }
constexpr QRect rettangoloPixel(int left, int top, int width, int height) {
  return {pixel(left), pixel(top), pixel(width), pixel(height)};
}
// The same conversion with every length multiplied by `fattore`; at 1 it is
// exactly pixel(), so an unscaled window keeps every pixel where it was.
int pixelScalato(int twip, double fattore);
QRect rettangoloScalato(int left, int top, int width, int height, double fattore);
// A line width of one pixel at scale 1, grown with the scale and never thinner than 1.
int spessore(double fattore);

// Colours as stored: 0x00BBGGRR; a top byte of 0x80 names a system colour.
using Colore = std::uint32_t;
inline constexpr Colore SistemaTestoFinestra = 0x80000008;
inline constexpr Colore SistemaTestoPulsante = 0x80000012;
QColor coloreQt(Colore c);

// A picture built into the program (a resource path). Read as the PNG it is,
// never by asking every image plugin: that would load them all before the
// start screen's first frame.
QImage immagineIncorporata(const char *risorsa);

struct Carattere {
  const char *famiglia = nullptr;
  double punti = 0;
  bool grassetto = false;
};
QFont fontQt(const Carattere &c, double fattore = 1.0);
// The layouts were drawn for faces this system may lack: those with the same
// metrics stand in (Liberation Sans keeps Arial's). Once, before any window.
void sostituisciCaratteri();

enum class Tipo { Etichetta, Immagine, Pulsante };
enum class Ruolo { Nessuno, Carta, Casella };
enum class Bordo { Nessuno, Singolo, Incassato };

struct Controllo {
  const char *nome = nullptr;
  int indice = -1;  // element of a control array, -1 for a single control
  Tipo tipo = Tipo::Etichetta;
  int left = 0, top = 0, width = 0, height = 0;
  const char *testo = "";  // caption, UTF-8
  Carattere carattere{};
  Colore sfondo = 0;
  bool opaco = false;
  Colore coloreTesto = SistemaTestoPulsante;
  Bordo bordo = Bordo::Nessuno;
  bool centrato = false;
  bool frecciaPersonale = false;  // the game's own arrow pointer
  Ruolo ruolo = Ruolo::Nessuno;
  const char *immagine = nullptr;  // resource path
  int ordineTab = -1;              // -1: takes no focus
};

struct Menu {
  const char *nome;
  const char *testo;
  const char *padre;  // nullptr: on the menu bar
  bool spuntato;
  bool apreTendina;
};

struct Schermata {
  const char *nome;
  const char *titolo;
  int larghezza, altezza;  // client area, twips
  Colore sfondo;
  Carattere carattere;
  const char *icona;
  std::span<const Controllo> controlli;  // in creation order
  std::span<const Menu> menu;
};

const Schermata &schermataAvvio();
const Schermata &schermataMenu();
const Schermata &schermataDisegni1();
const Schermata &schermataDisegni2();

}  // namespace quirlo
