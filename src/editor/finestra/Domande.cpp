#include "Domande.h"

#include "TestoVisibile.h"
#include "Traccia.h"

#include <QMessageBox>
#include <QPushButton>

namespace quirlo::editor {

namespace {
const QString Titolo = QStringLiteral("Quirlo - Le mie parole");

void mostra(QWidget *sopra, const QString &testo, QMessageBox::Icon icona) {
  QMessageBox box(icona, Titolo, testo, QMessageBox::NoButton, sopra);
  box.setObjectName(QStringLiteral("messaggio"));
  box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole)->setObjectName(QStringLiteral("ok"));
  traccia(QStringLiteral("messaggio %1").arg(testoInRiga(testo)));
  box.exec();
}
}  // namespace

bool chiedi(QWidget *sopra, const QString &testo, const QString &si, const QString &no) {
  QMessageBox box(QMessageBox::Question, Titolo, testo, QMessageBox::NoButton, sopra);
  box.setObjectName(QStringLiteral("domanda"));
  QPushButton *s = box.addButton(si, QMessageBox::AcceptRole);
  s->setObjectName(QStringLiteral("si"));
  QPushButton *n = box.addButton(no, QMessageBox::RejectRole);
  n->setObjectName(QStringLiteral("no"));
  // A slip of Enter must not throw anything away: the safe answer is the default.
  box.setDefaultButton(n);
  box.setEscapeButton(n);
  traccia(QStringLiteral("domanda %1").arg(testoInRiga(testo)));
  box.exec();
  return box.clickedButton() == s;
}

void avvisa(QWidget *sopra, const QString &testo) { mostra(sopra, testo, QMessageBox::Warning); }
void informa(QWidget *sopra, const QString &testo) { mostra(sopra, testo, QMessageBox::Information); }

}  // namespace quirlo::editor
