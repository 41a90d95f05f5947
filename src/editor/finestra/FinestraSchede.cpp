#include "FinestraSchede.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "Domande.h"
#include "Immagini.h"
#include "Operazioni.h"
#include "Schede.h"
#include "Scrittura.h"
#include "Sillabazione.h"
#include "TestoVisibile.h"
#include "Traccia.h"

namespace quirlo::editor {

namespace {

QHBoxLayout *coppia(QRadioButton *a, QRadioButton *b, QWidget *padre) {
  auto *gruppo = new QButtonGroup(padre);
  gruppo->addButton(a);
  gruppo->addButton(b);
  a->setChecked(true);
  auto *l = new QHBoxLayout;
  l->addWidget(a);
  l->addWidget(b);
  l->addStretch();
  return l;
}

}  // namespace

FinestraSchede::FinestraSchede(const Cartelle &cartelle, int lista, QWidget *parent)
    : QDialog(parent), cartelle_(cartelle) {
  setObjectName(QStringLiteral("FinestraSchede"));
  setWindowTitle(QStringLiteral("Stampa le schede"));
  liste_ = new QComboBox;
  liste_->setObjectName(QStringLiteral("lista"));
  for (const catalogo::Lista &l : catalogo::Liste)
    liste_->addItem(QString::fromUtf8(l.nome));
  liste_->setCurrentIndex(std::clamp(lista, 0, int(std::size(catalogo::Liste)) - 1));
  parole_ = new QListWidget;
  parole_->setObjectName(QStringLiteral("parole"));
  parole_->setAccessibleName(QStringLiteral("Parole da mettere nella scheda"));
  // A hundred words in columns, all in sight without scrolling.
  parole_->setFlow(QListView::TopToBottom);
  parole_->setWrapping(true);
  parole_->setResizeMode(QListView::Adjust);
  parole_->setSpacing(2);
  auto *tutte = new QPushButton(QStringLiteral("&Tutte"));
  auto *nessuna = new QPushButton(QStringLiteral("&Nessuna"));
  auto *segni = new QHBoxLayout;
  segni->addWidget(tutte);
  segni->addWidget(nessuna);
  segni->addStretch();

  auto *sillabe = new QRadioButton(QStringLiteral("Scrivi le &sillabe"));
  ritaglio_ = new QRadioButton(QStringLiteral("&Ritaglia e incolla"));
  ritaglio_->setObjectName(QStringLiteral("ritaglio"));
  auto *maiuscolo = new QRadioButton(QStringLiteral("STAMPATO &MAIUSCOLO"));
  minuscolo_ = new QRadioButton(QStringLiteral("stampato m&inuscolo"));
  minuscolo_->setObjectName(QStringLiteral("minuscolo"));

  auto *modulo = new QFormLayout;
  modulo->addRow(QStringLiteral("&Lista:"), liste_);
  modulo->addRow(QStringLiteral("Parole:"), parole_);
  modulo->addRow(QString(), segni);
  modulo->addRow(QStringLiteral("Scheda:"), coppia(sillabe, ritaglio_, this));
  modulo->addRow(QStringLiteral("Caratteri:"), coppia(maiuscolo, minuscolo_, this));

  esito_ = new QLabel;
  esito_->setObjectName(QStringLiteral("esito"));
  esito_->setWordWrap(true);
  esito_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto *pulsanti = new QDialogButtonBox;
  auto *salva = pulsanti->addButton(QStringLiteral("Salva la scheda..."), QDialogButtonBox::ActionRole);
  salva->setObjectName(QStringLiteral("salva"));
  salva->setDefault(true);
  apri_ = pulsanti->addButton(QStringLiteral("&Apri la scheda"), QDialogButtonBox::ActionRole);
  apri_->setObjectName(QStringLiteral("apri"));
  apri_->setEnabled(false);
  pulsanti->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);

  auto *l = new QVBoxLayout(this);
  l->addLayout(modulo, 1);
  l->addWidget(esito_);
  l->addWidget(pulsanti);

  connect(liste_, &QComboBox::currentIndexChanged, this, &FinestraSchede::mostraParole);
  connect(tutte, &QPushButton::clicked, this, [this] { segnaTutte(true); });
  connect(nessuna, &QPushButton::clicked, this, [this] { segnaTutte(false); });
  connect(salva, &QPushButton::clicked, this, &FinestraSchede::salva);
  connect(apri_, &QPushButton::clicked, this, &FinestraSchede::apri);
  connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::reject);
  mostraParole();
  resize(640, 560);
}

void FinestraSchede::mostraParole() {
  aperta_ = apriLista(cartelle_, catalogo::Liste[liste_->currentIndex()]);
  parole_->clear();
  for (const Parola &p : std::as_const(aperta_.parole)) {
    // A word without a drawing can't go on paper: shown, but left out.
    const QString percorso = disegnoDi(cartelle_, p.testo());
    const bool manca = percorso.isEmpty(), rotto = !manca && !immagineLeggibile(percorso);
    const bool disegno = !manca && !rotto;
    auto *voce = new QListWidgetItem(senzaControlli(sillabe::scrivi(p.sillabe)) +
                                     (manca   ? QStringLiteral(" (senza disegno)")
                                      : rotto ? QStringLiteral(" (disegno illeggibile)")
                                              : QString()));
    voce->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    voce->setCheckState(disegno ? Qt::Checked : Qt::Unchecked);
    parole_->addItem(voce);
  }
}

void FinestraSchede::segnaTutte(bool si) {
  for (int i = 0; i < parole_->count(); ++i)
    parole_->item(i)->setCheckState(si ? Qt::Checked : Qt::Unchecked);
}

bool FinestraSchede::scrivi(const QString &percorso) {
  RichiestaSchede r;
  r.lista = aperta_.lista;
  for (int i = 0; i < parole_->count() && i < aperta_.parole.size(); ++i)
    if (parole_->item(i)->checkState() == Qt::Checked)
      r.parole << aperta_.parole[i];
  r.tipo = ritaglio_->isChecked() ? schede::Tipo::Ritaglio : schede::Tipo::Sillabe;
  r.maiuscolo = !minuscolo_->isChecked();
  r.seme = QRandomGenerator::global()->generate();
  const Esito e = scriviSchede(cartelle_, r, percorso);
  traccia(QStringLiteral("schede %1").arg(testoInRiga(e.messaggio)));
  if (!e.riuscito()) {
    avvisa(this, e.messaggio);
    return false;
  }
  scritta_ = percorso;
  esito_->setText(e.messaggio);
  apri_->setEnabled(true);
  apri_->setFocus();
  return true;
}

void FinestraSchede::salva() {
  const QString cartella = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  const QString nome = QStringLiteral("Scheda %1 - %2.pdf")
                           .arg(QString::fromLatin1(aperta_.lista->file).chopped(4),
                                nomeScheda(ritaglio_->isChecked() ? schede::Tipo::Ritaglio : schede::Tipo::Sillabe));
  QString percorso = QFileDialog::getSaveFileName(this, QStringLiteral("Salva la scheda"),
                                                  QDir(cartella).filePath(nome), QStringLiteral("PDF (*.pdf)"));
  if (percorso.isEmpty())
    return;
  if (!percorso.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
    percorso += QStringLiteral(".pdf");
  scrivi(percorso);
}

void FinestraSchede::apri() {
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(scritta_)))
    informa(this,
            QStringLiteral("Non riesco ad aprire il programma dei PDF. La scheda è in %1.").arg(mostra(scritta_)));
}

}  // namespace quirlo::editor
