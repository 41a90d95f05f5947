#include "FinestraParole.h"

#include "Domande.h"
#include "FinestraControllo.h"
#include "FinestraSchede.h"
#include "Miniature.h"
#include "PaginaLista.h"
#include "PrimoFrame.h"
#include "ProvaEsercizio.h"
#include "Scrittura.h"

#include <QDesktopServices>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace quirlo::editor {

FinestraParole::FinestraParole(const Cartelle &cartelle, QWidget *parent) : QMainWindow(parent), cartelle_(cartelle) {
  setObjectName(QStringLiteral("FinestraParole"));
  setWindowTitle(QStringLiteral("Quirlo - Le mie parole"));
  miniature_ = new Miniature(this);
  schede_ = new QTabWidget;
  schede_->setObjectName(QStringLiteral("liste"));
  schede_->setAccessibleName(QStringLiteral("Liste di parole"));
  for (const catalogo::Lista &l : catalogo::Liste) {
    auto *p = new PaginaLista(cartelle_, l, miniature_);
    pagine_ << p;
    schede_->addTab(p, QString::fromUtf8(l.nome));
    // A drawing belongs to a word, not a list: every page shows it anew.
    connect(p, &PaginaLista::cambiata, this, [this, p] {
      for (PaginaLista *altra : std::as_const(pagine_))
        if (altra != p)
          altra->ricarica();
    });
  }

  auto *controlla = new QPushButton(QStringLiteral("C&ontrolla le liste..."));
  controlla->setObjectName(QStringLiteral("controlla"));
  controlla->setToolTip(QStringLiteral("Quello che dice quirlo-verifica, per tutte le liste e i disegni"));
  auto *schede = new QPushButton(QStringLiteral("&Stampa le schede..."));
  schede->setObjectName(QStringLiteral("schede"));
  schede->setToolTip(QStringLiteral("Schede da stampare con i disegni delle parole: scrivi le sillabe, ritaglia e incolla"));
  auto *cartella = new QPushButton(QStringLiteral("Apri la &cartella"));
  cartella->setObjectName(QStringLiteral("apriCartella"));
  cartella->setToolTip(QDir::toNativeSeparators(cartelle_.utente));
  auto *sotto = new QHBoxLayout;
  sotto->addWidget(controlla);
  sotto->addWidget(schede);
  sotto->addWidget(cartella);
  sotto->addStretch();
  auto *dove = new QLabel(QStringLiteral("Le tue liste e i tuoi disegni sono in %1").arg(mostra(cartelle_.utente)));
  dove->setTextInteractionFlags(Qt::TextSelectableByMouse);
  sotto->addWidget(dove);

  auto *centro = new QWidget;
  auto *l = new QVBoxLayout(centro);
  l->addWidget(schede_, 1);
  l->addLayout(sotto);
  setCentralWidget(centro);
  connect(controlla, &QPushButton::clicked, this, &FinestraParole::controlla);
  connect(schede, &QPushButton::clicked, this, &FinestraParole::stampaSchede);
  connect(cartella, &QPushButton::clicked, this, &FinestraParole::apriCartella);
  resize(1000, 680);
  // The page on screen is read now; the others once the window has painted,
  // one per turn of the event loop, or sooner if asked for.
  pagine_.first()->carica();
  dopoPrimoFrame(this, [finestra = QPointer<FinestraParole>(this)] {
    if (finestra)
      for (PaginaLista *p : std::as_const(finestra->pagine_))
        QTimer::singleShot(0, p, [p] { p->carica(); });
  });
}

void FinestraParole::closeEvent(QCloseEvent *e) {
  chiudiProve();
  QMainWindow::closeEvent(e);
}

PaginaLista *FinestraParole::pagina(int i) const { return pagine_.value(i); }

void FinestraParole::controlla() {
  FinestraControllo f(cartelle_, this);
  f.exec();
  // It may have mended lists and drawings.
  for (PaginaLista *p : std::as_const(pagine_))
    p->ricarica();
}

void FinestraParole::stampaSchede() {
  FinestraSchede f(cartelle_, schede_->currentIndex(), this);
  f.exec();
}

void FinestraParole::apriCartella() {
  // Made when missing, so the file manager has something to open.
  if (!QDir().mkpath(cartelle_.utente)) {
    avvisa(this, QStringLiteral("Non riesco a creare la cartella %1.").arg(mostra(cartelle_.utente)));
    return;
  }
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(cartelle_.utente)))
    informa(this, QStringLiteral("Non riesco ad aprire il gestore dei file. La cartella è %1.").arg(mostra(cartelle_.utente)));
}

}  // namespace quirlo::editor
