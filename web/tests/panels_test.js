// The page's panels and pages: the splash over the console until PLAY (the console takes no
// input before it), with the desktop's words; the about panel from the console's menu and F1,
// closed by its button and by Escape; README.TXT and WHATSNEW.TXT as pages of the site holding
// the repository's texts under the page's own Content-Security-Policy; the full-screen button,
// and none where the browser has no Fullscreen API.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { ROOT, play, run } from './harness.js';

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const VERSION = readFileSync(join(ROOT, 'CMakeLists.txt'), 'utf8').match(/project\(floemark VERSION ([\d.]+)/)[1];
// The desktop's about window's words, as its table has them.
const DETAILS = [...readFileSync(join(ROOT, 'app/windows/about_details.h'), 'utf8')
  .matchAll(/\{"([^"]+)", "([^"]+)"\}/g)].map((m) => [m[1], m[2]]);

async function open(h, inject) {
  const page = await h.browser.newPage();
  const problems = [];
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  page.on('request', (r) => {
    if (!r.url().startsWith(h.url)) problems.push(`off-site: ${r.url()}`);
  });
  if (inject) await page.evaluateOnNewDocument(inject);
  await page.setViewport({ width: 1280, height: 800, deviceScaleFactor: 2 });
  await page.goto(h.url, { waitUntil: 'load' });
  await page.waitForSelector('#Puls_Play', { visible: true, timeout: 20000 });
  await page.waitForFunction(() => document.documentElement.dataset.drawn !== undefined);
  return { page, problems };
}

const visible = (page, id) => page.$eval(`#${id}`, (e) => e.checkVisibility());
const drawn = (page) => page.evaluate(() => document.documentElement.dataset.drawn);

run('panels', async (h) => {
  const { page, problems } = await open(h);
  const splash = await page.evaluate(() => ({
    texts: ['La_Title', 'La_Version', 'La_Http', 'La_Email', 'Puls_Play']
      .map((id) => document.getElementById(id).textContent),
    links: [document.getElementById('La_Http').href, document.getElementById('La_Email').href],
    photo: document.getElementById('Im_Piccina').currentSrc,
  }));
  assert.deepEqual(splash.texts.slice(0, 2), ['Floemark (Korvane) Simulator', `Version ${VERSION}`]);
  assert.equal(splash.texts[4], '- PLAY -');
  assert.deepEqual(splash.links, [splash.texts[2], splash.texts[3]], 'links open what they say');
  assert.match(splash.texts[3], /^mailto:/);
  assert.ok(splash.photo.endsWith('/art/2/Im_Piccina.jpg'),
    `the splash photo made for the screen's density: ${splash.photo}`);

  // The console behind the splash takes nothing: a click on POWER changes no picture.
  const box = await page.evaluate(() => {
    const r = document.getElementById('console').getBoundingClientRect();
    return [r.left, r.top, r.width / 741];
  });
  const power = [box[0] + 118 * box[2], box[1] + 334 * box[2]];
  const before = await drawn(page);
  await page.mouse.click(...power);
  await page.keyboard.press('F1');
  await sleep(300);
  assert.equal(await drawn(page), before, 'no input reaches the console before PLAY');
  assert.equal(await visible(page, 'about'), false, 'F1 is the console\'s key');

  await play(page);
  await page.mouse.click(...power);
  await page.waitForFunction((d) => document.documentElement.dataset.drawn !== d, { timeout: 5000 },
    before);

  // About: F1, then its close button; the menu's About..., then Escape.
  await page.keyboard.press('F1');
  assert.ok(await visible(page, 'about'), 'F1 shows the about panel');
  const about = await page.evaluate(() => ({
    rect: document.getElementById('about').getBoundingClientRect().toJSON(),
    details: [...document.querySelectorAll('#about-details dt')]
      .map((dt) => [dt.textContent, dt.nextElementSibling.textContent]),
    caption: document.getElementById('about-caption').textContent,
  }));
  assert.deepEqual(about.details, DETAILS, 'the desktop\'s details');
  assert.equal(about.caption, 'About the author...\u2715');
  assert.deepEqual([about.rect.left, about.rect.top], [0, 0], 'at the top-left corner');
  await page.click('#about-close');
  assert.equal(await visible(page, 'about'), false, 'its button closes it');
  await page.mouse.click(box[0] + 370 * box[2], box[1] + 150 * box[2], { button: 'right' });
  assert.ok(await visible(page, 'menu'), 'a right-click on the console opens its menu');
  await page.click('#menu-about');
  assert.ok(await visible(page, 'about') && !(await visible(page, 'menu')));
  await page.keyboard.press('Escape');
  assert.equal(await visible(page, 'about'), false, 'Escape closes it');

  // The two text pages: F2 and the menu's item; the repository's texts, the same policy.
  const policy = await page.$eval('meta[http-equiv=Content-Security-Policy]', (m) => m.content);
  for (const [file, go] of [['README.TXT', () => page.keyboard.press('F2')],
    ['WHATSNEW.TXT', async () => {
      await page.click('#menu-button');
      await page.click('#menu-whatsnew');
    }]]) {
    await Promise.all([page.waitForNavigation(), go()]);
    const shown = await page.evaluate(() => ({
      text: document.querySelector('pre').textContent,
      policy: document.querySelector('meta[http-equiv=Content-Security-Policy]')?.content,
      title: document.title,
    }));
    assert.equal(shown.text, readFileSync(join(ROOT, file), 'latin1'), `${file} as it stands`);
    assert.equal(shown.policy, policy, `${file} under the page's policy`);
    assert.ok(shown.title.startsWith(file));
    await Promise.all([page.waitForNavigation(), page.click('nav a')]);
    await play(page);
  }

  // Full screen, on and off.
  for (const on of [true, false]) {
    await page.click('#menu-button');
    assert.ok(await visible(page, 'fullscreen'), 'in the menu, where the API is');
    await page.click('#fullscreen');
    await page.waitForFunction((on) => (document.fullscreenElement === document.documentElement) === on,
      {}, on);
  }
  assert.deepEqual(problems, []);

  // A browser without the Fullscreen API: no button.
  const bare = await open(h, () => {
    Object.defineProperty(Document.prototype, 'fullscreenEnabled', { get: () => false });
    delete Element.prototype.requestFullscreen;
  });
  // PLAY without a mouse: it has the focus, Enter presses it.
  await bare.page.keyboard.press('Enter');
  await bare.page.waitForSelector('#splash-backdrop', { hidden: true, timeout: 5000 });
  await bare.page.click('#menu-button');
  assert.ok(await visible(bare.page, 'menu-about'));
  assert.equal(await visible(bare.page, 'fullscreen'), false, 'no full screen without the API');
  assert.deepEqual(bare.problems, []);
});
