#pragma once

#include <QString>
#include <QStringList>

// Division into syllables as the Italian primary school teaches it, by rules
// alone: no dictionary, so where the stress decides (pa-u-ra or pau-ra?) the
// word is flagged and both divisions are offered.
namespace quirlo::sillabe {

struct Divisione {
  QStringList sillabe;      // the rules' choice
  bool controlla = false;   // the stress or the word's origin may divide it otherwise
  QStringList alternativa;  // that other division, when controlla
};

// `parola`: lower case, NFC. Letters other than vowels count as consonants.
Divisione dividi(const QString &parola);

// What a teacher typed for a word: "casa", "CA-SA", "ca,sa", "ca sa", "ca/sa".
struct Scritta {
  QString parola;        // lower case, NFC, the syllables joined
  QStringList sillabe;   // hers when she divided it, else the rules'
  bool aMano = false;    // she divided it
  Divisione regole;
  QString errore;        // one Italian sentence when it cannot be a word of the game

  // She divided it neither as the rules do nor as their flagged alternative.
  bool diversaDalleRegole() const {
    return aMano && sillabe != regole.sillabe && (regole.alternativa.isEmpty() || sillabe != regole.alternativa);
  }
};

Scritta leggiScritta(const QString &testo);

// "ca-sa", as the editor shows a division and the teacher types one.
inline QString scrivi(const QStringList &sillabe) { return sillabe.join(QLatin1Char('-')); }

}  // namespace quirlo::sillabe
