#include "Widgets.h"

#include "Puntatore.h"

#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace quirlo {

namespace {

void applicaColori(QWidget *w, const Controllo &c) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, coloreQt(c.coloreTesto));
  p.setColor(QPalette::Window, coloreQt(c.sfondo));
  // A disabled card keeps its look: it is simply empty.
  p.setColor(QPalette::Disabled, QPalette::WindowText, coloreQt(c.coloreTesto));
  w->setPalette(p);
  w->setAutoFillBackground(c.opaco);
}

}  // namespace

Etichetta::Etichetta(const Controllo &c, QWidget *parent)
    : QLabel(QString::fromUtf8(c.testo), parent), indice_(c.indice), bordo_(c.bordo) {
  applicaColori(this, c);
  setFont(fontQt(c.carattere));
  setAlignment(c.centrato ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
  setTextFormat(Qt::PlainText);
  setWordWrap(true);
  if (bordo_ == Bordo::Incassato)
    setContentsMargins(2, 2, 2, 2);
  if (c.frecciaPersonale)
    setCursor(puntatoreFreccia());
  setFocusPolicy(Qt::NoFocus);
}

void Etichetta::paintEvent(QPaintEvent *event) {
  QLabel::paintEvent(event);
  if (bordo_ != Bordo::Incassato)
    return;
  // The classic two-pixel sunken edge: shadow above and left, light below and right.
  QPainter p(this);
  const int w = width() - 1, h = height() - 1;
  p.setPen(QColor(128, 128, 128));
  p.drawLine(0, 0, w - 1, 0);
  p.drawLine(0, 0, 0, h - 1);
  p.setPen(Qt::black);
  p.drawLine(1, 1, w - 2, 1);
  p.drawLine(1, 1, 1, h - 2);
  p.setPen(Qt::white);
  p.drawLine(0, h, w, h);
  p.drawLine(w, 0, w, h);
  p.setPen(QColor(212, 208, 200));
  p.drawLine(1, h - 1, w - 1, h - 1);
  p.drawLine(w - 1, 1, w - 1, h - 1);
}

QString Carta::tipoMime() { return QStringLiteral("application/x-quirlo-carta"); }

Carta *Carta::daTrascinamento(const QMimeData *mime, QObject *sorgente) {
  if (!mime || !mime->hasFormat(tipoMime()))
    return nullptr;
  return qobject_cast<Carta *>(sorgente);
}

void Carta::mousePressEvent(QMouseEvent *event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) {
    QLabel::mousePressEvent(event);
    return;
  }
  // Only the card's outline follows the pointer. It rides just above the
  // pointer's tip, never under it: without a compositing desktop the drag
  // image's transparent inside is painted opaque, and the child must still
  // see the slot the card is about to land on.
  QPixmap contorno(size());
  contorno.fill(Qt::transparent);
  {
    QPainter p(&contorno);
    QPen penna(Qt::black, 2, Qt::DotLine);
    p.setPen(penna);
    p.drawRect(QRectF(contorno.rect()).adjusted(1, 1, -1, -1));
  }
  auto *mime = new QMimeData;
  mime->setData(tipoMime(), QByteArray());
  auto *drag = new QDrag(this);
  drag->setMimeData(mime);
  drag->setPixmap(contorno);
  drag->setHotSpot(puntoDiPresa(size()));
  const QPoint premuto = event->globalPosition().toPoint();
  const Qt::DropAction esito = drag->exec(Qt::MoveAction);
  // A drag that no slot took and that ended over the card itself was a tap.
  if (esito == Qt::IgnoreAction && rect().contains(mapFromGlobal(QCursor::pos())) &&
      rect().contains(mapFromGlobal(premuto)))
    emit toccata(this);
}

QPoint Carta::puntoDiPresa(QSize carta) { return {carta.width() / 2, carta.height() + DistanzaContorno}; }

QColor Carta::coloreEvidenza() { return QColor(0, 80, 220); }

void Carta::evidenzia(bool evidenziata) {
  if (evidenziata_ == evidenziata)
    return;
  evidenziata_ = evidenziata;
  update();
}

void Carta::paintEvent(QPaintEvent *event) {
  // The frame goes under the text, so a syllable is never hidden by it. Deep
  // blue stands out both on the white card and on the green window.
  if (evidenziata_) {
    QPainter p(this);
    const qreal meta = SpessoreEvidenza / 2.0;
    p.setPen(QPen(coloreEvidenza(), SpessoreEvidenza, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(QRectF(rect()).adjusted(meta, meta, -meta, -meta));
  }
  Etichetta::paintEvent(event);
}

Casella::Casella(const Controllo &c, QWidget *parent) : Etichetta(c, parent) { setAcceptDrops(true); }

void Casella::dragEnterEvent(QDragEnterEvent *event) {
  if (Carta::daTrascinamento(event->mimeData(), event->source()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void Casella::dragMoveEvent(QDragMoveEvent *event) {
  if (Carta::daTrascinamento(event->mimeData(), event->source()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void Casella::dropEvent(QDropEvent *event) {
  Carta *carta = Carta::daTrascinamento(event->mimeData(), event->source());
  if (!carta) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  lascia(carta);
}

void Casella::lascia(QLabel *sorgente) {
  if (gestore_)
    gestore_(indice(), sorgente);
}

void Casella::mousePressEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton)
    emit premuta(this);
  QLabel::mousePressEvent(event);
}

Immagine::Immagine(const Controllo &c, QWidget *parent)
    : QWidget(parent), indice_(c.indice), bordo_(c.bordo != Bordo::Nessuno) {
  if (c.immagine)
    immagine_ = QImage(QString::fromUtf8(c.immagine));
  setAttribute(Qt::WA_TranslucentBackground, false);
}

void Immagine::impostaImmagine(const QImage &immagine) {
  immagine_ = immagine;
  update();
}

QRect Immagine::areaImmagine() const { return bordo_ ? rect().adjusted(1, 1, -1, -1) : rect(); }

QSize Immagine::dimensioneDecodifica() const { return areaImmagine().size() * devicePixelRatio(); }

void Immagine::paintEvent(QPaintEvent *) {
  QPainter p(this);
  if (!immagine_.isNull()) {
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(areaImmagine(), immagine_);
  }
  if (bordo_) {
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

PulsanteImmagine::PulsanteImmagine(const Controllo &c, QWidget *parent) : QToolButton(parent) {
  setText(QString::fromUtf8(c.testo));
  setFont(fontQt(c.carattere));
  setToolButtonStyle(Qt::ToolButtonTextOnly);
  if (c.immagine)
    figura_ = QPixmap(QString::fromUtf8(c.immagine));
  setAutoRaise(false);
  setFocusPolicy(Qt::StrongFocus);
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

  const QRect faccia = rect().adjusted(3, 3, -3, -3);
  const int altezzaTesto = fontMetrics().height();
  const QRect areaTesto(faccia.left(), faccia.bottom() - altezzaTesto + 1, faccia.width(), altezzaTesto);
  const QRect areaFigura(faccia.left(), faccia.top(), faccia.width(), areaTesto.top() - faccia.top());
  const QPoint scarto = isDown() ? QPoint(1, 1) : QPoint();
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
  if (hasFocus()) {
    QStyleOptionFocusRect fuoco;
    fuoco.initFrom(this);
    fuoco.rect = faccia;
    p.drawPrimitive(QStyle::PE_FrameFocusRect, fuoco);
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
