#include "ListaParole.h"

#include "FileRegolare.h"
#include "TestoLista.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace quirlo {

namespace {
// A hundred words fit in a few kilobytes; anything this large is not a list.
constexpr qint64 MassimoByte = 1 << 20;
}  // namespace

ListaLetta leggiListaDaByte(const QByteArray &byte, const QString &nomeFile, int campi) {
  ListaLetta esito;
  const QList<Campo> tutti = leggiCampi(decodificaLista(byte));
  qsizetype prossimo = 0;
  // The end of the file is looked at only before each word.
  while (prossimo < tutti.size()) {
    if (esito.parole.size() == MassimoParole) {
      esito.rifiuto = Rifiuto{Problema::TroppeParole, nomeFile, tutti[prossimo].riga, MassimoParole, campi, {}, 0, {}};
      return esito;
    }
    Parola parola;
    parola.riga = tutti[prossimo].riga;
    for (int c = 0; c < campi; ++c) {
      if (prossimo >= tutti.size()) {
        esito.rifiuto = Rifiuto{Problema::SillabeIncomplete, nomeFile, parola.riga, 0, campi, {}, 0, {}};
        return esito;
      }
      const Campo &campo = tutti[prossimo++];
      if (campo.testo.size() > MassimoLettereSillaba) {
        esito.rifiuto =
            Rifiuto{Problema::SillabaTroppoLunga, nomeFile, campo.riga, MassimoLettereSillaba, campi, {}, 0, campo.testo};
        return esito;
      }
      parola.rigaFine = campo.riga;
      parola.sillabe.append(campo.testo);
    }
    // Its drawing's name could not exist: no file would ever be found for it.
    if ((parola.testo() + QStringLiteral(".jpg")).toUtf8().size() > MassimoByteNomeFile) {
      esito.rifiuto =
          Rifiuto{Problema::NomeTroppoLungo, nomeFile, parola.riga, MassimoByteNomeFile, campi, {}, 0, parola.testo()};
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
    return {{}, Rifiuto{Problema::FileIlleggibile, nome, 0, 0, campi, {}, 0, {}}};
  const QByteArray byte = file.read(MassimoByte + 1);
  if (byte.size() > MassimoByte)
    return {{}, Rifiuto{Problema::FileTroppoGrande, nome, 0, 0, campi, {}, 0, {}}};
  if (file.error() != QFileDevice::NoError)
    return {{}, Rifiuto{Problema::FileIlleggibile, nome, 0, 0, campi, {}, 0, {}}};
  return leggiListaDaByte(byte, nome, campi);
}

}  // namespace quirlo
