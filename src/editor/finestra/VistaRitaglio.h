#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

namespace quirlo::editor {

// The chosen photo with a frame of the game's proportion over it: dragged
// inside it moves, dragged by a corner it grows or shrinks, the wheel and
// + / - resize it, the arrows move it. Rectangles are in the photo's full-size
// pixels, upright.
class VistaRitaglio : public QWidget {
  Q_OBJECT
 public:
  explicit VistaRitaglio(QWidget *parent = nullptr);

  // `dimensione`: the photo's full size; `anteprima`: the photo shown.
  void impostaFoto(const QImage &anteprima, QSize dimensione, QSize proporzione, QRect ritaglio);
  // Without a photo: the word's drawing as it is, or a hint.
  void impostaDisegno(const QImage &disegno, const QString &suggerimento);
  QRect ritaglio() const { return ritaglio_; }

  QSize sizeHint() const override { return {480, 360}; }
  QSize minimumSizeHint() const override { return {200, 150}; }

 signals:
  void ritaglioCambiato(QRect ritaglio);

 protected:
  void paintEvent(QPaintEvent *) override;
  void mousePressEvent(QMouseEvent *e) override;
  void mouseMoveEvent(QMouseEvent *e) override;
  void mouseReleaseEvent(QMouseEvent *e) override;
  void wheelEvent(QWheelEvent *e) override;
  void keyPressEvent(QKeyEvent *e) override;

 private:
  QRectF area() const;  // where the photo is drawn
  QRectF suSchermo(QRect r) const;
  double scala() const;
  void poni(QRectF r);  // clamped to the photo, proportion kept
  void ridimensiona(double fattore);

  QImage anteprima_;
  QSize dimensione_;
  QSize proporzione_;
  QRect ritaglio_;
  QString suggerimento_;
  enum class Presa { Nessuna, Sposta, Angolo } presa_ = Presa::Nessuna;
  QPointF ancora_;       // the corner that stays put while resizing, photo pixels
  QPointF inizioPresa_;  // where the drag began, photo pixels
  QRect ritaglioIniziale_;
};

}  // namespace quirlo::editor
