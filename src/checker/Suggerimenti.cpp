#include "Suggerimenti.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include "Accettazione.h"
#include "Catalogo.h"
#include "FileRegolare.h"
#include "ListaParole.h"
#include "QuasiNomi.h"
#include "Sillabazione.h"
#include "TestoLista.h"
#include "TestoVisibile.h"
#include "VerificaInterna.h"

namespace quirlo::verifica {

namespace {
QStringList messaggi(const QList<quasi::QuasiNome> &trovati) {
  QStringList m;
  for (const quasi::QuasiNome &q : trovati)
    m << q.messaggio();
  return m;
}
}  // namespace

QStringList quasiDisegno(const QString &cartellaDati, const QString &parola) {
  const QDir jpg(QDir(cartellaDati).filePath(QLatin1String(catalogo::CartellaDisegni)));
  return messaggi(quasi::perDisegno(jpg.entryList(QDir::Files | QDir::Hidden), parola));
}

QStringList quasiLista(const QString &cartellaDati, const QString &file) {
  return messaggi(quasi::perLista(QDir(cartellaDati).entryList(QDir::Files | QDir::Hidden), file));
}

QString divisioneDiScuola(const QStringList &sillabe) {
  const QString parola = sillabe.join(QString()).toLower();
  if (parola.isEmpty() || sillabe.contains(QString()) ||
      std::any_of(parola.begin(), parola.end(), [](QChar c) { return !c.isLetter(); }))
    return {};
  QStringList scritte;
  for (const QString &s : sillabe)
    scritte << s.toLower();
  const sillabe::Divisione d = sillabe::dividi(parola);
  if (scritte == d.sillabe || (d.controlla && scritte == d.alternativa))
    return {};
  return d.sillabe.join(QLatin1Char(','));
}

QStringList viciniNelleCartelle(const QStringList &cartelle, QStringList (*cerca)(const QString &, const QString &),
                                const QString &nome, qsizetype finoA) {
  QStringList tutti;
  for (qsizetype i = 0; i < (finoA < 0 ? cartelle.size() : finoA); ++i)
    for (const QString &m : cerca(cartelle[i], nome))
      tutti << (cartelle.size() > 1
                    ? QStringLiteral("in \u00AB%1\u00BB ").arg(senzaControlli(QDir::toNativeSeparators(cartelle[i]))) +
                          m
                    : m);
  return tutti;
}

QStringList listePassate(const QStringList &cartelle, const QString &file) {
  QStringList messaggi;
  const qsizetype da = cartellaDellaLista(cartelle, file);
  if (da > 0)
    for (const QString &m : viciniNelleCartelle(cartelle, quasiLista, file, da))
      messaggi << m + QStringLiteral("; per ora il gioco legge la lista di \u00AB%1\u00BB")
                          .arg(senzaControlli(QDir::toNativeSeparators(cartelle[da])));
  return messaggi;
}

QList<DisegnoPassato> disegniPassati(const QStringList &cartelle, const DisegniCercati &disegni,
                                     const QList<Parola> &parole) {
  QList<DisegnoPassato> trovati;
  if (cartelle.size() < 2)
    return trovati;
  for (qsizetype k = 0; k < parole.size(); ++k) {
    const QString trovato = disegni.percorso(parole[k].testo());
    if (trovato.isEmpty())
      continue;
    const QString cartella = QFileInfo(QFileInfo(trovato).path()).path();
    qsizetype da = -1;
    for (qsizetype i = 0; i < cartelle.size() && da < 0; ++i)
      if (QDir::cleanPath(cartelle[i]) == cartella)
        da = i;
    if (da <= 0)
      continue;
    for (const QString &m : viciniNelleCartelle(cartelle, quasiDisegno, parole[k].testo(), da))
      trovati.append({k, m + QStringLiteral("; per ora il gioco mostra per %1 il disegno di \u00AB%2\u00BB")
                                 .arg(tra(parole[k].testo()), senzaControlli(QDir::toNativeSeparators(cartelle[da])))});
  }
  return trovati;
}

std::optional<Trattino> sillabeColTrattino(const QString &percorso) {
  QFile file;
  if (!apriFileRegolare(file, percorso))
    return std::nullopt;
  const QList<Campo> trovati =
      quasi::sillabeColTrattino(leggiCampi(decodificaLista(file.read(catalogo::MassimoByteLista))));
  if (trovati.isEmpty())
    return std::nullopt;
  QSet<int> righe;
  for (const Campo &c : trovati)
    righe.insert(c.riga);
  const QString divisa =
      QString(trovati.first().testo)
          .replace(QRegularExpression(QStringLiteral("\\s*[-\u2010\u2011\u2013]\\s*")), QStringLiteral(","));
  QString testo = QStringLiteral("%1 divide le sillabe con il trattino: il gioco le vuole separate da virgole (%2)")
                      .arg(tra(trovati.first().testo), tra(divisa));
  if (righe.size() > 1)
    testo += QStringLiteral("; come questa, altre %1 righe").arg(righe.size() - 1);
  return Trattino{trovati.first().riga, testo};
}

}  // namespace quirlo::verifica
