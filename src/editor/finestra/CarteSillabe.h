#pragma once

#include <QStringList>
#include <QWidget>

namespace quirlo::editor {

// A word's syllables as cards, the way the game shows them. A click between
// two letters splits a card there or joins two cards; with the keyboard the
// arrows move between the letters and Space or Enter does the same.
class CarteSillabe : public QWidget {
  Q_OBJECT
 public:
  explicit CarteSillabe(QWidget *parent = nullptr);

  void imposta(const QStringList &sillabe);
  QStringList sillabe() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void cambiate(const QStringList &sillabe);

 protected:
  void paintEvent(QPaintEvent *) override;
  void mousePressEvent(QMouseEvent *e) override;
  void keyPressEvent(QKeyEvent *e) override;
  void focusInEvent(QFocusEvent *e) override;

 private:
  struct Lettera {
    QRectF dove;
    QString testo;
  };
  QList<Lettera> disposizione() const;
  void alterna(int confine);  // between letter confine-1 and confine
  void annuncia();

  QString parola_;
  QList<bool> taglio_;  // taglio_[i]: a syllable starts at letter i (i >= 1)
  int cursore_ = 1;     // the boundary the keyboard is on
};

}  // namespace quirlo::editor
