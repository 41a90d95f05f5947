#include "ComandoVoce.h"

#include "Operazioni.h"
#include "RigaDiComando.h"
#include "Scrittura.h"
#include "Sillabazione.h"
#include "TestoVisibile.h"
#include "VoceParola.h"

namespace quirlo::editor {

int comandoVoce(const QStringList &argomenti, const Cartelle &cartelle, QTextStream &out) {
  const auto tra = [](const QString &t) { return QStringLiteral("\u00AB%1\u00BB").arg(accorciato(t)); };
  if (argomenti.size() != 3)
    return Uscita::Uso;
  const catalogo::Lista *lista = catalogo::listaDaNome(argomenti[0]);
  if (!lista) {
    out << "Non c'è una lista che si chiami " << tra(argomenti[0])
        << ": le liste sono lista2, lista3, lista4 e lista5.\n";
    return Uscita::Uso;
  }
  const ListaAperta aperta = apriLista(cartelle, *lista);
  const sillabe::Scritta s = sillabe::leggiScritta(argomenti[1]);
  const qsizetype i = s.errore.isEmpty() ? indiceDi(aperta, s.parola) : -1;
  if (i < 0) {
    out << tra(argomenti[1]) << " non c'è in " << lista->file << ".\n";
    return Uscita::Rifiutato;
  }
  const VoceLetta letta = leggiVoce(argomenti[2]);
  if (!letta.errore.isEmpty()) {
    out << letta.errore << '\n';
    return Uscita::FotoInutile;
  }
  const QString parola = aperta.parole[i].testo();
  const Esito e = salvaVoce(cartelle, parola, letta.pcm);
  if (e.riuscito())
    out << "Salvata la voce di " << tra(parola) << " in " << mostra(fileVoce(cartelle, parola)) << ".\n";
  else
    out << e.messaggio << '\n';
  return codice(e);
}

}  // namespace quirlo::editor
