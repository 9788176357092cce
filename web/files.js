// SPDX-License-Identifier: GPL-3.0-or-later
// Files: New, Open (by the picker or dropped on the page), Save, the recovery of unsaved edits,
// CSV import and export, Compare With. The core reads and writes every byte.
import { doc, $, texts, ask, showLines, updateTitle, storeRecovery, RECOVERY_KEY, RECOVERY_NAME_KEY } from './core.js';
import { renderGrid, setSelection, afterEdit, currentChannel } from './grid.js';
import { renderForms, storeForms } from './forms.js';

let fileHandle = null;

export async function offerRecovery() {
    const stored = localStorage.getItem(RECOVERY_KEY);
    if (!stored) return;
    const choice = await ask(texts.restoreQuestion, [texts.restore, texts.discard]);
    if (choice === 0) {
        const bytes = Uint8Array.from(atob(stored), (c) => c.charCodeAt(0));
        const error = doc.openDat(bytes, localStorage.getItem(RECOVERY_NAME_KEY) || '', true);
        if (error) await showLines('', [error]);
        refreshAll();
    } else {
        localStorage.removeItem(RECOVERY_KEY);
        localStorage.removeItem(RECOVERY_NAME_KEY);
    }
}

export function refreshAll() {
    setSelection([]);
    renderGrid();
    renderForms();
    updateTitle();
    storeRecovery();
}

export async function keepOrDiscard() {
    if (!doc.modified()) return true;
    const choice = await ask(doc.saveChangesQuestion(), [texts.save, texts.discard, texts.cancel]);
    if (choice === 0) return save(false);
    return choice === 1;
}

async function openBytes(file) {
    const bytes = new Uint8Array(await file.arrayBuffer());
    const error = doc.openDat(bytes, file.name, false);
    if (error) return showLines('', [error]);
    refreshAll();
}

function download(name, data, type) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([data], { type }));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

export async function save(askName) {
    storeForms();
    const bytes = doc.datBytes();
    if (fileHandle && !askName) {
        const writable = await fileHandle.createWritable();
        await writable.write(bytes);
        await writable.close();
        doc.markSaved(fileHandle.name);
    } else if (globalThis.showSaveFilePicker) {
        try {
            fileHandle = await showSaveFilePicker({ suggestedName: doc.saveName(doc.path() || 'radio') });
        } catch {
            return false;
        }
        return save(false);
    } else {
        const name = doc.saveName(doc.path() || 'radio');
        download(name, bytes, 'application/octet-stream');
        doc.markSaved(name);
    }
    updateTitle();
    storeRecovery();
    return true;
}

async function importCsv(file) {
    const text = await file.text();
    let first = -1;
    if (doc.csvHasLocation(text)) {
        const choice = await ask(texts.importPlacement, [texts.byLocation, `${texts.fromChannel} ${currentChannel()}`, texts.cancel]);
        if (choice < 0 || choice === 2) return;
        if (choice === 1) first = currentChannel();
    } else {
        first = currentChannel();
    }
    const report = doc.importCsv(text, first);
    renderGrid();
    afterEdit([]);
    await showLines(`${texts.channelsImported} ${report.stored}`, report.lines);
}

async function compareWith(file) {
    const answer = doc.compareWith(new Uint8Array(await file.arrayBuffer()), file.name);
    if (answer.error) return showLines('', [answer.error]);
    return showLines(texts.differences, answer.lines.length ? answer.lines : [texts.noDifferences]);
}

function pickFile(id) {
    const input = $(id);
    input.value = '';
    return new Promise((resolve) => {
        input.onchange = () => resolve(input.files[0]);
        input.click();
    });
}

// ---- commands ----------------------------------------------------------------------------

export async function newDocument() {
    if (!(await keepOrDiscard())) return;
    doc.startNew();
    fileHandle = null;
    refreshAll();
}

export async function openDocument() {
    if (!(await keepOrDiscard())) return;
    if (globalThis.showOpenFilePicker) {
        try {
            [fileHandle] = await showOpenFilePicker();
        } catch {
            return;
        }
        return openBytes(await fileHandle.getFile());
    }
    const file = await pickFile('open-file');
    if (file) {
        fileHandle = null;
        await openBytes(file);
    }
}

export async function importCsvFile() {
    const file = await pickFile('csv-file');
    if (file) await importCsv(file);
}

export function exportCsv() {
    const base = (doc.path() || 'radio').replace(/\.dat$/i, '');
    download(`${base}.csv`, doc.exportCsv(), 'text/csv');
}

export async function compareWithFile() {
    const file = await pickFile('compare-file');
    if (file) await compareWith(file);
}

// A .dat file dropped on the page opens; a .csv file is imported.
document.addEventListener('dragover', (event) => event.preventDefault());
document.addEventListener('drop', async (event) => {
    event.preventDefault();
    const file = event.dataTransfer.files[0];
    // Both replace or edit the image, which waits for a transfer to end.
    if (!file || doc.transferRunning()) return;
    if (/\.csv$/i.test(file.name)) await importCsv(file);
    else if (await keepOrDiscard()) {
        fileHandle = null;
        await openBytes(file);
    }
});
