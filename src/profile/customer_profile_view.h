#pragma once

#include "profile/profile_box.h"

// What the profile editor asks of its dialog besides showing the editor's state.
class CustomerProfileView {
 public:
  virtual ~CustomerProfileView() = default;
  // The keyboard focus to `box`, its text selected, as after a refused entry.
  virtual void FocusBox(ProfileBox box) = 0;
};
