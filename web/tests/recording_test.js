// Recording in the page: a game played by keys, downloaded as a recording, replays in the
// native floemark-trace to the page's own trace, byte for byte (the page keeps floemark-trace's
// trace with ?trace). A malformed recording loaded is named in the page with the native tool's
// line and reason, and the game goes on; the good one loaded plays back the same inputs.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { ROOT, clickPower, play, run } from './harness.js';

const NATIVE = process.env.FLOEMARK_NATIVE_TRACE ?? join(ROOT, 'build', 'floemark-trace');
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The native tool on a file, in the tree that holds SOUND/ (as the page's core has it).
function nativeTrace(file) {
  return spawnSync(NATIVE, [file], { cwd: ROOT, encoding: 'utf8' });
}

// Clicks #save and returns the recording it offered for download.
async function save(page) {
  return page.evaluate(async () => {
    window.saved = [];
    document.getElementById('save').click();
    return window.saved.at(-1).text();
  });
}

const commands = (script) => script.split('\n').filter((l) => /^\d+ (down|up|click)/.test(l));

run('recording', async (h) => {
  const work = mkdtempSync(join(tmpdir(), 'floemark-recording-'));
  try {
    const page = await h.browser.newPage();
    const problems = [];
    page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
    // The blobs the page offers for download, kept instead of saved to a disk.
    await page.evaluateOnNewDocument(() => {
      const make = URL.createObjectURL;
      URL.createObjectURL = (blob) => { window.saved?.push(blob); return make(blob); };
      HTMLAnchorElement.prototype.click = function () {};
    });
    await page.setViewport({ width: 1280, height: 720, deviceScaleFactor: 1 });
    await page.goto(`${h.url}?trace`, { waitUntil: 'load' });
    await page.waitForFunction(() => document.documentElement.dataset.drawn !== undefined,
      { timeout: 20000 });
    await play(page);

    // POWER, then a one-player game with both sides' keys held and let go at odd moments.
    await clickPower(page);
    await sleep(300);
    await page.keyboard.press('ShiftLeft');
    await sleep(3800);
    for (const [key, hold] of [['KeyZ', 130], ['KeyC', 420], ['ShiftLeft', 60], ['KeyZ', 700],
      ['ArrowLeft', 90], ['KeyC', 250], ['ShiftLeft', 35]]) {
      await page.keyboard.down(key);
      await sleep(hold);
      await page.keyboard.up(key);
      await sleep(170);
    }
    const recording = await save(page);
    const trace = await page.evaluate(() => window.floemarkTrace());
    assert.ok(commands(recording).length >= 16, `the game's inputs are recorded:\n${recording}`);
    assert.ok((trace.match(/ FormKeyDown /g) ?? []).length >= 7, 'the trace has the key presses');
    const file = join(work, 'game.txt');
    writeFileSync(file, recording);
    const native = nativeTrace(file);
    assert.equal(native.status, 0, native.stderr);
    assert.ok(native.stdout === trace, 'the native replay of the recording is the page\'s trace');

    // A malformed recording: its line and reason, in the native tool's words, and the game's
    // timers still draw.
    const lines = recording.split('\n');
    lines.splice(4, 0, '12 press Q');
    const bad = join(work, 'bad.txt');
    writeFileSync(bad, lines.join('\n'));
    const refused = nativeTrace(bad);
    assert.equal(refused.status, 2);
    const reason = refused.stderr.trim().replace(/^floemark-trace: /, '');
    const input = await page.$('#load');
    await input.uploadFile(bad);
    await page.waitForFunction(() => document.getElementById('status').textContent !== '',
      { timeout: 5000 });
    assert.equal(await page.$eval('#status', (e) => e.textContent), `bad.txt, ${reason}`);
    const drawn = await page.evaluate(() => document.documentElement.dataset.drawn);
    await page.waitForFunction((d) => document.documentElement.dataset.drawn !== d,
      { timeout: 5000 }, drawn);

    // The good one plays back, said so until its end; then the page's recording holds the same
    // inputs.
    await input.uploadFile(file);
    await page.waitForFunction(() => document.getElementById('status').textContent
      .startsWith('Replaying game.txt'), { timeout: 5000 });
    const end = Number(lines.at(-2).split(' ')[0]);
    await sleep(end + 500);
    assert.equal(await page.$eval('#status', (e) => e.textContent), '');
    assert.deepEqual(commands(await save(page)), commands(recording));
    assert.deepEqual(problems, []);
  } finally {
    rmSync(work, { recursive: true, force: true });
  }
});
