#include "Layout.h"

namespace quirlo {

namespace {

constexpr Colore Ciano = 0x00FFFF00;

constexpr Controllo pulsante(const char *nome, int left, int top, int w, int h, const char *testo, Carattere car,
                             const char *immagine, int tab) {
  Controllo c{};
  c.nome = nome; c.tipo = Tipo::Pulsante;
  c.left = left; c.top = top; c.width = w; c.height = h;
  c.testo = testo; c.carattere = car; c.immagine = immagine; c.ordineTab = tab;
  return c;
}

constexpr Controllo titolo() {
  Controllo c{};
  c.nome = "Label1"; c.tipo = Tipo::Etichetta;
  c.left = 1320; c.top = 720; c.width = 6855; c.height = 2535;
  c.testo = "Quirlo"; c.carattere = {"Arial", 48, true}; c.centrato = true;
  return c;
}

constexpr Carattere SansSerif18 = {"MS Sans Serif", 18, true};
constexpr Carattere Arial27 = {"Arial", 27.75, false};

constexpr Controllo Avvio[] = {
    pulsante("Command1", 3000, 4200, 3735, 1455, "Avvio", {"MS Sans Serif", 24, true}, ":/pictures/avvio.png", 0),
    titolo(),
};

// Created in this order; the tab order is the last column, not the column's.
constexpr Controllo Pulsanti[] = {
    pulsante("Command1", 1920, 1680, 4425, 1245, "trisillabe", SansSerif18, ":/pictures/trisillabe.png", 3),
    pulsante("Command3D5", 1920, 5160, 4470, 1260, "Esci", Arial27, ":/pictures/esci.png", 1),
    pulsante("Command3D6", 1920, 3720, 4470, 1260, "Informazioni", Arial27, ":/pictures/informazioni.png", 2),
    pulsante("Command3D1", 1920, 360, 4425, 1245, "parole bisillabe", SansSerif18, ":/pictures/bisillabe.png", 0),
};

}  // namespace

const Schermata &schermataAvvio() {
  static const Schermata s{"FormAvvio", "Form1", 10605, 9120, Ciano, {"MS Sans Serif", 8.25, true},
                           ":/pictures/icon.png", Avvio, {}};
  return s;
}

const Schermata &schermataMenu() {
  static const Schermata s{"FormMenu", "Form2", 10140, 7470, Ciano, {"MS Sans Serif", 24, true}, nullptr, Pulsanti, {}};
  return s;
}

}  // namespace quirlo
