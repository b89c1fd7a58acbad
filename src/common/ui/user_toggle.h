#pragma once

#include <QAbstractButton>
#include <QButtonGroup>
#include <QObject>
#include <memory>
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

// The same for an exclusive group of radio buttons: `action(int id)` for the button turned on.
// A group reports its buttons' changes even while each button's own signals are blocked, so
// states set by the program must block the group too (or be told apart by the caller).
template <typename Action>
void OnUserChecked(QButtonGroup* group, QObject* context, Action&& action) {
  QObject::connect(group, &QButtonGroup::idToggled, context,
                   [action = std::forward<Action>(action)](int id, bool checked) {
                     if (checked) action(id);
                   });
}

// A radio button whose choice acts again when it is chosen again: `action()` when the radio is
// turned on (as OnUserToggled), and also when a click or key press hits it while it is already
// on, which Qt reports as a click without a toggle.
template <typename Action>
void OnUserChosen(QAbstractButton* radio, QObject* context, Action action) {
  auto checkedAtPress = std::make_shared<bool>(false);
  QObject::connect(radio, &QAbstractButton::pressed, context,
                   [radio, checkedAtPress] { *checkedAtPress = radio->isChecked(); });
  QObject::connect(radio, &QAbstractButton::clicked, context, [checkedAtPress, action](bool checked) {
    if (checked && *checkedAtPress) action();
    *checkedAtPress = false;
  });
  QObject::connect(radio, &QAbstractButton::toggled, context, [action](bool checked) {
    if (checked) action();
  });
}
