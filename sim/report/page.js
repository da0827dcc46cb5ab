// Zoom (wheel), pan (drag), the whole session again (double click) and the
// details of what the pointer is over. Every piece of the picture carries its
// frames (data-a, data-b) and its label (data-l), so the script only moves
// and refits what is drawn; the geometry it shares with the drawing comes
// from the page (sim/report/page_layout.h).
(function () {
  'use strict';
  const layout = JSON.parse(document.getElementById('layout').textContent);
  const root = document.getElementById('picture');
  const plot = document.getElementById('plot');
  const tip = document.getElementById('tip');
  const wrap = document.getElementById('wrap');
  const axis = document.getElementById('axis');
  const svgNamespace = 'http://www.w3.org/2000/svg';

  const plotWidth = +plot.getAttribute('width');
  const frames = +root.dataset.frames;
  const secondsPerFrame = +root.dataset.frameUs / 1e6;
  const height = +root.getAttribute('height');
  const notesHeight = layout.notesHeight;

  // The view: the first frame shown, and pixels per frame.
  let x0 = 0;
  let k = plotWidth / frames;
  const maxPixelsPerFrame = 60;
  const maxZoomOut = 1.5;   // the whole session at most this much smaller
  const panMargin = 0.1;    // of the plot, past either end of the session
  const wheelZoom = 1.0015; // per unit of wheel movement

  const items = Array.prototype.map.call(plot.querySelectorAll('[data-a]'), function (e) {
    return {
      e: e,
      a: +e.dataset.a,
      b: e.dataset.b === undefined ? +e.dataset.a : +e.dataset.b,
      tag: e.tagName,
      tick: e.classList.contains('t'),
      label: e.dataset.l,
      note: e.dataset.n,
    };
  });
  // Note labels, in order: a label may run up to the next one on its level.
  const noteLabels = items.filter(function (item) { return item.note !== undefined; });

  // The axis drawn for readers without the script goes; this one follows the view.
  const staticAxis = document.getElementById('staticaxis');
  if (staticAxis) staticAxis.remove();

  // As much of `text` as fits in `room` pixels, cut texts marked with '~'.
  function fit(text, room) {
    const chars = Math.floor(room / layout.charWidth);
    return text.length <= chars ? text : (chars > 1 ? text.slice(0, chars - 1) + '~' : '');
  }

  function px(frame) { return (frame - x0) * k; }

  function svgElement(name, attributes, text) {
    const element = document.createElementNS(svgNamespace, name);
    for (const key in attributes) element.setAttribute(key, attributes[key]);
    if (text !== undefined) element.textContent = text;
    axis.appendChild(element);
  }

  function drawAxis() {
    while (axis.firstChild) axis.removeChild(axis.firstChild);
    const steps = layout.axisStepsSeconds;
    let step = steps[steps.length - 1];
    for (let i = 0; i < steps.length; i++) {
      if (steps[i] / secondsPerFrame * k >= layout.axisMinStepPx) {
        step = steps[i];
        break;
      }
    }
    const t0 = Math.floor(x0 * secondsPerFrame / step) * step;
    const t1 = (x0 + plotWidth / k) * secondsPerFrame;
    for (let t = t0; t <= t1 + step; t += step) {
      const frame = Math.round(t / secondsPerFrame);
      const x = px(frame);
      if (x < -50 || x > plotWidth + 50) continue;
      svgElement('line', {class: 'grid', x1: x, x2: x, y1: notesHeight, y2: height});
      const seconds = step < 1 ? t.toFixed(step < 0.1 ? 2 : 1) : t.toFixed(0);
      svgElement('text', {class: 'ax', x: x + 2, y: notesHeight + layout.axisSecondsY}, seconds + ' s');
      svgElement('text', {class: 'axf', x: x + 2, y: notesHeight + layout.axisFramesY}, 'f ' + frame);
    }
  }

  function draw() {
    for (const item of items) {
      const e = item.e;
      const xa = px(item.a);
      const xb = px(item.b);
      if (item.tag === 'rect') {
        if (item.tick) {
          e.setAttribute('x', xa - layout.tickWidth / 2);
        } else {
          e.setAttribute('x', xa);
          e.setAttribute('width', Math.max(xb - xa, layout.minPieceWidth));
        }
      } else if (item.tag === 'line') {
        e.setAttribute('x1', xa);
        e.setAttribute('x2', xa);
      } else if (item.tag === 'text') {
        if (item.note !== undefined) {
          const next = noteLabels[+item.note + layout.noteLevels];
          const room = (next ? px(next.a) : plotWidth) - xa;
          e.setAttribute('x', xa + layout.noteLabelInset);
          e.textContent = fit(item.label, room - 2 * layout.noteLabelInset);
        } else {
          // A bar's label stays in the part of the bar that is in view.
          const start = Math.max(xa, 0);
          const end = Math.min(xb, plotWidth);
          e.setAttribute('x', start + layout.barLabelInset);
          e.textContent = fit(item.label, end - start - 2 * layout.barLabelInset);
        }
      }
    }
    drawAxis();
  }

  function clamp() {
    k = Math.max(k, plotWidth / frames / maxZoomOut);
    k = Math.min(k, maxPixelsPerFrame);
    x0 = Math.max(-plotWidth / k * panMargin, Math.min(x0, frames - plotWidth / k * (1 - panMargin)));
  }

  // Wheel and drag events come faster than frames: draw once per frame.
  let pending = false;
  function later() {
    if (pending) return;
    pending = true;
    requestAnimationFrame(function () {
      pending = false;
      draw();
    });
  }

  // Zoom about the frame under the pointer.
  plot.addEventListener('wheel', function (ev) {
    ev.preventDefault();
    const r = plot.getBoundingClientRect();
    const mx = ev.clientX - r.left;
    const frame = x0 + mx / k;
    k *= Math.pow(wheelZoom, -ev.deltaY);
    clamp();
    x0 = frame - mx / k;
    clamp();
    later();
  }, {passive: false});

  let drag = null;
  plot.addEventListener('mousedown', function (ev) {
    drag = {x: ev.clientX, x0: x0};
    wrap.classList.add('drag');
  });
  window.addEventListener('mouseup', function () {
    drag = null;
    wrap.classList.remove('drag');
  });
  window.addEventListener('mousemove', function (ev) {
    if (drag) {
      x0 = drag.x0 - (ev.clientX - drag.x) / k;
      clamp();
      later();
      tip.style.display = 'none';
      return;
    }
    const detailed = ev.target && ev.target.closest ? ev.target.closest('[data-d]') : null;
    if (!detailed) {
      tip.style.display = 'none';
      return;
    }
    tip.textContent = detailed.dataset.d;
    tip.style.display = 'block';
    // Beside the pointer, on whichever side the window has room.
    let tx = ev.clientX + 14;
    let ty = ev.clientY + 14;
    if (tx + tip.offsetWidth > innerWidth) tx = Math.max(0, ev.clientX - tip.offsetWidth - 10);
    if (ty + tip.offsetHeight > innerHeight) ty = Math.max(0, ev.clientY - tip.offsetHeight - 10);
    tip.style.left = tx + 'px';
    tip.style.top = ty + 'px';
  });
  plot.addEventListener('dblclick', function () {
    x0 = 0;
    k = plotWidth / frames;
    draw();
  });

  draw();
})();
