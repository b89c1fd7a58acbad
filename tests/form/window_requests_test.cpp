#include <gtest/gtest.h>

#include "form_test_support.h"

namespace {

using namespace formtest;
using Strings = std::vector<std::string>;

struct WindowRequests : FormFixture {
  void SetUp() override { ConnectNow(); }

  Strings Request(FormMessage message, int wParam, int lParam) {
    line.ClearTraffic();
    form.HandleRequest({message, wParam, lParam});
    EXPECT_TRUE(dialogs.messages.empty());
    return Sent();
  }
};

Strings operator+(Strings a, const Strings& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(WindowRequests, ParametricRequestsSendTheBandsTheWindowAddresses) {
  peq.data.peqPeakBoost = 3;
  EXPECT_EQ(Request(FormMessage::PeqSend, 1, 4), (Strings{"P 23", "I 1 4", "I 8 4", "I 2 4", "I 9 4"}));
  EXPECT_EQ(session.document.appliedPeakBoost, 3);
  EXPECT_EQ(form.WorkingCopy().peqPeakBoost, 3);
  EXPECT_TRUE(session.IsModified());

  // Rear, L ch: the left channel alone, with the L set's words.
  peq.group = 1;
  peq.side = 1;
  peq.data.peqBands[1][1][2].gain = 6.0f;
  EXPECT_EQ(Request(FormMessage::PeqSend, 1, 2), (Strings{"P 23", "I 4 2", "I 11 2"}));
  EXPECT_EQ(form.CurrentGroup(), 1);
  EXPECT_EQ(form.CurrentSide(), 1);
  EXPECT_EQ(session.document.peqBands[1][1][2].gain, 6.0f);
  EXPECT_NE(Processor().Words(3, 2), Processor().Words(4, 2));

  // Center is mono whatever side the window kept for the other groups.
  peq.group = 2;
  peq.side = 2;
  EXPECT_EQ(Request(FormMessage::PeqSend, 1, 0), (Strings{"P 23", "I 3 0", "I 10 0", "I 3 0", "I 10 0"}));

  // All bands of all groups, the L and R sets apart (Center still as one).
  peq.group = 0;
  const Strings all = Request(FormMessage::PeqSend, 1, 33);
  ASSERT_EQ(all.size(), 3u + 160u + 2u);
  EXPECT_EQ(Strings(all.begin(), all.begin() + 7),
            (Strings{"P 23", "V 112", "P 255", "I 1 0", "I 8 0", "I 2 0", "I 9 0"}));
  EXPECT_EQ(Strings(all.end() - 2, all.end()), (Strings{"P 23", "V 96"}));
  EXPECT_EQ(std::count(all.begin(), all.end(), "I 3 9"), 2);

  // A drag beginning and closing send nothing.
  EXPECT_TRUE(Request(FormMessage::PeqSend, 0, 4).empty());
  peq.open = true;
  EXPECT_TRUE(Request(FormMessage::PeqClose, 0, 0).empty());
  EXPECT_FALSE(peq.open);
}

TEST_F(WindowRequests, ParametricResetOfTheSubWooferChangesNoGraphicBand) {
  const auto graphicBefore = Processor().graphicCodes;
  const auto documentGraphic = session.document.geqBands;
  peq.group = 3;
  peq.data.peqBands[3][0][1].gain = -5.0f;  // the window's RESET left the other bands alone
  const Strings f = Request(FormMessage::PeqReset, 3, 0);
  Strings expected{"P 255"};
  for (int b = 0; b < 10; ++b) {
    const std::string band = std::to_string(b);
    expected = expected + Strings{"I 6 " + band, "I 13 " + band, "I 7 " + band, "I 14 " + band};
  }
  EXPECT_EQ(f, expected + Strings{"P 20"});
  EXPECT_EQ(Processor().graphicCodes, graphicBefore);
  EXPECT_EQ(session.document.geqBands, documentGraphic);
  EXPECT_EQ(session.document.peqBands[3][0][1].gain, -5.0f);
  EXPECT_TRUE(Request(FormMessage::PeqReset, 7, 0).empty());
}

TEST_F(WindowRequests, GraphicRequestsSendBandsGroupsAndResets) {
  geq.data.geqBands[0][0][5].gain = -3.0f;
  EXPECT_EQ(Request(FormMessage::GeqSend, 1, 5), (Strings{"P 20", "G 0 5 6", "G 1 5 6"}));
  EXPECT_EQ(session.document.geqBands[0][0][5].gain, -3.0f);
  EXPECT_EQ(Processor().graphicCodes[1][5], 6);

  // One group, R ch.
  geq.group = 1;
  geq.side = 2;
  geq.data.geqBands[1][2][0].gain = 9.0f;
  Strings group{"P 20", "P 255", "G 4 0 18"};
  for (int b = 1; b < 31; ++b) group.push_back("G 4 " + std::to_string(b) + " 9");
  EXPECT_EQ(Request(FormMessage::GeqSend, 1, 32), group + Strings{"P 20"});

  // Every group, Common data: both channels of each band.
  geq.side = 0;
  const Strings all = Request(FormMessage::GeqSend, 1, 33);
  ASSERT_EQ(all.size(), 3u + 248u + 2u);
  EXPECT_EQ(Strings(all.begin(), all.begin() + 5), (Strings{"P 20", "V 112", "P 255", "G 0 0 9", "G 1 0 9"}));
  EXPECT_EQ(Strings(all.end() - 2, all.end()), (Strings{"P 20", "V 96"}));

  // The reset of a group goes out flat on the window's side.
  geq.side = 2;
  Strings flat{"P 255"};
  for (int b = 0; b < 31; ++b) flat.push_back("G 4 " + std::to_string(b) + " 9");
  EXPECT_EQ(Request(FormMessage::GeqReset, 1, 0), flat + Strings{"P 20"});
}

TEST_F(WindowRequests, CrossoverAndTimeCorrectionRequests) {
  xover.group = 2;  // Front_Low
  xover.data.crossover[2][0].level = -2;
  EXPECT_EQ(Request(FormMessage::CrossoverSend, 1, 0), (Strings{"B 4 10", "B 5 10"}));
  EXPECT_EQ(session.document.crossover[2][0].level, -2);
  EXPECT_EQ(Request(FormMessage::CrossoverSend, 1, 1),
            (Strings{"C 4 1 0 26", "C 5 1 0 26", "C 4 0 0 0", "C 5 0 0 0"}));
  // L mode: the L set goes to the left output only.
  xover.side = 1;
  EXPECT_EQ(Request(FormMessage::CrossoverSend, 1, 1), (Strings{"C 4 1 0 26", "C 4 0 0 0"}));
  const Strings all = Request(FormMessage::CrossoverSend, 1, 33);
  EXPECT_EQ(Count(all, 'B'), 12);
  EXPECT_EQ(Count(all, 'C'), 4 + 4 + 4 + 4 + 4 + 4);
  EXPECT_EQ(Strings(all.begin(), all.begin() + 4), (Strings{"B 0 12", "B 1 12", "C 0 1 0 60", "C 0 0 3 46"}));
  EXPECT_TRUE(Request(FormMessage::CrossoverSend, 0, 1).empty());

  tcr.data.channelDelay[6] = 12.34;
  tcr.data.channelPhase[6] = 1;
  tcr.group = 6;
  EXPECT_EQ(Request(FormMessage::TcrSend, 0, 6), (Strings{"D 6 123", "H 6 1"}));
  EXPECT_EQ(session.document.channelDelay[6], 12.34);
  EXPECT_EQ(form.CurrentGroup(), 6);

  for (FormMessage close : {FormMessage::CrossoverClose, FormMessage::CrossoverCancel, FormMessage::TcrClose,
                            FormMessage::TcrCancel, FormMessage::GeqClose}) {
    EXPECT_TRUE(Request(close, 0, 0).empty());
  }
}

TEST_F(WindowRequests, OfflineRequestsAreOnlyStored) {
  form.Disconnect();
  line.ClearTraffic();
  tcr.data.channelDelay[3] = 4.5;
  form.HandleRequest({FormMessage::TcrSend, 0, 3});
  geq.data.geqBands[2][0][7].gain = 2.0f;
  form.HandleRequest({FormMessage::GeqSend, 1, 7});
  EXPECT_TRUE(line.Sent().empty());
  EXPECT_EQ(view.flashes, 0);
  EXPECT_EQ(session.document.channelDelay[3], 4.5);
  EXPECT_EQ(form.WorkingCopy().geqBands[2][0][7].gain, 2.0f);
}

TEST_F(WindowRequests, DragPausesTheAnalyzerUntilTheNextSend) {
  form.PressFunctionButton(FunctionButton::Spectrum);
  ASSERT_TRUE(form.Link().analyzerCycle);
  EXPECT_TRUE(Request(FormMessage::GeqSend, 0, 5).empty());
  EXPECT_FALSE(form.Link().analyzerCycle);
  EXPECT_TRUE(form.Link().analyzerSuspended);
  timers.RunFor(3000);  // no levels are read during the drag
  EXPECT_EQ(Count(Sent(), 'R'), 0);
  EXPECT_EQ(Request(FormMessage::GeqSend, 1, 5).size(), 3u);
  EXPECT_TRUE(form.Link().analyzerCycle);
  EXPECT_FALSE(form.Link().analyzerSuspended);
}

}  // namespace
