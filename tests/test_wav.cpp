// The WAV reader used where no sound library is at hand (Windows): what it
// decodes from every PCM layout a sound may come in, what it refuses, and that
// it agrees with the player's own decoding of the same files.
#include "DecodificaSuoni.h"
#include "SuoniProva.h"
#include "Wav.h"
#include "ProvaMain.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <vector>

using namespace quirlo;
using namespace quirlo::prova::wav;

namespace {

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
  // The header the Windows player puts before a word's voice to play it from
  // memory: the reader takes it back sample for sample, odd sizes too.
  void intestazione() {
    QByteArray pcm;
    for (int i = 0; i < 1001 * formatoSuono::Canali; ++i)
      pcm += le16(quint16(qint16((i * 37) % 20000 - 10000)));
    const QByteArray file = intestazioneWav(pcm.size()) + pcm;
    QCOMPARE(file.size(), 44 + pcm.size());
    QCOMPARE(decodificaWav(file, formatoSuono::Frequenza, formatoSuono::Canali), pcm);
    QCOMPARE(qFromLittleEndian<quint32>(intestazioneWav(0).constData() + 40), 0u);
  }

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
    const std::vector<qint16> lettore = comeCampioni(decodificaSuono(f.fileName()));
    const std::vector<qint16> nostro = comeCampioni(decodificaWav(file, formatoSuono::Frequenza, formatoSuono::Canali));
    QVERIFY(!nostro.empty());
    QCOMPARE(lettore.size(), nostro.size());
    for (size_t i = 0; i < nostro.size(); ++i)
      QVERIFY2(std::abs(lettore[i] - nostro[i]) <= 1, qPrintable(QString::number(i)));
  }

  // What a header may ask for is bounded before anything is decoded: a rate or
  // channels past the limits give silence, and a sound denser than the bytes
  // read allow is cut as a long one is. The files are sparse: only their
  // header is written.
  void limiti_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("bit");
    QTest::addColumn<int>("canali");
    QTest::addColumn<qint64>("frequenza");
    QTest::addColumn<qint64>("byteDati");
    QTest::addColumn<int>("stato");
    QTest::addColumn<qint64>("frameLetti");  // of the source; 0: none
    const auto buono = int(StatoSuono::Buono);
    QTest::newRow("2147483647 Hz, 500 MB") << 1 << 8 << 1 << qint64(2147483647) << qint64(500'000'000)
                                           << int(StatoSuono::FrequenzaFuori) << qint64(0);
    QTest::newRow("384001 Hz") << 1 << 16 << 1 << qint64(384001) << qint64(76800) << int(StatoSuono::FrequenzaFuori)
                               << qint64(0);
    QTest::newRow("1024 canali") << 1 << 16 << 1024 << qint64(44100) << qint64(1024 * 2 * 4410)
                                 << int(StatoSuono::TroppiCanali) << qint64(0);
    QTest::newRow("9 canali") << 1 << 16 << 9 << qint64(44100) << qint64(9 * 2 * 4410) << int(StatoSuono::TroppiCanali)
                              << qint64(0);
    QTest::newRow("384000 Hz, 8 canali, 1 s") << 1 << 16 << 8 << qint64(384000) << qint64(384000 * 16) << buono
                                              << qint64(384000);
    QTest::newRow("31 s a 44100 Hz") << 1 << 16 << 2 << qint64(44100) << qint64(31 * 44100 * 4) << buono
                                     << qint64(30 * 44100);
    QTest::newRow("float, 8 canali, 384 kHz, 31 s")
        << 3 << 32 << 8 << qint64(384000) << qint64(31LL * 384000 * 32) << buono
        << formatoSuono::MassimoByteLetti / 32;
  }
  void limiti() {
    QFETCH(int, tipo);
    QFETCH(int, bit);
    QFETCH(int, canali);
    QFETCH(qint64, frequenza);
    QFETCH(qint64, byteDati);
    QFETCH(int, stato);
    QFETCH(qint64, frameLetti);
    QTemporaryDir cartella;
    QFile f(cartella.filePath(QStringLiteral("si1.wav")));
    QVERIFY(f.open(QIODevice::ReadWrite));
    const QByteArray testa = riff(blocco("fmt ", fmt(quint16(tipo), canali, int(frequenza), bit))) + "data" +
                             le32(quint32(byteDati));
    f.write(testa);
    QVERIFY(f.resize(testa.size() + byteDati));

    const double passo = double(frequenza) / formatoSuono::Frequenza;
    const qint64 attesi = frameLetti > 0 ? qint64(std::floor(double(frameLetti - 1) / passo)) + 1 : 0;
    const SuonoLetto suono = leggiSuono(f.fileName());
    QCOMPARE(int(suono.stato), stato);
    QCOMPARE(suono.pcm.size(), attesi * formatoSuono::BytePerFrame);
    QCOMPARE(suono.tagliato, attesi > 0 && frameLetti * canali * bit / 8 < byteDati);
    if (stato != int(StatoSuono::Buono))
      QCOMPARE(suono.frequenza, frequenza);
    // The reader of the Windows player, on the same file mapped as it maps it.
    uchar *mappa = f.map(0, f.size());
    QVERIFY(mappa);
    const SuonoLetto wav = leggiWav(QByteArray::fromRawData(reinterpret_cast<const char *>(mappa), f.size()),
                                    formatoSuono::Frequenza, formatoSuono::Canali);
    QCOMPARE(int(wav.stato), stato);
    QCOMPARE(wav.pcm.size(), attesi * formatoSuono::BytePerFrame);
  }

  // A folder named like a sound is not a sound.
  void cartellaNonSuono() {
    QTemporaryDir cartella;
    QVERIFY(QDir(cartella.path()).mkdir(QStringLiteral("si1.wav")));
    QVERIFY(decodificaSuono(cartella.filePath(QStringLiteral("si1.wav"))).isEmpty());
  }
};

QUIRLO_TEST_MAIN(ProvaWav)
#include "test_wav.moc"
