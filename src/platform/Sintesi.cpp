#include "MotoreSintesi.h"

#include "DecodificaSuoni.h"
#include "Ricampiona.h"

#include <QThread>
#include <algorithm>
#include <cmath>

namespace quirlo {

// The engine and its thread: a speech engine may be slow to start (SAPI loads
// a voice of tens of megabytes) and is tied to the thread that made it (COM).
class OperaioSintesi : public QObject {
 public:
  OperaioSintesi(const Sintesi::Limiti &limiti, QString cartella) : limiti_(limiti), cartella_(std::move(cartella)) {}

  Pcm sintetizza(const QString &testo) {
    if (!motore_)
      motore_ = creaMotoreSintesi(cartella_);
    if (QThread::currentThread()->isInterruptionRequested())
      return {};
    return nelFormatoDelLettore(
        motore_->sintetizza(testo, {QDeadlineTimer(limiti_.millisecondi), limiti_.millisecondiSuono}));
  }

 private:
  Sintesi::Limiti limiti_;
  QString cartella_;
  std::unique_ptr<MotoreSintesi> motore_;
};

Sintesi::Sintesi(QObject *parent) : Sintesi(Limiti{}, QString(), parent) {}

Sintesi::Sintesi(const Limiti &limiti, const QString &cartellaProgramma, QObject *parent)
    : QObject(parent), limiti_(limiti), cartellaProgramma_(cartellaProgramma) {
  qRegisterMetaType<Pcm>();
}

Sintesi::~Sintesi() {
  if (filo_) {
    // The engine looks at this between pieces of sound: the wait is short.
    filo_->requestInterruption();
    filo_->quit();
    filo_->wait();
  }
}

QString Sintesi::testoDaDire(const QString &parola, int lettere) {
  const QString testo = parola.normalized(QString::NormalizationForm_C).toLower().trimmed();
  if (testo.isEmpty() || testo.size() > lettere)
    return {};
  bool lettera = false;
  for (const QChar c : testo) {
    // Control characters, and anything unprintable, are not part of a word.
    if (!c.isPrint())
      return {};
    lettera = lettera || c.isLetter();
  }
  return lettera ? testo : QString();
}

void Sintesi::chiedi(const QString &parola) {
  const QString testo = testoDaDire(parola, limiti_.lettere);
  const auto tenuta = scorta_.constFind(testo);
  if (testo.isEmpty() || tenuta != scorta_.constEnd()) {
    const Pcm pcm = testo.isEmpty() ? Pcm{} : *tenuta;
    QMetaObject::invokeMethod(
        this, [this, parola, pcm] { emit pronta(parola, pcm); }, Qt::QueuedConnection);
    return;
  }
  QStringList &attesa = inAttesa_[testo];
  attesa << parola;
  if (attesa.size() > 1)
    return;  // already on its way
  if (!filo_) {
    filo_ = new QThread(this);
    filo_->setObjectName(QStringLiteral("Sintesi"));
    operaio_ = new OperaioSintesi(limiti_, cartellaProgramma_);
    operaio_->moveToThread(filo_);
    // Deleted on its own thread as that thread ends, engine and all (SAPI's
    // COM belongs to that thread). Directly, not by a posted deletion: while
    // the application itself is being destroyed those are no longer run.
    connect(
        filo_, &QThread::finished, filo_, [operaio = operaio_] { delete operaio; }, Qt::DirectConnection);
    filo_->start(QThread::LowPriority);
  }
  ++fatte_;
  QMetaObject::invokeMethod(
      operaio_,
      [this, operaio = operaio_, testo] {
        const Pcm pcm = operaio->sintetizza(testo);
        // Posted to this object: deleting it (after the thread has ended) drops the post.
        QMetaObject::invokeMethod(
            this, [this, testo, pcm] { ricevi(testo, pcm); }, Qt::QueuedConnection);
      },
      Qt::QueuedConnection);
}

void Sintesi::ricevi(const QString &testo, const Pcm &pcm) {
  // A failure may pass (the machine was busy): only sound is kept.
  if (!pcm.vuoto())
    tieni(testo, pcm);
  for (const QString &parola : inAttesa_.take(testo))
    emit pronta(parola, pcm);
}

void Sintesi::tieni(const QString &testo, const Pcm &pcm) {
  if (pcm.dati->size() > limiti_.byteScorta)
    return;
  scorta_.insert(testo, pcm);
  ordine_ << testo;
  byteTenuti_ += pcm.dati->size();
  while (byteTenuti_ > limiti_.byteScorta) {
    byteTenuti_ -= scorta_.take(ordine_.takeFirst()).dati->size();
  }
}

qsizetype sceltaVoceItaliana(const QList<VoceDisponibile> &voci) {
  const auto parla = [&](auto accetta) -> qsizetype {
    for (qsizetype i = 0; i < voci.size(); ++i)
      if (std::any_of(voci[i].lingue.begin(), voci[i].lingue.end(), accetta))
        return i;
    return -1;
  };
  const qsizetype italia = parla([](const QString &l) {
    return l.compare(QLatin1String("it-IT"), Qt::CaseInsensitive) == 0 ||
           l.compare(QLatin1String("it"), Qt::CaseInsensitive) == 0;
  });
  if (italia >= 0)
    return italia;
  return parla([](const QString &l) { return l.startsWith(QLatin1String("it-"), Qt::CaseInsensitive); });
}

QStringList lingueSapi(QStringView attributo) {
  QStringList lingue;
  for (const QStringView parte : attributo.split(QLatin1Char(';'))) {
    bool ok = false;
    const uint id = parte.trimmed().toUInt(&ok, 16);
    if (!ok || id == 0 || id > 0xFFFF)
      continue;
    // The low 10 bits name the language (0x10: Italian), the rest its country.
    if ((id & 0x3FF) == 0x10)
      lingue << (id == 0x410 ? QStringLiteral("it-IT") : id == 0x810 ? QStringLiteral("it-CH") : QStringLiteral("it"));
    else
      lingue << QStringLiteral("x-%1").arg(id, 0, 16);
  }
  return lingue;
}

Pcm rifinisci(QByteArray pcm, int frequenza, int canali) {
  const auto *c = reinterpret_cast<const qint16 *>(pcm.constData());
  const qsizetype frame = canali > 0 ? pcm.size() / (2 * canali) : 0;
  int picco = 0;
  for (qsizetype i = 0; i < frame * canali; ++i)
    picco = std::max(picco, std::abs(int(c[i])));
  if (picco == 0 || frequenza <= 0)
    return {};
  // What stays 40 dB under the peak before the first sound and after the last is no word.
  const int soglia = std::max(1, picco / 100);
  const auto suona = [&](qsizetype f) {
    for (int k = 0; k < canali; ++k)
      if (std::abs(int(c[f * canali + k])) > soglia)
        return true;
    return false;
  };
  qsizetype inizio = 0, fine = frame;
  while (inizio < fine && !suona(inizio))
    ++inizio;
  while (fine > inizio && !suona(fine - 1))
    --fine;
  inizio = std::max<qsizetype>(0, inizio - frequenza * 15 / 1000);
  fine = std::min(frame, fine + frequenza * 40 / 1000);
  // Quiet engines are brought up to the shipped voices' peak, loud ones down; never more than 24 dB up.
  const double guadagno = std::min(16.0, 32767.0 * std::pow(10.0, -3.0 / 20.0) / picco);
  QByteArray fuori((fine - inizio) * canali * 2, Qt::Uninitialized);
  auto *o = reinterpret_cast<qint16 *>(fuori.data());
  for (qsizetype i = 0; i < (fine - inizio) * canali; ++i)
    o[i] = qint16(std::lround(std::clamp(c[inizio * canali + i] * guadagno, -32768.0, 32767.0)));
  return {std::make_shared<const QByteArray>(std::move(fuori)), frequenza, canali};
}

Pcm nelFormatoDelLettore(const Pcm &pcm) {
  if (pcm.vuoto())
    return {};
  if (pcm.frequenza == formatoSuono::Frequenza && pcm.canali == formatoSuono::Canali)
    return pcm;
  const auto *c = reinterpret_cast<const qint16 *>(pcm.dati->constData());
  const qint64 frame = pcm.dati->size() / (2 * pcm.canali);
  Ricampionatore r(pcm.frequenza, formatoSuono::Frequenza, formatoSuono::Canali, frame);
  // Mono goes to both sides; of more channels, the first two.
  const int canali = pcm.canali;
  r.aggiungi([&](qint64 f, int k) { return float(c[f * canali + std::min(k, canali - 1)]) / 32768.0f; }, frame);
  return {std::make_shared<const QByteArray>(r.fine()), formatoSuono::Frequenza, formatoSuono::Canali};
}

}  // namespace quirlo
