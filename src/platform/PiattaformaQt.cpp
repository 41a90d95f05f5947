#include "PiattaformaQt.h"

#include "Immagini.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <chrono>

namespace quirlo {

QString cartellaUtenteDelSistema() {
  // Named here, not from the application name, so the game, its checker and
  // the word editor agree.
#ifdef Q_OS_WIN
  // The roaming profile, which follows a pupil to every PC of a school network.
  const QString radice = qEnvironmentVariable("APPDATA");
  const QString nome = QStringLiteral("Quirlo");
#else
  const QString radice = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  const QString nome = QStringLiteral("quirlo");
#endif
  return radice.isEmpty() ? QString() : QDir::cleanPath(QDir(radice).filePath(nome));
}

QString PiattaformaQt::cartellaProgramma() const { return QCoreApplication::applicationDirPath(); }

void PiattaformaQt::seminaDalOrologio() {
  const auto adesso = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  std::seed_seq seme{std::uint64_t(adesso), std::uint64_t(adesso) >> 32};
  generatore_.seed(seme);
}

double PiattaformaQt::casuale() {
  // 53 random bits make a double that is always below 1.
  return double(generatore_() >> 11) * 0x1.0p-53;
}

void PiattaformaQt::suona(const QString &percorso) { lettore_.suona(percorso); }

void PiattaformaQt::suonaPcm(std::shared_ptr<const QByteArray> pcm) { lettore_.suona(std::move(pcm)); }

std::function<QByteArray(const QString &percorso)> PiattaformaQt::letturaSuoni() {
  // Made once: the reader it returns loads what it needs the first time it reads.
  if (!lettura_)
    lettura_ = lettore_.lettura();
  return lettura_;
}

QImage PiattaformaQt::caricaImmagine(const QString &percorso, QSize dimensione, const std::atomic<bool> &annullata) {
  return decodificaImmagine(percorso, dimensione, &annullata);
}

void PiattaformaQt::termina() { QCoreApplication::exit(0); }

}  // namespace quirlo
