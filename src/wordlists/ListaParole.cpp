#include "ListaParole.h"

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
      esito.rifiuto = Rifiuto{Problema::TroppeParole, nomeFile, tutti[prossimo].riga, MassimoParole, campi, {}};
      return esito;
    }
    Parola parola;
    parola.riga = tutti[prossimo].riga;
    for (int c = 0; c < campi; ++c) {
      if (prossimo >= tutti.size()) {
        esito.rifiuto = Rifiuto{Problema::SillabeIncomplete, nomeFile, parola.riga, 0, campi, {}};
        return esito;
      }
      parola.rigaFine = tutti[prossimo].riga;
      parola.sillabe.append(tutti[prossimo++].testo);
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
  QFile file(percorso);
  if (!QFileInfo(percorso).isFile() || !file.open(QIODevice::ReadOnly))
    return {{}, Rifiuto{Problema::FileIlleggibile, nome, 0, 0, campi, {}}};
  const QByteArray byte = file.read(MassimoByte + 1);
  if (byte.size() > MassimoByte)
    return {{}, Rifiuto{Problema::FileTroppoGrande, nome, 0, 0, campi, {}}};
  if (file.error() != QFileDevice::NoError)
    return {{}, Rifiuto{Problema::FileIlleggibile, nome, 0, 0, campi, {}}};
  return leggiListaDaByte(byte, nome, campi);
}

}  // namespace quirlo
