#include "sim/sim_options.h"

#include <cerrno>
#include <cstdlib>

namespace {

constexpr long kMaxCount = 1'000'000'000L;
constexpr long kMaxBaud = 4'000'000L;

bool ParseNumber(const std::string& text, long min, long max, long& value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 0);
  if (errno != 0 || end == text.c_str() || *end != '\0' || v < min || v > max) return false;
  value = v;
  return true;
}

// A single character stands for itself ("S", "0", "4", "8"); otherwise a number, 0x for hex.
bool ParseStatus(const std::string& text, std::uint8_t& code) {
  if (text.size() == 1) {
    code = static_cast<std::uint8_t>(text[0]);
    return true;
  }
  long v = 0;
  if (!ParseNumber(text, 0, 255, v)) return false;
  code = static_cast<std::uint8_t>(v);
  return true;
}

}  // namespace

bool SimOptions::Parse(const std::vector<std::string>& args, SimOptions& options, std::string& error) {
  options = SimOptions{};
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::string value;
    bool hasValue = false;
    if (const std::size_t eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
      hasValue = true;
    }
    auto needValue = [&]() {
      if (hasValue) return true;
      if (i + 1 >= args.size()) {
        error = name + " needs a value";
        return false;
      }
      value = args[++i];
      return true;
    };
    auto count = [&](int& field, long min, long max) {
      if (!needValue()) return false;
      long v = 0;
      if (!ParseNumber(value, min, max, v)) {
        error =
            name + ": not a number from " + std::to_string(min) + " to " + std::to_string(max) + ": " + value;
        return false;
      }
      field = static_cast<int>(v);
      return true;
    };
    auto path = [&](std::string& field) {
      if (!needValue()) return false;
      if (value.empty()) {
        error = name + " needs a file name";
        return false;
      }
      field = value;
      return true;
    };
    auto flag = [&](bool& field) {
      if (hasValue) {
        error = name + " takes no value";
        return false;
      }
      field = true;
      return true;
    };

    bool ok = false;
    if (name == "--help" || name == "-h") {
      ok = flag(options.help);
    } else if (name == "--version") {
      ok = flag(options.version);
    } else if (name == "--link") {
      ok = path(options.linkPath);
    } else if (name == "--log") {
      ok = path(options.logPath);
    } else if (name == "--dump") {
      ok = path(options.dumpPath);
    } else if (name == "--nak") {
      ok = count(options.faults.nakFrames, 0, kMaxCount);
    } else if (name == "--nak-final") {
      ok = flag(options.faults.nakAtFinal);
    } else if (name == "--bad-checksum") {
      ok = count(options.faults.badChecksumReplies, 0, kMaxCount);
    } else if (name == "--silent") {
      ok = flag(options.faults.silent);
    } else if (name == "--silent-after") {
      ok = count(options.faults.silentAfterFrames, 1, kMaxCount);
    } else if (name == "--baud") {
      ok = count(options.faults.baud, 0, kMaxBaud);
    } else if (name == "--measure-polls") {
      ok = count(options.config.measurePolls, 0, kMaxCount);
    } else if (name == "--store-polls") {
      ok = count(options.config.storePolls, 0, kMaxCount);
    } else if (name == "--status" || name == "--status-always") {
      if (needValue()) {
        std::uint8_t code = 0;
        ok = ParseStatus(value, code);
        if (!ok) {
          error = name + ": not a status byte: " + value;
        } else if (name == "--status") {
          options.config.idleStatus = code;
        } else {
          options.faults.statusOverride = code;
        }
      }
    } else {
      error = "unknown option: " + args[i];
    }
    if (!ok) return false;
  }
  return true;
}

// clang-format off
const char* SimOptions::HelpText() {
  return R"HELP(Usage: krv5200-sim [OPTION]...

Plays the KRV5200 sound processor on a pseudo-terminal, so that the setup tool and krv5200-cli
can be tried, taught and tested with no processor at hand. At start it prints the terminal's
path (e.g. /dev/pts/3) on standard output; open that path, or the --link path, as the serial
port. It answers the RS-232 protocol as the processor does: each command letter is acknowledged
with "A", the frame's checksum is checked, the command is applied and answered with "R" (or a
status byte, or the value read). It runs until SIGINT (Ctrl-C) or SIGTERM and then exits
cleanly, removing its link. The setup tool may close and reopen the port any number of times.

The processor starts with flat equalizers, all outputs at 0 dB, filters off, no delays, PC
control off and empty memories. A measurement ("T") answers status "0" for a number of status
queries and then has its results (delays of the 11 outputs and two further values); an
automatic-EQ measurement also fills the 2 x 1024 parameter words. A memory store ("W") copies
the current settings and answers "0" for a few status queries. The spectrum levels move with
time. A frame with a wrong checksum, or one that names a channel, band, memory or word that
does not exist, is answered "N" and not applied.

Options:
  --link PATH          make the terminal reachable at PATH (a symbolic link, removed at exit;
                       an existing link there is replaced)
  --log FILE           write the frame log to FILE (see below)
  --dump FILE          write the processor's whole state to FILE at exit and on SIGUSR1
                       (see below)
  --status CODE        status byte answered when idle (default 0xA8). CODE is one character
                       ("S" = setting error, "0" = busy, "4", "8") or a number (0x04, 0x08,
                       0xA4, 0xA8 ...). 0xA4 and 0xA8 allow the sub-woofer automatic-EQ modes.
  --status-always CODE answer every status query with CODE, even while measuring
  --measure-polls N    status queries answered "0" before a measurement ends (default 30)
  --store-polls N      status queries answered "0" after a memory store (default 3)

Fault switches, to try the setup tool's failure paths:
  --nak N              answer the next N frames with "N" (negative acknowledge) instead of "A"
  --nak-final          give those "N" after the frame's body instead of to its letter
  --bad-checksum N     send a wrong reply checksum in the next N byte and word queries
  --silent             answer nothing at all (a pulled cable)
  --silent-after N     answer N frames, then fall silent
  --baud B             pace the line at B baud: every byte takes 10 bits' time each way
  -h, --help           show this text
  --version            show the program's version

Frame log: one line per frame and direction:
  TIME DIR L BYTES  RESULT
TIME is seconds since start, DIR "in" (from the PC), "out" (to the PC) or "--" (a line event,
such as the PC closing the port), L the command letter, BYTES the frame in hex, RESULT what the
processor made of it: "ok", "ok, status A8", "nak: checksum 12, expected 2E", "nak: band 12",
"nak (fault switch)", "ignored (silent)"; "warning: ..." marks a frame applied with a value
out of its range. Example:
     0.104211 in  D 44 06 7B 00 00 00 00 81  ok
     0.104211 out D 41 52

State dump: plain text, one "key value..." line per item (hex where marked):
  mode MM                    operating mode: 70 = PC control on, 60 = off (hex)
  options EE AA SS           equalizer select, automatic-EQ mode, sub-woofer mode (hex)
  eqlevel L                  last equalizer level code
  peq CH BAND W0 W1 W2 W3 W4 coefficient words of equalizer channel code CH (0..6) and band
                             0..9, hex, as written with select CH+1; "peq2" for select CH+8
  geq CH BAND CODE           graphic band 0..30: gain in dB + 9
  level CH CODE              output 0..10: level in dB + 12, or 96 = switched off
  filter CH lp SLOPE FREQ    low-pass slope code 0..5 and frequency code 0..60 of output CH;
  filter CH hp SLOPE FREQ    the same for the high-pass
  delay CH STEPS             delay in 0.1 ms
  phase CH P                 0 = 0 degrees, 1 = 180 degrees
  param SET ADDR W0 .. W7    automatic-EQ parameter words ADDR..ADDR+7 of set 1 or 2 (hex)
  bulk B                     1 while a bulk update is open
  measure R K P F            running, kind (0 EQ, 1 time correction), polls left, finished
  result INDEX VALUE         measurement results 0..12
  spectrum L0 .. L30         spectrum levels last served
  store P                    status queries the memory store still answers "0"
  memory N empty             memory N (1..6) never stored, or else its settings as
  memory N KEY ...           options, eqlevel, peq, peq2, geq, level, filter, delay, phase and
                             param lines, each after "memory N"
  frames L COUNT             frames applied, per command letter
  counters REJ CHK WARN DROP frames refused for content, for checksum, frames applied with a
                             warning, bytes ignored
Channel codes: equalizer 0/1 front L/R, 2 center, 3/4 rear L/R, 5/6 sub-woofer L/R; outputs
0..10 front high L/R, front mid L/R, front low L/R, center, rear L/R, sub-woofer L/R.

Exit status: 0 after a clean stop, 1 when the terminal, the link or a file cannot be set up
or the state dump cannot be written, 2 for a wrong command line.

Example:
  krv5200-sim --link /tmp/krv5200 --log frames.log --dump state.txt --nak 2
)HELP";
}
// clang-format on
