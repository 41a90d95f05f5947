#include "Piattaforma.h"

#include <QDir>
#include <QFileInfo>

namespace quirlo {

namespace {
Piattaforma *corrente = nullptr;
}

Piattaforma &piattaforma() {
  Q_ASSERT_X(corrente, "piattaforma", "no platform installed");
  return *corrente;
}

void impostaPiattaforma(Piattaforma *p) { corrente = p; }

QStringList cartelleDati() {
  const QString programma = piattaforma().cartellaProgramma();
  const QString utente = piattaforma().cartellaUtente();
  // A copy of the game unpacked into the user folder itself reads it once.
  if (utente.isEmpty() || !QFileInfo(utente).isDir() ||
      QFileInfo(utente).canonicalFilePath() == QFileInfo(programma).canonicalFilePath())
    return {programma};
  return {utente, programma};
}

QString unisciPercorso(const QString &cartella, const QString &nomeRelativo) {
  QString relativo = nomeRelativo;
  relativo.replace(QLatin1Char('\\'), QLatin1Char('/'));
  while (relativo.startsWith(QLatin1Char('/')))
    relativo.remove(0, 1);
  // QDir copes with a folder that already ends in a separator (a drive's root).
  return QDir::cleanPath(QDir(cartella).filePath(relativo));
}

QString percorsoDati(const QString &nomeRelativo) {
  return unisciPercorso(piattaforma().cartellaProgramma(), nomeRelativo);
}

}  // namespace quirlo
