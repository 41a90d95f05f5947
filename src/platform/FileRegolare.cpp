#include "FileRegolare.h"

#include <QFileInfo>

#ifdef Q_OS_WIN
#include <QDir>
#include <QRegularExpression>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quirlo {

#ifdef Q_OS_WIN

namespace {

// "con.jpg" or "COM1.wav" name devices, not files, in every folder: opening one
// may wait on a port for ever.
bool nomeDiDispositivo(const QString &percorso) {
  static const QRegularExpression dispositivo(QStringLiteral("^(CON|PRN|AUX|NUL|COM[0-9]|LPT[0-9])(\\..*)?$"),
                                              QRegularExpression::CaseInsensitiveOption);
  return dispositivo.match(QFileInfo(percorso).fileName().trimmed()).hasMatch();
}

// Windows has no FIFOs among ordinary paths: pipes and devices are reached
// through the \\.\ namespace (network shares, \\server\..., are fine).
bool spazioDispositivi(const QString &percorso) {
  const QString p = QString(percorso).replace(QLatin1Char('\\'), QLatin1Char('/'));
  return p.startsWith(QLatin1String("//./")) || p.startsWith(QLatin1String("//?/pipe"), Qt::CaseInsensitive);
}

}  // namespace

bool fileRegolare(const QString &percorso) {
  return !percorso.isEmpty() && !spazioDispositivi(percorso) && !nomeDiDispositivo(percorso) &&
         QFileInfo(percorso).isFile();
}

bool apriFileRegolare(QFile &file, const QString &percorso) {
  if (!fileRegolare(percorso))
    return false;
  file.setFileName(percorso);
  return file.open(QIODevice::ReadOnly);
}

bool cartellaAccessibile(const QString &cartella) {
  WIN32_FIND_DATAW dati;
  const QString tutti = QDir::toNativeSeparators(QDir(cartella).filePath(QStringLiteral("*")));
  const HANDLE h = FindFirstFileW(reinterpret_cast<const wchar_t *>(tutti.utf16()), &dati);
  if (h == INVALID_HANDLE_VALUE)
    return GetLastError() != ERROR_ACCESS_DENIED;
  FindClose(h);
  return true;
}

QString nomeSulDisco(const QString &percorso) {
  WIN32_FIND_DATAW dati;
  const QString nativo = QDir::toNativeSeparators(percorso);
  const HANDLE h = FindFirstFileW(reinterpret_cast<const wchar_t *>(nativo.utf16()), &dati);
  if (h == INVALID_HANDLE_VALUE)
    return QFileInfo(percorso).fileName();
  FindClose(h);
  return QString::fromWCharArray(dati.cFileName);
}

#else

bool fileRegolare(const QString &percorso) {
  struct stat st {};
  return !percorso.isEmpty() && ::stat(QFile::encodeName(percorso).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool cartellaAccessibile(const QString &cartella) {
  // Entering it is what opening its files by name takes.
  struct stat st {};
  return ::stat(QFile::encodeName(cartella + QStringLiteral("/.")).constData(), &st) == 0 || errno != EACCES;
}

QString nomeSulDisco(const QString &percorso) { return QFileInfo(percorso).fileName(); }

bool apriFileRegolare(QFile &file, const QString &percorso) {
  if (percorso.isEmpty())
    return false;
  // Non-blocking, so that opening a FIFO returns at once instead of waiting
  // for a writer; what was opened is then asked what it is.
  const int fd = ::open(QFile::encodeName(percorso).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0)
    return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  const int modo = ::fcntl(fd, F_GETFL);
  if (modo == -1 || ::fcntl(fd, F_SETFL, modo & ~O_NONBLOCK) == -1 ||
      !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return false;
  }
  return true;
}

#endif

}  // namespace quirlo
