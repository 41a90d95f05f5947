#pragma once

#include <QString>

namespace quirlo {

// Words and names from a list are shown to people, in message boxes and on a
// terminal: a control character in them could hide text, break lines or send
// the terminal commands. C0 and C1 controls and DEL come out as "\x1b"; marks
// that turn text right to left or separate lines unseen (U+202E, U+2066,
// U+200F, U+2028, ...) and halves of surrogate pairs as "\u202e".
QString senzaControlli(const QString &testo);

// Text on one line of the trace: as senzaControlli, and backslash, CR and LF
// written as \\, \r and \n, so that every event stays one line.
QString testoInRiga(const QString &testo);

// The same, cut to at most `massimo` characters ending in "…" when longer; a
// letter with its accents is never split. A million-letter word costs no more
// than a short one.
QString accorciato(const QString &testo, qsizetype massimo = 40);

// A file name shortened in its middle, so that its extension stays in sight:
// "jpg/aaaaaaaa….jpg".
QString nomeAccorciato(const QString &nome, qsizetype massimo = 40);

// "1 parola", "3 parole": a count with its noun in the right number.
QString plurale(qsizetype n, QStringView singolare, QStringView plurale);

}  // namespace quirlo
