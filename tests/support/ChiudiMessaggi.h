#pragma once

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace quirlo::prova {

// A message box would wait for a click no test gives: once started, every
// modal box is closed as it comes up and its text kept.
class ChiudiMessaggi {
 public:
  QStringList testi;

  void avvia() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (QWidget *w = QApplication::activeModalWidget()) {
        testi << w->findChild<QWidget *>(QStringLiteral("qt_msgbox_label"))->property("text").toString();
        w->close();
      }
    });
    timer_.start(50);
  }

 private:
  QTimer timer_;
};

}  // namespace quirlo::prova
