#include "Disegni.h"
#include "FormSemplice.h"
#include "Finestre.h"
#include "Modulo1.h"
#include "ModuloColoriSuoni.h"
#include "PiattaformaFinta.h"
#include "ProvaMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace quirlo;
using namespace quirlo::prova;

class ProvaShell : public QObject {
  Q_OBJECT

  PiattaformaFinta *finta = nullptr;
  std::unique_ptr<PiattaformaInstallata> installata;

  static void svuota() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

 private slots:
  void initTestCase() {
    Finestre::registra(TipoFinestra::FormAvvio, [] { return new FormAvvio; });
    Finestre::registra(TipoFinestra::FormMenu, [] { return new FormMenu; });
    // The exercise windows have a suite of their own; an empty folder makes them refuse to open.
    Finestre::registra(TipoFinestra::DISEGNI1, [] { return new DISEGNI1; });
  }

  void init() {
    installata = std::make_unique<PiattaformaInstallata>();
    finta = &installata->finta;
    finta->cartella = QStringLiteral("/nessuna/cartella");
  }

  void cleanup() {
    for (auto t : {TipoFinestra::FormAvvio, TipoFinestra::FormMenu, TipoFinestra::DISEGNI1})
      Finestre::scarica(t);
    svuota();
    installata.reset();
  }

  void testoInformazioni() {
    const QString atteso = QStringLiteral(
        "Il gruppo di Quirlo  \r\n ----------------------- \r\nhttps://quirlo.example.org\r\n"
        "mail: quirlo@example.org\r\n ----------------------- \r\n"
        "disegni eseguiti dai ragazzi delle classi 4\u00B0 e 5\u00B0 di Valdorsa");
    QCOMPARE(Modulo1::TestoInformazioni(), atteso);
    QCOMPARE(Modulo1::TestoInformazioni().split(QStringLiteral("\r\n")).size(), 6);
  }

  void mainSeminaEMostraAvvio() {
    finta->numeri = {0.0};
    Modulo1::Main();
    QCOMPARE(finta->semine, 1);
    auto *avvio = qobject_cast<FormAvvio *>(Finestre::aperta(TipoFinestra::FormAvvio));
    QVERIFY(avvio);
    QCOMPARE(avvio->windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(avvio->coloreSfondo(), QColor(255, 192, 192));  // palette entry 1
    QCOMPARE(Finestre::quanteAperte(), 1);
    QCOMPARE(avvio->size(), QSize(707, 608));
    QCOMPARE(avvio->pulsante("Command1")->geometry(), QRect(200, 280, 249, 97));
  }

  // Start -> menu -> about box twice -> quit with No, then Yes.
  void navigazioneEUscita() {
    finta->numeri = {0.0, 16.5 / 18};
    Modulo1::Main();
    auto *avvio = qobject_cast<FormAvvio *>(Finestre::aperta(TipoFinestra::FormAvvio));
    avvio->show();
    avvio->pulsante("Command1")->click();
    svuota();
    QCOMPARE(Finestre::aperta(TipoFinestra::FormAvvio), nullptr);
    auto *menu = qobject_cast<FormMenu *>(Finestre::aperta(TipoFinestra::FormMenu));
    QVERIFY(menu);
    QCOMPARE(Finestre::quanteAperte(), 1);
    QCOMPARE(menu->windowTitle(), QStringLiteral("Form2"));
    QCOMPARE(menu->size(), QSize(676, 498));
    QCOMPARE(menu->coloreSfondo(), QColor(0, 0, 255));  // entry 17, 0xFF0000 as stored: blue

    menu->pulsante("Command3D6")->click();
    menu->pulsante("Command3D6")->click();
    QCOMPARE(finta->messaggi.size(), 2);
    QCOMPARE(finta->messaggi[0].testo, Modulo1::TestoInformazioni());
    QCOMPARE(finta->messaggi[0].flags, 64);
    QCOMPARE(finta->messaggi[1].testo, finta->messaggi[0].testo);

    finta->risposte = {Msg::RispostaNo};
    menu->pulsante("Command3D5")->click();
    QCOMPARE(finta->messaggi.last().testo, QStringLiteral("Vuoi uscire dal programma?"));
    QCOMPARE(finta->messaggi.last().flags, 36);
    QCOMPARE(finta->terminazioni, 0);
    QCOMPARE(Finestre::aperta(TipoFinestra::FormMenu), menu);
    QCOMPARE(menu->coloreSfondo(), QColor(0, 0, 255));
    QCOMPARE(finta->estrazioni, 2);

    finta->risposte = {Msg::RispostaSi};
    menu->pulsante("Command3D5")->click();
    QCOMPARE(finta->terminazioni, 1);
    QCOMPARE(Finestre::quanteAperte(), 0);
  }

  // The menu's tab order is not the column's, and "parole bisillabe" starts with the focus.
  void focusEOrdineTab() {
    finta->numeri = {0.0};
    Finestre::mostra(TipoFinestra::FormMenu);
    auto *menu = qobject_cast<FormMenu *>(Finestre::aperta(TipoFinestra::FormMenu));
    QApplication::setActiveWindow(menu);
    QVERIFY(QTest::qWaitForWindowActive(menu));
    QCOMPARE(QApplication::focusWidget(), menu->pulsante("Command3D1"));
    const char *ordine[] = {"Command3D5", "Command3D6", "Command1", "Command3D1"};
    for (const char *nome : ordine) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), menu->pulsante(nome));
    }
    // Enter presses the focused button as the space bar would: here, the about box.
    QTest::keyClick(menu->pulsante("Command3D1"), Qt::Key_Tab);
    QTest::keyClick(menu->pulsante("Command3D5"), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(finta->messaggi.size(), 1);
    QCOMPARE(finta->messaggi[0].flags, 64);
  }

  // The start screen opens with the focus on "Avvio": Enter goes on to the menu.
  void focusSuAvvio() {
    finta->numeri = {0.0, 0.0};
    Finestre::mostra(TipoFinestra::FormAvvio);
    auto *avvio = qobject_cast<FormAvvio *>(Finestre::aperta(TipoFinestra::FormAvvio));
    QApplication::setActiveWindow(avvio);
    QVERIFY(QTest::qWaitForWindowActive(avvio));
    QCOMPARE(QApplication::focusWidget(), avvio->pulsante("Command1"));
    QCOMPARE(avvio->controlli().trova(QStringLiteral("Label1"))->focusPolicy(), Qt::NoFocus);
    QTest::keyClick(avvio->pulsante("Command1"), Qt::Key_Return);
    QTRY_VERIFY(Finestre::aperta(TipoFinestra::FormMenu));
    QCOMPARE(Finestre::aperta(TipoFinestra::FormAvvio), nullptr);
  }

  // A refused exercise list keeps the menu open, as it was.
  void esercizioRifiutatoLasciaIlMenu() {
    finta->numeri = {0.0};
    Finestre::mostra(TipoFinestra::FormMenu);
    auto *menu = qobject_cast<FormMenu *>(Finestre::aperta(TipoFinestra::FormMenu));
    const QColor prima = menu->coloreSfondo();
    menu->pulsante("Command3D1")->click();
    svuota();
    QCOMPARE(Finestre::aperta(TipoFinestra::FormMenu), menu);
    QCOMPARE(Finestre::aperta(TipoFinestra::DISEGNI1), nullptr);
    QCOMPARE(menu->coloreSfondo(), prima);
    QCOMPARE(finta->messaggi.size(), 1);
    QCOMPARE(finta->messaggi[0].flags, 48);
    QVERIFY(finta->messaggi[0].testo.contains(QStringLiteral("lista2.txt")));
  }

  void titoloDiAvvio() {
    finta->numeri = {0.0};
    Finestre::mostra(TipoFinestra::FormAvvio);
    auto *avvio = qobject_cast<FormAvvio *>(Finestre::aperta(TipoFinestra::FormAvvio));
    auto *titolo = avvio->controlli().prendi<QLabel>(QStringLiteral("Label1"));
    QCOMPARE(titolo->text(), QStringLiteral("Quirlo"));
    QCOMPARE(titolo->geometry(), QRect(88, 48, 457, 169));
    QVERIFY(titolo->font().bold());
    QCOMPARE(titolo->font().pixelSize(), 64);
    QVERIFY(titolo->alignment() & Qt::AlignHCenter);
    QVERIFY(!titolo->autoFillBackground());
  }
};

QUIRLO_TEST_MAIN(ProvaShell)
#include "test_shell.moc"
