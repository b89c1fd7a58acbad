#pragma once

#include <array>
#include <functional>

#include "common/ui/editor_dialog.h"
#include "crossover/crossover_graph.h"
#include "crossover/crossover_view.h"

class CrossoverEditor;
class EqPictureWidget;
class PictureButton;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

// The modeless "Crossover Window": the graph with its legend, the channel list, the "Show All
// Curves" toggle, the HPF ("Low") and LPF ("High") frequency boxes, sliders and slope lists, the
// level list, the "L / R" radios, the banner and the buttons. Every control goes to the editor,
// and the controls then show what the editor says.
class CrossoverDialog : public EditorDialog {
 public:
  // The graph's normal size keeps the proportions of the window's graph area.
  static constexpr QSize kGraphSize{740, 280};
  static constexpr QSize kLegendSize{48, 280};

  CrossoverDialog(CrossoverEditor& editor, QWidget* parent);
  ~CrossoverDialog() override;

  void Sync() override;
  void SetOffline(bool offline);
  void MoveFocus(CrossoverFocus control);

  GraphScale GraphSize() const;
  CrossoverLegendArea LegendArea() const;
  EqPictureWidget* Graph() const { return graph_; }
  EqPictureWidget* Legend() const { return legend_; }

  // The controls, for tests.
  QComboBox* Channel() const { return channel_; }
  PictureButton* ShowAllButton() const { return showAll_; }
  QLineEdit* HpfFrequency() const { return hpfFrequency_; }
  QLineEdit* LpfFrequency() const { return lpfFrequency_; }
  QSlider* HpfSlider() const { return hpfSlider_; }
  QSlider* LpfSlider() const { return lpfSlider_; }
  QComboBox* HpfSlope() const { return hpfSlope_; }
  QComboBox* LpfSlope() const { return lpfSlope_; }
  QComboBox* Level() const { return level_; }
  QRadioButton* SetButton(int set) const { return sets_[static_cast<std::size_t>(set)]; }
  QPushButton* PrintButton() const { return print_; }
  QPushButton* CloseButton() const { return close_; }
  QPushButton* ReturnButton() const { return return_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  void CloseRequested() override;
  void Resized() override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Build();
  QWidget* BuildControls();
  void OnReturn();

  CrossoverEditor& editor_;

  EqPictureWidget* graph_ = nullptr;
  EqPictureWidget* legend_ = nullptr;
  QComboBox* channel_ = nullptr;
  PictureButton* showAll_ = nullptr;
  QLineEdit* hpfFrequency_ = nullptr;
  QLineEdit* lpfFrequency_ = nullptr;
  QSlider* hpfSlider_ = nullptr;
  QSlider* lpfSlider_ = nullptr;
  QComboBox* hpfSlope_ = nullptr;
  QComboBox* lpfSlope_ = nullptr;
  QComboBox* level_ = nullptr;
  std::array<QRadioButton*, 3> sets_{};
  QPushButton* print_ = nullptr;
  QPushButton* close_ = nullptr;
  QPushButton* return_ = nullptr;
  QPushButton* cancel_ = nullptr;
};
