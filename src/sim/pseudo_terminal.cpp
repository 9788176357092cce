// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/pseudo_terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace radioprog::sim {

PseudoTerminal::~PseudoTerminal() { destroy(); }

bool PseudoTerminal::create(std::string& error) {
    destroy();
    int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128];
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::ptsname_r(master, name, sizeof name) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        if (master >= 0) ::close(master);
        return false;
    }
    int device = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (device < 0) {
        error = std::string("cannot open ") + name + ": " + std::strerror(errno);
        ::close(master);
        return false;
    }
    // Raw from the start: no echo of the radio's bytes back to it before a program opens it.
    termios tio{};
    if (::tcgetattr(device, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(device, TCSANOW, &tio);
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    master_ = master;
    heldDevice_ = device;
    path_ = name;
    return true;
}

void PseudoTerminal::destroy() {
    if (heldDevice_ >= 0) ::close(heldDevice_);
    if (master_ >= 0) ::close(master_);
    heldDevice_ = master_ = -1;
    path_.clear();
}

}  // namespace radioprog::sim
