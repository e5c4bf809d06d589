// The console drawn off the main thread: the page hands this worker its canvas and tells it
// each new look and viewport; the worker paints the changed areas (panel.js's PanelView, the
// same painter the main thread uses where it can't hand the canvas over), and its own frame
// commits them, so the page neither paints nor commits the canvas, nor waits for a frame.
// Every message is answered in order: a read of the pixels sees every look sent before it.
import { PanelView, density } from './panel.js';

let canvas = null;
let view = null;
let viewport = null;
let named = false;  // the pictures loaded were named to the page
let queue = Promise.resolve();

const handlers = {
  canvas(m) {
    canvas = m.canvas;
  },
  // The layout and the viewport: the pictures start loading at once.
  start(m) {
    view = new PanelView(canvas, m.layout);
    viewport = m.viewport;
    view.pictures(density(viewport)).catch(() => {});
  },
  async viewport(m) {
    viewport = m.viewport;
    await view.draw(null, viewport);
  },
  // A look drawn; the first answer names the pictures this worker loaded, which the page has
  // the service worker keep for offline play (the page's own loads are in its timeline, not
  // these).
  async look(m) {
    await view.draw(m.look, viewport);
    const answer = { type: 'drawn', id: m.id };
    if (!named) {
      named = true;
      answer.loaded = performance.getEntriesByType('resource').map((r) => r.name);
    }
    postMessage(answer);
  },
  read(m) {
    postMessage({ type: 'read', id: m.id, ...view.read(m.rects) });
  },
};

onmessage = ({ data }) => {
  queue = queue.then(() => handlers[data.type](data)).catch((error) => {
    postMessage({ type: 'failed', id: data.id, message: error.message });
  });
};
