#pragma once

#include <QString>

class QWidget;

namespace quirlo::editor {

// Message boxes with Italian buttons, whatever translations Qt finds.
bool chiedi(QWidget *sopra, const QString &testo, const QString &si, const QString &no = QStringLiteral("Annulla"));
void avvisa(QWidget *sopra, const QString &testo);
void informa(QWidget *sopra, const QString &testo);

}  // namespace quirlo::editor
