// Plays sound files through the game's own player, one after the other, each
// left to finish; used to check with a capture that whole sounds come out.
#include "LettoreSuoni.h"

#include <QCoreApplication>
#include <QTimer>

int main(int argc, char *argv[]) {
  QCoreApplication app(argc, argv);
  const QStringList file = app.arguments().mid(1);
  if (file.isEmpty()) {
    fprintf(stderr, "uso: quirlo-suona FILE.wav ...\n");
    return 2;
  }
  quirlo::LettoreSuoni lettore;
  for (const QString &f : file)
    lettore.precarica(f);
  int prossimo = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, &app, [&] {
    if (prossimo == file.size()) {
      QCoreApplication::quit();
      return;
    }
    lettore.suona(file[prossimo++]);
  });
  timer.start(3000);
  const int esito = QCoreApplication::exec();
  fflush(nullptr);
  _exit(esito);
}
