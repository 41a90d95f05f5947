// Peak memory of an exercise whose four drawings are the heaviest the game
// accepts, of each kind (see DisegniPesanti.h), decoded at every new exercise,
// and how long after an exercise appears its frames are filled. Each
// measurement runs in a fresh process.
//   quirlo_disegni_pesanti [--runs 3] [--json OUT]
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "Disegni.h"
#include "DisegniPesanti.h"
#include "Immagini.h"
#include "PiattaformaBanco.h"
#include "Widgets.h"

using namespace quirlo;

namespace {

constexpr int Esercizi = 6;

double piccoMiB() {
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  return double(uso.ru_maxrss) / 1024;
}

// Card i dropped where it belongs: the last one builds the next exercise.
void completa(Esercizio &w) {
  for (int i = 0; i < int(w.regole().carte.size()); ++i) {
    const CartaEsercizio &c = w.regole().carte[size_t(i)];
    if (c.sillaba == 0)
      w.Label2_DragDrop(c.parola, w.carta(i));
    else
      w.Label3_DragDrop(c.parola, w.carta(i));
  }
}

// Prints: peak RSS, RSS before the window, ms until all four frames were
// filled (median over the exercises).
int misura(const QString &cartella) {
  banco::PiattaformaBanco piattaforma;
  impostaPiattaforma(&piattaforma);
  piattaforma.cartella = cartella;
  const double prima = piccoMiB();
  DISEGNI1 w;
  QElapsedTimer t;
  t.start();
  if (!w.Form_Load()) {
    std::fprintf(stderr, "the list was refused: %s\n", qPrintable(piattaforma.messaggi.join(QLatin1Char(' '))));
    return 1;
  }
  w.show();
  QList<double> pronti;
  for (int i = 0; i < Esercizi; ++i) {
    if (i > 0) {
      t.restart();
      completa(w);
    }
    while (w.disegniInArrivo() > 0)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    pronti.append(double(t.nsecsElapsed()) / 1e6);
    for (int k = 0; k < 4; ++k)
      if (w.cornice(k)->immagine().isNull()) {
        std::fprintf(stderr, "a drawing was not shown\n");
        return 1;
      }
  }
  std::sort(pronti.begin(), pronti.end());
  std::printf("%.1f %.1f %.1f\n", piccoMiB(), prima, pronti[pronti.size() / 2]);
  return 0;
}

double mediana(const QJsonArray &a) {
  QList<double> v;
  for (const auto &x : a)
    v.append(x.toDouble());
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

QJsonObject figura(const QJsonArray &valori) {
  return QJsonObject{{QStringLiteral("median"), mediana(valori)},
                     {QStringLiteral("runs"), valori.size()},
                     {QStringLiteral("values"), valori}};
}

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList arg = QCoreApplication::arguments();
  banco::Pesanti tipo{};
  if (arg.size() == 4 && arg[1] == QLatin1String("--prepara") && banco::pesantiDaNome(arg[2], tipo))
    return banco::preparaPesanti(tipo, arg[3]) ? 0 : 1;
  if (arg.size() == 3 && arg[1] == QLatin1String("--misura")) {
    const int esito = misura(arg[2]);
    std::fflush(nullptr);
    _exit(esito);
  }

  int giri = 3;
  QString json;
  for (qsizetype i = 1; i + 1 < arg.size(); i += 2) {
    if (arg[i] == QLatin1String("--runs"))
      giri = std::max(1, arg[i + 1].toInt());
    else if (arg[i] == QLatin1String("--json"))
      json = arg[i + 1];
  }
  QJsonObject esito;
  for (banco::Pesanti t : banco::TuttiPesanti) {
    const QString nome = QString::fromLatin1(banco::nomePesanti(t));
    QTemporaryDir dir;
    if (QProcess::execute(QCoreApplication::applicationFilePath(), {QStringLiteral("--prepara"), nome, dir.path()}) != 0)
      return 1;
    QJsonArray picchi, pronti;
    for (int i = 0; i < giri; ++i) {
      QProcess p;
      p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
      p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--misura"), dir.path()});
      if (!p.waitForFinished(600000) || p.exitCode() != 0)
        return 1;
      const QList<QByteArray> v = p.readAllStandardOutput().simplified().split(' ');
      if (v.size() != 3)
        return 1;
      picchi.append(v[0].toDouble());
      pronti.append(v[2].toDouble());
      std::fprintf(stderr, "%s, run %d: peak RSS %.1f MiB (%.1f MiB before the window), frames filled %.0f ms "
                   "after the exercise\n", qPrintable(nome), i + 1, v[0].toDouble(), v[1].toDouble(), v[2].toDouble());
    }
    esito.insert(QStringLiteral("memoria_") + nome, figura(picchi));
    esito.insert(QStringLiteral("pronti_") + nome, figura(pronti));
  }
  const QByteArray testo = QJsonDocument(esito).toJson();
  if (json.isEmpty()) {
    std::fwrite(testo.constData(), 1, size_t(testo.size()), stdout);
    return 0;
  }
  QFile f(json);
  return f.open(QIODevice::WriteOnly) && f.write(testo) == testo.size() ? 0 : 1;
}
