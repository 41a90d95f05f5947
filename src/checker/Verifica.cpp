#include "VerificaInterna.h"

#include "TestoVisibile.h"

#include <QDir>
#include <algorithm>

namespace quirlo::verifica {

Rapporto verificaCartella(const QString &cartella) { return verificaCartelle({cartella}); }

Rapporto verificaCartelleDati(const CartelleDati &dati) {
  Rapporto r = verificaCartelle(dati.cartelle);
  if (!dati.utenteIlleggibile.isEmpty())
    r.segnalazioni.prepend({Difetto::CartellaIlleggibile, Gravita::Errore, QString(), 0,
                            QStringLiteral("non riesco a leggere la cartella personale \u00AB%1\u00BB (controlla i "
                                           "suoi permessi): il gioco non usa le liste e i disegni che ci sono dentro, "
                                           "ma quelli della cartella del programma")
                                .arg(QDir::toNativeSeparators(dati.utenteIlleggibile))});
  return r;
}

Rapporto verificaCartelle(const QStringList &cartelle) {
  Q_ASSERT(!cartelle.isEmpty());
  Rapporto r;
  for (const catalogo::Lista &l : catalogo::Liste)
    verificaLista(cartelle, l, r);
  verificaSuoni(cartelle.last(), r);
  verificaVoci(cartelle, r);
  return r;
}

QString formatta(const Segnalazione &s) {
  // Paths as the system writes them, where the teacher reads them.
  const QString file = QDir::toNativeSeparators(s.file);
  const QString dove = s.riga > 0 ? QStringLiteral("%1, riga %2").arg(file).arg(s.riga) : file;
  const QString gravita = s.gravita == Gravita::Errore  ? QStringLiteral("[ERRORE]")
                          : s.gravita == Gravita::Avviso ? QStringLiteral("[AVVISO]")
                                                         : QStringLiteral("[NOTA]");
  // Nothing from a list reaches the terminal as a control character.
  if (dove.isEmpty())
    return senzaControlli(QStringLiteral("%1 %2").arg(gravita, s.testo));
  return senzaControlli(QStringLiteral("%1 %2: %3").arg(gravita, dove, s.testo));
}

QString riepilogo(const Rapporto &r) {
  const auto errori = std::count_if(r.segnalazioni.begin(), r.segnalazioni.end(),
                                    [](const Segnalazione &s) { return s.gravita == Gravita::Errore; });
  const auto avvisi = std::count_if(r.segnalazioni.begin(), r.segnalazioni.end(),
                                   [](const Segnalazione &s) { return s.gravita == Gravita::Avviso; });
  const QString controllato =
      QStringLiteral("%1 liste (%2), i loro disegni e %3 suoni").arg(r.liste).arg(plurale(r.parole, u"parola", u"parole")).arg(r.suoni);
  if (r.segnalazioni.isEmpty())
    return QStringLiteral("Tutto a posto: controllati %1.").arg(controllato);
  return QStringLiteral("Da sistemare: %1 e %2 in %3.")
      .arg(plurale(errori, u"errore", u"errori"), plurale(avvisi, u"avviso", u"avvisi"), controllato);
}

}  // namespace quirlo::verifica
