#pragma once

#include "Archivio.h"
#include "Foto.h"
#include "Operazioni.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quirlo::editor {

class CarteSillabe;
class CercaDisegno;
class SezioneVoce;
class VistaRitaglio;

// A word of a list, new or changed: its spelling, its syllables as cards,
// its picture from a file, a drop or the clipboard, cropped to the frame,
// and its voice.
class FinestraParola : public QDialog {
  Q_OBJECT
 public:
  // Saves what the teacher settled on; `forza` after she agreed to save over
  // a list changed on disk.
  using Salvataggio = std::function<Esito(const QStringList &sillabe, Immagine immagine, bool forza)>;

  FinestraParola(const Cartelle &cartelle, const catalogo::Lista &lista, const QStringList &sillabe,
                 Salvataggio salva, QWidget *parent = nullptr);

  // The same as choosing, dropping or pasting: used by all three.
  void usaFoto(const Foto &foto);

 protected:
  void dragEnterEvent(QDragEnterEvent *e) override;
  void dropEvent(QDropEvent *e) override;

 private:
  void parolaScritta();
  void divisioneCambiata(const QStringList &sillabe);
  void scegliFoto();
  void apriEUsa(const QString &file);
  void incolla();
  void salva();
  void mostraDisegnoAttuale();

  const Cartelle cartelle_;
  const catalogo::Lista &lista_;
  Salvataggio salvataggio_;
  QLineEdit *parola_;
  CarteSillabe *carte_;
  QLabel *nota_;
  QPushButton *alternativa_;
  VistaRitaglio *ritaglio_;
  QLabel *statoFoto_;
  CercaDisegno *cercaDisegno_;
  SezioneVoce *voce_;
  QPushButton *salva_;
  QStringList proposta_;  // the other division the rules offer
  Foto foto_;
};

}  // namespace quirlo::editor
