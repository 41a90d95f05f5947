#include "FormSemplice.h"

#include "Adattamento.h"
#include "Modulo1.h"
#include "ModuloColoriSuoni.h"
#include "PrimoFrame.h"

#include <QAbstractButton>
#include <QPointer>
#include <QTimer>
#include <cmath>

namespace quirlo {

FormSemplice::FormSemplice(const Schermata &s, QWidget *parent) : QWidget(parent) {
  preparaFinestra(this, s);
  controlli_ = costruisciControlli(s, this);
  setFixedSize(size());
  adattatore_ = new Adattatore(this, this, s, controlli_);
  // The first control in the tab order has the focus when the window opens.
  primoFocus_ = nullptr;
  for (const Controllo &c : s.controlli)
    if (c.ordineTab == 0)
      primoFocus_ = c.nome;
}

bool FormSemplice::Form_Load() {
  const auto colore = static_cast<Colore>(std::lround(ModuloColoriSuoni::ColoreCasuale()));
  impostaSfondo(this, coloreQt(colore));
  if (primoFocus_)
    if (QWidget *w = controlli_.trova(QString::fromUtf8(primoFocus_)))
      w->setFocus();
  return true;
}

QAbstractButton *FormSemplice::pulsante(const char *nome) const {
  return controlli_.prendi<QAbstractButton>(QString::fromUtf8(nome));
}

QColor FormSemplice::coloreSfondo() const { return palette().color(QPalette::Window); }

void FormSemplice::collega(const char *nome, void (*azione)(FormSemplice *)) {
  connect(pulsante(nome), &QAbstractButton::clicked, this, [this, azione] { azione(this); });
}

namespace {

// Show the next window first, then unload this one, so one is always open.
void passaA(FormSemplice *da, TipoFinestra a) {
  if (Finestre::mostra(a))
    Finestre::scarica(da);
}

}  // namespace

FormAvvio::FormAvvio(QWidget *parent) : FormSemplice(schermataAvvio(), parent) {
  // The caption is the layout's; the name is what a screen reader says.
  setAccessibleName(QStringLiteral("Quirlo"));
  collega("Command1", [](FormSemplice *f) { passaA(f, TipoFinestra::FormMenu); });
}

FormMenu::FormMenu(QWidget *parent) : FormSemplice(schermataMenu(), parent) {
  setAccessibleName(QStringLiteral("Quirlo, menù"));
  collega("Command3D1", [](FormSemplice *f) { passaA(f, TipoFinestra::DISEGNI1); });
  collega("Command1", [](FormSemplice *f) { passaA(f, TipoFinestra::DISEGNI2); });
  collega("Command3D5", [](FormSemplice *) { Modulo1::ChiediUscita(); });
  collega("Command3D6", [](FormSemplice *) { Modulo1::MostraInformazioni(); });
  // While the child chooses, both exercises are built, one per turn of the
  // event loop so a click is never kept waiting: the click then only loads one.
  dopoPrimoFrame(this, [menu = QPointer<FormMenu>(this)] {
    for (TipoFinestra tipo : {TipoFinestra::DISEGNI1, TipoFinestra::DISEGNI2})
      if (menu)
        QTimer::singleShot(0, menu, [menu, tipo] {
          if (menu->isVisible())
            Finestre::prepara(tipo);
        });
  });
}

}  // namespace quirlo
