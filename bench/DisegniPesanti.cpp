#include "DisegniPesanti.h"

#include "Immagini.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <cstdio>
#include <functional>

namespace quirlo::banco {

namespace {

const char *const Parole[][2] = {{"pa", "la"}, {"ca", "ne"}, {"so", "le"}, {"lu", "na"}};

QByteArray codifica(const QImage &img, bool progressivo) {
  QByteArray byte;
  QBuffer buffer(&byte);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter scrittore(&buffer, "jpeg");
  scrittore.setProgressiveScanWrite(progressivo);
  scrittore.setQuality(90);
  if (!scrittore.write(img))
    qFatal("cannot encode a JPEG");
  return byte;
}

// A drawing's smooth shapes with some fine detail, so the decoder has real data to read.
QImage disegno(int lato) {
  QImage img(lato, lato, QImage::Format_RGB32);
  for (int y = 0; y < lato; ++y) {
    auto *riga = reinterpret_cast<quint32 *>(img.scanLine(y));
    for (int x = 0; x < lato; ++x)
      riga[x] = qRgb(int(qint64(x) * 255 / lato), int(qint64(y) * 255 / lato), ((x ^ y) >> 4) & 0xFF);
  }
  return img;
}

bool scrivi(const QString &percorso, const QByteArray &byte) {
  QFile f(percorso);
  return f.open(QIODevice::WriteOnly) && f.write(byte) == byte.size();
}

bool accettato(const QString &percorso) {
  return controllaImmagine(percorso) == StatoImmagine::Buona &&
         esaminaImmagine(percorso, true).stato == StatoImmagine::Buona;
}

// The largest n in [basso, alto] whose file `fai(n)` is accepted whole.
int piuGrandeAccettato(int basso, int alto, const QString &prova, const std::function<QByteArray(int)> &fai) {
  while (basso < alto) {
    const int n = (basso + alto + 1) / 2;
    if (scrivi(prova, fai(n)) && accettato(prova))
      basso = n;
    else
      alto = n - 1;
  }
  return basso;
}

QByteArray cambiaLato(QByteArray jpeg, int lato) {
  const qsizetype sof = jpeg.indexOf(QByteArrayView("\xFF\xC2", 2));
  if (sof < 0)
    qFatal("no progressive frame header");
  jpeg[sof + 5] = jpeg[sof + 7] = char(lato >> 8);
  jpeg[sof + 6] = jpeg[sof + 8] = char(lato & 0xFF);
  return jpeg;
}

QByteArray pesante(Pesanti tipo, const QString &prova) {
  switch (tipo) {
    case Pesanti::Progressivi: {
      // The side the memory budget admits, from the header of a small one with its size changed.
      const QByteArray campione = codifica(disegno(16), true);
      const int lato = piuGrandeAccettato(16, 16000, prova, [&](int n) { return cambiaLato(campione, n); });
      return codifica(disegno(lato), true);
    }
    case Pesanti::Foto: {
      int lato = 10000;
      while (qint64(lato + 1) * (lato + 1) <= 120'000'000)
        ++lato;
      return codifica(disegno(lato), false);
    }
    case Pesanti::Scansioni: {
      const QByteArray base = cambiaLato(codifica(disegno(16), true), 4000);
      const qsizetype sos = base.lastIndexOf(QByteArrayView("\xFF\xDA", 2));
      const qsizetype fine = base.lastIndexOf(QByteArrayView("\xFF\xD9", 2));
      const auto ripeti = [&](int volte) { return base.left(sos) + base.mid(sos, fine - sos).repeated(volte) + base.mid(fine); };
      return ripeti(piuGrandeAccettato(1, 5000, prova, ripeti));
    }
    case Pesanti::Commenti: {
      const QByteArray base = codifica(disegno(640), false);
      const QByteArray commento = QByteArray("\xFF\xFE\xFF\xFF", 4) + QByteArray(65533, 'c');
      const auto con = [&](int quanti) { return base.left(2) + commento.repeated(quanti) + base.mid(2); };
      return con(piuGrandeAccettato(0, 1000, prova, con));
    }
  }
  return {};
}

}  // namespace

const char *nomePesanti(Pesanti tipo) {
  switch (tipo) {
    case Pesanti::Progressivi: return "progressivi";
    case Pesanti::Foto: return "foto";
    case Pesanti::Scansioni: return "scansioni";
    case Pesanti::Commenti: return "commenti";
  }
  return "?";
}

bool pesantiDaNome(const QString &nome, Pesanti &tipo) {
  for (Pesanti t : TuttiPesanti)
    if (nome == QLatin1String(nomePesanti(t))) {
      tipo = t;
      return true;
    }
  return false;
}

bool preparaPesanti(Pesanti tipo, const QString &cartella) {
  QDir().mkpath(cartella + QStringLiteral("/jpg"));
  const QByteArray jpeg = pesante(tipo, cartella + QStringLiteral("/prova.jpg"));
  QFile::remove(cartella + QStringLiteral("/prova.jpg"));
  QByteArray lista;
  for (const auto &p : Parole) {
    const QString percorso = QStringLiteral("%1/jpg/%2%3.jpg").arg(cartella, QLatin1String(p[0]), QLatin1String(p[1]));
    if (!scrivi(percorso, jpeg) || !accettato(percorso)) {
      std::fprintf(stderr, "the prepared drawing %s is refused\n", qPrintable(percorso));
      return false;
    }
    lista += QByteArray(p[0]) + "," + p[1] + "\r\n";
  }
  std::fprintf(stderr, "%s: four drawings of %.1f MiB each\n", nomePesanti(tipo), double(jpeg.size()) / 1048576);
  return scrivi(cartella + QStringLiteral("/lista2.txt"), lista);
}

}  // namespace quirlo::banco
