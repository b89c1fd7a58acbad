#include "artwork/artwork_text.h"

#include <QStringList>
#include <QTransform>
#include <algorithm>

QFont ArtworkText::ScreenFont(int pixelHeight) {
  QFont font;
  font.setFamilies(QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"),
                               QStringLiteral("Sans Serif")});
  font.setPixelSize(pixelHeight);
  return font;
}

QFont ArtworkText::Font(int pixelSize, QFont::Weight weight) {
  QFont font;
  font.setFamilies(QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                               QStringLiteral("Arial"), QStringLiteral("Sans Serif")});
  font.setPixelSize(pixelSize);
  font.setWeight(weight);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QPainterPath ArtworkText::Fitted(const QString& text, const QFont& font, const QRectF& box,
                                 Qt::Alignment align) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF bounds = path.boundingRect();
  if (bounds.isEmpty()) return path;
  const double scaleY = box.height() / bounds.height();
  const double scaleX = std::min(scaleY, box.width() / bounds.width());
  const double width = bounds.width() * scaleX;
  double x = box.left();
  if (align & Qt::AlignHCenter) x = box.left() + (box.width() - width) / 2.0;
  if (align & Qt::AlignRight) x = box.right() - width;
  QTransform t;
  t.translate(x, box.top());
  t.scale(scaleX, scaleY);
  t.translate(-bounds.left(), -bounds.top());
  return t.map(path);
}
