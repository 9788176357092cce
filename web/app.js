// SPDX-License-Identifier: GPL-3.0-or-later
// The page: shows what the core says and forwards what the user does. Every rule about
// bytes and texts is the core's (radiocore.js); this file only renders and wires events.
import { SerialLine, driveTransfer } from './serial_line.js';

const CHANNELS = 128;
const COLUMNS = 12;
const RECOVERY_KEY = 'radioprog.recovery';
const RECOVERY_NAME_KEY = 'radioprog.recoveryName';
const LANGUAGE_KEY = 'radioprog.language';

const core = await globalThis.RadioCore();
const doc = new core.WebDocument();
const $ = (id) => document.getElementById(id);
const grid = $('grid');
let texts = {};
let languageFile = '';
let current = { row: 1, column: 2 };
let selection = new Set();
let anchorChannel = null;
let editor = null; // { input, row, column }
let fileHandle = null;

// ---- language ----------------------------------------------------------------------------

function plain(text) {
    return text.replace(/\.\.\.$|…$/, '').trim();
}

async function loadLanguage(index) {
    if (!languageFile) languageFile = await (await fetch('lang.csv')).text();
    const names = doc.loadLanguage(languageFile, index);
    const select = $('language');
    select.replaceChildren(...names.map((name, i) => new Option(name, String(i))));
    select.value = String(index);
    texts = doc.pageTexts();
    document.documentElement.lang = ['zh-Hans', 'zh-Hant', 'en'][index] || 'en';
    for (const element of document.querySelectorAll('[data-text]')) element.textContent = plain(texts[element.dataset.text]);
    renderGrid();
    renderForms();
    updateTitle();
}

// ---- the channel table -------------------------------------------------------------------

function cellAt(row, column) {
    return grid.rows[row]?.cells[column];
}

function buildGrid() {
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

function renderGrid() {
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

function afterEdit(changed) {
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

function setSelection(channels) {
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

function undoRedo(redo) {
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

// ---- forms generated from the core's description ------------------------------------------

let settingsValues = {};
let dtmfValues = {};
// A form the user changed and has not stored yet; stored before the image leaves the page.
const dirtyForms = new Set();

function controlElement(control, values, onChange) {
    const id = String(control.id);
    let element;
    if (control.kind === 'list') {
        element = document.createElement('select');
        element.replaceChildren(...control.entries.map((entry, i) => new Option(entry, String(i))));
        element.value = String(values[id] ?? -1);
        if (values[id] === undefined || values[id] < 0) element.selectedIndex = -1;
        element.addEventListener('change', () => onChange(id, Number(element.value)));
    } else if (control.kind === 'edit') {
        element = document.createElement('input');
        element.type = 'text';
        element.value = values[id] ?? '';
        if (control.maxChars) element.maxLength = control.maxChars;
        element.readOnly = control.readOnly;
        element.addEventListener('input', () => onChange(id, element.value));
    } else if (control.kind === 'check') {
        element = document.createElement('input');
        element.type = 'checkbox';
        element.checked = values[id] === 1;
        element.addEventListener('change', () => onChange(id, element.checked ? 1 : 0));
    } else {
        return null;
    }
    element.id = `control-${id}`;
    element.disabled = control.disabled;
    element.dataset.control = id;
    return element;
}

// Lays the controls out in the order of their place on the desktop form (top to bottom, left
// to right), each with its caption as its label; group boxes become fieldsets. A caption
// control comes right before the control it names in the core's list; one on the same line
// to the left names it otherwise.
function renderForm(form, controls, values, onChange, commitLabel, onCommit) {
    const isInput = (c) => ['list', 'edit', 'check', 'radio'].includes(c.kind);
    const shown = controls.filter((c) => !c.hidden);
    const groups = shown.filter((c) => c.kind === 'group');
    const labels = shown.filter((c) => c.kind === 'label');
    const inside = (c, g) => c.x >= g.x && c.y >= g.y && c.x < g.x + g.width && c.y < g.y + g.height;
    const groupOf = (c) => groups.filter((g) => g !== c && inside(c, g)).sort((a, b) => a.width * a.height - b.width * b.height)[0];
    const captionOf = new Map();
    controls.forEach((c, i) => {
        const before = controls[i - 1];
        if (isInput(c) && before && before.kind === 'label' && !before.hidden && before.side === c.side) captionOf.set(c, before);
    });
    const labelFor = (input) => captionOf.get(input) || labels
        .filter((l) => Math.abs(l.y - input.y) <= 6 && l.x < input.x && groupOf(l) === groupOf(input))
        .sort((a, b) => b.x - a.x)[0];
    const top = (c) => Math.min(c.y, labelFor(c)?.y ?? c.y);
    const order = (a, b) => top(a) - top(b) || a.x - b.x;
    // Radio buttons of one pair: the first one's value is the index of the checked one.
    const radios = shown.filter((c) => c.kind === 'radio').sort((a, b) => a.x - b.x || a.y - b.y);
    form.replaceChildren();
    const fieldsets = new Map();
    const containerOf = (c) => {
        const g = groupOf(c);
        if (!g) return form;
        if (!fieldsets.has(g)) {
            const fieldset = document.createElement('fieldset');
            if (g.caption) fieldset.appendChild(Object.assign(document.createElement('legend'), { textContent: g.caption }));
            containerOf(g).appendChild(fieldset);
            fieldsets.set(g, fieldset);
        }
        return fieldsets.get(g);
    };
    for (const g of [...groups].sort((a, b) => a.y - b.y || a.x - b.x)) containerOf({ ...g, x: g.x + 1, y: g.y + 1, width: 0, height: 0 });
    for (const input of shown.filter(isInput).sort(order)) {
        let element;
        if (input.kind === 'radio') {
            const first = String(radios[0].id);
            const index = radios.indexOf(input);
            element = document.createElement('input');
            element.type = 'radio';
            element.name = `radio-${first}`;
            element.dataset.radio = first;
            element.dataset.index = String(index);
            element.checked = values[first] === index;
            element.id = `control-${input.id}`;
            element.addEventListener('change', () => element.checked && onChange(first, index));
        } else {
            element = controlElement(input, values, onChange);
        }
        const row = document.createElement('div');
        row.className = 'field';
        const label = document.createElement('label');
        label.htmlFor = element.id;
        label.textContent = input.caption || labelFor(input)?.caption || '';
        // A control alone in its group is named by the group.
        if (!label.textContent) element.setAttribute('aria-label', groupOf(input)?.caption || '');
        if (input.kind === 'check' || input.kind === 'radio') row.append(element, label);
        else row.append(label, element);
        containerOf(input).appendChild(row);
    }
    const button = document.createElement('button');
    button.type = 'submit';
    button.textContent = commitLabel;
    form.appendChild(button);
    form.onsubmit = (event) => {
        event.preventDefault();
        onCommit();
    };
}

function showValues(form, values) {
    for (const [id, value] of Object.entries(values)) {
        for (const radio of form.querySelectorAll(`[data-radio="${id}"]`)) radio.checked = Number(radio.dataset.index) === value;
        const element = form.querySelector(`[data-control="${id}"]`);
        if (!element) continue;
        if (element.tagName === 'SELECT') {
            element.value = String(value);
            if (value < 0) element.selectedIndex = -1;
        } else if (element.type === 'checkbox' || element.type === 'radio') element.checked = value === 1;
        else if (element.value !== value) element.value = value;
    }
}

function renderForms() {
    dirtyForms.clear();
    settingsValues = doc.loadSettings();
    const controls = doc.settingsControls();
    const sides = new Map(controls.map((c) => [String(c.id), c.side]));
    const form = $('functions-form');
    renderForm(form, controls, settingsValues, (id, value) => {
        settingsValues[id] = value;
        dirtyForms.add(form);
        const side = sides.get(id);
        const control = controls.find((c) => String(c.id) === id);
        if (control?.onChange === 'band') {
            settingsValues = doc.bandChanged(settingsValues, side);
            showValues(form, settingsValues);
        } else if (control?.onChange === 'frequency') {
            settingsValues = doc.frequencyTyped(settingsValues, side);
            showValues(form, settingsValues);
        }
    }, texts.ok, () => {
        const answer = doc.storeSettings(settingsValues);
        if (answer.error) {
            showLines('', [answer.error]);
            return;
        }
        settingsValues = answer.values;
        dirtyForms.delete(form);
        showValues(form, settingsValues);
        afterEdit([]);
    });

    dtmfValues = doc.loadDtmf();
    const dtmfForm = $('dtmf-form');
    renderForm(dtmfForm, doc.dtmfControls(), dtmfValues, (id, value) => {
        if (typeof value === 'string' && !doc.dtmfAccepts(value)) {
            showValues(dtmfForm, { [id]: dtmfValues[id] });
            return;
        }
        dtmfValues[id] = value;
        dirtyForms.add(dtmfForm);
    }, texts.ok, () => {
        dtmfValues = doc.storeDtmf(dtmfValues);
        dirtyForms.delete(dtmfForm);
        showValues(dtmfForm, dtmfValues);
        afterEdit([]);
    });
}

// ---- dialogs -----------------------------------------------------------------------------

function ask(question, buttons, body = []) {
    const dialog = $('dialog');
    $('dialog-title').textContent = question;
    $('dialog-body').replaceChildren(...body);
    $('dialog-buttons').replaceChildren(...buttons.map((label, i) => {
        const button = document.createElement('button');
        button.value = String(i);
        button.textContent = plain(label);
        return button;
    }));
    dialog.returnValue = '';
    dialog.dataset.shown = String(Number(dialog.dataset.shown || 0) + 1);
    dialog.showModal();
    return new Promise((resolve) => dialog.addEventListener('close', () => {
        resolve(dialog.returnValue === '' ? -1 : Number(dialog.returnValue));
    }, { once: true }));
}

function listOf(lines) {
    const list = document.createElement('ul');
    list.className = 'report';
    list.replaceChildren(...lines.map((line) => {
        const item = document.createElement('li');
        item.textContent = line;
        return item;
    }));
    return list;
}

function showLines(title, lines) {
    return ask(title, [texts.ok], lines.length ? [listOf(lines)] : []);
}

// ---- files -------------------------------------------------------------------------------

function updateTitle() {
    document.title = doc.title();
}

function storeRecovery() {
    try {
        if (doc.modified()) {
            const bytes = doc.datBytes();
            localStorage.setItem(RECOVERY_KEY, btoa(String.fromCharCode(...bytes)));
            localStorage.setItem(RECOVERY_NAME_KEY, doc.path());
        } else {
            localStorage.removeItem(RECOVERY_KEY);
            localStorage.removeItem(RECOVERY_NAME_KEY);
        }
    } catch {
        // Storage full or refused: the edits stay in the page.
    }
}

async function offerRecovery() {
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

function refreshAll() {
    setSelection([]);
    renderGrid();
    renderForms();
    updateTitle();
    storeRecovery();
}

async function keepOrDiscard() {
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

async function save(askName) {
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

// Edits open in a form are stored before the image leaves the page.
function storeForms() {
    for (const form of [...dirtyForms]) form.requestSubmit();
}

async function importCsv(file) {
    const text = await file.text();
    let first = -1;
    if (doc.csvHasLocation(text)) {
        const choice = await ask(texts.importPlacement, [texts.byLocation, `${texts.fromChannel} ${current.row - 1}`, texts.cancel]);
        if (choice < 0 || choice === 2) return;
        if (choice === 1) first = current.row - 1;
    } else {
        first = current.row - 1;
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

// ---- printing ----------------------------------------------------------------------------

function renderPrintout() {
    const rows = doc.printRows();
    const out = $('printout');
    const headers = doc.headers();
    const page = (rows) => {
        const section = document.createElement('section');
        section.className = 'print-page';
        const heading = document.createElement('h1');
        heading.textContent = texts.printHeading;
        const table = document.createElement('table');
        const head = table.createTHead().insertRow();
        for (const text of headers) head.appendChild(Object.assign(document.createElement('th'), { textContent: text }));
        const body = table.createTBody();
        for (const cells of rows) {
            const tr = body.insertRow();
            for (const text of cells) tr.insertCell().textContent = text;
        }
        section.append(heading, table);
        return section;
    };
    const settings = document.createElement('section');
    settings.className = 'print-page';
    const heading = document.createElement('h1');
    heading.textContent = texts.optionalFunctions;
    // The third page shows the optional functions as their form shows them.
    const list = document.createElement('dl');
    for (const field of $('functions-form').querySelectorAll('.field')) {
        const control = field.querySelector('select, input');
        const caption = field.querySelector('label').textContent || control.getAttribute('aria-label') || '';
        const value = control.type === 'checkbox' || control.type === 'radio' ? (control.checked ? '\u2611' : '\u2610')
            : control.tagName === 'SELECT' ? (control.selectedOptions[0]?.textContent ?? '') : control.value;
        list.append(Object.assign(document.createElement('dt'), { textContent: caption }),
            Object.assign(document.createElement('dd'), { textContent: value }));
    }
    settings.append(heading, list);
    out.replaceChildren(page(rows.slice(0, 64)), page(rows.slice(64)), settings);
}

// ---- transfers over the serial port ---------------------------------------------------------

let transferLine = null;
// What may not run while a transfer does: another transfer, and whatever replaces the image.
const BUSY_COMMANDS = ['new', 'open', 'readRadio', 'writeRadio', 'importCsv', 'batch'];

function showTransfer(write) {
    const running = write !== null;
    $('transfer').hidden = !running;
    for (const name of BUSY_COMMANDS) document.querySelector(`[data-command="${name}"]`).disabled = running;
    $('language').disabled = running;
    $('verify').disabled = running;
    if (!running) return;
    $('transfer-name').textContent = write ? texts.writing : texts.reading;
    $('transfer-progress').value = 0;
}

function cancelTransfer() {
    if (!transferLine) return;
    doc.cancelTransfer();
    transferLine.interrupt();
}

const lines = (text) => (text ? text.split('\n') : []);

// Read and Write: the port is picked in the browser's own list, then the core runs the
// transfer on it; the page shows the progress and the core's messages.
async function transfer(write) {
    if (transferLine || doc.transferRunning()) return;
    if (!navigator.serial) return showLines(texts.noWebSerial, [texts.webSerialHow]);
    if (write) {
        storeForms();
        const question = doc.addressQuestion();
        if (question.length) {
            const choice = await ask(question[0], [texts.repairAddresses, texts.keepAddresses, texts.cancel],
                [listOf(question.slice(1))]);
            if (choice < 0 || choice === 2) return;
            if (choice === 0) {
                doc.repairAddresses();
                afterEdit([]);
            }
        }
    } else if (!(await keepOrDiscard())) {
        return;
    }
    let port;
    try {
        port = await navigator.serial.requestPort();
    } catch {
        return; // the user closed the list
    }
    const line = new SerialLine(port);
    transferLine = line;
    showTransfer(write);
    doc.startTransfer(write, $('verify').checked, performance.now());
    await driveTransfer(doc, line, line.name(plain(texts.serialPort)), texts, (value) => ($('transfer-progress').value = value));
    const end = doc.finishTransfer();
    await line.close();
    transferLine = null;
    showTransfer(null);
    if (end.read && end.done) refreshAll();
    else afterEdit([]);
    if (end.refusal) await showLines(end.refusal.message, lines(end.refusal.detail));
    if (end.differences.length) await showLines(end.differencesTitle, end.differences);
    else await showLines(end.message, lines(end.detail));
    if (end.advice) await showLines(texts.warning, lines(end.advice));
}

$('transfer-cancel').addEventListener('click', cancelTransfer);
document.addEventListener('keydown', (event) => {
    if (event.key === 'Escape' && transferLine && !$('dialog').open) cancelTransfer();
});

// ---- commands ----------------------------------------------------------------------------

const commands = {
    async new() {
        if (!(await keepOrDiscard())) return;
        doc.startNew();
        fileHandle = null;
        refreshAll();
    },
    async open() {
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
    },
    save: () => save(false),
    saveAs: () => save(true),
    async importCsv() {
        const file = await pickFile('csv-file');
        if (file) await importCsv(file);
    },
    exportCsv() {
        const base = (doc.path() || 'radio').replace(/\.dat$/i, '');
        download(`${base}.csv`, doc.exportCsv(), 'text/csv');
    },
    async compareWith() {
        const file = await pickFile('compare-file');
        if (file) await compareWith(file);
    },
    print() {
        storeForms();
        renderPrintout();
        window.print();
    },
    undo: () => undoRedo(false),
    redo: () => undoRedo(true),
    batch: () => batchDialog(),
    readRadio: () => transfer(false),
    writeRadio: () => transfer(true),
};

for (const button of document.querySelectorAll('[data-command]')) {
    button.addEventListener('click', () => commands[button.dataset.command]());
}

async function batchDialog() {
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

// ---- views, language, files dropped, leaving -----------------------------------------------

const tabs = [...document.querySelectorAll('[role="tab"]')];
function showView(tab) {
    for (const t of tabs) {
        const selected = t === tab;
        t.setAttribute('aria-selected', String(selected));
        t.tabIndex = selected ? 0 : -1;
        $(t.getAttribute('aria-controls')).hidden = !selected;
    }
}
tabs.forEach((tab, i) => {
    tab.addEventListener('click', () => {
        // Forms show the image as it is now, unless they hold edits of the user's.
        if (tab.id !== 'tab-channels' && !dirtyForms.size) renderForms();
        showView(tab);
    });
    tab.addEventListener('keydown', (event) => {
        if (event.key !== 'ArrowRight' && event.key !== 'ArrowLeft') return;
        const next = tabs[(i + (event.key === 'ArrowRight' ? 1 : tabs.length - 1)) % tabs.length];
        next.focus();
        next.click();
    });
});

$('language').addEventListener('change', async (event) => {
    const index = Number(event.target.value);
    localStorage.setItem(LANGUAGE_KEY, String(index));
    await loadLanguage(index);
});

document.addEventListener('dragover', (event) => event.preventDefault());
document.addEventListener('drop', async (event) => {
    event.preventDefault();
    const file = event.dataTransfer.files[0];
    if (!file) return;
    if (/\.csv$/i.test(file.name)) await importCsv(file);
    else if (await keepOrDiscard()) {
        fileHandle = null;
        await openBytes(file);
    }
});

window.addEventListener('beforeunload', (event) => {
    // Leaving during a write would leave the radio half written.
    if (doc.modified() || transferLine) {
        storeRecovery();
        event.preventDefault();
        event.returnValue = '';
    }
});

if ('serviceWorker' in navigator && location.protocol !== 'file:') {
    navigator.serviceWorker.register('sw.js').catch(() => {});
}

// ---- start ---------------------------------------------------------------------------------

buildGrid();
const stored = localStorage.getItem(LANGUAGE_KEY);
await loadLanguage(stored !== null ? Number(stored) : doc.defaultLanguage());
showView(tabs[0]);
// The tests reach the page's document through this.
globalThis.radioprogPage = { doc };
document.body.dataset.ready = 'true';
await offerRecovery();
