// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial line's side of a transfer: the POSIX serial port as the transfer engine's
// driver (COMn through the port map, poll() until the engine's next deadline, a cancel
// request wakes it), and the protocol's single exchanges on an open port, each run by the
// engine. The exchanges block and answer only true or false; the transfer job decides what
// a failure means for the user.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "link/line_driver.h"
#include "link/port_map.h"
#include "link/serial_line.h"
#include "link/transfer_engine.h"
#include "link/wire.h"

namespace radioprog {

class CComPort : public LineDriver {
public:
    explicit CComPort(PortMap ports = {});

    // Opens the device; true at once when the port is open already, whatever the name.
    bool Open(const std::string& device);
    bool Close();
    void CloseIfOpen();
    bool isOpen() const { return line_.isOpen(); }
    const OpenError& lastOpenError() const { return line_.lastOpenError(); }
    const PortMap& ports() const { return ports_; }
    void setPorts(PortMap ports) { ports_ = std::move(ports); }

    void setTimeouts(const LineTimeouts& timeouts);
    void setTrace(std::shared_ptr<TransferTrace> trace);
    void setCancel(const TransferCancel* cancel) { line_.setCancel(cancel); }
    bool cancelled() const { return line_.cancelled(); }

    // Sends the mode-entry string up to retries + 1 times while the radio stays silent; a
    // reply other than ACK ends the attempts.
    bool EnterProgramMode(int retries);
    // The radio must report the expected model and acknowledge the confirmation.
    bool Identify();
    bool ReadBlock(std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination);
    // One attempt; the data arrive scrambled and are descrambled here.
    bool ReadBlockDescrambled(std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination);
    // Writes one 16-byte unit until the radio acknowledges it alone; a stray byte before it
    // puts the previous unit's acknowledgement in doubt, so that unit is sent again first.
    bool WriteBlock(std::uint8_t hi, std::uint8_t lo, const std::uint8_t* source);
    // After the last unit: waits for a stray reply to it and sends the unit again if one came.
    bool confirmWrites();

    // Spelling of the protocol's own name for the nibble translation; flag 0 descrambles.
    static void TranslateNibbles(std::uint8_t* buffer, std::size_t length, int flag) {
        radioprog::TranslateNibbles(buffer, length, flag == 0);
    }

    // The driver.
    LineTime now() override;
    PortOpening openPort(int port) override;
    void closePort() override { CloseIfOpen(); }
    void purge() override { line_.purge(); }
    std::size_t send(std::span<const std::uint8_t> bytes) override { return line_.write(bytes.data(), bytes.size()); }
    void wait(LineTime until, std::vector<std::uint8_t>& received) override;
    bool cancelRequested() const override { return line_.cancelled(); }

private:
    bool run(const Exchange& exchange);

    PortMap ports_;
    SerialLine line_;
    std::shared_ptr<TransferTrace> trace_;
    TransferEngine exchanges_;
};

}  // namespace radioprog
