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

bool tastoDiScelta(const QKeyEvent *event) {
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: return !event->isAutoRepeat() && !(event->modifiers() & ~Qt::KeypadModifier);
    default: return false;
  }
}

}  // namespace

void Scalabile::scala(double fattore, QPoint origine) {
  fattore_ = fattore;
  origine_ = origine;
  const Controllo &c = controllo_;
  widget()->setGeometry(rettangoloScalato(c.left, c.top, c.width, c.height, fattore).translated(origine));
  scalaContenuto();
}

void Scalabile::spostaOrizzontale(int left) {
  controllo_.left = left;
  widget()->move(origine_.x() + pixelScalato(left, fattore_), widget()->y());
}

// Magenta is told apart from the blue of a chosen card, and stands out on the
// white cards, the yellow slots and the grey buttons alike.
QColor coloreFuoco() { return QColor(190, 0, 130); }

void disegnaFuoco(QWidget *w, double fattore, int rientro) {
  QPainter p(w);
  const int t = 3 * spessore(fattore);
  const QRect r = w->rect().adjusted(rientro, rientro, -rientro, -rientro);
  for (const QRect &banda : {QRect(r.left(), r.top(), r.width(), t), QRect(r.left(), r.bottom() - t + 1, r.width(), t),
                             QRect(r.left(), r.top(), t, r.height()), QRect(r.right() - t + 1, r.top(), t, r.height())})
    p.fillRect(banda, coloreFuoco());
}

Etichetta::Etichetta(const Controllo &c, QWidget *parent)
    : QLabel(QString::fromUtf8(c.testo), parent), Scalabile(c), indice_(c.indice), bordo_(c.bordo) {
  applicaColori(this, c);
  setAlignment(c.centrato ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
  setTextFormat(Qt::PlainText);
  setWordWrap(true);
  // The keyboard reaches cards and slots only through the window's own order
  // (enabled cards, then slots), never through Qt's chain or a click.
  setFocusPolicy(Qt::NoFocus);
  scalaContenuto();
}

void Etichetta::scalaContenuto() {
  setFont(fontQt(controllo_.carattere, fattore()));
  if (bordo_ == Bordo::Incassato) {
    const int m = 2 * spessore(fattore());
    setContentsMargins(m, m, m, m);
  }
  if (controllo_.frecciaPersonale)
    setCursor(puntatoreFreccia(fattore()));
}

void Etichetta::paintEvent(QPaintEvent *event) {
  QLabel::paintEvent(event);
  if (bordo_ != Bordo::Incassato)
    return;
  // The classic sunken edge, two bands deep: shadow above and left, light
  // below and right; each band one pixel at scale 1.
  QPainter p(this);
  const int t = spessore(fattore());
  const int w = width(), h = height();
  p.fillRect(0, 0, w - t, t, QColor(128, 128, 128));
  p.fillRect(0, 0, t, h - t, QColor(128, 128, 128));
  p.fillRect(t, t, w - 3 * t, t, Qt::black);
  p.fillRect(t, t, t, h - 3 * t, Qt::black);
  p.fillRect(0, h - t, w, t, Qt::white);
  p.fillRect(w - t, 0, t, h, Qt::white);
  p.fillRect(t, h - 2 * t, w - 2 * t, t, QColor(212, 208, 200));
  p.fillRect(w - 2 * t, t, t, h - 2 * t, QColor(212, 208, 200));
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
    const int t = spessore(fattore());
    QPen penna(Qt::black, 2 * t, Qt::DotLine);
    p.setPen(penna);
    p.drawRect(QRectF(contorno.rect()).adjusted(t, t, -t, -t));
  }
  auto *mime = new QMimeData;
  mime->setData(tipoMime(), QByteArray());
  auto *drag = new QDrag(this);
  drag->setMimeData(mime);
  drag->setPixmap(contorno);
  // At a larger scale the gap above the pointer grows with the card.
  drag->setHotSpot(puntoDiPresa(size()) + QPoint(0, DistanzaContorno * (spessore(fattore()) - 1)));
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
  const int evidenza = SpessoreEvidenza * spessore(fattore());
  if (evidenziata_) {
    QPainter p(this);
    const qreal meta = evidenza / 2.0;
    p.setPen(QPen(coloreEvidenza(), evidenza, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(QRectF(rect()).adjusted(meta, meta, -meta, -meta));
  }
  // The keyboard's frame lies inside the chosen card's, so both show at once.
  if (hasFocus())
    disegnaFuoco(this, fattore(), evidenziata_ ? evidenza : 0);
  Etichetta::paintEvent(event);
}

void Carta::keyPressEvent(QKeyEvent *event) {
  if (tastoDiScelta(event)) {
    attiva();
    return;
  }
  Etichetta::keyPressEvent(event);
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

void Casella::keyPressEvent(QKeyEvent *event) {
  if (tastoDiScelta(event)) {
    attiva();
    return;
  }
  Etichetta::keyPressEvent(event);
}

void Casella::paintEvent(QPaintEvent *event) {
  Etichetta::paintEvent(event);
  if (hasFocus())
    disegnaFuoco(this, fattore());
}

void Casella::impostaPosizione(int sillaba, int parola) {
  sillaba_ = sillaba;
  parola_ = parola;
}

QString Casella::nomeAccessibile() const {
  if (sillaba_ <= 0)
    return text();
  const QString dove = QStringLiteral("casella %1 della parola %2").arg(sillaba_).arg(parola_);
  return text().isEmpty() ? dove + QStringLiteral(", vuota") : dove + QStringLiteral(", contiene ") + text();
}

Immagine::Immagine(const Controllo &c, QWidget *parent)
    : QWidget(parent), Scalabile(c), indice_(c.indice), bordo_(c.bordo != Bordo::Nessuno) {
  if (c.immagine)
    immagine_ = QImage(QString::fromUtf8(c.immagine));
  setAttribute(Qt::WA_TranslucentBackground, false);
}

void Immagine::impostaImmagine(const QImage &immagine) {
  immagine_ = immagine;
  update();
}

QRect Immagine::areaImmagine() const {
  const int t = spessore(fattore());
  return bordo_ ? rect().adjusted(t, t, -t, -t) : rect();
}

QSize Immagine::dimensioneDecodifica() const { return areaImmagine().size() * devicePixelRatio(); }

void Immagine::paintEvent(QPaintEvent *) {
  QPainter p(this);
  if (!immagine_.isNull()) {
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(areaImmagine(), immagine_);
  }
  if (bordo_) {
    const int t = spessore(fattore());
    const QRect r = rect();
    p.fillRect(r.left(), r.top(), r.width(), t, Qt::black);
    p.fillRect(r.left(), r.bottom() - t + 1, r.width(), t, Qt::black);
    p.fillRect(r.left(), r.top(), t, r.height(), Qt::black);
    p.fillRect(r.right() - t + 1, r.top(), t, r.height(), Qt::black);
  }
}

PulsanteImmagine::PulsanteImmagine(const Controllo &c, QWidget *parent) : QToolButton(parent), Scalabile(c) {
  setText(QString::fromUtf8(c.testo));
  setToolButtonStyle(Qt::ToolButtonTextOnly);
  if (c.immagine)
    originale_ = QPixmap(QString::fromUtf8(c.immagine));
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
  if (hasFocus()) {
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
