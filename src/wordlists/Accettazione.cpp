#include "Accettazione.h"

#include "FileRegolare.h"
#include "Immagini.h"
#include "Piattaforma.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <atomic>

namespace quirlo {

namespace {

// A folder's names by their composed form and by their case-folded one.
struct Indice {
  QDateTime modifica;
  qint64 byte = -1;
  QHash<QString, QString> perNfc, perMinuscole;
};

QMutex mutexIndici;
QHash<QString, Indice> indici;  // by folder
std::atomic<int> elenchi{0};

// A teacher may keep thousands of files there: listed once, then again only
// once the folder has changed (a file added, removed or renamed).
void cercaNellIndice(const QString &cartella, const QString &cercato, QString &trovato) {
  const QFileInfo info(cartella);
  QMutexLocker blocco(&mutexIndici);
  Indice &indice = indici[cartella];
  if (indice.byte < 0 || indice.modifica != info.lastModified() || indice.byte != info.size()) {
    indice = {info.lastModified(), info.size(), {}, {}};
    ++elenchi;
    for (QDirIterator it(cartella, QDir::Files | QDir::Hidden); it.hasNext();) {
      const QString f = it.next().section(QLatin1Char('/'), -1);
      const QString composto = f.normalized(QString::NormalizationForm_C);
      indice.perNfc.insert(composto, f);
      indice.perMinuscole.insert(composto.toCaseFolded(), f);
    }
  }
  trovato = indice.perNfc.value(cercato);
  if (trovato.isEmpty())
    trovato = indice.perMinuscole.value(cercato.toCaseFolded());
}

}  // namespace

CartellaDisegni::CartellaDisegni(const QString &cartellaProgramma)
    : cartella_(unisciPercorso(cartellaProgramma, QStringLiteral("\\jpg"))) {}

QString CartellaDisegni::nomeAtteso(const QString &parola) { return parola + QStringLiteral(".jpg"); }

int CartellaDisegni::elenchiLetti() { return elenchi; }

QString CartellaDisegni::percorso(const QString &parola) const {
  // A word is a file name inside "jpg", never a path out of it, and it must
  // spell one: half a surrogate pair would come out as "?" on the way to disk.
  if (parola.isEmpty() || parola.contains(QLatin1Char('/')) || parola.contains(QLatin1Char('\\')) ||
      parola.contains(QChar(0)) || parola == QLatin1String(".") || parola == QLatin1String("..") ||
      !parola.isValidUtf16())
    return {};
  const QString nome = nomeAtteso(parola);
  // The name shown and checked is the one on disk: a file system that ignores
  // case (Windows) opens "Casa.jpg" for "casa.jpg".
  const QString esatto = QDir(cartella_).filePath(nome);
  if (fileRegolare(esatto))
    return QDir(cartella_).filePath(nomeSulDisco(esatto));
  // Names are compared composed (NFC), as the lists are read: a drawing copied
  // from a Mac, or out of a zip made on one, has its accents decomposed.
  QString trovato;
  cercaNellIndice(cartella_, nome.normalized(QString::NormalizationForm_C), trovato);
  return trovato.isEmpty() ? QString() : QDir(cartella_).filePath(trovato);
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
            Rifiuto{.problema = Problema::TroppoPoche, .nomeFile = nomeLista, .trovate = int(letta.parole.size()),
                    .campi = campi, .servono = paroleEsercizio}};

  DisegniCercati cartella(cartelle);
  ListaAccettata lista;
  Rifiuto difetti{.problema = Problema::DisegniMancanti, .nomeFile = nomeLista, .campi = campi,
                  .servono = paroleEsercizio};
  for (const Parola &parola : std::as_const(letta.parole)) {
    const QString percorso = cartella.percorso(parola.testo());
    const bool presente = !percorso.isEmpty();
    const StatoImmagine stato = presente ? controllaImmagine(percorso) : StatoImmagine::NonLeggibile;
    if (stato != StatoImmagine::Buona) {
      const bool chiuso = stato == StatoImmagine::NonApribile;
      const bool pesante = stato == StatoImmagine::TroppoPesante;
      difetti.disegni.append({parola.testo(), QStringLiteral("jpg/") + CartellaDisegni::nomeAtteso(parola.testo()),
                              presente && !chiuso && !pesante, parola.riga, chiuso, pesante});
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
  EsitoAccettazione esito = accettaLista(cartelle, std::move(letta), QFileInfo(percorso).fileName(), paroleEsercizio);
  if (esito.rifiuto && cartelle.size() > 1 && cartellaDellaLista(cartelle, nomeLista) == 0)
    esito.rifiuto->cartellaUtente = cartelle.first();
  return esito;
}

EsitoAccettazione accettaLista(const QString &cartella, const QString &nomeLista, int campi, int paroleEsercizio) {
  return accettaLista(QStringList{cartella}, nomeLista, campi, paroleEsercizio);
}

}  // namespace quirlo
