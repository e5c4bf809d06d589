// The console's canvas as the main thread sees it: the viewport and the geometry are its own
// (the canvas' CSS size, the console point under a click); the painting is the drawing
// worker's, on the canvas handed to it, so that neither painting nor the canvas' frames cost
// the main thread. Where a browser can't hand a canvas to a worker (no
// transferControlToOffscreen, no OffscreenCanvas 2D context, no module worker), the same
// painter draws it here, once a frame, as before.
import { HIDDEN, PanelView, consolePoint, density, fit, viewportOf } from './panel.js';

// A module worker for the drawing, or null where one can't draw the canvas. A browser that
// doesn't know module workers never reads the option's type, and one that knows the option
// but not the modules (an older Firefox) throws.
function drawingWorker(canvas) {
  if (!canvas.transferControlToOffscreen || typeof OffscreenCanvas === 'undefined') return null;
  try {
    if (!new OffscreenCanvas(1, 1).getContext('2d')) return null;
    let module = false;
    const worker = new Worker('draw_worker.js', { get type() {
      module = true;
      return 'module';
    } });
    if (module) return worker;
    worker.terminate();
  } catch {
    // drawn here
  }
  return null;
}

export class ConsoleView {
  // The worker starts with the canvas; the drawing begins with the layout.
  constructor(canvas) {
    this.canvas = canvas;
    this.viewport = viewportOf(window);
    this.worker = drawingWorker(canvas);
    this.inWorker = this.worker !== null;
    this.loaded = [];  // the pictures the worker loaded
    this.size();
    if (this.inWorker) {
      this.waiting = new Map();  // request id -> its promise's functions
      this.asked = 0;
      this.worker.onmessage = ({ data }) => this.answered(data);
      // A worker that could not load its scripts fails every drawing asked of it, as a
      // drawing here fails (a module that did not load reports no message).
      this.worker.onerror = (e) => {
        this.failed = e.message ?? 'the drawing worker did not start';
        for (const { reject } of this.waiting.values()) reject(new Error(`drawing: ${this.failed}`));
        this.waiting.clear();
      };
      const offscreen = canvas.transferControlToOffscreen();
      this.worker.postMessage({ type: 'canvas', canvas: offscreen }, [offscreen]);
    }
  }

  // The pictures, the most of the time to the first drawing, load at once (a failure shows
  // when the drawing waits for them).
  begin(layout) {
    this.layout = layout;
    this.look = new Uint8Array(layout.length).fill(HIDDEN);
    if (this.inWorker) {
      this.worker.postMessage({ type: 'start', layout, viewport: this.viewport });
    } else {
      this.painter = new PanelView(this.canvas, layout);
      this.painter.pictures(density(this.viewport)).catch(() => {});
    }
  }

  // The canvas' CSS size, which the viewport alone decides; the backing store is the painter's.
  size() {
    const { cssW, cssH } = fit(this.viewport);
    this.canvas.style.width = `${cssW}px`;
    this.canvas.style.height = `${cssH}px`;
  }

  ask(message) {
    if (this.failed) return Promise.reject(new Error(`drawing: ${this.failed}`));
    const id = ++this.asked;
    this.worker.postMessage({ ...message, id });
    return new Promise((resolve, reject) => this.waiting.set(id, { resolve, reject }));
  }

  answered(data) {
    const waiting = this.waiting.get(data.id);
    this.waiting.delete(data.id);
    if (data.loaded) this.loaded = data.loaded;
    if (data.type === 'failed') waiting?.reject(new Error(data.message));
    else waiting?.resolve(data);
  }

  // Draws a look (the bytes, one a component), or the last one again when the viewport
  // changed; resolves once it is drawn.
  async draw(look) {
    if (look) this.look.set(look);
    if (!this.inWorker) return this.painter.draw(look, this.viewport);
    if (look) await this.ask({ type: 'look', look });
    else this.worker.postMessage({ type: 'viewport', viewport: this.viewport });
  }

  // A new size, orientation or density: the CSS size at once, the drawing to follow.
  resized() {
    this.viewport = viewportOf(window);
    this.size();
    return this.draw();
  }

  consolePoint(x, y) {
    return consolePoint(this.viewport, x, y);
  }

  // The drawn pixels of rectangles (layout pixels as shown), read by whichever side draws:
  // { store: [width, height] of the backing store, look: the look they show (the page's may be
  // newer by then), pixels: RGBA for each rectangle }.
  async read(rects) {
    if (!this.inWorker) return this.painter.read(rects);
    const { store, look, pixels } = await this.ask({ type: 'read', rects });
    return { store, look, pixels };
  }
}
