#include "ScortaSuoni.h"

#include "DecodificaSuoni.h"
#include "FileRegolare.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace quirlo {

ScortaSuoni::Firma ScortaSuoni::firma(const QString &percorso) {
#ifdef Q_OS_WIN
  if (!fileRegolare(percorso))
    return {};
  const QFileInfo info(percorso);
  return {true, 0, 0, info.size(), info.lastModified().toMSecsSinceEpoch() * 1'000'000};
#else
  struct stat st {};
  if (::stat(QFile::encodeName(percorso).constData(), &st) != 0 || !S_ISREG(st.st_mode))
    return {};
  return {true, quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size),
          qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
#endif
}

std::shared_ptr<const QByteArray> ScortaSuoni::pcm(const QString &percorso) {
  const Firma adesso = firma(percorso);
  auto trovata = voci_.find(percorso);
  if (trovata != voci_.end() && trovata->firma == adesso)
    return trovata->pcm;
  auto dati = std::make_shared<const QByteArray>(adesso.regolare ? decodificaSuono(percorso) : QByteArray());
  voci_.insert(percorso, {adesso, dati});
  return dati;
}

}  // namespace quirlo
