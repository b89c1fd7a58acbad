#pragma once

#include <QString>

class QBoxLayout;
class QMessageBox;

// The width a small window needs for its frame to show the whole caption: the title in the frame's
// (bold) font, the window icon and the frame's buttons. Without it a box with a short text is so
// narrow that the desktop shortens its caption to "...".
int CaptionWidth(const QString& caption);

// Makes the window of `layout` (a vertical box) at least as wide as its caption needs.
void ReserveCaptionWidth(QBoxLayout& layout, const QString& caption);
// The same for a message box, which sizes itself when shown.
void ReserveCaptionWidth(QMessageBox& box);
