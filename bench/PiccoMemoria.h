#pragma once

#include <QByteArray>
#include <QFile>

// The process's peak resident memory so far (VmHWM), in MiB; -1 where unknown.
inline double piccoMiB() {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly))
    return -1;
  for (const QByteArray &riga : f.readAll().split('\n'))
    if (riga.startsWith("VmHWM:"))
      return riga.mid(6).trimmed().split(' ').first().toDouble() / 1024;
  return -1;
}
