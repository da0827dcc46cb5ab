// The folders of src/ are layers, lowest first. A file includes only headers
// of its own layer and of the layers below it; where a lower layer has to
// trigger something above (a settings load that resets the plug-in), the
// upper layer does it after calling down.
//
//   host        the platform seam, the native layer and catalogue, game names
//               and bones, the reads once per frame, key states, the module's
//               folder and the log
//   config      the settings, their table and checker, and key names
//   animations  the task classes, asset loading, the sequence runner and what
//               its tasks play
//   smoking     the state of a smoke and the description of each kind
//               (smoke_kind.h), prop attachment, the mouth easing, stop and
//               clean-up, the inventory
//   sequences   the builders, and each kind's description (sequences/<kind>.cpp),
//               which enters itself into the list of kinds
//   rules       the world rules a running smoke follows, and the controller
//               that runs them each frame
//   input       the input dispatch, the prompts, the scenarios and the notice
//   plugin      the DLL entry, the script main and the frame: the one place
//               where everything is wired together
//
// "What is smoked now" is the active sequence's pointer to a kind's
// description (SmokedNow()), never a name compared as text.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kLayers = {"host",      "config", "animations", "smoking",
                                          "sequences", "rules",  "input",      "plugin"};

int LayerOf(const std::string& folder) {
  const auto found = std::find(kLayers.begin(), kLayers.end(), folder);
  return found == kLayers.end() ? -1 : static_cast<int>(found - kLayers.begin());
}

// Every quoted include of `text`, a file of layer `folder`, that is not at
// or below that layer, as "file:line: includes ...".
std::vector<std::string> Climbs(const std::string& file, const std::string& folder, std::istream& text) {
  static const std::regex kInclude(R"(^\s*#\s*include\s*"([^"]+)\")");
  std::vector<std::string> found;
  std::string line;
  for (int number = 1; std::getline(text, line); ++number) {
    std::smatch match;
    if (!std::regex_search(line, match, kInclude)) continue;
    const std::string included = match[1];
    const std::string where = file + ":" + std::to_string(number) + ": includes \"" + included + "\"";
    const size_t slash = included.find('/');
    const int layer = slash == std::string::npos ? -1 : LayerOf(included.substr(0, slash));
    if (layer < 0) {
      found.push_back(where + ", which is in no layer");
    } else if (layer > LayerOf(folder)) {
      found.push_back(where + ", a layer above " + folder);
    }
  }
  return found;
}

TEST(IncludeOrder, EveryIncludeInSrcLooksDown) {
  const fs::path root = EMBERWICK_SOURCE_DIR;
  std::vector<std::string> climbs;
  size_t files = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    const fs::path relative = fs::relative(entry.path(), root);
    std::ifstream text(entry.path());
    const std::vector<std::string> found = Climbs(relative.generic_string(), relative.begin()->string(), text);
    climbs.insert(climbs.end(), found.begin(), found.end());
    ++files;
  }
  EXPECT_GT(files, 50u);
  for (const std::string& climb : climbs) ADD_FAILURE() << climb;
}

TEST(IncludeOrder, EveryFolderOfSrcIsALayer) {
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(EMBERWICK_SOURCE_DIR)) {
    if (!entry.is_directory()) continue;
    const fs::path relative = fs::relative(entry.path(), EMBERWICK_SOURCE_DIR);
    EXPECT_GE(LayerOf(relative.begin()->string()), 0) << relative << " needs a place in the order";
  }
}

TEST(IncludeOrder, TheCheckNamesTheFileTheLineAndTheClimb) {
  std::istringstream text(
      "#include <string>\n"
      "#include \"host/natives.h\"\n"
      "#  include \"smoking/smoking_state.h\"\n"
      "#include \"rules/world_rules.h\"\n"
      "#include \"stray.h\"\n");
  EXPECT_EQ(Climbs("smoking/x.cpp", "smoking", text),
            (std::vector<std::string>{
                "smoking/x.cpp:4: includes \"rules/world_rules.h\", a layer above smoking",
                "smoking/x.cpp:5: includes \"stray.h\", which is in no layer",
            }));
}

}  // namespace
