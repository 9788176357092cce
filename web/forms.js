// SPDX-License-Identifier: GPL-3.0-or-later
// The optional-functions and DTMF forms, generated from the core's description of their
// controls; the core loads, checks and stores their values.
import { doc, $, texts, showLines } from './core.js';
import { afterEdit } from './grid.js';

let settingsValues = {};
let dtmfValues = {};
// A form the user changed and has not stored yet; stored before the image leaves the page.
export const dirtyForms = new Set();

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

export function renderForms() {
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
        if (answer.notices.length) showLines('', answer.notices);
    });

    dtmfValues = doc.loadDtmf();
    const dtmfForm = $('dtmf-form');
    renderForm(dtmfForm, doc.dtmfControls(), dtmfValues, (id, value) => {
        if (typeof value === 'string') {
            const shown = doc.dtmfTyped(value);
            if (shown === null) {
                showValues(dtmfForm, { [id]: dtmfValues[id] });
                return;
            }
            value = shown;
            showValues(dtmfForm, { [id]: value });
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

// Edits open in a form are stored before the image leaves the page.
export function storeForms() {
    for (const form of [...dirtyForms]) form.requestSubmit();
}
