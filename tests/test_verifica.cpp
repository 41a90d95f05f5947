#include "Catalogo.h"
#include "Console.h"
#include "Dati.h"
#include "JpegProva.h"
#include "Piattaforma.h"
#include "PiattaformaFinta.h"
#include "SuoniProva.h"
#include "Verifica.h"
#include "ProvaMain.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <list>
#include <string>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#ifdef _WIN32
#include <windows.h>
#endif

using namespace quirlo;
using namespace quirlo::prova;
using namespace quirlo::verifica;

namespace {

// Each list gets words of its own, so a broken drawing shows up in one list only.
const QList<QStringList> Bisillabe = paroleBisillabe(12);
const QList<QStringList> Trisillabe = paroleTrisillabe(10);
QString bi(int i) { return Bisillabe[i].join(QString()); }
QString tri(int i) { return Trisillabe[i].join(QString()); }

// A tenth of a second of silence, 16-bit mono PCM.
QByteArray wav() { return wav::mono16(4410, 0, 44100); }

void completa(const CartellaDati &d) {
  d.scriviLista(QStringLiteral("lista2.txt"), Bisillabe.mid(0, 6));
  d.scriviLista(QStringLiteral("lista4.txt"), Bisillabe.mid(6, 6));
  d.scriviLista(QStringLiteral("lista3.txt"), Trisillabe.mid(0, 5));
  d.scriviLista(QStringLiteral("lista5.txt"), Trisillabe.mid(5, 5));
  for (const QString &s : catalogo::suoni())
    d.scriviFile(s, wav());
}

void accoda(const CartellaDati &d, const QString &lista, const QByteArray &righe) {
  QFile f(d.file(lista));
  QVERIFY(f.open(QIODevice::Append));
  f.write(righe);
}

// Through a third name: Wine leaves a rename that changes only letter case undone.
void rinomina(const CartellaDati &d, const QString &da, const QString &a) {
  QVERIFY(QFile::rename(d.file(da), d.file(da + QStringLiteral(".tmp"))));
  QVERIFY(QFile::rename(d.file(da + QStringLiteral(".tmp")), d.file(a)));
}

QString maiuscolaIniziale(QString s) {
  s[0] = s[0].toUpper();
  return s;
}

const char *nome(Difetto d) {
  switch (d) {
    case Difetto::CartellaIlleggibile: return "CartellaIlleggibile";
    case Difetto::ListaMancante: return "ListaMancante";
    case Difetto::ListaIlleggibile: return "ListaIlleggibile";
    case Difetto::TroppeParole: return "TroppeParole";
    case Difetto::TroppoPoche: return "TroppoPoche";
    case Difetto::SillabeIncomplete: return "SillabeIncomplete";
    case Difetto::SillabaTroppoLunga: return "SillabaTroppoLunga";
    case Difetto::NomeTroppoLungo: return "NomeTroppoLungo";
    case Difetto::FuoriPasso: return "FuoriPasso";
    case Difetto::ConseguenzeFuoriPasso: return "ConseguenzeFuoriPasso";
    case Difetto::SillabaVuota: return "SillabaVuota";
    case Difetto::ParolaSuPiuRighe: return "ParolaSuPiuRighe";
    case Difetto::ParolaRipetuta: return "ParolaRipetuta";
    case Difetto::DisegnoMancante: return "DisegnoMancante";
    case Difetto::DisegnoMaiuscole: return "DisegnoMaiuscole";
    case Difetto::DisegnoIlleggibile: return "DisegnoIlleggibile";
    case Difetto::DisegnoNonApribile: return "DisegnoNonApribile";
    case Difetto::DisegnoTroppoPesante: return "DisegnoTroppoPesante";
    case Difetto::SuonoMancante: return "SuonoMancante";
    case Difetto::SuonoMaiuscole: return "SuonoMaiuscole";
    case Difetto::SuonoIlleggibile: return "SuonoIlleggibile";
    case Difetto::SuonoFuoriLimiti: return "SuonoFuoriLimiti";
    case Difetto::SuonoTagliato: return "SuonoTagliato";
    case Difetto::ListaQuasi: return "ListaQuasi";
    case Difetto::DisegnoQuasi: return "DisegnoQuasi";
    case Difetto::SillabeColTrattino: return "SillabeColTrattino";
    case Difetto::DivisioneDiversa: return "DivisioneDiversa";
    case Difetto::VoceIllegibile: return "VoceIllegibile";
    case Difetto::VoceFuoriLimiti: return "VoceFuoriLimiti";
    case Difetto::VoceSenzaParola: return "VoceSenzaParola";
  }
  return "?";
}

// What a finding must be, and words its text must contain.
struct Attesa {
  Difetto difetto;
  Gravita gravita;
  const char *file;
  int riga;
  QStringList frammenti;
};

QString chiave(Difetto d, Gravita g, const QString &file, int riga) {
  return QStringLiteral("%1 %2 %3:%4")
      .arg(QLatin1String(nome(d)),
           g == Gravita::Errore    ? QStringLiteral("errore")
           : g == Gravita::Avviso ? QStringLiteral("avviso")
                                  : QStringLiteral("nota"),
           file)
      .arg(riga);
}

}  // namespace

using Guasto = std::function<void(const CartellaDati &)>;
using Attese = QList<Attesa>;
Q_DECLARE_METATYPE(Guasto)
Q_DECLARE_METATYPE(Attese)
using Guasto2 = std::function<void(const CartellaDati &, const CartellaDati &)>;
Q_DECLARE_METATYPE(Guasto2)

class ProvaVerifica : public QObject {
  Q_OBJECT

 private slots:
  void difetti_data() {
    QTest::addColumn<Guasto>("guasto");
    QTest::addColumn<Attese>("attese");
    const auto E = Gravita::Errore;
    const auto A = Gravita::Avviso;
    // As the checker names them: with the system's separator.
    const auto jpg = [](const QString &p) { return QDir::toNativeSeparators(QStringLiteral("jpg/%1.jpg").arg(p)); };

    QTest::newRow("all well") << Guasto([](const CartellaDati &) {}) << Attese{};
    QTest::newRow("list missing") << Guasto([](const CartellaDati &d) { d.rimuovi(QStringLiteral("lista5.txt")); })
                                  << Attese{{Difetto::ListaMancante, E, "lista5.txt", 0, {"tre sillabe difficili"}}};
    QTest::newRow("list is a folder") << Guasto([](const CartellaDati &d) {
      d.rimuovi(QStringLiteral("lista4.txt"));
      QDir(d.percorso()).mkdir(QStringLiteral("lista4.txt"));
    }) << Attese{{Difetto::ListaIlleggibile, E, "lista4.txt", 0, {"leggere"}}};
    QTest::newRow("list far too big") << Guasto([](const CartellaDati &d) {
      d.scriviFile(QStringLiteral("lista3.txt"), QByteArray(2 << 20, 'a'));
    }) << Attese{{Difetto::ListaIlleggibile, E, "lista3.txt", 0, {"troppo grande"}}};

    QTest::newRow("drawing missing") << Guasto([jpg](const CartellaDati &d) { d.rimuovi(jpg(bi(2))); })
                                     << Attese{{Difetto::DisegnoMancante, E, "lista2.txt", 3, {jpg(bi(2))}}};
    QTest::newRow("drawing in other case") << Guasto([jpg](const CartellaDati &d) {
      rinomina(d, jpg(bi(7)), jpg(maiuscolaIniziale(bi(7))));
    }) << Attese{{Difetto::DisegnoMaiuscole, A, "lista4.txt", 2, {jpg(maiuscolaIniziale(bi(7))), jpg(bi(7))}}};
    QTest::newRow("drawing not a picture") << Guasto([jpg](const CartellaDati &d) {
      d.scriviFile(jpg(tri(9)), "GIF89a ma non davvero");
    }) << Attese{{Difetto::DisegnoIlleggibile, E, "lista5.txt", 5, {jpg(tri(9))}}};
    QTest::newRow("drawing unreadable and in other case") << Guasto([jpg](const CartellaDati &d) {
      d.rimuovi(jpg(tri(0)));
      d.scriviFile(jpg(tri(0).toUpper()), "rotto");
    }) << Attese{{Difetto::DisegnoIlleggibile, E, "lista3.txt", 1, {jpg(tri(0).toUpper())}},
                 {Difetto::DisegnoMaiuscole, A, "lista3.txt", 1, {jpg(tri(0).toUpper()), jpg(tri(0))}}};

    QTest::newRow("two-syllable list of 3") << Guasto([](const CartellaDati &d) {
      d.scriviLista(QStringLiteral("lista2.txt"), Bisillabe.mid(0, 3));
    }) << Attese{{Difetto::TroppoPoche, E, "lista2.txt", 0, {"solo 3 parole", "almeno 4"}}};
    QTest::newRow("two-syllable list of 4") << Guasto([](const CartellaDati &d) {
      d.scriviLista(QStringLiteral("lista4.txt"), Bisillabe.mid(6, 4));
    }) << Attese{};
    QTest::newRow("three-syllable list of 2") << Guasto([](const CartellaDati &d) {
      d.scriviLista(QStringLiteral("lista5.txt"), Trisillabe.mid(5, 2));
    }) << Attese{{Difetto::TroppoPoche, E, "lista5.txt", 0, {"solo 2 parole", "almeno 3"}}};
    QTest::newRow("three-syllable list of 3") << Guasto([](const CartellaDati &d) {
      d.scriviLista(QStringLiteral("lista3.txt"), Trisillabe.mid(0, 3));
    }) << Attese{};
    QTest::newRow("few words, one without drawing") << Guasto([jpg](const CartellaDati &d) {
      d.scriviLista(QStringLiteral("lista5.txt"), Trisillabe.mid(5, 1));
      d.rimuovi(jpg(tri(5)));
    }) << Attese{{Difetto::TroppoPoche, E, "lista5.txt", 0, {"solo 1 parola:"}},
                 {Difetto::DisegnoMancante, E, "lista5.txt", 1, {jpg(tri(5))}}};
    QTest::newRow("empty list") << Guasto([](const CartellaDati &d) {
      d.scriviFile(QStringLiteral("lista4.txt"), "\r\n\r\n");
    }) << Attese{{Difetto::TroppoPoche, E, "lista4.txt", 0, {"vuota"}}};
    QTest::newRow("100 words") << Guasto([](const CartellaDati &d) {
      d.scriviLista(QStringLiteral("lista4.txt"), paroleBisillabe(100));
    }) << Attese{};
    QTest::newRow("101 words") << Guasto([](const CartellaDati &d) {
      d.scriviLista(QStringLiteral("lista4.txt"), paroleBisillabe(101));
    }) << Attese{{Difetto::TroppeParole, E, "lista4.txt", 101, {"101", "100"}}};

    QTest::newRow("fields run out") << Guasto([](const CartellaDati &d) {
      accoda(d, QStringLiteral("lista3.txt"), "pa,ta\r\n");
    }) << Attese{{Difetto::SillabeIncomplete, E, "lista3.txt", 6, {"3 sillabe"}}};
    QTest::newRow("cut right after a comma") << Guasto([](const CartellaDati &d) {
      accoda(d, QStringLiteral("lista2.txt"), "fi,");
    }) << Attese{{Difetto::SillabeIncomplete, E, "lista2.txt", 7, {"incompleta"}}};
    QTest::newRow("half a surrogate pair in a word") << Guasto([](const CartellaDati &d) {
      // Notepad's "Unicode" keeps whatever the text held, a lone high surrogate too.
      QString testo = QStringLiteral("c") + QChar(0xD83D) + QStringLiteral(",sa\r\n");
      for (const QStringList &p : Bisillabe.mid(0, 6))
        testo += p.join(QLatin1Char(',')) + QStringLiteral("\r\n");
      QByteArray utf16("\xFF\xFE", 2);
      for (const QChar c : testo) {
        utf16.append(char(c.unicode() & 0xFF));
        utf16.append(char(c.unicode() >> 8));
      }
      d.scriviFile(QStringLiteral("lista2.txt"), utf16);
    }) << Attese{{Difetto::DisegnoMancante, E, "lista2.txt", 1, {"\\ud83dsa", "c\\ud83dsa.jpg"}}};
    QTest::newRow("no complete word") << Guasto([](const CartellaDati &d) {
      d.scriviFile(QStringLiteral("lista5.txt"), "pa,ta\r\n");
    }) << Attese{{Difetto::TroppoPoche, E, "lista5.txt", 0, {"nemmeno una parola completa"}},
                 {Difetto::SillabeIncomplete, E, "lista5.txt", 1, {}}};
    QTest::newRow("word over two lines") << Guasto([](const CartellaDati &d) {
      accoda(d, QStringLiteral("lista3.txt"), "pa,ta\r\nta\r\n");
      d.scriviDisegno(QStringLiteral("patata"));
    }) << Attese{{Difetto::ParolaSuPiuRighe, A, "lista3.txt", 6, {"patata", "riga 7"}}};
    QTest::newRow("empty syllable") << Guasto([](const CartellaDati &d) {
      accoda(d, QStringLiteral("lista2.txt"), "ca,\r\n");
      d.scriviDisegno(QStringLiteral("ca"));
    }) << Attese{{Difetto::SillabaVuota, E, "lista2.txt", 7, {"sillaba 2"}}};
    QTest::newRow("empty quoted syllable") << Guasto([](const CartellaDati &d) {
      accoda(d, QStringLiteral("lista5.txt"), "\"\",ca,sa\r\n");
      d.scriviDisegno(QStringLiteral("casa"));
    }) << Attese{{Difetto::SillabaVuota, E, "lista5.txt", 6, {"sillaba 1"}}};
    QTest::newRow("word repeated in other case") << Guasto([](const CartellaDati &d) {
      accoda(d, QStringLiteral("lista2.txt"), Bisillabe[1].join(QLatin1Char(',')).toUpper().toUtf8() + "\r\n");
      d.scriviDisegno(bi(1).toUpper());
    }) << (CartellaDati().ignoraMaiuscole()
               // There the upper-case drawing is the lower-case file written over.
               ? Attese{{Difetto::ParolaRipetuta, A, "lista2.txt", 7, {bi(1).toUpper(), "riga 2"}},
                        {Difetto::DisegnoMaiuscole, A, "lista2.txt", 7, {jpg(bi(1)), jpg(bi(1).toUpper())}}}
               : Attese{{Difetto::ParolaRipetuta, A, "lista2.txt", 7, {bi(1).toUpper(), "riga 2"}}});

    QTest::newRow("sound missing") << Guasto([](const CartellaDati &d) { d.rimuovi(QStringLiteral("suoni/no.wav")); })
                                   << Attese{{Difetto::SuonoMancante, E, "suoni/no.wav", 0, {"sbagliata"}}};
    QTest::newRow("sound in other case") << Guasto([](const CartellaDati &d) {
      rinomina(d, QStringLiteral("suoni/si3.wav"), QStringLiteral("suoni/Si3.wav"));
    }) << (CartellaDati().ignoraMaiuscole()
               // The game plays it where case is ignored, and not where it counts.
               ? Attese{{Difetto::SuonoMaiuscole, A, "suoni/si3.wav", 0, {"giusta", QDir::toNativeSeparators(QStringLiteral("suoni/Si3.wav")), "rinominarlo si3.wav"}}}
               : Attese{{Difetto::SuonoMancante, E, "suoni/si3.wav", 0, {"giusta", QDir::toNativeSeparators(QStringLiteral("suoni/Si3.wav"))}}});
    QTest::newRow("sound not a sound") << Guasto([](const CartellaDati &d) {
      d.scriviFile(QStringLiteral("suoni/si2.wav"), "RIFF niente");
    }) << Attese{{Difetto::SuonoIlleggibile, E, "suoni/si2.wav", 0, {}}};
    // Drawings cheap on disk and dear to decode, by their header or by all their scans.
    QTest::newRow("drawing too heavy by its header") << Guasto([](const CartellaDati &d) {
      d.scriviFile(QStringLiteral("jpg/%1.jpg").arg(bi(2)),
                   jpeg::dopoInizio(jpeg::progressivoDichiarato(10900, 11000, 0x11), "\x00"));
    }) << Attese{{Difetto::DisegnoTroppoPesante, E, "lista2.txt", 3, {bi(2), "troppo pesante da mostrare"}}};
    QTest::newRow("drawing too heavy by its scans") << Guasto([](const CartellaDati &d) {
      d.scriviFile(QStringLiteral("jpg/%1.jpg").arg(tri(6)),
                   jpeg::ultimaScansioneRipetuta(jpeg::progressivoDichiarato(4000, 4000, 0x22), 2000));
    }) << Attese{{Difetto::DisegnoTroppoPesante, E, "lista5.txt", 2, {tri(6), "troppo pesante da mostrare", "vuota"}}};
    // Headers that would cost gigabytes to decode: named, not decoded.
    QTest::newRow("sound at 2147483647 Hz") << Guasto([](const CartellaDati &d) {
      d.scriviFile(QStringLiteral("suoni/no.wav"), wav::riff(wav::blocco("fmt ", wav::fmt(1, 1, 2147483647, 8)) +
                                                               wav::blocco("data", QByteArray(4096, '\x80'))));
    }) << Attese{{Difetto::SuonoFuoriLimiti, E, "suoni/no.wav", 0, {"2147483647 Hz", "silenzio"}}};
    QTest::newRow("sound of 1024 channels") << Guasto([](const CartellaDati &d) {
      d.scriviFile(QStringLiteral("suoni/si1.wav"), wav::riff(wav::blocco("fmt ", wav::fmt(1, 1024, 44100, 16)) +
                                                                wav::blocco("data", QByteArray(1024 * 2 * 100, '\0'))));
    }) << Attese{{Difetto::SuonoFuoriLimiti, E, "suoni/si1.wav", 0, {"1024 canali", "al massimo 8"}}};
    QTest::newRow("sound of 31 seconds") << Guasto([](const CartellaDati &d) {
      d.scriviFile(QStringLiteral("suoni/si4.wav"), wav::mono16(31 * 8000, 0, 8000));
    }) << Attese{{Difetto::SuonoTagliato, A, "suoni/si4.wav", 0, {"i primi 30,0 secondi"}}};

    const auto N = Gravita::Nota;
    QTest::newRow("syllable of a million letters") << Guasto([](const CartellaDati &d) {
      accoda(d, QStringLiteral("lista2.txt"), "\"" + QByteArray(1000000, 'a') + "\",sa\r\n");
    }) << Attese{{Difetto::SillabaTroppoLunga, E, "lista2.txt", 7,
                  {"1000000 lettere", "al massimo 64", QStringLiteral("\u00AB") + QString(39, QLatin1Char('a')) +
                                                           QStringLiteral("\u2026\u00BB")}}};
    QTest::newRow("word too long to name a file") << Guasto([](const CartellaDati &d) {
      const QByteArray e60 = QString(60, QChar(0xE8)).toUtf8();
      accoda(d, QStringLiteral("lista3.txt"), e60 + "," + e60 + "," + e60 + "\r\n");
    }) << Attese{{Difetto::NomeTroppoLungo, E, "lista3.txt", 6, {"255"}}};
    // One line with a syllable too many: the rest of the list is misread,
    // and all that follows from it is counted, not listed.
    QTest::newRow("one syllable too many") << Guasto([](const CartellaDati &d) {
      QList<QStringList> parole = Bisillabe.mid(6, 6);
      parole[1].append(QStringLiteral("zo"));
      d.scriviLista(QStringLiteral("lista4.txt"), parole);
    }) << Attese{{Difetto::FuoriPasso, E, "lista4.txt", 2, {"3 sillabe invece di 2", "alla riga 6"}},
                 {Difetto::ConseguenzeFuoriPasso, N, "lista4.txt", 2, {"9 segnalazioni", "5 errori e 4 avvisi"}}};
    QTest::newRow("one syllable too few, put right by one too many") << Guasto([jpg](const CartellaDati &d) {
      d.scriviFile(QStringLiteral("lista2.txt"), "pa\r\nta,lu,na\r\n" + Bisillabe[0].join(QLatin1Char(',')).toUtf8() +
                                                    "\r\nca,sa\r\n" + Bisillabe[1].join(QLatin1Char(',')).toUtf8() +
                                                    "\r\n" + Bisillabe[2].join(QLatin1Char(',')).toUtf8() + "\r\n");
      d.scriviDisegno(QStringLiteral("luna"));
    }) << Attese{{Difetto::FuoriPasso, E, "lista2.txt", 1, {"solo 1 sillaba invece di 2", "alla riga 2"}},
                 {Difetto::ConseguenzeFuoriPasso, N, "lista2.txt", 1, {"2 segnalazioni", "1 errore e 1 avviso"}},
                 // In step again: what follows is listed as usual.
                 {Difetto::DisegnoMancante, E, "lista2.txt", 4, {"casa"}}};
    QTest::newRow("last line with a syllable too many") << Guasto([](const CartellaDati &d) {
      accoda(d, QStringLiteral("lista5.txt"), "pa,ta,ta,ta\r\n");
      d.scriviDisegno(QStringLiteral("patata"));
    }) << Attese{{Difetto::FuoriPasso, E, "lista5.txt", 6, {"4 sillabe invece di 3", "alla riga 6"}},
                 {Difetto::ConseguenzeFuoriPasso, N, "lista5.txt", 6, {"1 segnalazione", "1 errore e 0 avvisi"}}};
    QTest::newRow("control characters in a word") << Guasto([jpg](const CartellaDati &d) {
      accoda(d, QStringLiteral("lista2.txt"), "\x1b[31mca,sa\x1b]0;x\x07\r\n");
    }) << Attese{{Difetto::DisegnoMancante, E, "lista2.txt", 7, {"\\x1b[31mcasa\\x1b]0;x\\x07"}}};
    QTest::newRow("drawing name decomposed") << Guasto([](const CartellaDati &d) {
      accoda(d, QStringLiteral("lista4.txt"), "caf,f\xC3\xA8\r\n");
      d.scriviDisegno(QStringLiteral("caffe") + QChar(0x0300));
    }) << Attese{};
    QTest::newRow("windows-1252 list with accents") << Guasto([](const CartellaDati &d) {
      accoda(d, QStringLiteral("lista4.txt"), "per,ch\xE9\r\n");
      d.scriviDisegno(QStringLiteral("perché"));
    }) << Attese{};

    // Voices the game passes over, for the next one: warnings, never errors.
    const auto voce = [](const QString &parola) { return QStringLiteral("voci/%1.wav").arg(parola); };
    // Attesa names its file by a pointer: these stay for the whole run.
    const auto fileVoce = [voce](const QString &parola) {
      static std::list<QByteArray> tenuti;
      tenuti.push_back(voce(parola).toUtf8());
      return tenuti.back().constData();
    };
    QTest::newRow("voice good, in other case") << Guasto([voce](const CartellaDati &d) {
      d.scriviFile(voce(maiuscolaIniziale(bi(0))), wav::mono16(8000, 5000, 16000));
    }) << Attese{};
    // A word taken out of a list leaves its voice behind: nothing to fix.
    QTest::newRow("voice of no word") << Guasto([voce](const CartellaDati &d) {
      d.scriviFile(voce(QStringLiteral("zzz")), wav::mono16(8000, 5000, 16000));
    }) << Attese{};
    QTest::newRow("voice zero bytes") << Guasto([voce](const CartellaDati &d) {
      d.scriviFile(voce(bi(1)), {});
    }) << Attese{{Difetto::VoceIllegibile, A, fileVoce(bi(1)), 0, {"non è un suono", "quella del computer"}}};
    QTest::newRow("voice not a sound") << Guasto([voce](const CartellaDati &d) {
      d.scriviFile(voce(tri(2)), "RIFF, ma non davvero");
    }) << Attese{{Difetto::VoceIllegibile, A, fileVoce(tri(2)), 0, {"non è un suono"}}};
    QTest::newRow("voice rate in its header huge") << Guasto([voce](const CartellaDati &d) {
      d.scriviFile(voce(bi(2)),
                   wav::riff(wav::blocco("fmt ", wav::fmt(1, 1, 1'000'000, 16)) +
                             wav::blocco("data", QByteArray(2000, 1))));
    }) << Attese{{Difetto::VoceFuoriLimiti, A, fileVoce(bi(2)), 0, {"1000000 Hz"}}};
    QTest::newRow("voice eleven seconds") << Guasto([voce](const CartellaDati &d) {
      d.scriviFile(voce(bi(3)), wav::mono16(11 * 8000, 5000, 8000));
    }) << Attese{{Difetto::VoceFuoriLimiti, A, fileVoce(bi(3)), 0, {"11,0 secondi", "al massimo 10"}}};
#ifdef Q_OS_UNIX
    // Opened, a FIFO would wait for a writer forever.
    QTest::newRow("voice a FIFO") << Guasto([voce](const CartellaDati &d) {
      QDir(d.percorso()).mkpath(QStringLiteral("voci"));
      QCOMPARE(::mkfifo(QFile::encodeName(d.file(voce(bi(4)))).constData(), 0600), 0);
    }) << Attese{{Difetto::VoceIllegibile, A, fileVoce(bi(4)), 0, {"non è un file normale"}}};
#endif
  }

  void difetti() {
    QFETCH(Guasto, guasto);
    QFETCH(Attese, attese);
    CartellaDati d;
    completa(d);
    guasto(d);

    const Rapporto r = verificaCartella(d.percorso());
    QStringList trovate, attesi;
    for (const Segnalazione &s : r.segnalazioni)
      trovate << chiave(s.difetto, s.gravita, s.file, s.riga);
    for (const Attesa &a : attese)
      attesi << chiave(a.difetto, a.gravita, QString::fromUtf8(a.file), a.riga);
    QCOMPARE(trovate.join(QLatin1Char(';')), attesi.join(QLatin1Char(';')));
    for (qsizetype i = 0; i < attese.size(); ++i)
      for (const QString &f : attese[i].frammenti)
        QVERIFY2(r.segnalazioni[i].testo.contains(f), qPrintable(r.segnalazioni[i].testo + QStringLiteral(" <- ") + f));
  }

  void cartellaVuota() {
    CartellaDati d;
    const Rapporto r = verificaCartella(d.percorso());
    QStringList trovate;
    for (const Segnalazione &s : r.segnalazioni)
      trovate << chiave(s.difetto, s.gravita, s.file, s.riga);
    QCOMPARE(trovate, QStringList({
                          chiave(Difetto::ListaMancante, Gravita::Errore, QStringLiteral("lista2.txt"), 0),
                          chiave(Difetto::ListaMancante, Gravita::Errore, QStringLiteral("lista4.txt"), 0),
                          chiave(Difetto::ListaMancante, Gravita::Errore, QStringLiteral("lista3.txt"), 0),
                          chiave(Difetto::ListaMancante, Gravita::Errore, QStringLiteral("lista5.txt"), 0),
                          chiave(Difetto::SuonoMancante, Gravita::Errore, QStringLiteral("suoni/si1.wav"), 0),
                          chiave(Difetto::SuonoMancante, Gravita::Errore, QStringLiteral("suoni/si2.wav"), 0),
                          chiave(Difetto::SuonoMancante, Gravita::Errore, QStringLiteral("suoni/si3.wav"), 0),
                          chiave(Difetto::SuonoMancante, Gravita::Errore, QStringLiteral("suoni/si4.wav"), 0),
                          chiave(Difetto::SuonoMancante, Gravita::Errore, QStringLiteral("suoni/no.wav"), 0),
                      }));
    QCOMPARE(r.parole, 0);
  }

  // Near misses and divisions: the finding that names the cause, among the others.
  void suggerimenti_data() {
    QTest::addColumn<Guasto2>("guasto");
    QTest::addColumn<bool>("conUtente");  // the user's folder is looked in first
    QTest::addColumn<int>("difetto");
    QTest::addColumn<int>("gravita");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("riga");
    QTest::addColumn<QString>("frammento");
    const auto png = [](const CartellaDati &d, const QString &nome) {
      QImage img(12, 10, QImage::Format_RGB32);
      img.fill(Qt::red);
      QVERIFY(img.save(d.file(nome), "PNG"));
    };
    QTest::newRow("drawing saved as png") << Guasto2([png](const CartellaDati &d, const CartellaDati &) {
      d.rimuovi(QStringLiteral("jpg/%1.jpg").arg(bi(2)));
      png(d, QStringLiteral("jpg/%1.png").arg(bi(2)));
    }) << false << int(Difetto::DisegnoQuasi) << int(Gravita::Errore) << "lista2.txt" << 3
       << QStringLiteral("c'è \u00AB%1.png\u00BB: il disegno deve essere un JPEG di nome %1.jpg").arg(bi(2));
    QTest::newRow("drawing named twice .jpg") << Guasto2([](const CartellaDati &d, const CartellaDati &) {
      rinomina(d, QStringLiteral("jpg/%1.jpg").arg(tri(6)), QStringLiteral("jpg/%1.jpg.jpg").arg(tri(6)));
    }) << false << int(Difetto::DisegnoQuasi) << int(Gravita::Errore) << "lista5.txt" << 2
       << QStringLiteral("due volte");
    QTest::newRow("list named twice .txt") << Guasto2([](const CartellaDati &d, const CartellaDati &) {
      rinomina(d, QStringLiteral("lista3.txt"), QStringLiteral("lista3.txt.txt"));
    }) << false << int(Difetto::ListaQuasi) << int(Gravita::Errore) << "lista3.txt" << 0
       << QStringLiteral("\u00ABlista3.txt.txt\u00BB");
    QTest::newRow("list as a spreadsheet") << Guasto2([](const CartellaDati &d, const CartellaDati &) {
      rinomina(d, QStringLiteral("lista4.txt"), QStringLiteral("lista4.csv"));
    }) << false << int(Difetto::ListaQuasi) << int(Gravita::Errore) << "lista4.txt" << 0
       << QStringLiteral("testo semplice di nome lista4.txt");
    QTest::newRow("syllables with hyphens") << Guasto2([](const CartellaDati &d, const CartellaDati &) {
      d.scriviFile(QStringLiteral("lista2.txt"), "ca-sa\r\nlu-na\r\nra-na\r\nme-la\r\n");
    }) << false << int(Difetto::SillabeColTrattino) << int(Gravita::Errore) << "lista2.txt" << 1
       << QStringLiteral("\u00ABca-sa\u00BB divide le sillabe con il trattino: il gioco le vuole separate da "
                         "virgole (\u00ABca,sa\u00BB); come questa, altre 3 righe");
    QTest::newRow("division not the school's") << Guasto2([](const CartellaDati &d, const CartellaDati &) {
      accoda(d, QStringLiteral("lista4.txt"), "ga,tto\r\n");
      d.scriviDisegno(QStringLiteral("gatto"));
    }) << false << int(Difetto::DivisioneDiversa) << int(Gravita::Avviso) << "lista4.txt" << 7
       << QStringLiteral("a scuola si divide \u00ABgat,to\u00BB");
    QTest::newRow("user's list with a capital") << Guasto2([](const CartellaDati &, const CartellaDati &u) {
      u.scriviLista(QStringLiteral("Lista2.txt"), Bisillabe.mid(0, 6));
    }) << true << int(Difetto::ListaQuasi) << int(Gravita::Avviso) << "lista2.txt" << 0
       << QStringLiteral("per ora il gioco legge la lista di");
    QTest::newRow("user's drawing as png") << Guasto2([png](const CartellaDati &, const CartellaDati &u) {
      png(u, QStringLiteral("jpg/%1.png").arg(bi(8)));
    }) << true << int(Difetto::DisegnoQuasi) << int(Gravita::Avviso) << "lista4.txt" << 3
       << QStringLiteral("il disegno deve essere un JPEG");
  }

  void suggerimenti() {
    QFETCH(Guasto2, guasto);
    QFETCH(bool, conUtente);
    QFETCH(int, difetto);
    QFETCH(int, gravita);
    QFETCH(QString, file);
    QFETCH(int, riga);
    QFETCH(QString, frammento);
    CartellaDati programma, utente;
    completa(programma);
    if (CartellaDati().ignoraMaiuscole() && QTest::currentDataTag() == QByteArray("user's list with a capital"))
      QSKIP("where case is ignored the game reads Lista2.txt");
    guasto(programma, utente);
    const Rapporto r = conUtente ? verificaCartelle({utente.percorso(), programma.percorso()})
                                 : verificaCartella(programma.percorso());
    QStringList tutte;
    for (const Segnalazione &s : r.segnalazioni) {
      tutte << formatta(s);
      if (int(s.difetto) == difetto && int(s.gravita) == gravita && s.file == file && s.riga == riga &&
          s.testo.contains(frammento))
        return;
    }
    QFAIL(qPrintable(tutte.join(QLatin1Char('\n'))));
  }

  void conteggi() {
    CartellaDati d;
    completa(d);
    const Rapporto r = verificaCartella(d.percorso());
    QCOMPARE(r.liste, 4);
    QCOMPARE(r.parole, 6 + 6 + 5 + 5);
    QCOMPARE(r.suoni, 5);
  }

  // Which words the computer's voice says: those with no recording the game
  // plays in either folder, the user's looked in first.
  void voci() {
    CartellaDati utente;
    CartellaDati programma;
    completa(programma);
    const QString buona = QStringLiteral("voci/%1.wav");
    programma.scriviFile(buona.arg(bi(0)), wav::mono16(8000, 5000, 16000));
    utente.scriviFile(buona.arg(tri(0)), wav::mono16(8000, 5000, 16000));
    utente.scriviFile(buona.arg(bi(1)), "rotto");  // passed over: the word goes to the computer
    utente.scriviFile(buona.arg(QStringLiteral("zzz")), wav::mono16(8000, 5000, 16000));  // a slip of hers
    programma.scriviFile(buona.arg(QStringLiteral("yyy")), wav::mono16(8000, 5000, 16000));  // a word taken out

    const Rapporto r = verificaCartelle({utente.percorso(), programma.percorso()});
    QCOMPARE(r.voci, 5);
    QCOMPARE(r.paroleConVoce, 2);
    QCOMPARE(r.paroleSenzaVoce.size(), r.parole - 2);
    QVERIFY(r.paroleSenzaVoce.contains(bi(1)));
    QVERIFY(!r.paroleSenzaVoce.contains(bi(0)) && !r.paroleSenzaVoce.contains(tri(0)));
    const QString riga = riepilogoVoci(r);
    QVERIFY2(riga.startsWith(QStringLiteral("Voci: 2 parole con la registrazione, %1 senza: le dice la voce del "
                                            "computer")
                                 .arg(r.parole - 2)),
             qPrintable(riga));
    QVERIFY2(riga.contains(QStringLiteral("\u00AB%1\u00BB").arg(bi(1))), qPrintable(riga));
    QStringList trovate;
    for (const Segnalazione &s : r.segnalazioni)
      trovate << chiave(s.difetto, s.gravita, s.file, s.riga);
    // The broken one and her slip; the good ones, and the program's leftover, say nothing.
    QCOMPARE(trovate, QStringList({chiave(Difetto::VoceIllegibile, Gravita::Avviso, buona.arg(bi(1)), 0),
                                   chiave(Difetto::VoceSenzaParola, Gravita::Avviso, buona.arg(QStringLiteral("zzz")), 0)}));

    // Checked alone, the program's folder has one recording.
    QCOMPARE(verificaCartella(programma.percorso()).paroleConVoce, 1);
    Rapporto nessuna;
    nessuna.paroleSenzaVoce << QStringLiteral("casa");
    QCOMPARE(riepilogoVoci(nessuna), QStringLiteral("Voci: nessuna parola ha la sua registrazione, le dice tutte la "
                                                    "voce del computer, se ne ha una italiana (altrimenti c'è "
                                                    "silenzio)."));
  }

  // What the game reads from two folders: the user's list in place of the
  // program's, drawings from either, the sounds from the program's alone.
  void dueCartelle() {
    CartellaDati utente;
    CartellaDati programma;
    completa(programma);
    const QList<QStringList> proprie = paroleBisillabe(16).mid(12, 4);
    utente.scriviLista(QStringLiteral("lista2.txt"), proprie);
    utente.rimuovi(QStringLiteral("jpg/%1.jpg").arg(proprie[2].join(QString())));
    rinomina(utente, QStringLiteral("jpg/%1.jpg").arg(proprie[1].join(QString())),
             QStringLiteral("jpg/%1.jpg").arg(maiuscolaIniziale(proprie[1].join(QString()))));
    accoda(utente, QStringLiteral("lista2.txt"), Bisillabe[0].join(QLatin1Char(',')).toUtf8() + "\r\n");

    const Rapporto r = verificaCartelle({utente.percorso(), programma.percorso()});
    QStringList provenienze;
    for (const Provenienza &p : r.provenienze)
      provenienze << p.file + QLatin1Char('@') + (p.cartella == utente.percorso()       ? QStringLiteral("u")
                                                  : p.cartella == programma.percorso() ? QStringLiteral("p")
                                                                                       : p.cartella);
    QCOMPARE(provenienze, QStringList({QStringLiteral("lista2.txt@u"), QStringLiteral("lista4.txt@p"),
                                       QStringLiteral("lista3.txt@p"), QStringLiteral("lista5.txt@p")}));
    QStringList trovate;
    for (const Segnalazione &s : r.segnalazioni)
      trovate << chiave(s.difetto, s.gravita, s.file, s.riga);
    // Line 5's word has its drawing in the program's folder only: no finding.
    QCOMPARE(trovate, QStringList({chiave(Difetto::DisegnoMaiuscole, Gravita::Avviso, QStringLiteral("lista2.txt"), 2),
                                   chiave(Difetto::DisegnoMancante, Gravita::Errore, QStringLiteral("lista2.txt"), 3)}));
    // With two folders the teacher is told which one holds the misnamed file.
    QVERIFY2(r.segnalazioni[0].testo.contains(QDir::toNativeSeparators(utente.percorso())),
             qPrintable(r.segnalazioni[0].testo));
    QCOMPARE(r.parole, 5 + 6 + 5 + 5);
  }

  // The program without a folder: what the game reads, from the user's data
  // folder first, each list saying where it came from.
  void programmaSenzaCartella_data() {
    QTest::addColumn<bool>("personale");
    QTest::addColumn<int>("uscita");
    QTest::addColumn<QStringList>("righe");  // each must be in the output, %1 the user folder, %2 the program's
    QTest::newRow("no user folder")
        << false << 0
        << QStringList{QStringLiteral("Controllo la cartella \u00AB%2\u00BB"),
                       QStringLiteral("(la cartella personale \u00AB%1\u00BB non c'è: il gioco legge tutto dalla "
                                      "cartella del programma)"),
                       QStringLiteral("Tutto a posto: ")};
    QTest::newRow("a list of the user's own")
        << true << 1
        << QStringList{QStringLiteral("Controllo quello che legge il gioco: prima la cartella personale "
                                      "\u00AB%1\u00BB, poi quella del programma \u00AB%2\u00BB"),
                       QStringLiteral("lista2.txt: letta da \u00AB%1\u00BB"),
                       QStringLiteral("lista4.txt: letta da \u00AB%2\u00BB"),
                       QStringLiteral("lista3.txt: letta da \u00AB%2\u00BB"),
                       QStringLiteral("lista5.txt: letta da \u00AB%2\u00BB"),
                       QStringLiteral("[ERRORE] lista2.txt, riga 2: manca il disegno della parola \u00ABnulla\u00BB"),
                       QStringLiteral("Da sistemare: 1 errore e 0 avvisi")};
  }

  void programmaSenzaCartella() {
    QFETCH(bool, personale);
    QFETCH(int, uscita);
    QFETCH(QStringList, righe);
    const QString cartellaGioco = QFileInfo(QStringLiteral(QUIRLO_VERIFICA)).absolutePath();
    QTemporaryDir dati;
    // The user folder the checker will compute, under a home of the test's own
    // (XDG_DATA_HOME on Linux, APPDATA on Windows).
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("XDG_DATA_HOME"), dati.path());
    ambiente.insert(QStringLiteral("APPDATA"), dati.path());
    const QByteArray primaXdg = qgetenv("XDG_DATA_HOME"), primaAppdata = qgetenv("APPDATA");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dati.path()));
    qputenv("APPDATA", QFile::encodeName(dati.path()));
    const QString utente = quirlo::cartellaUtenteDelSistema();
    qputenv("XDG_DATA_HOME", primaXdg);
    qputenv("APPDATA", primaAppdata);
    QVERIFY(utente.startsWith(QDir::cleanPath(dati.path())));
    if (personale) {
      // Three words of the game's own list, whose drawings are the program's, and one with none.
      QFile spedita(QDir(cartellaGioco).filePath(QStringLiteral("lista2.txt")));
      QVERIFY(spedita.open(QIODevice::ReadOnly));
      QByteArrayList spedite;
      for (int i = 0; i < 3; ++i)
        spedite << spedita.readLine().trimmed();
      QVERIFY(QDir().mkpath(utente));
      QFile propria(QDir(utente).filePath(QStringLiteral("lista2.txt")));
      QVERIFY(propria.open(QIODevice::WriteOnly));
      propria.write(spedite[0] + "\r\nnul,la\r\n" + spedite[1] + "\r\n" + spedite[2] + "\r\n");
    }
    QProcess p;
    p.setProcessEnvironment(ambiente);
    p.start(QStringLiteral(QUIRLO_VERIFICA), {});
    QVERIFY(p.waitForFinished(60000));
    const QString uscite = QString::fromUtf8(p.readAllStandardOutput());
    for (const QString &r : righe) {
      const QString attesa = QString(r)
                                 .replace(QStringLiteral("%1"), QDir::toNativeSeparators(utente))
                                 .replace(QStringLiteral("%2"), QDir::toNativeSeparators(cartellaGioco));
      QVERIFY2(uscite.contains(attesa), qPrintable(attesa + QStringLiteral("\n not in:\n") + uscite));
    }
    QCOMPARE(p.exitCode(), uscita);
  }

  void formato_data() {
    QTest::addColumn<int>("gravita");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("riga");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("error with line") << int(Gravita::Errore) << QStringLiteral("lista2.txt") << 4
                                     << QStringLiteral("[ERRORE] lista2.txt, riga 4: testo");
    QTest::newRow("warning with line") << int(Gravita::Avviso) << QStringLiteral("lista5.txt") << 12
                                       << QStringLiteral("[AVVISO] lista5.txt, riga 12: testo");
    QTest::newRow("no line") << int(Gravita::Errore) << QStringLiteral("suoni/no.wav") << 0
                             << QDir::toNativeSeparators(QStringLiteral("[ERRORE] suoni/no.wav: testo"));
  }

  void formato() {
    QFETCH(int, gravita);
    QFETCH(QString, file);
    QFETCH(int, riga);
    QFETCH(QString, atteso);
    QCOMPARE(formatta({Difetto::DisegnoMancante, Gravita(gravita), file, riga, QStringLiteral("testo")}), atteso);
  }

  void riepilogo_data() {
    QTest::addColumn<int>("errori");
    QTest::addColumn<int>("avvisi");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("none") << 0 << 0
                          << QStringLiteral("Tutto a posto: controllati 4 liste (1 parola), i loro disegni e 5 suoni.");
    QTest::newRow("one of each") << 1 << 1
                                 << QStringLiteral("Da sistemare: 1 errore e 1 avviso in 4 liste (1 parola), "
                                                   "i loro disegni e 5 suoni.");
    QTest::newRow("plurals") << 2 << 0
                             << QStringLiteral("Da sistemare: 2 errori e 0 avvisi in 4 liste (1 parola), "
                                               "i loro disegni e 5 suoni.");
  }

  void riepilogo() {
    QFETCH(int, errori);
    QFETCH(int, avvisi);
    QFETCH(QString, atteso);
    Rapporto r;
    r.liste = 4;
    r.parole = 1;
    r.suoni = 5;
    for (int i = 0; i < errori; ++i)
      r.segnalazioni.append({Difetto::SuonoMancante, Gravita::Errore, QStringLiteral("x"), 0, {}});
    for (int i = 0; i < avvisi; ++i)
      r.segnalazioni.append({Difetto::ParolaRipetuta, Gravita::Avviso, QStringLiteral("x"), 1, {}});
    QCOMPARE(verifica::riepilogo(r), atteso);
  }

  // The program as a teacher runs it: one line per problem, a summary, the exit
  // status a script relies on (0: every list will be used, 1: something to
  // fix first, 2: the command was wrong and nothing was checked).
  void programma_data() {
    QTest::addColumn<Guasto>("guasto");
    QTest::addColumn<QStringList>("argomenti");  // %1 is the data folder
    QTest::addColumn<int>("uscita");
    QTest::addColumn<QStringList>("righe");  // the output ends with these, in this order
    const QStringList cartella{QStringLiteral("%1")};
    const Guasto niente = [](const CartellaDati &) {};
    QTest::newRow("all well") << niente << cartella << 0
                              << QStringList{QStringLiteral("Tutto a posto: controllati 4 liste (22 parole), i loro "
                                                            "disegni e 5 suoni.")};
    QTest::newRow("one problem") << Guasto([](const CartellaDati &d) {
      d.rimuovi(QStringLiteral("jpg/%1.jpg").arg(bi(0)));
    }) << cartella << 1
       << QStringList{QDir::toNativeSeparators(
                          QStringLiteral("[ERRORE] lista2.txt, riga 1: manca il disegno della parola \u00AB%1\u00BB: "
                                         "il file deve chiamarsi jpg/%1.jpg")
                              .arg(bi(0))),
                      QStringLiteral("Da sistemare: 1 errore e 0 avvisi in 4 liste (22 parole), i loro disegni e 5 "
                                     "suoni.")};
    // Warnings alone leave every list in use: nothing for a script to stop on.
    QTest::newRow("warnings only") << Guasto([](const CartellaDati &d) {
      rinomina(d, QStringLiteral("jpg/%1.jpg").arg(bi(1)), QStringLiteral("jpg/%1.jpg").arg(maiuscolaIniziale(bi(1))));
      accoda(d, QStringLiteral("lista4.txt"), Bisillabe[6].join(QLatin1Char(',')).toUtf8() + "\r\n");
    }) << cartella << 0
       << QStringList{QStringLiteral("[AVVISO] lista2.txt, riga 2: il disegno della parola \u00AB%1\u00BB").arg(bi(1)),
                      QStringLiteral("[AVVISO] lista4.txt, riga 7: la parola \u00AB%1\u00BB c'è già alla riga 1")
                          .arg(bi(6)),
                      QStringLiteral("Da sistemare: 0 errori e 2 avvisi in 4 liste (23 parole), i loro disegni e 5 "
                                     "suoni.")};
    QTest::newRow("a warning and an error") << Guasto([](const CartellaDati &d) {
      accoda(d, QStringLiteral("lista4.txt"), Bisillabe[6].join(QLatin1Char(',')).toUtf8() + "\r\n");
      d.rimuovi(QStringLiteral("suoni/no.wav"));
    }) << cartella << 1 << QStringList{QStringLiteral("Da sistemare: 1 errore e 1 avviso in 4 liste (23 parole), i "
                                                      "loro disegni e 5 suoni.")};
    // Nothing from a list reaches the terminal as a control character.
    QTest::newRow("control characters") << Guasto([](const CartellaDati &d) {
      accoda(d, QStringLiteral("lista2.txt"), "\x1b[31mca,sa\x1b]0;x\x07\r\n");
    }) << cartella << 1
       << QStringList{QStringLiteral("[ERRORE] lista2.txt, riga 7: manca il disegno della parola "
                                     "\u00AB\\x1b[31mcasa\\x1b]0;x\\x07\u00BB: il file deve chiamarsi "
                                     "%1\\x1b[31mcasa\\x1b]0;x\\x07.jpg").arg(QDir::toNativeSeparators(QStringLiteral("jpg/"))),
                      QStringLiteral("Da sistemare: 1 errore e 0 avvisi in 4 liste (23 parole), i loro disegni e 5 "
                                     "suoni.")};
    QTest::newRow("no such folder") << niente << QStringList{QStringLiteral("%1/non-ci-sono")} << 2
                                    << QStringList{QStringLiteral("non esiste.")};
    const QString fineUso = QStringLiteral("almeno un errore, con 2 se il comando è sbagliato o la cartella non esiste.");
    QTest::newRow("help") << niente << QStringList{QStringLiteral("--help")} << 0
                          << QStringList{QStringLiteral("Uso: quirlo-verifica [cartella]"), fineUso};
    QTest::newRow("option alone") << niente << QStringList{QStringLiteral("-v")} << 2
                                  << QStringList{QStringLiteral("Opzione sconosciuta: -v"),
                                                 QStringLiteral("Uso: quirlo-verifica [cartella]"), fineUso};
    QTest::newRow("two folders") << niente << QStringList{QStringLiteral("%1"), QStringLiteral("%1")} << 2
                                 << QStringList{QStringLiteral("Troppi argomenti"), fineUso};
  }

  void programma() {
    QFETCH(Guasto, guasto);
    QFETCH(QStringList, argomenti);
    QFETCH(int, uscita);
    QFETCH(QStringList, righe);
    CartellaDati d;
    completa(d);
    guasto(d);
    for (QString &a : argomenti)
      a.replace(QStringLiteral("%1"), d.percorso());
    QProcess p;
    p.start(QStringLiteral(QUIRLO_VERIFICA), argomenti);
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    const QString testo = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(p.exitCode() == uscita, qPrintable(QStringLiteral("exit code %1\n").arg(p.exitCode()) + testo));
    // Lines end in CR LF on Windows.
    const QStringList uscite = QString(testo).remove(QLatin1Char('\r')).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    qsizetype i = 0;
    for (const QString &attesa : righe) {
      while (i < uscite.size() && !uscite[i].startsWith(attesa) && !uscite[i].endsWith(attesa))
        ++i;
      QVERIFY2(i < uscite.size(), qPrintable(attesa + QStringLiteral("\n not in:\n") + testo));
      ++i;
    }
    if (!righe.isEmpty())
      QVERIFY2(uscite.last().endsWith(righe.last()), qPrintable(testo));
  }
  // In a cmd.exe window (OEM code page 850 in Italy) the checker's « » and
  // accented letters show as written.
  void consoleDiWindows() {
#ifdef _WIN32
    // Run from a pipe (ctest) the test may have a console with no page at
    // all, which Windows won't let it replace until it leaves it.
    bool nuova = false;
    if (GetConsoleOutputCP() == 0) {
      FreeConsole();
      nuova = AllocConsole();
    }
    // Wine opens a console only where it can show its window.
    if (GetConsoleOutputCP() == 0 && !qEnvironmentVariableIsSet("QUIRLO_CONSOLE"))
      QSKIP("no console window here: the wine_console test runs this on a display");
    const HANDLE schermo = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    QVERIFY2(schermo != INVALID_HANDLE_VALUE, qPrintable(QStringLiteral("no console (error %1)").arg(GetLastError())));
    const HANDLE prima = GetStdHandle(STD_OUTPUT_HANDLE);
    SetStdHandle(STD_OUTPUT_HANDLE, schermo);
    const UINT pagina = GetConsoleOutputCP();
    SetConsoleOutputCP(850);
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(schermo, &info);
    const QString riga = QStringLiteral("\u00ABperch\u00E9 c'\u00E8 \u00E0 \u00F2 \u00F9\u00BB");
    quirlo::scriviUscita(riga);
    wchar_t letti[64] = {};
    DWORD quanti = 0;
    ReadConsoleOutputCharacterW(schermo, letti, DWORD(riga.size()), info.dwCursorPosition, &quanti);
    const UINT paginaDopo = GetConsoleOutputCP();
    SetStdHandle(STD_OUTPUT_HANDLE, prima);
    SetConsoleOutputCP(pagina);
    CloseHandle(schermo);
    if (nuova)
      FreeConsole();
    QCOMPARE(QString::fromWCharArray(letti, int(quanti)), riga);
    QCOMPARE(paginaDopo, 850u);
#else
    QSKIP("terminals here are UTF-8 already");
#endif
  }

  // Opened on its own, as a double click or the Start menu opens it, the
  // checker keeps its window until Enter is pressed; started from a program
  // that shares its console (ctest here, cmd.exe) it never waits.
  void finestraPropria() {
#ifdef _WIN32
    if (!qEnvironmentVariableIsSet("QUIRLO_CONSOLE"))
      QSKIP("no console window here: the wine_console test runs this on a display");
    CartellaDati d;
    completa(d);
    QProcess p;
    p.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *a) {
      a->flags |= CREATE_NEW_CONSOLE;
      a->startupInfo->dwFlags &= ~DWORD(STARTF_USESTDHANDLES);
    });
    p.start(QStringLiteral(QUIRLO_VERIFICA), {d.percorso()});
    QVERIFY(p.waitForStarted());
    QVERIFY2(!p.waitForFinished(3000), "the window closed without waiting");
    FreeConsole();
    QVERIFY2(AttachConsole(DWORD(p.processId())), qPrintable(QString::number(GetLastError())));
    const auto apri = [](const wchar_t *nome) {
      return CreateFileW(nome, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
    };
    const HANDLE schermo = apri(L"CONOUT$"), tastiera = apri(L"CONIN$");
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(schermo, &info);
    std::wstring visto(size_t(info.dwSize.X) * size_t(info.dwCursorPosition.Y + 1), L' ');
    DWORD letti = 0;
    ReadConsoleOutputCharacterW(schermo, visto.data(), DWORD(visto.size()), COORD{0, 0}, &letti);
    INPUT_RECORD invio[2] = {};
    for (int i = 0; i < 2; ++i) {
      invio[i].EventType = KEY_EVENT;
      invio[i].Event.KeyEvent.bKeyDown = i == 0;
      invio[i].Event.KeyEvent.wRepeatCount = 1;
      invio[i].Event.KeyEvent.wVirtualKeyCode = VK_RETURN;
      invio[i].Event.KeyEvent.uChar.UnicodeChar = L'\r';
    }
    DWORD scritti = 0;
    const bool premuto = WriteConsoleInputW(tastiera, invio, 2, &scritti);
    CloseHandle(schermo);
    CloseHandle(tastiera);
    FreeConsole();
    QVERIFY(premuto);
    QVERIFY2(p.waitForFinished(20000), "Enter did not close the window");
    QCOMPARE(p.exitCode(), 0);
    const QString testo = QString::fromWCharArray(visto.data(), int(letti)).simplified();
    QVERIFY2(testo.contains(QStringLiteral("Tutto a posto: controllati 4 liste (22 parole)")), qPrintable(testo));
    QVERIFY2(testo.contains(QStringLiteral("Premi Invio per chiudere questa finestra.")), qPrintable(testo));
#else
    QSKIP("a console window of its own is a Windows thing");
#endif
  }
};

QUIRLO_TEST_GUILESS_MAIN(ProvaVerifica)
#include "test_verifica.moc"
