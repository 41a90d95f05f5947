// The image controls and the picture buttons of the layouts.
#include "Widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace quirlo {

Immagine::Immagine(const Controllo &c, QWidget *parent) : QWidget(parent), Scalabile(c) {
  if (c.immagine)
    immagine_ = immagineIncorporata(c.immagine);
  setAttribute(Qt::WA_TranslucentBackground, false);
}

void Immagine::impostaImmagine(const QImage &immagine) {
  immagine_ = immagine;
  update();
}

QRect Immagine::areaImmagine() const {
  const int t = spessore(fattore());
  return controllo_.bordo != Bordo::Nessuno ? rect().adjusted(t, t, -t, -t) : rect();
}

QSize Immagine::dimensioneDecodifica() const { return areaImmagine().size() * devicePixelRatio(); }

void Immagine::paintEvent(QPaintEvent *) {
  QPainter p(this);
  if (!immagine_.isNull()) {
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(areaImmagine(), immagine_);
  }
  if (controllo_.bordo != Bordo::Nessuno) {
    const int t = spessore(fattore());
    const QRect r = rect();
    p.fillRect(r.left(), r.top(), r.width(), t, Qt::black);
    p.fillRect(r.left(), r.bottom() - t + 1, r.width(), t, Qt::black);
    p.fillRect(r.left(), r.top(), t, r.height(), Qt::black);
    p.fillRect(r.right() - t + 1, r.top(), t, r.height(), Qt::black);
  }
  if (toccabile_ && mostraFuoco(this)) {
    p.end();
    disegnaFuoco(this, fattore());
  }
}

void Immagine::mousePressEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton)
    attiva();
  // Left unaccepted: the window behind sees the press as before.
  QWidget::mousePressEvent(event);
}

void Immagine::keyPressEvent(QKeyEvent *event) {
  if (toccabile_ && tastoDiScelta(event))
    attiva();
  else
    QWidget::keyPressEvent(event);
}

PulsanteImmagine::PulsanteImmagine(const Controllo &c, QWidget *parent) : QToolButton(parent), Scalabile(c) {
  setText(QString::fromUtf8(c.testo));
  setToolButtonStyle(Qt::ToolButtonTextOnly);
  if (c.immagine)
    originale_ = QPixmap::fromImage(immagineIncorporata(c.immagine));
  setAutoRaise(false);
  setFocusPolicy(Qt::StrongFocus);
  scalaContenuto();
}

void PulsanteImmagine::scalaContenuto() {
  setFont(fontQt(controllo_.carattere, fattore()));
  figura_ = originale_.isNull() || fattore() == 1.0
                ? originale_
                : originale_.scaled(originale_.size() * fattore(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
  update();
}

void PulsanteImmagine::paintEvent(QPaintEvent *) {
  QStylePainter p(this);
  QStyleOptionButton opzione;
  opzione.initFrom(this);
  opzione.features = QStyleOptionButton::None;
  if (isDown())
    opzione.state |= QStyle::State_Sunken;
  else
    opzione.state |= QStyle::State_Raised;
  p.drawControl(QStyle::CE_PushButtonBevel, opzione);

  const int bordo = 3 * spessore(fattore());
  const QRect faccia = rect().adjusted(bordo, bordo, -bordo, -bordo);
  const int altezzaTesto = fontMetrics().height();
  const QRect areaTesto(faccia.left(), faccia.bottom() - altezzaTesto + 1, faccia.width(), altezzaTesto);
  const QRect areaFigura(faccia.left(), faccia.top(), faccia.width(), areaTesto.top() - faccia.top());
  const QPoint scarto = isDown() ? QPoint(1, 1) * spessore(fattore()) : QPoint();
  if (!figura_.isNull()) {
    QRect dove(QPoint(), figura_.size());
    dove.moveCenter(areaFigura.center());
    p.save();
    p.setClipRect(areaFigura.translated(scarto));
    p.drawPixmap(dove.topLeft() + scarto, figura_);
    p.restore();
  }
  p.setPen(palette().color(QPalette::ButtonText));
  p.drawText(areaTesto.translated(scarto), Qt::AlignHCenter | Qt::AlignVCenter, text());
  // The style's own focus rectangle is a faint dotted line, or nothing at all
  // until a key is pressed: a child must see at once what Enter will press.
  if (mostraFuoco(this)) {
    p.end();
    disegnaFuoco(this, fattore());
  }
}

void PulsanteImmagine::keyPressEvent(QKeyEvent *event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
    animateClick();
    return;
  }
  QToolButton::keyPressEvent(event);
}

}  // namespace quirlo
