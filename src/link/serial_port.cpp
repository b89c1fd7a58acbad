#include "link/serial_port.h"

#include "common/dialogs.h"
#include "common/message_pump.h"
#include "link/serial_line.h"

SerialPort::SerialPort(SerialLine& line, Dialogs& dialogs, MessagePump& pump)
    : line_(line), dialogs_(dialogs), pump_(pump) {}

bool SerialPort::OpenPort(const std::string& portName) {
  if (line_.IsOpen()) line_.Close();
  portName_ = portName;
  transferFailure_ = LineFailure::Kind::None;
  openFailure_ = {};
  if (!line_.Open(portName)) {
    openFailure_ = line_.LastOpenFailure();
    if (!openFailure_.Failed()) openFailure_.reason = OpenFailure::Reason::Other;
    dialogs_.ShowFailure(kOpenFailedText, FailureNote());
    return false;
  }
  return true;
}

void SerialPort::NoteTransferFailure(bool refused) {
  if (!line_.IsOpen()) return;
  if (line_.DeviceGone()) {
    transferFailure_ = LineFailure::Kind::DeviceGone;
  } else {
    transferFailure_ = refused ? LineFailure::Kind::Refused : LineFailure::Kind::NoAnswer;
  }
}

void SerialPort::Pump(bool noPump) {
  if (noPump) {
    pump_.PumpPaint();
  } else {
    pump_.Pump();
  }
}

std::string SerialPort::FailureNote() const {
  if (openFailure_.Failed()) return openFailure_.PortNote(portName_);
  return LineFailure{transferFailure_, line_.DeviceFor(portName_)}.Note(portName_);
}

bool SerialPort::ClosePort() {
  if (!line_.IsOpen()) return false;
  return line_.Close();
}

bool SerialPort::IsOpen() const { return line_.IsOpen(); }

bool SerialPort::ProbePort(const std::string& portName) {
  if (line_.Probe(portName)) {
    probeFailures_.erase(portName);
    return true;
  }
  probeFailures_[portName] = line_.LastOpenFailure();
  return false;
}

OpenFailure SerialPort::ProbeFailure(const std::string& portName) const {
  const auto it = probeFailures_.find(portName);
  return it == probeFailures_.end() ? OpenFailure{} : it->second;
}

int SerialPort::SendByte(std::uint8_t byte, bool noPump) {
  if (!line_.IsOpen()) return 0;
  const int sent = line_.SendByte(byte);
  Pump(noPump);
  return sent;
}

int SerialPort::ReceiveByte(std::uint8_t& byte, bool noPump) {
  if (!line_.IsOpen()) return 0;
  const int received = line_.ReceiveByte(byte);
  Pump(noPump);
  return received;
}
