#include "platform/qt_message_pump.h"

#include <QCoreApplication>

void QtMessagePump::Pump() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
}

void EnsureQtApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "krv5200";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
}
