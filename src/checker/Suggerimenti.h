#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace quirlo {
class DisegniCercati;
struct Parola;
}  // namespace quirlo

// What the checker adds to a finding so the teacher sees the cause: a file
// named almost right, a division that is not the school's.
namespace quirlo::verifica {

// "c'è «tana.png»: il disegno deve essere un JPEG di nome tana.jpg", one per
// near miss of `parola`'s drawing in the data folder's "jpg".
QStringList quasiDisegno(const QString &cartellaDati, const QString &parola);
// The same for the list file `file` ("lista2.txt") in the data folder.
QStringList quasiLista(const QString &cartellaDati, const QString &file);

// The near misses that `cerca` finds in the first `finoA` data folders (all
// when negative), each named by its folder when there are several.
QStringList viciniNelleCartelle(const QStringList &cartelle, QStringList (*cerca)(const QString &, const QString &),
                                const QString &nome, qsizetype finoA = -1);

// A list or a drawing named almost right in the user's folder is passed over
// for the program's, and the teacher wonders why her words never show: one
// message for each such near miss of the list `file`.
QStringList listePassate(const QStringList &cartelle, const QString &file);
struct DisegnoPassato {
  qsizetype parola;  // index in the list
  QString testo;
};
QList<DisegnoPassato> disegniPassati(const QStringList &cartelle, const DisegniCercati &disegni,
                                     const QList<Parola> &parole);

// "ca-sa" as a school writes it is one syllable to the game: the first line
// of the list at `percorso` written so, and what to write instead.
struct Trattino {
  int riga;
  QString testo;
};
std::optional<Trattino> sillabeColTrattino(const QString &percorso);

// The school's division of a word written as `sillabe`, as "ca,sa", when
// the list divides it otherwise; empty when it agrees (or the stress could
// make it agree) or the word is not all letters.
QString divisioneDiScuola(const QStringList &sillabe);

}  // namespace quirlo::verifica
