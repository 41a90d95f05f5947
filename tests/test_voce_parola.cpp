// Her voice of a word in the editor: a chosen file becomes a plain WAV at the
// name the game looks for, a file the game would not play is refused with
// nothing written, "Usa la voce del computer" takes hers away (a copy kept),
// a word spelt anew keeps it, the dialog says which voice the game plays, and
// recording without a microphone says so.
#include "Catalogo.h"
#include "Copie.h"
#include "DecodificaSuoni.h"
#include "FinestraParola.h"
#include "Microfono.h"
#include "Operazioni.h"
#include "ChiudiMessaggi.h"
#include "ProvaMain.h"
#include "SezioneVoce.h"
#include "SuoniProva.h"
#include "VoceParola.h"
#include "Voci.h"
#include "Wav.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace quirlo;
using namespace quirlo::editor;
namespace wav = quirlo::prova::wav;

namespace {

const QString CartellaProgramma = QStringLiteral(QUIRLO_PROGRAMMA);

QByteArray leggi(const QString &percorso) {
  QFile f(percorso);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void scrivi(const QString &percorso, const QByteArray &byte) {
  QDir().mkpath(QFileInfo(percorso).absolutePath());
  QFile f(percorso);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(byte);
}

// A tone of `secondi` in the given layout.
QByteArray tono(double secondi, int frequenza, int canali, quint16 tipo, int bit, bool esteso = false) {
  std::vector<float> valori(size_t(secondi * frequenza) * canali);
  for (size_t i = 0; i < valori.size(); ++i)
    valori[i] = i % 40 < 20 ? 0.5f : -0.5f;
  return wav::riff(wav::blocco("fmt ", wav::fmt(tipo, canali, frequenza, bit, esteso)) +
                   wav::blocco("data", wav::campioni(valori, tipo, bit)));
}

}  // namespace

class ProvaVoceParola : public QObject {
  Q_OBJECT

  QTemporaryDir casa_;
  Cartelle cartelle_;
  const catalogo::Lista *lista_ = nullptr;
  ListaAperta aperta_;
  prova::ChiudiMessaggi messaggi_;

  std::unique_ptr<FinestraParola> apri(qsizetype indice) {
    auto f =
        std::make_unique<FinestraParola>(cartelle_, *lista_, aperta_.parole[indice].sillabe,
                                         [this, indice](const QStringList &sillabe, Immagine immagine, bool forza) {
                                           return cambia(cartelle_, aperta_, indice, sillabe, immagine, forza);
                                         });
    f->show();
    return f;
  }
  static QString stato(const FinestraParola &f) { return f.findChild<QLabel *>(QStringLiteral("statoVoce"))->text(); }
  static void clicca(const FinestraParola &f, const char *nome) {
    QTest::mouseClick(f.findChild<QPushButton *>(QLatin1String(nome)), Qt::LeftButton);
  }
  QString mia(const QString &parola) const { return QDir(cartelle_.utente).filePath(catalogo::voce(parola)); }

 private slots:
  void initTestCase() {
    // No sound server to find, wherever the test runs.
    qputenv("PULSE_SERVER", "unix:/nessun/server");
    cartelle_ = {casa_.filePath(QStringLiteral("quirlo")), CartellaProgramma};
    lista_ = catalogo::listaDaNome(QStringLiteral("lista2"));
    QVERIFY(lista_);
    messaggi_.avvia();
  }

  void init() {
    QDir(cartelle_.utente).removeRecursively();
    aperta_ = apriLista(cartelle_, *lista_);
    messaggi_.testi.clear();
  }

  void fileScelto_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("16 bit mono 16 kHz") << tono(0.5, 16000, 1, 1, 16);
    QTest::newRow("8 bit") << tono(0.3, 8000, 1, 1, 8);
    QTest::newRow("float stereo 48 kHz") << tono(0.4, 48000, 2, 3, 32);
    QTest::newRow("24 bit esteso") << tono(0.2, 22050, 2, 1, 24, true);
  }
  // Every layout is written as the game's own: 44.1 kHz stereo 16-bit, at
  // the composed spelling of the word.
  void fileScelto() {
    QFETCH(QByteArray, file);
    const QString scelto = casa_.filePath(QStringLiteral("scelto.wav"));
    scrivi(scelto, file);
    const VoceLetta letta = leggiVoce(scelto);
    QVERIFY2(letta.errore.isEmpty(), qPrintable(letta.errore));
    const QString decomposta = QStringLiteral("caffe\u0300");
    QCOMPARE(salvaVoce(cartelle_, decomposta, letta.pcm).tipo, Esito::Fatto);
    const QString percorso = mia(QStringLiteral("caff\u00E8"));
    QCOMPARE(QDir(QFileInfo(percorso).path()).entryList(QDir::Files), QStringList(QFileInfo(percorso).fileName()));
    const QByteArray salvato = leggi(percorso);
    QCOMPARE(salvato, intestazioneWav(letta.pcm.size()) + letta.pcm);
    QCOMPARE(salvato.mid(20, 2), wav::le16(1));  // plain PCM, not the extensible header
    const SuonoLetto riletto = leggiSuono(percorso);
    QCOMPARE(riletto.stato, StatoSuono::Buono);
    QCOMPARE(riletto.pcm, letta.pcm);
  }

  void fileRifiutato_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("fifo");
    QTest::addColumn<QString>("motivo");
    QTest::newRow("non un suono") << QByteArray("una lettera, non un suono") << false
                                  << QStringLiteral("non è un suono");
    QTest::newRow("troppo lunga") << tono(MassimoSecondiVoce + 1, 8000, 1, 1, 8) << false
                                  << QStringLiteral("troppo lunga (11,0 secondi, al massimo 10)");
    QTest::newRow("troppo grande") << QByteArray(MassimoByteVoce + 1, 'x') << false << QStringLiteral("troppo grande");
#ifdef Q_OS_UNIX
    QTest::newRow("FIFO") << QByteArray() << true << QStringLiteral("non è un file normale");
#endif
  }
  // Refused in one sentence, from the window too; her voice stays as it was.
  void fileRifiutato() {
    QFETCH(QByteArray, file);
    QFETCH(bool, fifo);
    QFETCH(QString, motivo);
    const QString scelto = casa_.filePath(QStringLiteral("scelto.wav"));
    QFile::remove(scelto);
#ifdef Q_OS_UNIX
    if (fifo)
      QCOMPARE(::mkfifo(QFile::encodeName(scelto).constData(), 0600), 0);
#endif
    if (!fifo)
      scrivi(scelto, file);
    const VoceLetta letta = leggiVoce(scelto);
    QVERIFY(letta.pcm.isEmpty());
    QVERIFY2(letta.errore.startsWith(QStringLiteral("Non posso usare \u00ABscelto.wav\u00BB come voce: ")) &&
                 letta.errore.contains(motivo) && letta.errore.endsWith(QLatin1Char('.')),
             qPrintable(letta.errore));

    const QByteArray sua = intestazioneWav(4) + QByteArray(4, 1);
    scrivi(mia(QStringLiteral("casa")), sua);
    auto f = apri(0);
    f->findChild<SezioneVoce *>()->usaFile(scelto);
    QCOMPARE(messaggi_.testi, QStringList(letta.errore));
    clicca(*f, "salva");
    QCOMPARE(f->result(), int(QDialog::Accepted));
    QCOMPARE(leggi(mia(QStringLiteral("casa"))), sua);
    QVERIFY(copie(cartelle_.utente, catalogo::voce(QStringLiteral("casa"))).isEmpty());
  }

  // The dialog says which voice the game plays; taking hers away waits for
  // Salva, keeps a copy, and then the program's recording is the one.
  void voceDelComputer() {
    QCOMPARE(aperta_.parole[0].testo(), QStringLiteral("casa"));
    {
      auto f = apri(0);
      QTRY_COMPARE(stato(*f), QStringLiteral("La registrazione del programma."));
      QVERIFY(!f->findChild<QPushButton *>(QStringLiteral("voceComputer"))->isEnabled());
    }
    const QByteArray sua = intestazioneWav(8) + QByteArray(8, 2);
    scrivi(mia(QStringLiteral("casa")), sua);
    for (const bool salvata : {false, true}) {
      auto f = apri(0);
      QTRY_COMPARE(stato(*f), QStringLiteral("La tua registrazione."));
      clicca(*f, "voceComputer");
      QTRY_VERIFY(stato(*f).endsWith(QStringLiteral("la registrazione del programma.")));
      QVERIFY(stato(*f).contains(QStringLiteral("tolgo la tua registrazione")));
      clicca(*f, salvata ? "salva" : "annulla");
      QCOMPARE(QFileInfo::exists(mia(QStringLiteral("casa"))), !salvata);
    }
    const QStringList tenute = copie(cartelle_.utente, catalogo::voce(QStringLiteral("casa")));
    QCOMPARE(tenute.size(), 1);
    QCOMPARE(leggi(tenute.first()), sua);
    QVERIFY(messaggi_.testi.isEmpty());
  }

  // A word spelt anew keeps her recording; the old spelling keeps it too.
  void rinominata() {
    const QByteArray sua = intestazioneWav(8) + QByteArray(8, 3);
    scrivi(mia(QStringLiteral("casa")), sua);
    const Esito e = cambia(cartelle_, aperta_, 0, {QStringLiteral("co"), QStringLiteral("sa")});
    QVERIFY2(e.riuscito(), qPrintable(e.messaggio));
    QCOMPARE(leggi(mia(QStringLiteral("cosa"))), sua);
    QCOMPARE(leggi(mia(QStringLiteral("casa"))), sua);
  }

  // Quiet around the word is cut, a breath of it kept; only quiet is nothing.
  void silenzio() {
    const auto frame = [](int n, qint16 v) {
      QByteArray b;
      for (int i = 0; i < n * formatoSuono::Canali; ++i)
        b += wav::le16(quint16(i % 4 < 2 ? v : -v));
      return b;
    };
    const int f = formatoSuono::Frequenza;
    const QByteArray parola = frame(f / 5, 8000);
    const QByteArray tagliata = senzaSilenzio(frame(f, 30) + parola + frame(f, 30));
    QCOMPARE(tagliata.size() / formatoSuono::BytePerFrame, f / 5 + f / 10 + f * 15 / 100);
    QVERIFY(tagliata.contains(parola));
    QVERIFY(senzaSilenzio(frame(f, 200)).isEmpty());
  }

  // With no sound server she is told so, and nothing else happens.
  void senzaMicrofono() {
    auto f = apri(0);
    auto *registra = f->findChild<QPushButton *>(QStringLiteral("registra"));
    QTest::mouseClick(registra, Qt::LeftButton);
    auto *salva = f->findChild<QPushButton *>(QStringLiteral("salva"));
    QCOMPARE(registra->text(), QStringLiteral("&Ferma"));
    auto *scegli = f->findChild<QPushButton *>(QStringLiteral("scegliVoce"));
    QVERIFY(!salva->isEnabled() && !scegli->isEnabled());  // the recording is not back yet
    QTRY_COMPARE(messaggi_.testi, QStringList(Microfono::nessunMicrofono()));
    QCOMPARE(registra->text(), QStringLiteral("&Registra la tua voce"));
    QVERIFY(salva->isEnabled() && scegli->isEnabled());
    clicca(*f, "salva");
    QCOMPARE(f->result(), int(QDialog::Accepted));
    QVERIFY(!QDir(QDir(cartelle_.utente).filePath(QStringLiteral("voci"))).exists());
  }
};

QUIRLO_TEST_MAIN(ProvaVoceParola)
#include "test_voce_parola.moc"
