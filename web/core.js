// SPDX-License-Identifier: GPL-3.0-or-later
// What every view of the page shares: the core (radiocore.js) and its one document, the texts
// of the language chosen, the page's dialogs, and the document's title and recovery copy.
// Every rule about bytes and texts is the core's; the page's modules only render and forward.

export const RECOVERY_KEY = 'radioprog.recovery';
export const RECOVERY_NAME_KEY = 'radioprog.recoveryName';

export const core = await globalThis.RadioCore();
export const doc = new core.WebDocument();
export const $ = (id) => document.getElementById(id);
// The page's texts in the language chosen, by name (src/web/web_texts.cpp).
export let texts = {};
let languageFile = '';

// ---- language ----------------------------------------------------------------------------

export function plain(text) {
    return text.replace(/\.\.\.$|…$/, '').trim();
}

// Loads a column of the language file and shows its texts on the page's own elements; the
// views render themselves again afterwards (app.js).
export async function loadLanguage(index) {
    if (!languageFile) languageFile = await (await fetch('lang.csv')).text();
    const names = doc.loadLanguage(languageFile, index);
    const select = $('language');
    select.replaceChildren(...names.map((name, i) => new Option(name, String(i))));
    select.value = String(index);
    texts = doc.pageTexts();
    document.documentElement.lang = ['zh-Hans', 'zh-Hant', 'en'][index] || 'en';
    for (const element of document.querySelectorAll('[data-text]')) element.textContent = plain(texts[element.dataset.text]);
}

// ---- dialogs -----------------------------------------------------------------------------

export function ask(question, buttons, body = []) {
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

export function listOf(lines) {
    const list = document.createElement('ul');
    list.className = 'report';
    list.replaceChildren(...lines.map((line) => {
        const item = document.createElement('li');
        item.textContent = line;
        return item;
    }));
    return list;
}

export function showLines(title, lines) {
    return ask(title, [texts.ok], lines.length ? [listOf(lines)] : []);
}

// A message's detail, one line each.
export const lines = (text) => (text ? text.split('\n') : []);

// ---- the document's title and recovery copy, after every change ----------------------------

export function updateTitle() {
    document.title = doc.title();
}

// Unsaved edits are kept in the browser's storage and offered back after a closed tab or a
// crash (files.js).
export function storeRecovery() {
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
