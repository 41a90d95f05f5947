#include "Catalogo.h"

namespace quirlo::catalogo {

const Lista &lista(int sillabe, Livello livello) {
  for (const Lista &l : Liste)
    if (l.sillabe == sillabe && l.livello == livello)
      return l;
  Q_UNREACHABLE();
}

const Lista *listaDaNome(QStringView nome) {
  for (const Lista &l : Liste) {
    const QString file = QString::fromLatin1(l.file);
    if (nome.compare(file, Qt::CaseInsensitive) == 0 || nome.compare(file.chopped(4), Qt::CaseInsensitive) == 0)
      return &l;
  }
  return nullptr;
}

QString disegno(const QString &parola) {
  return QStringLiteral("%1/%2.jpg").arg(QLatin1String(CartellaDisegni), parola);
}

QString voce(const QString &parola) { return QStringLiteral("%1/%2.wav").arg(QLatin1String(CartellaVoci), parola); }

QString suonoEsatto(int n) { return QStringLiteral("%1/si%2.wav").arg(QLatin1String(CartellaSuoni)).arg(n); }

QString suonoErrato() { return QStringLiteral("%1/no.wav").arg(QLatin1String(CartellaSuoni)); }

QStringList suoni() {
  QStringList tutti;
  for (int n = 1; n <= SuoniEsatti; ++n)
    tutti << suonoEsatto(n);
  return tutti << suonoErrato();
}

}  // namespace quirlo::catalogo
