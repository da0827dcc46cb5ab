// The picture of a session: well-formed, complete, and red where something
// was left behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "host/natives.h"
#include "html_report.h"
#include "plugin_log.h"
#include "session.h"
#include "support/plugin_session.h"
#include "world/leftovers.h"

namespace {

std::string Unescape(std::string text) {
  const std::pair<const char*, const char*> entities[] = {
      {"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"}, {"&#10;", "\n"}, {"&amp;", "&"}};
  for (const auto& [from, to] : entities) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1)) {
      text.replace(at, std::string(from).size(), to);
    }
  }
  return text;
}

std::string Attribute(const std::string& line, const std::string& name) {
  const std::string key = " " + name + "=\"";
  const size_t start = line.find(key);
  if (start == std::string::npos) return {};
  const size_t from = start + key.size();
  return Unescape(line.substr(from, line.find('"', from) - from));
}

struct Drawn {
  std::string svg;
  std::map<std::string, std::set<uint64_t>> frames;  // per lane subject, every frame drawn
  std::map<std::string, std::string> classes;        // per lane subject, the classes of its pieces
};

// What the page draws: each subject's group, the frames of its pieces ("3 7-9").
Drawn Read(const std::string& html) {
  Drawn drawn;
  const size_t start = html.find("<svg");
  const size_t end = html.rfind("</svg>");
  if (start == std::string::npos || end == std::string::npos) return drawn;
  drawn.svg = html.substr(start, end + 6 - start);
  std::istringstream lines(drawn.svg);
  std::string line, subject;
  while (std::getline(lines, line)) {
    if (line.rfind("<g data-k=", 0) == 0) subject = Attribute(line, "data-k");
    const std::string frames = Attribute(line, "data-f");
    if (frames.empty()) continue;
    drawn.classes[subject] += Attribute(line, "class") + " ";
    std::istringstream ranges(frames);
    std::string range;
    while (ranges >> range) {
      const size_t dash = range.find('-');
      const uint64_t first = std::stoull(range.substr(0, dash));
      const uint64_t last = dash == std::string::npos ? first : std::stoull(range.substr(dash + 1));
      for (uint64_t f = first; f <= last; ++f) drawn.frames[subject].insert(f);
    }
  }
  return drawn;
}

bool WellFormed(const std::string& svg, const std::string& dir) {
  const std::string path = dir + "/picture.svg";
  std::ofstream(path) << svg;
  return std::system(("xmllint --noout " + path).c_str()) == 0;
}

class SessionPicture : public test::PluginTest {
 protected:
  std::string Render(const std::string& verdict) {
    const std::string path = workDir + "/session.html";
    std::string error;
    EXPECT_TRUE(sim::WriteSessionPicture(sim, "a session", verdict, path, error)) << error;
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
  }
};

TEST_F(SessionPicture, TheDefaultSessionIsWellFormedAndDrawsEveryEventAtItsFrame) {
  std::ifstream file(EMBERWICK_SESSIONS_DIR "/default.ews");
  std::stringstream session;
  session << file.rdbuf();
  ASSERT_FALSE(session.str().empty());
  sim::FollowPluginLog(sim, workDir);
  Attach();
  std::string error;
  ASSERT_TRUE(sim::RunSession(sim, session.str(), EMBERWICK_SESSIONS_DIR, error)) << error;
  sim.Detach();
  const std::string verdict = sim.leftoverReport();
  ASSERT_EQ(verdict.rfind("Nothing was left behind.", 0), 0u) << verdict;
  EXPECT_TRUE(sim.timeline.Contains("log", "loaded")) << "the log's lines are events of the picture too";

  const Drawn drawn = Read(Render(verdict));
  EXPECT_TRUE(WellFormed(drawn.svg, workDir)) << "the SVG does not parse as XML";
  EXPECT_GT(sim.timeline.Events().size(), 300u);
  for (const sim::TimelineEvent& event : sim.timeline.Events()) {
    const std::string lane = event.subject.empty() ? "~" + event.category : event.subject;
    auto it = drawn.frames.find(lane);
    EXPECT_TRUE(it != drawn.frames.end() && it->second.count(event.frame))
        << "not drawn at its frame: " << sim::Timeline::Format(event);
  }
  for (const auto& [lane, classes] : drawn.classes) {
    EXPECT_EQ(classes.find(" left"), std::string::npos) << lane << " drawn as left behind";
  }
}

TEST_F(SessionPicture, APropEffectAndPromptLeftBehindAreRedAndAThrownPropIsNot) {
  const int player = sim.world.entities.player;
  auto spawn = [](const char* model) {
    return native::CreateObject(native::GetHashKey(model), 0.0f, 0.0f, 0.0f, 0, 0, 0, 0, 0);
  };
  const int held = spawn("p_cigarette01x");
  native::AttachEntityToEntity(held, player, 28422, 0.1f, 0, 0, 0, 0, 0, 0, 0, 1, 0, 2, 1, 0, 0);
  const int thrown = spawn("p_cigar02x");
  native::AttachEntityToEntity(thrown, player, 28422, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 2, 1, 0, 0);
  sim.RunFrames(30);
  native::DetachEntity(thrown, 1, 1);
  native::ApplyForceToEntity(thrown, 1, 0.0f, 2.0f, 1.0f, 0, 0, 0, 0, 0, 1, 1, 0, 1);
  const int ember =
      native::StartNetworkedParticleFxLoopedOnEntity("ent_anim_cig_ember", held, 0, 0, 0, 0, 0, 0, 1.0f, 1, 1, 1);
  const int prompt = native::UiPromptRegisterBegin();
  native::UiPromptSetText(prompt, "Smoke");
  native::UiPromptSetVisible(prompt, true);
  native::UiPromptRegisterEnd(prompt);
  sim.RunFrames(30);

  const std::string html = Render(sim.leftoverReport());
  const Drawn drawn = Read(html);
  EXPECT_TRUE(WellFormed(drawn.svg, workDir));
  const std::string heldLane = sim.world.entities.Label(held);
  for (const std::string& lane :
       {heldLane, sim::EffectSubject("ent_anim_cig_ember", ember), sim::PromptSubject("Smoke")}) {
    ASSERT_TRUE(drawn.classes.count(lane)) << lane << " has no lane";
    EXPECT_NE(drawn.classes.at(lane).find(" left"), std::string::npos) << lane << " not marked left behind";
  }
  const std::string thrownLane = sim.world.entities.Label(thrown);
  ASSERT_TRUE(drawn.classes.count(thrownLane));
  EXPECT_EQ(drawn.classes.at(thrownLane).find(" left"), std::string::npos);
  EXPECT_NE(drawn.classes.at(thrownLane).find("st-thrown"), std::string::npos) << "the thrown prop is not shown lying";
  EXPECT_NE(html.find("class=\"verdict bad\""), std::string::npos);
  EXPECT_NE(html.find("Left behind by the plug-in:"), std::string::npos);
}

}  // namespace
