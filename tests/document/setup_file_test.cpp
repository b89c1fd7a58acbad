#include "document/setup_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "common/recording_dialogs.h"
#include "common/temp_dir.h"
#include "document/byte_stream.h"

namespace {

std::int32_t LeI32(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i)
    v = (v << 8) | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
  return static_cast<std::int32_t>(v);
}
float LeF32(const std::string& bytes, std::size_t at) { return std::bit_cast<float>(LeI32(bytes, at)); }
double LeF64(const std::string& bytes, std::size_t at) {
  const auto lo = static_cast<std::uint32_t>(LeI32(bytes, at));
  const auto hi = static_cast<std::uint32_t>(LeI32(bytes, at + 4));
  return std::bit_cast<double>((static_cast<std::uint64_t>(hi) << 32) | lo);
}

// A document in which every stored field holds a value of its own, none of them a start-up value.
SetupDocument EveryFieldSet() {
  SetupDocument d;
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  auto real = [&next] { return static_cast<double>(next() % 100000) / 7.0 - 5000.0; };
  for (auto& g : d.peqBands)
    for (auto& s : g)
      for (auto& b : s)
        b = {static_cast<std::int32_t>(next() % 5), static_cast<float>(real()),
             static_cast<float>(real()) / 1000.0f,  0.1f + static_cast<float>(next() % 100) / 9.0f,
             static_cast<std::int32_t>(next() % 6), 0};
  for (auto& g : d.geqBands)
    for (auto& s : g)
      for (auto& b : s)
        b = {4, static_cast<float>(real()), static_cast<float>(next() % 19) - 9.0f, 5.0f, 0, 0};
  for (auto& g : d.crossover)
    for (auto& r : g)
      r = {real(),
           real(),
           -6.0 * (next() % 6),
           -6.0 * (next() % 6),
           static_cast<std::int32_t>(next() % 61),
           static_cast<std::int32_t>(next() % 61),
           -static_cast<std::int32_t>(next() % 13)};
  for (int c = 0; c < kOutputCount; ++c) {
    d.channelDelay[c] = real() / 3.0;
    d.channelPhase[c] = c % 2;
    d.speakerSwitch[c] = (c + 1) % 2;
  }
  d.appliedPeakBoost = 7;
  d.peqPeakBoost = 5;
  d.geqPeakBoost = 11;
  for (auto& g : d.peqCurvePeaks)
    for (auto& v : g) v = real();
  for (auto& g : d.geqCurvePeaks)
    for (auto& v : g) v = real();
  d.aeqActive = 1;
  for (auto& w : d.aeqParameters) w = static_cast<std::int32_t>(next() & 0xFFFFFF);
  d.aeqParametersSaved = 1;
  d.aeqMode = 3;
  d.subWooferMode = 1;
  d.measuredValue1 = -17;
  d.measuredValue2 = 250;
  CustomerProfile& p = d.profile;
  p.year = 2001;
  p.month = 2;
  p.day = 29;
  p.firstName = "Ann";
  p.lastName = "O'Neil";
  p.city = "Springfield";
  p.state = "IL";
  p.zip = "62701";
  p.email = "ann@example.com";
  p.telDay = "555-0100";
  p.telEvening = "555-0199";
  p.gender = 1;
  p.dealerName = "Car Sound Shop";
  p.dealerNumber = 9876;
  p.installer = "Bob";
  p.vehicleMake = "Make";
  p.vehicleModel = "Model X";
  p.vehicleYear = "1999";
  p.remarks = "two-seater";
  int n = 0;
  for (auto* t : {&p.installedSystem, &p.previousSystem, &p.speakers, &p.amplifiers})
    for (auto& row : *t) {
      row.make = "make" + std::to_string(n);
      row.model = "model" + std::to_string(n);
      row.numbers = n++ % 21;
    }
  return d;
}

struct Saved {
  TempDir dir;
  std::string path = dir.File("setup.tvn");
  RecordingDialogs dialogs;
};

}  // namespace

TEST(SetupFileLayout, FreshDocumentIs19451BytesAtTheFixedOffsets) {
  SetupDocument d;
  const std::string bytes = SetupFile::Serialize(d);
  ASSERT_EQ(bytes.size(), 19451u);
  EXPECT_EQ(bytes[0], 14);
  EXPECT_EQ(bytes.substr(1, 14), "TORVAL KRV5200");
  EXPECT_EQ(bytes[15], 5);
  EXPECT_EQ(bytes.substr(16, 5), "ver 1");
  // Front Common parametric band 0, then its graphic band 0 after the ten parametric bands.
  EXPECT_EQ(LeI32(bytes, 21), 4);
  EXPECT_EQ(LeF32(bytes, 25), 31.25f);
  EXPECT_EQ(LeF32(bytes, 33), 1.0f);
  EXPECT_EQ(LeF32(bytes, 21 + 200 + 4), 20.0f);
  EXPECT_EQ(LeF32(bytes, 21 + 200 + 12), 5.0f);
  // SubWoofer (group 3) Common band 3 sits at 21 + 9 * 820.
  EXPECT_EQ(LeF32(bytes, 21 + 9 * 820 + 3 * 20 + 4), 200.0f);
  // Crossover: Front_Hi Common, fields in file order.
  EXPECT_EQ(LeF64(bytes, 9861), 20000.0);
  EXPECT_EQ(LeF64(bytes, 9869), 0.0);
  EXPECT_EQ(LeI32(bytes, 9877), 60);
  EXPECT_EQ(LeF64(bytes, 9881), 4000.0);
  EXPECT_EQ(LeF64(bytes, 9889), -18.0);
  EXPECT_EQ(LeI32(bytes, 9897), 46);
  EXPECT_EQ(LeI32(bytes, 9901), 0);
  // SubWoofer Common LPF slope: group 5 starts at 9861 + 15 * 44.
  EXPECT_EQ(LeF64(bytes, 9861 + 15 * 44 + 8), -18.0);
  EXPECT_EQ(LeI32(bytes, 10653 + 8 + 4), 1);  // output 0 speaker switch
  EXPECT_EQ(LeI32(bytes, 11041), 96);         // aeqMode
  EXPECT_EQ(bytes[19261], 0);                 // first profile string, empty
}

TEST(SetupFileLayout, EveryFieldLandsAtItsOffset) {
  SetupDocument d = EveryFieldSet();
  const std::string bytes = SetupFile::Serialize(d);
  const FilterParams& rearR7 = d.peqBands[1][2][7];
  const std::size_t rearR = 21 + (1 * 3 + 2) * 820;
  EXPECT_EQ(LeI32(bytes, rearR + 7 * 20), rearR7.type);
  EXPECT_EQ(LeF32(bytes, rearR + 7 * 20 + 4), rearR7.frequency);
  EXPECT_EQ(LeF32(bytes, rearR + 7 * 20 + 8), rearR7.gain);
  EXPECT_EQ(LeF32(bytes, rearR + 7 * 20 + 12), rearR7.q);
  EXPECT_EQ(LeI32(bytes, rearR + 7 * 20 + 16), rearR7.sectionKind);
  EXPECT_EQ(LeF32(bytes, rearR + 200 + 30 * 20 + 8), d.geqBands[1][2][30].gain);
  const CrossoverRec& rearL = d.crossover[3][1];
  const std::size_t x = 9861 + (3 * 3 + 1) * 44;
  EXPECT_EQ(LeF64(bytes, x + 16 + 4), rearL.hpfFrequency);
  EXPECT_EQ(LeF64(bytes, x + 28), rearL.hpfSlope);
  EXPECT_EQ(LeI32(bytes, x + 40), rearL.level);
  EXPECT_EQ(LeF64(bytes, 10653 + 10 * 16), d.channelDelay[10]);
  EXPECT_EQ(LeI32(bytes, 10653 + 9 * 16 + 8), d.channelPhase[9]);
  EXPECT_EQ(LeI32(bytes, 10829), 7);
  EXPECT_EQ(LeI32(bytes, 10833), 5);
  EXPECT_EQ(LeI32(bytes, 10837), 11);
  EXPECT_EQ(LeF64(bytes, 10841 + 16 * 5), d.peqCurvePeaks[1][2]);
  EXPECT_EQ(LeF64(bytes, 10841 + 16 * 5 + 8), d.geqCurvePeaks[1][2]);
  EXPECT_EQ(LeI32(bytes, 11033), 1);
  EXPECT_EQ(LeI32(bytes, 11037), 1);
  EXPECT_EQ(LeI32(bytes, 11041), 3);
  EXPECT_EQ(LeI32(bytes, 11045), d.aeqParameters[0]);
  EXPECT_EQ(LeI32(bytes, 11045 + 4 * 1024), d.aeqParameters[1024]);
  EXPECT_EQ(LeI32(bytes, 19237), -17);
  EXPECT_EQ(LeI32(bytes, 19241), 250);
  EXPECT_EQ(LeI32(bytes, 19245), 1);
  EXPECT_EQ(LeI32(bytes, 19249), 2001);
  EXPECT_EQ(LeI32(bytes, 19253), 2);
  EXPECT_EQ(LeI32(bytes, 19257), 29);
  EXPECT_EQ(bytes[19261], 3);
  EXPECT_EQ(bytes.substr(19262, 3), "Ann");
}

TEST(SetupFile, RoundTripRestoresEveryStoredFieldBitForBit) {
  Saved s;
  SetupDocument written = EveryFieldSet();
  written.profile.country = 2;
  written.profile.comments = "not stored";
  written.peqBands[0][0][0].flag = 1;
  ASSERT_TRUE(SetupFile::Save(s.path, written, s.dialogs));

  // The fields a file does not hold keep the values of the document it is read into.
  SetupDocument read;
  read.viewSynchronized = 1;
  read.profile.country = 1;
  read.profile.comments = "kept";
  read.peqBands[0][0][0].flag = 7;
  read.geqBands[3][2][30].flag = 9;
  EXPECT_EQ(SetupFile::Load(s.path, read, s.dialogs), SetupFile::LoadOutcome::Loaded);
  EXPECT_TRUE(s.dialogs.messages.empty());
  EXPECT_EQ(read.viewSynchronized, 0);
  EXPECT_EQ(read.profile.country, 1);
  EXPECT_EQ(read.profile.comments, "kept");
  EXPECT_EQ(read.peqBands[0][0][0].flag, 7);
  EXPECT_EQ(read.geqBands[3][2][30].flag, 9);
  read.geqBands[3][2][30].flag = 0;

  // Apart from the fields a file does not hold, the two documents are the same, to the bit.
  read.profile.country = 2;
  read.profile.comments = "not stored";
  read.peqBands[0][0][0].flag = 1;
  EXPECT_EQ(SetupFile::Serialize(read), SetupFile::Serialize(written));
  EXPECT_TRUE(read == written);

  // A negative zero and a NaN payload survive too: nothing is converted on the way.
  written.channelDelay[3] = -0.0;
  written.peqBands[2][0][1].gain = std::bit_cast<float>(0x7FC00123u);
  ASSERT_TRUE(SetupFile::Save(s.path, written, s.dialogs));
  ASSERT_EQ(SetupFile::Load(s.path, read, s.dialogs), SetupFile::LoadOutcome::Loaded);
  EXPECT_TRUE(std::signbit(read.channelDelay[3]));
  EXPECT_EQ(std::bit_cast<std::uint32_t>(read.peqBands[2][0][1].gain), 0x7FC00123u);
}

TEST(SetupFile, StringsUseEveryLengthPrefixForm) {
  for (std::size_t length : {0u, 1u, 254u, 255u, 300u, 65533u, 65534u, 70000u}) {
    ByteWriter w;
    w.PutString(std::string(length, 'x'));
    const std::string& b = w.bytes();
    std::size_t prefix = length < 255 ? 1 : (length <= 65533 ? 3 : 7);
    ASSERT_EQ(b.size(), prefix + length) << length;
    if (length < 255) {
      EXPECT_EQ(static_cast<std::uint8_t>(b[0]), length);
    }
    if (prefix == 3) {
      EXPECT_EQ(static_cast<std::uint8_t>(b[0]), 0xFF);
      EXPECT_EQ(static_cast<std::uint8_t>(b[1]) | (static_cast<std::uint8_t>(b[2]) << 8),
                static_cast<int>(length));
    }
    if (prefix == 7) {
      EXPECT_EQ(b.substr(0, 3), "\xFF\xFF\xFF");
    }
    ByteReader r(b);
    std::string back;
    ASSERT_TRUE(r.GetString(back)) << length;
    EXPECT_EQ(back, std::string(length, 'x'));
    EXPECT_EQ(r.remaining(), 0u);
  }

  Saved s;
  SetupDocument d;
  d.profile.remarks = std::string(300, 'r');
  ASSERT_TRUE(SetupFile::Save(s.path, d, s.dialogs));
  const std::string bytes = ReadFileBytes(s.path);
  EXPECT_EQ(bytes.size(), 19451u + 300u + 2u);
  SetupDocument back;
  ASSERT_EQ(SetupFile::Load(s.path, back, s.dialogs), SetupFile::LoadOutcome::Loaded);
  EXPECT_EQ(back.profile.remarks, std::string(300, 'r'));
}

TEST(SetupFile, SixteenBitTextIsReadAsSingleByteText) {
  // 0xFF 0xFFFE announces 16-bit text; its own prefix follows. "Aé€" : the euro sign has no
  // single-byte form and becomes '?'.
  const std::string wide = std::string("\xFF\xFE\xFF\x03", 4) + std::string("A\0\xE9\0\xAC\x20", 6);
  const std::string withTail = wide + "tail";
  ByteReader r(withTail);
  std::string s;
  ASSERT_TRUE(r.GetString(s));
  EXPECT_EQ(s, "A\xE9?");
  EXPECT_EQ(r.remaining(), 4u);

  // Long 16-bit text uses the 0xFF + uint16 form after the marker.
  std::string longWide = "\xFF\xFE\xFF\xFF";
  longWide += std::string("\x2C\x01", 2);  // 300 characters
  for (int i = 0; i < 300; ++i) longWide += std::string("z\0", 2);
  ByteReader r2(longWide);
  ASSERT_TRUE(r2.GetString(s));
  EXPECT_EQ(s, std::string(300, 'z'));

  // Inside a whole file: the first name written as 16-bit text.
  SetupDocument d;
  std::string bytes = SetupFile::Serialize(d);
  bytes.replace(19261, 1, std::string("\xFF\xFE\xFF\x02H\0i\0", 8));
  Saved saved;
  WriteFileBytes(saved.path, bytes);
  SetupDocument back;
  ASSERT_EQ(SetupFile::Load(saved.path, back, saved.dialogs), SetupFile::LoadOutcome::Loaded);
  EXPECT_EQ(back.profile.firstName, "Hi");
}

TEST(SetupFile, ForeignTypeOrVersionIsRejectedAndLeavesTheDocumentAlone) {
  struct Case {
    std::string header;
    SetupFile::LoadOutcome outcome;
    const char* message;
  };
  const Case cases[] = {
      {std::string("\x0FTORVAL KRV5200 \x05ver 1"), SetupFile::LoadOutcome::WrongType, "FILE TYPE ERROR"},
      {std::string("\x0Etorval krv5200\x05ver 1"), SetupFile::LoadOutcome::WrongType, "FILE TYPE ERROR"},
      {std::string("\x0DTORVAL KRV520\x05ver 1"), SetupFile::LoadOutcome::WrongType, "FILE TYPE ERROR"},
      {std::string("\x0ETORVAL KRV5200\x05ver 2"), SetupFile::LoadOutcome::WrongVersion, "VERSION ERROR"},
      {std::string("\x0ETORVAL KRV5200\x06ver 1 "), SetupFile::LoadOutcome::WrongVersion, "VERSION ERROR"},
      {std::string("\x0ETORVAL KRV5200\x06ver 10"), SetupFile::LoadOutcome::WrongVersion, "VERSION ERROR"},
  };
  const std::string body = SetupFile::Serialize(EveryFieldSet()).substr(21);
  for (const Case& c : cases) {
    Saved s;
    WriteFileBytes(s.path, c.header + body);
    SetupDocument d;
    d.viewSynchronized = 1;
    const SetupDocument before = d;
    EXPECT_EQ(SetupFile::Load(s.path, d, s.dialogs), c.outcome) << c.header;
    EXPECT_FALSE(SetupFile::Succeeded(c.outcome));
    ASSERT_EQ(s.dialogs.messages.size(), 1u);
    EXPECT_EQ(s.dialogs.messages[0], c.message);
    EXPECT_TRUE(d == before) << c.header;
  }
}

TEST(SetupFile, TruncatedFileLeavesTheDocumentExactlyAsItWas) {
  const std::string full = SetupFile::Serialize(EveryFieldSet());
  // Inside the type string, the equalizer, crossover, output and AEQ blocks, the date, a
  // profile string's prefix and its text, and one byte short of the end.
  for (std::size_t cut :
       {std::size_t{1}, std::size_t{18}, std::size_t{5000}, std::size_t{9861 + 30}, std::size_t{10700},
        std::size_t{12000}, std::size_t{19250}, std::size_t{19261}, std::size_t{19263}, full.size() - 1}) {
    Saved s;
    WriteFileBytes(s.path, full.substr(0, cut));
    SetupDocument d;
    d.viewSynchronized = 1;
    const SetupDocument before = d;
    EXPECT_EQ(SetupFile::Load(s.path, d, s.dialogs), SetupFile::LoadOutcome::Truncated) << cut;
    ASSERT_EQ(s.dialogs.messages.size(), 1u) << cut;
    EXPECT_EQ(s.dialogs.messages[0], "Unexpected file format.");
    EXPECT_EQ(s.dialogs.icons[0], MessageIcon::Exclamation);
    EXPECT_TRUE(d == before) << cut;
  }
}

TEST(SetupFile, HugeStringLengthIsATruncatedFileNotAnAllocation) {
  std::string bytes = SetupFile::Serialize(SetupDocument());
  // First name claims 4 GiB - 1 bytes, then 16-bit text claiming 65534 characters.
  for (const std::string& prefix :
       {std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7), std::string("\xFF\xFE\xFF\xFF\xFE\xFF", 6)}) {
    Saved s;
    std::string damaged = bytes;
    damaged.replace(19261, 1, prefix);
    WriteFileBytes(s.path, damaged);
    SetupDocument d;
    EXPECT_EQ(SetupFile::Load(s.path, d, s.dialogs), SetupFile::LoadOutcome::Truncated);
    EXPECT_EQ(s.dialogs.messages, std::vector<std::string>{"Unexpected file format."});
  }
}

TEST(SetupFile, EmptyMissingAndUnreadableFiles) {
  Saved s;
  WriteFileBytes(s.path, "");
  SetupDocument d = EveryFieldSet();
  d.viewSynchronized = 1;
  const SetupDocument before = d;
  EXPECT_EQ(SetupFile::Load(s.path, d, s.dialogs), SetupFile::LoadOutcome::Empty);
  EXPECT_FALSE(SetupFile::Succeeded(SetupFile::LoadOutcome::Empty));
  EXPECT_EQ(s.dialogs.messages, std::vector<std::string>{"Unexpected file format."});
  EXPECT_TRUE(d == before);
  s.dialogs.messages.clear();

  const std::string missing = s.dir.File("missing.tvn");
  EXPECT_EQ(SetupFile::Load(missing, d, s.dialogs), SetupFile::LoadOutcome::OpenFailed);
  ASSERT_EQ(s.dialogs.messages.size(), 1u);
  EXPECT_EQ(s.dialogs.messages[0], missing + " was not found.");

  // A directory cannot be read as a file.
  s.dialogs.messages.clear();
  EXPECT_EQ(SetupFile::Load(s.dir.path(), d, s.dialogs), SetupFile::LoadOutcome::OpenFailed);
  EXPECT_EQ(s.dialogs.messages.size(), 1u);
}

TEST(SetupFile, FailedSaveKeepsTheOldFileAndLeavesNoTemporaryBehind) {
  Saved s;
  SetupDocument old;
  ASSERT_TRUE(SetupFile::Save(s.path, old, s.dialogs));
  const std::string before = ReadFileBytes(s.path);

  // A disk that fills up in the middle of the write: the file size limit stands in for it.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  SetupDocument changed = EveryFieldSet();
  const bool ok = SetupFile::Save(s.path, changed, s.dialogs);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, SIG_DFL);

  EXPECT_FALSE(ok);
  EXPECT_EQ(s.dialogs.messages, std::vector<std::string>{"Failed to save document."});
  EXPECT_EQ(s.dialogs.causes,
            std::vector<std::string>{"No space left on the disk that holds " + s.dir.path()});
  EXPECT_EQ(ReadFileBytes(s.path), before);
  int entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(s.dir.path())) {
    (void)e;
    ++entries;
  }
  EXPECT_EQ(entries, 1);

  // A folder that does not exist, a name longer than a folder allows.
  const std::string tooLong = std::string(300, 'n') + ".tvn";
  for (const auto& [path, cause] : {std::pair(s.dir.File("no/such/folder.tvn"),
                                              "The folder " + s.dir.File("no/such") + " does not exist"),
                                    std::pair(s.dir.File(tooLong), "The name " + tooLong + " is too long")}) {
    s.dialogs = {};
    EXPECT_FALSE(SetupFile::Save(path, changed, s.dialogs));
    EXPECT_EQ(s.dialogs.messages, std::vector<std::string>{"Failed to save document."});
    EXPECT_EQ(s.dialogs.causes, std::vector<std::string>{cause});
  }
  EXPECT_EQ(ReadFileBytes(s.path), before);
}

// A refused write is a read-only folder when nobody may write into it, else this user may not (a
// test run as root cannot stage either).
TEST(SetupFile, ARefusedSaveTellsAReadOnlyFolderFromAnotherUsers) {
  TempDir dir;
  const std::string locked = dir.File("locked");
  std::filesystem::create_directory(locked);
  std::filesystem::permissions(locked,
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_EQ(SetupFile::SaveFailureReason(EACCES, locked + "/car.tvn"),
            "The folder " + locked + " is read-only");
  EXPECT_EQ(SetupFile::SaveFailureReason(EACCES, dir.File("car.tvn")),
            "Permission denied: you may not write into the folder " + dir.path());
}

TEST(SetupFile, SaveReplacesTheTargetThroughASymbolicLink) {
  Saved s;
  const std::string real = s.dir.File("real.tvn");
  SetupDocument d;
  ASSERT_TRUE(SetupFile::Save(real, d, s.dialogs));
  std::filesystem::create_symlink(real, s.path);
  d.subWooferMode = 1;
  ASSERT_TRUE(SetupFile::Save(s.path, d, s.dialogs));
  EXPECT_TRUE(std::filesystem::is_symlink(s.path));
  EXPECT_EQ(LeI32(ReadFileBytes(real), 19245), 1);
}

TEST(SetupFile, SaveFitsTheLongestNameAndClearsTemporariesOfKilledSaves) {
  Saved s;
  // The longest name a folder allows.
  const std::string longest = s.dir.File(std::string(251, 'n') + ".tvn");
  SetupDocument doc;
  EXPECT_TRUE(SetupFile::Save(longest, doc, s.dialogs));
  EXPECT_EQ(std::filesystem::file_size(longest), 19451u);

  // What saves left behind when they were killed midway: the process is gone, the file is old.
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  ASSERT_GT(gone, 0);
  waitpid(gone, nullptr, 0);
  const auto leftover = [&](pid_t pid, const char* tail) {
    const std::string path = s.dir.File(".krv5200-saving-" + std::to_string(pid) + tail);
    WriteFileBytes(path, "half");
    std::filesystem::last_write_time(path,
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    return path;
  };
  const std::string stale = leftover(gone, "-AbCdEf");
  const std::string running = leftover(getppid(), "-GhIjKl");  // a save still under way elsewhere
  const std::string other = s.dir.File("notes.krv5200-saving-1-x");
  WriteFileBytes(other, "mine");

  EXPECT_TRUE(SetupFile::Save(s.path, doc, s.dialogs));
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_TRUE(std::filesystem::exists(running));
  EXPECT_TRUE(std::filesystem::exists(other));
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(s.dir.path())) ++entries;
  EXPECT_EQ(entries, 4u);  // the two saves, the running save's file and the unrelated one
}
