#pragma once

#include "Costruttore.h"
#include "Finestre.h"

#include <QWidget>

class QAbstractButton;

namespace quirlo {

class Adattatore;

// The start screen and the menu: a window of picture buttons that takes a
// random background colour each time it loads.
class FormSemplice : public QWidget, public Caricabile {
  Q_OBJECT
 public:
  FormSemplice(const Schermata &s, QWidget *parent = nullptr);
  bool Form_Load() override;

  const Controlli &controlli() const { return controlli_; }
  QAbstractButton *pulsante(const char *nome) const;
  QColor coloreSfondo() const;
  Adattatore *adattatore() const { return adattatore_; }

 protected:
  void collega(const char *nome, void (*azione)(FormSemplice *));

 private:
  Controlli controlli_;
  Adattatore *adattatore_ = nullptr;
  const char *primoFocus_;
};

class FormAvvio : public FormSemplice {
  Q_OBJECT
 public:
  explicit FormAvvio(QWidget *parent = nullptr);
};

class FormMenu : public FormSemplice {
  Q_OBJECT
 public:
  explicit FormMenu(QWidget *parent = nullptr);
};

}  // namespace quirlo
