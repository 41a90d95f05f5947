#include "GiudizioVoce.h"

#include "DecodificaSuoni.h"
#include "FileRegolare.h"
#include "Voci.h"

#include <QFileInfo>
#include <QLocale>

namespace quirlo::verifica {

namespace {

GiudizioVoce rifiuto(const QString &motivo, Difetto difetto = Difetto::VoceIllegibile) {
  return {motivo, difetto, {}};
}

}  // namespace

GiudizioVoce giudicaVoce(const QString &percorso) {
  // Looked at before it is opened: a FIFO or a device would never answer.
  if (!fileRegolare(percorso))
    return rifiuto(QStringLiteral("non è un file normale"));
  const qint64 byte = QFileInfo(percorso).size();
  if (byte > MassimoByteVoce)
    return rifiuto(
        QStringLiteral("il file è troppo grande (%1 MB, al massimo %2)").arg(byte >> 20).arg(MassimoByteVoce >> 20),
        Difetto::VoceFuoriLimiti);
  SuonoLetto suono = leggiSuono(percorso);
  switch (suono.stato) {
    case StatoSuono::NonSuono:
      return rifiuto(QStringLiteral("non è un suono che il gioco sa leggere"));
    case StatoSuono::FrequenzaFuori:
      return rifiuto(QStringLiteral("il file dice che il suono ha una frequenza di %1 Hz, e il gioco ne sa suonare al "
                                    "massimo %2")
                         .arg(suono.frequenza)
                         .arg(formatoSuono::MassimaFrequenza),
                     Difetto::VoceFuoriLimiti);
    case StatoSuono::TroppiCanali:
      return rifiuto(QStringLiteral("il suono ha %1 canali, e il gioco ne sa suonare al massimo %2")
                         .arg(suono.canali)
                         .arg(formatoSuono::MassimiCanali),
                     Difetto::VoceFuoriLimiti);
    case StatoSuono::Buono:
      break;
  }
  if (suono.pcm.isEmpty())
    return rifiuto(QStringLiteral("non contiene nessun suono"));
  const double secondi = double(suono.pcm.size()) / formatoSuono::BytePerSecondo;
  if (suono.tagliato || secondi > MassimoSecondiVoce)
    return rifiuto(QStringLiteral("la registrazione è troppo lunga (%1 secondi, al massimo %2): per una parola bastano "
                                  "un paio di secondi")
                       .arg(QLocale(QLocale::Italian).toString(secondi, 'f', 1))
                       .arg(MassimoSecondiVoce),
                   Difetto::VoceFuoriLimiti);
  return {{}, Difetto::VoceIllegibile, std::move(suono.pcm)};
}

}  // namespace quirlo::verifica
