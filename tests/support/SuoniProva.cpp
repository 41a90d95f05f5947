#include "SuoniProva.h"

#include <QtEndian>
#include <cmath>
#include <cstring>

namespace quirlo::prova::wav {

QByteArray le16(quint32 v) {
  QByteArray b(2, '\0');
  qToLittleEndian(quint16(v), b.data());
  return b;
}
QByteArray le32(quint32 v) {
  QByteArray b(4, '\0');
  qToLittleEndian(v, b.data());
  return b;
}

QByteArray blocco(const char *id, const QByteArray &corpo) {
  QByteArray b = QByteArray(id, 4) + le32(quint32(corpo.size())) + corpo;
  if (corpo.size() % 2)
    b += '\0';
  return b;
}

QByteArray fmt(quint16 tipo, int canali, int frequenza, int bit, bool esteso) {
  const int blocco = canali * bit / 8;
  QByteArray f = le16(esteso ? 0xFFFE : tipo) + le16(quint32(canali)) + le32(quint32(frequenza)) +
                 le32(quint32(frequenza * blocco)) + le16(quint32(blocco)) + le16(quint32(bit));
  if (esteso) {
    // cbSize, valid bits, channel mask, then the sub-format GUID (format code first).
    f += le16(22) + le16(quint32(bit)) + le32(0) + le16(tipo) +
         QByteArray("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
  }
  return f;
}

QByteArray riff(const QByteArray &blocchi) {
  return QByteArray("RIFF") + le32(quint32(blocchi.size() + 4)) + QByteArray("WAVE") + blocchi;
}

QByteArray campioni(const std::vector<float> &valori, quint16 tipo, int bit) {
  QByteArray out;
  for (float v : valori) {
    if (tipo == 3) {
      quint32 b;
      std::memcpy(&b, &v, 4);
      out += le32(b);
    } else if (bit == 8) {
      out += char(quint8(std::lround(v * 127.0f) + 128));
    } else if (bit == 16) {
      out += le16(quint16(qint16(std::lround(v * 32767.0f))));
    } else if (bit == 24) {
      const auto s = qint32(std::lround(double(v) * 8388607.0));
      out += le32(quint32(s)).left(3);
    } else {
      out += le32(quint32(qint32(std::lround(double(v) * 2147483647.0))));
    }
  }
  return out;
}

QByteArray mono16(int n, qint16 valore, int frequenza) {
  std::vector<float> valori;
  for (int i = 0; i < n; ++i)
    valori.push_back(float(i % 2 ? valore : -valore) / 32767.0f);
  return riff(blocco("fmt ", fmt(1, 1, frequenza, 16)) + blocco("data", campioni(valori, 1, 16)));
}

}  // namespace quirlo::prova::wav
