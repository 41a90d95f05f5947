#pragma once

#include "Archivio.h"
#include "Impaginazione.h"

// "Stampa le schede": worksheets from a list's words, the same from the window
// and the command line.
namespace quirlo::editor {

struct RichiestaSchede {
  const catalogo::Lista *lista = nullptr;
  QList<Parola> parole;  // in the order printed
  schede::Tipo tipo = schede::Tipo::Sillabe;
  bool maiuscolo = true;  // the game starts in upper case
  quint32 seme = 0;       // how the cards are shuffled
};

// Writes the worksheet to `percorso` at once or not at all: every drawing is
// checked before the first page, and a drawing that fails while painting
// leaves no half-written PDF behind (nor touches a file already there).
Esito scriviSchede(const Cartelle &cartelle, const RichiestaSchede &richiesta, const QString &percorso);

// "Scrivi le sillabe", "Ritaglia e incolla"
QString nomeScheda(schede::Tipo tipo);

}  // namespace quirlo::editor
