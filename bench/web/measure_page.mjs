// SPDX-License-Identifier: GPL-3.0-or-later
// The web page's first visit, measured in Debian's headless Chromium: the time from
// navigation to the channel table shown, against a blank page served the same way in the
// same run (median of several visits, each in a fresh browser context, so nothing is cached),
// and the bytes a first visit fetches, as sent and as gzip would send them.
//
// node bench/web/measure_page.mjs <built page folder> [visits]
import { createRequire } from 'node:module';
import { readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';
import { serve, launch } from '../../tests/web/browser.mjs';

const pageDir = resolve(process.argv[2] || 'build/web');
const visits = Number(process.argv[3] || 5);
const require = createRequire(join(resolve('.'), 'package.json'));
const puppeteer = require('puppeteer-core');

const server = await serve(pageDir);
const chromium = await launch(puppeteer);
const contexts = []; // closed at the end: closing one while its service worker starts upsets the driver
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function visit(path, ready) {
    const context = await chromium.browser.createBrowserContext();
    const page = await context.newPage();
    const fetched = [];
    page.on('requestfinished', (request) => fetched.push(new URL(request.url()).pathname));
    const start = performance.now();
    await page.goto(server.url + path);
    await page.waitForSelector(ready);
    const ms = performance.now() - start;
    await page.close();
    contexts.push(context);
    return { ms, fetched };
}

const blank = [];
const table = [];
let files = [];
for (let i = 0; i < visits; ++i) {
    blank.push((await visit('blank-page-missing', 'body')).ms);
    const seen = await visit('', 'body[data-ready="true"]');
    table.push(seen.ms);
    files = seen.fetched;
}
let raw = 0;
let gzip = 0;
let code = 0;
let codeGzip = 0;
for (const path of new Set(files)) {
    const name = path.replace(/^\/+/, '') || 'index.html';
    let body;
    try {
        body = readFileSync(join(pageDir, name));
    } catch {
        continue;
    }
    const packed = gzipSync(body, { level: 9 }).length;
    raw += body.length;
    gzip += packed;
    if (/\.(js|wasm)$/.test(name)) {
        code += body.length;
        codeGzip += packed;
    }
}
console.log(`blank page: ${median(blank).toFixed(0)} ms, page with the table: ${median(table).toFixed(0)} ms (median of ${visits})`);
console.log(`first visit: ${raw} bytes (${gzip} gzip); WebAssembly + JavaScript ${code} bytes (${codeGzip} gzip)`);
for (const context of contexts) await context.close().catch(() => {});
await chromium.close();
server.close();
