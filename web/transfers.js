// SPDX-License-Identifier: GPL-3.0-or-later
// Read from Radio and Write to Radio over the serial port the user picks: the core runs the
// transfer, the page moves its bytes (serial_line.js) and shows the progress and the end.
import { SerialLine, driveTransfer } from './serial_line.js';
import { doc, $, texts, plain, ask, listOf, showLines, lines } from './core.js';
import { afterEdit } from './grid.js';
import { storeForms } from './forms.js';
import { keepOrDiscard, refreshAll } from './files.js';

let transferLine = null;

function showTransfer(write) {
    const running = write !== null;
    $('transfer').hidden = !running;
    // The commands the command table says may not run during a transfer.
    for (const name of doc.transferBlockedCommands())
        for (const control of document.querySelectorAll(`[data-command="${name}"]`)) control.disabled = running;
    if (!running) return;
    $('transfer-name').textContent = write ? texts.writing : texts.reading;
    $('transfer-progress').value = 0;
}

function cancelTransfer() {
    if (!transferLine) return;
    doc.cancelTransfer();
    transferLine.interrupt();
}

// Read and Write: the port is picked in the browser's own list, then the core runs the
// transfer on it; the page shows the progress and the core's messages.
export async function transfer(write) {
    if (transferLine || doc.transferRunning()) return;
    if (!navigator.serial) return showLines(texts.noWebSerial, [texts.webSerialHow]);
    if (write) {
        storeForms();
        const question = doc.addressQuestion();
        if (question.length) {
            // Records that would land over the band limits or outside memory: repair or cancel.
            const choices = doc.addressesKeepable()
                ? [texts.repairAddresses, texts.keepAddresses, texts.cancel]
                : [texts.repairAddresses, texts.cancel];
            const choice = await ask(question[0], choices, [listOf(question.slice(1))]);
            if (choice < 0 || choices[choice] === texts.cancel) return;
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

// Whether a transfer holds the port.
export function transferActive() {
    return transferLine !== null;
}
