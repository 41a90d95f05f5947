#include "Piattaforma.h"

#include "FileRegolare.h"
#include "TestoVisibile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace quirlo {

namespace {
Piattaforma *corrente = nullptr;
}

Piattaforma &piattaforma() {
  Q_ASSERT_X(corrente, "piattaforma", "no platform installed");
  return *corrente;
}

bool piattaformaPresente() { return corrente != nullptr; }

void impostaPiattaforma(Piattaforma *p) { corrente = p; }

int estrai(int n) { return std::clamp(int(std::floor(piattaforma().casuale() * n)) + 1, 1, n); }

CartelleDati trovaCartelleDati(const QString &utente, const QString &programma) {
  // A copy of the game unpacked into the user folder itself reads it once.
  if (utente.isEmpty() || !QFileInfo(utente).isDir() ||
      QFileInfo(utente).canonicalFilePath() == QFileInfo(programma).canonicalFilePath())
    return {{programma}, {}};
  // Its lists can't even be looked for: the program's are all there is.
  if (!cartellaAccessibile(utente))
    return {{programma}, utente};
  return {{utente, programma}, {}};
}

QStringList cartelleDati() {
  return trovaCartelleDati(piattaforma().cartellaUtente(), piattaforma().cartellaProgramma()).cartelle;
}

QString avvisoCartellaIlleggibile(const QString &cartella) {
  return QStringLiteral("Non riesco a leggere la tua cartella personale \u00AB%1\u00BB: controlla i suoi permessi.\n"
                        "Finché non si può leggere, il gioco usa le liste e i disegni della cartella del programma.")
      .arg(senzaControlli(QDir::toNativeSeparators(cartella)));
}

QString Piattaforma::avvisoCartelle() {
  if (avvisata_)
    return {};
  const QString illeggibile = trovaCartelleDati(cartellaUtente(), cartellaProgramma()).utenteIlleggibile;
  if (illeggibile.isEmpty())
    return {};
  avvisata_ = true;
  return avvisoCartellaIlleggibile(illeggibile);
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
