#pragma once

#include "Configurazione.h"
#include "Contatori.h"
#include "Costruttore.h"
#include "Finestre.h"
#include "Partita.h"

#include <QMainWindow>
#include <optional>
#include <cstdint>

class QAction;
class QLabel;

namespace quirlo {

class Adattatore;
class CaricatoreImmagini;
class Casella;
class Immagine;

// An exercise window: drawings, slots under them, loose syllable cards, the
// faces and counters, and the menu. It shows its Partita and forwards every
// drop, tap, key and command to it. The two-syllable and three-syllable
// windows are this, fed with their own tables.
class Esercizio : public QMainWindow, public Caricabile {
  Q_OBJECT
 public:
  explicit Esercizio(const ConfigurazioneEsercizio &config, QWidget *parent = nullptr);

  bool Form_Load() override;
  void GeneraEsercizio();
  void ScriviMaiuscolo();
  void ScriviMinuscolo();
  // Reads a list into the window; false (after telling the user) when it can't be used.
  bool CaricaLista(const QString &nomeLista);

  // The word editor's trial, set before Form_Load: lists read from
  // `cartelle`, starting with the difficult one when asked, the words of
  // `preferite` among those drawn, and leaving closes the window.
  struct Prova {
    QStringList cartelle;
    bool difficile = false;
    QStringList preferite;
  };
  void impostaProva(Prova prova);

  void Label2_DragDrop(int Index, QLabel *Source) { lasciaSuRiga(0, Index, Source); }
  void Label3_DragDrop(int Index, QLabel *Source) { lasciaSuRiga(1, Index, Source); }

  void mnuAzzera_Click();
  void mnufacile_Click();
  void mnudifficile_Click();
  void mnuMaiuscolo_Click();
  void mnuMinuscolo_Click();
  void mnuEsci_Click();

  // Playing without dragging: a tap on a card chooses it, and a press on a
  // slot or legend then drops it there exactly as a drag would.
  void cartaToccata(QLabel *carta);
  void casellaPremuta(int riga, int Index);
  void deseleziona();
  QLabel *cartaSelezionata() const { return selezionata_; }

  // A drawing's word, said aloud; nothing else of the exercise changes.
  void disegnoToccato(int k);

  // Playing by keyboard: the enabled cards, then the slots, then the
  // drawings, in reading order.
  QList<QWidget *> ordineTastiera() const;
  // Moves the keyboard's frame by `passo` places along that order, round the end.
  void spostaFuoco(int passo);
  // The same controls as the arrows see them: rows top to bottom, each left to right.
  QList<QList<QWidget *>> righeTastiera() const;
  // An arrow: `colonne` places along the frame's row, or to the nearest
  // control `righe` rows up or down.
  void muoviFreccia(int colonne, int righe);
  // Opens the menu bar for the keyboard, as Alt does.
  void apriMenu();
  Adattatore *adattatore() const { return adattatore_; }
  // Drawings are decoded away from the window and fill their frames a moment
  // after the exercise appears: this hands over those ready and waits up to
  // `ms` for the rest (a window waits a little for them, tests until all are in).
  void attendiDisegni(int ms);
  qsizetype disegniInArrivo() const;

  // State, read by tests and by the trace.
  const Partita &partita() const { return partita_; }
  const QString &Sillaba(int campo, int i) const { return partita_.sillaba(campo, i); }
  std::int16_t Scelta(int k) const { return partita_.scelta(k); }
  std::int16_t SillabeGiuste() const { return partita_.sillabeGiuste(); }
  bool Maiuscolo() const { return maiuscolo_; }
  const Controlli &controlli() const { return controlli_; }
  QAction *menu(const char *nome) const;
  QLabel *carta(int i) const;  // i-th card in placing order
  QLabel *casella(int riga, int indice) const;
  Immagine *cornice(int k) const;
  const ConfigurazioneEsercizio &configurazione() const { return config_; }
  const RegoleEsercizio &regole() const { return config_.regole; }

 protected:
  void lasciaSuRiga(int riga, int Index, QLabel *Source);
  bool eventFilter(QObject *oggetto, QEvent *evento) override;
  void showEvent(QShowEvent *evento) override;
  bool focusNextPrevChild(bool avanti) override;
  void keyPressEvent(QKeyEvent *evento) override;

 private:
  int indiceCarta(const QLabel *carta) const;
  void scriviCarte(bool maiuscole);
  void mostraFacce(bool esatto);
  void mostraContatori();
  void scegliLista(bool difficile);
  void scegliCaratteri(bool maiuscole);
  void tracciaStato() const;
  // `nuovi`: a new exercise, whose frames are emptied at once; otherwise the
  // same drawings at a new size, shown stretched until the sharp ones are in.
  void caricaDisegni(bool nuovi);
  void collegaCaselle();
  void collegaTastiera();
  void nominaPerAccessibilita();
  void seleziona(QLabel *carta);

  const ConfigurazioneEsercizio &config_;
  Controlli controlli_;
  QHash<QString, QAction *> menu_;
  Partita partita_;
  QLabel *selezionata_ = nullptr;
  Adattatore *adattatore_ = nullptr;
  CaricatoreImmagini *disegni_ = nullptr;
  bool maiuscolo_ = true;
  bool listaDifficile_ = false;
  std::optional<Prova> prova_;
  // How long a new exercise waits for its drawings before it is shown without them.
  static constexpr int AttesaDisegniMs = 40;
  bool attesaAlPrimoFrame_ = false;  // the drawings of the exercise built before the window was shown
};

}  // namespace quirlo
