// The console on a canvas: the background photo, then every visible component's picture at
// its rectangle, in the layout table's order, from the picture set made for the screen's
// density (1, 2 or 3). Landscape shows the console as it is; a portrait viewport shows its
// halves one above the other, the penguin's on top. Drawn only when asked (a segment changed,
// the viewport changed), never in a loop.

export const WIDTH = 741;
export const HEIGHT = 388;
// The portrait layout shows the halves without the hinge between them (layout x 364..377).
const HALF = 364;
const SEAL_HALF = 377;
const HIDDEN = 255;
const KIND_NONE = 3;

// The layout table as the core gives it: "name left top width height kind transparent click".
export function parseLayout(text) {
  return text.trim().split('\n').map((line) => {
    const [name, left, top, width, height, kind, transparent, click] = line.split(' ');
    return { name, left: +left, top: +top, width: +width, height: +height, kind: +kind,
      transparent: transparent === '1', click: click === '1' };
  });
}

async function loadPicture(url) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url}: ${response.status}`);
  return createImageBitmap(await response.blob());
}

export class PanelView {
  constructor(canvas, layout) {
    this.canvas = canvas;
    this.layout = layout;
    this.look = new Uint8Array(layout.length).fill(HIDDEN);
    this.sets = new Map();  // density -> pictures by component
  }

  // The density whose pictures are drawn: the next set up from the screen's ratio.
  static density() {
    return Math.min(3, Math.max(1, Math.ceil(window.devicePixelRatio - 0.01)));
  }

  async pictures(density) {
    if (!this.sets.has(density)) {
      const loading = Promise.all(this.layout.map((c) => c.kind === KIND_NONE ? null
        : loadPicture(`art/${density}/${c.name}.${c.kind === 0 ? 'jpg' : 'bmp'}`)));
      this.sets.set(density, loading);
    }
    return this.sets.get(density);
  }

  portrait() {
    return window.innerHeight > window.innerWidth;
  }

  // Where the console lies in the canvas' CSS pixels: the fitting scale and the layout.
  fit() {
    const portrait = this.portrait();
    const w = portrait ? HALF : WIDTH;
    const h = portrait ? 2 * HEIGHT : HEIGHT;
    const scale = Math.min(window.innerWidth / w, window.innerHeight / h);
    return { portrait, scale, w, h };
  }

  // The console point (layout pixels) under a point of the canvas (CSS pixels).
  consolePoint(x, y) {
    const { portrait, scale } = this.fit();
    let cx = x / scale;
    let cy = y / scale;
    if (portrait && cy >= HEIGHT) {
      cx += SEAL_HALF;
      cy -= HEIGHT;
    }
    return { x: cx, y: cy };
  }

  async draw(look) {
    if (look) this.look.set(look);
    const density = PanelView.density();
    const pictures = await this.pictures(density);
    // The whole console at the pictures' own density: every picture lands on whole pixels.
    const full = document.createElement('canvas');
    full.width = WIDTH * density;
    full.height = HEIGHT * density;
    const g = full.getContext('2d');
    g.fillStyle = '#000';
    g.fillRect(0, 0, full.width, full.height);
    this.layout.forEach((c, i) => {
      const shown = this.look[i];
      if (shown === HIDDEN || !pictures[shown]) return;
      // A 1-bit segment draws only its black: white multiplied leaves what lies beneath.
      g.globalCompositeOperation = this.layout[shown].transparent ? 'multiply' : 'source-over';
      g.drawImage(pictures[shown], c.left * density, c.top * density);
    });

    const { portrait, scale, w, h } = this.fit();
    const ratio = window.devicePixelRatio;
    const cssW = Math.floor(w * scale);
    const cssH = Math.floor(h * scale);
    this.canvas.style.width = `${cssW}px`;
    this.canvas.style.height = `${cssH}px`;
    this.canvas.width = Math.round(cssW * ratio);
    this.canvas.height = Math.round(cssH * ratio);
    const out = this.canvas.getContext('2d');
    out.imageSmoothingQuality = 'high';
    const k = this.canvas.width / w;  // device pixels per layout pixel
    if (!portrait) {
      out.drawImage(full, 0, 0, this.canvas.width, this.canvas.height);
      return;
    }
    const d = density;
    out.drawImage(full, 0, 0, HALF * d, HEIGHT * d, 0, 0, HALF * k, HEIGHT * k);
    out.drawImage(full, SEAL_HALF * d, 0, HALF * d, HEIGHT * d, 0, HEIGHT * k, HALF * k, HEIGHT * k);
  }
}
