#include "html_report.h"

#include <algorithm>
#include <fstream>

#include "report/lane_drawing.h"
#include "report/lanes.h"
#include "report/markup.h"
#include "simulator.h"
#include "world/leftovers.h"

namespace sim {

using report::Escape;
using report::Seconds;

namespace {

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

}  // namespace

std::string RenderSessionPicture(const SessionPicture& picture) {
  static const std::vector<TimelineEvent> none;
  const std::vector<TimelineEvent>& events = picture.events ? *picture.events : none;
  uint64_t frames = picture.frames;
  for (const TimelineEvent& event : events) frames = std::max(frames, std::max(event.frame, event.untilFrame));
  frames = std::max<uint64_t>(frames, 1);
  const report::Lanes lanes = report::BuildLanes(events, picture.leftBehind, frames);
  const std::string svg = report::DrawLanes(lanes, frames, picture.frameUs, events.size());

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
