#include "Costruttore.h"

#include "Accessibilita.h"
#include "Widgets.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace quirlo {

void Controlli::aggiungi(const QString &nome, int indice, QWidget *w) {
  perNome_.insert(chiave(nome, indice), w);
  ordine_.append(w);
}

QWidget *Controlli::trova(const QString &nome, int indice) const { return perNome_.value(chiave(nome, indice)); }

QList<QWidget *> Controlli::elementi(const QString &nome) const {
  QList<QWidget *> trovati;
  for (int i = 0; i <= 16; ++i)
    if (QWidget *w = trova(nome, i))
      trovati.append(w);
  return trovati;
}

QString Controlli::chiave(const QString &nome, int indice) {
  return indice < 0 ? nome : QStringLiteral("%1(%2)").arg(nome).arg(indice);
}

void impostaSfondo(QWidget *w, const QColor &colore) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, colore);
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

Controlli costruisciControlli(const Schermata &s, QWidget *cliente) {
  installaAccessibilita();
  Controlli controlli;
  cliente->setFixedSize(pixel(s.larghezza), pixel(s.altezza));
  impostaSfondo(cliente, coloreQt(s.sfondo));
  QList<std::pair<int, QWidget *>> conFocus;
  for (const Controllo &c : s.controlli) {
    QWidget *w = nullptr;
    switch (c.tipo) {
      case Tipo::Immagine: w = new Immagine(c, cliente); break;
      case Tipo::Pulsante: w = new PulsanteImmagine(c, cliente); break;
      case Tipo::Etichetta:
        w = c.ruolo == Ruolo::Carta     ? new Carta(c, cliente)
            : c.ruolo == Ruolo::Casella ? static_cast<Etichetta *>(new Casella(c, cliente))
                                        : new Etichetta(c, cliente);
        break;
    }
    w->setObjectName(c.indice < 0 ? QString::fromUtf8(c.nome)
                                  : QStringLiteral("%1(%2)").arg(QString::fromUtf8(c.nome)).arg(c.indice));
    if (auto *scalabile = dynamic_cast<Scalabile *>(w))
      scalabile->scala(1.0, {});
    w->raise();
    controlli.aggiungi(QString::fromUtf8(c.nome), c.indice, w);
    if (c.ordineTab >= 0)
      conFocus.append({c.ordineTab, w});
  }
  std::sort(conFocus.begin(), conFocus.end(), [](auto &a, auto &b) { return a.first < b.first; });
  for (qsizetype i = 1; i < conFocus.size(); ++i)
    QWidget::setTabOrder(conFocus[i - 1].second, conFocus[i].second);
  return controlli;
}

void applicaScala(const Controlli &controlli, double fattore, QPoint origine) {
  for (QWidget *w : controlli.inOrdineDiCreazione())
    if (auto *scalabile = dynamic_cast<Scalabile *>(w))
      scalabile->scala(fattore, origine);
}

QSize dimensioneCliente(const Schermata &s, double fattore) {
  return {pixelScalato(s.larghezza, fattore), pixelScalato(s.altezza, fattore)};
}

QRect ingombro(const Schermata &s) {
  QRect r;
  for (const Controllo &c : s.controlli)
    r |= QRect(c.left, c.top, c.width, c.height);
  return r;
}

void preparaFinestra(QWidget *finestra, const Schermata &s) {
  finestra->setObjectName(QString::fromUtf8(s.nome));
  finestra->setWindowTitle(QString::fromUtf8(s.titolo));
  finestra->setFont(fontQt(s.carattere));
  if (s.icona)
    finestra->setWindowIcon(QIcon(QPixmap::fromImage(immagineIncorporata(s.icona))));
}

QHash<QString, QAction *> costruisciMenu(const Schermata &s, QMainWindow *finestra) {
  QHash<QString, QAction *> azioni;
  QHash<QString, QMenu *> tendine;
  QMenuBar *barra = finestra->menuBar();
  // The window's own font is inherited by no control, the menu bar included:
  // it takes the desktop's menu font, as its drop-downs do. Every property is
  // marked as set, or the bar would still take the window's bold weight.
  QFont carattereMenu = QApplication::font("QMenu");
  carattereMenu.setResolveMask(QFont::AllPropertiesResolved);
  barra->setFont(carattereMenu);
  for (const Menu &m : s.menu) {
    const QString nome = QString::fromUtf8(m.nome);
    const QString testo = QString::fromUtf8(m.testo);
    QAction *azione = nullptr;
    if (m.apreTendina) {
      QMenu *tendina = barra->addMenu(testo);
      tendina->setObjectName(nome);
      tendine.insert(nome, tendina);
      azione = tendina->menuAction();
    } else if (m.padre) {
      azione = tendine.value(QString::fromUtf8(m.padre))->addAction(testo);
      azione->setCheckable(true);
      azione->setChecked(m.spuntato);
    } else {
      azione = barra->addAction(testo);
    }
    azione->setObjectName(nome);
    azioni.insert(nome, azione);
  }
  return azioni;
}

}  // namespace quirlo
