#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

namespace quirlo {

// Pictures decoded away from the thread that asks for them, and handed back
// on it: a window never waits on a drawing however heavy, beyond the moment
// it chooses (attendi). Decoding runs on one thread shared by the whole
// program, one picture at a time, so the decoder's budget is all the memory
// pictures ever take. A request superseded (a new one for the same place)
// or dropped is never handed back, and one being decoded is stopped short;
// destroying the loader does the same and never waits.
class CaricatoreImmagini : public QObject {
  Q_OBJECT
 public:
  // Runs on the decoding thread; `annullata` is set when the result is no longer wanted.
  using Decodifica = std::function<QImage(const QString &percorso, QSize dimensione, const std::atomic<bool> &annullata)>;

  explicit CaricatoreImmagini(Decodifica decodifica, QObject *parent = nullptr);
  ~CaricatoreImmagini() override;

  // Asks for the picture of place `posto`, decoded at `dimensione`.
  void chiedi(int posto, const QString &percorso, QSize dimensione);
  void annullaTutto();
  // Hands back what is ready, waiting up to `ms` for the rest.
  void attendi(int ms);
  // Requests not handed back yet.
  qsizetype inArrivo() const { return compiti_.size(); }

  // Waits until no picture is being decoded, for any loader: for tests that
  // replace what decoding calls.
  static void attendiFilo();
  // False where pictures are decoded on the thread that asks for them.
  static bool aParte();

 signals:
  void pronta(int posto, const QImage &immagine);

 private:
  struct Compito;
  struct Condiviso;
  void consegna();

  Decodifica decodifica_;
  std::shared_ptr<Condiviso> condiviso_;
  QList<std::shared_ptr<Compito>> compiti_;
};

}  // namespace quirlo
