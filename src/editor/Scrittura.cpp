#include "Scrittura.h"

#include "TestoVisibile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace quirlo::editor {

QString motivo(const QFileDevice &file) {
  switch (file.error()) {
    case QFileDevice::PermissionsError:
    case QFileDevice::OpenError:
      return QStringLiteral("la cartella non si può scrivere (controlla i permessi, o se è di sola lettura)");
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
      return QStringLiteral("il disco è pieno o non si può scrivere");
    case QFileDevice::RenameError:
    case QFileDevice::CopyError:
      return QStringLiteral("il file vecchio non si può sostituire (forse è aperto in un altro programma)");
    default:
      return QStringLiteral("errore di scrittura (%1)").arg(file.errorString());
  }
}

QString mostra(const QString &percorso) {
  return QStringLiteral("\u00AB%1\u00BB").arg(senzaControlli(QDir::toNativeSeparators(percorso)));
}

QString scriviTutto(const QString &percorso, const QByteArray &byte) {
  const QString cartella = QFileInfo(percorso).absolutePath();
  if (!QDir().mkpath(cartella))
    return QStringLiteral("Non riesco a creare la cartella %1: controlla i permessi.").arg(mostra(cartella));
  QSaveFile file(percorso);
  if (!file.open(QIODevice::WriteOnly) || file.write(byte) != byte.size() || !file.commit()) {
    const QString perche = motivo(file);
    file.cancelWriting();
    return QStringLiteral("Non riesco a salvare %1: %2. Il file di prima non è stato toccato.")
        .arg(mostra(percorso), perche);
  }
  return {};
}

}  // namespace quirlo::editor
