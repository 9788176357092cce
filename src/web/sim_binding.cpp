// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated radio for the web page's tests: the same radio model the pseudo-terminal
// simulator answers with, compiled to WebAssembly, so a test port in the browser can stand
// in for the serial port. Told the page's time (performance.now(), milliseconds); says when
// its answers arrive. Never part of the page itself.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <chrono>
#include <limits>
#include <vector>

#include "model/dat_file.h"
#include "sim/sim_radio.h"

using emscripten::val;

namespace radioprog {
namespace {

sim::SimRadio::Time SimTime(double ms) {
    return sim::SimRadio::Time(
        std::chrono::duration_cast<sim::SimRadio::Clock::duration>(std::chrono::duration<double, std::milli>(ms)));
}

val Bytes(const std::vector<std::uint8_t>& bytes) {
    val array = val::global("Uint8Array").new_(bytes.size());
    array.call<void>("set", val(emscripten::typed_memory_view(bytes.size(), bytes.data())));
    return array;
}

}  // namespace

class WebSimRadio {
public:
    // The memory of a .dat file; false when it is not one.
    bool loadDat(const val& bytes) {
        const auto content = emscripten::convertJSArrayToNumberVector<std::uint8_t>(bytes);
        RadioImage image;
        image.ApplyDefaults();
        if (!DecodeDatFile(content, "radio.dat", image).ok) return false;
        radio_.loadImage(image);
        return true;
    }
    // The memory as a .dat file.
    val datBytes() const { return Bytes(DatFileBytes(radio_.image())); }
    void setBands(int lowerMhz, int upperMhz) {
        radio_.setBandLimits({{lowerMhz, lowerMhz}, {upperMhz, upperMhz}, {lowerMhz, lowerMhz}, {upperMhz, upperMhz}});
    }
    void setPaced(bool paced) { radio_.setPaced(paced); }
    void setSilent(bool silent) {
        sim::SimFaults faults;
        faults.silent = silent;
        radio_.setFaults(faults);
    }
    // The write units the radio received so far.
    int writesReceived() const {
        int count = 0;
        for (const sim::SimEvent& event : radio_.events()) count += event.kind == sim::SimEvent::Kind::Write;
        return count;
    }
    void receive(double nowMs, const val& bytes) {
        const auto data = emscripten::convertJSArrayToNumberVector<std::uint8_t>(bytes);
        radio_.receive(SimTime(nowMs), data.data(), data.size());
    }
    val takeDue(double nowMs) {
        std::vector<std::uint8_t> out;
        radio_.takeDue(SimTime(nowMs), out);
        return Bytes(out);
    }
    // When the next answer byte arrives (milliseconds), Infinity when none is on its way.
    double nextDue() const {
        const sim::SimRadio::Time due = radio_.nextDue();
        if (due == sim::SimRadio::Time::max()) return std::numeric_limits<double>::infinity();
        return std::chrono::duration<double, std::milli>(due.time_since_epoch()).count();
    }

private:
    sim::SimRadio radio_;
};

}  // namespace radioprog

EMSCRIPTEN_BINDINGS(radiosim) {
    using radioprog::WebSimRadio;
    emscripten::class_<WebSimRadio>("SimRadio")
        .constructor<>()
        .function("loadDat", &WebSimRadio::loadDat)
        .function("datBytes", &WebSimRadio::datBytes)
        .function("setBands", &WebSimRadio::setBands)
        .function("setPaced", &WebSimRadio::setPaced)
        .function("setSilent", &WebSimRadio::setSilent)
        .function("writesReceived", &WebSimRadio::writesReceived)
        .function("receive", &WebSimRadio::receive)
        .function("takeDue", &WebSimRadio::takeDue)
        .function("nextDue", &WebSimRadio::nextDue);
}
