#pragma once

#include <QApplication>
#include <QtTest/QTest>
#include <map>
#include <memory>
#include <string>

#include "app/cq5_app.h"
#include "app/cq5_doc.h"
#include "app/document_prompts.h"
#include "app/main_frame.h"
#include "common/recording_dialogs.h"
#include "common/settings_store.h"
#include "common/virtual_clock.h"
#include "form/ui/cq5_view.h"
#include "platform/qt_message_pump.h"
#include "sim/in_memory_line.h"

// Settings kept in memory, so that no test touches the user's own.
class MemorySettings : public SettingsStore {
 public:
  int GetInt(std::string_view section, std::string_view key, int defaultValue) override {
    const auto it = ints.find(Key(section, key));
    return it == ints.end() ? defaultValue : it->second;
  }
  void SetInt(std::string_view section, std::string_view key, int value) override {
    ints[Key(section, key)] = value;
  }
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view defaultValue) override {
    const auto it = strings.find(Key(section, key));
    return it == strings.end() ? std::string(defaultValue) : it->second;
  }
  void SetString(std::string_view section, std::string_view key, std::string_view value) override {
    strings[Key(section, key)] = std::string(value);
  }

  std::map<std::string, int> ints;
  std::map<std::string, std::string> strings;

 private:
  static std::string Key(std::string_view section, std::string_view key) {
    return std::string(section) + "/" + std::string(key);
  }
};

// Answers the file dialogs and the save question as the test says.
class ScriptedPrompts : public DocumentPrompts {
 public:
  SaveAnswer AskSaveChanges(const std::string& name) override {
    asked.push_back(name);
    return answer;
  }
  std::string ChooseOpenFile() override { return openFile; }
  std::string ChooseSaveFile(const std::string&) override { return saveFile; }

  SaveAnswer answer = SaveAnswer::No;
  std::string openFile;
  std::string saveFile;
  std::vector<std::string> asked;
};

// Records the closing screen as well.
class AppDialogs : public RecordingDialogs {
 public:
  void ShowFinishScreen(bool countryIsUsa) override { finishScreens.push_back(countryIsUsa); }
  std::vector<bool> finishScreens;
};

// The whole program on a simulated processor reachable as "COM1", in virtual line time.
struct AppHarness {
  MemorySettings settings;
  VirtualClock clock;
  InMemoryLine line{clock};
  AppDialogs dialogs;
  ScriptedPrompts prompts;
  QtMessagePump pump;
  std::unique_ptr<CQ5App> app;

  void Start(const std::string& file = {}) {
    app = std::make_unique<CQ5App>(CQ5App::Services{settings, line, clock, dialogs, prompts, pump});
    app->Start(file);
  }
  CMainFrame& Frame() { return app->Frame(); }
  CQ5View& View() { return app->View(); }
  SetupForm& Form() { return app->View().Form(); }
  QString Title() { return Frame().windowTitle(); }
  bool Enabled(const char* command) { return Frame().Command(QString::fromLatin1(command))->isEnabled(); }
  // Lets queued work (repaints that apply the speaker switches, posted requests) run.
  static void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
  }
};
