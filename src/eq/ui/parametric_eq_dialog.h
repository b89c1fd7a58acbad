#pragma once

#include <array>
#include <functional>

#include "common/ui/editor_dialog.h"
#include "graphics/response_graph.h"

class EqPictureWidget;
class ParametricEqEditor;
class PictureButton;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

// The modeless "Parametric EQ Window": the graph with its legend column and picture strip, the
// channel list, band and side buttons, the level, Q and frequency sliders with their edit boxes
// and the buttons. Every control goes to the editor, and the controls then show what the editor
// says.
class ParametricEqDialog : public EditorDialog {
 public:
  static constexpr QSize kGraphSize{740, 263};
  static constexpr QSize kLegendSize{80, 263};

  ParametricEqDialog(ParametricEqEditor& editor, QWidget* parent);
  ~ParametricEqDialog() override;

  void Sync() override;
  void SetOffline(bool offline);

  GraphScale GraphSize() const;
  LegendSize LegendArea() const;
  EqPictureWidget* Graph() const { return graph_; }
  EqPictureWidget* Legend() const { return legend_; }

  // The controls, for tests.
  QComboBox* Channel() const { return channel_; }
  QRadioButton* BandButton(int band) const { return bands_[static_cast<std::size_t>(band)]; }
  QRadioButton* SideButton(int side) const { return sides_[static_cast<std::size_t>(side)]; }
  QSlider* LevelSlider() const { return levelSlider_; }
  QSlider* QFactorSlider() const { return qSlider_; }
  QSlider* FrequencySlider() const { return frequencySlider_; }
  QLineEdit* LevelEdit() const { return levelEdit_; }
  QLineEdit* QEdit() const { return qEdit_; }
  QLineEdit* FrequencyEdit() const { return frequencyEdit_; }
  PictureButton* GraphButton() const { return graphButton_; }
  PictureButton* BoxButton() const { return boxButton_; }
  QPushButton* ResetButton() const { return reset_; }
  QPushButton* PrintButton() const { return print_; }
  QPushButton* CloseButton() const { return close_; }
  QPushButton* ReturnButton() const { return return_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  void CloseRequested() override;
  void Resized() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build();
  void OnReturn();

  ParametricEqEditor& editor_;

  EqPictureWidget* graph_ = nullptr;
  EqPictureWidget* legend_ = nullptr;
  QComboBox* channel_ = nullptr;
  std::array<QRadioButton*, 10> bands_{};
  std::array<QRadioButton*, 3> sides_{};
  QButtonGroup* bandGroup_ = nullptr;
  QButtonGroup* sideGroup_ = nullptr;
  QSlider* levelSlider_ = nullptr;
  QSlider* qSlider_ = nullptr;
  QSlider* frequencySlider_ = nullptr;
  QLineEdit* levelEdit_ = nullptr;
  QLineEdit* qEdit_ = nullptr;
  QLineEdit* frequencyEdit_ = nullptr;
  PictureButton* graphButton_ = nullptr;
  PictureButton* boxButton_ = nullptr;
  QPushButton* reset_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* close_ = nullptr;
  QPushButton* return_ = nullptr;
  QPushButton* cancel_ = nullptr;
};
