#pragma once

#include <QPixmap>
#include <string_view>

// The pictures of the crossover window's "Show All Curves" toggle by their names: "DGRAPHU"
// (the button up) and "DGRAPHD" (pressed in). Any other name gives an empty picture.
QPixmap CrossoverButtonPicture(std::string_view name);
