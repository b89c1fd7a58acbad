#pragma once

#include <QIcon>

// The toolbar's pictures, drawn in code at every size the toolbar may ask for.
class ToolbarArtwork {
 public:
  enum class Image { Open, Save, Profile, About, ContextHelp };
  static QIcon Icon(Image image);
};
