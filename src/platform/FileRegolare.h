#pragma once

#include <QFile>
#include <QString>

namespace quirlo {

// Opens `percorso` for reading only when it is a regular file. A FIFO, a
// device or a socket in its place is refused without ever blocking, also one
// put there after an earlier check: everything the game reads from its folder
// can be replaced by a teacher, or by a broken disk, at any moment.
bool apriFileRegolare(QFile &file, const QString &percorso);

// The same question without opening: true for a regular file (a link to one
// included), false for anything else or nothing at all.
bool fileRegolare(const QString &percorso);

// Whether the files of `cartella` can be opened by name: false for a folder
// that exists but may not be entered (mode 0000, another user's).
bool cartellaAccessibile(const QString &cartella);

// The name of the file at `percorso` as its folder stores it: on a system that
// ignores letter case "casa.jpg" may open "Casa.jpg".
QString nomeSulDisco(const QString &percorso);

}  // namespace quirlo
