#pragma once

#include "Configurazione.h"
#include "Contatori.h"
#include "Costruttore.h"
#include "Finestre.h"

#include <QMainWindow>
#include <array>
#include <cstdint>

class QAction;
class QLabel;

namespace quirlo {

class Adattatore;
class Carta;
class Casella;
class Immagine;
struct ListaAccettata;

// An exercise window: drawings, slots under them, loose syllable cards, the
// faces and counters, and the menu. The two-syllable and three-syllable
// windows are this, fed with their own tables.
class Esercizio : public QMainWindow, public Caricabile {
  Q_OBJECT
 public:
  static constexpr int MassimoRecord = 100;
  static constexpr int MassimoParoleEsercizio = 4;

  explicit Esercizio(const ConfigurazioneEsercizio &config, QWidget *parent = nullptr);

  bool Form_Load() override;
  void GeneraEsercizio();
  void ScriviMaiuscolo();
  void ScriviMinuscolo();
  // Reads a list into the window; false (after telling the user) when it can't be used.
  bool CaricaLista(const QString &nomeLista);

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

  // Playing by keyboard: the enabled cards, then the slots, in reading order.
  QList<QWidget *> ordineTastiera() const;
  // Moves the keyboard's frame by `passo` places along that order, round the end.
  void spostaFuoco(int passo);
  // Opens the menu bar for the keyboard, as Alt does.
  void apriMenu();
  Adattatore *adattatore() const { return adattatore_; }

  // State, read by tests and by the trace.
  const QString &Sillaba(int campo, int i) const { return sillabe_[size_t(campo)][size_t(i)]; }
  std::int16_t Scelta(int k) const { return scelte_[size_t(k)]; }
  std::int16_t SillabeGiuste() const { return sillabeGiuste_; }
  bool Maiuscolo() const { return maiuscolo_; }
  const Controlli &controlli() const { return controlli_; }
  QAction *menu(const char *nome) const;
  QLabel *carta(int i) const;  // i-th card in placing order
  QLabel *casella(int riga, int indice) const;
  Immagine *cornice(int k) const;
  const ConfigurazioneEsercizio &configurazione() const { return config_; }

 protected:
  void lasciaSuRiga(int riga, int Index, QLabel *Source);
  bool eventFilter(QObject *oggetto, QEvent *evento) override;
  bool focusNextPrevChild(bool avanti) override;
  void keyPressEvent(QKeyEvent *evento) override;

 private:
  QString atteso(int riga, int Index) const;
  void dropGiusto(Casella *slot, QLabel *carta);
  void dropSbagliato();
  void scriviCarte(bool maiuscole);
  void mostraFacce(bool esatto);
  void mostraContatori();
  void scegliLista(bool difficile);
  void scegliCaratteri(bool maiuscole);
  std::int16_t estraiParola();
  void tracciaStato() const;
  void caricaDisegni();
  void collegaTastiera();
  void nominaPerAccessibilita();

  const ConfigurazioneEsercizio &config_;
  Controlli controlli_;
  QHash<QString, QAction *> menu_;

  std::array<std::array<QString, MassimoRecord + 1>, 3> sillabe_;
  std::array<QString, MassimoRecord + 1> disegni_;
  std::array<std::int16_t, MassimoParoleEsercizio> scelte_{};
  std::int16_t sillabeGiuste_ = 0;

  void collegaSelezione();
  void seleziona(QLabel *carta);
  QLabel *selezionata_ = nullptr;
  Adattatore *adattatore_ = nullptr;
  bool maiuscolo_ = true;
  bool listaDifficile_ = false;
};

}  // namespace quirlo
