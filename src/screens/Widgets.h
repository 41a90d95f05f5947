#pragma once

#include "Layout.h"

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>

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

// The frame that shows where the keyboard is, on cards, slots and buttons. It
// is drawn only once the keyboard has been used (any key, in any window, from
// then until the program ends), as Windows shows its focus cues: a window
// opened with the mouse looks as it was drawn.
QColor coloreFuoco();
bool mostraFuoco(const QWidget *w);
void disegnaFuoco(QWidget *w, double fattore);
// Space or Enter, unmodified and not repeated: the keys that do what a tap does.
bool tastoDiScelta(const QKeyEvent *event);

// A label of the layouts: caption, colours, font and an optional sunken border.
class Etichetta : public QLabel, public Scalabile {
  Q_OBJECT
 public:
  Etichetta(const Controllo &c, QWidget *parent);
  int indice() const { return controllo().indice; }
  // What a tap or a press does, for the keyboard (Space, Enter) and for
  // assistive technology; a plain label does nothing.
  virtual void attiva() {}

 protected:
  void paintEvent(QPaintEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  QWidget *widget() override { return this; }
  void scalaContenuto() override;
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

  // The frame of a card chosen by a tap, waiting for a tap on its slot. It is
  // drawn round the card, outside it, so it never covers the syllable.
  void evidenzia(bool evidenziata);
  bool evidenziata() const { return evidenziata_; }
  static QColor coloreEvidenza();
  // Where the pointer holds the dragged outline: centred below it, outside it.
  static QPoint puntoDiPresa(QSize carta);
  static constexpr int DistanzaContorno = 6;
  static constexpr int SpessoreEvidenza = 4;
  void attiva() override { emit toccata(this); }

 signals:
  // Press and release on the card itself without dragging it anywhere.
  void toccata(Carta *carta);

 protected:
  // Left without touch handling on purpose: Qt turns a finger into mouse
  // events, so a finger drags and taps exactly as the mouse does.
  void mousePressEvent(QMouseEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  void moveEvent(QMoveEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

 private:
  void posaCornice();
  bool evidenziata_ = false;
  QWidget *cornice_ = nullptr;  // a sibling above the card, made when first chosen
};

// A slot (or legend) that takes cards. Only cards are accepted, so a card
// released anywhere else changes nothing. A drop and a press are both told
// as signals; the window decides what they mean.
class Casella : public Etichetta {
  Q_OBJECT
 public:
  Casella(const Controllo &c, QWidget *parent);
  // A card dropped here, by a drag or by the tap that chose it.
  void lascia(QLabel *sorgente) { emit lasciata(indice(), sorgente); }
  void attiva() override { emit premuta(this); }
  // Which syllable of which word the slot holds (from 1), for its spoken name;
  // a legend has none and is named by its caption.
  void impostaPosizione(int sillaba, int parola);
  bool haPosizione() const { return sillaba_ > 0; }
  QString nomeAccessibile() const;

 signals:
  void lasciata(int indice, QLabel *sorgente);
  void premuta(Casella *casella);

 protected:
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dragMoveEvent(QDragMoveEvent *event) override;
  void dropEvent(QDropEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void paintEvent(QPaintEvent *event) override;

 private:
  int sillaba_ = 0, parola_ = 0;
};

// An image control: the picture stretched to fill the rectangle exactly.
class Immagine : public QWidget, public Scalabile {
  Q_OBJECT
 public:
  Immagine(const Controllo &c, QWidget *parent);
  int indice() const { return controllo().indice; }
  void impostaImmagine(const QImage &immagine);
  const QImage &immagine() const { return immagine_; }
  // The size to decode a drawing at, so no scaling is left for painting.
  QSize dimensioneDecodifica() const;

  // A drawing that answers a tap (it says its word): a press of the left
  // button or a finger, Space or Enter with the keyboard's frame on it, or
  // assistive technology's press. The press still goes on to the window
  // behind, as it did before the drawing answered it.
  void impostaToccabile(bool toccabile) { toccabile_ = toccabile; }
  bool toccabile() const { return toccabile_; }
  void attiva() {
    if (toccabile_)
      emit toccata(this);
  }

 signals:
  void toccata(Immagine *immagine);

 protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  QWidget *widget() override { return this; }

 private:
  QRect areaImmagine() const;
  QImage immagine_;
  bool toccabile_ = false;
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
