#include "CaratteriInAnticipo.h"

#include <QFontMetrics>

namespace quirlo {

namespace {

// The same face in a font object of its own: the toolkit keeps the face it
// opened in the object it was asked through, and a font the caller hands over
// may share that object with the window's widgets.
QFont copiaPropria(const QFont &f) {
  QFont propria(f.family());
  propria.setFamilies(f.families());
  if (f.pixelSize() > 0)
    propria.setPixelSize(f.pixelSize());
  else
    propria.setPointSizeF(f.pointSizeF());
  propria.setWeight(f.weight());
  propria.setStyle(f.style());
  propria.setStyleHint(f.styleHint(), f.styleStrategy());
  return propria;
}

}  // namespace

CaratteriInAnticipo::CaratteriInAnticipo()
    : lettura_([attesi = caratteri_.get_future()]() mutable {
        leggiConfigurazioneCaratteri();
        // Opening a face fills the shared font list and finds its fallbacks;
        // the face itself stays with this thread and goes with it.
        for (const QFont &f : attesi.get())
          QFontMetrics(f).height();
      }) {}

CaratteriInAnticipo::~CaratteriInAnticipo() { attendi(); }

void CaratteriInAnticipo::apri(const QList<QFont> &caratteri) {
  if (dati_)
    return;
  dati_ = true;
  QList<QFont> propri;
  for (const QFont &f : caratteri)
    propri.append(copiaPropria(f));
  caratteri_.set_value(std::move(propri));
}

void CaratteriInAnticipo::attendi() {
  apri({});
  if (lettura_.joinable())
    lettura_.join();
}

}  // namespace quirlo
