#pragma once

#include <array>
#include <cstdint>

#include "document/types.h"

// The speaker layouts the automatic EQ can measure: a front speaker (mid or low) on each side,
// and both sub-woofers.
bool FrontSpeakersSet(const std::array<std::int32_t, kOutputCount>& speakerSwitch);
bool SubWoofersSet(const std::array<std::int32_t, kOutputCount>& speakerSwitch);
