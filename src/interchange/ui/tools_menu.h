#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "fit/measurement_overlay.h"
#include "interchange/ui/filter_set_dialog.h"

class CQ5View;
class Dialogs;
class QMainWindow;

// The main window's "Tools" menu: filter sets in from and out to other programs' text, a
// measurement loaded onto the equalizer graphs, and the EQ fitted to it. An import or a fit
// changes the setup through the form as one edit; the measurement is not part of the setup.
class ToolsMenu : public QObject {
 public:
  static constexpr const char* kMenuCaption = "Tools";

  // Adds the menu to `frame`'s menu bar (before "&Help") and the overlay to the view's
  // equalizer windows. It must go before the frame and the view.
  ToolsMenu(QMainWindow& frame, CQ5View& view, Dialogs& dialogs);
  ~ToolsMenu() override;

  QMenu* Menu() const { return menu_; }
  // "importFilters", "exportFilters", "loadMeasurement", "fitEq", "showMeasurement".
  QAction* Action(const char* name) const;
  const MeasurementOverlay& Overlay() const { return overlay_; }

  // The commands.
  void ImportFilters();
  void ExportFilters();
  void LoadMeasurement();
  void FitToMeasurement();
  void ShowMeasurement(bool on);

  // Where the commands ask the user; file dialogs and the choice dialog unless replaced.
  std::function<QString(const QString& title, const QString& filter)> chooseOpenFile;
  std::function<QString(const QString& title, const QString& filter)> chooseSaveFile;
  std::function<std::optional<FilterSetChoice>(bool import, const std::vector<std::string>& channels)>
      chooseFilterSet;
  // Runs the fit dialog (modal by default); tests drive it instead.
  std::function<void(QDialog& dialog)> runFitDialog;

 private:
  // Asks for a file and reads it; false when none was chosen or it could not be read (said).
  bool ChooseAndRead(const QString& title, const QString& filter, QString& path, std::string& text);
  // A file that was read but not understood.
  void ReadingFailed(const QString& path, const std::string& error);
  void UpdateEnabling();
  void RefreshGraphs();
  // The status bar's passing note.
  void Note(const QString& text);

  QMainWindow& frame_;
  CQ5View& view_;
  Dialogs& dialogs_;
  MeasurementOverlay overlay_;
  QString measurementName_;
  QMenu* menu_ = nullptr;
};
