#pragma once

#include <QIODevice>
#include <QSize>

namespace quirlo {

// What decoding a JPEG will cost, from its markers, walked as the decoder
// walks them (bytes between markers skipped, fill bytes swallowed), so that
// no stray byte or empty segment can hide a frame header from this count.
struct CostoJpeg {
  bool jpeg = false;    // it starts as a JPEG does
  bool letto = false;   // its markers make sense as far as they go (a scan was reached)
  bool troppi = false;  // more segments than any picture needs: the walk gave up on them
  QSize dimensione;     // as stored, before any turn its orientation asks for
  int orientamento = 0;  // EXIF orientation of the first APP1 segment (1-8), 0 when none
  // What the decoder holds, in bytes: the coefficients of the whole image
  // for a file read in several passes, a few rows otherwise, plus the
  // comments and metadata it keeps as text.
  qint64 memoria = 0;
  // 8x8 blocks visited over all scans read: the decoding work. A progressive
  // file may repeat a scan thousands of times, each a pass over the image.
  qint64 visite = 0;
  int segmenti = 0;
  int scansioni = 0;
};

enum class Portata {
  Intestazione,  // up to the first scan: what the frame header and metadata ask for
  Tutto,         // every segment and scan of the file
};

CostoJpeg costoJpeg(QIODevice &dispositivo, Portata portata);

namespace limitiJpeg {
inline constexpr int MassimiSegmenti = 1024;
}  // namespace limitiJpeg

}  // namespace quirlo
