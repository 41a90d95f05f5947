// School division into syllables: everyday words outside the shipped lists,
// each with the division a primary-school teacher writes on the board; every
// shipped word exactly as listed; and what a teacher may type for a new word.
#include "Catalogo.h"
#include "ListaParole.h"
#include "Sillabazione.h"
#include "ProvaMain.h"

#include <QDir>
#include <QSet>
#include <QTest>

using namespace quirlo;

namespace {

// The school's division; `iato` marks an i or u kept apart from the vowel
// beside it by the stress or by the word's origin (pa-u-ra, zi-o, vi-o-la):
// spelling alone cannot tell those from fio-re, so the rules must flag them.
struct Atteso {
  const char *divisione;
  bool iato;
};

constexpr Atteso AltreParole[] = {
    // open syllables
    {"po-mo-do-ro", false}, {"ta-vo-la", false}, {"pa-ta-ti-na", false}, {"ca-me-ra", false},
    {"me-di-co", false}, {"pe-pe", false}, {"mi-ne-ra-le", false}, {"te-le-fo-no", false},
    {"bu-ca", false}, {"mu-si-ca", false}, {"a-mi-co", false}, {"co-lo-ri", false},
    {"na-ta-le", false}, {"re-gi-na", false}, {"cu-gi-no", false}, {"se-ma-fo-ro", false},
    {"gi-ra-so-le", false}, {"tu-li-pa-no", false}, {"la-bi-rin-to", false}, {"re", false},
    // doubles, cq and qq
    {"mam-ma", false}, {"pap-pa", false}, {"non-na", false}, {"pal-la", false},
    {"tet-to", false}, {"gon-na", false}, {"sac-co", false}, {"bot-ti-glia", false},
    {"maz-zo", false}, {"ac-qua", false}, {"soq-qua-dro", false}, {"car-ret-to", false},
    {"cap-puc-ci-no", false}, {"uc-cel-lo", false}, {"pas-se-ro", false}, {"fet-ta", false},
    {"ros-so", false}, {"gial-lo", false}, {"az-zur-ro", false}, {"for-chet-ta", false},
    {"fab-bro", false}, {"bic-chie-re", false}, {"pap-pa-gal-lo", false}, {"coc-co-dril-lo", false},
    {"al-bi-coc-ca", false}, {"zuc-che-ro", false}, {"sof-fit-to", false}, {"cap-pot-to", false},
    {"trot-to-la", false}, {"dot-to-re", false}, {"ca-ra-mel-la", false}, {"ci-vet-ta", false},
    // s + consonant goes with the next syllable
    {"ba-sto-ne", false}, {"pa-sta", false}, {"fe-sta", false}, {"ta-sca", false},
    {"di-sco", false}, {"mo-stro", false}, {"ve-spa", false}, {"ro-spo", false},
    {"bo-sco", false}, {"e-sta-te", false}, {"spaz-zo-la", false}, {"sme-ral-do", false},
    {"stra-da", false}, {"pa-sto-re", false}, {"a-sfal-to", false}, {"ro-sma-ri-no", false},
    {"mi-ne-stra", false}, {"pa-le-stra", false}, {"a-stuc-cio", false}, {"ca-ne-stro", false},
    {"sga-bel-lo", false}, {"smal-to", false}, {"stru-men-to", false}, {"a-scen-so-re", false},
    {"pi-sci-na", false}, {"cu-sci-no", false}, {"a-spi-ra-pol-ve-re", false}, {"mo-sce-ri-no", false},
    // consonant + l or r stays with the vowel after it; tl does not
    {"fra-tel-lo", false}, {"so-pra", false}, {"de-stra", false}, {"pa-dre", false},
    {"la-dro", false}, {"se-gre-to", false}, {"bi-ci-clet-ta", false}, {"ci-clo-ne", false},
    {"a-pri-le", false}, {"o-blò", false}, {"pra-to", false}, {"la-va-tri-ce", false},
    {"fri-go-ri-fe-ro", false}, {"pro-fu-mo", false}, {"pri-ma-ve-ra", false}, {"stre-ga", false},
    {"at-le-ta", false}, {"at-lan-te", false}, {"i-glù", false},
    // other consonants apart
    {"car-ta", false}, {"cor-da", false}, {"mar-mel-la-ta", false}, {"for-no", false},
    {"cam-po", false}, {"ven-to", false}, {"lam-pa-da", false}, {"sal-to", false},
    {"gam-ba", false}, {"tem-po-ra-le", false}, {"ter-ra", false}, {"ver-de", false},
    {"tar-ta-ru-ga", false}, {"con-ta-di-no", false}, {"en-tra-ta", false}, {"om-bra", false},
    {"sem-pre", false}, {"al-ber-go", false}, {"in-ver-no", false}, {"bam-bi-no", false},
    {"tec-ni-co", false}, {"rit-mo", false}, {"cap-su-la", false}, {"er-ba", false},
    {"pol-po", false}, {"pul-ce", false}, {"prin-ci-pes-sa", false}, {"e-le-fan-te", false},
    {"pan-te-ra", false}, {"ban-co", false}, {"ges-so", false}, {"com-pu-ter", false},
    {"ro-bot", false}, {"pan-ta-lo-ni", false}, {"cal-ze", false}, {"mar-ghe-ri-ta", false},
    // words begun by consonants that never start a syllable inside a word
    {"psi-co-lo-go", false}, {"pneu-ma-ti-co", false}, {"gno-mo", false}, {"gnu", false},
    // gn, gl, sc, ch, gh never split; c and g soft before i + vowel
    {"a-gnel-lo", false}, {"ba-gno", false}, {"le-gno", false}, {"so-gno", false},
    {"di-se-gno", false}, {"la-va-gna", false}, {"fi-glio", false}, {"ta-glio", false},
    {"mo-glie", false}, {"ma-glio-ne", false}, {"ta-glia-tel-le", false}, {"to-va-glio-lo", false},
    {"pa-gliac-cio", false}, {"un-ghia", false}, {"ghian-da", false}, {"sche-le-tro", false},
    {"schiu-ma", false}, {"ma-schio", false}, {"in-chio-stro", false}, {"zuc-chi-na", false},
    {"fa-gio-lo", false}, {"pi-gia-ma", false}, {"cia-bat-te", false}, {"cioc-co-la-to", false},
    {"gio-cat-to-lo", false}, {"giar-di-no", false}, {"gior-no", false}, {"cal-cio", false},
    {"o-ro-lo-gio", false}, {"den-ti-fri-cio", false}, {"pro-sciut-to", false}, {"a-sciu-ga-ma-no", false},
    {"cuc-cio-lo", false}, {"cie-lo", false}, {"cia-o", false},
    // qu and gu never split
    {"quat-tro", false}, {"a-qui-lo-ne", false}, {"lin-gua", false}, {"san-gue", false},
    // diphthongs kept
    {"scuo-la", false}, {"uo-mo", false}, {"buo-no", false}, {"tuo-no", false},
    {"fuo-ri", false}, {"nuo-ta-re", false}, {"uo-va", false}, {"fiu-me", false},
    {"pie-tra", false}, {"piaz-za", false}, {"bian-co", false}, {"pia-no-for-te", false},
    {"ie-ri", false}, {"ra-vio-li", false}, {"sta-zio-ne", false}, {"po-li-ziot-to", false},
    {"ne-go-zio", false}, {"ar-ma-dio", false}, {"ac-qua-rio", false}, {"sto-ria", false},
    {"pa-net-tie-re", false}, {"au-tun-no", false}, {"au-to-mo-bi-le", false}, {"eu-ro", false},
    {"a-stro-nau-ta", false}, {"di-no-sau-ro", false}, {"spiag-gia", false}, {"piog-gia", false},
    {"ca-mi-cia", false}, {"fac-cia", false}, {"pan-cia", false}, {"cuc-cia", false},
    {"sal-sic-cia", false}, {"buoi", false}, {"miei", false}, {"noi", false},
    {"yo-gurt", false},
    // an i between two vowels goes with the second
    {"a-ia", false}, {"gio-ia", false}, {"no-ia", false}, {"gua-io", false},
    {"for-na-io", false}, {"pa-glia-io", false}, {"sdra-io", false}, {"a-iuo-la", false},
    {"sco-iat-to-lo", false},
    // a, e, o next to each other split
    {"po-e-ta", false}, {"pa-e-se", false}, {"ma-e-stro", false}, {"te-a-tro", false},
    {"le-o-par-do", false}, {"ca-ma-le-on-te", false}, {"a-e-re-o", false}, {"a-e-ro-por-to", false},
    {"o-a-si", false}, {"ce-re-a-li", false}, {"ko-a-la", false},
    // foreign letters, h, a stressed final vowel
    {"ki-wi", false}, {"ta-xi", false}, {"ho-tel", false}, {"caf-fè", false},
    {"per-ché", false}, {"cit-tà", false}, {"pa-pà", false},
    // the hiatus the stress or the word's origin makes
    {"pa-u-ra", true}, {"zi-o", true}, {"zi-a", true}, {"spi-a", true},
    {"vi-o-la", true}, {"sci-a-re", true}, {"bu-gi-a", true}, {"ma-gi-a", true},
    {"far-ma-ci-a", true}, {"piz-ze-ri-a", true}, {"gal-le-ri-a", true}, {"al-le-gri-a", true},
    {"po-e-si-a", true}, {"tri-an-go-lo", true}, {"di-a-man-te", true}, {"cuc-chia-i-no", true},
};

QString parolaDi(const QString &divisione) { return QString(divisione).remove(QLatin1Char('-')); }

// Every word of the shipped lists, with its syllables as listed.
QList<Parola> paroleFornite() {
  QList<Parola> tutte;
  for (const catalogo::Lista &l : catalogo::Liste) {
    const ListaLetta letta =
        leggiLista(QDir(QStringLiteral(QUIRLO_DATI)).filePath(QString::fromLatin1(l.file)), l.sillabe);
    if (letta.rifiuto)
      qFatal("%s", qPrintable(letta.rifiuto->messaggio()));
    tutte << letta.parole;
  }
  return tutte;
}

}  // namespace

class ProvaSillabazione : public QObject {
  Q_OBJECT

 private slots:
  void altreParole_data() {
    QTest::addColumn<QString>("attesa");
    QTest::addColumn<bool>("iato");
    QSet<QString> fornite;
    for (const Parola &p : paroleFornite())
      fornite.insert(p.testo());
    for (const Atteso &a : AltreParole) {
      const QString divisione = QString::fromUtf8(a.divisione);
      // A word the game has come to ship is measured with the lists, as listed.
      if (!fornite.contains(parolaDi(divisione)))
        QTest::newRow(a.divisione) << divisione << a.iato;
    }
  }

  // The rules' division is the school's; where the stress decides, the word
  // is flagged and one of the two divisions offered is the school's.
  void altreParole() {
    QFETCH(QString, attesa);
    QFETCH(bool, iato);
    const sillabe::Divisione d = sillabe::dividi(parolaDi(attesa));
    const QString regole = d.sillabe.join(QLatin1Char('-'));
    const QString alternativa = d.alternativa.join(QLatin1Char('-'));
    if (iato) {
      QVERIFY2(d.controlla, qPrintable(regole));
      QVERIFY2(regole == attesa || alternativa == attesa, qPrintable(regole + QLatin1String(" / ") + alternativa));
    } else {
      QCOMPARE(regole, attesa);
    }
    if (d.controlla)
      QVERIFY2(!d.alternativa.isEmpty() && d.alternativa != d.sillabe, qPrintable(regole));
  }

  // Every shipped word comes out exactly as listed, by the rules' own choice.
  void listeFornite_data() {
    QTest::addColumn<QStringList>("elencate");
    for (const Parola &p : paroleFornite())
      QTest::newRow(qPrintable(p.sillabe.join(QLatin1Char(',')))) << p.sillabe;
  }

  void listeFornite() {
    QFETCH(QStringList, elencate);
    QCOMPARE(sillabe::dividi(elencate.join(QString())).sillabe, elencate);
  }

  // The figures reported for the rules: right divisions and flagged words.
  void misura() {
    int giuste = 0, segnalate = 0;
    QStringList quali;
    const QList<Parola> fornite = paroleFornite();
    for (const Parola &p : fornite) {
      const sillabe::Divisione d = sillabe::dividi(p.testo());
      giuste += d.sillabe == p.sillabe;
      if (d.controlla) {
        ++segnalate;
        quali << p.sillabe.join(QLatin1Char('-'));
      }
    }
    qInfo("liste fornite: %d/%d giuste, %d da controllare: %s", giuste, int(fornite.size()), segnalate,
          qPrintable(quali.join(QLatin1Char(' '))));
    QSet<QString> inLista;
    for (const Parola &p : fornite)
      inLista.insert(p.testo());
    int altre = 0, altreGiuste = 0, altreSegnalate = 0, iati = 0, iatiPresi = 0;
    for (const Atteso &a : AltreParole) {
      const QString attesa = QString::fromUtf8(a.divisione);
      if (inLista.contains(parolaDi(attesa)))
        continue;
      ++altre;
      const sillabe::Divisione d = sillabe::dividi(parolaDi(attesa));
      const bool giusta = d.sillabe.join(QLatin1Char('-')) == attesa;
      altreGiuste += giusta;
      altreSegnalate += d.controlla;
      iati += a.iato;
      iatiPresi += a.iato && d.controlla && (giusta || d.alternativa.join(QLatin1Char('-')) == attesa);
    }
    qInfo("altre parole: %d/%d giuste alla prima proposta, %d da controllare, iati segnalati %d/%d", altreGiuste, altre,
          altreSegnalate, iatiPresi, iati);
    QCOMPARE(giuste, int(fornite.size()));
    QCOMPARE(iatiPresi, iati);
  }

  // What a teacher types for a new word: any case, accents in either form,
  // already divided with any of the usual marks, or with a mistake in it.
  void scritta_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("parola");
    QTest::addColumn<QString>("divisione");
    QTest::addColumn<bool>("aMano");
    QTest::addColumn<bool>("comeLeRegole");
    QTest::addColumn<bool>("errore");
    QTest::newRow("word") << "casa" << "casa" << "ca-sa" << false << true << false;
    QTest::newRow("capitals") << "CaSa" << "casa" << "ca-sa" << false << true << false;
    QTest::newRow("blanks round it") << "  lago \t" << "lago" << "la-go" << false << true << false;
    QTest::newRow("hyphens") << "ca-sa" << "casa" << "ca-sa" << true << true << false;
    QTest::newRow("commas") << "CA,SA" << "casa" << "ca-sa" << true << true << false;
    QTest::newRow("blanks") << "ca sa" << "casa" << "ca-sa" << true << true << false;
    QTest::newRow("slashes") << "ca/sa" << "casa" << "ca-sa" << true << true << false;
    QTest::newRow("marks with blanks") << " ba - na -- na " << "banana" << "ba-na-na" << true << true << false;
    QTest::newRow("her own division") << "cas-a" << "casa" << "cas-a" << true << false << false;
    QTest::newRow("her hiatus") << "pa-u-ra" << "paura" << "pa-u-ra" << true << true << false;
    QTest::newRow("capital accent") << "PEDALÒ" << "pedalò" << "pe-da-lò" << false << true << false;
    QTest::newRow("decomposed accent") << "pedalo\u0300" << "pedalò" << "pe-da-lò" << false << true << false;
    QTest::newRow("empty") << "  " << "" << "" << false << false << true;
    QTest::newRow("only marks") << "- , /" << "" << "" << false << false << true;
    QTest::newRow("apostrophe") << "l'ape" << "" << "" << false << false << true;
    QTest::newRow("digit") << "casa2" << "" << "" << false << false << true;
    QTest::newRow("path") << "../casa" << "" << "" << false << false << true;
    QTest::newRow("no vowel") << "brr" << "" << "" << false << false << true;
    QTest::newRow("too long for a file name") << QString(130, QChar(0xE0)) << "" << "" << false << false << true;
  }

  void scritta() {
    QFETCH(QString, testo);
    QFETCH(QString, parola);
    QFETCH(QString, divisione);
    QFETCH(bool, aMano);
    QFETCH(bool, comeLeRegole);
    QFETCH(bool, errore);
    const sillabe::Scritta s = sillabe::leggiScritta(testo);
    QCOMPARE(!s.errore.isEmpty(), errore);
    if (errore)
      return;
    QCOMPARE(s.parola, parola);
    QCOMPARE(s.sillabe.join(QLatin1Char('-')), divisione);
    QCOMPARE(s.aMano, aMano);
    QCOMPARE(!s.diversaDalleRegole(), comeLeRegole);
  }
};

QUIRLO_TEST_GUILESS_MAIN(ProvaSillabazione)
#include "test_sillabazione.moc"
