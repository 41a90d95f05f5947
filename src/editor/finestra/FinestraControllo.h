#pragma once

#include "Archivio.h"

#include <QDialog>

class QPushButton;
class QTextBrowser;

namespace quirlo::editor {

// The checker's findings on every list and drawing, as quirlo-verifica
// writes them, errors in red; and what the editor can mend by itself.
class FinestraControllo : public QDialog {
  Q_OBJECT
 public:
  explicit FinestraControllo(const Cartelle &cartelle, QWidget *parent = nullptr);
  void aggiorna();
  void ripara();

 private:
  const Cartelle cartelle_;
  QTextBrowser *testo_;
  QPushButton *ripara_;
};

}  // namespace quirlo::editor
