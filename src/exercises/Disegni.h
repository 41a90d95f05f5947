#pragma once

#include "Esercizio.h"

namespace quirlo {

// Four words of two syllables: eight cards, two rows of slots.
class DISEGNI1 : public Esercizio {
  Q_OBJECT
 public:
  explicit DISEGNI1(QWidget *parent = nullptr);
  static const ConfigurazioneEsercizio &Configurazione();
};

// Three words of three syllables: nine cards, three rows of slots.
class DISEGNI2 : public Esercizio {
  Q_OBJECT
 public:
  explicit DISEGNI2(QWidget *parent = nullptr);
  static const ConfigurazioneEsercizio &Configurazione();

  void Label4_DragDrop(int Index, QLabel *Source) { lasciaSuRiga(2, Index, Source); }
};

}  // namespace quirlo
