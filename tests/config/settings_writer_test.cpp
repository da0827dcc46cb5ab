// The settings writer and the save: only the values asked for change, in any
// encoding and with any line ends; a save is all or nothing, whichever of its
// file steps fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config/setting_table.h"
#include "config/settings_check.h"
#include "config/settings_save.h"
#include "config/settings_writer.h"
#include "config/text_encoding.h"

namespace {

const std::filesystem::path kRepo = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
const std::string kShippedIni = (kRepo / "Emberwick.ini").string();
const std::string kMistypedIni = (kRepo / "sessions" / "mistyped_settings.ini").string();

std::string Read(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

int Index(std::string_view name) { return SettingIndex(name); }

// The file's text (any encoding) as lines.
std::vector<std::string> Lines(const std::string& bytes) {
  const std::string text = DecodeText(bytes).utf8;
  std::vector<std::string> lines;
  for (std::string_view line : SettingsLines(text)) lines.emplace_back(line);
  return lines;
}

std::string WithLineEnds(const std::string& text, const std::string& end) {
  std::string out;
  for (char c : text) out += c == '\n' ? end : std::string(1, c);
  return out;
}

struct Form {
  const char* name;
  std::string (*make)(const std::string& lf);
};

const Form kForms[] = {
    {"LF", [](const std::string& lf) { return lf; }},
    {"CRLF", [](const std::string& lf) { return WithLineEnds(lf, "\r\n"); }},
    {"CR", [](const std::string& lf) { return WithLineEnds(lf, "\r"); }},
    {"UTF-8 mark", [](const std::string& lf) { return "\xEF\xBB\xBF" + WithLineEnds(lf, "\r\n"); }},
    {"UTF-16LE",
     [](const std::string& lf) { return "\xFF\xFE" + EncodeUnits(WithLineEnds(lf, "\r\n"), TextEncoding::Utf16LittleEndian); }},
    {"UTF-16BE", [](const std::string& lf) { return "\xFE\xFF" + EncodeUnits(lf, TextEncoding::Utf16BigEndian); }},
};

TEST(SettingsWriter, EveryFormOfTheShippedFileKeepsEveryByteButTheValuesAskedFor) {
  // Without KEY_SETTINGS, so that a missing setting goes in too.
  std::string lf = Read(kShippedIni);
  const size_t at = lf.find("KEY_SETTINGS=F9\n");
  ASSERT_NE(at, std::string::npos);
  lf.erase(at, std::string("KEY_SETTINGS=F9\n").size());
  for (const Form& form : kForms) {
    SCOPED_TRACE(form.name);
    const std::string before = form.make(lf);
    SettingsEdits edits;
    edits.values = {{Index("KEY_SMOKE"), "F5"}, {Index("KEY_SETTINGS"), "F7"}, {Index("SCENARIO4_LABEL"), "Café"}};
    const WrittenSettings written = WriteSettingsText(before, edits, "\n");
    ASSERT_TRUE(written.ok) << written.refusal;
    EXPECT_EQ(CheckSettingsText(written.bytes).encoding, CheckSettingsText(before).encoding);

    std::vector<std::string> old = Lines(before), now = Lines(written.bytes);
    ASSERT_EQ(now.size(), old.size() + 1);
    // KEY_SETTINGS goes after the last setting of [General], before the blank line.
    const auto added = std::find(now.begin(), now.end(), "KEY_SETTINGS=F7");
    ASSERT_NE(added, now.end());
    EXPECT_EQ(*(added - 1), "SHOW_NOTICES=true");
    now.erase(added);
    for (size_t i = 0; i < old.size(); ++i) {
      if (old[i] == "KEY_SMOKE=N") EXPECT_EQ(now[i], "KEY_SMOKE=F5");
      else if (old[i] == "SCENARIO4_LABEL=") EXPECT_EQ(now[i], "SCENARIO4_LABEL=Café");
      else EXPECT_EQ(now[i], old[i]) << "line " << i + 1;
    }
    // Byte for byte: the new file is the old one with those lines changed, so
    // writing the old values back gives the old file less the added line.
    SettingsEdits back;
    back.values = {{Index("KEY_SMOKE"), "N"}, {Index("SCENARIO4_LABEL"), ""}};
    const WrittenSettings restored = WriteSettingsText(written.bytes, back, "\n");
    ASSERT_TRUE(restored.ok) << restored.refusal;
    std::string expected = form.make(lf);
    EXPECT_EQ(Lines(restored.bytes).size(), Lines(expected).size() + 1);
    const CheckedSettings read = CheckSettingsText(written.bytes);
    EXPECT_EQ(read.values[static_cast<size_t>(Index("KEY_SETTINGS"))], "F7");
    EXPECT_EQ(read.findings.size(), 0u);
  }
}

TEST(SettingsWriter, OnlyTheValueTextOfALineChanges) {
  struct Case {
    std::string file, name, value, expected;
  };
  const Case cases[] = {
      {"[General]\n  key_smoke =  N   ; the smoke key\n", "KEY_SMOKE", "F5", "[General]\n  key_smoke =  F5   ; the smoke key\n"},
      {"[General]\nKEY_SMOKE=  ; none yet\n", "KEY_SMOKE", "F5", "[General]\nKEY_SMOKE=  F5 ; none yet\n"},
      {"[General]\nKEY_SMOKE:N\n", "KEY_SMOKE", "J", "[General]\nKEY_SMOKE:J\n"},
      // Of a setting written twice the first counts, and is the one changed.
      {"[general]\nKEY_SMOKE=N\nKEY_SMOKE=M\n", "KEY_SMOKE", "J", "[general]\nKEY_SMOKE=J\nKEY_SMOKE=M\n"},
      // A missing section goes at the end, after a blank line, with the file's line end.
      {"; mine\r\n[Smoking]\r\nNEVER_FALLS_OUT=true", "KEY_SMOKE", "J",
       "; mine\r\n[Smoking]\r\nNEVER_FALLS_OUT=true\r\n\r\n[General]\r\nKEY_SMOKE=J\r\n"},
      // A missing setting goes after its section's last setting, not after the comments below it.
      {"[General]\nENABLED=true\n\n; the next part\n[Smoking]\n", "KEY_SMOKE", "J",
       "[General]\nENABLED=true\nKEY_SMOKE=J\n\n; the next part\n[Smoking]\n"},
      // No file at all.
      {"", "KEY_SMOKE", "J", "[General]\nKEY_SMOKE=J\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    SettingsEdits edits;
    edits.values = {{Index(c.name), c.value}};
    const WrittenSettings written = WriteSettingsText(c.file, edits, "\n");
    ASSERT_TRUE(written.ok) << written.refusal;
    EXPECT_EQ(written.bytes, c.expected);
  }
}

TEST(SettingsWriter, RefusesValuesThatWouldNotReadBackAsWritten) {
  for (const std::string& value : std::vector<std::string>{"F5\nKEY_RELOAD=F6", "Sit ; Down", " Sit", "Sit ", std::string(200, 'x')}) {
    SCOPED_TRACE(value);
    SettingsEdits edits;
    edits.values = {{Index("SCENARIO1_LABEL"), value}};
    const WrittenSettings written = WriteSettingsText("[Scenarios]\nSCENARIO1_LABEL=Sit\n", edits, "\n");
    EXPECT_FALSE(written.ok);
    EXPECT_FALSE(written.refusal.empty());
  }
}

TEST(SettingsWriter, TheCheckersMendsLeaveNothingTheyCouldMend) {
  // A mend can uncover another (a name put right is then written twice), so
  // the page's presses are made round by round.
  std::string bytes = Read(kMistypedIni);
  const int findingsBefore = LinesWithFindings(CheckSettingsText(bytes));
  for (int round = 0; round < 4; ++round) {
    const CheckedSettings checked = CheckSettingsText(bytes);
    SettingsEdits edits;
    for (const SettingsFinding& finding : checked.findings) {
      const SettingsFix& fix = finding.fix;
      if (fix.kind == SettingsFix::Kind::Value) edits.values.emplace_back(fix.setting, fix.text);
      if (fix.kind == SettingsFix::Kind::Line) edits.lines[fix.line] = fix.text;
      if (fix.kind == SettingsFix::Kind::RemoveLine) edits.lines[fix.line] = std::nullopt;
    }
    if (edits.Empty()) break;
    const WrittenSettings written = WriteSettingsText(bytes, edits, "\n");
    ASSERT_TRUE(written.ok) << written.refusal;
    bytes = written.bytes;
  }
  const CheckedSettings after = CheckSettingsText(bytes);
  EXPECT_LT(LinesWithFindings(after), findingsBefore);
  for (const SettingsFinding& finding : after.findings) {
    EXPECT_EQ(finding.fix.kind, SettingsFix::Kind::None) << FormatFinding(finding);
  }
}

// --- Saving ----------------------------------------------------------------------

// Each step of a save can be made to fail; "short" writes half and fails,
// "silent" writes half and says it wrote it all.
enum class Fault { None, CreateTemporary, ShortWrite, SilentShortWrite, Backup, Replace };
Fault fault = Fault::None;

bool FaultyWrite(const std::string& path, std::string_view bytes) {
  const bool temporary = path.ends_with(kTemporarySuffix);
  if (temporary && fault == Fault::CreateTemporary) return false;
  if (path.ends_with(kBackupSuffix) && fault == Fault::Backup) return false;
  if (temporary && (fault == Fault::ShortWrite || fault == Fault::SilentShortWrite)) {
    RealSaveFileSteps().write(path, bytes.substr(0, bytes.size() / 2));
    return fault == Fault::SilentShortWrite;
  }
  return RealSaveFileSteps().write(path, bytes);
}

bool FaultyReplace(const std::string& from, const std::string& to) {
  return fault != Fault::Replace && RealSaveFileSteps().replace(from, to);
}

class SettingsSave : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("emberwick-save-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    path = (folder / "Emberwick.ini").string();
    saveFileSteps = {RealSaveFileSteps().read, &FaultyWrite, &FaultyReplace, RealSaveFileSteps().remove};
    fault = Fault::None;
  }
  void TearDown() override {
    saveFileSteps = RealSaveFileSteps();
    std::filesystem::remove_all(folder);
  }
  void WriteFile(const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
  SaveResult Save(const std::string& asRead, bool existed = true) {
    SettingsEdits edits;
    edits.values = {{Index("KEY_SMOKE"), "F5"}};
    return SaveSettingsFile(path, existed, asRead, edits, "\n");
  }

  std::filesystem::path folder;
  std::string path;
};

TEST_F(SettingsSave, AFaultAtAnyStepLeavesTheOldFileWholeAndNothingBeside) {
  const std::string old = Read(kShippedIni);
  for (Fault step : {Fault::CreateTemporary, Fault::ShortWrite, Fault::SilentShortWrite, Fault::Backup, Fault::Replace}) {
    SCOPED_TRACE(static_cast<int>(step));
    WriteFile(old);
    std::filesystem::remove(path + ".bak");
    fault = step;
    const SaveResult result = Save(old);
    EXPECT_EQ(result.outcome, SaveOutcome::CannotWrite);
    EXPECT_NE(result.message.find("as it was"), std::string::npos) << result.message;
    EXPECT_EQ(Read(path), old);
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));
  }
  fault = Fault::None;
  const SaveResult result = Save(old);
  EXPECT_EQ(result.outcome, SaveOutcome::Written) << result.message;
  EXPECT_EQ(Read(path + ".bak"), old);
  EXPECT_EQ(CheckSettingsText(Read(path)).values[static_cast<size_t>(Index("KEY_SMOKE"))], "F5");
}

TEST_F(SettingsSave, AFolderStandingWhereTheTemporaryGoesCostsNothing) {
  const std::string old = "[General]\nKEY_SMOKE=N\n";
  WriteFile(old);
  std::filesystem::create_directories(path + ".new");
  EXPECT_EQ(Save(old).outcome, SaveOutcome::CannotWrite);
  EXPECT_EQ(Read(path), old);
  EXPECT_TRUE(std::filesystem::is_directory(path + ".new"));
}

TEST_F(SettingsSave, AFileChangedOnDiskSinceItWasReadIsNotWritten) {
  WriteFile("[General]\nKEY_SMOKE=J\n");
  const SaveResult changed = Save("[General]\nKEY_SMOKE=N\n");
  EXPECT_EQ(changed.outcome, SaveOutcome::ChangedOnDisk);
  EXPECT_NE(changed.message.find("changed on disk"), std::string::npos);
  EXPECT_EQ(Read(path), "[General]\nKEY_SMOKE=J\n");
  // A file that appeared where there was none is not written over either.
  EXPECT_EQ(Save("", false).outcome, SaveOutcome::ChangedOnDisk);
  std::filesystem::remove(path);
  EXPECT_EQ(Save("[General]\nKEY_SMOKE=J\n").outcome, SaveOutcome::ChangedOnDisk);
  // A file larger than the load reads is never written back without its end.
  const std::string large = "[General]\nKEY_SMOKE=N\n" + std::string(1 << 20, ';');
  WriteFile(large);
  EXPECT_EQ(Save(large).outcome, SaveOutcome::Refused);
  EXPECT_EQ(Read(path), large);
  std::filesystem::remove(path);
  // None read, none there: it is created.
  EXPECT_EQ(Save("", false).outcome, SaveOutcome::Written);
  EXPECT_EQ(Read(path), "[General]\nKEY_SMOKE=F5\n");
  EXPECT_FALSE(std::filesystem::exists(path + ".bak"));
}

}  // namespace
