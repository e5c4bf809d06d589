// Screenshots of the page to look at (run by hand): a phone in landscape and upright, and a
// desktop screen, each with the splash, the console's menu, then the about panel; and the
// README's page on the phone.
// node web/tests/screenshots.js [DIR]   (default build-web/shots/)
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { ROOT, play, run } from './harness.js';

const DIR = process.argv[2] ?? join(ROOT, 'build-web', 'shots');
const SIZES = {
  'phone-landscape': { width: 844, height: 390, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
  'phone-portrait': { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
  desktop: { width: 1280, height: 800, deviceScaleFactor: 1 },
};

run('screenshots', async (h) => {
  mkdirSync(DIR, { recursive: true });
  for (const [name, viewport] of Object.entries(SIZES)) {
    const page = await h.browser.newPage();
    await page.setViewport(viewport);
    await page.goto(h.url, { waitUntil: 'load' });
    await page.waitForFunction(() => document.documentElement.dataset.drawn !== undefined &&
      document.getElementById('Im_Piccina').complete, { timeout: 20000 });
    await page.screenshot({ path: join(DIR, `${name}-splash.png`) });
    await play(page);
    await page.click('#menu-button');
    await page.screenshot({ path: join(DIR, `${name}-menu.png`) });
    await page.click('#menu-about');
    await page.waitForFunction(() => document.getElementById('Im_Foto').complete);
    await page.screenshot({ path: join(DIR, `${name}-about.png`) });
    await page.close();
  }
  // README.TXT as its page, on the phone upright.
  const page = await h.browser.newPage();
  await page.setViewport(SIZES['phone-portrait']);
  await page.goto(`${h.url}readme.html`, { waitUntil: 'load' });
  await page.screenshot({ path: join(DIR, 'phone-portrait-readme.png') });
  await page.close();
  console.log(`screenshots in ${DIR}`);
});
