#include "CaricatoreImmagini.h"

#include <QDeadlineTimer>
#include <QMutex>
#include <QThreadPool>
#include <QWaitCondition>

namespace quirlo {

namespace {

// One thread for every picture of the program: two heavy drawings decoded at
// once would hold twice the decoder's budget. Left running at the end: the
// game leaves without destroying anything, and whoever else does waits here
// for one stopped decode at most.
QThreadPool &filo() {
  static QThreadPool pool;
  static const bool pronto = [] {
    pool.setMaxThreadCount(1);
    pool.setObjectName(QStringLiteral("CaricatoreImmagini"));
    return true;
  }();
  Q_UNUSED(pronto);
  return pool;
}

// Under Wine a program whose pictures a worker thread decoded never ends: its
// last thread hangs inside Windows' own shutdown. There pictures are decoded
// where they are asked for, as they always were; the hand-over is the same.
#ifdef Q_OS_WIN
constexpr bool DecodificaAParte = false;
#else
constexpr bool DecodificaAParte = true;
#endif

}  // namespace

struct CaricatoreImmagini::Compito {
  int posto;
  QString percorso;
  QSize dimensione;
  std::atomic<bool> annullato{false};
  QImage immagine;      // guarded by Condiviso::mutex
  bool finito = false;  // likewise
};

// What the decoding thread shares with the loader, and outlives it.
struct CaricatoreImmagini::Condiviso {
  QMutex mutex;
  QWaitCondition finito;
  CaricatoreImmagini *caricatore = nullptr;  // null once it is gone
};

CaricatoreImmagini::CaricatoreImmagini(Decodifica decodifica, QObject *parent)
    : QObject(parent), decodifica_(std::move(decodifica)), condiviso_(std::make_shared<Condiviso>()) {
  condiviso_->caricatore = this;
}

CaricatoreImmagini::~CaricatoreImmagini() {
  annullaTutto();
  QMutexLocker blocco(&condiviso_->mutex);
  condiviso_->caricatore = nullptr;
}

void CaricatoreImmagini::chiedi(int posto, const QString &percorso, QSize dimensione) {
  for (qsizetype i = compiti_.size() - 1; i >= 0; --i)
    if (compiti_[i]->posto == posto) {
      compiti_[i]->annullato = true;
      compiti_.removeAt(i);
    }
  auto compito = std::make_shared<Compito>();
  compito->posto = posto;
  compito->percorso = percorso;
  compito->dimensione = dimensione;
  compiti_.append(compito);
  auto lavoro = [compito, condiviso = condiviso_, decodifica = decodifica_] {
    QImage immagine;
    if (!compito->annullato)
      immagine = decodifica(compito->percorso, compito->dimensione, compito->annullato);
    QMutexLocker blocco(&condiviso->mutex);
    compito->immagine = std::move(immagine);
    compito->finito = true;
    condiviso->finito.wakeAll();
    // Posted while the loader surely lives; one destroyed before it runs drops it.
    if (condiviso->caricatore && !compito->annullato)
      QMetaObject::invokeMethod(condiviso->caricatore, &CaricatoreImmagini::consegna, Qt::QueuedConnection);
  };
  if (DecodificaAParte)
    filo().start(std::move(lavoro));
  else
    lavoro();
}

void CaricatoreImmagini::annullaTutto() {
  for (const auto &c : std::as_const(compiti_))
    c->annullato = true;
  compiti_.clear();
}

void CaricatoreImmagini::attendi(int ms) {
  {
    QDeadlineTimer scadenza(ms);
    QMutexLocker blocco(&condiviso_->mutex);
    const auto tuttiFiniti = [this] {
      return std::all_of(compiti_.cbegin(), compiti_.cend(), [](const auto &c) { return c->finito; });
    };
    while (!tuttiFiniti() && condiviso_->finito.wait(&condiviso_->mutex, scadenza)) {
    }
  }
  consegna();
}

void CaricatoreImmagini::consegna() {
  QList<std::shared_ptr<Compito>> pronti;
  {
    QMutexLocker blocco(&condiviso_->mutex);
    for (qsizetype i = 0; i < compiti_.size();) {
      if (compiti_[i]->finito)
        pronti.append(compiti_.takeAt(i));
      else
        ++i;
    }
  }
  for (const auto &c : std::as_const(pronti))
    emit pronta(c->posto, c->immagine);
}

void CaricatoreImmagini::attendiFilo() { filo().waitForDone(); }

bool CaricatoreImmagini::aParte() { return DecodificaAParte; }

}  // namespace quirlo
