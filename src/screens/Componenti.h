#pragma once

// The kinds of control the exercise windows are made of, so each table row
// says only what differs: name, index and rectangle.
#include "Layout.h"

namespace quirlo::componenti {

inline constexpr Colore Verde = 0x0000FF00;
inline constexpr Colore GialloChiaro = 0x00C0FFFF;
inline constexpr Colore Bianco = 0x00FFFFFF;
inline constexpr Carattere SansSerif13 = {"MS Sans Serif", 13.5, true};
inline constexpr Carattere SansSerif8 = {"MS Sans Serif", 8.25, true};
inline constexpr Carattere Arial12 = {"Arial", 12, true};
inline constexpr Carattere Arial18 = {"Arial", 18, true};

inline constexpr const char *FacciaSi = ":/pictures/faccia_si.png";
inline constexpr const char *FacciaNo = ":/pictures/faccia_no.png";

constexpr Controllo cornice(int i, int left, int top, int w, int h) {
  Controllo c{};
  c.nome = "Image1"; c.indice = i; c.tipo = Tipo::Immagine;
  c.left = left; c.top = top; c.width = w; c.height = h;
  c.bordo = Bordo::Singolo;
  return c;
}

constexpr Controllo casella(const char *nome, int i, int left, int top, int w) {
  Controllo c{};
  c.nome = nome; c.indice = i; c.tipo = Tipo::Etichetta;
  c.left = left; c.top = top; c.width = w; c.height = 525;
  c.carattere = SansSerif13; c.sfondo = GialloChiaro; c.opaco = true;
  c.bordo = Bordo::Incassato; c.centrato = true; c.frecciaPersonale = true;
  c.ruolo = Ruolo::Casella;
  return c;
}

constexpr Controllo carta(const char *nome, int i, int left, int top, int w) {
  Controllo c{};
  c.nome = nome; c.indice = i; c.tipo = Tipo::Etichetta;
  c.left = left; c.top = top; c.width = w; c.height = 615;
  c.testo = "Label1"; c.carattere = SansSerif13; c.sfondo = Bianco; c.opaco = true;
  c.centrato = true; c.frecciaPersonale = true; c.ruolo = Ruolo::Carta;
  return c;
}

constexpr Controllo faccia(const char *nome, const char *immagine) {
  Controllo c{};
  c.nome = nome; c.tipo = Tipo::Immagine;
  c.left = 1080; c.top = 4320; c.width = 975; c.height = 855;
  c.immagine = immagine;
  return c;
}

// Legends and counters stand straight on the window's green.
constexpr Controllo scritta(const char *nome, int i, int left, int top, int w, int h, const char *testo,
                            Carattere car) {
  Controllo c{};
  c.nome = nome; c.indice = i; c.tipo = Tipo::Etichetta;
  c.left = left; c.top = top; c.width = w; c.height = h;
  c.testo = testo; c.carattere = car; c.coloreTesto = SistemaTestoFinestra;
  // The legends are elements of the slot arrays, so they take drops too.
  c.ruolo = i >= 0 ? Ruolo::Casella : Ruolo::Nessuno;
  return c;
}

inline constexpr Controllo EtichettaErrati = scritta("EtichettaErrati", -1, 5520, 4455, 855, 615, "quantierrati", Arial18);
inline constexpr Controllo EtichettaEsatti = scritta("EtichettaEsatti", -1, 3120, 4455, 975, 615, "quantiesatti", Arial18);
inline constexpr Controllo LegendaErrati = scritta("Label2", 4, 4680, 4575, 735, 495, "Errati", Arial12);
inline constexpr Controllo LegendaEsatti = scritta("Label3", 4, 2280, 4575, 735, 375, "Esatti", Arial12);
inline constexpr Controllo IconaNo = faccia("ComandoIconaNo", FacciaNo);
inline constexpr Controllo IconaSi = faccia("ComandoIconaSi", FacciaSi);

}  // namespace quirlo::componenti
