#pragma once

#include <iosfwd>
#include <string>

#include "sim/processor_state.h"

// The processor's whole state as plain text, one "key value..." line per item, so that a test
// of the PC can compare what the processor holds with the setup it meant to send. Numbers are
// decimal except where marked hex; CH is the wire's channel code of the item.
//
//   mode MM                   hex: operating mode, 70 = PC control on, 60 = off
//   options EE AA SS          hex: equalizer select, automatic-EQ mode, sub-woofer mode
//   bulk B                    1 between bulk-update begin and end
//   eqlevel L                 last equalizer level code (255 while a run of writes is under way)
//   peq CH BAND W0 W1 W2 W3 W4    hex: the five words of equalizer channel code CH (0..6),
//                             band 0..9, as written with select CH+1
//   peq2 CH BAND W0 .. W4     hex: the same, written with select CH+8 (the PC writes both)
//   geq CH BAND CODE          graphic band 0..30 of equalizer channel code CH: gain in dB + 9
//   level CH CODE             output CH (0..10): level in dB + 12, or 96 when switched off
//   filter CH lp SLOPE FREQ   low-pass of output CH: slope code 0..5, frequency code 0..60
//   filter CH hp SLOPE FREQ   high-pass of output CH
//   delay CH STEPS            delay of output CH in 0.1 ms
//   phase CH P                0 = 0 degrees, 1 = 180 degrees
//   param SET ADDR W0 .. W7   hex words ADDR..ADDR+7 of automatic-EQ parameter set 1 or 2
//   measure R K P F           running (0/1), kind (0 EQ, 1 time correction), polls left,
//                             measurements finished
//   result INDEX VALUE        measurement result 0..12 (delays of outputs 0..10, two values)
//   spectrum L0 .. L30        last spectrum levels served
//   store P                   status polls the memory store still answers "0"
//   memory N empty            memory 1..6 never stored
//   memory N KEY ...          a stored memory: its options, eqlevel, peq, peq2, geq, level,
//                             filter, delay, phase and param lines, each after "memory N"
//   frames L COUNT            frames applied with command letter L
//   counters REJ CHK WARN DROP    frames refused for content, for checksum; frames applied with
//                             a warning; bytes ignored
// Lines starting with "#" are comments.
class StateDump {
 public:
  static void Write(const ProcessorState& state, std::ostream& out);
  // Writes the dump to a file (replacing it); false when the file cannot be written.
  static bool WriteFile(const ProcessorState& state, const std::string& path);
  // Reads a dump back; false at the first line it does not understand.
  static bool Read(std::istream& in, ProcessorState& state);
};
