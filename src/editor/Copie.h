#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quirlo::editor {

inline constexpr int CopieTenute = 10;
inline constexpr const char *CartellaCopie = "copie";

// Keeps `byte`, a file's content before the editor changes it, in the user
// folder's "copie": "lista2.txt" as "copie/lista2 2026-12-09 14.30.05.txt",
// "jpg/casa.jpg" as "copie/jpg/casa 2026-12-09 14.30.05.jpg". The newest
// CopieTenute of each file are kept. Empty on success, else one Italian sentence.
QString conservaCopia(const QString &cartellaUtente, const QString &relativo, const QByteArray &byte);

// The copies of `relativo`, full paths, newest first.
QStringList copie(const QString &cartellaUtente, const QString &relativo);

}  // namespace quirlo::editor
