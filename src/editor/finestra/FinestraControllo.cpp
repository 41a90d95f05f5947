#include "FinestraControllo.h"

#include "Controlli.h"
#include "Domande.h"
#include "Riparazioni.h"
#include "Traccia.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quirlo::editor {

FinestraControllo::FinestraControllo(const Cartelle &cartelle, QWidget *parent)
    : QDialog(parent), cartelle_(cartelle) {
  setObjectName(QStringLiteral("FinestraControllo"));
  setWindowTitle(QStringLiteral("Controllo delle liste - Quirlo"));
  testo_ = new QTextBrowser;
  testo_->setObjectName(QStringLiteral("segnalazioni"));
  testo_->setAccessibleName(QStringLiteral("Che cosa va sistemato"));
  auto *bottoni = new QDialogButtonBox;
  ripara_ = bottoni->addButton(QStringLiteral("&Ripara quello che si può"), QDialogButtonBox::ActionRole);
  ripara_->setObjectName(QStringLiteral("ripara"));
  ripara_->setToolTip(QStringLiteral("Disegni con il nome quasi giusto, sillabe divise con il trattino"));
  connect(ripara_, &QPushButton::clicked, this, &FinestraControllo::ripara);
  auto *ancora = bottoni->addButton(QStringLiteral("Controlla di &nuovo"), QDialogButtonBox::ActionRole);
  ancora->setObjectName(QStringLiteral("ancora"));
  bottoni->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("chiudi"));
  auto *l = new QVBoxLayout(this);
  l->addWidget(testo_);
  l->addWidget(bottoni);
  connect(ancora, &QPushButton::clicked, this, &FinestraControllo::aggiorna);
  connect(bottoni, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(900, 520);
  aggiorna();
}

void FinestraControllo::aggiorna() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const Controllo c = controllaTutto(cartelle_);
  QApplication::restoreOverrideCursor();
  QString html = QStringLiteral("<p><b>%1</b></p>").arg(c.riepilogo.toHtmlEscaped());
  for (const QString &p : c.provenienze)
    html += QStringLiteral("<p style=\"color:#505050\">%1</p>").arg(p.toHtmlEscaped());
  for (const QString &r : c.righe) {
    const bool errore = r.startsWith(QLatin1String("[ERRORE]"));
    html += QStringLiteral("<p style=\"color:%1\">%2</p>")
                .arg(errore ? QStringLiteral("#a00000") : QStringLiteral("#000000"), r.toHtmlEscaped());
  }
  testo_->setHtml(html);
  ripara_->setEnabled(qualcosaDaRiparare(cartelle_));
  traccia(QStringLiteral("controllo errori=%1 avvisi=%2").arg(c.errori).arg(c.avvisi));
}

}  // namespace quirlo::editor

namespace quirlo::editor {

void FinestraControllo::ripara() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  Riparazione tutto = riparaDisegni(cartelle_);
  for (const catalogo::Lista &l : catalogo::Liste) {
    const Riparazione r = riparaTrattini(cartelle_, l);
    tutto.fatte << r.fatte;
    tutto.errori << r.errori;
  }
  QApplication::restoreOverrideCursor();
  QString testo = tutto.fatte.join(QLatin1Char('\n'));
  if (!tutto.errori.isEmpty())
    testo += QStringLiteral("\n\nNon sono riuscito a sistemare:\n") + tutto.errori.join(QLatin1Char('\n'));
  if (testo.trimmed().isEmpty())
    testo = QStringLiteral("Non c'era niente che potessi sistemare da solo.");
  (tutto.errori.isEmpty() ? informa : avvisa)(this, testo.trimmed());
  aggiorna();
}

}  // namespace quirlo::editor
