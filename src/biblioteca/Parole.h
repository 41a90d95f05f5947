#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The words of a search and of a picture's names, compared as a teacher
// means them: without accents or capitals, a plural as good as its singular.
namespace quirlo::biblioteca {

// Lower case, accents and other marks taken off (NFD), every run of what is
// not a letter or a digit (apostrophes, hyphens, commas) made one blank:
// "Foglia d’acero" -> "foglia d acero", "T-Rex" -> "t rex", "Tè" -> "te".
QString normalizza(QStringView testo);

// The words of a normalised text.
QStringList parole(const QString &normalizzato);

// Articles and prepositions: "palla da calcio" is about a ball and football.
bool vuota(const QString &parola);

// The word itself, then the singulars it may be the plural of, most likely
// first: "mele" -> mele, mela; "cani" -> cani, cano, cane, canio;
// "uova" -> uova, uovo; "fichi" -> fichi, fico. The word must be normalised.
// Wrong guesses are harmless: only names that exist are ever matched.
QStringList forme(const QString &parola);

// Two words are one noun when one may be the other's plural, or both the
// same singular's ("gatto", "gatti").
bool stessoNome(const QStringList &formeA, const QStringList &formeB);

}  // namespace quirlo::biblioteca
