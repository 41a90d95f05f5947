#include "Accessibilita.h"

#include <QAccessibleWidget>

#include "Widgets.h"

namespace quirlo {

namespace {

// A card: a button named by the syllable it shows; pressing it is a tap.
class CartaAccessibile : public QAccessibleWidget {
 public:
  explicit CartaAccessibile(Carta *c) : QAccessibleWidget(c, QAccessible::Button) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name)
      return carta()->text().isEmpty() ? QStringLiteral("carta usata") : carta()->text();
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override { return carta()->isEnabled() ? QStringList{pressAction()} : QStringList{}; }
  void doAction(const QString &azione) override {
    if (azione == pressAction() && carta()->isEnabled())
      carta()->attiva();
  }

 private:
  Carta *carta() const { return static_cast<Carta *>(object()); }
};

// A slot under a drawing: named by its place and what it holds; pressing it
// does what a tap does. The legends, which only count a wrong drop, are text.
class CasellaAccessibile : public QAccessibleWidget {
 public:
  explicit CasellaAccessibile(Casella *c) : QAccessibleWidget(c, QAccessible::Button) {}
  QAccessible::Role role() const override {
    return casella()->haPosizione() ? QAccessible::Button : QAccessible::StaticText;
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name)
      return casella()->nomeAccessibile();
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override {
    return role() == QAccessible::Button ? QStringList{pressAction()} : QStringList{};
  }
  void doAction(const QString &azione) override {
    if (azione == pressAction() && role() == QAccessible::Button)
      casella()->attiva();
  }

 private:
  Casella *casella() const { return static_cast<Casella *>(object()); }
};

// Drawings and faces: graphics named by what they show. Pressing a drawing
// says its word, as a tap does.
class ImmagineAccessibile : public QAccessibleWidget {
 public:
  explicit ImmagineAccessibile(Immagine *w) : QAccessibleWidget(w, QAccessible::Graphic) {}
  QStringList actionNames() const override {
    return immagine()->toccabile() ? QStringList{pressAction()} : QStringList{};
  }
  void doAction(const QString &azione) override {
    if (azione == pressAction())
      immagine()->attiva();
  }

 private:
  Immagine *immagine() const { return static_cast<Immagine *>(object()); }
};

QAccessibleInterface *fabbrica(const QString &classe, QObject *oggetto) {
  if (classe == QLatin1String("quirlo::Carta"))
    return new CartaAccessibile(static_cast<Carta *>(oggetto));
  if (classe == QLatin1String("quirlo::Casella"))
    return new CasellaAccessibile(static_cast<Casella *>(oggetto));
  if (classe == QLatin1String("quirlo::Immagine"))
    return new ImmagineAccessibile(static_cast<Immagine *>(oggetto));
  return nullptr;
}

}  // namespace

void installaAccessibilita() {
  static const bool installata = [] {
    QAccessible::installFactory(fabbrica);
    return true;
  }();
  (void)installata;
}

}  // namespace quirlo
