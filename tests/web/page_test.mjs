// SPDX-License-Identifier: GPL-3.0-or-later
// The web page in a real headless Chromium: files opened and saved byte for byte as the
// command-line program (the same core, built natively) writes them, editing by keyboard,
// CSV, languages, recovery after a reload, and no serious accessibility violation in any
// view. Screenshots of every view at a laptop's and a phone's size, in English and Chinese,
// go to <page>/../web-screens for a person to look at.
//
// Transfers run over a test port in place of navigator.serial, backed by the simulator's radio
// model as WebAssembly (<page>/../web-sim). Set RADIOPROG_WEB_FIGURES=1 to also time a paced
// write; the paced read's time against the wire's is always printed.
//
// node page_test.mjs <built page folder> <radioprog-cli> <repository root>
// Exits 77 (skipped, with the reason) when the page, the browser or the test tools are missing.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, readdirSync, existsSync, mkdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { createRequire } from 'node:module';
import { serve, launch, CHROMIUM, missing } from './browser.mjs';

const [pageDir, cli, root] = process.argv.slice(2).map((p) => resolve(p));
const require = createRequire(join(root, 'package.json'));
const simDir = join(pageDir, '..', 'web-sim');
const absent = missing([join(pageDir, 'index.html'), join(pageDir, 'radiocore.wasm'), join(simDir, 'radiosim.wasm'), CHROMIUM,
    join(root, 'node_modules/puppeteer-core'), join(root, 'node_modules/axe-core'), cli]);
if (absent.length) {
    console.log(`SKIPPED: missing ${absent.join(', ')} (make web and make npm-deps install and build them)`);
    process.exit(77);
}
const puppeteer = require('puppeteer-core');
const AXE = require.resolve('axe-core/axe.min.js');
const CHINESE = '0';
const ENGLISH = '2';

const work = mkdtempSync(join(tmpdir(), 'radioprog-web-'));
const runCli = (...args) => execFileSync(cli, args, { encoding: 'buffer' });
let server;
let chromium;

// A .dat file with the demo channels, as the command-line program writes it.
const fixture = join(work, 'radio.dat');
const demoCsv = join(root, 'tools/demo-channels.csv');

before(async () => {
    runCli('new', fixture);
    runCli('import-csv', fixture, demoCsv);
    server = await serve(pageDir);
    chromium = await launch(puppeteer);
});

after(async () => {
    await chromium?.close();
    server?.close();
    rmSync(work, { recursive: true, force: true });
});

// A page in a browser context of its own (its own storage, so no test sees another's
// recovery), with downloads into a folder of its own, without the file-system pickers (the
// tests take the picker-less path every browser has), answering the page's leave question.
// Closing the page closes its context.
async function openPage() {
    const downloads = mkdtempSync(join(work, 'downloads-'));
    const context = await chromium.browser.createBrowserContext({ downloadBehavior: { policy: 'allow', downloadPath: downloads } });
    const page = await context.newPage();
    const closePage = page.close.bind(page);
    page.close = async () => {
        await closePage();
        await context.close();
    };
    await page.bringToFront();
    await page.evaluateOnNewDocument(() => {
        delete window.showOpenFilePicker;
        delete window.showSaveFilePicker;
    });
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    page.on('dialog', (dialog) => dialog.accept());
    await page.setViewport({ width: 1366, height: 768 });
    await page.goto(server.url);
    await page.waitForSelector('body[data-ready="true"]');
    return { page, downloads, errors };
}

async function downloaded(folder, name) {
    const path = join(folder, name);
    for (let i = 0; i < 600 && !existsSync(path); ++i) await new Promise((r) => setTimeout(r, 50));
    // Chromium writes to a temporary name and renames: once the name exists the file is whole.
    return readFileSync(path);
}

async function command(page, name) {
    await page.click(`[data-command="${name}"]`);
}

async function chooseFile(page, commandName, path) {
    const [chooser] = await Promise.all([page.waitForFileChooser(), command(page, commandName)]);
    await chooser.accept([path]);
}

// Answers the page's own dialog with the button of that index.
async function answer(page, index) {
    await page.waitForSelector('#dialog[open]');
    const shown = await page.$eval('#dialog', (dialog) => dialog.dataset.shown);
    await page.click(`#dialog-buttons button:nth-child(${index + 1})`);
    // Closed, or already showing the next question.
    await page.waitForFunction((n) => {
        const dialog = document.getElementById('dialog');
        return !dialog.open || dialog.dataset.shown !== n;
    }, {}, shown);
}

const cellText = (page, n, column) => page.$eval('#grid', (grid, r, c) => grid.rows[r].cells[c].textContent, n + 1, column);
const title = (page) => page.title();

test('a .dat file opens into the table and saves back byte for byte; CSV export is the native one', async () => {
    const { page, downloads, errors } = await openPage();
    await chooseFile(page, 'open', fixture);
    await page.waitForFunction(() => document.title.startsWith('radio.dat'));
    assert.equal(await cellText(page, 1, 2), '145.35000');
    assert.equal(await cellText(page, 0, 11), 'CALL2M');
    assert.ok(!(await title(page)).includes('*'));

    await command(page, 'save');
    assert.deepEqual(await downloaded(downloads, 'radio.dat'), readFileSync(fixture));
    await command(page, 'exportCsv');
    assert.equal((await downloaded(downloads, 'radio.csv')).toString(), runCli('export-csv', fixture, '-').toString());

    // Compare With: the same file, a new image (the native diff's words), a file too short.
    const fresh = join(work, 'compare-new.dat');
    runCli('new', fresh);
    const short = join(work, 'short.dat');
    writeFileSync(short, Buffer.alloc(100));
    for (const [file, expected] of [[fixture, /No differences/], [fresh, /CALL2M/], [short, /short\.dat/]]) {
        await chooseFile(page, 'compareWith', file);
        await page.waitForSelector('#dialog[open]');
        assert.match(await page.$eval('#dialog', (dialog) => dialog.textContent), expected);
        await answer(page, 0);
    }

    // Ins opens an empty channel 1 and Ctrl+Up moves channel 2 (the former 1) back up.
    await page.focus('#grid [tabindex="0"]');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Insert');
    assert.equal(await cellText(page, 1, 2), '');
    assert.equal(await cellText(page, 2, 11), 'RPT1');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.down('Control');
    await page.keyboard.press('ArrowUp');
    await page.keyboard.up('Control');
    assert.equal(await cellText(page, 1, 11), 'RPT1');
    assert.equal(await cellText(page, 2, 2), '');
    assert.deepEqual(errors, []);
    await page.close();
});

test('sorting the table and one value for the picked channels are one undo step each', async () => {
    const { page, errors } = await openPage();
    await chooseFile(page, 'open', fixture);
    await page.waitForFunction(() => document.title.startsWith('radio.dat'));
    const column = (c) => page.$eval('#grid', (grid, c) => [...grid.rows].slice(1).map((row) => row.cells[c].textContent), c);
    const before = await column(2);
    await command(page, 'sortByFrequency');
    const inUse = before.filter((text) => text);
    assert.deepEqual((await column(2)).slice(0, inUse.length), [...inUse].sort());
    assert.notDeepEqual(await column(2), before);
    await page.focus('#grid [tabindex="0"]');
    await page.keyboard.down('Control');
    await page.keyboard.press('z');
    await page.keyboard.up('Control');
    assert.deepEqual(await column(2), before);

    // Channels 0 and 1 picked with Shift+Space, 88.5 typed into a receive tone, Ctrl+Enter.
    const tones = await column(4);
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowRight');
    await page.keyboard.down('Shift');
    await page.keyboard.press('Space');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Space');
    await page.keyboard.up('Shift');
    await page.keyboard.type('88.5');
    await page.keyboard.down('Control');
    await page.keyboard.press('Enter');
    await page.keyboard.up('Control');
    assert.equal(await cellText(page, 0, 4), '88.5');
    assert.equal(await cellText(page, 1, 4), '88.5');
    assert.match(await page.$eval('#status', (status) => status.textContent), /88\.5/);
    await page.keyboard.down('Control');
    await page.keyboard.press('z');
    await page.keyboard.up('Control');
    assert.deepEqual(await column(4), tones);
    assert.deepEqual(errors, []);
    await page.close();
});

test('keyboard only: typing edits cells, Enter moves on, Esc cancels, undo and redo, Del, paste, a setting', async () => {
    const { page, downloads, errors } = await openPage();
    await page.focus('#grid [tabindex="0"]'); // channel 0, receive frequency
    // An empty channel: typing opens its frequency editor; the core snaps the frequency.
    await page.keyboard.type('145.5213');
    await page.keyboard.press('Enter');
    assert.equal(await cellText(page, 0, 2), '145.52000');
    assert.ok((await title(page)).includes('*'));
    // Enter moved to the transmit frequency; Esc throws a typed text away.
    await page.keyboard.type('150');
    await page.keyboard.press('Escape');
    assert.equal(await cellText(page, 0, 3), '145.52000');
    // Letters the name field refuses never reach it.
    for (let i = 0; i < 9; ++i) await page.keyboard.press('ArrowRight');
    await page.keyboard.type('ab-c!1');
    await page.keyboard.press('Enter');
    assert.equal(await cellText(page, 0, 11), 'ABC1');

    await page.keyboard.down('Control');
    await page.keyboard.press('z');
    await page.keyboard.up('Control');
    assert.equal(await cellText(page, 0, 11), '');
    await page.keyboard.down('Control');
    await page.keyboard.press('y');
    await page.keyboard.up('Control');
    assert.equal(await cellText(page, 0, 11), 'ABC1');
    // Enter on the name moved on to the next channel; back to the name, Del empties it.
    await page.keyboard.press('ArrowUp');
    await page.keyboard.press('End');
    await page.keyboard.press('Delete');
    assert.equal(await cellText(page, 0, 11), '');

    // Ctrl+V of tab-separated text: channels 5 and 6, a bad frequency reported, not stored.
    await page.keyboard.press('ArrowDown');
    await page.evaluate(() => {
        const data = new DataTransfer();
        data.setData('text/plain', '5\tVHF/UHF\t146.52\n6\tVHF/UHF\t99.5\n');
        document.activeElement.dispatchEvent(new ClipboardEvent('paste', { clipboardData: data, bubbles: true }));
    });
    await page.waitForSelector('#dialog[open]');
    assert.match(await page.$eval('#dialog-body', (body) => body.textContent), /99\.5/);
    await answer(page, 0);
    assert.equal(await cellText(page, 1, 2), '146.52000');
    assert.equal(await cellText(page, 2, 2), '');

    // A setting: the squelch list, by keyboard, stored with the form's OK.
    await page.click('#tab-functions');
    await page.focus('#control-1013');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Enter');
    await command(page, 'save');
    const saved = join(work, 'edited.dat');
    writeFileSync(saved, await downloaded(downloads, 'radio.dat'));
    // The native program reads the same edits from the saved file.
    const fresh = join(work, 'fresh.dat');
    runCli('new', fresh);
    let differences = '';
    try {
        runCli('diff', fresh, saved);
    } catch (error) {
        differences = error.stdout.toString();
    }
    assert.match(differences, /145\.52000/);
    assert.match(differences, /146\.52000/);
    assert.match(differences, /Squelch/);
    assert.deepEqual(errors, []);
    await page.close();
});

// ---- the shared keystroke table ------------------------------------------------------------

// tests/editors/keystrokes.json, typed into the page's grid with the browser's own key events,
// as the desktop test types it into the program's table.
const KEYSTROKES = JSON.parse(readFileSync(join(root, 'tests/editors/keystrokes.json'), 'utf8'));
const COLUMN = { Band: 1, RxFrequency: 2, TxFrequency: 3, RxTone: 4, TxTone: 5, Power: 6, Bandwidth: 7, Bit14: 8,
    BusyLockout: 9, Signalling: 10, Name: 11 };
const KEY_NAMES = { Down: 'ArrowDown', Up: 'ArrowUp', Backspace: 'Backspace' };
const gridCell = (n, column) => `#grid tbody tr:nth-child(${n + 1}) > :nth-child(${column + 1})`;

// Characters and {Key} tokens to whatever has the focus. A character the keyboard has no key
// for comes as an input method sends it: a key event carrying the character.
async function typeKeys(page, client, keys) {
    for (const token of keys.match(/\{[^}]*\}|./gu) || []) {
        if (token.startsWith('{')) await page.keyboard.press(KEY_NAMES[token.slice(1, -1)]);
        else if (token.codePointAt(0) < 0x80) await page.keyboard.type(token);
        else {
            await client.send('Input.dispatchKeyEvent', { type: 'keyDown', key: token, text: token, unmodifiedText: token });
            await client.send('Input.dispatchKeyEvent', { type: 'keyUp', key: token });
        }
    }
}

// Lets the page finish what a loss of focus started.
const settle = (page) => page.evaluate(() => new Promise((resolve) => setTimeout(resolve, 20)));

test('the shared keystroke table: what is typed into a cell is what the saved file holds, with the same texts and notices as the desktop', async () => {
    const { page, errors } = await openPage();
    const client = await page.createCDPSession();
    await page.select('#language', ENGLISH);
    // The fixture, made by the page's own core: the CSV imported into a new image, then the pokes.
    const { csv, pokes } = KEYSTROKES.fixture;
    const fixtureBytes = Buffer.from(await page.evaluate((text, changes) => {
        const { doc } = globalThis.radioprogPage;
        doc.startNew();
        doc.importCsv(text, -1);
        const bytes = doc.datBytes();
        for (const { offset, bytes: poked } of changes) bytes.set(poked, offset);
        return Array.from(bytes);
    }, csv, pokes));
    const fixturePath = join(work, 'keystrokes.dat');
    writeFileSync(fixturePath, fixtureBytes);
    const headers = await page.$$eval('#grid thead th', (cells) => cells.map((c) => c.textContent));

    const failures = [];
    let axeChecked = false;
    for (const row of KEYSTROKES.cases) {
        const fail = (what) => failures.push(`${row.what}: ${what}`);
        // The fixture opened through the page's Open command.
        const modified = await page.evaluate(() => globalThis.radioprogPage.doc.modified());
        await page.evaluate(() => { document.title = ''; });
        const chooser = page.waitForFileChooser();
        await command(page, 'open');
        if (modified) await answer(page, 1); // discard the previous row's edit
        await (await chooser).accept([fixturePath]);
        await page.waitForFunction(() => document.title.startsWith('keystrokes.dat'));
        await page.$eval('#status', (status) => { status.textContent = ''; });

        const column = COLUMN[row.column];
        const stored = row.storedColumn ? COLUMN[row.storedColumn] : column;
        // The cell chosen by the keyboard: the first cell, down to the channel, right to the column.
        await page.focus('#grid [tabindex="0"]');
        await page.keyboard.down('Control');
        await page.keyboard.press('Home');
        await page.keyboard.up('Control');
        for (let n = 0; n < row.channel; ++n) await page.keyboard.press('ArrowDown');
        await page.keyboard.press('Home');
        for (let c = 1; c < column; ++c) await page.keyboard.press('ArrowRight');
        if (row.start === 'opened') await page.click(gridCell(row.channel, column));
        const shownBefore = Number(await page.$eval('#dialog', (dialog) => dialog.dataset.shown || 0));
        await typeKeys(page, client, row.keys);
        if (!axeChecked && (await page.$('#grid select.cell-editor'))) {
            // An open list editor, typed text shown, has no serious accessibility violation.
            await page.addScriptTag({ path: AXE });
            const result = await page.evaluate(() => globalThis.axe.run('#view-channels', { resultTypes: ['violations'] }));
            for (const v of result.violations)
                if (v.impact === 'serious' || v.impact === 'critical') fail(`axe: ${v.id} ${v.nodes[0].target.join(' ')}`);
            axeChecked = true;
        }
        if (row.commit === 'click') await page.click(gridCell(row.channel + 2, COLUMN.RxFrequency));
        else await page.keyboard.press({ enter: 'Enter', tab: 'Tab', escape: 'Escape' }[row.commit]);
        await settle(page);

        const notice = Number(await page.$eval('#dialog', (dialog) => dialog.dataset.shown || 0)) > shownBefore;
        const noticeText = notice ? await page.$eval('#dialog-title', (title) => title.textContent) : '';
        if (notice) await answer(page, 0);
        if (notice !== row.notice) fail(`notice ${notice}, want ${row.notice} ${noticeText}`);

        const saved = Buffer.from(await page.evaluate(() => Array.from(globalThis.radioprogPage.doc.datBytes())));
        const want = row.shown === null ? fixtureBytes : Buffer.from(await page.evaluate((bytes, n, c, text) =>
            Array.from(globalThis.radioprogPage.doc.datWithCell(Uint8Array.from(bytes), n, c, text)),
        Array.from(fixtureBytes), row.channel, stored, row.shown));
        if (!saved.equals(want)) fail('the saved bytes are not the expected image');
        if (await page.evaluate(() => globalThis.radioprogPage.doc.modified()) !== !want.equals(fixtureBytes))
            fail('the document\'s modified mark is wrong (an undo step for no change?)');
        // The grid shows what the image holds.
        const [shownRow, imageRow] = await page.evaluate((n) => [
            [...document.getElementById('grid').tBodies[0].rows[n].cells].map((cell) => cell.textContent),
            globalThis.radioprogPage.doc.row(n)], row.channel);
        if (JSON.stringify(shownRow) !== JSON.stringify(imageRow)) fail(`the grid shows ${shownRow}, the image ${imageRow}`);
        if (row.shown !== null && shownRow[stored] !== row.shown) fail(`shows ${shownRow[stored]}, want ${row.shown}`);

        if (row.commit !== 'click') {
            // The editor is gone, the focus is back on the table's current cell and the live
            // region says the cell and its value, or why nothing was stored.
            const focus = await page.evaluate(() => {
                const active = document.activeElement;
                const editors = [...document.querySelectorAll('#grid .cell-editor')];
                return { cell: active.matches('#grid td[tabindex="0"]'), row: active.parentElement?.sectionRowIndex, column: active.cellIndex,
                    editors: editors.map((e) => `${e.closest('tr').sectionRowIndex}/${e.closest('td').cellIndex}`).join() };
            });
            if (!focus.cell || focus.editors) fail(`focus ${JSON.stringify(focus)}`);
            if (row.commit === 'escape' && (focus.row !== row.channel || focus.column !== column)) fail(`Esc left the focus at ${JSON.stringify(focus)}`);
            const status = await page.$eval('#status', (region) => region.textContent);
            const speech = `Channel ${row.channel}, ${headers[stored]}, ${shownRow[stored] || ''}`;
            const said = notice && row.shown === null ? status.includes(noticeText) : status.startsWith(speech);
            if (!said) fail(`the live region says "${status}"`);
        }
    }
    assert.deepEqual(failures, []);
    assert.ok(axeChecked);
    assert.equal(await page.$eval('#status', (region) => region.getAttribute('aria-live')), 'polite');

    // An empty name opened and left with Esc leaves no editor behind.
    await page.focus(gridCell(2, COLUMN.Name));
    await page.click(gridCell(2, COLUMN.Name));
    await page.keyboard.press('Escape');
    await page.keyboard.press('Delete');
    await page.click(gridCell(2, COLUMN.Name));
    assert.equal(await page.$eval('#grid input.cell-editor', (input) => input.value), '');
    await page.keyboard.press('Escape');
    assert.equal(await page.$('#grid .cell-editor'), null);
    assert.equal(await page.evaluate(() => document.activeElement.matches('#grid td[tabindex="0"]')), true);
    assert.equal(await cellText(page, 2, COLUMN.Name), '');
    // A refused key is said in the live region too.
    await page.keyboard.type('-');
    assert.match(await page.$eval('#status', (region) => region.textContent), /-/);
    // An entry picked from an opened list (the change event a pick with the mouse sends) is stored.
    await page.click(gridCell(2, COLUMN.Power));
    await page.select('#grid select.cell-editor', 'Low');
    assert.equal(await page.$eval('#status', (region) => region.textContent), 'Low');
    await page.keyboard.press('Enter');
    assert.equal(await cellText(page, 2, COLUMN.Power), 'Low');
    assert.deepEqual(errors, []);
    await page.close();
});

test('the batch dialog fills the channels the table numbers, and refuses steps that leave the radio\'s frequencies', async () => {
    const { page, errors } = await openPage();
    // Typed as a user types: the fields are reached with Tab from the dialog's first one.
    const fill = async (values) => {
        await command(page, 'batch');
        await page.waitForSelector('#dialog[open] #batch-rxStart');
        for (const [key, value] of Object.entries(values)) {
            const selector = `#batch-${key}`;
            if (typeof value === 'boolean') {
                const checked = await page.$eval(selector, (box) => box.checked);
                if (checked !== value) {
                    await page.focus(selector);
                    await page.keyboard.press('Space');
                }
            } else {
                await page.focus(selector);
                await page.keyboard.down('Control');
                await page.keyboard.press('a');
                await page.keyboard.up('Control');
                await page.keyboard.type(value);
            }
        }
        await answer(page, 0);
    };
    await fill({ rxStart: '146.5', txStart: '146.5', all: false, first: '5', last: '7' });
    assert.equal(await cellText(page, 4, 2), '');
    assert.equal(await cellText(page, 5, 2), '146.50000');
    assert.equal(await cellText(page, 7, 2), '146.55000');
    assert.equal(await cellText(page, 8, 2), '');
    const before = await page.evaluate(() => Array.from(globalThis.radioprogPage.doc.datBytes()));
    // Down from 136.05 MHz in 25 kHz steps: channel 3 would be below 136 MHz.
    await fill({ rxStart: '136.05', txStart: '136.05', down: true, all: false, first: '0', last: '10' });
    await page.waitForSelector('#dialog[open]');
    assert.match(await page.$eval('#dialog-body', (body) => body.textContent), /\b3\b/);
    await answer(page, 0);
    assert.deepEqual(await page.evaluate(() => Array.from(globalThis.radioprogPage.doc.datBytes())), before);
    assert.deepEqual(errors, []);
    await page.close();
});

test('OK in the forms without an edit changes no byte, also of values the forms cannot show', async () => {
    const { page, errors } = await openPage();
    // Every byte from the settings on holds a value of no list: opened through the page's Open.
    const odd = Buffer.from(await page.evaluate(() => {
        const bytes = globalThis.radioprogPage.doc.datBytes();
        for (let i = 4428; i < 4816; ++i) bytes[i] = (i * 37 + 11) & 0xff;
        return Array.from(bytes);
    }));
    const path = join(work, 'odd-settings.dat');
    writeFileSync(path, odd);
    await chooseFile(page, 'open', path);
    await page.waitForFunction(() => document.title.startsWith('odd-settings.dat'));
    for (const [tab, form] of [['#tab-functions', '#functions-form'], ['#tab-dtmf', '#dtmf-form']]) {
        await page.click(tab);
        await page.focus(`${form} button[type="submit"]`);
        await page.keyboard.press('Enter');
    }
    const after = Buffer.from(await page.evaluate(() => Array.from(globalThis.radioprogPage.doc.datBytes())));
    assert.ok(after.equals(odd), 'the forms changed bytes nobody edited');
    assert.equal(await page.evaluate(() => globalThis.radioprogPage.doc.modified()), false);
    assert.deepEqual(errors, []);
    await page.close();
});

test('CSV import then export gives what the native import and export give', async () => {
    const { page, downloads } = await openPage();
    await chooseFile(page, 'importCsv', demoCsv);
    await answer(page, 0); // by Location
    await answer(page, 0); // the report
    await command(page, 'exportCsv');
    const fresh = join(work, 'imported.dat');
    runCli('new', fresh);
    runCli('import-csv', fresh, demoCsv);
    assert.equal((await downloaded(downloads, 'radio.csv')).toString(), runCli('export-csv', fresh, '-').toString());
    await page.close();
});

test('the language is switched, remembered after a reload, and unsaved edits are offered back', async () => {
    const { page } = await openPage();
    await page.select('#language', CHINESE);
    await page.focus('#grid [tabindex="0"]');
    await page.keyboard.type('438.5');
    await page.keyboard.press('Enter');
    const headers = await page.$$eval('#grid thead th', (cells) => cells.map((c) => c.textContent));
    assert.equal(headers[2], '接收频率');
    assert.equal(await page.$eval('html', (html) => html.lang), 'zh-Hans');

    await page.reload();
    await page.waitForSelector('body[data-ready="true"]');
    await page.waitForSelector('#dialog[open]');
    assert.match(await page.$eval('#dialog-title', (t) => t.textContent), /恢复/);
    await answer(page, 0);
    assert.equal(await cellText(page, 0, 2), '438.50000');
    assert.ok((await title(page)).includes('*'));
    assert.equal((await page.$$eval('#grid thead th', (cells) => cells.map((c) => c.textContent)))[2], '接收频率');

    // Discarding the offer forgets it.
    await page.reload();
    await page.waitForSelector('body[data-ready="true"]');
    await answer(page, 1);
    await page.reload();
    await page.waitForSelector('body[data-ready="true"]');
    assert.equal(await page.$('#dialog[open]'), null);
    await page.close();
});

test('the service worker keeps every file of the page, so it starts offline', async () => {
    const { page, errors } = await openPage();
    const cached = readFileSync(join(pageDir, 'sw.js'), 'utf8').match(/const FILES = \[([^\]]*)\]/)[1]
        .match(/'[^']*'/g).map((name) => name.slice(1, -1));
    // What the page loaded from its own folder, and every file of the repository's web folder.
    const loaded = await page.evaluate(() => performance.getEntriesByType('resource')
        .map((entry) => new URL(entry.name)).filter((url) => url.origin === location.origin)
        .map((url) => url.pathname.replace(/^\//, '') || './'));
    const sources = readdirSync(join(root, 'web')).filter((name) => name !== 'sw.js');
    for (const name of [...loaded, ...sources]) assert.ok(cached.includes(name), `${name} is not in sw.js's FILES`);
    for (const name of cached) {
        const status = await page.evaluate(async (path) => (await fetch(path, { cache: 'no-store' })).status, name);
        assert.equal(status, 200, name);
    }
    assert.deepEqual(errors, []);
    await page.close();
});

test('every view has no serious accessibility violation; screenshots', async () => {
    const screens = join(pageDir, '..', 'web-screens');
    mkdirSync(screens, { recursive: true });
    const { page } = await openPage();
    const found = [];
    const check = async (view) => {
        await page.addScriptTag({ path: AXE });
        const result = await page.evaluate(() => globalThis.axe.run(document, { resultTypes: ['violations'] }));
        for (const v of result.violations)
            if (v.impact === 'serious' || v.impact === 'critical')
                found.push(`${view}: ${v.id} (${v.nodes.length}) ${v.nodes[0].target.join(' ')}`);
    };
    for (const [language, code] of [['en', ENGLISH], ['zh', CHINESE]]) {
        await page.select('#language', code);
        for (const [width, height] of [[1366, 768], [390, 844]]) {
            await page.setViewport({ width, height });
            for (const view of ['channels', 'functions', 'dtmf']) {
                await page.click(`#tab-${view}`);
                await page.screenshot({ path: join(screens, `${view}-${language}-${width}x${height}.png`) });
                if (width === 1366) await check(`${view} ${language}`);
            }
        }
        await page.setViewport({ width: 1366, height: 768 });
        await command(page, 'batch');
        await page.waitForSelector('#dialog[open]');
        await page.screenshot({ path: join(screens, `batch-${language}.png`) });
        await check(`batch ${language}`);
        await answer(page, 1);
    }
    assert.deepEqual(found, []);
    assert.ok(readdirSync(screens).length >= 14);
    await page.close();
});

// ---- the printout -------------------------------------------------------------------------

// pdftotext's text of one page as laid out, each line's spaces made one.
function pdfPageText(pdf, page) {
    const text = execFileSync('pdftotext', ['-layout', '-f', String(page), '-l', String(page), pdf, '-'], { encoding: 'utf8' });
    return text.split('\n').map((line) => line.trim().replace(/\s+/g, ' ')).filter(Boolean).join('\n');
}

test('the printout\'s settings page reads as radioprog-cli prints it, for three images in three languages', async (t) => {
    try {
        execFileSync('pdftotext', ['-v'], { stdio: 'ignore' });
    } catch {
        return t.skip('pdftotext (poppler-utils) is not installed');
    }
    // A new image, a file of odd contents, and one whose every settings byte differs from a new one.
    const fresh = join(work, 'print-new.dat');
    runCli('new', fresh);
    const odd = join(root, 'tests/fuzz/corpus/dat_file/odd_tones.dat');
    const scrambled = join(work, 'print-scrambled.dat');
    const bytes = readFileSync(fresh);
    for (let address = 0x0e20; address < 0x0e60; ++address) bytes[4428 + address - 0x0e20] = (address * 7 + 1) & 0xff;
    writeFileSync(scrambled, bytes);

    const { page, errors } = await openPage();
    // The test prints with Chromium's printToPDF instead of the print dialog.
    await page.evaluate(() => (window.print = () => {}));
    for (const language of ['0', '1', '2']) {
        await page.select('#language', language);
        for (const file of [fresh, odd, scrambled]) {
            await chooseFile(page, 'open', file);
            await page.waitForFunction((name) => document.title.startsWith(name), {}, file.split('/').pop());
            await command(page, 'print');
            const browserPdf = join(work, `browser-${language}.pdf`);
            writeFileSync(browserPdf, await page.pdf({ preferCSSPageSize: true, printBackground: true }));
            const cliPdf = join(work, `cli-${language}.pdf`);
            execFileSync(cli, ['print', file, '--language', language, '--pdf', cliPdf], { stdio: 'ignore' });
            const pages = (pdf) => Number(/Pages:\s+(\d+)/.exec(execFileSync('pdfinfo', [pdf], { encoding: 'utf8' }))[1]);
            assert.equal(pages(browserPdf), 3, `${file} in language ${language}`);
            assert.equal(pdfPageText(browserPdf, 3), pdfPageText(cliPdf, 3), `${file} in language ${language}`);
        }
    }
    assert.deepEqual(errors, []);
    await page.close();
});

// ---- transfers over the test port -----------------------------------------------------------

// Least time on the wire at 9600 baud (960 bytes a second both ways) plus the 200 ms quiet
// time before mode entry: handshake, then 71 block reads or the band-limit read and 280 units.
const WIRE_SECONDS = {
    read: (21 + 71 * 74) / 960 + 0.2,
    write: (21 + 74 + 280 * 21) / 960 + 0.2,
};

async function installRadio(page) {
    await page.addScriptTag({ path: join(simDir, 'radiosim.js') });
    await page.addScriptTag({ path: join(root, 'tests/web/test_serial.js') });
    await page.evaluate((wasm) => globalThis.installTestSerial(Uint8Array.from(atob(wasm), (c) => c.charCodeAt(0))),
        readFileSync(join(simDir, 'radiosim.wasm')).toString('base64'));
}

const onRadio = (page, code, ...args) => page.evaluate(code, ...args);
const loadRadio = (page, path) => onRadio(page, (b64) => testRadio.radio.loadDat(Uint8Array.from(atob(b64), (c) => c.charCodeAt(0))),
    readFileSync(path).toString('base64'));
const radioDat = async (page) => Buffer.from(await onRadio(page, () => Array.from(testRadio.radio.datBytes())));
const dialogText = (page) => page.$eval('#dialog', (dialog) => `${dialog.querySelector('h2').textContent}\n${dialog.querySelector('#dialog-body').textContent}`);

// Runs Read or Write and waits for its first message; returns the seconds it took.
async function transfer(page, name) {
    const start = Date.now();
    await command(page, name);
    await page.waitForSelector('#dialog[open]', { timeout: 60000 });
    return (Date.now() - start) / 1000;
}

test('read from the radio: the table shows it and the saved file is the radio byte for byte', async () => {
    const { page, downloads, errors } = await openPage();
    await installRadio(page);
    assert.equal(await loadRadio(page, fixture), true);
    await onRadio(page, () => testRadio.radio.setPaced(true));
    const seconds = await transfer(page, 'readRadio');
    console.log(`# paced read: ${seconds.toFixed(2)} s, wire ${WIRE_SECONDS.read.toFixed(2)} s, ratio ${(seconds / WIRE_SECONDS.read).toFixed(3)}`);
    assert.match(await dialogText(page), /Read completed/);
    assert.deepEqual(await onRadio(page, () => testRadio.state.lineOptions),
        { baudRate: 9600, dataBits: 8, parity: 'none', stopBits: 1, flowControl: 'none', bufferSize: 4096 });
    await answer(page, 0);
    assert.equal(await page.$eval('#transfer', (bar) => bar.hidden), true);
    assert.equal(await cellText(page, 1, 2), '145.35000');
    assert.equal(await cellText(page, 0, 11), 'CALL2M');
    assert.ok((await title(page)).includes('*'));
    await command(page, 'save');
    assert.deepEqual(await downloaded(downloads, 'radio.dat'), readFileSync(fixture));
    assert.deepEqual(errors, []);
    await page.close();
});

test('edit a cell and a setting, write with verify: the radio holds what the saved file holds', async () => {
    const { page, downloads, errors } = await openPage();
    await installRadio(page);
    const paced = process.env.RADIOPROG_WEB_FIGURES === '1';
    await onRadio(page, (p) => testRadio.radio.setPaced(p), paced);
    await chooseFile(page, 'open', fixture);
    await page.waitForFunction(() => document.title.startsWith('radio.dat'));
    await page.focus('#grid [tabindex="0"]');
    await page.keyboard.type('147.125');
    await page.keyboard.press('Enter');
    await page.click('#tab-functions');
    await page.focus('#control-1013');
    await page.keyboard.press('ArrowDown'); // the squelch, not yet stored: Write stores it
    await page.click('#verify');
    const seconds = await transfer(page, 'writeRadio');
    if (paced) console.log(`# paced verified write: ${seconds.toFixed(2)} s (wire for the write alone ${WIRE_SECONDS.write.toFixed(2)} s)`);
    assert.match(await dialogText(page), /Write completed/);
    await answer(page, 0);
    await command(page, 'save');
    const saved = await downloaded(downloads, 'radio.dat');
    assert.deepEqual(await radioDat(page), saved);
    const edited = join(work, 'written.dat');
    writeFileSync(edited, saved);
    let differences = '';
    try {
        runCli('diff', fixture, edited);
    } catch (error) {
        differences = error.stdout.toString();
    }
    assert.match(differences, /147\.12500/);
    assert.match(differences, /Squelch/);
    assert.deepEqual(errors, []);
    await page.close();
});

test('a write the radio\'s bands refuse sends nothing and says which channel', async () => {
    const { page, errors } = await openPage();
    await installRadio(page);
    await onRadio(page, () => testRadio.radio.setBands(136, 174));
    await chooseFile(page, 'open', fixture);
    await page.waitForFunction(() => document.title.startsWith('radio.dat'));
    await transfer(page, 'writeRadio');
    assert.match(await dialogText(page), /Channel 6 \(446\.00000 MHz\) out of band <136\.000~174\.995/);
    assert.match(await dialogText(page), /Channel 7: RX Freq 442\.12500 MHz/);
    await answer(page, 0);
    await page.waitForSelector('#dialog[open]'); // the write's result follows the refusal
    assert.match(await dialogText(page), /Write failed/);
    await answer(page, 0);
    assert.equal(await onRadio(page, () => testRadio.radio.writesReceived()), 0);
    assert.deepEqual(errors, []);
    await page.close();
});

// What a transfer disables: whatever replaces or edits the image, another transfer, the language.
const BLOCKED_DURING_TRANSFER = ['batch', 'compareWith', 'importCsv', 'language', 'new', 'open', 'readRadio', 'redo', 'undo',
    'writeRadio'];
const disabledCommands = (page) => page.$$eval('[data-command]',
    (controls) => controls.filter((control) => control.disabled).map((control) => control.dataset.command).sort());

test('a silent radio ends the read within its bound and changes nothing; during a read only the commands that wait for it are disabled; Cancel stops it at once', async () => {
    const { page, errors } = await openPage();
    await installRadio(page);
    await page.focus('#grid [tabindex="0"]');
    await page.keyboard.type('438.5');
    await page.keyboard.press('Enter');
    await command(page, 'save'); // nothing unsaved to ask about
    await onRadio(page, () => testRadio.radio.setSilent(true));
    // 200 ms quiet, then the mode-entry string four times, each answer awaited about a second.
    const seconds = await transfer(page, 'readRadio');
    assert.ok(seconds < 8, `${seconds} s`);
    assert.match(await dialogText(page), /No radio/);
    assert.match(await dialogText(page), /USB 0403:6001/);
    await answer(page, 0);
    assert.equal(await cellText(page, 0, 2), '438.50000');

    await onRadio(page, () => {
        testRadio.radio.setSilent(false);
        testRadio.radio.setPaced(true);
    });
    await command(page, 'readRadio');
    await page.waitForFunction(() => document.getElementById('transfer-progress').value >= 5);
    assert.deepEqual(await disabledCommands(page), BLOCKED_DURING_TRANSFER);
    assert.equal(await page.$eval('#transfer-cancel', (button) => button.disabled), false);
    assert.equal(await page.$eval('#transfer-cancel', (button) => button.textContent), 'Cancel');
    const start = Date.now();
    await page.click('#transfer-cancel');
    await page.waitForSelector('#dialog[open]');
    const cancelMs = Date.now() - start;
    console.log(`# cancel to message: ${cancelMs} ms`);
    assert.ok(cancelMs < 500, `${cancelMs} ms`);
    assert.match(await dialogText(page), /Read cancelled/);
    await answer(page, 0);
    assert.deepEqual(await disabledCommands(page), []);
    assert.equal(await cellText(page, 0, 2), '438.50000');
    assert.equal(await onRadio(page, () => testRadio.state.opens), 2);
    assert.deepEqual(errors, []);
    await page.close();
});

test('the transfer views have no serious accessibility violation; screenshots', async () => {
    const screens = join(pageDir, '..', 'web-screens');
    mkdirSync(screens, { recursive: true });
    const { page, errors } = await openPage();
    await installRadio(page);
    await onRadio(page, () => testRadio.radio.setPaced(true));
    const found = [];
    const check = async (view) => {
        await page.addScriptTag({ path: AXE });
        const result = await page.evaluate(() => globalThis.axe.run(document, { resultTypes: ['violations'] }));
        for (const v of result.violations)
            if (v.impact === 'serious' || v.impact === 'critical')
                found.push(`${view}: ${v.id} (${v.nodes.length}) ${v.nodes[0].target.join(' ')}`);
    };
    for (const [language, code] of [['en', ENGLISH], ['zh', CHINESE]]) {
        await page.setViewport({ width: 1366, height: 768 });
        await page.select('#language', code);
        await command(page, 'readRadio');
        await page.waitForFunction(() => document.getElementById('transfer-progress').value >= 3);
        await check(`reading ${language}`);
        for (const [width, height] of [[1366, 768], [390, 844]]) {
            await page.setViewport({ width, height });
            await page.screenshot({ path: join(screens, `reading-${language}-${width}x${height}.png`) });
        }
        await page.click('#transfer-cancel');
        await page.waitForSelector('#dialog[open]');
        await page.screenshot({ path: join(screens, `read-cancelled-${language}-390x844.png`) });
        await check(`transfer result ${language}`);
        await answer(page, 0);
    }
    assert.deepEqual(found, []);
    assert.deepEqual(errors, []);
    await page.close();
});
