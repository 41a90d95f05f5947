#include "Riparazioni.h"

#include "Accettazione.h"
#include "Cornice.h"
#include "FileRegolare.h"
#include "Foto.h"
#include "QuasiNomi.h"
#include "TestoLista.h"
#include "TestoVisibile.h"

#include <QDir>
#include <QMap>
#include <QRegularExpression>

namespace quirlo::editor {

namespace {

QString tra(const QString &t) { return QStringLiteral("\u00AB%1\u00BB").arg(accorciato(t)); }

// Every missing drawing with the file named almost right that could stand for it.
struct Mancante {
  const catalogo::Lista *lista;
  QString parola;
  QString vicino;  // full path
};

QList<Mancante> mancanti(const Cartelle &cartelle) {
  QList<Mancante> trovati;
  const QStringList dati = cartelle.dati();
  const DisegniCercati disegni(dati);
  QStringList visti;
  for (const catalogo::Lista &l : catalogo::Liste) {
    const ListaLetta letta = leggiLista(percorsoLista(dati, QString::fromLatin1(l.file)), l.sillabe);
    for (const Parola &p : letta.parole) {
      if (visti.contains(p.testo()) || !disegni.percorso(p.testo()).isEmpty())
        continue;
      for (const QString &cartella : dati) {
        const QDir jpg(QDir(cartella).filePath(QLatin1String(catalogo::CartellaDisegni)));
        const QList<quasi::QuasiNome> q = quasi::perDisegno(jpg.entryList(QDir::Files | QDir::Hidden), p.testo());
        if (!q.isEmpty()) {
          trovati.append({&l, p.testo(), jpg.filePath(q.first().trovato)});
          visti << p.testo();
          break;
        }
      }
    }
  }
  return trovati;
}

// The fields of the list file at `percorso`, as the game reads them.
QList<Campo> campiDi(const QString &percorso) {
  QFile file;
  if (!apriFileRegolare(file, percorso))
    return {};
  return leggiCampi(decodificaLista(file.read(catalogo::MassimoByteLista)));
}

}  // namespace

Riparazione riparaDisegni(const Cartelle &cartelle) {
  Riparazione r;
  for (const Mancante &m : mancanti(cartelle)) {
    const Foto foto = apriFoto(m.vicino, 1);
    const DisegnoSalvato d =
        foto.valida() ? salvaDisegno(foto, ritaglioPredefinito(foto.dimensione, cornice(*m.lista)), *m.lista, m.parola,
                                     cartelle.utente)
                      : DisegnoSalvato{{}, foto.errore};
    if (d.errore.isEmpty())
      r.fatte << QStringLiteral("Il disegno di %1 ora è %2, fatto da %3.")
                     .arg(tra(m.parola), nomeAccorciato(QDir::toNativeSeparators(catalogo::disegno(m.parola))),
                          tra(QFileInfo(m.vicino).fileName()));
    else
      r.errori << QStringLiteral("%1: %2").arg(tra(m.parola), d.errore);
  }
  return r;
}

Riparazione riparaTrattini(const Cartelle &cartelle, const catalogo::Lista &lista) {
  Riparazione r;
  ListaAperta aperta = apriLista(cartelle, lista);
  const QList<Campo> campi = campiDi(aperta.percorso);
  if (quasi::sillabeColTrattino(campi).isEmpty())
    return r;
  // Each line a word, its syllables split at commas and hyphens alike.
  static const QRegularExpression trattino(QStringLiteral("\\s*[-\u2010\u2011\u2013]\\s*"));
  QMap<int, QStringList> righe;
  for (const Campo &c : campi)
    righe[c.riga] << c.testo.split(trattino);
  QList<Parola> parole;
  for (auto it = righe.cbegin(); it != righe.cend(); ++it) {
    if (it.value().size() != lista.sillabe) {
      r.errori << QStringLiteral("%1, riga %2: %3 non sono %4 sillabe; correggila a mano.")
                      .arg(QString::fromLatin1(lista.file))
                      .arg(it.key())
                      .arg(tra(it.value().join(QLatin1Char('-'))))
                      .arg(lista.sillabe);
      continue;
    }
    Parola p;
    p.sillabe = it.value();
    parole << p;
  }
  if (!r.errori.isEmpty())
    return r;
  const Esito e = salvaLista(cartelle, aperta, parole);
  if (e.riuscito())
    r.fatte << QStringLiteral("%1: le sillabe ora sono separate da virgole.").arg(QString::fromLatin1(lista.file));
  else
    r.errori << e.messaggio;
  return r;
}

bool qualcosaDaRiparare(const Cartelle &cartelle) {
  if (!mancanti(cartelle).isEmpty())
    return true;
  for (const catalogo::Lista &l : catalogo::Liste)
    if (!quasi::sillabeColTrattino(campiDi(percorsoLista(cartelle.dati(), QString::fromLatin1(l.file)))).isEmpty())
      return true;
  return false;
}

}  // namespace quirlo::editor
