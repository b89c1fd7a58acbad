#pragma once

#include <array>

#include "document/types.h"
#include "graphics/canvas.h"

// The colours of the equalizer graphs and their legend column.
inline constexpr Rgb kGraphBlack{0, 0, 0};
inline constexpr Rgb kGraphWhite{255, 255, 255};
inline constexpr Rgb kFineGridColour{100, 100, 100};

struct GroupColours {
  Rgb curve;
  Rgb legendSelected;
  Rgb legendDim;
  Rgb oppositeSide;  // the curve of the other side (R under L, L under R)
};

// By EqGroup.
inline constexpr std::array<GroupColours, kEqGroupCount> kGroupColours = {{
    {{255, 0, 0}, {255, 0, 0}, {105, 0, 0}, {100, 75, 75}},
    {{0, 255, 0}, {0, 255, 0}, {0, 105, 0}, {75, 100, 75}},
    {{0, 0, 255}, {0, 0, 255}, {0, 0, 105}, {75, 75, 100}},
    {{255, 255, 0}, {255, 255, 0}, {105, 105, 0}, {100, 100, 50}},
}};

inline constexpr const GroupColours& ColoursOf(EqGroup group) { return kGroupColours[Index(group)]; }

// The graphic SubWoofer uses bands up to 160 Hz only; its curve darkens from grid point 47 on.
inline constexpr int kGeqSubWooferDarkFromPoint = 47;
inline constexpr Rgb kGeqSubWooferDarkColour{105, 105, 0};
inline constexpr Rgb kGeqSubWooferDarkOppositeColour{85, 85, 0};

inline constexpr Rgb kGeqBarColour{68, 136, 68};
inline constexpr Rgb kGeqHandleColour{102, 102, 102};
inline constexpr Rgb kGeqDraggedHandleColour{68, 68, 68};
inline constexpr Rgb kGeqPressHighlightColour{102, 153, 153};

inline constexpr Rgb kPeqMarkerColour{255, 153, 153};  // the square and its number's background
inline constexpr Rgb kPeqCursorCurveColour{20, 200, 200};
inline constexpr Rgb kPeqPressHighlightColour{255, 153, 0};
inline constexpr Rgb kPeqDragHighlightColour{255, 255, 170};

inline constexpr int kEqCurvePenWidth = 2;
