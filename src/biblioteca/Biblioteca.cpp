#include "Biblioteca.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "Parole.h"

namespace quirlo {

using biblioteca::Testo;
using biblioteca::Voce;

namespace {

// How well a word of the search matches a word of a name.
enum Livello { Nessuno = 0, Inizio = 1, Plurale = 2, Uguale = 3 };

// What one name or keyword is worth, by how it matches; each step a tier, so
// no penalty crosses into another. Italian names put the noun first, so a
// name that starts with the words ("mela rossa") beats one where they come
// later, as a qualifier ("spazzolino da denti"), which a keyword beats. The
// very word beats its plural: "libro" is "libro chiuso" before "libri".
struct Valori {
  int uguale, inizio, plurale, inizioPlurale, contiene, digitando;
};
constexpr Valori ValoriNome{1000, 800, 780, 760, 500, 350};
constexpr Valori ValoriChiave{600, 450, 580, 440, 450, 200};
constexpr int TutteLeParole = 400;  // the words spread over names and keywords
constexpr int TutteLeParoleDigitando = 250;
constexpr int AlcuneParole = 100;    // plus up to 50 for the share matched
constexpr int PenalitaPlurale = 10;  // a plural found inside a name

// A search's words, each already compared with every word of the index.
struct Ricerca {
  biblioteca::Vocabolario parole;
  QList<qsizetype> piene;        // the words that are not articles or prepositions
  QList<QList<quint8>> livelli;  // [word of the search][word of the vocabulary]
};

Livello confronta(const Ricerca &r, qsizetype i, const biblioteca::Vocabolario &v, qsizetype j) {
  const QString &q = r.parole.parole[i];
  if (q == v.parole[j])
    return Uguale;
  if (biblioteca::stessoNome(r.parole.forme[i], v.forme[j]))
    return Plurale;
  // Only the last word can be still being typed.
  if (i == r.parole.parole.size() - 1 && q.size() >= 2 && v.parole[j].startsWith(q))
    return Inizio;
  return Nessuno;
}

Livello livello(const Ricerca &r, qsizetype i, const Testo &t, qsizetype j) {
  return Livello(r.livelli[i][t.parole[j]]);
}

Livello migliore(const Ricerca &r, qsizetype i, const Testo &t) {
  Livello l = Nessuno;
  for (qsizetype j = 0; j < t.parole.size() && l < Uguale; ++j)
    l = std::max(l, livello(r, i, t, j));
  return l;
}

int valore(const Ricerca &r, const Testo &t, const Valori &v) {
  const qsizetype nq = r.parole.parole.size();
  const qsizetype nt = t.parole.size();
  const int penalita = int(std::min<qsizetype>(std::max<qsizetype>(nt - nq, 0), 9));
  int meglio = 0;
  if (nq <= nt) {
    Livello l = Uguale;
    for (qsizetype i = 0; i < nq && l > Nessuno; ++i)
      l = std::min(l, livello(r, i, t, i));
    if (l == Uguale)
      meglio = nq == nt ? v.uguale : v.inizio - penalita;
    else if (l == Plurale)
      meglio = nq == nt ? v.plurale : v.inizioPlurale - penalita;
    else if (l == Inizio)
      meglio = v.digitando - penalita;
  }
  Livello l = Uguale;
  for (const qsizetype i : r.piene)
    l = std::min(l, migliore(r, i, t));
  if (l >= Plurale)
    meglio = std::max(meglio, v.contiene - (l == Plurale ? PenalitaPlurale : 0) - penalita);
  else if (l == Inizio)
    meglio = std::max(meglio, v.digitando - 20 - penalita);
  return meglio;
}

// The words matched anywhere in the picture's names and keywords. When only
// some are, a word found in a name counts twice one found in a keyword.
int valoreSparso(const Ricerca &r, const Voce &voce) {
  int punti = 0;
  Livello peggiore = Uguale;
  for (const qsizetype i : r.piene) {
    Livello nome = Nessuno, chiave = Nessuno;
    for (const Testo &t : voce.nomi)
      nome = std::max(nome, migliore(r, i, t));
    for (const Testo &t : voce.chiavi)
      chiave = std::max(chiave, migliore(r, i, t));
    peggiore = std::min(peggiore, std::max(nome, chiave));
    punti += nome >= Plurale ? 2 : chiave >= Plurale ? 1 : 0;
  }
  if (peggiore >= Plurale)
    return TutteLeParole;
  if (peggiore == Inizio)
    return TutteLeParoleDigitando;
  if (punti == 0 || r.piene.size() < 2)
    return 0;
  return AlcuneParole + int(50 * punti / (2 * r.piene.size()));
}

}  // namespace

Biblioteca::Biblioteca(QString cartellaProgramma) : cartella_(std::move(cartellaProgramma)) {}

QString Biblioteca::percorsoIndice(const QString &cartellaProgramma) {
  return QDir(cartellaProgramma).filePath(QStringLiteral("biblioteca/indice.tsv"));
}

bool Biblioteca::carica() {
  if (!caricata_) {
    indice_ = biblioteca::leggiIndice(cartella_);
    caricata_ = true;
  }
  return !indice_.voci.isEmpty();
}

bool Biblioteca::vuota() {
  return !carica();
}

qsizetype Biblioteca::quanti() {
  carica();
  return indice_.voci.size();
}

QString Biblioteca::problema() {
  carica();
  return indice_.problema;
}

std::optional<Risultato> Biblioteca::disegno(const QString &file) {
  if (!carica())
    return std::nullopt;
  const QString cercato = QDir::cleanPath(QDir(cartella_).absoluteFilePath(file));
  for (const Voce &voce : std::as_const(indice_.voci))
    if (voce.file == cercato && QFileInfo(voce.file).isFile())
      return Risultato{voce.nomi.first().scritto, voce.file, NomeEsatto};
  return std::nullopt;
}

QList<Risultato> Biblioteca::cerca(QStringView testo, int massimo) {
  Ricerca r;
  r.parole = biblioteca::paroleDi(testo.left(MassimoParole * 40));
  r.parole.parole = r.parole.parole.mid(0, MassimoParole);
  r.parole.forme = r.parole.forme.mid(0, MassimoParole);
  if (r.parole.parole.isEmpty() || !carica())
    return {};
  const qsizetype nq = r.parole.parole.size();
  for (qsizetype i = 0; i < nq; ++i)
    if (!biblioteca::vuota(r.parole.parole[i]))
      r.piene.append(i);
  // "la" alone is still a search, for "la" itself.
  if (r.piene.isEmpty())
    for (qsizetype i = 0; i < nq; ++i)
      r.piene.append(i);
  const biblioteca::Vocabolario &v = indice_.vocabolario;
  r.livelli.resize(nq);
  for (qsizetype i = 0; i < nq; ++i) {
    r.livelli[i].resize(v.parole.size());
    for (qsizetype j = 0; j < v.parole.size(); ++j)
      r.livelli[i][j] = quint8(confronta(r, i, v, j));
  }

  struct Trovata {
    int punteggio;
    qsizetype voce;
    qsizetype nome;  // which name matched, -1 for a keyword
  };
  QList<Trovata> trovate;
  for (qsizetype v = 0; v < indice_.voci.size(); ++v) {
    const Voce &voce = indice_.voci[v];
    Trovata t{valoreSparso(r, voce), v, -1};
    for (qsizetype n = 0; n < voce.nomi.size(); ++n) {
      const int p = valore(r, voce.nomi[n], ValoriNome);
      if (p > t.punteggio)
        t = {p, v, n};
    }
    for (const Testo &chiave : voce.chiavi)
      t.punteggio = std::max(t.punteggio, valore(r, chiave, ValoriChiave));
    if (t.punteggio > 0)
      trovate.append(t);
  }
  std::stable_sort(trovate.begin(), trovate.end(),
                   [](const Trovata &a, const Trovata &b) { return a.punteggio > b.punteggio; });

  QList<Risultato> risultati;
  for (const Trovata &t : trovate) {
    if (massimo > 0 && risultati.size() >= massimo)
      break;
    const Voce &voce = indice_.voci[t.voce];
    // A picture taken away after the index was made is not offered.
    if (!QFileInfo(voce.file).isFile())
      continue;
    risultati.append({voce.nomi[t.nome < 0 ? 0 : t.nome].scritto, voce.file, t.punteggio});
  }
  return risultati;
}

}  // namespace quirlo
