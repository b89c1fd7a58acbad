#include "platform/qt_message_pump.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace {

bool paintingOnly = false;

}  // namespace

void QtMessagePump::Pump() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
}

void QtMessagePump::PumpPaint() {
  const auto now = std::chrono::steady_clock::now();
  if (now - lastPaint_ < kPaintInterval) return;
  lastPaint_ = now;
  DeliverPaintEvents();
}

void QtMessagePump::DeliverPaintEvents() {
  // Without windows (the command-line tool) there is nothing to paint.
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr || paintingOnly) return;
  paintingOnly = true;
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::X11ExcludeTimers);
  paintingOnly = false;
}

bool QtMessagePump::PaintingOnly() { return paintingOnly; }

void EnsureQtApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "krv5200";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
}
