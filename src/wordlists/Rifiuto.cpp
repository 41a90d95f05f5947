#include "ListaParole.h"

#include <QDir>

namespace quirlo {

namespace {
constexpr int DisegniElencati = 10;
}

QString Rifiuto::messaggio() const {
  const QString file = QStringLiteral("\u00AB%1\u00BB").arg(nomeFile);
  QString testo;
  switch (problema) {
    case Problema::FileIlleggibile:
      testo = QStringLiteral("Non riesco a leggere la lista di parole %1.\n"
                             "Controlla che il file si trovi nella cartella del programma.")
                  .arg(file);
      break;
    case Problema::FileTroppoGrande:
      testo = QStringLiteral("Il file %1 è troppo grande per essere una lista di parole.").arg(file);
      break;
    case Problema::TroppeParole:
      testo = QStringLiteral("La lista %1 contiene più di %2 parole (la parola numero %3 è alla riga %4).\n"
                             "Una lista può avere al massimo %2 parole.")
                  .arg(file)
                  .arg(quante)
                  .arg(quante + 1)
                  .arg(riga);
      break;
    case Problema::SillabeIncomplete:
      testo = QStringLiteral("Nella lista %1 l'ultima parola (riga %2) è incompleta:\n"
                             "ogni parola deve avere %3 sillabe separate da virgole.")
                  .arg(file)
                  .arg(riga)
                  .arg(campi);
      break;
    case Problema::TroppoPoche:
      testo = quante == 0 ? QStringLiteral("La lista %1 è vuota.").arg(file)
                          : QStringLiteral("La lista %1 contiene solo %2 %3.").arg(file).arg(quante).arg(
                                quante == 1 ? QStringLiteral("parola") : QStringLiteral("parole"));
      testo += QStringLiteral("\nPer questo esercizio ne servono almeno %1.").arg(servono);
      break;
    case Problema::DisegniMancanti: {
      testo = QStringLiteral("Alcune parole della lista %1 non hanno un disegno che si possa mostrare:").arg(file);
      const qsizetype elencati = std::min<qsizetype>(disegni.size(), DisegniElencati);
      for (qsizetype i = 0; i < elencati; ++i) {
        const DisegnoDifettoso &d = disegni[i];
        // The file as the teacher's file manager writes it (jpg\\casa.jpg on Windows).
        const QString nomeFile = QDir::toNativeSeparators(d.nomeFile);
        testo += d.illeggibile ? QStringLiteral("\n- %1: il file %2 non è un'immagine leggibile").arg(d.parola, nomeFile)
                               : QStringLiteral("\n- %1: manca il file %2").arg(d.parola, nomeFile);
      }
      const qsizetype altri = disegni.size() - elencati;
      if (altri == 1)
        testo += QStringLiteral("\n... e un'altra parola.");
      else if (altri > 1)
        testo += QStringLiteral("\n... e altre %1 parole.").arg(altri);
      break;
    }
  }
  return testo + QStringLiteral("\n\nLa lista non è stata caricata.");
}

}  // namespace quirlo
