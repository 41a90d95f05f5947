#include "Dati.h"
#include "ModuloColoriSuoni.h"
#include "Piattaforma.h"
#include "PiattaformaFinta.h"
#include "Verifica.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <functional>

using namespace quirlo;
using namespace quirlo::prova;
using namespace quirlo::verifica;

namespace {

// Each list gets words of its own, so a broken drawing shows up in one list only.
const QList<QStringList> Bisillabe = paroleBisillabe(12);
const QList<QStringList> Trisillabe = paroleTrisillabe(10);
QString bi(int i) { return Bisillabe[i].join(QString()); }
QString tri(int i) { return Trisillabe[i].join(QString()); }

const char *SuoniGioco[] = {"suoni/si1.wav", "suoni/si2.wav", "suoni/si3.wav", "suoni/si4.wav", "suoni/no.wav"};

// A tenth of a second of silence, 16-bit mono PCM.
QByteArray wav() {
  const quint32 dati = 4410 * 2;
  QByteArray b;
  auto u32 = [&b](quint32 v) {
    for (int i = 0; i < 4; ++i)
      b.append(char((v >> (8 * i)) & 0xFF));
  };
  auto u16 = [&b](quint16 v) { b.append(char(v & 0xFF)).append(char(v >> 8)); };
  b.append("RIFF");
  u32(36 + dati);
  b.append("WAVEfmt ");
  u32(16);
  u16(1);
  u16(1);
  u32(44100);
  u32(88200);
  u16(2);
  u16(16);
  b.append("data");
  u32(dati);
  b.append(QByteArray(dati, '\0'));
  return b;
}

void completa(const CartellaDati &d) {
  d.scriviLista(QStringLiteral("lista2.txt"), Bisillabe.mid(0, 6));
  d.scriviLista(QStringLiteral("lista4.txt"), Bisillabe.mid(6, 6));
  d.scriviLista(QStringLiteral("lista3.txt"), Trisillabe.mid(0, 5));
  d.scriviLista(QStringLiteral("lista5.txt"), Trisillabe.mid(5, 5));
  for (const char *s : SuoniGioco)
    d.scriviFile(QString::fromLatin1(s), wav());
}

void accoda(const CartellaDati &d, const QString &lista, const QByteArray &righe) {
  QFile f(d.file(lista));
  QVERIFY(f.open(QIODevice::Append));
  f.write(righe);
}

void rinomina(const CartellaDati &d, const QString &da, const QString &a) {
  QVERIFY(QFile::rename(d.file(da), d.file(a)));
}

QString maiuscolaIniziale(QString s) {
  s[0] = s[0].toUpper();
  return s;
}

const char *nome(Difetto d) {
  switch (d) {
    case Difetto::ListaMancante: return "ListaMancante";
    case Difetto::ListaIlleggibile: return "ListaIlleggibile";
    case Difetto::TroppeParole: return "TroppeParole";
    case Difetto::TroppoPoche: return "TroppoPoche";
    case Difetto::SillabeIncomplete: return "SillabeIncomplete";
    case Difetto::SillabaVuota: return "SillabaVuota";
    case Difetto::ParolaSuPiuRighe: return "ParolaSuPiuRighe";
    case Difetto::ParolaRipetuta: return "ParolaRipetuta";
    case Difetto::DisegnoMancante: return "DisegnoMancante";
    case Difetto::DisegnoMaiuscole: return "DisegnoMaiuscole";
    case Difetto::DisegnoIlleggibile: return "DisegnoIlleggibile";
    case Difetto::SuonoMancante: return "SuonoMancante";
    case Difetto::SuonoIlleggibile: return "SuonoIlleggibile";
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
      .arg(QLatin1String(nome(d)), g == Gravita::Errore ? QStringLiteral("errore") : QStringLiteral("avviso"), file)
      .arg(riga);
}

}  // namespace

using Guasto = std::function<void(const CartellaDati &)>;
using Attese = QList<Attesa>;
Q_DECLARE_METATYPE(Guasto)
Q_DECLARE_METATYPE(Attese)

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
    }) << Attese{{Difetto::ParolaRipetuta, A, "lista2.txt", 7, {bi(1).toUpper(), "riga 2"}}};

    QTest::newRow("sound missing") << Guasto([](const CartellaDati &d) { d.rimuovi(QStringLiteral("suoni/no.wav")); })
                                   << Attese{{Difetto::SuonoMancante, E, "suoni/no.wav", 0, {"sbagliata"}}};
    QTest::newRow("sound in other case") << Guasto([](const CartellaDati &d) {
      rinomina(d, QStringLiteral("suoni/si3.wav"), QStringLiteral("suoni/Si3.wav"));
    }) << Attese{{Difetto::SuonoMancante, E, "suoni/si3.wav", 0, {"giusta", QDir::toNativeSeparators(QStringLiteral("suoni/Si3.wav"))}}};
    QTest::newRow("sound not a sound") << Guasto([](const CartellaDati &d) {
      d.scriviFile(QStringLiteral("suoni/si2.wav"), "RIFF niente");
    }) << Attese{{Difetto::SuonoIlleggibile, E, "suoni/si2.wav", 0, {}}};

    QTest::newRow("windows-1252 list with accents") << Guasto([](const CartellaDati &d) {
      accoda(d, QStringLiteral("lista4.txt"), "per,ch\xE9\r\n");
      d.scriviDisegno(QStringLiteral("perché"));
    }) << Attese{};
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
    QCOMPARE(trovate, attesi);
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

  void conteggi() {
    CartellaDati d;
    completa(d);
    const Rapporto r = verificaCartella(d.percorso());
    QCOMPARE(r.liste, 4);
    QCOMPARE(r.parole, 6 + 6 + 5 + 5);
    QCOMPARE(r.suoni, 5);
  }

  // The checker looks for the very files the game plays.
  void stessiSuoniDelGioco() {
    PiattaformaInstallata p;
    p.finta.cartella = QStringLiteral("/cartella/gioco");
    QStringList delGioco;
    for (int n = 1; n <= ModuloColoriSuoni::SuoniEsatti; ++n)
      delGioco << ModuloColoriSuoni::percorsoSuonoEsatto(n);
    delGioco << ModuloColoriSuoni::percorsoSuonoErrato();
    QStringList controllati;
    for (const QString &s : nomiSuoni())
      controllati << unisciPercorso(p.finta.cartella, s);
    QCOMPARE(controllati, delGioco);
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

  // The program as a teacher runs it: one line per problem, a summary, the exit status.
  void programma_data() {
    QTest::addColumn<Guasto>("guasto");
    QTest::addColumn<bool>("cartellaEsiste");
    QTest::addColumn<int>("uscita");
    QTest::addColumn<QStringList>("righe");
    QTest::newRow("all well") << Guasto([](const CartellaDati &) {}) << true << 0
                              << QStringList{QStringLiteral("Tutto a posto: controllati 4 liste (22 parole), i loro "
                                                            "disegni e 5 suoni.")};
    QTest::newRow("one problem") << Guasto([](const CartellaDati &d) {
      d.rimuovi(QStringLiteral("jpg/%1.jpg").arg(bi(0)));
    }) << true << 1
       << QStringList{QDir::toNativeSeparators(
                          QStringLiteral("[ERRORE] lista2.txt, riga 1: manca il disegno della parola \u00AB%1\u00BB: "
                                         "il file deve chiamarsi jpg/%1.jpg")
                              .arg(bi(0))),
                      QStringLiteral("Da sistemare: 1 errore e 0 avvisi in 4 liste (22 parole), i loro disegni e 5 "
                                     "suoni.")};
    QTest::newRow("no such folder") << Guasto([](const CartellaDati &) {}) << false << 1
                                    << QStringList{QStringLiteral("non esiste.")};
  }

  void programma() {
    QFETCH(Guasto, guasto);
    QFETCH(bool, cartellaEsiste);
    QFETCH(int, uscita);
    QFETCH(QStringList, righe);
    CartellaDati d;
    completa(d);
    guasto(d);
    QProcess p;
    p.start(QStringLiteral(QUIRLO_VERIFICA),
            {cartellaEsiste ? d.percorso() : d.file(QStringLiteral("non-ci-sono"))});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), uscita);
    QStringList uscite = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(uscite.size() >= righe.size());
    uscite = uscite.mid(uscite.size() - righe.size());
    for (qsizetype i = 0; i < righe.size(); ++i)
      QVERIFY2(uscite[i].endsWith(righe[i]), qPrintable(uscite[i]));
  }
};

QTEST_GUILESS_MAIN(ProvaVerifica)
#include "test_verifica.moc"
