#include "Banco.h"

#include "Adattamento.h"

#include <QTest>

namespace quirlo::prova {

BancoFinestra::BancoFinestra(int finestra, bool schermoIntero) {
  d.scriviLista(QStringLiteral("lista2.txt"), paroleBisillabe(6));
  d.scriviLista(QStringLiteral("lista4.txt"), paroleBisillabe(5));
  d.scriviLista(QStringLiteral("lista3.txt"), paroleTrisillabe(5));
  d.scriviLista(QStringLiteral("lista5.txt"), paroleTrisillabe(4));
  SchermoIntero::imposta(schermoIntero);
  if (finestra == 1)
    w = std::make_unique<DISEGNI1>();
  else
    w = std::make_unique<DISEGNI2>();
  SchermoIntero::imposta(false);
  if (!w->Form_Load())
    qFatal("fixture lists refused");
  w->show();
  if (!QTest::qWaitForWindowExposed(w.get()))
    qFatal("window never exposed");
}

}  // namespace quirlo::prova
