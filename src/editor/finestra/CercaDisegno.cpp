#include "CercaDisegno.h"

#include "Biblioteca.h"
#include "Immagini.h"
#include "TestoVisibile.h"
#include "Traccia.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QCache>
#include <QIcon>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QVBoxLayout>
#include <memory>

namespace quirlo::editor {

namespace {

// The grid's pictures: big enough to tell a lemon from a lime, three to a
// row beside the photo's frame.
constexpr int LatoMiniatura = 84;
constexpr QSize Casella(116, 128);
constexpr int MassimoRisultati = 60;
// Decoded pictures kept between searches: typing "gatto" letter by letter
// shows many of the same ones again.
constexpr int MiniatureTenute = 400;

// One library for the whole program, read on the first search: each word's
// dialog would otherwise read it again.
struct Condivisa {
  QString cartella;
  std::unique_ptr<Biblioteca> biblioteca;
};

Condivisa &condivisa() {
  static Condivisa c;
  return c;
}

Biblioteca &bibliotecaDi(const QString &cartella) {
  Condivisa &c = condivisa();
  if (!c.biblioteca || c.cartella != cartella) {
    c.cartella = cartella;
    c.biblioteca = std::make_unique<Biblioteca>(cartella);
  }
  return *c.biblioteca;
}

QString origine(const QString &cartella, const QString &file) {
  const QString relativo = QDir(cartella).relativeFilePath(file);
  if (relativo.startsWith(QLatin1String("jpg/")))
    return QStringLiteral("un disegno del gioco");
  if (relativo.startsWith(QLatin1String("biblioteca/noto/")))
    return QStringLiteral("stile Noto");
  if (relativo.startsWith(QLatin1String("biblioteca/fluent/")))
    return QStringLiteral("stile Fluent");
  return relativo;
}

}  // namespace

class ModelloDisegni : public QAbstractListModel {
 public:
  ModelloDisegni(QString cartella, QObject *parent) : QAbstractListModel(parent), cartella_(std::move(cartella)) {}

  void imposta(QList<Risultato> risultati, qreal scala) {
    beginResetModel();
    risultati_ = std::move(risultati);
    if (scala != scala_)
      miniature_.clear();
    scala_ = scala;
    endResetModel();
  }
  const QList<Risultato> &risultati() const { return risultati_; }

  int rowCount(const QModelIndex &genitore) const override {
    return genitore.isValid() ? 0 : int(risultati_.size());
  }

  QVariant data(const QModelIndex &indice, int ruolo) const override {
    if (!indice.isValid() || indice.row() >= risultati_.size())
      return {};
    const Risultato &r = risultati_[indice.row()];
    switch (ruolo) {
      case Qt::DisplayRole:
      case Qt::AccessibleTextRole:
        return senzaControlli(r.nome);
      case Qt::ToolTipRole:
        return QStringLiteral("%1 (%2)").arg(senzaControlli(r.nome), origine(cartella_, r.file));
      case Qt::DecorationRole:
        // Asked only for the cells on screen: a search never waits for sixty pictures.
        return icona(r.file);
      default:
        return {};
    }
  }

 private:
  // The chosen picture keeps its colours: the style would tint it blue.
  QIcon icona(const QString &file) const {
    if (const QIcon *tenuta = miniature_.object(file))
      return *tenuta;
    const QPixmap p = miniatura(file);
    QIcon i;
    i.addPixmap(p, QIcon::Normal);
    i.addPixmap(p, QIcon::Selected);
    miniature_.insert(file, new QIcon(i));
    return i;
  }

  QPixmap miniatura(const QString &file) const {
    const int lato = qRound(LatoMiniatura * scala_);
    QPixmap p;
    const QImage immagine = decodificaImmagine(file, {});
    if (!immagine.isNull()) {
      // The library's PNGs have a palette, which Qt would keep while scaling
      // and so reduce to 216 colours: scaled in true colour instead.
      const QImage piccola = immagine.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                 .scaled(lato, lato, Qt::KeepAspectRatio, Qt::SmoothTransformation);
      // Centred in a square, so the names below line up whatever the shape.
      QImage quadrata(lato, lato, QImage::Format_ARGB32_Premultiplied);
      quadrata.fill(Qt::transparent);
      QPainter(&quadrata).drawImage((lato - piccola.width()) / 2, (lato - piccola.height()) / 2, piccola);
      p = QPixmap::fromImage(quadrata);
    } else {
      // Unreadable since the index was made: a blank tile, not a hole in the grid.
      p = QPixmap(lato, lato);
      p.fill(Qt::transparent);
    }
    p.setDevicePixelRatio(scala_);
    return p;
  }

  QString cartella_;
  QList<Risultato> risultati_;
  qreal scala_ = 1;
  mutable QCache<QString, QIcon> miniature_{MiniatureTenute};
};

CercaDisegno::CercaDisegno(const QString &cartellaProgramma, QWidget *parent)
    : QWidget(parent), cartella_(cartellaProgramma) {
  auto *titolo = new QLabel(QStringLiteral("&Cerca un disegno:"));
  campo_ = new QLineEdit;
  campo_->setObjectName(QStringLiteral("cercaDisegno"));
  campo_->setAccessibleName(QStringLiteral("Cerca un disegno"));
  campo_->setPlaceholderText(QStringLiteral("per esempio: gatto, mele, treno"));
  campo_->setClearButtonEnabled(true);
  titolo->setBuddy(campo_);

  modello_ = new ModelloDisegni(cartellaProgramma, this);
  griglia_ = new QListView;
  griglia_->setObjectName(QStringLiteral("disegniTrovati"));
  griglia_->setAccessibleName(QStringLiteral("Disegni trovati"));
  griglia_->setModel(modello_);
  griglia_->setViewMode(QListView::IconMode);
  griglia_->setMovement(QListView::Static);
  griglia_->setResizeMode(QListView::Adjust);
  griglia_->setWrapping(true);
  griglia_->setWordWrap(true);
  griglia_->setIconSize(QSize(LatoMiniatura, LatoMiniatura));
  griglia_->setGridSize(Casella);
  griglia_->setSelectionMode(QAbstractItemView::SingleSelection);
  griglia_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  griglia_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  // Three pictures to a row, and the scroll bar beside them.
  const int barra = griglia_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  griglia_->setMinimumWidth(3 * Casella.width() + barra + 2 * griglia_->frameWidth() + 8);
  griglia_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);

  stato_ = new QLabel;
  stato_->setObjectName(QStringLiteral("statoRicerca"));
  stato_->setWordWrap(true);
  stato_->setMaximumWidth(griglia_->minimumWidth());

  auto *righe = new QVBoxLayout(this);
  righe->setContentsMargins(0, 0, 0, 0);
  righe->addWidget(titolo);
  righe->addWidget(campo_);
  righe->addWidget(griglia_, 1);
  righe->addWidget(stato_);

  campo_->installEventFilter(this);
  griglia_->installEventFilter(this);
  connect(campo_, &QLineEdit::textEdited, this, &CercaDisegno::cerca);
  // The clear button changes the text without an edit.
  connect(campo_, &QLineEdit::textChanged, this, [this](const QString &t) {
    if (t.isEmpty())
      cerca(t);
  });
  connect(griglia_, &QListView::clicked, this, [this](const QModelIndex &i) { scegli(i.row()); });
  cerca(QString());
}

bool CercaDisegno::bibliotecaLetta() {
  const Condivisa &c = condivisa();
  return c.biblioteca && c.biblioteca->caricata();
}

void CercaDisegno::suggerisci(const QString &parola) {
  if (!campo_->text().isEmpty() && campo_->text() != suggerita_)
    return;
  suggerita_ = parola;
  campo_->setText(parola);
  cerca(parola);
}

void CercaDisegno::cerca(const QString &testo) {
  if (testo.trimmed().isEmpty()) {
    modello_->imposta({}, devicePixelRatioF());
    stato_->setText(QStringLiteral("Scrivi il nome di una cosa: ti mostro i disegni che la rappresentano."));
    return;
  }
  Biblioteca &biblioteca = bibliotecaDi(cartella_);
  const bool primaVolta = !biblioteca.caricata();
  if (primaVolta)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  QList<Risultato> trovati = biblioteca.cerca(testo, MassimoRisultati);
  if (primaVolta)
    QApplication::restoreOverrideCursor();
  const qsizetype quanti = trovati.size();
  traccia(QStringLiteral("cerca un disegno %1: %2").arg(testoInRiga(testo)).arg(quanti));
  modello_->imposta(std::move(trovati), devicePixelRatioF());
  griglia_->scrollToTop();
  if (biblioteca.vuota())
    stato_->setText(biblioteca.problema());
  else if (quanti == 0)
    stato_->setText(QStringLiteral("Nessun disegno per \u00AB%1\u00BB: prova con un'altra parola.")
                        .arg(accorciato(testo.trimmed())));
  else
    stato_->setText(QStringLiteral("Clicca un disegno per usarlo: i più adatti sono i primi."));
}

void CercaDisegno::scegli(int riga) {
  const QList<Risultato> &r = modello_->risultati();
  if (riga < 0 || riga >= r.size())
    return;
  griglia_->setCurrentIndex(modello_->index(riga));
  traccia(QStringLiteral("disegno scelto %1").arg(QDir(cartella_).relativeFilePath(r[riga].file)));
  emit scelto(r[riga].file, r[riga].nome);
}

bool CercaDisegno::eventFilter(QObject *oggetto, QEvent *evento) {
  if (evento->type() != QEvent::KeyPress)
    return QWidget::eventFilter(oggetto, evento);
  const int tasto = static_cast<QKeyEvent *>(evento)->key();
  const bool invio = tasto == Qt::Key_Return || tasto == Qt::Key_Enter;
  if (oggetto == campo_ && invio) {
    // Enter in the search takes its best picture, and never saves the word
    // behind her back as the dialog's default button would.
    scegli(0);
    return true;
  }
  if (oggetto == campo_ && tasto == Qt::Key_Down && modello_->rowCount({}) > 0) {
    griglia_->setFocus();
    griglia_->setCurrentIndex(modello_->index(0));
    return true;
  }
  if (oggetto == griglia_ && (invio || tasto == Qt::Key_Space)) {
    scegli(griglia_->currentIndex().row());
    return true;
  }
  return QWidget::eventFilter(oggetto, evento);
}

}  // namespace quirlo::editor
