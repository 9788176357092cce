// SPDX-License-Identifier: GPL-3.0-or-later
// The serial port the user picked, as the line a transfer runs on, and the loop that answers
// the core's transfer requests with it. The core decides every byte, wait and retry; this
// file only moves bytes and tells the time. Nothing here waits actively: a wait ends when
// bytes arrive, when its timer fires, or when the user cancels.

// 9600 baud, 8 data bits, no parity, one stop bit, as the radio's programming port.
const LINE_OPTIONS = { baudRate: 9600, dataBits: 8, parity: 'none', stopBits: 1, flowControl: 'none', bufferSize: 4096 };

export class SerialLine {
    constructor(port) {
        this.port = port;
        this.pending = []; // received, not yet handed to the core
        this.wake = null; // ends the wait in progress
        this.interrupted = false;
        this.reader = null;
        this.writer = null;
        this.reading = null;
    }

    // How messages name the port: its USB ids when the browser tells them.
    name(fallback) {
        const info = this.port.getInfo?.() ?? {};
        const hex = (n) => n.toString(16).padStart(4, '0');
        return info.usbVendorId !== undefined ? `USB ${hex(info.usbVendorId)}:${hex(info.usbProductId ?? 0)}` : fallback;
    }

    // Returns null once open, else the browser's error.
    async open() {
        if (this.writer) return null;
        try {
            await this.port.open(LINE_OPTIONS);
        } catch (error) {
            return error;
        }
        try {
            await this.port.setSignals({ dataTerminalReady: true });
        } catch {
            // Some adapters have no DTR line; the radio does not need it.
        }
        this.writer = this.port.writable.getWriter();
        this.reader = this.port.readable.getReader();
        this.reading = this.readLoop();
        return null;
    }

    async readLoop() {
        try {
            for (;;) {
                const { value, done } = await this.reader.read();
                if (done) break;
                if (!value?.length) continue;
                for (const byte of value) this.pending.push(byte);
                this.notify();
            }
        } catch {
            // The port went away: the waits end at their time and the core gives up.
        }
    }

    notify() {
        const wake = this.wake;
        this.wake = null;
        wake?.();
    }

    purge() {
        this.pending = [];
    }

    // Returns how many bytes left.
    async send(bytes) {
        try {
            await this.writer.write(bytes);
            return bytes.length;
        } catch {
            return 0;
        }
    }

    // The bytes received by `until` (performance.now() milliseconds); sooner once any came,
    // at once after interrupt().
    async wait(until) {
        const delay = until - performance.now();
        if (!this.pending.length && !this.interrupted && delay > 0) {
            await new Promise((resolve) => {
                const timer = Number.isFinite(delay) ? setTimeout(() => this.notify(), delay) : null;
                this.wake = () => {
                    clearTimeout(timer);
                    resolve();
                };
            });
        }
        const bytes = Uint8Array.from(this.pending);
        this.pending = [];
        return bytes;
    }

    // The user cancelled: the wait in progress ends now.
    interrupt() {
        this.interrupted = true;
        this.notify();
    }

    async close() {
        if (!this.writer) return;
        try {
            await this.reader.cancel();
        } catch {
            // Already gone.
        }
        await this.reading;
        this.reader.releaseLock();
        this.writer.releaseLock();
        this.reader = null;
        this.writer = null;
        try {
            await this.port.close();
        } catch {
            // Unplugged: nothing left to close.
        }
    }
}

// Why the port did not open, for the core's messages: another program (or another tab)
// holds it, or the browser's own words.
function openFailure(error, texts) {
    const busy = error?.name === 'NetworkError' || error?.name === 'InvalidStateError';
    return { busy, reason: busy ? texts.portBusy : String(error?.message || error) };
}

// Answers the core's requests of the transfer it has started until it has finished.
// onProgress gets each new progress value.
export async function driveTransfer(doc, line, device, texts, onProgress) {
    let shown = -1;
    for (;;) {
        const request = doc.transferRequest();
        switch (request.kind) {
        case 'open': {
            const error = await line.open();
            const failure = error ? openFailure(error, texts) : { busy: false, reason: '' };
            doc.transferOpened(performance.now(), device, failure.reason, failure.busy);
            break;
        }
        case 'close':
            await line.close();
            doc.transferDone(performance.now());
            break;
        case 'purge':
            line.purge();
            doc.transferDone(performance.now());
            break;
        case 'send': {
            const sent = await line.send(request.bytes);
            doc.transferSent(performance.now(), sent);
            break;
        }
        case 'wait': {
            const bytes = await line.wait(request.until);
            doc.transferReceived(performance.now(), bytes);
            break;
        }
        default:
            return;
        }
        const progress = doc.transferProgress();
        if (progress !== shown) onProgress((shown = progress));
    }
}
