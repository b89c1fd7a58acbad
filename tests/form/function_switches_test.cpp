#include <gtest/gtest.h>

#include <filesystem>

#include "common/temp_dir.h"
#include "form/form_texts.h"
#include "form_test_support.h"
#include "link/connect_sequence.h"

namespace {

using namespace formtest;
using Strings = std::vector<std::string>;

struct FunctionSwitches : FormFixture {
  Strings Switch(FunctionSwitch which, bool on) {
    line.ClearTraffic();
    parameter.texts.clear();
    form.SetFunctionSwitch(which, on);
    EXPECT_FALSE(parameter.open);
    return Sent();
  }
};

TEST_F(FunctionSwitches, ParametricAndGraphicExcludeEachOther) {
  // Offline the switches only change state.
  geq.open = true;
  form.SetFunctionSwitch(FunctionSwitch::Graphic, true);
  EXPECT_TRUE(line.Sent().empty());
  EXPECT_FALSE(form.FunctionSwitchOn(FunctionSwitch::Parametric));
  EXPECT_FALSE(form.FunctionButtonEnabled(FunctionButton::Parametric));
  EXPECT_TRUE(form.FunctionButtonEnabled(FunctionButton::Graphic));

  ConnectNow();
  form.PressFunctionButton(FunctionButton::Graphic);
  ASSERT_TRUE(geq.open);
  EXPECT_FALSE(geq.offline);
  peq.data.peqPeakBoost = 4;  // as the parametric window last reported it
  form.HandleRequest({FormMessage::PeqClose, 0, 0});

  const Strings on = Switch(FunctionSwitch::Parametric, true);
  EXPECT_FALSE(geq.open);
  EXPECT_FALSE(form.FunctionSwitchOn(FunctionSwitch::Graphic));
  EXPECT_FALSE(form.FunctionButtonEnabled(FunctionButton::Graphic));
  EXPECT_TRUE(form.FunctionButtonEnabled(FunctionButton::Parametric));
  EXPECT_EQ(session.document.appliedPeakBoost, 4);
  ASSERT_EQ(on.size(), 4u + 160u + 1u);
  EXPECT_EQ(Strings(on.begin(), on.begin() + 5),
            (Strings{"V 112", "P 255", "S 112 1 96 0", "P 24", "I 1 0"}));
  EXPECT_EQ(on.back(), "V 96");
  EXPECT_EQ(parameter.texts, Strings{kPeqLoadText});

  form.PressFunctionButton(FunctionButton::Parametric);
  ASSERT_TRUE(peq.open);
  geq.data.geqPeakBoost = 2;
  form.HandleRequest({FormMessage::GeqClose, 0, 0});
  const Strings back = Switch(FunctionSwitch::Graphic, true);
  EXPECT_FALSE(peq.open);
  EXPECT_FALSE(form.FunctionSwitchOn(FunctionSwitch::Parametric));
  EXPECT_EQ(form.ActiveLevelCode(), 22);
  ASSERT_EQ(back.size(), 4u + 248u + 1u);
  EXPECT_EQ(Strings(back.begin(), back.begin() + 5),
            (Strings{"V 112", "P 255", "S 112 0 96 0", "P 22", "G 0 0 9"}));
  EXPECT_EQ(parameter.texts, Strings{kGeqLoadText});
}

TEST_F(FunctionSwitches, SwitchingOffSendsTheNeutralSettings) {
  ConnectNow();
  form.PressSpeaker(OutputChannel::Center);
  form.ApplySpeakerSwitches();
  tcr.data.channelDelay[2] = 1.5;
  form.HandleRequest({FormMessage::TcrClose, 0, 0});

  const Strings peqOff = Switch(FunctionSwitch::Parametric, false);
  ASSERT_EQ(peqOff.size(), 3u + 160u);
  EXPECT_EQ(Strings(peqOff.begin(), peqOff.begin() + 4), (Strings{"P 255", "S 112 0 96 0", "P 20", "I 1 0"}));
  EXPECT_EQ(parameter.texts, Strings{kPeqInitializeText});
  EXPECT_EQ(form.WorkingCopy().appliedPeakBoost, 0);

  const Strings geqOff = Switch(FunctionSwitch::Graphic, false);
  ASSERT_EQ(geqOff.size(), 4u + 248u + 1u);
  EXPECT_EQ(Strings(geqOff.begin(), geqOff.begin() + 4), (Strings{"V 112", "P 255", "S 112 0 96 0", "P 20"}));
  EXPECT_EQ(Count(geqOff, 'G'), 248);
  EXPECT_EQ(parameter.texts, Strings{kGeqInitializeText});

  xover.open = true;
  xover.data.crossover[0][0].level = -6;
  form.HandleRequest({FormMessage::CrossoverSend, 1, 0});
  const Strings divOff = Switch(FunctionSwitch::Divider, false);
  EXPECT_FALSE(xover.open);
  EXPECT_FALSE(form.FunctionButtonEnabled(FunctionButton::Divider));
  EXPECT_EQ(divOff.front(), "V 112");
  EXPECT_EQ(divOff.back(), "V 96");
  EXPECT_EQ(Count(divOff, 'B'), 12);
  EXPECT_EQ(Count(divOff, 'C'), 24);
  EXPECT_EQ(Processor().levelCodes[0], 12);  // start-up level, not the edited one
  EXPECT_EQ(Processor().levelCodes[6], 96);  // switched off
  EXPECT_EQ(parameter.texts, Strings{kDividerInitializeText});
  EXPECT_EQ(session.document.crossover[0][0].level, -6);

  const Strings tcrOff = Switch(FunctionSwitch::TimeCorrection, false);
  ASSERT_EQ(tcrOff.size(), 24u);
  EXPECT_EQ(tcrOff[1], "H 0 0");
  EXPECT_EQ(tcrOff[12], "D 0 0");
  EXPECT_EQ(Processor().delaySteps[2], 0);
  EXPECT_EQ(session.document.channelDelay[2], 1.5);
  const Strings tcrOn = Switch(FunctionSwitch::TimeCorrection, true);
  EXPECT_EQ(Strings(tcrOn.begin() + 5, tcrOn.begin() + 7), (Strings{"D 2 15", "H 2 0"}));
  EXPECT_EQ(parameter.texts, Strings{kTcrLoadText});
}

TEST_F(FunctionSwitches, ASwitchMeetingABusyLinkKeepsItsState) {
  ConnectNow();
  form.SetLinkBusy(true);
  form.SetFunctionSwitch(FunctionSwitch::Graphic, true);
  EXPECT_EQ(view.flashes, 3);
  EXPECT_FALSE(form.FunctionSwitchOn(FunctionSwitch::Graphic));
  EXPECT_TRUE(form.FunctionSwitchOn(FunctionSwitch::Parametric));

  // During the analyzer's cycle it is remembered and replayed once the link is free.
  form.SetLinkBusy(false);
  form.PressFunctionButton(FunctionButton::Spectrum);
  form.SetLinkBusy(true);
  form.SetFunctionSwitch(FunctionSwitch::TimeCorrection, false);
  EXPECT_EQ(form.Link().pending.code, PendingCode::TcrSwitch);
  EXPECT_EQ(view.flashes, 3);
  form.SetLinkBusy(false);
  line.ClearTraffic();
  timers.RunFor(1000);
  EXPECT_FALSE(form.FunctionSwitchOn(FunctionSwitch::TimeCorrection));
  EXPECT_EQ(Count(Sent(), 'D'), 11);
  EXPECT_FALSE(form.Link().pending.valid);
}

TEST_F(FunctionSwitches, OpeningAFileWhileConnectedSendsItThroughTheSwitches) {
  ConnectNow();
  TempDir dir;
  DocumentSession other;
  other.document.channelDelay[1] = 3.0;
  other.document.crossover[0][0].level = -4;
  other.document.peqBands[0][0][5].gain = 7.0f;
  ASSERT_TRUE(other.Save(dir.File("car.tvn"), dialogs));
  const auto frontWordsBefore = Processor().Words(0, 5);

  ASSERT_EQ(session.Open(dir.File("car.tvn"), dialogs), SetupFile::LoadOutcome::Loaded);
  form.InitialUpdate();
  EXPECT_EQ(parameter.texts, (Strings{kPeqLoadText, kDividerLoadText, kTcrLoadText}));
  EXPECT_EQ(Processor().delaySteps[1], 30);
  EXPECT_EQ(Processor().levelCodes[0], 8);
  EXPECT_NE(Processor().Words(0, 5), frontWordsBefore);
  EXPECT_EQ(Count(Sent(), 'G'), 0);
  EXPECT_EQ(form.WorkingCopy().channelDelay[1], 3.0);
  EXPECT_EQ(peq.data.peqBands[0][0][5].gain, 7.0f);
  EXPECT_EQ(session.document.viewSynchronized, 1);
  EXPECT_FALSE(session.IsModified());

  // New keeps the working copy and sends nothing.
  line.ClearTraffic();
  session.New();
  form.InitialUpdate();
  EXPECT_TRUE(line.Sent().empty());
}

TEST_F(FunctionSwitches, SubWooferMode) {
  ConnectNow();
  form.SetSubWooferMode(1);
  EXPECT_EQ(Sent(), (Strings{"S 112 1 96 1", "N"}));
  EXPECT_EQ(session.document.subWooferMode, 1);
  EXPECT_EQ(Processor().subWooferMode, 1);

  line.ClearTraffic();
  line.Faults().silent = true;
  form.SetSubWooferMode(0);
  EXPECT_EQ(dialogs.messages, Strings{kNotSwSetText});
  EXPECT_FALSE(form.Link().portOpen);
  EXPECT_FALSE(form.Link().linkBusy);
  EXPECT_EQ(form.SubWooferMode(), 0);
}

TEST_F(FunctionSwitches, CopyMakesLAndRLikeCommonOfflineOnly) {
  session.document.peqBands[0][0][2].gain = 5.0f;
  session.document.peqBands[2][1][2].gain = 3.0f;  // Center's sides are left as they are
  session.document.viewSynchronized = 0;
  form.InitialUpdate();
  peq.open = true;
  form.Copy(CopyTarget::ParametricEq);
  EXPECT_FALSE(peq.open);
  EXPECT_TRUE(session.IsModified());
  EXPECT_FALSE(form.FunctionSwitchOn(FunctionSwitch::Parametric));
  EXPECT_FALSE(form.FunctionSwitchOn(FunctionSwitch::Divider));
  EXPECT_TRUE(form.FunctionSwitchOn(FunctionSwitch::TimeCorrection));
  for (const SetupDocument* d : {static_cast<const SetupDocument*>(&session.document), &form.WorkingCopy()}) {
    EXPECT_EQ(d->peqBands[0][1][2].gain, 5.0f);
    EXPECT_EQ(d->peqBands[0][2][2].gain, 5.0f);
    EXPECT_EQ(d->peqBands[2][1][2].gain, 3.0f);
  }

  dialogs.copyOk = false;
  session.document.crossover[1][0].level = -3;
  form.Copy(CopyTarget::Divider);
  EXPECT_EQ(session.document.crossover[1][1].level, 0);

  ConnectNow();
  EXPECT_FALSE(form.CopyEnabled());
  dialogs.copyOk = true;
  form.Copy(CopyTarget::Divider);
  EXPECT_EQ(session.document.crossover[1][1].level, 0);
}

TEST_F(FunctionSwitches, AutomaticEqChecksAndTheAeqSwitch) {
  form.PressFunctionButton(FunctionButton::AutoEq);
  form.SetAeqSwitch(true);
  form.ToggleAeqSave();
  EXPECT_EQ(dialogs.messages, (Strings{kPortNotConnectText, kPortNotConnectText, kPortNotConnectText}));
  EXPECT_FALSE(form.AeqSwitchOn());
  EXPECT_FALSE(form.AeqSaveChecked());

  dialogs.messages.clear();
  for (int c : {2, 3, 4, 5, 9}) form.PressSpeaker(static_cast<OutputChannel>(c));
  form.PressFunctionButton(FunctionButton::AutoEq);
  EXPECT_EQ(dialogs.messages, Strings{kSpeakerNotSetupText});
  form.PressSpeaker(OutputChannel::FrontLowR);  // front right back on: left still missing
  form.PressSpeaker(OutputChannel::FrontLowL);
  form.ApplySpeakerSwitches();

  ConnectNow();
  // Without a start dialog the button gives the link back at once.
  form.PressFunctionButton(FunctionButton::AutoEq);
  EXPECT_EQ(Sent(), Strings{"N"});
  EXPECT_FALSE(form.Link().linkBusy);
  EXPECT_TRUE(form.FunctionButtonEnabled(FunctionButton::Parametric));

  line.ClearTraffic();
  form.SetAeqMode(0x72);
  form.SetAeqSwitch(true);
  EXPECT_EQ(Sent(), Strings{"S 112 1 114 0"});
  EXPECT_EQ(windows.BandLockMode(), 2);
  EXPECT_EQ(session.document.aeqActive, 1);

  // Off, saving the processor's parameters: 2 x 1024 words come back.
  line.ClearTraffic();
  line.State().settings.parameterWords[0][517] = 0x123456;
  line.State().settings.parameterWords[1][1023] = 0xFEDCBA;
  dialogs.aeqSave = true;
  form.SetAeqSwitch(false);
  const Strings off = Sent();
  EXPECT_EQ(off.front(), "N");
  EXPECT_EQ(Count(off, 'J'), 2048);
  EXPECT_EQ(off.back(), "S 112 1 96 0");
  EXPECT_EQ(parameter.texts.back(), kAeqParameterUploadText);
  EXPECT_TRUE(form.AeqSaveChecked());
  EXPECT_EQ(session.document.aeqParametersSaved, 1);
  EXPECT_EQ(windows.BandLockMode(), 0);
  EXPECT_EQ(session.document.aeqParameters[517], 0x123456);
  EXPECT_EQ(session.document.aeqParameters[1024 + 1023], 0xFEDCBA);
  EXPECT_EQ(form.WorkingCopy().aeqParameters, session.document.aeqParameters);
}

TEST_F(FunctionSwitches, AeqParametersCountAsSavedOnlyOnceTheyAreIn) {
  ConnectNow();
  form.SetAeqSwitch(true);
  dialogs.aeqSave = true;

  // The read breaks off: the document must not claim a copy it does not hold.
  line.ClearTraffic();
  line.Faults().silentAfterFrames = 2 + 2 * 10;  // status, bracket, then ten words of each set
  form.SetAeqSwitch(false);
  EXPECT_EQ(dialogs.messages, Strings{"CHKSUM ERROR 10"});
  EXPECT_EQ(session.document.aeqParametersSaved, 0);
  EXPECT_EQ(form.WorkingCopy().aeqParametersSaved, 0);
  EXPECT_FALSE(form.AeqSaveChecked());
  EXPECT_FALSE(form.Link().linkBusy);

  // The line dies while the question is open: reported once, nothing more is tried.
  line.Faults().silent = false;
  ConnectNow();
  form.SetAeqSwitch(true);
  line.ClearTraffic();
  dialogs.whileAeqSaveOpen = [this](const std::function<void()>& keepAlive) {
    line.Faults().silent = true;
    keepAlive();
  };
  form.SetAeqSwitch(false);
  EXPECT_EQ(dialogs.messages, Strings{kPortNotConnectText});
  EXPECT_FALSE(form.Link().portOpen);
  EXPECT_FALSE(form.Link().linkBusy);
  EXPECT_FALSE(parameter.open);
  EXPECT_EQ(session.document.aeqParametersSaved, 0);
  EXPECT_EQ(Count(Sent(), 'J'), 0);
}

TEST_F(FunctionSwitches, ParameterWordsReadAtSwitchOffAndTheAeqSaveMarkAreUnsavedChanges) {
  ConnectNow();
  form.SetAeqSwitch(true);
  dialogs.aeqSave = true;
  session.SetModified(false);
  form.SetAeqSwitch(false);
  ASSERT_EQ(session.document.aeqParametersSaved, 1);
  EXPECT_TRUE(session.IsModified());

  // "AEQ_SAVE" changes what the file holds.
  session.SetModified(false);
  form.ToggleAeqSave();
  EXPECT_EQ(session.document.aeqParametersSaved, 0);
  EXPECT_TRUE(session.IsModified());
}

TEST_F(FunctionSwitches, CrossoverWarningAfterTheAutomaticEq) {
  ConnectNow();
  form.SetAeqApplied(true);
  dialogs.aeqWarningOk = false;
  form.PressFunctionButton(FunctionButton::Divider);
  EXPECT_EQ(dialogs.aeqWarnings, 1);
  EXPECT_FALSE(xover.open);
  EXPECT_EQ(Sent(), Strings{"N"});
  form.PressFunctionButton(FunctionButton::Divider);
  EXPECT_EQ(dialogs.aeqWarnings, 1);
  EXPECT_TRUE(xover.open);
}

TEST_F(FunctionSwitches, ProfilePrintAndSpectrumNeedTheRightConnection) {
  form.ProfileData();
  EXPECT_EQ(session.document.profile.city, "Bremen");
  EXPECT_TRUE(session.IsModified());

  form.PressPrint();
  ASSERT_EQ(view.printed.size(), 1u);
  EXPECT_EQ(view.printed[0][30], 32);
  form.PressFunctionButton(FunctionButton::Spectrum);
  EXPECT_EQ(dialogs.messages, Strings{kNoDataPortNotConnectText});

  ConnectNow();
  form.PressPrint();
  EXPECT_EQ(dialogs.messages, Strings{kPortConnectedText});
  EXPECT_EQ(view.printed.size(), 1u);
}

// A memory store that went through says so; a cancelled one says nothing.
TEST_F(FunctionSwitches, AStoredMemoryIsNamedInTheStatusBar) {
  ConnectNow();
  form.PressFunctionButton(FunctionButton::Memory);
  EXPECT_TRUE(view.statusMessages.empty());
  dialogs.memoryChoice = 3;
  form.PressFunctionButton(FunctionButton::Memory);
  EXPECT_EQ(view.statusMessages, Strings{"Stored in memory 3"});
}

TEST_F(FunctionSwitches, DataOutNamesTheFileItWroteInTheStatusBar) {
  TempDir dir;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  form.DataOut();
  std::filesystem::current_path(before);
  EXPECT_EQ(view.statusMessages, Strings{"Data Out wrote " + dir.File("data_textout.txt")});
}

}  // namespace
