#include "Accettazione.h"

#include "Immagini.h"
#include "Piattaforma.h"

#include <QDir>
#include <QFileInfo>

namespace quirlo {

CartellaDisegni::CartellaDisegni(const QString &cartellaProgramma)
    : cartella_(unisciPercorso(cartellaProgramma, QStringLiteral("\\jpg"))) {}

QString CartellaDisegni::nomeAtteso(const QString &parola) { return parola + QStringLiteral(".jpg"); }

QString CartellaDisegni::percorso(const QString &parola) const {
  // A word is a file name inside "jpg", never a path out of it.
  if (parola.isEmpty() || parola.contains(QLatin1Char('/')) || parola.contains(QLatin1Char('\\')) ||
      parola.contains(QChar(0)) || parola == QLatin1String(".") || parola == QLatin1String(".."))
    return {};
  const QString nome = nomeAtteso(parola);
  // The folder is listed even for a name that opens as it stands: a file system
  // that ignores case (Windows) opens "Casa.jpg" for "casa.jpg", and the name
  // shown and checked must be the one on disk. Names are compared composed (NFC),
  // as the lists are read: a drawing copied from a Mac, or out of a zip made on
  // one, has its accents decomposed.
  if (!indicizzata_) {
    indicizzata_ = true;
    const QStringList tutti = QDir(cartella_).entryList(QDir::Files | QDir::Hidden);
    for (const QString &f : tutti) {
      const QString composto = f.normalized(QString::NormalizationForm_C);
      esatti_.insert(f);
      perNfc_.insert(composto, f);
      perMinuscole_.insert(composto.toCaseFolded(), f);
    }
  }
  const QString esatto = QDir(cartella_).filePath(nome);
  if (esatti_.contains(nome))
    return esatto;
  const QString cercato = nome.normalized(QString::NormalizationForm_C);
  QString trovato = perNfc_.value(cercato);
  if (trovato.isEmpty())
    trovato = perMinuscole_.value(cercato.toCaseFolded());
  if (!trovato.isEmpty())
    return QDir(cartella_).filePath(trovato);
  // A folder that may be entered but not listed still opens its files by name.
  if (esatti_.isEmpty() && QFileInfo(esatto).isFile())
    return esatto;
  return {};
}

DisegniCercati::DisegniCercati(const QStringList &cartelle) {
  cartelle_.reserve(size_t(cartelle.size()));
  for (const QString &c : cartelle)
    cartelle_.emplace_back(c);
}

QString DisegniCercati::percorso(const QString &parola) const {
  for (const CartellaDisegni &c : cartelle_) {
    const QString trovato = c.percorso(parola);
    if (!trovato.isEmpty())
      return trovato;
  }
  return {};
}

qsizetype cartellaDellaLista(const QStringList &cartelle, const QString &nomeLista) {
  for (qsizetype i = 0; i < cartelle.size(); ++i) {
    // Whatever stands under that name is the user's list, even a broken one:
    // the teacher hears about it instead of getting the program's list unawares.
    const QFileInfo f(unisciPercorso(cartelle[i], nomeLista));
    if (f.exists() || f.isSymLink())
      return i;
  }
  return -1;
}

QString percorsoLista(const QStringList &cartelle, const QString &nomeLista) {
  Q_ASSERT(!cartelle.isEmpty());
  const qsizetype i = cartellaDellaLista(cartelle, nomeLista);
  return unisciPercorso(cartelle[i < 0 ? cartelle.size() - 1 : i], nomeLista);
}

EsitoAccettazione accettaLista(const QStringList &cartelle, ListaLetta letta, const QString &nomeLista,
                               int paroleEsercizio) {
  if (letta.rifiuto)
    return {std::nullopt, letta.rifiuto};
  const int campi = letta.parole.isEmpty() ? 0 : int(letta.parole.first().sillabe.size());
  if (letta.parole.size() < paroleEsercizio)
    return {std::nullopt,
            Rifiuto{Problema::TroppoPoche, nomeLista, 0, int(letta.parole.size()), campi, {}, paroleEsercizio, {}}};

  DisegniCercati cartella(cartelle);
  ListaAccettata lista;
  Rifiuto difetti{Problema::DisegniMancanti, nomeLista, 0, 0, campi, {}, paroleEsercizio, {}};
  for (const Parola &parola : std::as_const(letta.parole)) {
    const QString percorso = cartella.percorso(parola.testo());
    const bool presente = !percorso.isEmpty();
    const StatoImmagine stato = presente ? controllaImmagine(percorso) : StatoImmagine::NonLeggibile;
    if (stato != StatoImmagine::Buona) {
      const bool chiuso = stato == StatoImmagine::NonApribile;
      difetti.disegni.append({parola.testo(), QStringLiteral("jpg/") + CartellaDisegni::nomeAtteso(parola.testo()),
                              presente && !chiuso, parola.riga, chiuso});
      continue;
    }
    lista.disegni.append(percorso);
  }
  if (!difetti.disegni.isEmpty())
    return {std::nullopt, difetti};
  lista.parole = std::move(letta.parole);
  return {std::move(lista), std::nullopt};
}

EsitoAccettazione accettaLista(const QStringList &cartelle, const QString &nomeLista, int campi,
                               int paroleEsercizio) {
  // Named from the joined path: "\lista2.txt" is no file name where "\" is no separator.
  const QString percorso = percorsoLista(cartelle, nomeLista);
  ListaLetta letta = leggiLista(percorso, campi);
  return accettaLista(cartelle, std::move(letta), QFileInfo(percorso).fileName(), paroleEsercizio);
}

EsitoAccettazione accettaLista(const QString &cartellaProgramma, ListaLetta letta, const QString &nomeLista,
                               int paroleEsercizio) {
  return accettaLista(QStringList{cartellaProgramma}, std::move(letta), nomeLista, paroleEsercizio);
}

EsitoAccettazione accettaLista(const QString &cartellaProgramma, const QString &nomeLista, int campi,
                               int paroleEsercizio) {
  return accettaLista(QStringList{cartellaProgramma}, nomeLista, campi, paroleEsercizio);
}

}  // namespace quirlo
