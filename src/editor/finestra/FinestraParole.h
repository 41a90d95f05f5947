#pragma once

#include "Archivio.h"

#include <QMainWindow>

class QTabWidget;

namespace quirlo::editor {

class Miniature;
class PaginaLista;

// "Quirlo - Le mie parole": a page per list, the checker's findings, the
// user folder in the file manager.
class FinestraParole : public QMainWindow {
  Q_OBJECT
 public:
  explicit FinestraParole(const Cartelle &cartelle, QWidget *parent = nullptr);

  PaginaLista *pagina(int i) const;
  void controlla();
  void apriCartella();
  void stampaSchede();

 protected:
  void closeEvent(QCloseEvent *e) override;

 private:
  const Cartelle cartelle_;
  Miniature *miniature_;
  QTabWidget *schede_;
  QList<PaginaLista *> pagine_;
};

}  // namespace quirlo::editor
