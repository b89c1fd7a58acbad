#pragma once

#include <QPixmap>
#include <string_view>

// The pictures of the equalizer windows' toggle buttons by their names: "GRAPHU" and "GRAPHD"
// (Show All Curves), "BOXU" and "BOXD" (the parametric window's Enable Cursors), "GBOXU" and
// "GBOXD" (the graphic window's). The "U" picture is the button up, "D" pressed in.
QPixmap EqButtonPicture(std::string_view name);

// The decoration strip under the graphs, 280 x 40 pixels, stretched over its control.
QPixmap EqPictureStrip();
