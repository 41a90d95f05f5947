#include "ListaParole.h"
#include "TestoVisibile.h"

#include <QDir>

namespace quirlo {

namespace {
constexpr int DisegniElencati = 10;
}

QString Rifiuto::messaggio() const {
  const QString file = QStringLiteral("\u00AB%1\u00BB").arg(nomeAccorciato(nomeFile));
  QString testo;
  switch (problema) {
    case Problema::FileIlleggibile:
      // One in the user's folder is there: it is its reading that fails.
      testo = QStringLiteral("Non riesco a leggere la lista di parole %1.\n").arg(file) +
              (cartellaUtente.isEmpty()
                   ? QStringLiteral("Controlla che il file si trovi nella cartella del programma.")
                   : QStringLiteral("Controlla che sia un file di testo e che i suoi permessi permettano di aprirlo."));
      break;
    case Problema::FileTroppoGrande:
      testo = QStringLiteral("Il file %1 è troppo grande per essere una lista di parole.").arg(file);
      break;
    case Problema::TroppeParole:
      testo = QStringLiteral("La lista %1 contiene più di %2 parole (la parola numero %3 è alla riga %4).\n"
                             "Una lista può avere al massimo %2 parole.")
                  .arg(file)
                  .arg(limite)
                  .arg(limite + 1)
                  .arg(riga);
      break;
    case Problema::SillabeIncomplete:
      testo = QStringLiteral("Nella lista %1 l'ultima parola (riga %2) è incompleta:\n"
                             "ogni parola deve avere %3 sillabe separate da virgole.")
                  .arg(file)
                  .arg(riga)
                  .arg(campi);
      break;
    case Problema::SillabaTroppoLunga:
      testo = QStringLiteral("Nella lista %1 alla riga %2 c'è una sillaba troppo lunga:\n\u00AB%3\u00BB (%4 lettere).\n"
                             "Una sillaba può avere al massimo %5 lettere: forse manca una virgola.")
                  .arg(file)
                  .arg(riga)
                  .arg(accorciato(this->testo))
                  .arg(this->testo.size())
                  .arg(limite);
      break;
    case Problema::NomeTroppoLungo:
      testo = QStringLiteral("Nella lista %1 la parola della riga %2 è troppo lunga per dare il nome "
                             "al file del suo disegno:\n\u00AB%3\u00BB.\n"
                             "Il nome di un file può avere al massimo %4 caratteri (una lettera accentata conta "
                             "per due).")
                  .arg(file)
                  .arg(riga)
                  .arg(accorciato(this->testo))
                  .arg(limite);
      break;
    case Problema::TroppoPoche:
      testo = trovate == 0 ? QStringLiteral("La lista %1 è vuota.").arg(file)
                           : QStringLiteral("La lista %1 contiene solo %2.").arg(file, plurale(trovate, u"parola", u"parole"));
      testo += QStringLiteral("\nPer questo esercizio ne servono almeno %1.").arg(servono);
      break;
    case Problema::DisegniMancanti: {
      testo = QStringLiteral("Alcune parole della lista %1 non hanno un disegno che si possa mostrare:").arg(file);
      const qsizetype elencati = std::min<qsizetype>(disegni.size(), DisegniElencati);
      for (qsizetype i = 0; i < elencati; ++i) {
        const DisegnoDifettoso &d = disegni[i];
        const QString parola = accorciato(d.parola);
        // The file as the teacher's file manager writes it (jpg\\casa.jpg on Windows).
        const QString nome = nomeAccorciato(QDir::toNativeSeparators(d.nomeFile));
        if (d.chiuso)
          testo += QStringLiteral("\n- %1: il file %2 non si può aprire (controlla i suoi permessi)").arg(parola, nome);
        else if (d.pesante)
          testo += QStringLiteral("\n- %1: il file %2 è troppo pesante da mostrare (rimpicciolisci l'immagine)")
                       .arg(parola, nome);
        else if (d.illeggibile)
          testo += QStringLiteral("\n- %1: il file %2 non è un'immagine leggibile").arg(parola, nome);
        else
          testo += QStringLiteral("\n- %1: manca il file %2").arg(parola, nome);
      }
      const qsizetype altri = disegni.size() - elencati;
      if (altri == 1)
        testo += QStringLiteral("\n... e un'altra parola.");
      else if (altri > 1)
        testo += QStringLiteral("\n... e altre %1 parole.").arg(altri);
      break;
    }
  }
  testo += QStringLiteral("\n\nLa lista non è stata caricata.");
  // The teacher's own copy hides the program's: say where to mend it.
  if (!cartellaUtente.isEmpty())
    testo += QStringLiteral("\n\nÈ la lista della tua cartella personale, \u00AB%1\u00BB: correggila lì, "
                            "oppure cancellala per usare quella del programma.")
                 .arg(senzaControlli(QDir::toNativeSeparators(cartellaUtente)));
  return testo;
}

}  // namespace quirlo
