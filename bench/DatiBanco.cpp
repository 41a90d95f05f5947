#include "DatiBanco.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRadialGradient>
#include <QStringList>
#include <utility>

namespace quirlo::banco {

namespace {

constexpr QSize Bisillabe(288, 240);
constexpr QSize Trisillabe(320, 320);
const char *const Sillabe[] = {"ba", "ce", "di", "fo", "gu", "la", "me", "ni", "po", "ru"};

// Word i of a list: distinct for i < 100.
QStringList parola(int i, int campi) {
  QStringList s{QString::fromLatin1(Sillabe[i / 10]), QString::fromLatin1(Sillabe[i % 10])};
  if (campi == 3)
    s << QString::fromLatin1(Sillabe[(i * 7 + 3) % 10]);
  return s;
}

// A white canvas with a shaded figure, as the shipped drawings are, so the
// JPEG decoder has edges and colour to work on.
QImage disegno(int i, QSize dimensione) {
  QImage img(dimensione, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF figura = QRectF(QPointF(0, 0), dimensione).adjusted(40, 30, -40, -30);
  QRadialGradient g(figura.center(), figura.width() / 2);
  g.setColorAt(0, QColor::fromHsv((i * 37) % 360, 180, 250));
  g.setColorAt(1, QColor::fromHsv((i * 37 + 60) % 360, 220, 140));
  p.setBrush(g);
  p.setPen(QPen(Qt::black, 4));
  p.drawEllipse(figura);
  p.drawRect(figura.adjusted(figura.width() / 3, figura.height() / 3, -figura.width() / 3, -figura.height() / 3));
  return img;
}

bool scriviLista(const QString &percorso, int campi) {
  QFile f(percorso);
  if (!f.open(QIODevice::WriteOnly))
    return false;
  for (int i = 0; i < CartellaBanco::Parole; ++i)
    f.write(parola(i, campi).join(QLatin1Char(',')).toUtf8() + "\r\n");
  return true;
}

bool scriviDisegni(const QString &cartellaJpg, int campi, const QStringList &spediti) {
  const QSize dimensione = campi == 2 ? Bisillabe : Trisillabe;
  for (int i = 0; i < CartellaBanco::Parole; ++i) {
    const QString destinazione =
        cartellaJpg + QLatin1Char('/') + parola(i, campi).join(QString()) + QStringLiteral(".jpg");
    const bool fatto = spediti.isEmpty() ? disegno(i, dimensione).save(destinazione, "JPEG", 88)
                                         : QFile::copy(spediti[i % spediti.size()], destinazione);
    if (!fatto)
      return false;
  }
  return true;
}

}  // namespace

QStringList disegniSpediti(const QString &cartellaGioco, QSize dimensione) {
  QDir jpg(cartellaGioco + QStringLiteral("/jpg"));
  QStringList trovati;
  for (const QString &nome : jpg.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name)) {
    const QString percorso = jpg.filePath(nome);
    if (QImageReader(percorso).size() == dimensione)
      trovati << percorso;
  }
  return trovati;
}

CartellaBanco::CartellaBanco(const QString &cartellaGioco) {
  if (!dir_.isValid())
    return;
  const QString radice = dir_.path();
  const QStringList spediti2 = disegniSpediti(cartellaGioco, Bisillabe);
  const QStringList spediti3 = disegniSpediti(cartellaGioco, Trisillabe);
  const bool usaSpediti = !spediti2.isEmpty() && !spediti3.isEmpty();
  origine_ = usaSpediti ? QStringLiteral("shipped") : QStringLiteral("drawn here");
  bool ok = QDir(radice).mkpath(QStringLiteral("jpg")) && QDir(radice).mkpath(QStringLiteral("suoni"));
  const std::pair<const char *, int> liste[] = {{"/lista2.txt", 2}, {"/lista4.txt", 2}, {"/lista3.txt", 3},
                                                {"/lista5.txt", 3}};
  for (const auto &[nome, campi] : liste)
    ok = ok && scriviLista(radice + QLatin1String(nome), campi);
  ok = ok && scriviDisegni(radice + QStringLiteral("/jpg"), 2, usaSpediti ? spediti2 : QStringList());
  ok = ok && scriviDisegni(radice + QStringLiteral("/jpg"), 3, usaSpediti ? spediti3 : QStringList());
  for (const QString &suono : QDir(cartellaGioco + QStringLiteral("/suoni")).entryList(QDir::Files))
    QFile::copy(cartellaGioco + QStringLiteral("/suoni/") + suono, radice + QStringLiteral("/suoni/") + suono);
  valida_ = ok;
}

}  // namespace quirlo::banco
