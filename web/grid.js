// SPDX-License-Identifier: GPL-3.0-or-later
// The channel table: a grid of 128 channels built once and rendered from the core's rows, its
// keys, the cell editor, the clipboard, and the batch dialog. The core's editing session
// decides every key, click and commit of a cell; this module forwards them and draws its
// answers (the cell editor, the current cell, a notice, the words for a screen reader).
import { doc, $, texts, plain, ask, showLines, updateTitle, storeRecovery } from './core.js';

const CHANNELS = 128;
const COLUMNS = 12;
const grid = $('grid');
let current = { row: 1, column: 2 };
let selection = new Set();
let anchorChannel = null;
let editor = null; // the open cell editor: { input, row, column, kind }

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
    // A new language closes the session's editor without storing.
    if (editor && !doc.sessionEditing()) dropEditor();
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

function focusCell(row, column, focus = true) {
    const old = cellAt(current.row, current.column);
    if (old) old.tabIndex = -1;
    current = { row, column };
    const cell = cellAt(row, column);
    cell.tabIndex = 0;
    if (focus) cell.focus();
}

function selectedOrCurrent() {
    return selection.size ? [...selection].sort((a, b) => a - b) : [current.row - 1];
}

export function setSelection(channels) {
    selection = new Set(channels);
    for (let n = 0; n < CHANNELS; ++n) grid.rows[n + 1].setAttribute('aria-selected', selection.has(n) ? 'true' : 'false');
}

// ---- the editing session's answers ---------------------------------------------------------

// What a screen reader says: the polite live region of the page.
function announce(words) {
    if (words) $('status').textContent = words;
}

// What an open edit field holds (the session ignores it for lists).
function editText() {
    return editor && editor.kind === 'edit' ? editor.input.value : '';
}

function dropEditor() {
    const { row, column } = editor;
    editor = null;
    // The cell's text replaces the editor even where it equals the editor's own (none).
    cellAt(row, column).textContent = doc.row(row - 1)[column];
    renderRow(row - 1);
}

function draw(answer) {
    // The table's current cell takes the focus back from an editor that had it, so a screen
    // reader is on the cell whose value it hears; an editor left by a click elsewhere keeps
    // the focus where it went.
    const focused = grid.contains(document.activeElement);
    if (answer.closed && editor) dropEditor();
    if (answer.changed.length) afterEdit(answer.changed);
    const { row, column } = answer.current;
    if (answer.moved || row !== current.row || column !== current.column || (answer.closed && focused))
        focusCell(row, column, focused);
    if (answer.opened && answer.editor) showEditor(answer.editor);
    if (answer.editorChanged && answer.editor && editor?.kind === 'list') showListChoice(answer.editor);
    announce(answer.announcement);
    if (answer.notice) ask(answer.notice, [texts.ok]);
    return answer;
}

function showEditor(open) {
    const cell = cellAt(open.row, open.column);
    let input;
    if (open.kind === 'list') {
        input = document.createElement('select');
        // The first option shows typed text that names no entry; it is not in the drop-down.
        const typed = new Option('', '');
        typed.hidden = true;
        typed.disabled = true;
        input.replaceChildren(typed, ...doc.editorChoices(open.column).map((choice) => new Option(choice, choice)));
        input.addEventListener('keydown', listKey);
        input.addEventListener('change', () => draw(doc.sessionChoose(input.selectedIndex - 1)));
    } else {
        input = document.createElement('input');
        input.type = 'text';
        input.value = open.text;
        input.addEventListener('beforeinput', editBeforeInput);
        input.addEventListener('keydown', editKey);
    }
    input.className = 'cell-editor';
    input.setAttribute('aria-label', open.name);
    editor = { input, row: open.row, column: open.column, kind: open.kind };
    cell.replaceChildren(input);
    if (open.kind === 'list') showListChoice(open);
    input.focus();
    if (open.kind === 'edit') {
        if (open.selectAll) input.select();
        else input.setSelectionRange(input.value.length, input.value.length);
    }
    // Focus elsewhere (a click, a command) commits the edit.
    input.addEventListener('blur', () => setTimeout(() => editor?.input === input && draw(doc.sessionCommit(editText())), 0));
}

function showListChoice(open) {
    const { input } = editor;
    input.options[0].textContent = open.text;
    input.selectedIndex = open.choice >= 0 ? open.choice + 1 : 0;
}

// The keys the session decides, by the names it knows them by.
function sessionKeyName(event) {
    const plainKey = !event.ctrlKey && !event.altKey && !event.metaKey;
    switch (event.key) {
    case 'Enter': return plainKey ? 'Enter' : null;
    case 'Tab': return event.shiftKey ? 'Backtab' : 'Tab';
    case 'Escape': return 'Escape';
    case 'F2': return 'F2';
    case 'ArrowUp': return plainKey ? 'Up' : null;
    case 'ArrowDown': return plainKey ? 'Down' : null;
    case 'Delete': return 'Delete';
    case 'Backspace': return 'Backspace';
    default: return null;
    }
}

// A typed character (one code point, no command modifier), or null.
function typedCharacter(event) {
    if (event.ctrlKey || event.altKey || event.metaKey || event.isComposing) return null;
    const characters = [...event.key];
    return characters.length === 1 ? characters[0].codePointAt(0) : null;
}

function forwardKey(event, name) {
    const answer = doc.sessionKey(name, editText());
    if (!answer.handled) return false;
    event.preventDefault();
    draw(answer);
    return true;
}

// Ctrl+Enter in an open editor: its value goes to this column of every picked channel.
function commitToSelection(event) {
    if (event.key !== 'Enter' || !(event.ctrlKey || event.metaKey)) return false;
    event.preventDefault();
    draw(doc.sessionCommitToChannels(selectedOrCurrent(), editText()));
    return true;
}

function editKey(event) {
    event.stopPropagation();
    if (commitToSelection(event)) return;
    const name = sessionKeyName(event);
    if (name && name !== 'Delete' && name !== 'Backspace') forwardKey(event, name);
}

// A typed character goes to the session first, which refuses it with the reason; the text
// the field would then hold (typed, pasted or dropped) must be one the field takes.
function editBeforeInput(event) {
    const data = event.data ?? event.dataTransfer?.getData('text/plain');
    if (!data) return;
    const input = event.target;
    const start = input.selectionStart;
    const end = input.selectionEnd;
    if (event.inputType === 'insertText') {
        let length = input.value.length;
        let selected = end > start;
        for (const character of data) {
            const answer = doc.sessionEditCharacter(character.codePointAt(0), length, selected);
            if (answer.handled) {
                event.preventDefault();
                draw(answer);
                return;
            }
            length += 1;
            selected = false;
        }
    }
    if (!doc.sessionEditTextAccepts(input.value.slice(0, start) + data + input.value.slice(end))) event.preventDefault();
}

function listKey(event) {
    event.stopPropagation();
    if (commitToSelection(event)) return;
    // Ctrl+Z in a list cancels the edit.
    const undo = (event.ctrlKey || event.metaKey) && (event.key === 'z' || event.key === 'Z');
    const name = undo ? 'Escape' : sessionKeyName(event);
    if (name && name !== 'Delete') {
        forwardKey(event, name);
        return;
    }
    const character = typedCharacter(event);
    if (character === null) return;
    event.preventDefault();
    draw(doc.sessionType(character));
}

// The table's own moves (left, right, Home, End, Page Up and Down) go to the session too.
function moveTo(row, column) {
    draw(doc.sessionMoveTo(row, column, editText()));
}

async function insertChannel() {
    if (doc.insertDropsChannel() && (await ask(texts.confirmDropLast, [texts.ok, texts.cancel])) !== 0) return;
    draw(doc.insertChannel(current.row - 1));
}

function moveChannels(up) {
    const answer = doc.moveChannels(selectedOrCurrent(), up);
    if (!answer.selected.length) return;
    // The picked rows stay picked at their new places.
    if (selection.size) setSelection(answer.selected);
    draw(answer);
}

// Sorts the picked channels (or the whole table) as the core orders them; they stay picked.
export function sortChannels(key) {
    const answer = doc.sortChannels(selectedOrCurrent(), key);
    if (!answer || !answer.selected.length) return;
    if (selection.size) setSelection(answer.selected);
    draw(answer);
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
    } else if (key === 'ArrowLeft' && current.column > 0) {
        event.preventDefault();
        moveTo(current.row, current.column - 1);
    } else if (key === 'ArrowRight' && current.column < COLUMNS - 1) {
        event.preventDefault();
        moveTo(current.row, current.column + 1);
    } else if (key === 'Home' || key === 'End') {
        event.preventDefault();
        const row = ctrl ? (key === 'Home' ? 1 : CHANNELS) : current.row;
        moveTo(row, key === 'Home' ? 1 : COLUMNS - 1);
    } else if (key === 'PageUp' || key === 'PageDown') {
        event.preventDefault();
        moveTo(Math.min(CHANNELS, Math.max(1, current.row + (key === 'PageUp' ? -10 : 10))), current.column);
    } else if (key === 'Delete' && selection.size) {
        event.preventDefault();
        draw(doc.deleteChannels(selectedOrCurrent()));
    } else if (key === 'Insert') {
        event.preventDefault();
        await insertChannel();
    } else if (key === ' ' && event.shiftKey) {
        event.preventDefault();
        toggleRowSelection(current.row - 1, false, true);
    } else if (key === 'Escape') {
        setSelection([]);
    } else if (sessionKeyName(event) && (key !== 'Tab' || !event.shiftKey)) {
        forwardKey(event, sessionKeyName(event));
    } else if (typedCharacter(event) !== null) {
        const answer = doc.sessionType(typedCharacter(event));
        if (!answer.handled) return;
        event.preventDefault();
        draw(answer);
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
    // A click in the open editor's cell is the editor's.
    if (!cell || (editor && cellAt(editor.row, editor.column) === cell)) return;
    const row = cell.parentElement.rowIndex;
    if (row === 0) return;
    moveTo(row, cell.cellIndex);
    if (cell.cellIndex === 0) toggleRowSelection(row - 1, event.shiftKey, event.ctrlKey || event.metaKey);
    else draw(doc.sessionOpenByClick(row, cell.cellIndex));
});

grid.addEventListener('copy', (event) => {
    if (editor) return;
    event.preventDefault();
    event.clipboardData.setData('text/plain', doc.copyChannels(selectedOrCurrent()));
});
grid.addEventListener('cut', (event) => {
    if (editor) return;
    event.preventDefault();
    const answer = doc.cutChannels(selectedOrCurrent());
    event.clipboardData.setData('text/plain', answer.text);
    draw(answer);
});
grid.addEventListener('paste', (event) => {
    if (editor) return;
    event.preventDefault();
    pasteText(event.clipboardData.getData('text/plain'));
});

function pasteText(text) {
    const first = selection.size ? Math.min(...selection) : current.row - 1;
    const answer = draw(doc.paste(first, current.column, text));
    if (answer.lines.length) showLines(texts.skipped, answer.lines);
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
    const answer = doc.applyBatch({
        rxStart: rx.value, txStart: tx.value, step: step.value, rxTone: rxTone.value, txTone: txTone.value,
        power: power.value, bandwidth: bandwidth.value, busyLockout: busy.value, pttId: ptt.value,
    }, all.checked ? -1 : Number(first.value), all.checked ? -1 : Number(last.value), down.checked, scan.checked);
    if (answer.error) await showLines('', [answer.error]);
    afterEdit(answer.changed);
}
