#include "platform/qt_serial_line.h"

#include <grp.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include <QSerialPort>
#include <thread>

#include "common/settings_store.h"
#include "link/serial_settings.h"

namespace {

constexpr std::chrono::microseconds kWakeEarly{150};

QSerialPort::DataBits DataBitsOf(int byteSize) {
  switch (byteSize) {
    case 5:
      return QSerialPort::Data5;
    case 6:
      return QSerialPort::Data6;
    case 7:
      return QSerialPort::Data7;
    default:
      return QSerialPort::Data8;
  }
}

QSerialPort::Parity ParityOf(int parity) {
  switch (parity) {
    case 1:
      return QSerialPort::OddParity;
    case 2:
      return QSerialPort::EvenParity;
    case 3:
      return QSerialPort::MarkParity;
    case 4:
      return QSerialPort::SpaceParity;
    default:
      return QSerialPort::NoParity;
  }
}

QSerialPort::StopBits StopBitsOf(int stopBits) {
  switch (stopBits) {
    case 1:
      return QSerialPort::OneAndHalfStop;
    case 2:
      return QSerialPort::TwoStop;
    default:
      return QSerialPort::OneStop;
  }
}

// Tells a device the user may not use from one that is missing, busy or broken. QSerialPort
// reports both a refused open and a device held by another program as a permission error.
OpenFailure Classify(const std::string& device, QSerialPort::SerialPortError error) {
  OpenFailure failure{OpenFailure::Reason::Other, device, {}};
  struct stat info {};
  if (::stat(device.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) failure.reason = OpenFailure::Reason::NoDevice;
    return failure;
  }
  if (::access(device.c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
    failure.reason = OpenFailure::Reason::PermissionDenied;
    if (const group* owner = ::getgrgid(info.st_gid); owner != nullptr) failure.group = owner->gr_name;
    return failure;
  }
  if (error == QSerialPort::PermissionError) failure.reason = OpenFailure::Reason::InUse;
  if (error == QSerialPort::DeviceNotFoundError) failure.reason = OpenFailure::Reason::NoDevice;
  return failure;
}

}  // namespace

QtSerialLine::QtSerialLine(SettingsStore& settings)
    : settings_(settings), port_(std::make_unique<QSerialPort>()) {}

QtSerialLine::~QtSerialLine() = default;

bool QtSerialLine::Open(const std::string& portName) {
  if (port_->isOpen()) Close();
  devicePath_ = PortDevice(portName, settings_);
  deviceGone_ = false;
  if (!OpenDevice(*port_, devicePath_)) return false;
  Apply();  // as with the driver's own configuration calls, a refused setting is not an error
  lineFreeAt_ = Clock::now();
  return true;
}

bool QtSerialLine::OpenDevice(QSerialPort& port, const std::string& device) {
  lastFailure_ = {};
  if (device.empty()) {
    lastFailure_.reason = OpenFailure::Reason::Other;
    return false;
  }
  port.setPortName(QString::fromStdString(device));
  // QSerialPort takes the device exclusively (lock file and TIOCEXCL).
  if (!port.open(QIODevice::ReadWrite)) {
    lastFailure_ = Classify(device, port.error());
    port.clearError();
    return false;
  }
  return true;
}

bool QtSerialLine::Apply() {
  const SerialSettings s = SerialSettings::Read(settings_);
  bool ok = port_->setBaudRate(s.baudRate);
  ok = port_->setDataBits(DataBitsOf(s.byteSize)) && ok;
  ok = port_->setParity(ParityOf(s.parity)) && ok;
  ok = port_->setStopBits(StopBitsOf(s.stopBits)) && ok;
  ok = port_->setFlowControl(QSerialPort::NoFlowControl) && ok;

  // The four switches go straight to the terminal: Qt knows only one kind of flow control at a
  // time. The system has no DSR output flow control, so that switch has no effect here.
  termios tio{};
  const int fd = static_cast<int>(port_->handle());
  if (tcgetattr(fd, &tio) == 0) {
    tio.c_iflag = s.outX ? (tio.c_iflag | IXON) : (tio.c_iflag & ~static_cast<tcflag_t>(IXON));
    tio.c_iflag = s.inX ? (tio.c_iflag | IXOFF) : (tio.c_iflag & ~static_cast<tcflag_t>(IXOFF));
    tio.c_cflag = s.ctsFlow ? (tio.c_cflag | CRTSCTS) : (tio.c_cflag & ~static_cast<tcflag_t>(CRTSCTS));
    ok = tcsetattr(fd, TCSANOW, &tio) == 0 && ok;
  }
  // Ten bits a byte: start, eight data and one stop bit, as the processor's side counts them.
  const int baud = s.baudRate > 0 ? s.baudRate : 9600;
  byteTime_ = std::chrono::nanoseconds(10'000'000'000LL / baud);
  port_->clearError();
  return ok;
}

bool QtSerialLine::Close() {
  if (!port_->isOpen()) return false;
  port_->close();
  port_->clearError();
  return true;
}

bool QtSerialLine::IsOpen() const { return port_->isOpen(); }

std::string QtSerialLine::DeviceFor(const std::string& portName) const {
  return PortDevice(portName, settings_);
}

bool QtSerialLine::DeviceGone() const {
  if (deviceGone_) return true;
  // An unplugged adapter takes its device node with it.
  struct stat info {};
  return !devicePath_.empty() && ::stat(devicePath_.c_str(), &info) != 0 && errno == ENOENT;
}

void QtSerialLine::ClearError() {
  if (port_->error() == QSerialPort::ResourceError) deviceGone_ = true;
  port_->clearError();
}

bool QtSerialLine::Probe(const std::string& portName) {
  QSerialPort probe;
  if (!OpenDevice(probe, PortDevice(portName, settings_))) return false;
  probe.close();
  return true;
}

void QtSerialLine::WaitForWire(Clock::time_point start) {
  // A UART has drained when the byte's last bit is out; a pseudo-terminal or a buffering
  // adapter reports drained at once. Either way the byte is not sent before its wire time has
  // passed, or the reply's time-out would start while the frame is still on its way out.
  // The wake-up comes a little early: a sleep overshoots by tens of microseconds, and bytes
  // sent back to back must not drift apart by that much each.
  lineFreeAt_ = std::max(start, lineFreeAt_) + byteTime_;
  const Clock::time_point wake = lineFreeAt_ - kWakeEarly;
  if (Clock::now() < wake) std::this_thread::sleep_until(wake);
}

int QtSerialLine::SendByte(std::uint8_t byte) {
  if (!port_->isOpen()) return 0;
  const Clock::time_point start = Clock::now();
  const char c = static_cast<char>(byte);
  if (port_->write(&c, 1) != 1) {
    ClearError();
    return 0;
  }
  // QSerialPort buffers the byte; push it to the driver and wait until the driver has sent it.
  while (port_->bytesToWrite() > 0) {
    if (!port_->waitForBytesWritten(kByteTimeoutMs)) {
      // Drop the byte, or the retry would send it twice.
      port_->clear(QSerialPort::Output);
      ClearError();
      return 0;
    }
  }
  tcdrain(static_cast<int>(port_->handle()));
  WaitForWire(start);
  return 1;
}

int QtSerialLine::ReceiveByte(std::uint8_t& byte) {
  if (!port_->isOpen()) return 0;
  if (port_->bytesAvailable() == 0 && !port_->waitForReadyRead(kByteTimeoutMs)) {
    ClearError();
    return 0;
  }
  char c = 0;
  if (!port_->getChar(&c)) {
    ClearError();
    return 0;
  }
  byte = static_cast<std::uint8_t>(c);
  return 1;
}
