// The console on a canvas: the background photo, then every visible component's picture at
// its rectangle, in the layout table's order, from the picture set made for the screen's
// density (1, 2 or 3). Landscape shows the console as it is; a portrait viewport shows its
// halves one above the other, the penguin's on top. Drawn only when asked (a segment changed,
// the viewport changed), never in a loop.
//
// The geometry (the fit, the console point under a click) is the main thread's; the painter,
// PanelView, runs wherever the canvas is drawn: in the drawing worker (draw_worker.js) on the
// canvas handed to it, or on the main thread where a browser can't. Neither reads the window:
// both are given the viewport, { width, height, ratio } in CSS pixels and device pixels to one.

export const WIDTH = 741;
export const HEIGHT = 388;
// The portrait layout shows the halves without the hinge between them (layout x 364..377).
const HALF = 364;
const SEAL_HALF = 377;
export const HIDDEN = 255;  // a component showing no picture, in a look
const BITMAP1 = 2;
const KIND_NONE = 3;

// The layout table as the core gives it: "name left top width height kind transparent click".
export function parseLayout(text) {
  return text.trim().split('\n').map((line) => {
    const [name, left, top, width, height, kind, transparent, click] = line.split(' ');
    return { name, left: +left, top: +top, width: +width, height: +height, kind: +kind,
      transparent: transparent === '1', click: click === '1' };
  });
}

export function viewportOf(w) {
  return { width: w.innerWidth, height: w.innerHeight, ratio: w.devicePixelRatio };
}

// The density whose pictures are drawn: the next set up from the screen's ratio.
export function density(viewport) {
  return Math.min(3, Math.max(1, Math.ceil(viewport.ratio - 0.01)));
}

// Where the console lies in the canvas: the fitting scale (CSS pixels a layout pixel), the
// layout's size as shown (w, h) and the canvas' CSS size.
export function fit(viewport) {
  const portrait = viewport.height > viewport.width;
  const w = portrait ? HALF : WIDTH;
  const h = portrait ? 2 * HEIGHT : HEIGHT;
  const scale = Math.min(viewport.width / w, viewport.height / h);
  return { portrait, scale, w, h, cssW: Math.floor(w * scale), cssH: Math.floor(h * scale) };
}

// The console point (layout pixels) under a point of the canvas (CSS pixels).
export function consolePoint(viewport, x, y) {
  const { portrait, scale } = fit(viewport);
  let cx = x / scale;
  let cy = y / scale;
  if (portrait && cy >= HEIGHT) {
    cx += SEAL_HALF;
    cy -= HEIGHT;
  }
  return { x: cx, y: cy };
}

// A canvas off the page: a worker has no document, and an OffscreenCanvas is not in every
// browser that draws on the main thread.
function offPage(width, height) {
  if (typeof document === 'undefined') return new OffscreenCanvas(width, height);
  return Object.assign(document.createElement('canvas'), { width, height });
}

async function loadPicture(url) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url}: ${response.status}`);
  return createImageBitmap(await response.blob());
}

// The painter: the console kept whole at the pictures' density (`full`), and the canvas drawn
// from it at the viewport's size.
export class PanelView {
  constructor(canvas, layout) {
    this.canvas = canvas;
    this.layout = layout;
    this.look = new Uint8Array(layout.length).fill(HIDDEN);
    this.sets = new Map();  // density -> pictures by component
  }

  async pictures(density) {
    if (!this.sets.has(density)) {
      const loading = Promise.all(this.layout.map((c) => c.kind === KIND_NONE ? null
        : loadPicture(`art/${density}/${c.name}.${c.kind === 0 ? 'jpg' : 'bmp'}`)));
      this.sets.set(density, loading);
    }
    return this.sets.get(density);
  }

  // Where a component's picture covers, in layout pixels: its rectangle, or the picture's own
  // size where that is larger (a switch holding another's picture).
  extent(i, shown, pictures, density) {
    const c = this.layout[i];
    const p = pictures[shown];
    return { x: c.left, y: c.top, w: Math.max(c.width, p ? Math.ceil(p.width / density) : 0),
      h: Math.max(c.height, p ? Math.ceil(p.height / density) : 0) };
  }

  // Paints the console's area r (layout pixels) anew onto the console at the pictures' own
  // density, as the desktop's renderer paints a damaged area: black, then every shown
  // component there in the layout table's order, each landing on whole pixels.
  paint(r, pictures, density) {
    const g = this.full.getContext('2d');
    g.save();
    g.beginPath();
    g.rect(r.x * density, r.y * density, r.w * density, r.h * density);
    g.clip();
    g.globalCompositeOperation = 'source-over';
    g.fillStyle = '#000';
    g.fillRect(r.x * density, r.y * density, r.w * density, r.h * density);
    this.layout.forEach((c, i) => {
      const shown = this.drawn[i];
      if (shown === HIDDEN || !pictures[shown]) return;
      const e = this.extent(i, shown, pictures, density);
      if (e.x >= r.x + r.w || e.y >= r.y + r.h || e.x + e.w <= r.x || e.y + e.h <= r.y) return;
      // A transparent component showing a 1-bit picture draws only its black (white multiplied
      // leaves what lies beneath); as on the desktop, the transparency is the showing
      // component's, not the picture's owner's.
      g.globalCompositeOperation = c.transparent && this.layout[shown].kind === BITMAP1
        ? 'multiply' : 'source-over';
      g.drawImage(pictures[shown], c.left * density, c.top * density);
    });
    g.restore();
  }

  // Copies the console's area r onto the canvas: whole in landscape, each half to its place
  // when upright. A scaled copy reads a margin around r and keeps to r's pixels, so that r's
  // edges are not smoothed against the edge of the copy (at a scale in between, a smoothed
  // pixel next to a change may still differ from a copy of the whole by a few levels; at 1, 2
  // and 3 the copy is pixel for pixel).
  show(r, density, k, parts) {
    const out = this.canvas.getContext('2d');
    out.imageSmoothingQuality = 'high';
    const m = 2;
    for (const p of parts) {
      const x0 = Math.max(r.x, p.from);
      const x1 = Math.min(r.x + r.w, p.to);
      if (x0 >= x1) continue;
      const sx0 = Math.max(p.from, x0 - m);
      const sx1 = Math.min(p.to, x1 + m);
      const sy0 = Math.max(0, r.y - m);
      const sy1 = Math.min(HEIGHT, r.y + r.h + m);
      const cx = Math.floor((x0 + p.dx) * k);
      const cy = Math.floor((r.y + p.dy) * k);
      out.save();
      out.beginPath();
      out.rect(cx, cy, Math.ceil((x1 + p.dx) * k) - cx, Math.ceil((r.y + r.h + p.dy) * k) - cy);
      out.clip();
      out.drawImage(this.full, sx0 * density, sy0 * density, (sx1 - sx0) * density,
        (sy1 - sy0) * density, (sx0 + p.dx) * k, (sy0 + p.dy) * k, (sx1 - sx0) * k, (sy1 - sy0) * k);
      out.restore();
    }
  }

  // Draws what changed since the last drawing: the areas of the components whose picture
  // changed, painted and copied alone (a game changes a few small segments at a time; the
  // whole console painted at every change kept the main thread busy). A new density, size or
  // orientation draws everything.
  async draw(look, viewport) {
    if (look) this.look.set(look);
    const d = density(viewport);
    const pictures = await this.pictures(d);
    const { portrait, w, cssW, cssH } = fit(viewport);
    const storeW = Math.round(cssW * viewport.ratio);
    const storeH = Math.round(cssH * viewport.ratio);

    const areas = [];
    if (!this.full || this.fullDensity !== d) {
      // The whole console at the pictures' own density.
      this.full = offPage(WIDTH * d, HEIGHT * d);
      this.fullDensity = d;
      this.drawn = Uint8Array.from(this.look);
      areas.push({ x: 0, y: 0, w: WIDTH, h: HEIGHT });
    } else {
      this.look.forEach((shown, i) => {
        const before = this.drawn[i];
        if (shown === before) return;
        for (const s of [before, shown]) {
          if (s !== HIDDEN && pictures[s]) areas.push(this.extent(i, s, pictures, d));
        }
        this.drawn[i] = shown;
      });
    }
    for (const r of areas) this.paint(r, pictures, d);

    let copied = areas;
    // The canvas' CSS size is the main thread's to set (from the same fit).
    if (this.canvas.width !== storeW || this.canvas.height !== storeH ||
        this.shownPortrait !== portrait || areas.length === 1 && areas[0].w === WIDTH) {
      this.canvas.width = storeW;
      this.canvas.height = storeH;
      this.shownPortrait = portrait;
      copied = [{ x: 0, y: 0, w: WIDTH, h: HEIGHT }];
    }
    const k = storeW / w;  // device pixels per layout pixel
    const parts = portrait
      ? [{ from: 0, to: HALF, dx: 0, dy: 0 }, { from: SEAL_HALF, to: SEAL_HALF + HALF, dx: -SEAL_HALF, dy: HEIGHT }]
      : [{ from: 0, to: WIDTH, dx: 0, dy: 0 }];
    for (const r of copied) this.show(r, d, k, parts);
    this.shownWidth = w;
  }

  // The canvas' pixels (RGBA) in rectangles given in layout pixels as shown, with the size of
  // its backing store and the look drawn: what the tests hold to the desktop's renderer.
  read(rects) {
    const g = this.canvas.getContext('2d');
    const k = this.canvas.width / this.shownWidth;
    const pixels = rects.map((r) => g.getImageData(Math.round(r.x * k), Math.round(r.y * k),
      Math.round(r.w * k), Math.round(r.h * k)).data);
    return { store: [this.canvas.width, this.canvas.height], look: Array.from(this.look), pixels };
  }
}
