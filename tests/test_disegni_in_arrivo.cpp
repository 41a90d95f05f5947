// Drawings are decoded away from the window: a heavy one never holds up an
// opening or a drop, one superseded by a newer exercise is dropped, closing
// never waits, one over its budget leaves its frame empty, a photo taken
// with the phone upright is shown upright.
#include "Banco.h"
#include "CaricatoreImmagini.h"
#include "Gioco.h"
#include "Immagini.h"
#include "JpegProva.h"
#include "Widgets.h"
#include "ProvaMain.h"

#include <QDeadlineTimer>
#include <QTest>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <mutex>

using namespace quirlo;
using namespace quirlo::prova;

namespace {

// Holds the decoding thread before each picture until opened; it opens by
// itself after ten seconds, and says so, so a test that would wait on it
// fails instead of hanging.
class Cancello {
 public:
  void attendi() {
    std::unique_lock<std::mutex> l(m_);
    if (!cv_.wait_for(l, std::chrono::seconds(10), [this] { return aperto_; })) {
      scaduto_ = true;
      aperto_ = true;
    }
  }
  void apri() {
    std::lock_guard<std::mutex> l(m_);
    aperto_ = true;
    cv_.notify_all();
  }
  bool scaduto() {
    std::lock_guard<std::mutex> l(m_);
    return scaduto_;
  }

 private:
  std::mutex m_;
  std::condition_variable cv_;
  bool aperto_ = false, scaduto_ = false;
};

QString parola(const QStringList &s) { return s.join(QString()); }

// Near enough for colours through JPEG.
bool vicino(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 90;
}

QColor centro(const QImage &img) { return img.pixelColor(img.width() / 2, img.height() / 2); }

struct BancoOtto : Banco {
  QList<QStringList> parole = paroleBisillabe(8);
  BancoOtto() { d.scriviLista(QStringLiteral("lista2.txt"), parole); }
  QString disegno(int i) const { return d.file(QStringLiteral("jpg/%1.jpg").arg(parola(parole[i]))); }
  // Frame k shows word `primo` + k.
  static QList<double> numeri(int primo) {
    QList<double> n;
    for (int k = 0; k < 4; ++k)
      n << perRecord(primo + k + 1, 8);
    return n << perRiga(0);
  }
};

}  // namespace

class ProvaDisegniInArrivo : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    Globali::NumeroEsatti = 0;
    Globali::NumeroErrati = 0;
  }

  void lontanoDallaFinestra() {
    if (!CaricatoreImmagini::aParte())
      QSKIP("pictures are decoded where they are asked for on this system");
    BancoOtto b;
    auto w = b.apri<DISEGNI1>(BancoOtto::numeri(0));
    QVERIFY(w);
    QVERIFY(aspettaDisegni(*w));
    QCOMPARE(b.f.filiDecodifica.size(), 4);
    for (Qt::HANDLE filo : std::as_const(b.f.filiDecodifica))
      QVERIFY(filo != QThread::currentThreadId());
    for (int k = 0; k < 4; ++k)
      QVERIFY(!w->cornice(k)->immagine().isNull());
  }

  // The drawings of an exercise left before they came are never decoded, or
  // stopped; the frames show the new exercise's.
  void esercizioSorpassato() {
    if (!CaricatoreImmagini::aParte())
      QSKIP("pictures are decoded where they are asked for on this system");
    BancoOtto b;
    Cancello cancello;
    std::atomic<bool> iniziato = false;
    b.f.primaDiDecodificare = [&](const QString &) {
      iniziato = true;
      cancello.attendi();
    };
    auto w = b.apri<DISEGNI1>(BancoOtto::numeri(0));
    QVERIFY(w);
    QTRY_VERIFY(iniziato);
    for (int k = 0; k < 4; ++k)
      QVERIFY(w->cornice(k)->immagine().isNull());
    b.f.numeri = BancoOtto::numeri(4);
    w->mnuMaiuscolo_Click();
    cancello.apri();
    QVERIFY(aspettaDisegni(*w));
    QVERIFY(!cancello.scaduto());
    for (int k = 0; k < 4; ++k) {
      const QImage atteso = decodificaImmagine(b.disegno(4 + k), w->cornice(k)->dimensioneDecodifica());
      QVERIFY2(vicino(centro(w->cornice(k)->immagine()), centro(atteso)), qPrintable(QString::number(k)));
    }
    // Only the first, already started, of the old exercise's drawings.
    QCOMPARE(b.f.immagini, (QStringList{b.disegno(0), b.disegno(4), b.disegno(5), b.disegno(6), b.disegno(7)}));
  }

  void chiusuraSenzaAttesa() {
    if (!CaricatoreImmagini::aParte())
      QSKIP("pictures are decoded where they are asked for on this system");
    BancoOtto b;
    Cancello cancello;
    b.f.primaDiDecodificare = [&](const QString &) { cancello.attendi(); };
    auto w = b.apri<DISEGNI1>(BancoOtto::numeri(0));
    QVERIFY(w);
    w.reset();
    QVERIFY(!cancello.scaduto());
    cancello.apri();
    CaricatoreImmagini::attendiFilo();
  }

  // Accepted by its header, refused by its structure: the frame stays empty
  // and the game goes on without a word.
  void troppoPesanteLasciaVuota() {
    BancoOtto b;
    using namespace quirlo::prova::jpeg;
    b.d.scriviFile(QStringLiteral("jpg/%1.jpg").arg(parola(b.parole[2])),
                   ultimaScansioneRipetuta(progressivoDichiarato(4000, 4000, 0x22), 2000));
    auto w = b.apri<DISEGNI1>(BancoOtto::numeri(0));
    QVERIFY(w);
    QVERIFY(aspettaDisegni(*w));
    QVERIFY(b.f.messaggi.isEmpty());
    for (int k = 0; k < 4; ++k)
      QCOMPARE(w->cornice(k)->immagine().isNull(), k == 2);
  }

  // Taken with the phone upright: stored on its side, with the orientation
  // that turns it; shown upright, stretched to its frame.
  void fotoGirata() {
    BancoOtto b;
    using namespace quirlo::prova::jpeg;
    b.d.scriviFile(QStringLiteral("jpg/%1.jpg").arg(parola(b.parole[0])),
                   dopoInizio(codifica(dueColori(160, 120, Qt::red, Qt::blue), false, 95), orientamentoExif(6)));
    auto w = b.apri<DISEGNI1>(BancoOtto::numeri(0));
    QVERIFY(w);
    QVERIFY(aspettaDisegni(*w));
    const QImage img = w->cornice(0)->immagine();
    QCOMPARE(img.size(), w->cornice(0)->dimensioneDecodifica());
    const QColor suDestra = img.pixelColor(img.width() - 3, 2), giuSinistra = img.pixelColor(2, img.height() - 3);
    QVERIFY2(vicino(suDestra, Qt::red), qPrintable(suDestra.name()));
    QVERIFY2(vicino(giuSinistra, Qt::blue), qPrintable(giuSinistra.name()));
  }
};

QUIRLO_TEST_MAIN(ProvaDisegniInArrivo)
#include "test_disegni_in_arrivo.moc"
