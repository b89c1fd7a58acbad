#include "common/ui/caption_width.h"

#include <QApplication>
#include <QBoxLayout>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>

namespace {

// The window icon and three frame buttons, with the gaps between them.
constexpr int kFrameReserve = 150;

}  // namespace

int CaptionWidth(const QString& caption) {
  QFont font = QApplication::font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.15);
  return QFontMetrics(font).horizontalAdvance(caption) + kFrameReserve;
}

void ReserveCaptionWidth(QBoxLayout& layout, const QString& caption) {
  const QMargins margins = layout.contentsMargins();
  layout.addStrut(CaptionWidth(caption) - margins.left() - margins.right());
}

void ReserveCaptionWidth(QMessageBox& box) {
  // The box fixes its size from its layout when it is shown: a row of the caption's width in the
  // layout is what it takes into account.
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  const QMargins margins = grid->contentsMargins();
  grid->addItem(new QSpacerItem(CaptionWidth(box.windowTitle()) - margins.left() - margins.right(), 0,
                                QSizePolicy::Fixed, QSizePolicy::Minimum),
                grid->rowCount(), 0, 1, grid->columnCount());
}
