#pragma once

#include <QAbstractButton>
#include <QObject>
#include <utility>

// Connects `action(bool checked)` to every way a user changes a check box, radio button or
// checkable button: a click, the keyboard, and a screen reader's or UI-automation tool's press
// or toggle. Qt's accessible toggle changes the check state without a click, so the change of
// state is what counts, not the click. The program sets states itself under a QSignalBlocker,
// which this does not see. A radio button reports both the one turned off and the one turned
// on; act on `checked`.
template <typename Action>
void OnUserToggled(QAbstractButton* button, QObject* context, Action&& action) {
  QObject::connect(button, &QAbstractButton::toggled, context, std::forward<Action>(action));
}
