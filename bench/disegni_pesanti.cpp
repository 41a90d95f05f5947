// Peak memory of an exercise whose four drawings are the heaviest the game
// accepts: progressive JPEGs just inside the decoder's budget, each decoded at
// every new exercise. Each measurement runs in a fresh process.
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
#include "Immagini.h"
#include "PiattaformaBanco.h"
#include "Widgets.h"

using namespace quirlo;

namespace {

constexpr qint64 Budget = 64LL * 1024 * 1024;  // what the game accepts, at most
const char *const Parole[][2] = {{"pa", "la"}, {"ca", "ne"}, {"so", "le"}, {"lu", "na"}};
constexpr int Esercizi = 6;

QByteArray progressivo(const QImage &img) {
  QByteArray byte;
  QBuffer buffer(&byte);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter scrittore(&buffer, "jpeg");
  scrittore.setProgressiveScanWrite(true);
  scrittore.setQuality(90);
  if (!scrittore.write(img))
    qFatal("cannot encode a progressive JPEG");
  return byte;
}

qint64 memoria(QByteArray byte) {
  QBuffer b(&byte);
  b.open(QIODevice::ReadOnly);
  return memoriaDecodificaJpeg(b);
}

// The side of the largest square drawing the budget admits, from the header
// of a small one of the same kind with its size changed.
int latoMassimo() {
  QImage piccola(16, 16, QImage::Format_RGB32);
  piccola.fill(Qt::white);
  const QByteArray campione = progressivo(piccola);
  const qsizetype sof = campione.indexOf(QByteArrayView("\xFF\xC2", 2));
  if (sof < 0)
    qFatal("the writer made no progressive JPEG");
  int basso = 16, alto = 16000;
  while (basso < alto) {
    const int lato = (basso + alto + 1) / 2;
    QByteArray b = campione;
    b[sof + 5] = b[sof + 7] = char(lato >> 8);
    b[sof + 6] = b[sof + 8] = char(lato & 0xFF);
    if (memoria(b) <= Budget)
      basso = lato;
    else
      alto = lato - 1;
  }
  return basso;
}

int prepara(const QString &cartella) {
  const int lato = latoMassimo();
  QDir().mkpath(cartella + QStringLiteral("/jpg"));
  QByteArray lista;
  for (int i = 0; i < 4; ++i) {
    // A drawing's smooth shapes, a different one for each word.
    QImage img(lato, lato, QImage::Format_RGB32);
    for (int y = 0; y < lato; ++y) {
      auto *riga = reinterpret_cast<quint32 *>(img.scanLine(y));
      for (int x = 0; x < lato; ++x)
        riga[x] = qRgb((x * 255 / lato + i * 60) & 0xFF, (y * 255 / lato) & 0xFF, ((x ^ y) >> 4) & 0xFF);
    }
    const QByteArray jpeg = progressivo(img);
    const QString parola = QString::fromLatin1(Parole[i][0]) + QString::fromLatin1(Parole[i][1]);
    const QString percorso = cartella + QStringLiteral("/jpg/") + parola + QStringLiteral(".jpg");
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly) || f.write(jpeg) != jpeg.size())
      return 1;
    f.close();
    if (!immagineLeggibile(percorso) || memoria(jpeg) > Budget) {
      std::fprintf(stderr, "the prepared drawing is refused\n");
      return 1;
    }
    std::fprintf(stderr, "%s: %dx%d progressive, %.1f MiB held to decode, file %.1f MiB\n", qPrintable(parola), lato,
                 lato, double(memoria(jpeg)) / 1048576, double(jpeg.size()) / 1048576);
    lista += QByteArray(Parole[i][0]) + "," + Parole[i][1] + "\r\n";
  }
  QFile l(cartella + QStringLiteral("/lista2.txt"));
  return l.open(QIODevice::WriteOnly) && l.write(lista) == lista.size() ? 0 : 1;
}

double piccoMiB() {
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  return double(uso.ru_maxrss) / 1024;
}

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
  QCoreApplication::processEvents();
  for (int i = 1; i < Esercizi; ++i) {
    w.GeneraEsercizio();
    QCoreApplication::processEvents();
  }
  const double ms = double(t.elapsed()) / Esercizi;
  for (int k = 0; k < 4; ++k)
    if (w.cornice(k)->immagine().isNull()) {
      std::fprintf(stderr, "a drawing was not shown\n");
      return 1;
    }
  std::printf("%.1f %.1f %.1f\n", piccoMiB(), prima, ms);
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList arg = QCoreApplication::arguments();
  if (arg.size() == 3 && arg[1] == QLatin1String("--prepara"))
    return prepara(arg[2]);
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
  QTemporaryDir dir;
  if (QProcess::execute(QCoreApplication::applicationFilePath(), {QStringLiteral("--prepara"), dir.path()}) != 0)
    return 1;
  QJsonArray picchi, tempi;
  for (int i = 0; i < giri; ++i) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--misura"), dir.path()});
    if (!p.waitForFinished(300000) || p.exitCode() != 0)
      return 1;
    const QList<QByteArray> v = p.readAllStandardOutput().simplified().split(' ');
    if (v.size() != 3)
      return 1;
    picchi.append(v[0].toDouble());
    tempi.append(v[2].toDouble());
    std::fprintf(stderr, "run %d: peak RSS %.1f MiB (%.1f MiB before the window), %.0f ms per exercise\n", i + 1,
                 v[0].toDouble(), v[1].toDouble(), v[2].toDouble());
  }
  const auto mediana = [](const QJsonArray &a) {
    QList<double> v;
    for (const auto &x : a)
      v.append(x.toDouble());
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
  };
  QJsonObject esito{
      {QStringLiteral("memoria_disegni"), QJsonObject{{QStringLiteral("median"), mediana(picchi)},
                                                      {QStringLiteral("runs"), giri},
                                                      {QStringLiteral("values"), picchi}}},
      {QStringLiteral("esercizio_disegni"), QJsonObject{{QStringLiteral("median"), mediana(tempi)},
                                                        {QStringLiteral("runs"), giri},
                                                        {QStringLiteral("values"), tempi}}},
  };
  const QByteArray testo = QJsonDocument(esito).toJson();
  if (json.isEmpty()) {
    std::fwrite(testo.constData(), 1, size_t(testo.size()), stdout);
    return 0;
  }
  QFile f(json);
  return f.open(QIODevice::WriteOnly) && f.write(testo) == testo.size() ? 0 : 1;
}
