#pragma once

#include <array>
#include <functional>

#include "common/ui/editor_dialog.h"
#include "graphics/response_graph.h"

class EqPictureWidget;
class GeqSliderBank;
class GraphicEqEditor;
class PictureButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;
class QSlider;

// The modeless "Graphic EQ Window": the graph with its legend column and picture strip, the 31
// band sliders under the bars, the channel, band frequency and band level lists, the side
// buttons, the picture toggles, "Mouse Trace" and the buttons. Every control goes to the editor,
// and the controls then show what the editor says.
class GraphicEqDialog : public EditorDialog {
 public:
  static constexpr QSize kGraphSize{740, 263};
  static constexpr QSize kLegendSize{80, 263};

  GraphicEqDialog(GraphicEqEditor& editor, QWidget* parent);
  ~GraphicEqDialog() override;

  void Sync() override;
  void SetOffline(bool offline);

  GraphScale GraphSize() const;
  LegendSize LegendArea() const;
  EqPictureWidget* Graph() const { return graph_; }
  EqPictureWidget* Legend() const { return legend_; }

  // The controls, for tests.
  QSlider* BandSlider(int band) const;
  QComboBox* Channel() const { return channel_; }
  QComboBox* BandFrequency() const { return bandList_; }
  QComboBox* BandLevel() const { return levelList_; }
  QRadioButton* SideButton(int side) const { return sides_[static_cast<std::size_t>(side)]; }
  PictureButton* GraphButton() const { return graphButton_; }
  PictureButton* GboxButton() const { return gboxButton_; }
  QCheckBox* MouseTrace() const { return mouseTrace_; }
  QPushButton* ResetButton() const { return reset_; }
  QPushButton* PrintButton() const { return print_; }
  QPushButton* CloseButton() const { return close_; }
  QPushButton* ReturnButton() const { return return_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  void CloseRequested() override;
  void Resized() override;

 private:
  void Build();
  QLayout* BuildControls();

  GraphicEqEditor& editor_;

  EqPictureWidget* graph_ = nullptr;
  EqPictureWidget* legend_ = nullptr;
  GeqSliderBank* sliders_ = nullptr;
  QComboBox* channel_ = nullptr;
  QComboBox* bandList_ = nullptr;
  QComboBox* levelList_ = nullptr;
  std::array<QRadioButton*, 3> sides_{};
  PictureButton* graphButton_ = nullptr;
  PictureButton* gboxButton_ = nullptr;
  QCheckBox* mouseTrace_ = nullptr;
  QPushButton* reset_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* close_ = nullptr;
  QPushButton* return_ = nullptr;
  QPushButton* cancel_ = nullptr;
};
