#include "Modulo1.h"

#include "Finestre.h"
#include "Piattaforma.h"

#include <QStringList>

namespace quirlo::Modulo1 {

QString TestoInformazioni() {
  const QString riga = QStringLiteral(" ----------------------- ");
  return QStringList{
      QStringLiteral("Il gruppo di Quirlo  "),
      riga,
      QStringLiteral("https://quirlo.example.org"),
      QStringLiteral("mail: quirlo@example.org"),
      riga,
      QStringLiteral("disegni eseguiti dai ragazzi delle classi 4\u00B0 e 5\u00B0 di Valdorsa"),
  }
      .join(QStringLiteral("\r\n"));
}

void Main() {
  piattaforma().seminaDalOrologio();
  Finestre::mostra(TipoFinestra::FormAvvio);
}

void MostraInformazioni() { piattaforma().messaggio(TestoInformazioni(), Msg::IconaInformazione); }

void ChiediUscita() {
  if (piattaforma().messaggio(QStringLiteral("Vuoi uscire dal programma?"), Msg::Domanda) == Msg::RispostaSi)
    Finestre::terminaProgramma();
}

}  // namespace quirlo::Modulo1
