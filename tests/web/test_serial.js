// SPDX-License-Identifier: GPL-3.0-or-later
// A test port in place of navigator.serial: one port whose streams lead to the simulated
// radio (radiosim.js, the simulator's radio model as WebAssembly). The radio is told when
// the page's bytes reach it and each of its answer bytes is handed to the page when it
// arrives, by a timer, as a real port would. Loaded into the page by the tests.
globalThis.installTestSerial = async (wasmBinary) => {
    const module = await globalThis.RadioSim({ wasmBinary });
    const radio = new module.SimRadio();
    const state = { requests: 0, opens: 0, lineOptions: null, signals: null };
    let controller = null;
    let timer = null;

    // Hands over what has arrived and sets the timer for the next byte on its way. The
    // browser holds chained timers back to 4 ms at least, longer than a byte takes on the
    // wire: the last few milliseconds are counted down in tasks of their own, so the port
    // is as punctual as a real one and the page's own timing is what gets measured.
    const tick = new MessageChannel();
    const deliver = () => {
        clearTimeout(timer);
        timer = null;
        const bytes = radio.takeDue(performance.now());
        if (bytes.length && controller) controller.enqueue(bytes);
        const next = radio.nextDue();
        if (!Number.isFinite(next)) return;
        const delay = next - performance.now();
        if (delay > 6) timer = setTimeout(deliver, delay - 5);
        else tick.port2.postMessage(null);
    };
    tick.port1.onmessage = deliver;

    const port = {
        readable: null,
        writable: null,
        getInfo: () => ({ usbVendorId: 0x0403, usbProductId: 0x6001 }),
        async open(options) {
            if (port.readable) throw new DOMException('The port is already open.', 'InvalidStateError');
            state.opens += 1;
            state.lineOptions = options;
            port.readable = new ReadableStream({
                start: (c) => { controller = c; },
                cancel: () => { controller = null; },
            });
            port.writable = new WritableStream({
                write: (chunk) => {
                    radio.receive(performance.now(), chunk);
                    deliver();
                },
            });
        },
        async setSignals(signals) {
            state.signals = signals;
        },
        async close() {
            port.readable = null;
            port.writable = null;
            controller = null;
        },
    };

    Object.defineProperty(navigator, 'serial', {
        configurable: true,
        value: {
            async requestPort() {
                state.requests += 1;
                return port;
            },
            async getPorts() {
                return [port];
            },
        },
    });
    globalThis.testRadio = { radio, state };
};
