#pragma once

#include "Layout.h"

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QToolButton>
#include <functional>

class QMimeData;

namespace quirlo {

// A label of the layouts: caption, colours, font and an optional sunken border.
class Etichetta : public QLabel {
  Q_OBJECT
 public:
  Etichetta(const Controllo &c, QWidget *parent);
  int indice() const { return indice_; }

 protected:
  void paintEvent(QPaintEvent *event) override;

 private:
  int indice_;
  Bordo bordo_;
};

// A syllable card: pressing it starts a drag at once, showing just its outline.
// The card itself never moves.
class Carta : public Etichetta {
  Q_OBJECT
 public:
  using Etichetta::Etichetta;
  static QString tipoMime();
  // The card a drop carries, or nullptr for anything that is not one of ours.
  static Carta *daTrascinamento(const QMimeData *mime, QObject *sorgente);

  // The frame of a card chosen by a tap, waiting for a tap on its slot.
  void evidenzia(bool evidenziata);
  bool evidenziata() const { return evidenziata_; }
  static QColor coloreEvidenza();
  // Where the pointer holds the dragged outline: centred below it, outside it.
  static QPoint puntoDiPresa(QSize carta);
  static constexpr int DistanzaContorno = 6;
  static constexpr int SpessoreEvidenza = 4;

 signals:
  // Press and release on the card itself without dragging it anywhere.
  void toccata(Carta *carta);

 protected:
  // Left without touch handling on purpose: Qt turns a finger into mouse
  // events, so a finger drags and taps exactly as the mouse does.
  void mousePressEvent(QMouseEvent *event) override;
  void paintEvent(QPaintEvent *event) override;

 private:
  bool evidenziata_ = false;
};

// A slot (or legend) that takes cards. Only cards are accepted, so a card
// released anywhere else changes nothing.
class Casella : public Etichetta {
  Q_OBJECT
 public:
  Casella(const Controllo &c, QWidget *parent);
  using GestoreDrop = std::function<void(int indice, QLabel *sorgente)>;
  void impostaGestore(GestoreDrop gestore) { gestore_ = std::move(gestore); }
  void lascia(QLabel *sorgente);

 signals:
  void premuta(Casella *casella);

 protected:
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dragMoveEvent(QDragMoveEvent *event) override;
  void dropEvent(QDropEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;

 private:
  GestoreDrop gestore_;
};

// An image control: the picture stretched to fill the rectangle exactly.
class Immagine : public QWidget {
  Q_OBJECT
 public:
  Immagine(const Controllo &c, QWidget *parent);
  int indice() const { return indice_; }
  void impostaImmagine(const QImage &immagine);
  const QImage &immagine() const { return immagine_; }
  // The size to decode a drawing at, so no scaling is left for painting.
  QSize dimensioneDecodifica() const;

 protected:
  void paintEvent(QPaintEvent *event) override;

 private:
  QRect areaImmagine() const;
  int indice_;
  bool bordo_;
  QImage immagine_;
};

// A push button with its picture centred above the caption. Enter presses it
// as the space bar does.
class PulsanteImmagine : public QToolButton {
  Q_OBJECT
 public:
  PulsanteImmagine(const Controllo &c, QWidget *parent);

 protected:
  void keyPressEvent(QKeyEvent *event) override;
  // The caption keeps the bottom of the face; the picture is centred in the
  // space above it, cut evenly when the button is too low to show it whole.
  void paintEvent(QPaintEvent *event) override;

 private:
  QPixmap figura_;
};

}  // namespace quirlo
