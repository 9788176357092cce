// SPDX-License-Identifier: GPL-3.0-or-later
// What the page's tests share: a static server for the built page on the loopback address,
// and Debian's Chromium started headless with a profile of its own.
import { createServer } from 'node:http';
import { readFile, mkdtemp, rm } from 'node:fs/promises';
import { existsSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, extname, normalize } from 'node:path';

const TYPES = {
    '.html': 'text/html', '.js': 'text/javascript', '.mjs': 'text/javascript', '.css': 'text/css',
    '.wasm': 'application/wasm', '.csv': 'text/csv', '.png': 'image/png', '.webmanifest': 'application/manifest+json',
};

export const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';

// Serves `root` on 127.0.0.1 at a free port; counts the bytes it sends.
export async function serve(root) {
    const stats = { bytes: 0 };
    const server = createServer(async (request, response) => {
        const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname)).replace(/^\/+/, '');
        if (path.includes('..')) return response.writeHead(403).end();
        try {
            const body = await readFile(join(root, path || 'index.html'));
            stats.bytes += body.length;
            response.writeHead(200, { 'Content-Type': TYPES[extname(path || 'index.html')] || 'application/octet-stream' });
            response.end(body);
        } catch {
            response.writeHead(404).end();
        }
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    return { url: `http://127.0.0.1:${server.address().port}/`, stats, close: () => server.close() };
}

export async function launch(puppeteer) {
    const profile = await mkdtemp(join(tmpdir(), 'radioprog-chromium-'));
    const browser = await puppeteer.launch({
        executablePath: CHROMIUM,
        headless: true,
        args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync', `--user-data-dir=${profile}`],
        userDataDir: profile,
    });
    return { browser, close: async () => { await browser.close(); await rm(profile, { recursive: true, force: true }); } };
}

export function missing(paths) {
    return paths.filter((p) => !existsSync(p));
}
