#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QThreadPool>

namespace quirlo::editor {

// Drawings decoded small, away from the window's thread: a page of a hundred
// words opens at once and fills in as they arrive.
class Miniature : public QObject {
  Q_OBJECT
 public:
  explicit Miniature(QObject *parent = nullptr);
  ~Miniature() override;

  // The thumbnail of `percorso` at `dimensione`, or a null image while it is
  // being decoded (pronta() follows) or when it can't be.
  QImage miniatura(const QString &percorso, QSize dimensione);
  // The file changed: decode it again next time.
  void dimentica(const QString &percorso);
  // Waits for every decoding asked for so far (for benchmarks and tests).
  void aspetta();

 signals:
  void pronta(const QString &percorso);

 private:
  QThreadPool lavoratori_;
  QHash<QString, QImage> fatte_;
  QSet<QString> inCorso_;
};

}  // namespace quirlo::editor
