#pragma once

#include <QFont>
#include <QList>

#include <future>
#include <thread>

namespace quirlo {

// The first text a program draws waits for the system's font configuration
// to be read, the toolkit's list of fonts to be filled and each face's
// fallbacks to be found. This does all three on a thread of its own: the
// reading from the first line of main(), while the toolkit loads its display
// plugin and connects to the display; the rest once the application object
// exists, while the first window is built. What the toolkit shares between
// threads (the font list, the fallbacks) is then ready for the first frame;
// the opened faces themselves are each thread's own.
class CaratteriInAnticipo {
 public:
  CaratteriInAnticipo();
  ~CaratteriInAnticipo();
  CaratteriInAnticipo(const CaratteriInAnticipo &) = delete;
  CaratteriInAnticipo &operator=(const CaratteriInAnticipo &) = delete;

  // Call once the application object is built and the font substitutions are
  // set: the faces the first window will draw with.
  void apri(const QList<QFont> &caratteri);
  // Waits for the thread to end (after apri(), or it ends having only read).
  void attendi();

 private:
  std::promise<QList<QFont>> caratteri_;
  bool dati_ = false;
  std::thread lettura_;
};

// The system's font configuration read once for the whole process, where the
// toolkit reads one (fontconfig); nothing elsewhere.
void leggiConfigurazioneCaratteri();

}  // namespace quirlo
