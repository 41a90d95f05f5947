#include "VistaRitaglio.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace quirlo::editor {

namespace {
constexpr int Maniglia = 14;  // a corner's grip, screen pixels
const QColor Magenta(192, 0, 192);
}  // namespace

VistaRitaglio::VistaRitaglio(QWidget *parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAccessibleName(QStringLiteral("Ritaglio della foto"));
  setAccessibleDescription(QStringLiteral("Frecce: sposta la cornice. Più e meno: cornice più grande o più piccola."));
}

void VistaRitaglio::impostaFoto(const QImage &anteprima, QSize dimensione, QSize proporzione, QRect ritaglio) {
  anteprima_ = anteprima;
  dimensione_ = dimensione;
  proporzione_ = proporzione;
  ritaglio_ = ritaglio;
  suggerimento_.clear();
  update();
}

void VistaRitaglio::impostaDisegno(const QImage &disegno, const QString &suggerimento) {
  anteprima_ = disegno;
  dimensione_ = disegno.size();
  proporzione_ = QSize();
  ritaglio_ = QRect();
  suggerimento_ = suggerimento;
  update();
}

QRectF VistaRitaglio::area() const {
  if (dimensione_.isEmpty())
    return {};
  const QSizeF s = QSizeF(dimensione_).scaled(QSizeF(size()).shrunkBy(QMarginsF(4, 4, 4, 4)), Qt::KeepAspectRatio);
  return {QPointF((width() - s.width()) / 2, (height() - s.height()) / 2), s};
}

double VistaRitaglio::scala() const { return dimensione_.isEmpty() ? 1.0 : area().width() / dimensione_.width(); }

QRectF VistaRitaglio::suSchermo(QRect r) const {
  const double k = scala();
  return {area().topLeft() + QPointF(r.x() * k, r.y() * k), QSizeF(r.width() * k, r.height() * k)};
}

void VistaRitaglio::paintEvent(QPaintEvent *) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Base));
  if (!anteprima_.isNull()) {
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(area(), anteprima_);
  }
  if (!suggerimento_.isEmpty()) {
    p.setPen(palette().color(QPalette::Text));
    p.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, suggerimento_);
  }
  if (!ritaglio_.isEmpty()) {
    // What is left out is dimmed; the frame and its corners stand out.
    const QRectF c = suSchermo(ritaglio_);
    QPainterPath fuori;
    fuori.addRect(area());
    fuori.addRect(c);
    p.fillPath(fuori, QColor(0, 0, 0, 140));
    p.setPen(QPen(hasFocus() ? Magenta : QColor(Qt::white), hasFocus() ? 3 : 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(c);
    p.setBrush(Qt::white);
    p.setPen(QPen(Qt::black, 1));
    for (const QPointF &v : {c.topLeft(), c.topRight(), c.bottomLeft(), c.bottomRight()})
      p.drawRect(QRectF(v - QPointF(Maniglia / 2.0, Maniglia / 2.0), QSizeF(Maniglia, Maniglia)));
  }
  if (hasFocus() && ritaglio_.isEmpty()) {
    p.setPen(QPen(Magenta, 3));
    p.drawRect(rect().adjusted(1, 1, -2, -2));
  }
}

void VistaRitaglio::poni(QRectF r) {
  if (proporzione_.isEmpty())
    return;
  // The proportion exactly, at least a few pixels, never past the photo.
  const double rapporto = double(proporzione_.width()) / proporzione_.height();
  double l = std::clamp(r.width(), std::min(8.0, double(dimensione_.width())), double(dimensione_.width()));
  double a = l / rapporto;
  if (a > dimensione_.height()) {
    a = dimensione_.height();
    l = a * rapporto;
  }
  const double x = std::clamp(r.x(), 0.0, dimensione_.width() - l);
  const double y = std::clamp(r.y(), 0.0, dimensione_.height() - a);
  const QRect nuovo(int(std::lround(x)), int(std::lround(y)), int(std::lround(l)), int(std::lround(a)));
  if (nuovo != ritaglio_) {
    ritaglio_ = nuovo;
    update();
    emit ritaglioCambiato(ritaglio_);
  }
}

void VistaRitaglio::ridimensiona(double fattore) {
  const QPointF centro = QRectF(ritaglio_).center();
  const QSizeF s = QSizeF(ritaglio_.size()) * fattore;
  poni(QRectF(centro - QPointF(s.width() / 2, s.height() / 2), s));
}

void VistaRitaglio::mousePressEvent(QMouseEvent *e) {
  if (ritaglio_.isEmpty() || e->button() != Qt::LeftButton)
    return;
  const QRectF c = suSchermo(ritaglio_);
  const QPointF q = e->position();
  const double k = scala();
  inizioPresa_ = (q - area().topLeft()) / k;
  ritaglioIniziale_ = ritaglio_;
  const QPointF angoli[] = {c.topLeft(), c.topRight(), c.bottomLeft(), c.bottomRight()};
  const QPointF opposti[] = {c.bottomRight(), c.bottomLeft(), c.topRight(), c.topLeft()};
  for (int i = 0; i < 4; ++i)
    if (std::abs(q.x() - angoli[i].x()) <= Maniglia && std::abs(q.y() - angoli[i].y()) <= Maniglia) {
      presa_ = Presa::Angolo;
      ancora_ = (opposti[i] - area().topLeft()) / k;
      return;
    }
  if (c.contains(q))
    presa_ = Presa::Sposta;
}

void VistaRitaglio::mouseMoveEvent(QMouseEvent *e) {
  const QPointF qui = (e->position() - area().topLeft()) / scala();
  if (presa_ == Presa::Sposta) {
    poni(QRectF(ritaglioIniziale_).translated(qui - inizioPresa_));
  } else if (presa_ == Presa::Angolo) {
    // The frame grows from the still corner towards the pointer, its shape
    // kept, and stops at the photo's edge rather than sliding that corner.
    const double rapporto = double(proporzione_.width()) / proporzione_.height();
    const bool sinistra = qui.x() < ancora_.x(), sopra = qui.y() < ancora_.y();
    const double lMax = std::min(sinistra ? ancora_.x() : dimensione_.width() - ancora_.x(),
                                 (sopra ? ancora_.y() : dimensione_.height() - ancora_.y()) * rapporto);
    const double l = std::min(lMax, std::max(std::abs(qui.x() - ancora_.x()), std::abs(qui.y() - ancora_.y()) * rapporto));
    const double a = l / rapporto;
    const double x = sinistra ? ancora_.x() - l : ancora_.x();
    const double y = sopra ? ancora_.y() - a : ancora_.y();
    poni(QRectF(x, y, l, a));
  } else if (!ritaglio_.isEmpty()) {
    const QRectF c = suSchermo(ritaglio_);
    bool angolo = false;
    for (const QPointF &v : {c.topLeft(), c.topRight(), c.bottomLeft(), c.bottomRight()})
      angolo = angolo || (std::abs(e->position().x() - v.x()) <= Maniglia && std::abs(e->position().y() - v.y()) <= Maniglia);
    setCursor(angolo ? Qt::SizeFDiagCursor : c.contains(e->position()) ? Qt::SizeAllCursor : Qt::ArrowCursor);
  }
}

void VistaRitaglio::mouseReleaseEvent(QMouseEvent *) { presa_ = Presa::Nessuna; }

void VistaRitaglio::wheelEvent(QWheelEvent *e) {
  if (ritaglio_.isEmpty())
    return;
  ridimensiona(e->angleDelta().y() > 0 ? 1.0 / 1.1 : 1.1);
  e->accept();
}

void VistaRitaglio::keyPressEvent(QKeyEvent *e) {
  if (ritaglio_.isEmpty())
    return QWidget::keyPressEvent(e);
  // A step of a few screen pixels; with Shift, ten times as far.
  const double passo = 4 / scala() * (e->modifiers() & Qt::ShiftModifier ? 10 : 1);
  QRectF r = ritaglio_;
  switch (e->key()) {
    case Qt::Key_Left: r.translate(-passo, 0); break;
    case Qt::Key_Right: r.translate(passo, 0); break;
    case Qt::Key_Up: r.translate(0, -passo); break;
    case Qt::Key_Down: r.translate(0, passo); break;
    case Qt::Key_Plus: return ridimensiona(1.1);
    case Qt::Key_Minus: return ridimensiona(1 / 1.1);
    default: return QWidget::keyPressEvent(e);
  }
  poni(r);
}

}  // namespace quirlo::editor
