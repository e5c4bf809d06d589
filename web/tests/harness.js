// The browser tests' harness: the built site served by a tiny static server on 127.0.0.1,
// and Debian's Chromium, headless, driven by puppeteer-core. Each is started by the test and
// checked to be really up; stop() ends both and removes the browser's profile.
import { mkdtempSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';
import { serve } from '../serve.mjs';

export const ROOT = resolve(fileURLToPath(new URL('../..', import.meta.url)));
export const SITE = process.env.FLOEMARK_SITE ?? join(ROOT, 'build-web', 'site');

export async function start(site = SITE) {
  if (!statSync(join(site, 'index.html'), { throwIfNoEntry: false })) {
    throw new Error(`no site in ${site}: cmake --preset web && cmake --build --preset web`);
  }
  const { server, url, requests } = await serve(site);
  const profile = mkdtempSync(join(tmpdir(), 'floemark-chromium-'));
  let browser;
  try {
    browser = await puppeteer.launch({
      executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
      headless: true,
      userDataDir: profile,
      args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
        '--disable-background-networking', '--disable-component-update', '--disable-sync',
        '--autoplay-policy=no-user-gesture-required'],
    });
    const version = await browser.version();  // answers only once the browser is up
    console.log(`harness: ${version}, site at ${url}`);
  } catch (error) {
    server.close();
    rmSync(profile, { recursive: true, force: true });
    throw error;
  }
  const port = server.address().port;
  return {
    browser, url, requests,
    // The network gone, as far as the site goes: the server stops answering (a browser's
    // offline mode leaves a service worker's own fetches alone), then comes back on its port.
    async offline() {
      server.closeAllConnections();
      await new Promise((done) => server.close(done));
    },
    online() {
      return new Promise((done, fail) => {
        server.once('error', fail);
        server.listen(port, '127.0.0.1', done);
      });
    },
    async stop() {
      await browser.close();
      server.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Runs body(harness) on the site (the built one unless named) and reports; the exit code says
// whether it passed.
export async function run(name, body, site = SITE) {
  let harness;
  try {
    harness = await start(site);
    await body(harness);
    console.log(`${name}: passed`);
  } catch (error) {
    console.error(`${name}: FAILED: ${error.stack ?? error}`);
    process.exitCode = 1;
  } finally {
    await harness?.stop();
  }
}

// The splash's PLAY, as a person starts the console: clicked once the splash shows.
export async function play(page) {
  await page.waitForSelector('#Puls_Play', { visible: true, timeout: 20000 });
  await page.click('#Puls_Play');
  await page.waitForSelector('#splash-backdrop', { hidden: true });
}

// The POWER switch clicked, where the console shows it in landscape (layout point 118, 334).
export async function clickPower(page) {
  const [x, y, k] = await page.evaluate(() => {
    const r = document.getElementById('console').getBoundingClientRect();
    return [r.left, r.top, r.width / 741];
  });
  await page.mouse.click(x + 118 * k, y + 334 * k);
}
