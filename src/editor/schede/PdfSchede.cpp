#include "PdfSchede.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "Immagini.h"
#include "Misure.h"
#include "TestoVisibile.h"

namespace quirlo::schede {

namespace {

double punti(double mm) {
  return mm * Risoluzione / 25.4;
}
QRectF punti(const QRectF &mm) {
  return {punti(mm.x()), punti(mm.y()), punti(mm.width()), punti(mm.height())};
}
QLineF punti(const QLineF &mm) {
  return {punti(mm.x1()), punti(mm.y1()), punti(mm.x2()), punti(mm.y2())};
}

QFont carattere(double pt, bool grassetto = false) {
  QFont f;
  // Fonts that ship with Debian and Windows alike, with every Italian accent.
  f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
  f.setStyleHint(QFont::SansSerif);
  f.setPointSizeF(pt);
  f.setBold(grassetto);
  return f;
}

QPen tratto(double mm, Qt::PenStyle stile = Qt::SolidLine, QColor colore = Qt::black) {
  QPen p(colore, punti(mm), stile);
  p.setCapStyle(Qt::FlatCap);
  if (stile == Qt::DashLine)
    p.setDashPattern({8, 5});  // in pen widths: 2.4 mm dashes at 0.3 mm
  return p;
}

QString nomeDisegno(const Disegno &d) {
  return QStringLiteral("\u00AB%1\u00BB").arg(accorciato(senzaControlli(d.parola)));
}

// Decoded no larger than it prints, and never enlarged: a 648-pixel drawing
// stays 648 pixels in the PDF.
QImage perStampa(const Disegno &d, QSizeF cornice, QString &errore) {
  const EsameImmagine esame = esaminaImmagine(d.percorso);
  if (esame.stato != StatoImmagine::Buona) {
    errore = QStringLiteral("Il disegno di %1 non si può leggere: non è un'immagine, è rovinato o è troppo grande.")
                 .arg(nomeDisegno(d));
    return {};
  }
  const QSize massimo = cornice.toSize();
  QSize dimensione = esame.dimensione;
  if (dimensione.width() > massimo.width() || dimensione.height() > massimo.height())
    dimensione = dimensione.scaled(massimo, Qt::KeepAspectRatio);
  QImage img = decodificaImmagine(d.percorso, dimensione);
  if (img.isNull()) {
    errore = QStringLiteral("Il disegno di %1 non si può leggere: è rovinato o è cambiato mentre lo leggevo.")
                 .arg(nomeDisegno(d));
    return {};
  }
  if (img.hasAlphaChannel()) {
    // On paper transparency is white.
    QImage bianca(img.size(), QImage::Format_RGB32);
    bianca.fill(Qt::white);
    QPainter(&bianca).drawImage(0, 0, img);
    return bianca;
  }
  return img.convertToFormat(QImage::Format_RGB32);
}

void testo(QPainter &p, const QRectF &mm, const QString &t, const QFont &f, Qt::Alignment a) {
  p.setFont(f);
  p.drawText(punti(mm), int(a | Qt::AlignVCenter), t);
}

void intestazione(QPainter &p, const Impaginazione &imp) {
  p.setPen(Qt::black);
  testo(p, {Margine, RigaTitolo, Utile, AltezzaRiga}, titolo(imp.sillabe), carattere(PuntiTitolo, true), Qt::AlignLeft);
  testo(p, {Margine, RigaTitolo, Utile, AltezzaRiga},
        imp.tipo == Tipo::Ritaglio ? QStringLiteral("Ritaglia e incolla") : QStringLiteral("Scrivi le sillabe"),
        carattere(PuntiTesto), Qt::AlignRight);
  const QString nome = imp.maiuscolo ? QStringLiteral("NOME") : QStringLiteral("Nome");
  const QString data = imp.maiuscolo ? QStringLiteral("DATA") : QStringLiteral("Data");
  const QFont f = carattere(PuntiTesto);
  const QFontMetricsF m(f, p.device());
  const double larghezzaNome = m.horizontalAdvance(nome) * 25.4 / Risoluzione + 2;
  const double larghezzaData = m.horizontalAdvance(data) * 25.4 / Risoluzione + 2;
  testo(p, {Margine, RigaNome, larghezzaNome, AltezzaRiga}, nome, f, Qt::AlignLeft);
  testo(p, {FineNome + 8, RigaNome, larghezzaData, AltezzaRiga}, data, f, Qt::AlignLeft);
  p.setPen(tratto(0.3));
  const double base = RigaNome + AltezzaRiga - 2;
  p.drawLine(punti(QLineF(Margine + larghezzaNome, base, FineNome, base)));
  p.drawLine(punti(QLineF(FineNome + 8 + larghezzaData, base, LarghezzaPagina - Margine, base)));
  p.setPen(Qt::black);
  testo(p, {Margine, RigaConsegna, Utile, AltezzaRiga}, consegna(imp.tipo, imp.maiuscolo), f, Qt::AlignLeft);
}

QRectF dentroCarta(const Carta &c) { return punti(c.dove.adjusted(1, 0, -1, 0)); }

// One size for the whole page, the largest from PuntiCarte down to PuntiMinimi
// at which every card fits: a long syllable is not told apart by smaller
// letters. One too long even at that is shortened rather than spilt over its
// neighbours.
QFont carattereCarte(QPainter &p, const Pagina &pagina) {
  QFont f = carattere(PuntiCarte, true);
  for (double pt = PuntiCarte; pt > PuntiMinimi; pt -= 1) {
    f.setPointSizeF(pt);
    const QFontMetricsF m(f, p.device());
    if (std::all_of(pagina.carte.begin(), pagina.carte.end(),
                    [&](const Carta &c) { return m.horizontalAdvance(c.sillaba) <= dentroCarta(c).width(); }))
      return f;
  }
  f.setPointSizeF(PuntiMinimi);
  return f;
}

void carte(QPainter &p, const Pagina &pagina) {
  p.setPen(Qt::black);
  const QFont f = carattereCarte(p, pagina);
  const QFontMetricsF m(f, p.device());
  p.setFont(f);
  for (const Carta &c : pagina.carte)
    p.drawText(dentroCarta(c), Qt::AlignCenter, m.elidedText(c.sillaba, Qt::ElideRight, dentroCarta(c).width()));
  p.setPen(tratto(0.3, Qt::DashLine));
  for (const QLineF &l : pagina.tagli)
    p.drawLine(punti(l));
  // Scissors at the first line, where the font has them.
  const QFont grande = carattere(PuntiTitolo);
  const QChar forbici(0x2702);
  if (!pagina.tagli.isEmpty() && QFontMetricsF(grande, p.device()).inFont(forbici)) {
    const QPointF inizio = pagina.tagli.first().p1();
    p.setPen(Qt::black);
    testo(p, {inizio.x() - 10, inizio.y() - 5, 9, 10}, QString(forbici), grande, Qt::AlignRight);
  }
}

}  // namespace

QString scriviPdf(QIODevice &uscita, const Impaginazione &imp, const QList<Disegno> &disegni) {
  QPdfWriter pdf(&uscita);
  pdf.setResolution(Risoluzione);
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
  pdf.setTitle(titolo(imp.sillabe));
  pdf.setCreator(QStringLiteral("Quirlo - Le mie parole"));
  QPainter p;
  if (!p.begin(&pdf))
    return QStringLiteral("Non riesco a scrivere il PDF.");
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  for (qsizetype n = 0; n < imp.pagine.size(); ++n) {
    if (n > 0)
      pdf.newPage();
    const Pagina &pagina = imp.pagine[n];
    intestazione(p, imp);
    for (const ParolaPosata &posata : pagina.parole) {
      QString errore;
      const QRectF cornice = punti(posata.disegno);
      const QImage img = perStampa(disegni.value(posata.parola), cornice.size(), errore);
      if (img.isNull())
        return errore;
      QSizeF dentro = QSizeF(img.size()).scaled(cornice.size(), Qt::KeepAspectRatio);
      p.drawImage(QRectF(cornice.center() - QPointF(dentro.width(), dentro.height()) / 2, dentro), img);
      p.setPen(tratto(0.2, Qt::SolidLine, QColor(0x90, 0x90, 0x90)));
      p.drawRect(cornice);
      p.setPen(tratto(0.5));
      for (const QRectF &c : posata.caselle)
        p.drawRect(punti(c));
    }
    carte(p, pagina);
  }
  return p.end() ? QString() : QStringLiteral("Non riesco a scrivere il PDF.");
}

}  // namespace quirlo::schede
