#include "Componenti.h"

namespace quirlo {

using namespace componenti;

namespace {

// Three captions end in ten blanks, which widen their menu-bar entries.
template <const char *Lista>
constexpr Menu menuEsercizio[] = {
    {"mnuAzzera", "Azzera conteggio          ", nullptr, false, false},
    {Lista, "Lista parole          ", nullptr, false, true},
    {"mnufacile", "facile", Lista, true, false},
    {"mnudifficile", "difficile", Lista, false, false},
    {"mnuCaratteri", "Caratteri          ", nullptr, false, true},
    {"mnuMaiuscolo", "stampato maiuscolo", "mnuCaratteri", true, false},
    {"mnuMinuscolo", "stampato minuscolo", "mnuCaratteri", false, false},
    {"mnuEsci", "Esci", nullptr, false, false},
};
constexpr char ListaMaiuscola[] = "mnuLista";
constexpr char ListaMinuscola[] = "mnulista";

constexpr Controllo Disegni1[] = {
    EtichettaErrati, EtichettaEsatti, LegendaErrati, LegendaEsatti, IconaNo, IconaSi,
    carta("Label4", 3, 5520, 3240, 1035), carta("Label4", 2, 3360, 3240, 1035),
    carta("Label4", 1, 6600, 3240, 1035), carta("Label4", 0, 2280, 3240, 1035),
    casella("Label3", 3, 8040, 2160, 1035), casella("Label3", 2, 5760, 2160, 1035),
    casella("Label3", 1, 3480, 2160, 1035), casella("Label3", 0, 1200, 2160, 1035),
    carta("Label1", 3, 7680, 3240, 1035), carta("Label1", 2, 1200, 3240, 1035),
    carta("Label1", 1, 4440, 3240, 1035),
    casella("Label2", 3, 6960, 2160, 1035), casella("Label2", 2, 4680, 2160, 1035),
    casella("Label2", 1, 2400, 2160, 1035),
    cornice(3, 6960, 240, 2160, 1800), cornice(2, 4680, 240, 2160, 1800), cornice(1, 2400, 240, 2160, 1800),
    casella("Label2", 0, 120, 2160, 1035), carta("Label1", 0, 120, 3240, 1035),
    cornice(0, 105, 240, 2160, 1800),
};

constexpr Controllo Disegni2[] = {
    carta("Label1", 8, 7920, 3600, 795), carta("Label1", 7, 6960, 3600, 795),
    carta("Label1", 6, 6000, 3600, 795), carta("Label1", 5, 5040, 3600, 795),
    carta("Label1", 4, 4080, 3600, 795), carta("Label1", 3, 3120, 3600, 795),
    carta("Label1", 2, 2160, 3600, 795), carta("Label1", 1, 1200, 3600, 795),
    casella("Label4", 2, 8040, 2760, 795), casella("Label2", 2, 6360, 2760, 795),
    casella("Label3", 2, 7200, 2760, 795), casella("Label4", 1, 4800, 2760, 795),
    casella("Label2", 1, 3120, 2760, 795), casella("Label3", 1, 3960, 2760, 795),
    casella("Label4", 0, 1800, 2760, 795),
    cornice(2, 6360, 240, 2400, 2400), cornice(1, 3240, 240, 2400, 2400),
    EtichettaErrati, EtichettaEsatti, LegendaErrati, LegendaEsatti, IconaNo, IconaSi,
    casella("Label3", 0, 960, 2760, 795), casella("Label2", 0, 120, 2760, 795),
    carta("Label1", 0, 240, 3600, 795), cornice(0, 240, 240, 2400, 2400),
};

}  // namespace

const Schermata &schermataDisegni1() {
  static const Schermata s{"DISEGNI1", "", 9570, 7200, Verde, SansSerif8, nullptr, Disegni1,
                           menuEsercizio<ListaMaiuscola>};
  return s;
}

const Schermata &schermataDisegni2() {
  static const Schermata s{"DISEGNI2", "", 9570, 7200, Verde, SansSerif8, nullptr, Disegni2,
                           menuEsercizio<ListaMinuscola>};
  return s;
}

}  // namespace quirlo
