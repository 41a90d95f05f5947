#include "PiattaformaQt.h"

#include "Immagini.h"
#include "Traccia.h"

#include <QApplication>
#include <QCoreApplication>
#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>
#include <chrono>

namespace quirlo {

QString cartellaUtenteDelSistema() {
  // Named here, not from the application name, so the game and its checker
  // agree.
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

PiattaformaQt::PiattaformaQt() = default;

QString PiattaformaQt::cartellaProgramma() const { return QCoreApplication::applicationDirPath(); }

int PiattaformaQt::messaggio(const QString &testo, int flags) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(TitoloProgramma);
  box.setText(testo);
  box.setWindowModality(Qt::ApplicationModal);
  traccia(QStringLiteral("messaggio flags=%1 testo=%2").arg(flags).arg(testoInRiga(testo)));
  const int icona = flags & 0x70;
  box.setIcon(icona == Msg::IconaDomanda         ? QMessageBox::Question
              : icona == Msg::IconaAvviso        ? QMessageBox::Warning
              : icona == Msg::IconaInformazione  ? QMessageBox::Information
                                                 : QMessageBox::NoIcon);
  if ((flags & 0x7) == Msg::SiNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Sì"));
    box.button(QMessageBox::No)->setText(QStringLiteral("No"));
    // Closing the box with Esc or its frame answers No.
    box.setEscapeButton(QMessageBox::No);
    const bool si = box.exec() == QMessageBox::Yes;
    traccia(si ? QStringLiteral("risposta si") : QStringLiteral("risposta no"));
    return si ? Msg::RispostaSi : Msg::RispostaNo;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  traccia(QStringLiteral("risposta ok"));
  return Msg::RispostaOk;
}

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

QImage PiattaformaQt::caricaImmagine(const QString &percorso, QSize dimensione) {
  return decodificaImmagine(percorso, dimensione);
}

void PiattaformaQt::termina() { QCoreApplication::exit(0); }

}  // namespace quirlo
