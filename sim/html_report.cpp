#include "html_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <set>
#include <unordered_map>

#include "simulator.h"
#include "world/leftovers.h"

namespace sim {
namespace {

// Geometry of the page, in pixels.
constexpr int kLabelWidth = 250;  // lane names on the left
constexpr int kPlotWidth = 1400;  // the time span at the first zoom
constexpr int kNotesHeight = 58;  // note labels, in staggered levels
constexpr int kNoteLevels = 4;
constexpr int kAxisHeight = 30;
constexpr int kRowHeight = 16;
constexpr int kGroupHeight = 18;
constexpr double kCharWidth = 6.6;  // of the 11px monospace font, for fitting labels

// Changes closer together than this many frames, one after another, are one
// burst with a count (the easing attaches and detaches once a frame).
constexpr uint64_t kBurstGapFrames = 2;
constexpr size_t kBurstMinEvents = 3;
// A hover shows at most this many events of one element, first and last.
constexpr size_t kDetailHead = 4;
constexpr size_t kDetailTail = 2;

struct Group {
  const char* title;
  std::vector<std::string> categories;
};

const std::vector<Group>& Groups() {
  static const std::vector<Group> groups = {
      {"Keys and controls", {"key", "control", "window", "input"}},
      {"Clips, emotes and scenarios", {"clip", "emote", "interaction", "scenario"}},
      {"Props and peds", {"prop", "ped"}},
      {"Effects and sounds", {"effect", "sound"}},
      {"Prompts, menu and screen", {"prompt", "screen"}},
      {"Dead Eye, inventory and the player", {"deadeye", "inventory", "player"}},
      {"Host and world", {}},  // everything else
  };
  return groups;
}

size_t GroupOf(const std::string& category) {
  const std::vector<Group>& groups = Groups();
  for (size_t i = 0; i < groups.size(); ++i) {
    for (const std::string& c : groups[i].categories) {
      if (c == category) return i;
    }
  }
  return groups.size() - 1;
}

std::string CategoryLaneName(const std::string& category) {
  if (category == "effect") return "one-shot effects";
  if (category == "sound") return "sounds";
  if (category == "deadeye") return "Dead Eye";
  if (category == "error") return "errors";
  return category;
}

// Text from a session or the plug-in goes into XML: anything that is not
// valid UTF-8, and control characters but the line break, become '?'.
std::string Clean(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    bool valid = length != 0 && i + length <= text.size();
    for (size_t k = 1; valid && k < length; ++k) valid = (static_cast<unsigned char>(text[i + k]) >> 6) == 0x2;
    if (length == 2 && valid) valid = c >= 0xC2;  // no overlong forms
    if (!valid) {
      out += '?';
      ++i;
      continue;
    }
    if (length == 1 && c < 0x20 && c != '\n') out += '?';
    else out.append(text, i, length);
    i += length;
  }
  return out;
}

std::string Escape(const std::string& raw) {
  const std::string text = Clean(raw);
  std::string out;
  out.reserve(text.size() + 16);
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\n': out += "&#10;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Fixed(double value, int decimals) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

// Distinct frames as "12 40-44 97": ranges of consecutive frames.
std::string FrameRanges(const std::vector<const TimelineEvent*>& events) {
  std::string out;
  size_t i = 0;
  while (i < events.size()) {
    const uint64_t first = events[i]->frame;
    uint64_t last = first;
    size_t j = i + 1;
    while (j < events.size() && events[j]->frame <= last + 1) last = std::max(last, events[j++]->frame);
    if (!out.empty()) out += ' ';
    out += std::to_string(first);
    if (last != first) out += '-' + std::to_string(last);
    i = j;
  }
  return out;
}

// One drawn piece of a lane: a stretch of a bar, a burst, or a tick.
struct Piece {
  enum class Kind { Bar, Burst, Tick, Tail };
  Kind kind = Kind::Bar;
  uint64_t a = 0, b = 0;  // frames
  std::string state;      // how the thing is during the piece
  std::vector<const TimelineEvent*> events;
  bool open = false;  // still there when the session ended
  bool left = false;  // left behind
  bool fromTicks = false;
};

// One subject's life: the pieces of its bars and its ticks.
struct Subject {
  std::string key;
  std::string label;   // lane name when it has a row of its own
  std::string family;  // subjects of one family share rows when their lives do not overlap
  size_t group = 0;
  uint64_t first = 0, busyUntil = 0;
  std::vector<Piece> pieces;
  // The bar being drawn: its stretches so far.
  bool barOpen = false;
  std::vector<Piece> bar;
  bool left = false;
};

struct Row {
  std::string label;
  std::string family;
  bool left = false;
  uint64_t busyUntil = 0;
  std::vector<const Subject*> subjects;
};

// Runs of very short stretches become one burst with a count.
std::vector<Piece> MergeBursts(std::vector<Piece> stretches) {
  std::vector<Piece> out;
  size_t i = 0;
  while (i < stretches.size()) {
    size_t j = i;
    while (j < stretches.size() && stretches[j].b - stretches[j].a <= kBurstGapFrames &&
           (j == i || stretches[j].a <= stretches[j - 1].b + kBurstGapFrames)) {
      ++j;
    }
    size_t eventCount = 0;
    for (size_t k = i; k < j; ++k) eventCount += stretches[k].events.size();
    if (j - i >= kBurstMinEvents || (j > i && eventCount >= kBurstMinEvents && j - i >= 2)) {
      Piece burst;
      burst.kind = Piece::Kind::Burst;
      burst.a = stretches[i].a;
      burst.b = stretches[j - 1].b;
      burst.state = stretches[j - 1].state;
      for (size_t k = i; k < j; ++k) {
        burst.events.insert(burst.events.end(), stretches[k].events.begin(), stretches[k].events.end());
        burst.open = burst.open || stretches[k].open;
        burst.left = burst.left || stretches[k].left;
      }
      out.push_back(std::move(burst));
      i = j;
    } else {
      out.push_back(std::move(stretches[i]));
      ++i;
    }
  }
  return out;
}

// Ticks close together in time become one burst with a count.
void AddTick(Subject& subject, const TimelineEvent& event) {
  if (!subject.pieces.empty()) {
    Piece& last = subject.pieces.back();
    if (last.fromTicks && event.frame <= last.b + kBurstGapFrames) {
      last.b = event.frame;
      last.events.push_back(&event);
      if (last.events.size() >= kBurstMinEvents && last.b > last.a) last.kind = Piece::Kind::Burst;
      return;
    }
  }
  Piece tick;
  tick.kind = Piece::Kind::Tick;
  tick.a = tick.b = event.frame;
  tick.events.push_back(&event);
  tick.fromTicks = true;
  subject.pieces.push_back(std::move(tick));
}

void CloseBar(Subject& subject, uint64_t frame) {
  if (!subject.barOpen) return;
  subject.bar.back().b = std::max(frame, subject.bar.back().a);
  for (Piece& piece : MergeBursts(std::move(subject.bar))) subject.pieces.push_back(std::move(piece));
  subject.bar.clear();
  subject.barOpen = false;
}

std::string Seconds(uint64_t frame, int64_t frameUs) {
  return Fixed(static_cast<double>(frame) * static_cast<double>(frameUs) / 1e6, 2) + " s";
}

std::string Detail(const Piece& piece, int64_t frameUs) {
  std::string text;
  if (piece.kind == Piece::Kind::Burst) text += std::to_string(piece.events.size()) + " events, ";
  text += "frame " + std::to_string(piece.a);
  if (piece.b != piece.a) text += "-" + std::to_string(piece.b);
  text += " (" + Seconds(piece.a, frameUs);
  if (piece.b != piece.a) text += " to " + Seconds(piece.b, frameUs);
  text += ")";
  if (piece.left) text += "\nLEFT BEHIND";
  else if (piece.open) text += "\nstill there when the session ended";
  auto line = [&](const TimelineEvent& event) {
    text += "\n" + std::to_string(event.frame) + "  " + event.text;
    if (!event.call.empty()) text += "\n      " + event.call;
  };
  const size_t n = piece.events.size();
  for (size_t i = 0; i < n; ++i) {
    if (n > kDetailHead + kDetailTail + 1 && i == kDetailHead) {
      text += "\n... " + std::to_string(n - kDetailHead - kDetailTail) + " more";
      i = n - kDetailTail - 1;
      continue;
    }
    line(*piece.events[i]);
  }
  return text;
}

std::string PieceLabel(const Piece& piece, const Subject& subject, bool sharedRow) {
  std::string label;
  if (sharedRow) {
    const size_t hash = subject.key.rfind('#');
    if (hash != std::string::npos) label = subject.key.substr(hash) + " ";
  }
  if (piece.kind == Piece::Kind::Burst) {
    return label + "x" + std::to_string(piece.events.size()) + (piece.state.empty() ? "" : " " + piece.state);
  }
  if (piece.left) return label + "LEFT BEHIND" + (piece.state.empty() ? "" : " (" + piece.state + ")");
  if (!piece.state.empty()) return label + piece.state;
  return label + (piece.events.empty() ? std::string() : piece.events.front()->text);
}

struct Canvas {
  std::string out;
  double pxPerFrame = 1.0;
  double X(uint64_t frame) const { return static_cast<double>(frame) * pxPerFrame; }
};

// The page's look: one colour per kind of lane, red for what was left behind.
constexpr const char* kStyle = R"(body{font:13px/1.35 system-ui,sans-serif;margin:12px;background:#fafaf7;color:#222}
h1{font-size:16px;margin:0 0 6px}
.verdict{padding:6px 10px;border-radius:4px;margin:0 0 6px;white-space:pre-wrap;font:12px/1.4 monospace}
.verdict.ok{background:#e3f4e1;border:1px solid #7cb872}
.verdict.bad{background:#fbe3e1;border:1px solid #d9534f;color:#8b1a12}
.meta{color:#666;margin:0 0 6px}
#wrap{overflow:auto;border:1px solid #ccc;background:#fff;cursor:grab}
#wrap.drag{cursor:grabbing}
svg text{font:11px monospace;fill:#333;pointer-events:none}
.bg{fill:#fff}
text.group{font-weight:bold;fill:#444}
text.lane.leftlane{fill:#c0261b;font-weight:bold}
.grid{stroke:#eee}
text.ax{fill:#444}text.axf{fill:#999;font-size:10px}
.sep{stroke:#ddd}
.note{stroke:#7a5cc4;stroke-dasharray:3 3;stroke-width:1}
text.nl{fill:#5a3ca4}
rect.s{stroke:#0003;stroke-width:.5}rect.t{stroke:#0006;stroke-width:.5}
.c-key,.c-control,.c-window,.c-input{fill:#4f8fd8}
.c-clip{fill:#4db6ac}.c-emote,.c-interaction{fill:#26a69a}.c-scenario{fill:#00897b}
.c-prop,.c-ped{fill:#c9a66b}.st-held{fill:#f0a030}.st-attached{fill:#b07cd8}.st-lying,.st-thrown{fill:#8d6e63}
rect.tail{fill:#8d6e63;stroke:none}
.c-effect{fill:#f3c94b}.c-sound{fill:#ef8a62}
.c-prompt{fill:#7cb872}.c-screen{fill:#9ccc65}
.c-deadeye{fill:#e57373}.c-inventory{fill:#a1887f}.c-player{fill:#90a4ae}
.c-error{fill:#d50000}
rect.burst{fill-opacity:.55}
rect.open{stroke:#333;stroke-dasharray:4 2}
rect.left{fill:#e53935 !important;stroke:#8b0000;stroke-width:1.5;stroke-dasharray:none}
rect:hover,line.note:hover{stroke:#000;stroke-width:2}
line.note{pointer-events:stroke}
#tip{position:fixed;display:none;max-width:640px;background:#222e;color:#fff;padding:6px 8px;border-radius:4px;
font:11px/1.35 monospace;white-space:pre-wrap;pointer-events:none;z-index:9}
.legend span{display:inline-block;padding:0 6px;margin-right:4px;border-radius:3px}
)";

// Zoom (wheel), pan (drag), whole session (double click) and hover details:
// every piece carries its frames, so the script only moves what is drawn.
constexpr const char* kScript = R"JS((function(){
var root=document.getElementById('picture'),plot=document.getElementById('plot'),tip=document.getElementById('tip');
var W=+plot.getAttribute('width'),N=+root.dataset.frames,FU=+root.dataset.frameUs,H=+root.getAttribute('height');
var CH=6.6,x0=0,k=W/N,notesH=58;
var items=[].slice.call(plot.querySelectorAll('[data-a]')).map(function(e){
  return {e:e,a:+e.dataset.a,b:e.dataset.b===undefined?+e.dataset.a:+e.dataset.b,
    tag:e.tagName,tick:e.classList.contains('t'),l:e.dataset.l,n:e.dataset.n};});
var notes=items.filter(function(i){return i.n!==undefined;});
var sa=document.getElementById('staticaxis');if(sa)sa.remove();
var axis=document.getElementById('axis'),NS='http://www.w3.org/2000/svg';
function fit(s,room){var n=Math.floor(room/CH);return s.length<=n?s:(n>1?s.slice(0,n-1)+'~':'');}
function px(f){return (f-x0)*k;}
function drawAxis(){
  while(axis.firstChild)axis.removeChild(axis.firstChild);
  var spf=FU/1e6,steps=[1/60,0.05,0.1,0.2,0.5,1,2,5,10,15,30,60,120,300,600,900,1800,3600],step=3600;
  for(var i=0;i<steps.length;i++){if(steps[i]/spf*k>=90){step=steps[i];break;}}
  var t0=Math.floor(x0*spf/step)*step,t1=(x0+W/k)*spf;
  for(var t=t0;t<=t1+step;t+=step){var f=Math.round(t/spf),x=px(f);if(x<-50||x>W+50)continue;
    var l=document.createElementNS(NS,'line');l.setAttribute('class','grid');l.setAttribute('x1',x);l.setAttribute('x2',x);
    l.setAttribute('y1',notesH);l.setAttribute('y2',H);axis.appendChild(l);
    var s=document.createElementNS(NS,'text');s.setAttribute('class','ax');s.setAttribute('x',x+2);s.setAttribute('y',notesH+12);
    s.textContent=(step<1?t.toFixed(step<0.1?2:1):t.toFixed(0))+' s';axis.appendChild(s);
    var fr=document.createElementNS(NS,'text');fr.setAttribute('class','axf');fr.setAttribute('x',x+2);fr.setAttribute('y',notesH+24);
    fr.textContent='f '+f;axis.appendChild(fr);}
}
function draw(){
  for(var i=0;i<items.length;i++){var it=items[i],e=it.e,xa=px(it.a),xb=px(it.b);
    if(it.tag==='rect'){if(it.tick){e.setAttribute('x',xa-1.5);}else{e.setAttribute('x',xa);e.setAttribute('width',Math.max(xb-xa,2));}}
    else if(it.tag==='line'){e.setAttribute('x1',xa);e.setAttribute('x2',xa);}
    else if(it.tag==='text'){
      if(it.n!==undefined){var nx=notes[+it.n+4],room=(nx?px(nx.a):W)-xa;e.setAttribute('x',xa+3);e.textContent=fit(it.l,room-6);}
      else{var vis=Math.max(xa,0),end=Math.min(xb,W);e.setAttribute('x',vis+2);e.textContent=fit(it.l,end-vis-4);}}
  }
  drawAxis();
}
function clamp(){k=Math.max(k,W/N/1.5);k=Math.min(k,60);x0=Math.max(-W/k*0.1,Math.min(x0,N-W/k*0.9));}
var pending=false;function later(){if(!pending){pending=true;requestAnimationFrame(function(){pending=false;draw();});}}
plot.addEventListener('wheel',function(ev){ev.preventDefault();var r=plot.getBoundingClientRect(),mx=ev.clientX-r.left,f=x0+mx/k;
  k*=Math.pow(1.0015,-ev.deltaY);clamp();x0=f-mx/k;clamp();later();},{passive:false});
var drag=null;plot.addEventListener('mousedown',function(ev){drag={x:ev.clientX,x0:x0};document.getElementById('wrap').classList.add('drag');});
window.addEventListener('mouseup',function(){drag=null;document.getElementById('wrap').classList.remove('drag');});
window.addEventListener('mousemove',function(ev){
  if(drag){x0=drag.x0-(ev.clientX-drag.x)/k;clamp();later();tip.style.display='none';return;}
  var d=ev.target&&ev.target.closest?ev.target.closest('[data-d]'):null;
  if(!d){tip.style.display='none';return;}
  tip.textContent=d.dataset.d;tip.style.display='block';
  var tx=ev.clientX+14,ty=ev.clientY+14;if(tx+tip.offsetWidth>innerWidth)tx=Math.max(0,ev.clientX-tip.offsetWidth-10);
  if(ty+tip.offsetHeight>innerHeight)ty=Math.max(0,ev.clientY-tip.offsetHeight-10);tip.style.left=tx+'px';tip.style.top=ty+'px';});
plot.addEventListener('dblclick',function(){x0=0;k=W/N;draw();});
draw();
})();
)JS";

// Subjects in the order they first appear, each with its bars and ticks;
// notes go aside, as markers across every lane.
std::vector<Subject> Collect(const std::vector<TimelineEvent>& events, std::vector<const TimelineEvent*>& notes) {
  std::vector<Subject> subjects;
  std::unordered_map<std::string, size_t> byKey;
  for (const TimelineEvent& event : events) {
    if (event.category == "note") {
      notes.push_back(&event);
      continue;
    }
    const std::string key = event.subject.empty() ? "~" + event.category : event.subject;
    auto [it, added] = byKey.emplace(key, subjects.size());
    if (added) {
      Subject subject;
      subject.key = key;
      subject.group = GroupOf(event.category);
      subject.first = event.frame;
      if (event.subject.empty()) {
        subject.label = CategoryLaneName(event.category);
      } else {
        subject.label = event.subject;
        const size_t hash = event.subject.rfind(" #");
        if (hash != std::string::npos) subject.family = event.subject.substr(0, hash);
      }
      subjects.push_back(std::move(subject));
    }
    Subject& subject = subjects[it->second];
    const bool barEvent = event.span == Span::Begin || (subject.barOpen && event.span != Span::Mark);
    if (!barEvent) {
      AddTick(subject, event);
      continue;
    }
    if (event.span == Span::Begin) {
      CloseBar(subject, event.frame);  // a new clip replaces the one playing
      Piece first;
      first.a = first.b = event.frame;
      first.state = event.state;
      first.events.push_back(&event);
      subject.bar.push_back(std::move(first));
      subject.barOpen = true;
      if (event.untilFrame > event.frame) CloseBar(subject, event.untilFrame);
      continue;
    }
    Piece& current = subject.bar.back();
    if (event.span == Span::Change && !event.state.empty()) {
      current.b = event.frame;
      Piece next;
      next.a = next.b = event.frame;
      next.state = event.state;
      next.events.push_back(&event);
      subject.bar.push_back(std::move(next));
    } else {
      current.events.push_back(&event);
      if (event.span == Span::End) CloseBar(subject, event.frame);
    }
  }
  return subjects;
}

// What is still there at the end runs to the last frame, red if left behind.
void Finish(std::vector<Subject>& subjects, const std::vector<std::string>& leftBehindKeys, uint64_t frames) {
  const std::set<std::string> leftBehind(leftBehindKeys.begin(), leftBehindKeys.end());
  std::set<std::string> keys;
  for (Subject& subject : subjects) {
    keys.insert(subject.key);
    subject.left = leftBehind.count(subject.key) != 0;
    if (subject.barOpen) {
      for (Piece& piece : subject.bar) {
        piece.open = true;
        piece.left = subject.left;
      }
      // A thrown or dropped prop lies where it fell: a thin line to the end
      // that lets the next prop of its kind use the row.
      Piece& last = subject.bar.back();
      const bool lying = !subject.left && (last.state == "lying" || last.state == "thrown");
      if (lying) last.kind = Piece::Kind::Tail;
      CloseBar(subject, frames);
      subject.busyUntil = frames;
      if (lying) {
        for (const Piece& piece : subject.pieces) {
          if (piece.kind == Piece::Kind::Tail) subject.busyUntil = piece.a;
        }
      }
    } else {
      for (const Piece& piece : subject.pieces) subject.busyUntil = std::max(subject.busyUntil, piece.b);
      if (subject.left) {  // its life looked over, yet it is still there: say so at the end
        Piece mark;
        mark.kind = Piece::Kind::Tick;
        mark.a = mark.b = subject.busyUntil = frames;
        mark.left = mark.open = true;
        subject.pieces.push_back(mark);
      }
    }
  }
  // Left behind, yet with no lane of its own (made without a native): a red mark at the end.
  for (const std::string& key : leftBehindKeys) {
    if (!keys.insert(key).second) continue;
    Subject subject;
    subject.key = key;
    subject.label = key;
    subject.group = Groups().size() - 1;
    subject.left = true;
    subject.first = subject.busyUntil = frames;
    Piece mark;
    mark.kind = Piece::Kind::Tick;
    mark.a = mark.b = frames;
    mark.left = mark.open = true;
    subject.pieces.push_back(mark);
    subjects.push_back(std::move(subject));
  }
}

// Subjects of one family share a row while their lives do not overlap.
std::vector<std::vector<Row>> PackRows(const std::vector<Subject>& subjects) {
  std::vector<std::vector<Row>> rows(Groups().size());
  for (const Subject& subject : subjects) {
    std::vector<Row>& groupRows = rows[subject.group];
    Row* row = nullptr;
    if (!subject.family.empty() && !subject.left) {
      for (Row& candidate : groupRows) {
        if (candidate.family == subject.family && !candidate.left && candidate.busyUntil + 1 < subject.first) {
          row = &candidate;
          break;
        }
      }
    }
    if (!row) {
      groupRows.push_back(Row{});
      row = &groupRows.back();
      row->family = subject.family;
      row->label = subject.label;
    }
    row->subjects.push_back(&subject);
    row->busyUntil = std::max(row->busyUntil, subject.busyUntil);
    row->left = row->left || subject.left;
    if (row->subjects.size() == 2) row->label = subject.family;
  }
  return rows;
}

std::string DrawSvg(const std::vector<std::vector<Row>>& rows, const std::vector<const TimelineEvent*>& notes,
                    uint64_t frames, int64_t frameUs, size_t eventCount) {
  int height = kNotesHeight + kAxisHeight;
  for (const std::vector<Row>& groupRows : rows) {
    if (!groupRows.empty()) height += kGroupHeight + kRowHeight * static_cast<int>(groupRows.size());
  }
  height += 8;
  const int width = kLabelWidth + kPlotWidth + 10;

  Canvas canvas;
  canvas.pxPerFrame = static_cast<double>(kPlotWidth) / static_cast<double>(frames);
  std::string& svg = canvas.out;
  svg.reserve(eventCount * 200 + 4096);
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"picture\" width=\"" + std::to_string(width) +
         "\" height=\"" + std::to_string(height) + "\" data-frames=\"" + std::to_string(frames) +
         "\" data-frame-us=\"" + std::to_string(frameUs) + "\">\n";
  svg += "<rect class=\"bg\" width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\"/>\n";

  // Lane names, outside the plot so they stay put while it pans.
  std::string names;
  // The plot: a nested viewport clips what pans out of sight.
  std::string plot;
  plot += "<svg id=\"plot\" x=\"" + std::to_string(kLabelWidth) + "\" y=\"0\" width=\"" +
          std::to_string(kPlotWidth) + "\" height=\"" + std::to_string(height) + "\">\n";
  plot += "<g id=\"axis\"></g>\n";
  // Time axis as drawn before any zoom (the script redraws it).
  {
    const double secondsTotal = static_cast<double>(frames) * static_cast<double>(frameUs) / 1e6;
    const double steps[] = {0.1, 0.2, 0.5, 1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600};
    double step = steps[std::size(steps) - 1];
    for (double s : steps) {
      if (secondsTotal / s * 90.0 <= kPlotWidth) {
        step = s;
        break;
      }
    }
    plot += "<g id=\"staticaxis\">";
    for (double t = 0; t <= secondsTotal + 1e-9; t += step) {
      const uint64_t frame = static_cast<uint64_t>(t * 1e6 / static_cast<double>(frameUs) + 0.5);
      const std::string x = Fixed(canvas.X(frame), 1);
      plot += "<line class=\"grid\" x1=\"" + x + "\" x2=\"" + x + "\" y1=\"" + std::to_string(kNotesHeight) +
              "\" y2=\"" + std::to_string(height) + "\"/><text class=\"ax\" x=\"" + x + "\" y=\"" +
              std::to_string(kNotesHeight + 12) + "\">" + Fixed(t, step < 1 ? 1 : 0) + " s</text><text class=\"axf\" x=\"" +
              x + "\" y=\"" + std::to_string(kNotesHeight + 24) + "\">f " + std::to_string(frame) + "</text>";
    }
    plot += "</g>\n";
  }

  int y = kNotesHeight + kAxisHeight;
  const std::vector<Group>& groups = Groups();
  for (size_t g = 0; g < groups.size(); ++g) {
    if (rows[g].empty()) continue;
    names += "<text class=\"group\" x=\"6\" y=\"" + std::to_string(y + 13) + "\">" + Escape(groups[g].title) +
             "</text>\n";
    plot += "<line class=\"sep\" x1=\"0\" x2=\"100%\" y1=\"" + std::to_string(y + 1) + "\" y2=\"" +
            std::to_string(y + 1) + "\"/>\n";
    y += kGroupHeight;
    for (const Row& row : rows[g]) {
      names += "<text class=\"lane" + std::string(row.left ? " leftlane" : "") + "\" x=\"14\" y=\"" +
               std::to_string(y + 12) + "\">" + Escape(row.label.size() > 36 ? row.label.substr(0, 35) + "~" : row.label) +
               "<title>" + Escape(row.label) + "</title></text>\n";
      const bool shared = row.subjects.size() > 1;
      plot += "<g class=\"row\">\n";
      for (const Subject* subject : row.subjects) {
        plot += "<g data-k=\"" + Escape(subject->key) + "\">\n";
        for (const Piece& piece : subject->pieces) {
          std::string cls;
          double top = y + 2, h = kRowHeight - 4;
          switch (piece.kind) {
            case Piece::Kind::Tick: cls = "t"; break;
            case Piece::Kind::Burst: cls = "s burst"; break;
            case Piece::Kind::Tail:
              cls = "s tail";
              top = y + kRowHeight - 6;
              h = 3;
              break;
            case Piece::Kind::Bar: cls = "s"; break;
          }
          cls += " c-" + (piece.events.empty() ? std::string("none") : piece.events.front()->category);
          for (const char* known : {"held", "attached", "lying", "thrown"}) {
            if (piece.state == known) cls += " st-" + piece.state;
          }
          if (piece.open) cls += " open";
          if (piece.left) cls += " left";
          double x = canvas.X(piece.a), w = canvas.X(piece.b) - x;
          if (piece.kind == Piece::Kind::Tick) {
            x -= 1.5;
            w = 3;
          } else {
            w = std::max(w, 2.0);
          }
          plot += "<rect class=\"" + cls + "\" x=\"" + Fixed(x, 1) + "\" y=\"" + Fixed(top, 0) + "\" width=\"" +
                  Fixed(w, 1) + "\" height=\"" + Fixed(h, 0) + "\" data-a=\"" + std::to_string(piece.a) +
                  "\" data-b=\"" + std::to_string(piece.b) + "\" data-f=\"" + FrameRanges(piece.events) +
                  "\" data-d=\"" + Escape(subject->label + "\n" + Detail(piece, frameUs)) + "\"/>\n";
          if (piece.kind == Piece::Kind::Bar || piece.kind == Piece::Kind::Burst) {
            const std::string label = PieceLabel(piece, *subject, shared);
            const double room = canvas.X(piece.b) - canvas.X(piece.a) - 4;
            const size_t fits = room > 0 ? static_cast<size_t>(room / kCharWidth) : 0;
            std::string shown = label.size() <= fits ? label : (fits > 1 ? label.substr(0, fits - 1) + "~" : "");
            plot += "<text class=\"bl\" x=\"" + Fixed(canvas.X(piece.a) + 2, 1) + "\" y=\"" +
                    std::to_string(y + 11) + "\" data-a=\"" + std::to_string(piece.a) + "\" data-b=\"" +
                    std::to_string(piece.b) + "\" data-l=\"" + Escape(label) + "\">" + Escape(shown) + "</text>\n";
          }
        }
        plot += "</g>\n";
      }
      plot += "</g>\n";
      y += kRowHeight;
    }
  }

  // Notes: a line across every lane and a label in the band above the axis.
  plot += "<g data-k=\"~note\">\n";
  for (size_t i = 0; i < notes.size(); ++i) {
    const TimelineEvent& note = *notes[i];
    const int level = static_cast<int>(i % kNoteLevels);
    const double x = canvas.X(note.frame);
    double room = kPlotWidth - x;
    if (i + kNoteLevels < notes.size()) room = canvas.X(notes[i + kNoteLevels]->frame) - x;
    const size_t fits = room > 8 ? static_cast<size_t>((room - 6) / kCharWidth) : 0;
    const std::string text = Clean(note.text);
    const std::string shown = text.size() <= fits ? text : (fits > 1 ? text.substr(0, fits - 1) + "~" : "");
    plot += "<line class=\"note\" x1=\"" + Fixed(x, 1) + "\" x2=\"" + Fixed(x, 1) + "\" y1=\"" +
            std::to_string(4 + level * 13) + "\" y2=\"" + std::to_string(height) + "\" data-a=\"" +
            std::to_string(note.frame) + "\" data-f=\"" + std::to_string(note.frame) + "\" data-d=\"" +
            Escape("note\nframe " + std::to_string(note.frame) + " (" + Seconds(note.frame, frameUs) + ")\n" +
                   note.text) +
            "\"/>\n<text class=\"nl\" x=\"" + Fixed(x + 3, 1) + "\" y=\"" + std::to_string(14 + level * 13) +
            "\" data-a=\"" + std::to_string(note.frame) + "\" data-n=\"" + std::to_string(i) + "\" data-l=\"" +
            Escape(text) + "\">" + Escape(shown) + "</text>\n";
  }
  plot += "</g>\n</svg>\n";
  svg += names + plot + "</svg>\n";
  return svg;
}

}  // namespace

std::string RenderSessionPicture(const SessionPicture& picture) {
  static const std::vector<TimelineEvent> none;
  const std::vector<TimelineEvent>& events = picture.events ? *picture.events : none;
  uint64_t frames = picture.frames;
  for (const TimelineEvent& event : events) frames = std::max(frames, std::max(event.frame, event.untilFrame));
  frames = std::max<uint64_t>(frames, 1);
  std::vector<const TimelineEvent*> notes;
  std::vector<Subject> subjects = Collect(events, notes);
  Finish(subjects, picture.leftBehind, frames);
  const std::string svg = DrawSvg(PackRows(subjects), notes, frames, picture.frameUs, events.size());

  // The page around the picture.
  bool clean = true;  // of the page's verdict box
  for (const std::string& line : picture.verdict) {
    if (line.rfind("Left behind", 0) == 0) clean = false;
  }
  clean = clean && picture.clean && picture.leftBehind.empty();
  std::string html;
  html.reserve(svg.size() + 12000);
  html += "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n<title>" +
          Escape(picture.title) + " - Emberwick session</title>\n<style>\n";
  html += kStyle;
  html += "</style></head><body>\n<h1>" + Escape(picture.title) + "</h1>\n";
  html += "<div class=\"verdict " + std::string(clean ? "ok" : "bad") + "\" id=\"verdict\">";
  for (size_t i = 0; i < picture.verdict.size(); ++i) html += (i ? "\n" : "") + Escape(picture.verdict[i]);
  html += "</div>\n<p class=\"meta\">" + std::to_string(frames) + " frames, " + Seconds(frames, picture.frameUs) +
          " of game time, " + std::to_string(events.size()) +
          " events. Wheel: zoom; drag: pan; double-click: whole session; hover: details.</p>\n";
  html += "<p class=\"legend\"><span style=\"background:#f0a030\">held</span><span style=\"background:#b07cd8\">"
          "attached elsewhere</span><span style=\"background:#8d6e63;color:#fff\">lying</span>"
          "<span style=\"background:#f3c94b\">effect</span><span style=\"background:#7cb872\">prompt</span>"
          "<span style=\"background:#e53935;color:#fff\">left behind</span> pale, xN: a burst of N events close together;"
          " dashed outline: still there at the end</p>\n";
  html += "<div id=\"wrap\">\n" + svg + "</div>\n<div id=\"tip\"></div>\n<script>\n";
  html += kScript;
  html += "</script>\n</body></html>\n";
  return html;
}

bool WriteSessionPicture(Simulator& sim, const std::string& title, const std::string& verdict, const std::string& path,
                         std::string& error, const Leftovers* beforeUnload) {
  const Leftovers leftovers = FindLeftovers(sim);
  SessionPicture picture;
  picture.title = title;
  picture.events = &sim.timeline.Events();
  picture.frames = sim.Frame();
  picture.frameUs = sim.FrameUs();
  size_t start = 0;
  while (start < verdict.size()) {
    size_t end = verdict.find('\n', start);
    if (end == std::string::npos) end = verdict.size();
    picture.verdict.push_back(verdict.substr(start, end - start));
    start = end + 1;
  }
  picture.leftBehind = leftovers.subjects;
  picture.clean = leftovers.Clean();
  if (beforeUnload) {
    for (const std::string& subject : beforeUnload->subjects) {
      if (std::find(picture.leftBehind.begin(), picture.leftBehind.end(), subject) == picture.leftBehind.end()) {
        picture.leftBehind.push_back(subject);
      }
    }
    picture.clean = picture.clean && beforeUnload->Clean();
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) {
    error = "cannot write " + path;
    return false;
  }
  file << RenderSessionPicture(picture);
  file.close();
  if (!file) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace sim
