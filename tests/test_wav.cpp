// The WAV reader used where no sound library is at hand (Windows): what it
// decodes from every PCM layout a sound may come in, what it refuses, and that
// it agrees with the player's own decoding of the same files.
#include "LettoreSuoni.h"
#include "Wav.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <vector>

using namespace quirlo;

namespace {

QByteArray le16(quint32 v) {
  QByteArray b(2, '\0');
  qToLittleEndian(quint16(v), b.data());
  return b;
}
QByteArray le32(quint32 v) {
  QByteArray b(4, '\0');
  qToLittleEndian(v, b.data());
  return b;
}

QByteArray blocco(const char *id, const QByteArray &corpo) {
  QByteArray b = QByteArray(id, 4) + le32(quint32(corpo.size())) + corpo;
  if (corpo.size() % 2)
    b += '\0';
  return b;
}

QByteArray fmt(quint16 tipo, int canali, int frequenza, int bit, bool esteso = false) {
  const int blocco = canali * bit / 8;
  QByteArray f = le16(esteso ? 0xFFFE : tipo) + le16(quint32(canali)) + le32(quint32(frequenza)) +
                 le32(quint32(frequenza * blocco)) + le16(quint32(blocco)) + le16(quint32(bit));
  if (esteso) {
    // cbSize, valid bits, channel mask, then the sub-format GUID (format code first).
    f += le16(22) + le16(quint32(bit)) + le32(0) + le16(tipo) +
         QByteArray("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
  }
  return f;
}

QByteArray riff(const QByteArray &blocchi) {
  return QByteArray("RIFF") + le32(quint32(blocchi.size() + 4)) + QByteArray("WAVE") + blocchi;
}

// Samples in [-1, 1], encoded in the given layout.
QByteArray campioni(const std::vector<float> &valori, quint16 tipo, int bit) {
  QByteArray out;
  for (float v : valori) {
    if (tipo == 3) {
      quint32 b;
      std::memcpy(&b, &v, 4);
      out += le32(b);
    } else if (bit == 8) {
      out += char(quint8(std::lround(v * 127.0f) + 128));
    } else if (bit == 16) {
      out += le16(quint16(qint16(std::lround(v * 32767.0f))));
    } else if (bit == 24) {
      const auto s = qint32(std::lround(double(v) * 8388607.0));
      out += le32(quint32(s)).left(3);
    } else {
      out += le32(quint32(qint32(std::lround(double(v) * 2147483647.0))));
    }
  }
  return out;
}

std::vector<qint16> comeCampioni(const QByteArray &pcm) {
  std::vector<qint16> v(size_t(pcm.size() / 2));
  std::memcpy(v.data(), pcm.constData(), v.size() * 2);
  return v;
}

// A short ramp, different on each channel, so channel order and rate show.
std::vector<float> rampa(int frame, int canali) {
  std::vector<float> v;
  for (int i = 0; i < frame; ++i)
    for (int c = 0; c < canali; ++c)
      v.push_back((c % 2 ? -1.0f : 1.0f) * float(i % 50) / 64.0f);
  return v;
}

}  // namespace

class ProvaWav : public QObject {
  Q_OBJECT

 private slots:
  // Every layout decodes to 16-bit stereo at 44.1 kHz with the same values.
  void formati_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("bit");
    QTest::addColumn<int>("canali");
    QTest::addColumn<bool>("esteso");
    QTest::addColumn<int>("tolleranza");  // in 16-bit steps
    QTest::newRow("pcm 16 mono") << 1 << 16 << 1 << false << 1;
    QTest::newRow("pcm 16 stereo") << 1 << 16 << 2 << false << 1;
    QTest::newRow("pcm 8 mono") << 1 << 8 << 1 << false << 260;
    QTest::newRow("pcm 24 stereo") << 1 << 24 << 2 << false << 1;
    QTest::newRow("pcm 32 mono") << 1 << 32 << 1 << false << 1;
    QTest::newRow("float 32 stereo") << 3 << 32 << 2 << false << 1;
    QTest::newRow("esteso pcm 16 stereo") << 1 << 16 << 2 << true << 1;
    QTest::newRow("esteso float 32 mono") << 3 << 32 << 1 << true << 1;
  }
  void formati() {
    QFETCH(int, tipo);
    QFETCH(int, bit);
    QFETCH(int, canali);
    QFETCH(bool, esteso);
    QFETCH(int, tolleranza);
    const int frame = 300;
    const std::vector<float> valori = rampa(frame, canali);
    const QByteArray file = riff(blocco("fmt ", fmt(quint16(tipo), canali, 44100, bit, esteso)) +
                                 blocco("data", campioni(valori, quint16(tipo), bit)));
    const std::vector<qint16> pcm = comeCampioni(decodificaWav(file, 44100, 2));
    QCOMPARE(pcm.size(), size_t(frame) * 2);
    for (int i = 0; i < frame; ++i)
      for (int c = 0; c < 2; ++c) {
        // A mono file plays the same on both sides.
        const float atteso = valori[size_t(i * canali + std::min(c, canali - 1))];
        const int differenza = std::abs(int(pcm[size_t(i * 2 + c)]) - int(std::lround(atteso * 32767.0f)));
        QVERIFY2(differenza <= tolleranza, qPrintable(QStringLiteral("frame %1 channel %2: off by %3")
                                                           .arg(i).arg(c).arg(differenza)));
      }
  }

  // Other rates are converted: the length follows the rate, the values the ramp.
  void frequenze_data() {
    QTest::addColumn<int>("frequenza");
    QTest::addColumn<int>("frame");
    QTest::addColumn<int>("attesi");  // at 44.1 kHz
    QTest::newRow("22050") << 22050 << 1000 << 1999;
    QTest::newRow("48000") << 48000 << 4800 << 4410;
    QTest::newRow("8000") << 8000 << 80 << 436;
    QTest::newRow("un frame") << 11025 << 1 << 1;
  }
  void frequenze() {
    QFETCH(int, frequenza);
    QFETCH(int, frame);
    QFETCH(int, attesi);
    std::vector<float> valori;
    for (int i = 0; i < frame; ++i)
      valori.push_back(float(i) / float(frame));
    const QByteArray file = riff(blocco("fmt ", fmt(1, 1, frequenza, 16)) + blocco("data", campioni(valori, 1, 16)));
    const std::vector<qint16> pcm = comeCampioni(decodificaWav(file, 44100, 2));
    QCOMPARE(qsizetype(pcm.size()), qsizetype(attesi) * 2);
    // A rising ramp stays rising, and ends where the file ends.
    for (size_t i = 2; i < pcm.size(); i += 2)
      QVERIFY(pcm[i] >= pcm[i - 2]);
    QVERIFY(std::abs(int(pcm.back()) - int(std::lround(valori.back() * 32767.0f))) <= 330);
  }

  // Files a sound never comes in, or that are broken: nothing, never a crash.
  void rifiutati_data() {
    QTest::addColumn<QByteArray>("file");
    const QByteArray dati = blocco("data", campioni(rampa(100, 1), 1, 16));
    const QByteArray buono = blocco("fmt ", fmt(1, 1, 44100, 16));
    QTest::newRow("vuoto") << QByteArray();
    QTest::newRow("non riff") << (QByteArray("RIFX") + riff(buono + dati).mid(4));
    QTest::newRow("non wave") << riff(buono + dati).replace(8, 4, "AVI ");
    QTest::newRow("senza fmt") << riff(dati);
    QTest::newRow("senza data") << riff(buono);
    QTest::newRow("data vuoto") << riff(buono + blocco("data", {}));
    QTest::newRow("fmt corto") << riff(blocco("fmt ", fmt(1, 1, 44100, 16).left(12)) + dati);
    QTest::newRow("adpcm") << riff(blocco("fmt ", fmt(2, 1, 44100, 16)) + dati);
    QTest::newRow("12 bit") << riff(blocco("fmt ", fmt(1, 1, 44100, 12)) + dati);
    QTest::newRow("float 64") << riff(blocco("fmt ", fmt(3, 1, 44100, 64)) + dati);
    QTest::newRow("zero canali") << riff(blocco("fmt ", fmt(1, 0, 44100, 16)) + dati);
    QTest::newRow("300 canali") << riff(blocco("fmt ", fmt(1, 300, 44100, 16)) + dati);
    QTest::newRow("frequenza zero") << riff(blocco("fmt ", fmt(1, 1, 0, 16)) + dati);
    QByteArray bloccoSbagliato = fmt(1, 2, 44100, 16);
    bloccoSbagliato[12] = 3;  // block align 3 for two 16-bit channels
    QTest::newRow("allineamento sbagliato") << riff(blocco("fmt ", bloccoSbagliato) + dati);
    QTest::newRow("esteso corto") << riff(blocco("fmt ", fmt(1, 1, 44100, 16, true).left(30)) + dati);
    QTest::newRow("dati meno di un frame") << riff(buono + blocco("data", QByteArray(1, 'x')));
    QTest::newRow("intestazione troncata") << riff(buono + dati).left(30);
    QTest::newRow("solo RIFF") << QByteArray("RIFF");
  }
  void rifiutati() {
    QFETCH(QByteArray, file);
    QVERIFY(decodificaWav(file, 44100, 2).isEmpty());
  }

  // Files as real tools write them: other chunks first, odd sizes padded, a
  // data chunk claiming more than the file holds.
  void tollerati_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("frame");
    const QByteArray cento = campioni(rampa(100, 1), 1, 16);
    const QByteArray buono = blocco("fmt ", fmt(1, 1, 44100, 16));
    QTest::newRow("LIST dispari prima di fmt")
        << riff(blocco("LIST", QByteArray("INFOabc", 7)) + buono + blocco("data", cento)) << 100;
    QTest::newRow("fact tra fmt e data") << riff(buono + blocco("fact", le32(100)) + blocco("data", cento)) << 100;
    QTest::newRow("data troncato") << riff(buono + blocco("data", cento)).chopped(50) << 75;
    QTest::newRow("ultimo frame a metà") << riff(buono + blocco("data", cento + "x")).chopped(1) << 100;
    QTest::newRow("RIFF con dimensione sbagliata")
        << riff(buono + blocco("data", cento)).replace(4, 4, le32(10)) << 100;
  }
  void tollerati() {
    QFETCH(QByteArray, file);
    QFETCH(int, frame);
    QCOMPARE(decodificaWav(file, 44100, 2).size(), qsizetype(frame) * 4);
  }

  // Huge files are cut at the limit, never read whole.
  void limite() {
    const QByteArray corpo(44100 * 2 * 3, '\x01');
    const QByteArray file = riff(blocco("fmt ", fmt(1, 1, 44100, 16)) + blocco("data", corpo));
    QCOMPARE(decodificaWav(file, 44100, 2, 2).size(), qsizetype(44100) * 2 * 4);
    QCOMPARE(decodificaWav(file, 44100, 2).size(), qsizetype(44100) * 3 * 4);
  }

  // Not-a-number and infinities in a float file play as silence, not noise.
  void floatNonFinito() {
    std::vector<float> valori = {0.5f, NAN, INFINITY, -INFINITY, 2.0f};
    const QByteArray file = riff(blocco("fmt ", fmt(3, 1, 44100, 32)) + blocco("data", campioni(valori, 3, 32)));
    const std::vector<qint16> pcm = comeCampioni(decodificaWav(file, 44100, 1));
    const std::vector<qint16> attesi = {16384, 0, 0, 0, 32767};
    QCOMPARE(pcm.size(), attesi.size());
    for (size_t i = 0; i < attesi.size(); ++i)
      QVERIFY2(std::abs(pcm[i] - attesi[i]) <= 1, qPrintable(QString::number(i)));
  }

  // The player reads the same files to the same samples, whichever decoder it
  // has on this system.
  void comeIlLettore_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("16 mono 44100")
        << riff(blocco("fmt ", fmt(1, 1, 44100, 16)) + blocco("data", campioni(rampa(500, 1), 1, 16)));
    QTest::newRow("24 stereo 48000")
        << riff(blocco("fmt ", fmt(1, 2, 48000, 24)) + blocco("data", campioni(rampa(480, 2), 1, 24)));
    QTest::newRow("8 mono 22050")
        << riff(blocco("fmt ", fmt(1, 1, 22050, 8)) + blocco("data", campioni(rampa(220, 1), 1, 8)));
  }
  void comeIlLettore() {
    QFETCH(QByteArray, file);
    QTemporaryDir cartella;
    QFile f(cartella.filePath(QStringLiteral("suono è.wav")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();
    const std::vector<qint16> lettore = comeCampioni(LettoreSuoni::decodifica(f.fileName()));
    const std::vector<qint16> nostro = comeCampioni(decodificaWav(file, LettoreSuoni::Frequenza, LettoreSuoni::Canali));
    QVERIFY(!nostro.empty());
    QCOMPARE(lettore.size(), nostro.size());
    for (size_t i = 0; i < nostro.size(); ++i)
      QVERIFY2(std::abs(lettore[i] - nostro[i]) <= 1, qPrintable(QString::number(i)));
  }

  // A folder named like a sound is not a sound.
  void cartellaNonSuono() {
    QTemporaryDir cartella;
    QVERIFY(QDir(cartella.path()).mkdir(QStringLiteral("si1.wav")));
    QVERIFY(LettoreSuoni::decodifica(cartella.filePath(QStringLiteral("si1.wav"))).isEmpty());
  }
};

QTEST_MAIN(ProvaWav)
#include "test_wav.moc"
