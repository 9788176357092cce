// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim_options.h"

#include <charconv>

#include "cmdline/command_line.h"

namespace radioprog::sim {

namespace {

bool ParseInt(const std::string& text, int low, int high, int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= low && value <= high;
}

// "nak,write,17,4" into a targeted fault.
bool ParseFault(const std::string& text, TargetedFault& fault) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (parts.size() < 3 || parts.size() > 4 || !ParseFaultKind(parts[0], fault.kind)) return false;
    if (parts[1] == "read")
        fault.target = FaultTarget::Read;
    else if (parts[1] == "write")
        fault.target = FaultTarget::Write;
    else
        return false;
    fault.times = 1;
    return ParseInt(parts[2], 0, 1'000'000, fault.at) &&
           (parts.size() < 4 || ParseInt(parts[3], 1, 1'000'000, fault.times));
}

// "136-174,400-520" into lower/upper of the first and the second band.
bool ParseBands(const std::string& text, std::optional<int> (&bands)[4]) {
    std::size_t comma = text.find(',');
    if (comma == std::string::npos) return false;
    const std::string parts[2] = {text.substr(0, comma), text.substr(comma + 1)};
    for (int band = 0; band < 2; ++band) {
        std::size_t dash = parts[band].find('-');
        if (dash == std::string::npos) return false;
        int lower = 0, upper = 0;
        if (!ParseInt(parts[band].substr(0, dash), 0, 9999, lower) ||
            !ParseInt(parts[band].substr(dash + 1), 0, 9999, upper))
            return false;
        bands[2 * band] = lower;
        bands[2 * band + 1] = upper;
    }
    return true;
}

// A radio address: decimal or 0x followed by hex digits, 0..0xFFFF.
bool ParseAddress(const std::string& text, int& value) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const char* end = text.data() + text.size();
        auto [ptr, ec] = std::from_chars(text.data() + 2, end, value, 16);
        return ec == std::errc() && ptr == end && value >= 0 && value <= 0xFFFF;
    }
    return ParseInt(text, 0, 0xFFFF, value);
}

}  // namespace

namespace {

// Every option of radiosim, in the order --help lists them.
const std::vector<cmdline::Option>& SimOptions() {
    static const std::vector<cmdline::Option> options{
        {{"load"},
         "FILE",
         "start from the image in a .dat file (band limits\n"
         "included)",
         "Memory:"},
        {{"save"},
         "FILE",
         "keep FILE up to date with what is written to the\n"
         "radio (saved when the line goes quiet and at\n"
         "exit)"},
        {{"link"},
         "PATH",
         "also make PATH a symbolic link to the device;\n"
         "every further --link starts one more radio with\n"
         "the same memory, bands and faults (--save then\n"
         "keeps the first radio's memory)"},
        {{"bands"}, "LO-HI,LO-HI", "receive and transmit bands", "Band limits (whole MHz; default 136-174,400-520):"},
        {{"rx-bands"}, "LO-HI,LO-HI", "receive bands only"},
        {{"tx-bands"}, "LO-HI,LO-HI", "transmit bands only"},
        {{"paced"},
         "",
         "take the real time of 9600 baud for every byte\n"
         "(the default)",
         "Timing:"},
        {{"instant"},
         "",
         "answer as soon as a request is complete, faster\n"
         "than any real radio (for quick tests; a program\n"
         "that tells stray answers by their timing may\n"
         "take such answers for strays)"},
        {{"latency-ms"},
         "N",
         "pass the radio's bytes on in ticks of N ms (0 to\n"
         "255), as a USB serial adapter's latency timer\n"
         "does (16 on common adapters)"},
        {{"silent"}, "", "answer nothing", "Faults:"},
        {{"wrong-mode-reply"}, "", "answer the mode-entry string with NAK"},
        {{"wrong-model"}, "", "identify as another model"},
        {{"short-replies"}, "K", "the first K read replies lack their last byte"},
        {{"wrong-header"}, "", "read replies name the wrong address"},
        {{"refuse-writes"}, "K", "answer the first K write units with NAK"},
        {{"silent-after"},
         "K",
         "go silent after answering K block reads and\n"
         "writes"},
        {{"corrupt-byte"},
         "ADDR",
         "store the byte at radio address ADDR (0x0090 or\n"
         "144) with bit 0 inverted, and acknowledge the\n"
         "unit as usual"},
        {{"garble-reads"},
         "K",
         "invert one data byte of each of the first K read\n"
         "replies on the line (a different byte each time;\n"
         "the memory stays right)"},
        {{"fault"},
         "KIND,read|write,N[,TIMES]",
         "hit the N-th block read or write unit (from 0,\n"
         "resends counted) and TIMES-1 more (default 1)\n"
         "with KIND: silent, drop, short, bad-header,\n"
         "extra-byte, late-ack, double-ack,\n"
         "late-double-ack, nak, bad-ack, trickle, lost\n"
         "(never reaches the radio whole: not stored, not\n"
         "answered) (may be repeated)"},
        {{"late-ms"},
         "MS",
         "how late late-ack answers, and late-double-ack's\n"
         "second ACK (default 500)"},
        cmdline::HelpOption(),
        cmdline::VersionOption(),
    };
    return options;
}

}  // namespace

std::string SimUsage() {
    return "Usage: radiosim [OPTIONS]\n"
           "\n"
           "Simulates the dual-band handheld radio on a pseudo-terminal. Prints the device\n"
           "path to use as the first line on stdout, then answers the programming protocol\n"
           "until interrupted (Ctrl+C). Example:\n"
           "  dev=$(radiosim --load radio.dat | head -1) ...  or  radiosim --link /tmp/radio\n"
           "  RADIOPROG_PORTS=/tmp/radio radioprog-cli read copy.dat\n"
           "\n"
           "Options:\n" +
           cmdline::OptionsHelp(SimOptions()) +
           "\n"
           "Exit status:\n"
           "  0  ended by an interruption (Ctrl+C) or SIGTERM\n"
           "  2  usage error, or a file or device that cannot be used\n";
}

bool ParseSimArgs(const std::vector<std::string>& args, SimConfig& config, std::string& error) {
    cmdline::Arguments parsed;
    if (!cmdline::Parse(SimOptions(), args, parsed, error)) return false;
    if (!parsed.positional().empty()) {
        error = "unexpected argument '" + parsed.positional().front() + "'";
        return false;
    }
    auto count = [&](const char* option, int& out) {
        if (!parsed.isSet(option)) return true;
        const std::string text = parsed.value(option);
        if (ParseInt(text, 0, 1'000'000, out)) return true;
        error = std::string("--") + option + ": not a count: " + text;
        return false;
    };
    auto bands = [&](const char* option, std::optional<int>(&out)[4]) {
        if (!parsed.isSet(option)) return true;
        const std::string text = parsed.value(option);
        if (ParseBands(text, out)) return true;
        error = std::string("--") + option + ": expected LO-HI,LO-HI in MHz, got " + text;
        return false;
    };
    config.help = parsed.isSet("help");
    config.version = parsed.isSet("version");
    config.loadFile = parsed.value("load");
    config.saveFile = parsed.value("save");
    const std::vector<std::string> links = parsed.values("link");
    if (!links.empty()) {
        config.linkPath = links.front();
        config.moreLinks.assign(links.begin() + 1, links.end());
    }
    if (parsed.isSet("corrupt-byte") && !ParseAddress(parsed.value("corrupt-byte"), config.faults.corruptAddress)) {
        error = "--corrupt-byte: not a radio address: " + parsed.value("corrupt-byte");
        return false;
    }
    if (parsed.isSet("paced") && parsed.isSet("instant")) {
        error = "--paced and --instant exclude each other";
        return false;
    }
    config.paced = !parsed.isSet("instant");
    // Adapters set their timer in whole milliseconds up to 255.
    if (parsed.isSet("latency-ms") && !ParseInt(parsed.value("latency-ms"), 0, 255, config.latencyMs)) {
        error = "--latency-ms: expected 0 to 255 ms, got " + parsed.value("latency-ms");
        return false;
    }
    config.faults.silent = parsed.isSet("silent");
    config.faults.wrongModeReply = parsed.isSet("wrong-mode-reply");
    config.faults.wrongModel = parsed.isSet("wrong-model");
    config.faults.wrongHeader = parsed.isSet("wrong-header");
    for (const std::string& text : parsed.values("fault")) {
        TargetedFault fault;
        if (!ParseFault(text, fault)) {
            error = "--fault: expected KIND,read|write,N[,TIMES], got " + text;
            return false;
        }
        config.faults.targeted.push_back(fault);
    }
    return bands("bands", config.rxBands) && bands("bands", config.txBands) && bands("rx-bands", config.rxBands) &&
           bands("tx-bands", config.txBands) && count("short-replies", config.faults.shortReplies) &&
           count("refuse-writes", config.faults.refusedWrites) &&
           count("silent-after", config.faults.silentAfterBlocks) && count("late-ms", config.faults.lateReplyMs) &&
           count("garble-reads", config.faults.garbledReads);
}

BandLimits ApplyBandOptions(const SimConfig& config, const BandLimits& current) {
    BandLimits limits = current;
    int* rx[4] = {&limits.rxLower[0], &limits.rxUpper[0], &limits.rxLower[1], &limits.rxUpper[1]};
    int* tx[4] = {&limits.txLower[0], &limits.txUpper[0], &limits.txLower[1], &limits.txUpper[1]};
    for (int i = 0; i < 4; ++i) {
        if (config.rxBands[i]) *rx[i] = *config.rxBands[i];
        if (config.txBands[i]) *tx[i] = *config.txBands[i];
    }
    return limits;
}

}  // namespace radioprog::sim
