#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QStyle>
#include <QTranslator>
#include <memory>

#include "Archivio.h"
#include "Console.h"
#include "FinestraParole.h"
#include "Layout.h"
#include "PiattaformaFinestre.h"
#include "ProvaEsercizio.h"
#include "RigaDiComando.h"
#include "Traccia.h"
#include "TracciaFinestre.h"
#include "Uscita.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace quirlo;

namespace {

#ifdef Q_OS_WIN
// The editor has no console window of its own: the command line's answers go
// to the console it was started from, unless they are already redirected to a
// file or a pipe.
void collegaConsole() {
  const HANDLE uscita = GetStdHandle(STD_OUTPUT_HANDLE);
  if (uscita != nullptr && uscita != INVALID_HANDLE_VALUE && GetFileType(uscita) != FILE_TYPE_UNKNOWN)
    return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS))
    return;
  const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
  if (console != INVALID_HANDLE_VALUE)
    SetStdHandle(STD_OUTPUT_HANDLE, console);
}
#else
void collegaConsole() {}
#endif

// Keyboard focus in the game's magenta, thick enough to see across a classroom.
const char *const Aspetto = R"(
QPushButton { padding: 6px 14px; border: 1px solid #8a8a8a; border-radius: 5px; background: #f6f6f6; }
QPushButton:hover { background: #ececec; }
QPushButton:pressed { background: #dcdcdc; }
QPushButton:disabled { color: #9a9a9a; border-color: #c8c8c8; }
QPushButton:default { border: 2px solid #5a5a5a; }
QPushButton:focus, QLineEdit:focus, QListView:focus, QTextBrowser:focus, QTabBar::tab:focus {
  border: 3px solid #c000c0; }
)";

}  // namespace

int main(int argc, char *argv[]) {
  // The command line needs no screen: an IT technician may run it over ssh.
  {
    QStringList argomenti;
    for (int i = 0; i < argc; ++i)
      argomenti << QString::fromLocal8Bit(argv[i]);
    if (editor::perRigaDiComando(argomenti)) {
      collegaConsole();
      // A worksheet needs fonts, so a GUI application, though still no screen;
      // where Qt has no offscreen platform (Windows) its own needs none either.
      const bool schede = argomenti.contains(QStringLiteral("--schede"));
      if (schede && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen;windows");
      const std::unique_ptr<QCoreApplication> app =
          schede ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
      QString testo;
      const int esito =
          editor::eseguiRigaDiComando(QCoreApplication::arguments(), editor::Cartelle::delSistema(), testo);
      scriviUscita(testo);
      return esito;
    }
  }
  QApplication app(argc, argv);
  // The window class the menu entry names (StartupWMClass).
  QApplication::setApplicationName(QStringLiteral("quirlo-parole"));
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.quirlo.parole"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/editor/quirlo-parole.png")));
  // Qt's own dialogs (choosing a file where the desktop offers none) in Italian.
  QTranslator traduzione;
  if (traduzione.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&traduzione);
  // A trial exercise is the game's own window, with the game's platform,
  // faces and the system's style; the editor's own look stays on its windows.
  PiattaformaFinestre piattaformaGioco;
  impostaPiattaforma(&piattaformaGioco);
  piattaformaGioco.seminaDalOrologio();
  sostituisciCaratteri();
  app.setProperty(editor::StileDiSistema, QApplication::style()->name());
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  tracciaPrimiFrame();

  editor::FinestraParole finestra(editor::Cartelle::delSistema());
  finestra.setStyleSheet(QString::fromLatin1(Aspetto));
  finestra.show();
  traccia(QStringLiteral("aperta FinestraParole id=0x%1").arg(finestra.winId(), 0, 16));
  // Ended as the game ends: nothing is left to write once the window has closed.
  return fineProgramma(QApplication::exec());
}
