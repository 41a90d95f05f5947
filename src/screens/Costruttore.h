#pragma once

#include "Layout.h"

#include <QHash>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>

class QAction;
class QMainWindow;
class QWidget;

namespace quirlo {

// The widgets built from one layout table, addressed by name and index.
class Controlli {
 public:
  void aggiungi(const QString &nome, int indice, QWidget *w);
  QWidget *trova(const QString &nome, int indice = -1) const;
  template <class T>
  T *prendi(const QString &nome, int indice = -1) const {
    return qobject_cast<T *>(trova(nome, indice));
  }
  // Elements of one array in index order.
  QList<QWidget *> elementi(const QString &nome) const;
  const QList<QWidget *> &inOrdineDiCreazione() const { return ordine_; }

 private:
  static QString chiave(const QString &nome, int indice);
  QHash<QString, QWidget *> perNome_;
  QList<QWidget *> ordine_;
};

// Builds every control of the table on `cliente`, in creation order (later
// ones lie on top), at its rectangle, and fixes the client area's size.
Controlli costruisciControlli(const Schermata &s, QWidget *cliente);

// Every control again at its rectangle times `fattore`, from `origine`: the
// layout is the same data at another scale, never laid out anew.
void applicaScala(const Controlli &controlli, double fattore, QPoint origine);
QSize dimensioneCliente(const Schermata &s, double fattore);
// The rectangle, in twips, that holds every control of the layout.
QRect ingombro(const Schermata &s);

// Title, colours, font and icon of a top-level window.
void preparaFinestra(QWidget *finestra, const Schermata &s);

// The menu bar of an exercise window; actions by control name.
QHash<QString, QAction *> costruisciMenu(const Schermata &s, QMainWindow *finestra);

void impostaSfondo(QWidget *w, const QColor &colore);

}  // namespace quirlo
