#include "Widgets.h"

#include "Puntatore.h"

#include <QApplication>
#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>

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

bool tastoDiScelta(const QKeyEvent *event) {
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: return !event->isAutoRepeat() && !(event->modifiers() & ~Qt::KeypadModifier);
    default: return false;
  }
}

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

Etichetta::Etichetta(const Controllo &c, QWidget *parent) : QLabel(QString::fromUtf8(c.testo), parent), Scalabile(c) {
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
  if (controllo_.bordo == Bordo::Incassato) {
    const int m = 2 * spessore(fattore());
    setContentsMargins(m, m, m, m);
  }
  if (controllo_.frecciaPersonale)
    setCursor(puntatoreFreccia(fattore()));
}

void Etichetta::paintEvent(QPaintEvent *event) {
  QLabel::paintEvent(event);
  if (controllo_.bordo != Bordo::Incassato)
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

void Etichetta::keyPressEvent(QKeyEvent *event) {
  if (tastoDiScelta(event))
    attiva();
  else
    QLabel::keyPressEvent(event);
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

void Carta::paintEvent(QPaintEvent *event) {
  // The keyboard's frame lies inside the card, under the syllable; the chosen
  // card's outside it, so both show at once.
  if (mostraFuoco(this))
    disegnaFuoco(this, fattore());
  Etichetta::paintEvent(event);
}

Casella::Casella(const Controllo &c, QWidget *parent) : Etichetta(c, parent) { setAcceptDrops(true); }

void Casella::dragEnterEvent(QDragEnterEvent *event) { dragMoveEvent(event); }

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

void Casella::mousePressEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton)
    emit premuta(this);
  QLabel::mousePressEvent(event);
}

void Casella::paintEvent(QPaintEvent *event) {
  Etichetta::paintEvent(event);
  if (mostraFuoco(this))
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

}  // namespace quirlo
