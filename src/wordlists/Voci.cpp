#include "Voci.h"

#include "Catalogo.h"
#include "FileRegolare.h"
#include "DecodificaSuoni.h"
#include "Piattaforma.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace quirlo {

QString nomeFonte(FonteVoce fonte) {
  switch (fonte) {
    case FonteVoce::Utente:
      return QStringLiteral("utente");
    case FonteVoce::Programma:
      return QStringLiteral("programma");
    case FonteVoce::Sintesi:
      return QStringLiteral("sintesi");
    case FonteVoce::Nessuna:
      break;
  }
  return QStringLiteral("nessuna");
}

namespace {

// The word's file in one data folder: the exact name, else the one that differs
// only in letter case or in how its accents are composed (copied from a Mac).
QString fileDellaVoce(const QString &cartella, const QString &parola) {
  const QString esatto = QDir(cartella).filePath(catalogo::voce(parola));
  if (fileRegolare(esatto))
    return esatto;
  const QDir voci(QDir(cartella).filePath(QLatin1String(catalogo::CartellaVoci)));
  const QString cercato = QFileInfo(esatto).fileName().normalized(QString::NormalizationForm_C).toCaseFolded();
  for (const QString &f : voci.entryList(QDir::Files | QDir::Hidden))
    if (f.normalized(QString::NormalizationForm_C).toCaseFolded() == cercato)
      return voci.filePath(f);
  return {};
}

Pcm decodificata(const QString &percorso, const LettoreSuoni::Lettura &leggi) {
  if (percorso.isEmpty() || !leggi || QFileInfo(percorso).size() > MassimoByteVoce)
    return {};
  auto dati = std::make_shared<const QByteArray>(leggi(percorso));
  const Pcm pcm{dati, formatoSuono::Frequenza, formatoSuono::Canali};
  if (pcm.vuoto() || pcm.secondi() > MassimoSecondiVoce)
    return {};
  return pcm;
}

}  // namespace

Voce voceRegistrata(const QString &parola, const QString &cartellaUtente, const QString &cartellaProgramma,
                    const LettoreSuoni::Lettura &leggi) {
  // A word names a file inside "voci", never a path out of it.
  if (parola.isEmpty() || parola.contains(QLatin1Char('/')) || parola.contains(QLatin1Char('\\')) ||
      parola.contains(QChar(0)) || parola == QLatin1String(".") || parola == QLatin1String(".."))
    return {};
  const std::pair<FonteVoce, QString> cartelle[] = {{FonteVoce::Utente, cartellaUtente},
                                                    {FonteVoce::Programma, cartellaProgramma}};
  for (const auto &[fonte, cartella] : cartelle) {
    if (cartella.isEmpty())
      continue;
    const QString percorso = fileDellaVoce(cartella, parola);
    const Pcm pcm = decodificata(percorso, leggi);
    if (!pcm.vuoto())
      return {fonte, percorso, pcm};
  }
  return {};
}

Voci::Voci(Sintesi *sintesi, QObject *parent) : QObject(parent), sintesi_(sintesi) {
  qRegisterMetaType<Voce>();
  if (sintesi_)
    connect(sintesi_, &Sintesi::pronta, this, &Voci::sintetizzata);
}

Voci::Voci(Sintesi *sintesi, LettoreSuoni::Lettura leggi, const QString &cartellaUtente,
           const QString &cartellaProgramma, QObject *parent)
    : Voci(sintesi, parent) {
  leggi_ = std::move(leggi);
  cartelleFisse_ = true;
  cartellaUtente_ = cartellaUtente;
  cartellaProgramma_ = cartellaProgramma;
}

Voci::~Voci() {
  if (filo_) {
    filo_->quit();
    filo_->wait();
  }
}

void Voci::chiedi(const QString &parola) {
  const QString utente = cartelleFisse_ ? cartellaUtente_ : piattaforma().cartellaUtente();
  const QString programma = cartelleFisse_ ? cartellaProgramma_ : piattaforma().cartellaProgramma();
  LettoreSuoni::Lettura leggi = cartelleFisse_ ? leggi_ : piattaforma().letturaSuoni();
  if (!filo_) {
    filo_ = new QThread(this);
    filo_->setObjectName(QStringLiteral("Voci"));
    operaio_ = new QObject;
    operaio_->moveToThread(filo_);
    // Deleted on its own thread as it ends; directly, since a posted deletion
    // is no longer run while the application itself is being destroyed.
    connect(
        filo_, &QThread::finished, filo_, [operaio = operaio_] { delete operaio; }, Qt::DirectConnection);
    filo_->start();
  }
  QMetaObject::invokeMethod(
      operaio_,
      [this, parola, utente, programma, leggi = std::move(leggi)] {
        const Voce voce = voceRegistrata(parola, utente, programma, leggi);
        // Posted to this object: deleting it (after the thread has ended) drops the post.
        QMetaObject::invokeMethod(
            this, [this, parola, voce] { registrata(parola, voce); }, Qt::QueuedConnection);
      },
      Qt::QueuedConnection);
}

void Voci::registrata(const QString &parola, const Voce &voce) {
  if (voce.fonte != FonteVoce::Nessuna || !sintesi_) {
    emit pronta(parola, voce);
    return;
  }
  allaSintesi_ << parola;
  sintesi_->chiedi(parola);
}

void Voci::sintetizzata(const QString &parola, const Pcm &pcm) {
  // The engine may be shared: only the words asked through here are answered here.
  if (!allaSintesi_.removeOne(parola))
    return;
  Voce voce;
  if (!pcm.vuoto())
    voce = {FonteVoce::Sintesi, {}, pcm};
  emit pronta(parola, voce);
}

}  // namespace quirlo
