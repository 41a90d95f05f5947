#include "QuasiNomi.h"

#include "TestoVisibile.h"

#include <QRegularExpression>

namespace quirlo::quasi {

namespace {

// Picture formats a phone, a scanner or a paint program saves.
const QStringList FormatiImmagine = {QStringLiteral("png"),  QStringLiteral("gif"),  QStringLiteral("bmp"),
                                     QStringLiteral("webp"), QStringLiteral("tif"),  QStringLiteral("tiff"),
                                     QStringLiteral("heic"), QStringLiteral("heif"), QStringLiteral("avif"),
                                     QStringLiteral("svg")};
const QStringList NomiJpeg = {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("jpe"),
                              QStringLiteral("jfif")};
// What a spreadsheet or a word processor saves a list as.
const QStringList FormatiTesto = {QStringLiteral("txt"), QStringLiteral("csv"), QStringLiteral("text"),
                                  QStringLiteral("doc"), QStringLiteral("docx"), QStringLiteral("odt"),
                                  QStringLiteral("rtf")};

struct Analisi {
  QString radice;        // the name without its extensions, case folded, NFC
  QStringList estensioni;  // as written, last first
  bool spazi = false;    // blanks around the name or an extension
};

// "Tana .JPG.jpg " -> radice "tana", estensioni {"jpg", "JPG"}, spazi.
Analisi analizza(const QString &nome, const QStringList &note) {
  Analisi a;
  QString resto = nome.normalized(QString::NormalizationForm_C);
  for (;;) {
    const QString pulito = resto.trimmed();
    a.spazi = a.spazi || pulito.size() != resto.size();
    resto = pulito;
    const qsizetype punto = resto.lastIndexOf(QLatin1Char('.'));
    if (punto <= 0)
      break;
    const QString est = resto.mid(punto + 1).trimmed();
    if (!note.contains(est.toLower()))
      break;
    a.spazi = a.spazi || est.size() != resto.size() - punto - 1;
    a.estensioni << est;
    resto = resto.left(punto);
  }
  a.radice = resto.toCaseFolded();
  return a;
}

QList<QuasiNome> cerca(const QStringList &elenco, const QString &atteso, const QString &radice,
                       const QStringList &buone, const QStringList &altre, bool disegno) {
  QList<QuasiNome> trovati;
  if (elenco.contains(atteso))
    return trovati;
  const QString estesa = atteso.mid(atteso.lastIndexOf(QLatin1Char('.')) + 1);
  const QString cercata = radice.normalized(QString::NormalizationForm_C).toCaseFolded();
  for (const QString &nome : elenco) {
    const Analisi a = analizza(nome, buone + altre);
    if (a.estensioni.isEmpty() || a.radice != cercata)
      continue;
    Sbaglio s;
    const QString ultima = a.estensioni.first().toLower();
    if (a.spazi)
      s = Sbaglio::Spazi;
    else if (a.estensioni.size() > 1)
      s = Sbaglio::DoppiaEstensione;
    else if (altre.contains(ultima))
      s = Sbaglio::AltroFormato;
    else if (ultima != estesa)
      s = Sbaglio::AltraEstensione;
    else if (nome.normalized(QString::NormalizationForm_C) != atteso.normalized(QString::NormalizationForm_C))
      s = Sbaglio::Maiuscole;
    else
      continue;  // the same name composed otherwise: the game finds it
    trovati.append({nome, atteso, s, disegno});
  }
  return trovati;
}

}  // namespace

QString QuasiNome::messaggio() const {
  const QString t = QStringLiteral("\u00AB%1\u00BB").arg(nomeAccorciato(trovato));
  const QString a = nomeAccorciato(atteso);
  const QString cosa = disegno ? QStringLiteral("il disegno") : QStringLiteral("la lista");
  switch (sbaglio) {
    case Sbaglio::AltroFormato:
      return disegno ? QStringLiteral("c'è %1: il disegno deve essere un JPEG di nome %2").arg(t, a)
                     : QStringLiteral("c'è %1: la lista deve essere un file di testo semplice di nome %2").arg(t, a);
    case Sbaglio::AltraEstensione:
      return QStringLiteral("c'è %1: %2 deve chiamarsi %3").arg(t, cosa, a);
    case Sbaglio::Maiuscole:
      return QStringLiteral("c'è %1: %2 deve chiamarsi %3, con le stesse lettere minuscole e maiuscole")
          .arg(t, cosa, a);
    case Sbaglio::DoppiaEstensione:
      return QStringLiteral("c'è %1: il nome finisce due volte con l'estensione (Windows ne nasconde una), "
                            "%2 deve chiamarsi %3")
          .arg(t, cosa, a);
    case Sbaglio::Spazi:
      return QStringLiteral("c'è %1, con uno spazio in più nel nome: %2 deve chiamarsi %3").arg(t, cosa, a);
  }
  return {};
}

QList<QuasiNome> perDisegno(const QStringList &elenco, const QString &parola) {
  return cerca(elenco, parola + QStringLiteral(".jpg"), parola, NomiJpeg, FormatiImmagine, true);
}

QList<QuasiNome> perLista(const QStringList &elenco, const QString &nomeLista) {
  const QString radice = nomeLista.left(nomeLista.lastIndexOf(QLatin1Char('.')));
  return cerca(elenco, nomeLista, radice, {QStringLiteral("txt")}, FormatiTesto.mid(1), false);
}

QList<Campo> sillabeColTrattino(const QList<Campo> &campi) {
  // Letters on both sides: "ca-sa", not a lone dash nor "-" at an end.
  static const QRegularExpression trattino(QStringLiteral("\\p{L}\\s*[-\u2010\u2011\u2013]\\s*\\p{L}"));
  QList<Campo> trovati;
  for (const Campo &c : campi)
    if (trattino.match(c.testo).hasMatch())
      trovati.append(c);
  return trovati;
}

}  // namespace quirlo::quasi
