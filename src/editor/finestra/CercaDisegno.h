#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QListView;

namespace quirlo {
class Biblioteca;
}

namespace quirlo::editor {

class ModelloDisegni;

// "Cerca un disegno": a search field over the picture library and its results
// as a grid of pictures with their names, best first. The word being typed in
// the dialog is searched too, until the teacher writes a search of her own.
// The library is read on the first search, once for the whole program.
class CercaDisegno : public QWidget {
  Q_OBJECT
 public:
  explicit CercaDisegno(const QString &cartellaProgramma, QWidget *parent = nullptr);

  // The word as the teacher types it in the dialog: searched when the field
  // still shows the previous word or nothing, left alone once she wrote there.
  void suggerisci(const QString &parola);
  void cerca(const QString &testo);

  // Whether this process has read the library's index yet.
  static bool bibliotecaLetta();

 signals:
  // `file`: the chosen picture; `nome`: its Italian name.
  void scelto(const QString &file, const QString &nome);

 protected:
  bool eventFilter(QObject *oggetto, QEvent *evento) override;

 private:
  void scegli(int riga);

  QString cartella_;
  QLineEdit *campo_;
  QListView *griglia_;
  QLabel *stato_;
  ModelloDisegni *modello_;
  QString suggerita_;  // the word last put in the field for her
};

}  // namespace quirlo::editor
