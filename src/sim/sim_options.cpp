#include "sim/sim_options.h"

#include <charconv>

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
    if (parts[1] == "read") fault.target = FaultTarget::Read;
    else if (parts[1] == "write") fault.target = FaultTarget::Write;
    else return false;
    fault.times = 1;
    return ParseInt(parts[2], 0, 1'000'000, fault.at) && (parts.size() < 4 || ParseInt(parts[3], 1, 1'000'000, fault.times));
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

const char* SimUsage() {
    return "Usage: radiosim [OPTIONS]\n"
           "\n"
           "Simulates the dual-band handheld radio on a pseudo-terminal. Prints the device path\n"
           "to use as the first line on stdout, then answers the programming protocol until\n"
           "interrupted (Ctrl+C). Example:\n"
           "  dev=$(radiosim --load radio.dat | head -1) ...  or  radiosim --link /tmp/radio\n"
           "  RADIOPROG_PORTS=/tmp/radio radioprog-cli read copy.dat\n"
           "\n"
           "Memory:\n"
           "  --load FILE          start from the image in a .dat file (band limits included)\n"
           "  --save FILE          keep FILE up to date with what is written to the radio\n"
           "                       (saved when the line goes quiet and at exit)\n"
           "  --link PATH          also make PATH a symbolic link to the device; every further\n"
           "                       --link starts one more radio with the same memory, bands and\n"
           "                       faults (--save then keeps the first radio's memory)\n"
           "Band limits (whole MHz; default 136-174,400-520):\n"
           "  --bands LO-HI,LO-HI  receive and transmit bands\n"
           "  --rx-bands LO-HI,LO-HI, --tx-bands LO-HI,LO-HI\n"
           "Timing:\n"
           "  --paced              take the real time of 9600 baud for every byte\n"
           "Faults:\n"
           "  --silent             answer nothing\n"
           "  --wrong-mode-reply   answer the mode-entry string with NAK\n"
           "  --wrong-model        identify as another model\n"
           "  --short-replies K    the first K read replies lack their last byte\n"
           "  --wrong-header       read replies name the wrong address\n"
           "  --refuse-writes K    answer the first K write units with NAK\n"
           "  --silent-after K     go silent after answering K block reads and writes\n"
           "  --corrupt-byte ADDR  store the byte at radio address ADDR (0x0090 or 144) with\n"
           "                       bit 0 inverted, and acknowledge the unit as usual\n"
           "  --garble-reads K     invert one data byte of each of the first K read replies on\n"
           "                       the line (a different byte each time; the memory stays right)\n"
           "  --fault KIND,read|write,N[,TIMES]\n"
           "                       hit the N-th block read or write unit (from 0, resends\n"
           "                       counted) and TIMES-1 more (default 1) with KIND: silent,\n"
           "                       drop, short, bad-header, extra-byte, late-ack, double-ack,\n"
           "                       nak, bad-ack (may be repeated)\n"
           "  --late-ms MS         how late late-ack answers (default 500)\n"
           "  --help               this text\n";
}

bool ParseSimArgs(const std::vector<std::string>& args, SimConfig& config, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = option + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        auto count = [&](int& out) {
            std::string text;
            if (!value(text)) return false;
            if (!ParseInt(text, 0, 1'000'000, out)) {
                error = option + ": not a count: " + text;
                return false;
            }
            return true;
        };
        auto bands = [&](std::optional<int> (&out)[4]) {
            std::string text;
            if (!value(text)) return false;
            if (!ParseBands(text, out)) {
                error = option + ": expected LO-HI,LO-HI in MHz, got " + text;
                return false;
            }
            return true;
        };
        bool ok = true;
        if (option == "--help" || option == "-h") config.help = true;
        else if (option == "--load") ok = value(config.loadFile);
        else if (option == "--save") ok = value(config.saveFile);
        else if (option == "--link") {
            std::string path;
            ok = value(path);
            if (ok && config.linkPath.empty()) config.linkPath = path;
            else if (ok) config.moreLinks.push_back(path);
        }
        else if (option == "--corrupt-byte") {
            std::string text;
            ok = value(text);
            if (ok && !ParseAddress(text, config.faults.corruptAddress)) {
                error = option + ": not a radio address: " + text;
                ok = false;
            }
        }
        else if (option == "--garble-reads") ok = count(config.faults.garbledReads);
        else if (option == "--bands") ok = bands(config.rxBands) && ParseBands(args[i], config.txBands);
        else if (option == "--rx-bands") ok = bands(config.rxBands);
        else if (option == "--tx-bands") ok = bands(config.txBands);
        else if (option == "--paced") config.paced = true;
        else if (option == "--silent") config.faults.silent = true;
        else if (option == "--wrong-mode-reply") config.faults.wrongModeReply = true;
        else if (option == "--wrong-model") config.faults.wrongModel = true;
        else if (option == "--short-replies") ok = count(config.faults.shortReplies);
        else if (option == "--wrong-header") config.faults.wrongHeader = true;
        else if (option == "--refuse-writes") ok = count(config.faults.refusedWrites);
        else if (option == "--silent-after") ok = count(config.faults.silentAfterBlocks);
        else if (option == "--late-ms") ok = count(config.faults.lateReplyMs);
        else if (option == "--fault") {
            std::string text;
            TargetedFault fault;
            ok = value(text);
            if (ok && !ParseFault(text, fault)) {
                error = option + ": expected KIND,read|write,N[,TIMES], got " + text;
                return false;
            }
            if (ok) config.faults.targeted.push_back(fault);
        }
        else {
            error = "unknown option " + option + " (see --help)";
            return false;
        }
        if (!ok) return false;
    }
    return true;
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
