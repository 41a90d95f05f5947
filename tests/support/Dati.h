#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace quirlo::prova {

// A program folder laid out by a test: lists, drawings, sounds.
class CartellaDati {
 public:
  CartellaDati();
  QString percorso() const { return dir_.path(); }
  QString file(const QString &relativo) const;

  void scriviFile(const QString &relativo, const QByteArray &contenuto) const;
  // One word per line, syllables joined by commas; a drawing for each word.
  void scriviLista(const QString &nome, const QList<QStringList> &parole, bool conDisegni = true) const;
  void scriviDisegno(const QString &parola, int larghezza = 24, int altezza = 20) const;
  void rimuovi(const QString &relativo) const;
  // Whether the folder's file system opens "A" for "a" (Windows does).
  bool ignoraMaiuscole() const;

 private:
  QTemporaryDir dir_;
};

// Words for two- and three-syllable fixtures: distinct, easy to tell apart.
QList<QStringList> paroleBisillabe(int quante);
QList<QStringList> paroleTrisillabe(int quante);

}  // namespace quirlo::prova
