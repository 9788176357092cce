// SPDX-License-Identifier: GPL-3.0-or-later
// The page: wires the toolbar's commands, the views' tabs and the language list to the views'
// modules and starts. Every rule about bytes and texts is the core's (radiocore.js); the
// modules only render and forward: core.js (the core, its document, texts, dialogs),
// grid.js (the channel table), forms.js, files.js, print.js, transfers.js.
import { doc, $, loadLanguage, updateTitle, storeRecovery } from './core.js';
import { buildGrid, renderGrid, undoRedo, batchDialog, sortChannels } from './grid.js';
import { renderForms, dirtyForms } from './forms.js';
import { newDocument, openDocument, save, importCsvFile, exportCsv, compareWithFile, offerRecovery } from './files.js';
import { printDocument } from './print.js';
import { transfer, transferActive } from './transfers.js';

const LANGUAGE_KEY = 'radioprog.language';

// ---- commands ----------------------------------------------------------------------------

const commands = {
    new: newDocument,
    open: openDocument,
    save: () => save(false),
    saveAs: () => save(true),
    importCsv: importCsvFile,
    exportCsv,
    compareWith: compareWithFile,
    print: printDocument,
    undo: () => undoRedo(false),
    redo: () => undoRedo(true),
    batch: () => batchDialog(),
    sortByFrequency: () => sortChannels(0),
    sortByName: () => sortChannels(1),
    groupByBand: () => sortChannels(2),
    readRadio: () => transfer(false),
    writeRadio: () => transfer(true),
};

for (const button of document.querySelectorAll('button[data-command]')) {
    button.addEventListener('click', () => commands[button.dataset.command]());
}

// ---- views, language, leaving --------------------------------------------------------------

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

async function showLanguage(index) {
    await loadLanguage(index);
    renderGrid();
    renderForms();
    updateTitle();
}

$('language').addEventListener('change', async (event) => {
    const index = Number(event.target.value);
    localStorage.setItem(LANGUAGE_KEY, String(index));
    await showLanguage(index);
});

window.addEventListener('beforeunload', (event) => {
    // Leaving during a write would leave the radio half written.
    if (doc.modified() || transferActive()) {
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
await showLanguage(stored !== null ? Number(stored) : doc.defaultLanguage());
showView(tabs[0]);
// The tests reach the page's document through this.
globalThis.radioprogPage = { doc };
document.body.dataset.ready = 'true';
await offerRecovery();
