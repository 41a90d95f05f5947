#pragma once

#include <QStringList>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

namespace quirlo::prova {

// Standard error, where the trace goes, caught for the life of the object.
class ErroreCatturato {
 public:
  ErroreCatturato() {
    file_.open();
    std::fflush(stderr);
    salvato_ = dup(2);
    dup2(file_.handle(), 2);
  }
  ~ErroreCatturato() { ripristina(); }
  ErroreCatturato(const ErroreCatturato &) = delete;
  ErroreCatturato &operator=(const ErroreCatturato &) = delete;

  // The lines written so far that start with `inizio`, without it.
  QStringList righe(const QString &inizio = {}) {
    std::fflush(stderr);
    file_.seek(0);
    QStringList trovate;
    for (const QString &r : QString::fromUtf8(file_.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
      if (r.startsWith(inizio))
        trovate << r.mid(inizio.size());
    return trovate;
  }

 private:
  void ripristina() {
    if (salvato_ < 0)
      return;
    std::fflush(stderr);
    dup2(salvato_, 2);
    close(salvato_);
    salvato_ = -1;
  }
  QTemporaryFile file_;
  int salvato_ = -1;
};

}  // namespace quirlo::prova
