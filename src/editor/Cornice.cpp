#include "Cornice.h"

#include "Adattamento.h"
#include "Layout.h"

#include <cstring>
#include <numeric>

namespace quirlo::editor {

namespace {

const Schermata &schermataDi(const catalogo::Lista &lista) {
  return std::strcmp(lista.finestra, schermataDisegni1().nome) == 0 ? schermataDisegni1() : schermataDisegni2();
}

}  // namespace

QSize cornice(const catalogo::Lista &lista) {
  for (const Controllo &c : schermataDi(lista).controlli)
    if (c.tipo == Tipo::Immagine && std::strcmp(c.nome, "Image1") == 0)
      return {pixel(c.width), pixel(c.height)};
  Q_UNREACHABLE();
}

QSize formatoDisegno(const catalogo::Lista &lista) {
  const Schermata &s = schermataDi(lista);
  const double intero = fattorePerSpazio(SchermoLavagna, QSize(pixel(s.larghezza), pixel(s.altezza)));
  const QSize c = cornice(lista);
  // Whole multiples of the frame's own proportion, so the picture is never
  // squeezed by a pixel of rounding: 6:5 stays 6:5.
  const int mcd = std::gcd(c.width(), c.height());
  const QSize unita(c.width() / mcd, c.height() / mcd);
  const int passi = int(2 * intero * c.width() / unita.width());
  return unita * passi;
}

}  // namespace quirlo::editor
