#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace quirlo {

// True when the file exists and its header is that of a picture we can decode.
bool immagineLeggibile(const QString &percorso);

// Decodes straight at the requested size (the frames stretch the picture anyway),
// so a huge photo never has to be held at full size. Null on failure.
QImage decodificaImmagine(const QString &percorso, QSize dimensione);

}  // namespace quirlo
