#include "Parole.h"

#include <QHash>
#include <QSet>

namespace quirlo::biblioteca {

namespace {

// Plurals that no ending rule reaches: a change of stem, or the feminine -a
// of nouns that are masculine in the singular (l'uovo, le uova).
const QHash<QString, QString> &irregolari() {
  static const QHash<QString, QString> tabella = {
      {QStringLiteral("uomini"), QStringLiteral("uomo")},
      {QStringLiteral("buoi"), QStringLiteral("bue")},
      {QStringLiteral("dei"), QStringLiteral("dio")},
      {QStringLiteral("mogli"), QStringLiteral("moglie")},
      {QStringLiteral("templi"), QStringLiteral("tempio")},
      {QStringLiteral("ali"), QStringLiteral("ala")},
      {QStringLiteral("armi"), QStringLiteral("arma")},
      {QStringLiteral("orecchie"), QStringLiteral("orecchio")},
      {QStringLiteral("uova"), QStringLiteral("uovo")},
      {QStringLiteral("dita"), QStringLiteral("dito")},
      {QStringLiteral("ossa"), QStringLiteral("osso")},
      {QStringLiteral("braccia"), QStringLiteral("braccio")},
      {QStringLiteral("ginocchia"), QStringLiteral("ginocchio")},
      {QStringLiteral("labbra"), QStringLiteral("labbro")},
      {QStringLiteral("ciglia"), QStringLiteral("ciglio")},
      {QStringLiteral("sopracciglia"), QStringLiteral("sopracciglio")},
      {QStringLiteral("lenzuola"), QStringLiteral("lenzuolo")},
      {QStringLiteral("paia"), QStringLiteral("paio")},
      {QStringLiteral("mura"), QStringLiteral("muro")},
      {QStringLiteral("corna"), QStringLiteral("corno")},
  };
  return tabella;
}

const QSet<QString> &paroleVuote() {
  static const QSet<QString> insieme = [] {
    QSet<QString> s;
    for (const char *p :
         {"a",     "ad",    "al",    "allo",  "alla",  "ai",    "agli",  "alle",  "d",     "da",  "dal",
          "dallo", "dalla", "dai",   "dagli", "dalle", "di",    "del",   "dello", "della", "dei", "degli",
          "delle", "e",     "ed",    "il",    "lo",    "la",    "l",     "i",     "gli",   "le",  "un",
          "uno",   "una",   "in",    "nel",   "nello", "nella", "nei",   "negli", "nelle", "con", "per",
          "su",    "sul",   "sullo", "sulla", "sui",   "sugli", "sulle", "o"})
      s.insert(QString::fromLatin1(p));
    return s;
  }();
  return insieme;
}

void aggiungi(QStringList &forme, const QString &forma) {
  if (!forma.isEmpty() && !forme.contains(forma))
    forme.append(forma);
}

}  // namespace

QString normalizza(QStringView testo) {
  const QString scomposto = testo.toString().normalized(QString::NormalizationForm_KD);
  QString fuori;
  fuori.reserve(scomposto.size());
  bool spazio = false;
  for (const QChar c : scomposto) {
    if (c.isMark())
      continue;
    if (c.isLetterOrNumber()) {
      if (spazio && !fuori.isEmpty())
        fuori.append(QLatin1Char(' '));
      spazio = false;
      fuori.append(c);
    } else {
      spazio = true;
    }
  }
  // QString::toLower ignores the system's locale: no Turkish dotless i.
  return fuori.toLower();
}

QStringList parole(const QString &normalizzato) {
  return normalizzato.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

bool vuota(const QString &parola) {
  return paroleVuote().contains(parola);
}

QStringList forme(const QString &parola) {
  QStringList f{parola};
  const auto irregolare = irregolari().constFind(parola);
  if (irregolare != irregolari().constEnd())
    aggiungi(f, *irregolare);
  // Short words keep their ending: "re", "tè", "gru" are not plurals.
  if (parola.size() < 3)
    return f;
  const auto finisce = [&](const char *fine) { return parola.endsWith(QLatin1String(fine)); };
  const auto senza = [&](qsizetype n) { return parola.left(parola.size() - n); };
  if (finisce("chi") || finisce("ghi")) {  // fichi, funghi
    aggiungi(f, senza(2) + QLatin1Char('o'));
  } else if (finisce("che") || finisce("ghe")) {  // oche, righe
    aggiungi(f, senza(2) + QLatin1Char('a'));
  } else if (finisce("cie") || finisce("gie")) {  // camicie, ciliegie
    aggiungi(f, senza(1) + QLatin1Char('a'));
  } else if (finisce("ce") || finisce("ge")) {  // arance, spiagge; never pesce -> pesca
    aggiungi(f, senza(1) + QStringLiteral("ia"));
  } else if (finisce("e")) {  // mele
    aggiungi(f, senza(1) + QLatin1Char('a'));
  }
  if (finisce("i")) {  // gatti, cani, occhi, conigli, orologi, baci
    aggiungi(f, senza(1) + QLatin1Char('o'));
    aggiungi(f, senza(1) + QLatin1Char('e'));
    if (!finisce("ii"))
      aggiungi(f, parola + QLatin1Char('o'));
  }
  return f;
}

bool stessoNome(const QStringList &formeA, const QStringList &formeB) {
  for (const QString &a : formeA)
    if (formeB.contains(a))
      return true;
  return false;
}

}  // namespace quirlo::biblioteca
