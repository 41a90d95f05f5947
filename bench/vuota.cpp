// The floor for the start-up figures: an empty Qt Widgets window, traced the
// same way as the game's, measured on the same display at the same time.
#include "TracciaFinestre.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
  quirlo::tracciaPrimiFrame();
  QWidget finestra;
  finestra.setObjectName(QStringLiteral("Vuota"));
  finestra.resize(707, 608);  // the start screen's size
  finestra.show();
  return QApplication::exec();
}
