// Renders a glTF file (.glb or .gltf) to a PNG with three.js in headless Chromium.
// Usage: node render.mjs IN.glb|IN.gltf OUT.png [--width W] [--height H] [--from se|sw|nw|ne]
//        [--timeout SECONDS] [--verbose]  (time each stage on standard error)
// Exit status: 0 written, 1 the model could not be loaded or drawn, 2 bad usage, 3 timed out.
import fs from 'node:fs/promises';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { startServer } from './server.mjs';
import { openBrowser, confineTo } from './browser.mjs';
import { parseArgs, UsageError } from './args.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));

class RenderError extends Error {}
class TimeoutError extends Error {}

function deadline(ms, what) {
  let timer;
  const promise = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new TimeoutError(`timed out after ${ms / 1000} s ${what()}`)), ms);
  });
  return { promise, cancel: () => clearTimeout(timer) };
}

// Everything the page says that means the picture cannot be trusted.
function watch(page, origin) {
  const problems = [];
  page.on('pageerror', (err) => problems.push(`page error: ${err.message}`));
  page.on('console', (msg) => {
    // SwiftShader notes that reading pixels back stalls the pipeline: expected, and harmless.
    if (/GL Driver Message \(OpenGL, Performance/.test(msg.text())) return;
    if (msg.type() === 'error') problems.push(`console error: ${msg.text()}`);
    else if (msg.type() === 'warning') console.error(`render: page warning: ${msg.text()}`);
  });
  // Only requests that leave the page server count here. Chromium reports some fetches of
  // the model as aborted after their whole body arrived; a file that really fails to come
  // shows as an HTTP error below, a loader error, or the loader's console error.
  page.on('requestfailed', (req) => {
    if (!req.url().startsWith(origin)) problems.push(`blocked a request off this machine: ${req.url()}`);
  });
  page.on('response', (res) => {
    if (res.status() >= 400) problems.push(`HTTP ${res.status()} for ${res.url()}`);
  });
  return problems;
}

async function render(opts, stage) {
  const modelDir = path.dirname(opts.input);
  const { server, origin } = await startServer({
    page: path.join(here, 'page'),
    three: path.join(here, 'node_modules', 'three'),
    model: modelDir,
  });
  try {
    stage('starting Chromium');
    const browser = await openBrowser({ width: opts.width, height: opts.height, timeoutMs: opts.timeoutMs });
    try {
      await confineTo(browser.context, origin);
      const page = browser.context.pages()[0] ?? (await browser.context.newPage());
      const problems = watch(page, origin);
      const query = new URLSearchParams({
        model: `/model/${encodeURIComponent(path.basename(opts.input))}`,
        width: String(opts.width),
        height: String(opts.height),
        from: opts.from,
      });
      stage('loading the page');
      await page.goto(`${origin}/page/index.html?${query}`, { timeout: opts.timeoutMs });
      stage('loading and drawing the model');
      await page.waitForFunction(() => window.renderState?.done, null, { timeout: opts.timeoutMs, polling: 100 });
      const state = await page.evaluate(() => window.renderState);
      if (!state.ok) throw new RenderError([state.error, ...problems].join('\n  '));
      if (problems.length) throw new RenderError(['the page reported problems:', ...problems].join('\n  '));
      if (state.stats.coverage < 0.001) throw new RenderError('the model drew nothing visible (every face culled or outside the view?)');
      stage('reading the picture');
      const dataUrl = await page.evaluate(() => document.querySelector('canvas').toDataURL('image/png'));
      await fs.writeFile(opts.output, Buffer.from(dataUrl.slice(dataUrl.indexOf(',') + 1), 'base64'));
      stage('closing Chromium');
      return state.stats;
    } finally {
      await browser.close();
    }
  } finally {
    server.close();
  }
}

async function main() {
  let opts;
  try {
    opts = parseArgs(process.argv.slice(2));
    await fs.access(opts.input, fs.constants.R_OK).catch(() => {
      throw new Error(`${opts.input}: no such file, or not readable`);
    });
  } catch (err) {
    console.error(`render: ${err.message}`);
    if (err instanceof UsageError) console.error(UsageError.usage);
    return 2;
  }
  let current = 'starting';
  const started = Date.now();
  let since = started;
  const stage = (next) => {
    const now = Date.now();
    if (opts.verbose) console.error(`render: ${current}: ${now - since} ms`);
    current = next;
    since = now;
  };
  const timer = deadline(opts.timeoutMs, () => `while ${current}`);
  try {
    const stats = await Promise.race([render(opts, stage), timer.promise]);
    stage('done');
    if (opts.verbose) console.error(`render: total ${Date.now() - started} ms`);
    const size = stats.size.map((v) => v.toFixed(2)).join(' x ');
    console.log(
      `render: wrote ${opts.output} (${opts.width}x${opts.height}): ${stats.meshes} meshes, ` +
        `${stats.materials} materials (${stats.doubleSided} double-sided in the file, drawn single-sided), ` +
        `model ${size} m, covering ${(stats.coverage * 100).toFixed(1)}% of the picture`,
    );
    return 0;
  } catch (err) {
    console.error(`render: ${opts.input}: ${err instanceof RenderError || err instanceof TimeoutError ? err.message : err.stack ?? err}`);
    return err instanceof TimeoutError ? 3 : 1;
  } finally {
    timer.cancel();
  }
}

process.exitCode = await main();
// A browser that will not close must not keep the process alive past the verdict.
setTimeout(() => process.exit(process.exitCode), 5000).unref();
