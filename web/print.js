// SPDX-License-Identifier: GPL-3.0-or-later
// The printout: the three pages through the browser's print dialog (and so to PDF).
import { doc, $, texts } from './core.js';
import { storeForms } from './forms.js';

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

export function printDocument() {
    storeForms();
    renderPrintout();
    window.print();
}
