// "Cerca un disegno" in the word dialog, offscreen: the library is not read
// when the editor starts; a word typed shows its pictures, best first; one
// click puts the picture in the frame and saving makes the word's drawing.
#include "Catalogo.h"
#include "CercaDisegno.h"
#include "FinestraParola.h"
#include "FinestraParole.h"
#include "Operazioni.h"
#include "ChiudiMessaggi.h"
#include "ProvaMain.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quirlo;
using namespace quirlo::editor;

namespace {

const QString CartellaProgramma = QStringLiteral(QUIRLO_PROGRAMMA);

QString relativo(const QString &file) { return QDir(CartellaProgramma).relativeFilePath(file); }

}  // namespace

class ProvaCercaDisegno : public QObject {
  Q_OBJECT

  QTemporaryDir casa_;
  Cartelle cartelle_;
  const catalogo::Lista *lista_ = nullptr;
  ListaAperta aperta_;
  prova::ChiudiMessaggi messaggi_;

  std::unique_ptr<FinestraParola> apri() {
    auto f = std::make_unique<FinestraParola>(
        cartelle_, *lista_, QStringList(),
        [this](const QStringList &sillabe, Immagine immagine, bool forza) {
          return aggiungi(cartelle_, aperta_, sillabe, immagine, forza);
        });
    f->show();
    return f;
  }

 private slots:
  void initTestCase() {
    cartelle_ = {casa_.filePath(QStringLiteral("quirlo")), CartellaProgramma};
    lista_ = catalogo::listaDaNome(QStringLiteral("lista2"));
    QVERIFY(lista_);
    aperta_ = apriLista(cartelle_, *lista_);
    messaggi_.avvia();
  }

  // Two clicks after the word: its best picture, then Salva.
  void parolaEDisegno() {
    {
      FinestraParole editor(cartelle_);
      editor.show();
      QTest::qWait(50);
      QVERIFY(!CercaDisegno::bibliotecaLetta());
    }
    auto f = apri();
    QVERIFY(!CercaDisegno::bibliotecaLetta());  // an empty word searches nothing
    auto *parola = f->findChild<QLineEdit *>(QStringLiteral("parola"));
    auto *griglia = f->findChild<QListView *>(QStringLiteral("disegniTrovati"));
    auto *campo = f->findChild<QLineEdit *>(QStringLiteral("cercaDisegno"));
    QVERIFY(parola && griglia && campo);
    QTest::keyClicks(parola, QStringLiteral("panda"));
    QVERIFY(CercaDisegno::bibliotecaLetta());
    QCOMPARE(campo->text(), QStringLiteral("panda"));
    QAbstractItemModel *m = griglia->model();
    QCOMPARE(m->rowCount(), 2);  // Noto's and Fluent's
    QCOMPARE(m->index(0, 0).data().toString(), QStringLiteral("panda"));
    QVERIFY(m->index(0, 0).data(Qt::ToolTipRole).toString().contains(QStringLiteral("Noto")));
    QVERIFY(!m->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());

    QSignalSpy scelto(f->findChild<CercaDisegno *>(), &CercaDisegno::scelto);
    const QRect casella = griglia->visualRect(m->index(0, 0));
    QVERIFY(!casella.isEmpty());
    QTest::mouseClick(griglia->viewport(), Qt::LeftButton, {}, casella.center());
    QCOMPARE(scelto.size(), 1);
    QCOMPARE(relativo(scelto.first().first().toString()), QStringLiteral("biblioteca/noto/panda.png"));

    QTest::mouseClick(f->findChild<QPushButton *>(QStringLiteral("salva")), Qt::LeftButton);
    QVERIFY2(messaggi_.testi.isEmpty(), qPrintable(messaggi_.testi.join(QLatin1Char('\n'))));
    QCOMPARE(f->result(), int(QDialog::Accepted));
    QCOMPARE(aperta_.parole.last().sillabe, (QStringList{QStringLiteral("pan"), QStringLiteral("da")}));
    const QImage disegno(QDir(cartelle_.utente).filePath(QStringLiteral("jpg/panda.jpg")));
    QVERIFY(!disegno.isNull());
    // The panda's white face in the middle, its black nose just below: not a blank frame.
    QVERIFY(qGray(disegno.pixel(disegno.width() / 2, disegno.height() / 3)) > 200);
    QVERIFY(qGray(disegno.pixel(disegno.width() / 2, disegno.height() * 16 / 25)) < 80);
  }

  // Her own search stays while she changes the word; Enter in it takes the
  // best picture and does not save the word behind her back.
  void ricercaSua() {
    auto f = apri();
    auto *parola = f->findChild<QLineEdit *>(QStringLiteral("parola"));
    auto *campo = f->findChild<QLineEdit *>(QStringLiteral("cercaDisegno"));
    auto *griglia = f->findChild<QListView *>(QStringLiteral("disegniTrovati"));
    QTest::keyClicks(parola, QStringLiteral("mici"));
    QCOMPARE(campo->text(), QStringLiteral("mici"));
    campo->selectAll();
    QTest::keyClicks(campo, QStringLiteral("volpi"));
    QTest::keyClicks(parola, QStringLiteral("o"));
    QCOMPARE(campo->text(), QStringLiteral("volpi"));
    QCOMPARE(griglia->model()->index(0, 0).data().toString(), QStringLiteral("volpe"));

    QSignalSpy scelto(f->findChild<CercaDisegno *>(), &CercaDisegno::scelto);
    QTest::keyClick(campo, Qt::Key_Return);
    QCOMPARE(scelto.size(), 1);
    QCOMPARE(scelto.first().at(1).toString(), QStringLiteral("volpe"));
    QVERIFY(f->isVisible());
    QCOMPARE(f->result(), int(QDialog::Rejected));
    QVERIFY(messaggi_.testi.isEmpty());

    // Emptied, her search gives way to the word again.
    campo->clear();
    QTest::keyClicks(parola, QStringLiteral("n"));
    QCOMPARE(campo->text(), QStringLiteral("micion"));
  }
};

QUIRLO_TEST_MAIN(ProvaCercaDisegno)
#include "test_cerca_disegno.moc"
