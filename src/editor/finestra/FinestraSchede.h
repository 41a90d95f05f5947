#pragma once

#include <QDialog>

#include "Archivio.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace quirlo::editor {

// "Stampa le schede": a list, the words ticked in it, the kind of sheet and
// the case; then the PDF, and the system's viewer to print it from.
class FinestraSchede : public QDialog {
  Q_OBJECT
 public:
  FinestraSchede(const Cartelle &cartelle, int lista, QWidget *parent = nullptr);

  // Writes the worksheet of the ticked words to `percorso`; false, and a
  // message said, when it can't.
  bool scrivi(const QString &percorso);
  QString scritta() const { return scritta_; }

 private:
  void mostraParole();
  void salva();
  void apri();
  void segnaTutte(bool si);

  const Cartelle cartelle_;
  ListaAperta aperta_;
  QComboBox *liste_;
  QListWidget *parole_;
  QRadioButton *ritaglio_;
  QRadioButton *minuscolo_;
  QLabel *esito_;
  QPushButton *apri_;
  QString scritta_;
};

}  // namespace quirlo::editor
