#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace quirlo::editor {

// Why a file could not be written, in words a teacher can act on.
QString motivo(const QFileDevice &file);

// Writes `byte` to `percorso` all at once or not at all (QSaveFile): a full
// disk or a folder without permission leaves the old file as it was. Creates
// the folder when missing. Empty on success, else one Italian sentence.
QString scriviTutto(const QString &percorso, const QByteArray &byte);

// Where a file is shown to the teacher: the system's separators, in «».
QString mostra(const QString &percorso);

}  // namespace quirlo::editor
