#include "Console.h"

#include <QByteArray>
#include <algorithm>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quirlo {

namespace {
void scriviUtf8(const QString &testo) {
  const QByteArray byte = testo.toUtf8();
  std::fwrite(byte.constData(), 1, size_t(byte.size()), stdout);
  std::fflush(stdout);
}
}  // namespace

#ifdef _WIN32
void scriviUscita(const QString &testo) {
  const HANDLE uscita = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD modo = 0;
  if (uscita == nullptr || uscita == INVALID_HANDLE_VALUE || !GetConsoleMode(uscita, &modo)) {
    scriviUtf8(testo);
    return;
  }
  std::fflush(stdout);
  const auto *caratteri = reinterpret_cast<const wchar_t *>(testo.utf16());
  qsizetype fatti = 0;
  while (fatti < testo.size()) {
    const DWORD parte = DWORD(std::min<qsizetype>(testo.size() - fatti, 8192));
    DWORD scritti = 0;
    if (!WriteConsoleW(uscita, caratteri + fatti, parte, &scritti, nullptr) || scritti == 0)
      return;
    fatti += scritti;
  }
}
#else
void scriviUscita(const QString &testo) {
  scriviUtf8(testo);
}
#endif

}  // namespace quirlo
