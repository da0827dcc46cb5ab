// Lines of Emberwick.ini as players mistype them: what the load tells about
// each (its finding and line number) and the value the plug-in then plays with.
// The same file saved as UTF-16 or with a UTF-8 mark reads as the plain one.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "config/setting_table.h"
#include "config/settings.h"
#include "plugin/main_loop.h"
#include "support/plugin_session.h"

namespace {

class SettingsCheck : public test::PluginTest {
 protected:
  const SettingsReport& Load(const std::string& ini) {
    WriteIni(ini);
    OnScript([] { ReloadSettings(); });
    return LastSettingsReport();
  }
};

std::string Number(int value) { return std::to_string(value); }

TEST_F(SettingsCheck, EachMistakeIsFoundOnItsLineAndTheValueIsTheOneThePluginUses) {
  Start();
  const struct {
    std::string file;
    int line;          // of the finding; 0: the file has none
    const char* says;  // a piece of the finding's text
    std::function<std::string()> value;
    std::string expected;
  } cases[] = {
      // Names players write for keys that had none now read as those keys.
      {"[General]\nKEY_SMOKE=BACKSPACE\n", 0, "", [] { return Number(KEY_SMOKE); }, "8"},
      {"[General]\nKEY_SMOKE=ENTER\n", 0, "", [] { return Number(KEY_SMOKE); }, "13"},
      {"[General]\nKEY_SMOKE=tab\n", 0, "", [] { return Number(KEY_SMOKE); }, "9"},
      {"[General]\nKEY_SMOKE=ESC\n", 0, "", [] { return Number(KEY_SMOKE); }, "27"},
      {"[General]\nKEY_SMOKE=Num6\n", 0, "", [] { return Number(KEY_SMOKE); }, "102"},
      {"[General]\nKEY_SMOKE=\"F5\"\n", 2, "Write F5 without quotes", [] { return Number(KEY_SMOKE); }, "0"},
      // A name that reads as another key keeps that reading.
      {"[General]\nKEY_SMOKE=DEL\n", 2, "hexadecimal number DE, the ' key. Write DELETE",
       [] { return Number(KEY_SMOKE); }, "222"},
      {"[General]\nKEY_SMOKE=72\n", 2, "hexadecimal number 72, the F3 key", [] { return Number(KEY_SMOKE); }, "114"},
      {"[General]\nKEY_SMOKE=FFF\n", 2, "above 255", [] { return Number(KEY_SMOKE); }, "4095"},
      {"[General]\nKEY_SMOKE=0x07\n", 2, "which no key sends", [] { return Number(KEY_SMOKE); }, "7"},
      {"[General]\nKEY_SMOKE=Vk_F5\n", 2, "Write VK_F5", [] { return Number(KEY_SMOKE); }, "0"},
      // Written twice: the first counts; today both were joined into a dead key.
      {"[General]\nKEY_SMOKE=N\nKEY_SMOKE=F5\n", 3, "already set on line 2", [] { return Number(KEY_SMOKE); },
       "78"},
      {"[General]\nKEY_SMOKE=\nKEY_SMOKE=F5\n", 3, "the one used", [] { return Number(KEY_SMOKE); }, "116"},
      // An indented line is a line of its own, not more of the value above.
      {"[General]\nKEY_SMOKE=N\n  KEY_TAKE_PUFF=H\n", 3, "more of KEY_SMOKE (line 2)",
       [] { return Number(KEY_SMOKE) + " " + Number(KEY_TAKE_PUFF); }, "78 72"},
      {"[Scenarios]\nSCENARIO1_LABEL=Sit\n   Down\n", 3, "neither a setting", [] { return SCENARIO_LABEL[0]; },
       "Sit"},
      // Names and sections: the nearest known one.
      {"[General]\nKEY_SMOK=F5\n", 2, "Did you mean KEY_SMOKE?", [] { return Number(KEY_SMOKE); }, "78"},
      {"[Smoking]\nKEY_SMOKE=F5\n", 2, "a setting of [General]", [] { return Number(KEY_SMOKE); }, "78"},
      {"KEY_SMOKE=F5\n[General]\n", 1, "outside any section", [] { return Number(KEY_SMOKE); }, "78"},
      {"[Genral]\nKEY_SMOKE=F5\n", 1, "Did you mean [General]?", [] { return Number(KEY_SMOKE); }, "78"},
      {"[Smoking]\nNEVER_FALLS_OUT=true\n[Translations\nSMOKE_PROMPT_LABEL=Rauchen\n", 3, "stay under [Smoking]",
       [] { return SMOKE_PROMPT_LABEL; }, "Smoking"},
      {"[Smoking]\nNEVER_FALLS_OUT yes\n", 2, "Write NEVER_FALLS_OUT=yes", [] { return Number(NEVER_FALLS_OUT); },
       "0"},
      // True and false.
      {"[General]\nENABLED=flase\n", 2, "the default, true, is used. Write false", [] { return Number(ENABLED); },
       "1"},
      {"[Smoking]\nNEVER_FALLS_OUT=2\n", 2, "Write true or false", [] { return Number(NEVER_FALLS_OUT); }, "0"},
      // Numbers.
      {"[Advanced]\nCIGARETTE_X_OFFSET=0,01\n", 2, "the decimal separator is a point. Write 0.01",
       [] { return std::to_string(CIGARETTE_X_OFFSET); }, "0.000000"},
      {"[Advanced]\nCIGAR_Z_OFFSET=-0.5cm\n", 2, "\"cm\" after the number",
       [] { return std::to_string(CIGAR_Z_OFFSET); }, "-0.500000"},
      {"[Advanced]\nCIGAR_X_OFFSET=nan\n", 2, "so 0 is used", [] { return std::to_string(CIGAR_X_OFFSET); },
       "0.000000"},
      {"[Smoking]\nREGEN_DEAD_EYE_BURST_SECONDS=035\n", 2, "octal number: it reads as 29. Write 35",
       [] { return Number(deadEyeBurstWindowMs); }, "31000"},
      {"[Smoking]\nREGEN_DEAD_EYE_BURST_SECONDS=00\n", 2, "Write 0 without the leading 0",
       [] { return Number(deadEyeBurstEnabled); }, "0"},
      {"[Smoking]\nREGEN_DEAD_EYE_BURST_SECONDS=08\n", 2, "it reads as 0. Write 8 without",
       [] { return Number(deadEyeBurstWindowMs); }, "2000"},
      {"[Smoking]\nREGEN_DEAD_EYE_BURST_SECONDS=12abc\n", 2, "reads as 12", [] { return Number(deadEyeBurstWindowMs); },
       "14000"},
      {"[Smoking]\nREGEN_DEAD_EYE_BURST_SECONDS=soon\n", 2, "the default, 35",
       [] { return Number(deadEyeBurstWindowMs); }, "37000"},
      {"[Smoking]\nREGEN_DEAD_EYE_BURST_SECONDS=-5\n", 2, "outside what the setting can use (0 to 2147481)",
       [] { return Number(deadEyeBurstEnabled); }, "0"},
      // The reload keys: a part that is no key keeps the default combination.
      {"[General]\nKEY_RELOAD=END+F5\n", 0, "", [] { return Number(KEY_RELOAD.keys[1]); }, "116"},
      {"[General]\nKEY_RELOAD=END+NUMPAD 6\n", 2, "the keys stay END+NUMPAD6. Write NUMPAD6",
       [] { return Number(KEY_RELOAD.keys[0]) + "+" + Number(KEY_RELOAD.keys[1]); }, "35+102"},
      // What inih cannot read at all.
      {"[Translations]\nSMOKE_PROMPT_LABEL=" + std::string(250, 'x') + "\n", 2, "longer than 199",
       [] { return Number(static_cast<int>(SMOKE_PROMPT_LABEL.size())); }, "180"},
      {std::string("[General]\nKEY_SMOKE=F6\0 junk\n", 29), 2, "zero byte", [] { return Number(KEY_SMOKE); }, "117"},
  };
  for (const auto& c : cases) {
    const SettingsReport& report = Load(c.file);
    const std::string shown = "in the file:\n" + c.file;
    EXPECT_EQ(c.value(), c.expected) << shown;
    if (c.line == 0) {
      EXPECT_TRUE(report.checked.findings.empty()) << shown << FormatFinding(report.checked.findings[0]);
      continue;
    }
    bool found = false;
    for (const SettingsFinding& finding : report.checked.findings) {
      found = found || (finding.line == c.line && FormatFinding(finding).find(c.says) != std::string::npos);
    }
    EXPECT_TRUE(found) << shown << "no finding on line " << c.line << " says: " << c.says << "\nthe findings:\n"
                       << [&] {
                            std::string all;
                            for (const SettingsFinding& f : report.checked.findings) all += FormatFinding(f) + "\n";
                            return all;
                          }();
  }
}

std::string Utf16(const std::string& ascii, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char c : ascii) {
    out += bigEndian ? '\0' : c;
    out += bigEndian ? c : '\0';
  }
  return out;
}

TEST_F(SettingsCheck, UTF16AndUTF8WithAMarkReadAsThePlainFile) {
  Start();
  const std::string plain =
      "; saved by Notepad\r\n[General]\r\nKEY_SMOKE=F5\r\nENABLED=true\r\n"
      "[Translations]\r\nSMOKE_PROMPT_LABEL=Smoke\r\n";
  // A non-ASCII label, as UTF-16 has it: "Zigarre" followed by U+00E9 and U+20AC.
  const std::string label = "Zigarre \xC3\xA9\xE2\x82\xAC";
  const std::string labelUtf16Le = std::string("Z\0i\0g\0a\0r\0r\0e\0 \0\xE9\0\xAC\x20", 20);
  const struct {
    const char* name;
    std::string bytes;
    const char* read;
  } files[] = {
      {"plain", plain + "CONTROLLER_CIGAR_LABEL=" + label + "\r\n", ""},
      {"UTF-8 with a mark", "\xEF\xBB\xBF" + plain + "CONTROLLER_CIGAR_LABEL=" + label + "\r\n", "without the mark"},
      {"UTF-16 little-endian",
       Utf16(plain + "CONTROLLER_CIGAR_LABEL=", false) + labelUtf16Le + std::string("\r\0\n\0", 4),
       "UTF-16 (little-endian), converted"},
      {"UTF-16 big-endian", Utf16(plain, true), "UTF-16 (big-endian), converted"},
  };
  const SettingsReport plainReport = Load(files[0].bytes);
  for (const auto& file : files) {
    const SettingsReport& report = Load(file.bytes);
    EXPECT_EQ(KEY_SMOKE, 116) << file.name;
    EXPECT_EQ(SMOKE_PROMPT_LABEL, "Smoke") << file.name;
    EXPECT_TRUE(report.checked.findings.empty()) << file.name;
    EXPECT_NE(DescribeReading(report.checked).find(file.read), std::string::npos) << file.name;
    if (std::string(file.name) != "UTF-16 big-endian") {
      EXPECT_EQ(CONTROLLER_CIGAR_LABEL, label) << file.name;
      EXPECT_EQ(report.checked.values, plainReport.checked.values) << file.name;
    }
  }
}

}  // namespace
