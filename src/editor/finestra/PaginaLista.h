#pragma once

#include "Archivio.h"
#include "Operazioni.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;
class QListView;
class QPushButton;

namespace quirlo::editor {

class Miniature;
class ModelloParole;

// One list: its words as the child sees their drawings, how many, where the
// list comes from, and the buttons that change it.
class PaginaLista : public QWidget {
  Q_OBJECT
 public:
  PaginaLista(const Cartelle &cartelle, const catalogo::Lista &lista, Miniature *miniature, QWidget *parent = nullptr);

  const catalogo::Lista &lista() const { return lista_; }
  const ListaAperta &aperta() {
    carica();
    return aperta_;
  }
  // Reads the list from disk, unless this page has never been read: it is
  // read when it is first shown or used.
  void ricarica();
  // Reads the list from disk if this page has not been read yet.
  void carica();

  void aggiungiParola();
  void cambiaParola();
  void togliParola();
  void ripristinaLista();
  // One exercise of this list as the child will see it, the chosen word and
  // her newest among those drawn.
  void prova();

 signals:
  // Something on disk changed: a drawing may be shared with other lists.
  void cambiata();

 protected:
  void showEvent(QShowEvent *evento) override;

 private:
  void leggi();
  void mostra();
  int scelta() const;
  // Runs an operation; asks when the list changed on disk meanwhile.
  void esegui(const std::function<Esito(bool forza)> &operazione);

  const Cartelle cartelle_;
  const catalogo::Lista &lista_;
  Miniature *miniature_;
  ListaAperta aperta_;
  bool letta_ = false;
  QLabel *titolo_;
  QLabel *stato_;
  QListView *vista_;
  ModelloParole *modello_;
  QPushButton *cambia_;
  QPushButton *togli_;
  QPushButton *ripristina_;
  QPointer<QWidget> prova_;
};

}  // namespace quirlo::editor
