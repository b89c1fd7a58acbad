// The Qt sides of the form's seams: posted and sent requests, numbered timers, progress windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QtTest/QTest>
#include <memory>
#include <vector>

#include "common/ui/progress_window.h"
#include "form/ui/qt_form_request_queue.h"
#include "form/ui/qt_timers.h"

namespace {

TEST(QtFormRequestQueue, PostedRequestsWaitForTheEventLoopSentOnesDoNot) {
  std::vector<int> handled;
  auto queue =
      std::make_unique<QtFormRequestQueue>([&](const FormRequest& r) { handled.push_back(r.wParam); });
  queue->Post({FormMessage::PeqSend, 1, 4});
  queue->Send({FormMessage::GeqReset, 2, 0});
  queue->Post({FormMessage::PeqClose, 3, 0});
  EXPECT_EQ(handled, std::vector<int>{2});
  QApplication::processEvents();
  EXPECT_EQ(handled, (std::vector<int>{2, 1, 3}));

  // Requests still queued when the form goes away are dropped, not delivered to a dead form.
  queue->Post({FormMessage::PeqSend, 4, 0});
  queue.reset();
  QApplication::processEvents();
  EXPECT_EQ(handled.size(), 3u);
}

TEST(QtTimers, NumberedTimersFireRestartAndStop) {
  std::vector<int> fired;
  QtTimers timers([&](int id) { fired.push_back(id); });
  timers.Start(3, 10);
  timers.Start(1, 10'000);
  ASSERT_TRUE(QTest::qWaitFor([&] { return fired.size() >= 2; }, 1000));
  EXPECT_EQ(fired[0], 3);
  timers.Stop(3);
  EXPECT_FALSE(timers.IsRunning(3));
  EXPECT_TRUE(timers.IsRunning(1));
  // Starting a running timer again takes the new interval.
  fired.clear();
  timers.Start(1, 10);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !fired.empty(); }, 1000));
  EXPECT_EQ(fired[0], 1);
  timers.Stop(7);  // never started: nothing happens
}

TEST(ProgressWindow, ShowsItsLinesAndCannotBeClosedByTheUser) {
  ProgressWindow window(QStringLiteral("RS232C"), 3, 120);
  window.Open();
  ASSERT_TRUE(window.IsOpen());
  window.SetText(2, "DIV DATA");
  window.SetText(3, "ignored");
  window.SetPosition(72);
  EXPECT_EQ(window.Text(2), QStringLiteral("DIV DATA"));
  EXPECT_EQ(window.Position(), 72);
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_TRUE(window.IsOpen());
  window.Close();
  EXPECT_FALSE(window.IsOpen());
}

}  // namespace
