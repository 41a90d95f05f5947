#include "ListaParole.h"

#include "FileRegolare.h"
#include "TestoLista.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace quirlo {

ListaLetta leggiListaDaByte(const QByteArray &byte, const QString &nomeFile, int campi) {
  ListaLetta esito;
  const QList<Campo> tutti = leggiCampi(decodificaLista(byte));
  qsizetype prossimo = 0;
  // The end of the file is looked at only before each word.
  while (prossimo < tutti.size()) {
    if (esito.parole.size() == MassimoParole) {
      esito.rifiuto = Rifiuto{.problema = Problema::TroppeParole, .nomeFile = nomeFile, .riga = tutti[prossimo].riga,
                               .limite = MassimoParole, .campi = campi};
      return esito;
    }
    Parola parola;
    parola.riga = tutti[prossimo].riga;
    for (int c = 0; c < campi; ++c) {
      if (prossimo >= tutti.size()) {
        esito.rifiuto = Rifiuto{.problema = Problema::SillabeIncomplete, .nomeFile = nomeFile, .riga = parola.riga, .campi = campi};
        return esito;
      }
      const Campo &campo = tutti[prossimo++];
      if (campo.testo.size() > MassimoLettereSillaba) {
        esito.rifiuto =
            Rifiuto{.problema = Problema::SillabaTroppoLunga, .nomeFile = nomeFile, .riga = campo.riga,
                                  .limite = MassimoLettereSillaba, .campi = campi, .testo = campo.testo};
        return esito;
      }
      parola.rigaFine = campo.riga;
      parola.sillabe.append(campo.testo);
    }
    // A file cut right after a comma: the last word lacks its last syllable,
    // whatever the count of fields says.
    if (prossimo == tutti.size() && tutti.last().troncato) {
      esito.rifiuto = Rifiuto{.problema = Problema::SillabeIncomplete, .nomeFile = nomeFile, .riga = parola.riga, .campi = campi};
      return esito;
    }
    // Its drawing's name could not exist: no file would ever be found for it.
    if ((parola.testo() + QStringLiteral(".jpg")).toUtf8().size() > MassimoByteNomeFile) {
      esito.rifiuto =
          Rifiuto{.problema = Problema::NomeTroppoLungo, .nomeFile = nomeFile, .riga = parola.riga,
                                .limite = MassimoByteNomeFile, .campi = campi, .testo = parola.testo()};
      return esito;
    }
    esito.parole.append(parola);
  }
  return esito;
}

QList<std::pair<qsizetype, qsizetype>> paroleRipetute(const QList<Parola> &parole) {
  QList<std::pair<qsizetype, qsizetype>> ripetute;
  QHash<QString, qsizetype> prima;
  for (qsizetype i = 0; i < parole.size(); ++i) {
    const QString chiave = parole[i].testo().toUpper();
    const auto trovata = prima.constFind(chiave);
    if (trovata != prima.constEnd())
      ripetute.append({i, *trovata});
    else
      prima.insert(chiave, i);
  }
  return ripetute;
}

ListaLetta leggiLista(const QString &percorso, int campi) {
  const QString nome = QFileInfo(percorso).fileName();
  QFile file;
  if (!apriFileRegolare(file, percorso))
    return {{}, Rifiuto{.problema = Problema::FileIlleggibile, .nomeFile = nome, .campi = campi}};
  const QByteArray byte = file.read(catalogo::MassimoByteLista + 1);
  if (byte.size() > catalogo::MassimoByteLista)
    return {{}, Rifiuto{.problema = Problema::FileTroppoGrande, .nomeFile = nome, .campi = campi}};
  if (file.error() != QFileDevice::NoError)
    return {{}, Rifiuto{.problema = Problema::FileIlleggibile, .nomeFile = nome, .campi = campi}};
  return leggiListaDaByte(byte, nome, campi);
}

}  // namespace quirlo
