// A tap on a drawing says its word: the trace names the word and where its
// voice came from, the sound goes to the one player, and nothing else of the
// exercise moves. Real mouse and key events on a window offscreen.
#include "Banco.h"
#include "ErroreCatturato.h"
#include "SuoniProva.h"
#include "Widgets.h"
#include "ProvaMain.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace quirlo;
using namespace quirlo::prova;

namespace {

// Two seconds of a tone, as a teacher's recording might be.
QByteArray registrazione() {
  return wav::mono16(2 * 16000, 6000, 16000);
}

// The two-syllable window whose four words' voices are, in order: the
// teacher's, the program's (a FIFO stands in the teacher's place), the
// program's, and none anywhere.
struct BancoVoci : BancoFinestra {
  QTemporaryDir utente;

  BancoVoci() : BancoFinestra(1) {
    f.utente = utente.path();
    QDir(utente.path()).mkpath(QStringLiteral("voci"));
    QFile mia(voce(utente.path(), 0));
    mia.open(QIODevice::WriteOnly);
    mia.write(registrazione());
    mia.close();
    ::mkfifo(QFile::encodeName(voce(utente.path(), 1)).constData(), 0600);
    d.scriviFile(QStringLiteral("voci/%1.wav").arg(w->partita().parola(1)), registrazione());
    d.scriviFile(QStringLiteral("voci/%1.wav").arg(w->partita().parola(2)), registrazione());
    f.azzeraRegistri();
  }
  QString voce(const QString &cartella, int k) const {
    return QStringLiteral("%1/voci/%2.wav").arg(cartella, w->partita().parola(k));
  }
  Immagine *disegno(int k) const { return w->cornice(k); }
  void premi(int k) const { QTest::mouseClick(disegno(k), Qt::LeftButton); }

  // Everything the child sees, the drawings' pixels included.
  QImage schermo() const { return w->grab().toImage(); }
  QString stato() const {
    QStringList s;
    for (int i = 0; i < carte(); ++i)
      s << w->carta(i)->text() << QString::number(w->carta(i)->isEnabled());
    for (int riga = 0; riga < w->regole().campi(); ++riga)
      for (int k = 0; k < w->regole().parole(); ++k)
        s << w->casella(riga, k)->text();
    for (const char *nome : {"EtichettaEsatti", "EtichettaErrati"})
      s << w->controlli().prendi<QLabel>(QString::fromUtf8(nome))->text();
    for (const char *nome : {"ComandoIconaSi", "ComandoIconaNo"})
      s << QString::number(w->controlli().trova(QString::fromUtf8(nome))->isHidden());
    s << QString::number(w->SillabeGiuste());
    return s.join(QLatin1Char('|'));
  }
};

bool suona(const QString &fonte) {
  return fonte != QLatin1String("nessuna");
}

}  // namespace

class ProvaVoceDisegni : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // Read once, on first use: set before anything traces.
    qputenv("QUIRLO_TRACCIA", "1");
  }

  // Each drawing in turn: one line with its word and the voice's source, the
  // sound handed to the player when there is one, and the window unchanged.
  void ogniDisegno() {
    BancoVoci b;
    ErroreCatturato t;
    const QImage prima = b.schermo();
    const QString statoPrima = b.stato();
    const QStringList fonti{QStringLiteral("utente"), QStringLiteral("programma"), QStringLiteral("programma"),
                            QString()};
    int suonate = 0;
    for (int k = 0; k < 4; ++k) {
      // The FIFO behind drawing 1, opened, would never answer: the press returning is the check.
      b.premi(k);
      QTRY_COMPARE_WITH_TIMEOUT(t.righe(QStringLiteral("QUIRLO voce ")).size(), k + 1, 10000);
      const QStringList campi = t.righe(QStringLiteral("QUIRLO voce ")).at(k).split(QLatin1Char(' '));
      QCOMPARE(campi.size(), 2);
      QCOMPARE(campi[0], b.w->partita().parola(k));
      if (fonti[k].isEmpty())  // the computer's voice, where the system has an Italian one
        QVERIFY2(campi[1] == QLatin1String("sintesi") || campi[1] == QLatin1String("nessuna"), qPrintable(campi[1]));
      else
        QCOMPARE(campi[1], fonti[k]);
      suonate += suona(campi[1]) ? 1 : 0;
      QCOMPARE(b.f.suoniPcm.size(), suonate);
    }
    // Two seconds at 44.1 kHz stereo 16-bit, what the player plays (a frame or two
    // short, from the change of rate).
    QVERIFY2(std::abs(b.f.suoniPcm.first() - 2 * 44100 * 4) <= 4 * 4, qPrintable(QString::number(b.f.suoniPcm.first())));
    QVERIFY(b.f.suoni.isEmpty());  // no chime
    QCOMPARE(b.stato(), statoPrima);
    QCOMPARE(b.schermo(), prima);
  }

  // A tap on a drawing still ends a tap choice; the drawing takes no drop.
  void sceltaFinita() {
    BancoVoci b;
    ErroreCatturato t;
    auto *carta = qobject_cast<Carta *>(b.w->carta(0));
    emit carta->toccata(carta);
    QCOMPARE(b.w->cartaSelezionata(), carta);
    b.premi(2);
    QCOMPARE(b.w->cartaSelezionata(), nullptr);
    QVERIFY(!carta->evidenziata());
    QTRY_COMPARE_WITH_TIMEOUT(t.righe(QStringLiteral("QUIRLO voce ")).size(), 1, 10000);
    QVERIFY(!b.disegno(2)->acceptDrops());
    QCOMPARE(b.w->SillabeGiuste(), std::int16_t(0));
  }

  // Taps faster than the answers: every word is traced, only the last is heard.
  void soloLUltima() {
    BancoVoci b;
    ErroreCatturato t;
    b.premi(1);
    b.premi(2);
    QTRY_COMPARE_WITH_TIMEOUT(t.righe(QStringLiteral("QUIRLO voce ")).size(), 2, 10000);
    QTest::qWait(50);
    QCOMPARE(b.f.suoniPcm.size(), 1);
  }

  // The drawings come after the slots on the keyboard; Space and Enter on one
  // say its word, and screen readers press it as a tap does.
  void tastieraEAccessibilita() {
    BancoVoci b;
    ErroreCatturato t;
    const QList<QWidget *> ordine = b.w->ordineTastiera();
    QCOMPARE(ordine.mid(ordine.size() - 4),
             (QList<QWidget *>{b.disegno(0), b.disegno(1), b.disegno(2), b.disegno(3)}));
    QTest::keyClick(b.w.get(), Qt::Key_Backtab, Qt::ShiftModifier);  // round the end, to the last drawing
    QCOMPARE(QApplication::focusWidget(), b.disegno(3));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget(), b.disegno(2));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(t.righe(QStringLiteral("QUIRLO voce ")).size(), 2, 10000);
    for (const QString &riga : t.righe(QStringLiteral("QUIRLO voce ")))
      QCOMPARE(riga, b.w->partita().parola(2) + QStringLiteral(" programma"));

    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(b.disegno(0));
    QCOMPARE(i->text(QAccessible::Name), b.w->partita().parola(0).toLower());
    QCOMPARE(i->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE_WITH_TIMEOUT(t.righe(QStringLiteral("QUIRLO voce ")).size(), 3, 10000);
    QCOMPARE(t.righe(QStringLiteral("QUIRLO voce ")).last(), b.w->partita().parola(0) + QStringLiteral(" utente"));
    // A face is a picture too, and says nothing.
    QAccessibleInterface *faccia =
        QAccessible::queryAccessibleInterface(b.w->controlli().trova(QStringLiteral("ComandoIconaSi")));
    QVERIFY(faccia->actionInterface() == nullptr || faccia->actionInterface()->actionNames().isEmpty());
  }

  // The three-syllable window speaks too.
  void treSillabe() {
    BancoFinestra b(2);
    ErroreCatturato t;
    for (int k = 0; k < b.w->regole().parole(); ++k)
      QTest::mouseClick(b.w->cornice(k), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(t.righe(QStringLiteral("QUIRLO voce ")).size(), 3, 10000);
    QStringList parole;
    for (const QString &riga : t.righe(QStringLiteral("QUIRLO voce ")))
      parole << riga.section(QLatin1Char(' '), 0, 0);
    parole.sort();
    QStringList attese{b.w->partita().parola(0), b.w->partita().parola(1), b.w->partita().parola(2)};
    attese.sort();
    QCOMPARE(parole, attese);
  }
};

QUIRLO_TEST_MAIN(ProvaVoceDisegni)
#include "test_voce_disegni.moc"
