#include "interchange/ui/tools_menu.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QSaveFile>
#include <QStatusBar>

#include "common/dialogs.h"
#include "eq/ui/graphic_eq_window.h"
#include "eq/ui/parametric_eq_window.h"
#include "fit/ui/fit_dialog.h"
#include "form/ui/cq5_view.h"
#include "interchange/filter_import.h"
#include "interchange/filter_text.h"
#include "interchange/text_file.h"

namespace {

constexpr int kNoteMs = 5000;

const QString kFilterFiles = QStringLiteral("Filter settings (*.txt *.cfg);;All files (*)");
const QString kMeasurementFiles = QStringLiteral("Measurements (*.txt *.frd *.csv);;All files (*)");

std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += (out.empty() ? "" : "\n") + l;
  return out;
}

}  // namespace

ToolsMenu::ToolsMenu(QMainWindow& frame, CQ5View& view, Dialogs& dialogs)
    : frame_(frame), view_(view), dialogs_(dialogs) {
  chooseOpenFile = [this](const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(&frame_, title, QString(), filter);
  };
  chooseSaveFile = [this](const QString& title, const QString& filter) {
    return QFileDialog::getSaveFileName(&frame_, title, QString(), filter);
  };
  chooseFilterSet = [this](bool import, const std::vector<std::string>& channels) {
    FilterSetDialog dialog(import, channels, &frame_);
    return dialog.exec() == QDialog::Accepted ? std::optional(dialog.Choice()) : std::nullopt;
  };
  runFitDialog = [](QDialog& dialog) { dialog.exec(); };

  menu_ = new QMenu(QString::fromLatin1(kMenuCaption), &frame_);
  struct Item {
    const char* name;
    const char* text;
    const char* prompt;
    void (ToolsMenu::*run)();
  };
  const Item items[] = {
      {"importFilters", "Import Filters...",
       "Replace one parametric set by the filters of an equalizer's text file", &ToolsMenu::ImportFilters},
      {"exportFilters", "Export Filters...", "Write one parametric set as an equalizer's text file",
       &ToolsMenu::ExportFilters},
      {"loadMeasurement", "Load Measurement...", "Show a measured response on the equalizer graphs",
       &ToolsMenu::LoadMeasurement},
      {"fitEq", "Fit EQ to Measurement...", "Fit an equalizer set to the loaded measurement",
       &ToolsMenu::FitToMeasurement},
  };
  for (const Item& item : items) {
    auto* action = new QAction(QString::fromLatin1(item.text), menu_);
    action->setObjectName(QString::fromLatin1(item.name));
    action->setStatusTip(QString::fromLatin1(item.prompt));
    connect(action, &QAction::triggered, this, [this, run = item.run] { (this->*run)(); });
    menu_->addAction(action);
    if (item.run == &ToolsMenu::LoadMeasurement) menu_->addSeparator();
  }
  auto* show = new QAction(QStringLiteral("Show Measurement"), menu_);
  show->setObjectName(QStringLiteral("showMeasurement"));
  show->setStatusTip(QStringLiteral("Show or hide the loaded measurement on the equalizer graphs"));
  show->setCheckable(true);
  show->setChecked(true);
  connect(show, &QAction::toggled, this, &ToolsMenu::ShowMeasurement);
  menu_->addAction(show);

  // Before "&Help", as the last of the working menus.
  QAction* before = nullptr;
  for (QAction* a : frame_.menuBar()->actions()) {
    if (a->text() == QStringLiteral("&Help")) before = a;
  }
  frame_.menuBar()->insertMenu(before, menu_);
  connect(menu_, &QMenu::aboutToShow, this, &ToolsMenu::UpdateEnabling);

  if (view_.ParametricWindow() != nullptr) view_.ParametricWindow()->Editor().SetOverlay(&overlay_);
  if (view_.GraphicWindow() != nullptr) view_.GraphicWindow()->Editor().SetOverlay(&overlay_);
  UpdateEnabling();
}

ToolsMenu::~ToolsMenu() {
  if (view_.ParametricWindow() != nullptr) view_.ParametricWindow()->Editor().SetOverlay(nullptr);
  if (view_.GraphicWindow() != nullptr) view_.GraphicWindow()->Editor().SetOverlay(nullptr);
}

QAction* ToolsMenu::Action(const char* name) const {
  return menu_->findChild<QAction*>(QString::fromLatin1(name));
}

void ToolsMenu::UpdateEnabling() {
  const bool loaded = overlay_.Loaded().has_value();
  Action("fitEq")->setEnabled(loaded);
  Action("showMeasurement")->setEnabled(loaded);
}

void ToolsMenu::RefreshGraphs() {
  view_.Windows().Refresh(FunctionWindow::Parametric);
  view_.Windows().Refresh(FunctionWindow::Graphic);
}

void ToolsMenu::Note(const QString& text) { frame_.statusBar()->showMessage(text, kNoteMs); }

bool ToolsMenu::ChooseAndRead(const QString& title, const QString& filter, QString& path, std::string& text) {
  path = chooseOpenFile(title, filter);
  if (path.isEmpty()) return false;
  std::string error;
  if (ReadTextFile(path.toStdString(), text, error)) return true;
  dialogs_.ShowMessage(error, MessageIcon::Error);
  return false;
}

void ToolsMenu::ReadingFailed(const QString& path, const std::string& error) {
  dialogs_.ShowMessage(QFileInfo(path).fileName().toStdString() + ": " + error, MessageIcon::Error);
}

void ToolsMenu::ImportFilters() {
  QString path;
  std::string text;
  if (!ChooseAndRead(QStringLiteral("Import Filters"), kFilterFiles, path, text)) return;
  const FilterTextReading reading = ReadFilterText(text);
  if (!reading.text) {
    ReadingFailed(path, reading.error);
    return;
  }
  const std::optional<FilterSetChoice> choice = chooseFilterSet(true, reading.text->Channels());
  if (!choice) return;
  const FilterImport import = ::ImportFilters(*reading.text, choice->channel, view_.Form().WorkingCopy(),
                                              choice->group, choice->side);
  if (!import.edit) {
    dialogs_.ShowMessage(import.refusal, MessageIcon::Exclamation);
    return;
  }
  if (!view_.Form().ApplyEdit(*import.edit, kImportFiltersStepText)) return;
  Note(QStringLiteral("Filters imported from %1").arg(QFileInfo(path).fileName()));
  if (!import.notes.empty()) dialogs_.ShowMessage(Joined(import.notes), MessageIcon::Information);
}

void ToolsMenu::ExportFilters() {
  const std::optional<FilterSetChoice> choice = chooseFilterSet(false, {});
  if (!choice) return;
  const QString path = chooseSaveFile(QStringLiteral("Export Filters"), kFilterFiles);
  if (path.isEmpty()) return;
  const SetupDocument& doc = view_.Form().WorkingCopy();
  const std::string text = WriteFilterText(doc.peqBands[Index(choice->group)][Index(choice->side)],
                                           choice->group, choice->side, choice->format);
  QSaveFile file(path);
  const bool written =
      file.open(QIODevice::WriteOnly) &&
      file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
      file.commit();
  if (!written) {
    dialogs_.ShowMessage("Cannot write " + path.toStdString() + ": " + file.errorString().toStdString(),
                         MessageIcon::Error);
    return;
  }
  Note(QStringLiteral("Filters exported to %1").arg(QFileInfo(path).fileName()));
}

void ToolsMenu::LoadMeasurement() {
  QString path;
  std::string text;
  if (!ChooseAndRead(QStringLiteral("Load Measurement"), kMeasurementFiles, path, text)) return;
  const MeasurementReading reading = ReadMeasurement(text);
  if (!reading.measurement) {
    ReadingFailed(path, reading.error);
    return;
  }
  overlay_.SetMeasurement(*reading.measurement);
  measurementName_ = QFileInfo(path).fileName();
  Action("showMeasurement")->setChecked(true);
  overlay_.SetVisible(true);
  UpdateEnabling();
  RefreshGraphs();
  Note(QStringLiteral("Measurement %1 loaded: %2 points")
           .arg(measurementName_)
           .arg(reading.measurement->Size()));
}

void ToolsMenu::FitToMeasurement() {
  if (!overlay_.Loaded()) return;
  FitDialog dialog(*overlay_.Loaded(), view_.Form(), &frame_);
  runFitDialog(dialog);
}

void ToolsMenu::ShowMeasurement(bool on) {
  overlay_.SetVisible(on);
  RefreshGraphs();
}
