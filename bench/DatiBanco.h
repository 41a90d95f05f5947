#pragma once

#include <QString>
#include <QTemporaryDir>

namespace quirlo::banco {

// A program folder for the benchmarks, laid out as the game's: lista2..5.txt
// with 100 words each (two syllables in 2 and 4, three in 3 and 5), a drawing
// for every word and the five sounds. The drawings are the shipped ones of the
// right size, reused in turn, when the game folder has them; otherwise JPEGs
// of the same sizes are drawn here.
class CartellaBanco {
 public:
  static constexpr int Parole = 100;

  explicit CartellaBanco(const QString &cartellaGioco);
  QString percorso() const { return dir_.path(); }
  bool valida() const { return valida_; }
  // "shipped" or "drawn here": which drawings the folder holds.
  QString origineDisegni() const { return origine_; }

 private:
  QTemporaryDir dir_;
  bool valida_ = false;
  QString origine_;
};

// The shipped drawings of the given size in the game folder's jpg/, sorted.
QStringList disegniSpediti(const QString &cartellaGioco, QSize dimensione);

}  // namespace quirlo::banco
