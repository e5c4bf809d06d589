// Offline and installable: after one visit the page, reloaded without a network, starts and
// plays with nothing reaching the server, and its text pages open; its manifest names it and its icon. A new build (a
// changed file, its worker written again by the build's own script) replaces the cached one at
// the next visit, and the old build's cache is gone. Runs on a copy of the built site, which it
// changes.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { appendFileSync, cpSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { ROOT, SITE, clickPower, play, run } from './harness.js';

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const site = mkdtempSync(join(tmpdir(), 'floemark-site-'));
cpSync(SITE, site, { recursive: true });

async function ready(page, offlineBuild) {
  await page.waitForFunction(() => document.documentElement.dataset.drawn !== undefined,
    { timeout: 20000 });
  await play(page);
  if (offlineBuild !== undefined) {
    await page.waitForFunction((b) => (document.documentElement.dataset.offline ?? b) !== b,
      { timeout: 20000 }, offlineBuild);
  }
}

await run('offline', async (h) => {
  const page = await h.browser.newPage();
  const problems = [];
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  await page.setViewport({ width: 1280, height: 720, deviceScaleFactor: 1 });
  await page.goto(h.url, { waitUntil: 'load' });
  await ready(page, '');
  const build = await page.evaluate(() => document.documentElement.dataset.offline);
  const manifest = await page.evaluate(async () =>
    (await fetch(document.querySelector('link[rel=manifest]').href)).json());
  assert.equal(manifest.start_url, './');
  assert.ok(manifest.icons.length > 0 && manifest.name, 'named, with an icon');

  // Offline: reloaded, drawn, and POWER then SHIFT start a game whose timers redraw it.
  await page.setOfflineMode(true);
  await h.offline();
  const served = h.requests.length;
  await page.reload({ waitUntil: 'load' });
  await ready(page);
  await clickPower(page);
  await sleep(300);
  await page.keyboard.press('ShiftLeft');
  // Past the jingle, the game's own timers go on redrawing it with no input.
  await sleep(4500);
  const drawn = Number(await page.evaluate(() => document.documentElement.dataset.drawn));
  await sleep(3000);
  const later = Number(await page.evaluate(() => document.documentElement.dataset.drawn));
  assert.ok(later >= drawn + 2, `the game plays offline (${drawn} -> ${later} pictures)`);
  // The text pages, never opened online, open offline (the worker keeps them with the shell).
  const readme = await page.evaluate(async () => (await fetch('readme.html')).text());
  assert.ok(readme.includes('<pre'), 'README.TXT\'s page is kept');
  assert.deepEqual(h.requests.slice(served), [], 'nothing reached the server while offline');

  // A new build: one file changed and the worker written again, as the build does.
  await page.setOfflineMode(false);
  await h.online();
  appendFileSync(join(site, 'main.js'), '\n// the next build\n');
  execFileSync('cmake', [`-DSITE=${site}`, `-DTEMPLATE=${join(ROOT, 'web/worker/sw.js.in')}`,
    '-P', join(ROOT, 'web/worker/make_worker.cmake')]);
  await page.reload({ waitUntil: 'load' });
  await ready(page, build);
  const next = await page.evaluate(() => document.documentElement.dataset.offline);
  assert.notEqual(next, build, 'a new build, a new cache');
  assert.deepEqual(await page.evaluate(() => caches.keys()), [next], 'the old build\'s cache is gone');
  await page.setOfflineMode(true);
  await h.offline();
  await page.reload({ waitUntil: 'load' });
  await ready(page);
  assert.ok((await page.evaluate(async () => (await fetch('main.js')).text()))
    .includes('the next build'), 'offline, the page is the new build');
  assert.deepEqual(problems, []);
}, site);
rmSync(site, { recursive: true, force: true });
