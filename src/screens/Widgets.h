#pragma once

#include "Layout.h"

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>
#include <functional>

class QMimeData;

namespace quirlo {

// A control of the layouts that knows its own table row, so the whole window
// can be drawn again at any scale without laying it out anew.
class Scalabile {
 public:
  explicit Scalabile(const Controllo &c) : controllo_(c) {}
  virtual ~Scalabile() = default;
  // Places the control at its rectangle times `fattore`, from `origine`, the
  // top-left corner of the scaled client area, and scales what it draws.
  void scala(double fattore, QPoint origine);
  // A new left edge in twips, kept across changes of scale (the cards' places).
  void spostaOrizzontale(int left);
  double fattore() const { return fattore_; }
  const Controllo &controllo() const { return controllo_; }

 protected:
  virtual QWidget *widget() = 0;
  virtual void scalaContenuto() {}
  Controllo controllo_;

 private:
  double fattore_ = 1.0;
  QPoint origine_;
};

// The frame that shows where the keyboard is, on cards, slots and buttons.
QColor coloreFuoco();
void disegnaFuoco(QWidget *w, double fattore, int rientro = 0);

// A label of the layouts: caption, colours, font and an optional sunken border.
class Etichetta : public QLabel, public Scalabile {
  Q_OBJECT
 public:
  Etichetta(const Controllo &c, QWidget *parent);
  int indice() const { return indice_; }

 protected:
  void paintEvent(QPaintEvent *event) override;
  QWidget *widget() override { return this; }
  void scalaContenuto() override;

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
  // What a tap does, for the keyboard and for assistive technology.
  void attiva() { emit toccata(this); }

 signals:
  // Press and release on the card itself without dragging it anywhere.
  void toccata(Carta *carta);

 protected:
  // Left without touch handling on purpose: Qt turns a finger into mouse
  // events, so a finger drags and taps exactly as the mouse does.
  void mousePressEvent(QMouseEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

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
  // What a press does, for the keyboard and for assistive technology.
  void attiva() { emit premuta(this); }
  // Which syllable of which word the slot holds (from 1), for its spoken name;
  // a legend has none and is named by its caption.
  void impostaPosizione(int sillaba, int parola);
  bool haPosizione() const { return sillaba_ > 0; }
  QString nomeAccessibile() const;

 signals:
  void premuta(Casella *casella);

 protected:
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dragMoveEvent(QDragMoveEvent *event) override;
  void dropEvent(QDropEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void paintEvent(QPaintEvent *event) override;

 private:
  GestoreDrop gestore_;
  int sillaba_ = 0, parola_ = 0;
};

// An image control: the picture stretched to fill the rectangle exactly.
class Immagine : public QWidget, public Scalabile {
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
  QWidget *widget() override { return this; }

 private:
  QRect areaImmagine() const;
  int indice_;
  bool bordo_;
  QImage immagine_;
};

// A push button with its picture centred above the caption. Enter presses it
// as the space bar does.
class PulsanteImmagine : public QToolButton, public Scalabile {
  Q_OBJECT
 public:
  PulsanteImmagine(const Controllo &c, QWidget *parent);

 protected:
  void keyPressEvent(QKeyEvent *event) override;
  // The caption keeps the bottom of the face; the picture is centred in the
  // space above it, cut evenly when the button is too low to show it whole.
  void paintEvent(QPaintEvent *event) override;
  QWidget *widget() override { return this; }
  void scalaContenuto() override;

 private:
  QPixmap originale_;
  QPixmap figura_;
};

}  // namespace quirlo
