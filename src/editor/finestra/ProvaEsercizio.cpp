#include "ProvaEsercizio.h"

#include "Disegni.h"
#include "Traccia.h"

#include <QApplication>
#include <QPointer>
#include <QSet>
#include <QStyle>
#include <QStyleFactory>

namespace quirlo::editor {

namespace {

QList<QPointer<QWidget>> &aperte() {
  static QList<QPointer<QWidget>> finestre;
  return finestre;
}

// The editor draws itself in a style of its own; the trial must look as the
// game does, in the style the system gives it.
void stileDelGioco(QWidget *finestra) {
  QStyle *stile = QStyleFactory::create(qApp->property(StileDiSistema).toString());
  if (!stile)
    return;
  stile->setParent(finestra);
  finestra->setStyle(stile);
  for (QWidget *w : finestra->findChildren<QWidget *>())
    w->setStyle(stile);
}

}  // namespace

QStringList paroleNuove(const Cartelle &cartelle, const ListaAperta &aperta) {
  if (!aperta.dellUtente || !aperta.lista)
    return {};
  QSet<QString> delProgramma;
  for (const Parola &p : apriLista(Cartelle{QString(), cartelle.programma}, *aperta.lista).parole)
    delProgramma.insert(p.testo());
  QStringList nuove;
  for (auto p = aperta.parole.crbegin(); p != aperta.parole.crend(); ++p)
    if (!delProgramma.contains(p->testo()))
      nuove << p->testo();
  return nuove;
}

QWidget *apriProva(const Cartelle &cartelle, const catalogo::Lista &lista, const QStringList &preferite) {
  Esercizio *esercizio = lista.sillabe == 2 ? static_cast<Esercizio *>(new DISEGNI1) : new DISEGNI2;
  esercizio->setAttribute(Qt::WA_DeleteOnClose);
  esercizio->setWindowTitle(QStringLiteral("Prova: %1").arg(QString::fromUtf8(lista.nome)));
  esercizio->impostaProva({cartelle.dati(), lista.livello == catalogo::Livello::Difficile, preferite});
  stileDelGioco(esercizio);
  if (!esercizio->Form_Load()) {
    delete esercizio;
    return nullptr;
  }
  esercizio->show();
  aperte() << esercizio;
  QStringList mostrate;
  for (int k = 0; k < esercizio->regole().parole(); ++k)
    mostrate << esercizio->partita().parola(k);
  traccia(QStringLiteral("prova %1 %2").arg(QString::fromLatin1(lista.file), mostrate.join(QLatin1Char(','))));
  return esercizio;
}

void chiudiProve() {
  for (const QPointer<QWidget> &f : std::as_const(aperte()))
    if (f)
      f->close();
  aperte().clear();
}

}  // namespace quirlo::editor
