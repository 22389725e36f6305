// Launches Debian's Chromium headless through playwright-core, with WebGL on SwiftShader
// (no GPU, no display) and every request outside the local page server refused.
import fs from 'node:fs/promises';
import os from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';

export const executablePath = '/usr/bin/chromium';

const flags = [
  '--headless',
  '--no-sandbox',  // we run as root, where Chromium's sandbox cannot start
  '--disable-gpu',
  '--use-gl=angle',
  '--use-angle=swiftshader',
  '--enable-unsafe-swiftshader',
  '--disable-quic',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--disable-default-apps',
  '--disable-extensions',
  '--no-proxy-server',
  // No name resolves except the loopback address the page server listens on.
  '--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1',
];

// Opens a browser context in a fresh profile folder; close() shuts the browser and removes
// the folder.
export async function openBrowser({ width, height, timeoutMs }) {
  const profile = await fs.mkdtemp(path.join(os.tmpdir(), 'skp-render-profile-'));
  let context;
  try {
    context = await chromium.launchPersistentContext(profile, {
      executablePath,
      headless: true,
      args: flags,
      ignoreDefaultArgs: ['--enable-automation'],
      viewport: { width, height },
      deviceScaleFactor: 1,
      offline: false,
      serviceWorkers: 'block',
      timeout: timeoutMs,
    });
  } catch (err) {
    await fs.rm(profile, { recursive: true, force: true });
    throw err;
  }
  return {
    context,
    async close() {
      try {
        await context.close();
      } finally {
        await fs.rm(profile, { recursive: true, force: true });
      }
    },
  };
}

// Aborts every request whose origin is not the page server's.
export async function confineTo(context, origin) {
  await context.route('**/*', (route) => {
    const url = route.request().url();
    if (url.startsWith(origin + '/') || url.startsWith('data:') || url.startsWith('blob:')) return route.continue();
    return route.abort('blockedbyclient');
  });
}
