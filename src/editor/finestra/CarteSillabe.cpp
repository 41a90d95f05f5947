#include "CarteSillabe.h"

#include "Sillabazione.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace quirlo::editor {

namespace {
constexpr int Margine = 6;   // around each card's letters
constexpr int Distacco = 14; // between two cards
const QColor Magenta(192, 0, 192);  // the game's keyboard frame
}  // namespace

CarteSillabe::CarteSillabe(QWidget *parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  QFont f = font();
  f.setPointSizeF(f.pointSizeF() * 1.8);
  f.setBold(true);
  setFont(f);
  setCursor(Qt::PointingHandCursor);
  setAccessibleName(QStringLiteral("Sillabe"));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CarteSillabe::imposta(const QStringList &sillabe) {
  parola_ = sillabe.join(QString());
  taglio_ = QList<bool>(parola_.size() + 1, false);
  qsizetype i = 0;
  for (qsizetype s = 0; s + 1 < sillabe.size(); ++s) {
    i += sillabe[s].size();
    taglio_[i] = true;
  }
  cursore_ = std::clamp(cursore_, 1, std::max(1, int(parola_.size()) - 1));
  updateGeometry();
  update();
  annuncia();
}

QStringList CarteSillabe::sillabe() const {
  QStringList l;
  qsizetype da = 0;
  for (qsizetype i = 1; i < parola_.size(); ++i)
    if (taglio_[i]) {
      l << parola_.mid(da, i - da);
      da = i;
    }
  if (!parola_.isEmpty())
    l << parola_.mid(da);
  return l;
}

QList<CarteSillabe::Lettera> CarteSillabe::disposizione() const {
  const QFontMetricsF m(font());
  QList<Lettera> lettere;
  qreal x = Margine + 2;
  const qreal alto = m.height() + 2 * Margine;
  for (qsizetype i = 0; i < parola_.size(); ++i) {
    if (i > 0 && taglio_[i])
      x += 2 * Margine + Distacco;
    const QString t(parola_[i]);
    const qreal l = m.horizontalAdvance(t);
    lettere.append({QRectF(x, 4, l, alto), t});
    x += l;
  }
  return lettere;
}

QSize CarteSillabe::sizeHint() const {
  const QFontMetrics m(font());
  const QList<Lettera> l = disposizione();
  const int largo = l.isEmpty() ? 200 : int(l.last().dove.right()) + Margine + 4;
  return {std::max(200, largo), m.height() + 2 * Margine + 8};
}

QSize CarteSillabe::minimumSizeHint() const { return sizeHint(); }

void CarteSillabe::paintEvent(QPaintEvent *) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QList<Lettera> lettere = disposizione();
  // One card per syllable, white on the window, as the game's cards.
  qsizetype inizio = 0;
  for (qsizetype i = 1; i <= lettere.size(); ++i) {
    if (i < lettere.size() && !taglio_[i])
      continue;
    const QRectF carta = QRectF(lettere[inizio].dove.topLeft(), lettere[i - 1].dove.bottomRight())
                             .adjusted(-Margine, 0, Margine, 0);
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(carta, 4, 4);
    inizio = i;
  }
  p.setPen(Qt::black);
  for (const Lettera &l : lettere)
    p.drawText(l.dove, Qt::AlignCenter, l.testo);
  if (hasFocus() && parola_.size() > 1) {
    // Where Space would cut or join.
    const qreal x = (lettere[cursore_ - 1].dove.right() + lettere[cursore_].dove.left()) / 2;
    p.setPen(QPen(Magenta, 3));
    p.drawLine(QPointF(x, 1), QPointF(x, height() - 1));
  }
}

void CarteSillabe::mousePressEvent(QMouseEvent *e) {
  const QList<Lettera> lettere = disposizione();
  int migliore = -1;
  qreal distanza = 1e9;
  for (int i = 1; i < lettere.size(); ++i) {
    const qreal x = (lettere[i - 1].dove.right() + lettere[i].dove.left()) / 2;
    if (std::abs(x - e->position().x()) < distanza) {
      distanza = std::abs(x - e->position().x());
      migliore = i;
    }
  }
  if (migliore > 0) {
    cursore_ = migliore;
    alterna(migliore);
  }
}

void CarteSillabe::keyPressEvent(QKeyEvent *e) {
  const int ultimo = int(parola_.size()) - 1;
  switch (e->key()) {
    case Qt::Key_Left:
      cursore_ = std::max(1, cursore_ - 1);
      update();
      return;
    case Qt::Key_Right:
      cursore_ = std::min(std::max(1, ultimo), cursore_ + 1);
      update();
      return;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (ultimo >= 1)
        alterna(cursore_);
      return;
    default:
      QWidget::keyPressEvent(e);
  }
}

void CarteSillabe::focusInEvent(QFocusEvent *e) {
  QWidget::focusInEvent(e);
  update();
}

void CarteSillabe::alterna(int confine) {
  if (confine < 1 || confine >= parola_.size())
    return;
  taglio_[confine] = !taglio_[confine];
  update();
  updateGeometry();
  annuncia();
  emit cambiate(sillabe());
}

void CarteSillabe::annuncia() {
  setAccessibleDescription(sillabe::scrivi(sillabe()));
  QAccessibleEvent evento(this, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&evento);
}

}  // namespace quirlo::editor
