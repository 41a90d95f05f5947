#include "TestoLista.h"

#include <QStringDecoder>

namespace quirlo {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr char16_t Cp1252Alti[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QString daWindows1252(QByteArrayView byte) {
  QString testo(byte.size(), Qt::Uninitialized);
  QChar *out = testo.data();
  for (const char c : byte) {
    const auto b = static_cast<unsigned char>(c);
    *out++ = (b >= 0x80 && b < 0xA0) ? QChar(Cp1252Alti[b - 0x80]) : QChar(char16_t(b));
  }
  return testo;
}

bool spazio(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool fineRiga(QChar c) { return c == QLatin1Char('\n') || c == QLatin1Char('\r'); }

}  // namespace

QString decodificaLista(const QByteArray &byte) {
  QByteArrayView vista(byte);
  // Notepad's "Unicode" is UTF-16 with a byte-order mark.
  const bool le = vista.startsWith("\xFF\xFE"), be = vista.startsWith("\xFE\xFF");
  if (le || be) {
    QStringDecoder utf16(le ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    return QString(utf16.decode(vista.sliced(2))).normalized(QString::NormalizationForm_C);
  }
  if (vista.startsWith("\xEF\xBB\xBF"))
    vista = vista.sliced(3);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString testo = utf8.decode(vista);
  if (utf8.hasError())
    testo = daWindows1252(vista);
  return testo.normalized(QString::NormalizationForm_C);
}

QList<Campo> leggiCampi(const QString &testo) {
  QList<Campo> campi;
  const qsizetype n = testo.size();
  qsizetype i = 0;
  int riga = 1;
  bool inizioRiga = true;

  auto passaFineRiga = [&] {
    if (testo[i] == QLatin1Char('\r') && i + 1 < n && testo[i + 1] == QLatin1Char('\n'))
      ++i;
    ++i;
    ++riga;
    inizioRiga = true;
  };

  while (i < n) {
    while (i < n && spazio(testo[i]))
      ++i;
    if (i < n && fineRiga(testo[i]) && inizioRiga) {
      passaFineRiga();  // a blank line: no field here
      continue;
    }
    if (i >= n && inizioRiga)
      break;  // blanks after the last line end

    Campo campo;
    campo.riga = riga;
    if (i < n && testo[i] == QLatin1Char('"')) {
      const qsizetype inizio = ++i;
      while (i < n && testo[i] != QLatin1Char('"') && !fineRiga(testo[i]))
        ++i;
      campo.testo = testo.mid(inizio, i - inizio);
      while (i < n && testo[i] != QLatin1Char(',') && !fineRiga(testo[i]))
        ++i;
    } else {
      const qsizetype inizio = i;
      while (i < n && testo[i] != QLatin1Char(',') && !fineRiga(testo[i]))
        ++i;
      qsizetype fine = i;
      while (fine > inizio && spazio(testo[fine - 1]))
        --fine;
      campo.testo = testo.mid(inizio, fine - inizio);
      campo.troncato = campo.testo.isEmpty() && i >= n;
    }
    campi.append(campo);

    if (i >= n)
      break;
    if (testo[i] == QLatin1Char(',')) {
      ++i;
      inizioRiga = false;
      // A comma at the very end of the file still closes an empty last field.
      if (i >= n)
        campi.append(Campo{QString(), riga, true});
    } else {
      passaFineRiga();
    }
  }
  return campi;
}

}  // namespace quirlo
