#pragma once

#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>

// Lettering for the drawn pictures: text as an outline scaled into a box, so that a picture looks
// the same whichever fonts the machine has.
class ArtworkText {
 public:
  // A sans-serif font of the given pixel size and weight.
  static QFont Font(int pixelSize, QFont::Weight weight);
  // The screens' "MS Sans Serif" lettering (or the nearest sans-serif) of a character height.
  static QFont ScreenFont(int pixelHeight);
  // The outline of `text` scaled to the height of `box` (narrowed to its width when longer) and
  // placed in it left, centred or right as `align` says.
  static QPainterPath Fitted(const QString& text, const QFont& font, const QRectF& box, Qt::Alignment align);
};
