// SPDX-License-Identifier: GPL-3.0-or-later
// The printout: the three pages through the browser's print dialog (and so to PDF), with the
// texts the core prints on the desktop's pages.
import { doc, $, texts } from './core.js';
import { storeForms } from './forms.js';

const element = (tag, className, textContent = '') => Object.assign(document.createElement(tag), { className, textContent });

// Every page starts with the heading and its number ("Page 1 of 3").
function printPage(number) {
    const section = element('section', 'print-page');
    const header = element('div', 'print-header');
    header.append(element('h1', '', texts.printHeading), element('span', 'page-number', doc.pageNumberText(number)));
    section.append(header);
    return section;
}

function channelPage(number, headers, rows) {
    const section = printPage(number);
    const table = document.createElement('table');
    const head = table.createTHead().insertRow();
    for (const text of headers) head.appendChild(Object.assign(document.createElement('th'), { textContent: text }));
    const body = table.createTBody();
    for (const cells of rows) {
        const tr = body.insertRow();
        for (const text of cells) tr.insertCell().textContent = text;
    }
    section.append(table);
    return section;
}

// The settings page: the general block and frequency modes A and B side by side, each framed
// with its title on the frame, one "caption= value" line each; line k of every block on the
// same line of the page.
function settingsPage(number) {
    const section = printPage(number);
    const blocks = element('div', 'settings-blocks');
    for (const block of doc.settingsPage()) {
        const frame = element('div', 'settings-block');
        frame.append(element('div', 'block-title', block.title));
        const list = element('dl', '');
        for (const line of block.lines) list.append(element('dt', '', line.label), element('dd', '', line.value));
        frame.append(list);
        blocks.append(frame);
    }
    section.append(blocks);
    return section;
}

function renderPrintout() {
    const rows = doc.printRows();
    const headers = doc.headers();
    $('printout').replaceChildren(channelPage(1, headers, rows.slice(0, 64)), channelPage(2, headers, rows.slice(64)),
        settingsPage(3));
}

export function printDocument() {
    storeForms();
    renderPrintout();
    window.print();
}
