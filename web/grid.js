// SPDX-License-Identifier: GPL-3.0-or-later
// The channel table: a grid of 128 channels built once and rendered from the core's rows, its
// keys, the cell editor, the clipboard, and the batch dialog. The core decides every cell's
// text, editor, move and value.
import { doc, $, texts, plain, ask, showLines, updateTitle, storeRecovery } from './core.js';

const CHANNELS = 128;
const COLUMNS = 12;
const grid = $('grid');
let current = { row: 1, column: 2 };
let selection = new Set();
let anchorChannel = null;
let editor = null; // { input, row, column }

// The channel the cursor is on.
export function currentChannel() {
    return current.row - 1;
}

function cellAt(row, column) {
    return grid.rows[row]?.cells[column];
}

export function buildGrid() {
    const head = grid.createTHead().insertRow();
    head.setAttribute('aria-rowindex', '1');
    for (let c = 0; c < COLUMNS; ++c) {
        const th = document.createElement('th');
        th.setAttribute('role', 'columnheader');
        th.setAttribute('aria-colindex', String(c + 1));
        head.appendChild(th);
    }
    const body = grid.createTBody();
    for (let n = 0; n < CHANNELS; ++n) {
        const tr = body.insertRow();
        tr.setAttribute('aria-rowindex', String(n + 2));
        tr.setAttribute('aria-selected', 'false');
        const th = document.createElement('th');
        th.setAttribute('role', 'rowheader');
        th.setAttribute('aria-colindex', '1');
        th.tabIndex = -1;
        tr.appendChild(th);
        for (let c = 1; c < COLUMNS; ++c) {
            const td = tr.insertCell();
            td.setAttribute('role', 'gridcell');
            td.setAttribute('aria-colindex', String(c + 1));
            td.tabIndex = -1;
        }
    }
    cellAt(current.row, current.column).tabIndex = 0;
}

export function renderGrid() {
    const headers = doc.headers();
    headers.forEach((text, c) => (cellAt(0, c).textContent = text));
    for (let n = 0; n < CHANNELS; ++n) renderRow(n);
}

function renderRow(n) {
    const cells = doc.row(n);
    const tr = grid.rows[n + 1];
    for (let c = 0; c < COLUMNS; ++c) {
        const cell = tr.cells[c];
        if (editor && editor.row === n + 1 && editor.column === c) continue;
        if (cell.textContent !== cells[c]) cell.textContent = cells[c];
    }
    tr.setAttribute('aria-selected', selection.has(n) ? 'true' : 'false');
}

export function afterEdit(changed) {
    if (changed && changed.length) for (const n of changed) renderRow(n);
    updateTitle();
    storeRecovery();
}

function focusCell(row, column) {
    const old = cellAt(current.row, current.column);
    if (old) old.tabIndex = -1;
    current = { row, column };
    const cell = cellAt(row, column);
    cell.tabIndex = 0;
    cell.focus();
}

function selectedOrCurrent() {
    return selection.size ? [...selection].sort((a, b) => a - b) : [current.row - 1];
}

export function setSelection(channels) {
    selection = new Set(channels);
    for (let n = 0; n < CHANNELS; ++n) grid.rows[n + 1].setAttribute('aria-selected', selection.has(n) ? 'true' : 'false');
}

function openEditor(key, byClick) {
    if (current.column === 0) return;
    const n = current.row - 1;
    const target = doc.openEditor(n, current.column, key ? key.codePointAt(0) : 0, byClick);
    if (target.kind === 'none') return;
    if (target.column !== current.column) focusCell(current.row, target.column);
    const cell = cellAt(current.row, current.column);
    const cellText = cell.textContent;
    let input;
    if (target.kind === 'list') {
        input = document.createElement('select');
        const choices = doc.editorChoices(current.column);
        input.replaceChildren(...choices.map((choice) => new Option(choice, choice)));
        const index = doc.findChoice(current.column, cellText);
        if (index >= 0) input.selectedIndex = index;
    } else {
        input = document.createElement('input');
        input.type = 'text';
        input.value = target.text !== null ? target.text : cellText;
        input.addEventListener('beforeinput', (event) => {
            if (!event.data) return;
            for (const ch of event.data) {
                const selected = input.selectionEnd - input.selectionStart;
                if (!doc.editAccepts(current.column, ch.codePointAt(0), input.value.length - selected, selected > 0)) {
                    event.preventDefault();
                    return;
                }
            }
        });
    }
    input.className = 'cell-editor';
    input.setAttribute('aria-label', `${doc.headers()[current.column]} ${cellAt(current.row, 0).textContent}`);
    editor = { input, row: current.row, column: current.column };
    cell.replaceChildren(input);
    input.focus();
    if (input.setSelectionRange) {
        if (byClick) input.select();
        else input.setSelectionRange(input.value.length, input.value.length);
    }
    input.addEventListener('keydown', editorKey);
    input.addEventListener('blur', () => setTimeout(() => editor && editor.input === input && commitEditor(false), 0));
}

function commitEditor(refocus = true) {
    if (!editor) return;
    const { input, row, column } = editor;
    const text = input.value;
    editor = null;
    afterEdit(doc.commitCell(row - 1, column, text));
    renderRow(row - 1);
    if (refocus) cellAt(current.row, current.column).focus();
}

function cancelEditor() {
    if (!editor) return;
    const row = editor.row;
    editor = null;
    renderRow(row - 1);
    cellAt(current.row, current.column).focus();
}

function advance() {
    const next = doc.advanceCell(current.row, current.column);
    if (next) focusCell(next.row, next.column);
}

function moveVertical(up) {
    const next = doc.verticalMove(current.row, current.column, up);
    if (next) focusCell(next.row, next.column);
}

function editorKey(event) {
    if (event.key === 'Enter' || (event.key === 'Tab' && !event.shiftKey)) {
        event.preventDefault();
        commitEditor();
        advance();
    } else if (event.key === 'Escape' || (event.key === 'z' && event.ctrlKey && editor.input.tagName === 'SELECT')) {
        event.preventDefault();
        event.stopPropagation();
        cancelEditor();
    } else if ((event.key === 'ArrowUp' || event.key === 'ArrowDown') && editor.input.tagName === 'INPUT') {
        event.preventDefault();
        commitEditor();
        moveVertical(event.key === 'ArrowUp');
    }
    event.stopPropagation();
}

async function insertChannel() {
    if (doc.insertDropsChannel() && (await ask(texts.confirmDropLast, [texts.ok, texts.cancel])) !== 0) return;
    afterEdit(doc.insertChannel(current.row - 1));
}

function moveChannels(up) {
    const moved = doc.moveChannels(selectedOrCurrent(), up);
    if (!moved.length) return;
    for (let n = 0; n < CHANNELS; ++n) renderRow(n);
    afterEdit([]);
    if (selection.size) setSelection(moved);
    focusCell(moved[0] + 1, current.column);
}

export function undoRedo(redo) {
    afterEdit(redo ? doc.redo() : doc.undo());
}

grid.addEventListener('keydown', async (event) => {
    if (editor) return;
    const ctrl = event.ctrlKey || event.metaKey;
    const key = event.key;
    if (ctrl && (key === 'ArrowUp' || key === 'ArrowDown')) {
        event.preventDefault();
        moveChannels(key === 'ArrowUp');
    } else if (ctrl && (key === 'z' || key === 'Z')) {
        event.preventDefault();
        undoRedo(event.shiftKey);
    } else if (ctrl && (key === 'y' || key === 'Y')) {
        event.preventDefault();
        undoRedo(true);
    } else if (key === 'ArrowUp' || key === 'ArrowDown') {
        event.preventDefault();
        moveVertical(key === 'ArrowUp');
    } else if (key === 'ArrowLeft' && current.column > 0) {
        event.preventDefault();
        focusCell(current.row, current.column - 1);
    } else if (key === 'ArrowRight' && current.column < COLUMNS - 1) {
        event.preventDefault();
        focusCell(current.row, current.column + 1);
    } else if (key === 'Home' || key === 'End') {
        event.preventDefault();
        const row = ctrl ? (key === 'Home' ? 1 : CHANNELS) : current.row;
        focusCell(row, key === 'Home' ? 1 : COLUMNS - 1);
    } else if (key === 'PageUp' || key === 'PageDown') {
        event.preventDefault();
        const row = Math.min(CHANNELS, Math.max(1, current.row + (key === 'PageUp' ? -10 : 10)));
        focusCell(row, current.column);
    } else if (key === 'Tab' && !event.shiftKey) {
        const next = doc.advanceCell(current.row, current.column);
        if (next) {
            event.preventDefault();
            focusCell(next.row, next.column);
        }
    } else if (key === 'Enter' || key === 'F2') {
        event.preventDefault();
        openEditor(null, true);
    } else if (key === 'Delete') {
        event.preventDefault();
        afterEdit(selection.size ? doc.deleteChannels(selectedOrCurrent()) : doc.clearCell(current.row - 1, current.column));
    } else if (key === 'Insert') {
        event.preventDefault();
        await insertChannel();
    } else if (key === ' ' && event.shiftKey) {
        event.preventDefault();
        toggleRowSelection(current.row - 1, false, true);
    } else if (key === 'Escape') {
        setSelection([]);
    } else if (key.length === 1 && !ctrl && !event.altKey) {
        event.preventDefault();
        openEditor(key, false);
    }
});

function toggleRowSelection(n, extend, add) {
    if (extend && anchorChannel !== null) {
        const [a, b] = [Math.min(anchorChannel, n), Math.max(anchorChannel, n)];
        setSelection(Array.from({ length: b - a + 1 }, (_, i) => a + i));
        return;
    }
    const next = add ? new Set(selection) : new Set();
    if (add && next.has(n)) next.delete(n);
    else next.add(n);
    anchorChannel = n;
    setSelection([...next]);
}

grid.addEventListener('click', (event) => {
    const cell = event.target.closest('td, th');
    if (!cell || editor?.input === event.target || event.target.closest('.cell-editor')) return;
    const row = cell.parentElement.rowIndex;
    if (row === 0) return;
    if (cell.cellIndex === 0) {
        toggleRowSelection(row - 1, event.shiftKey, event.ctrlKey || event.metaKey);
        focusCell(row, 0);
        return;
    }
    if (editor) commitEditor(false);
    focusCell(row, cell.cellIndex);
    openEditor(null, true);
});

grid.addEventListener('copy', (event) => {
    if (editor) return;
    event.preventDefault();
    event.clipboardData.setData('text/plain', doc.copyChannels(selectedOrCurrent()));
});
grid.addEventListener('cut', (event) => {
    if (editor) return;
    event.preventDefault();
    event.clipboardData.setData('text/plain', doc.cutChannels(selectedOrCurrent()));
    for (let n = 0; n < CHANNELS; ++n) renderRow(n);
    afterEdit([]);
});
grid.addEventListener('paste', (event) => {
    if (editor) return;
    event.preventDefault();
    pasteText(event.clipboardData.getData('text/plain'));
});

function pasteText(text) {
    const first = selection.size ? Math.min(...selection) : current.row - 1;
    const lines = doc.paste(first, current.column, text);
    for (let n = 0; n < CHANNELS; ++n) renderRow(n);
    afterEdit([]);
    if (lines.length) showLines(texts.skipped, lines);
}

// ---- batch channels ------------------------------------------------------------------------

export async function batchDialog() {
    const values = doc.batchDialog();
    const fields = [];
    const field = (key, label, element) => {
        element.id = `batch-${key}`;
        const row = document.createElement('div');
        row.className = 'field';
        const caption = document.createElement('label');
        caption.htmlFor = element.id;
        caption.textContent = plain(label);
        row.append(caption, element);
        fields.push(row);
        return element;
    };
    const text = (key, label) => field(key, label, Object.assign(document.createElement('input'), { value: values[key] }));
    const list = (key, label, entries) => {
        const select = document.createElement('select');
        select.replaceChildren(...entries.map((entry) => new Option(entry, entry)));
        select.value = values[key];
        return field(key, label, select);
    };
    const rx = text('rxStart', texts.rxStart);
    const tx = text('txStart', texts.txStart);
    const step = list('step', texts.stepKhz, values.steps);
    const down = field('down', texts.stepDown, Object.assign(document.createElement('input'), { type: 'checkbox' }));
    const all = field('all', texts.allChannels, Object.assign(document.createElement('input'), { type: 'checkbox', checked: true }));
    const first = field('first', texts.firstChannel, Object.assign(document.createElement('input'), { type: 'number', min: 0, max: 127, value: 0 }));
    const last = field('last', texts.lastChannel, Object.assign(document.createElement('input'), { type: 'number', min: 0, max: 127, value: 127 }));
    const rxTone = list('rxTone', texts.rxTone, values.tones);
    const txTone = list('txTone', texts.txTone, values.tones);
    const power = list('power', texts.power, values.powers);
    const bandwidth = list('bandwidth', texts.bandwidth, values.bandwidths);
    const busy = list('busyLockout', texts.busyLockout, values.busyLockouts);
    const ptt = list('pttId', texts.pttId, values.pttIds);
    const scan = field('scan', texts.scanAdd, Object.assign(document.createElement('input'), { type: 'checkbox', checked: true }));
    const choice = await ask(plain(texts.batch), [texts.ok, texts.cancel], fields);
    if (choice !== 0) return;
    const changed = doc.applyBatch({
        rxStart: rx.value, txStart: tx.value, step: step.value, rxTone: rxTone.value, txTone: txTone.value,
        power: power.value, bandwidth: bandwidth.value, busyLockout: busy.value, pttId: ptt.value,
    }, all.checked ? -1 : Number(first.value), all.checked ? -1 : Number(last.value), down.checked, scan.checked);
    afterEdit(changed);
}
