#pragma once
// A pseudo-terminal pair for serial tests: the code under test opens the slave by its path, the
// test plays the far end on the master.

#include "platform/serial/PseudoTerminal.h"

#include <memory>
#include <string>
#include <termios.h>

class PtyPair {
public:
    PtyPair() {
        try {
            pty_ = TPseudoTerminal::Create();
        } catch (const EPseudoTerminal&) {
        }
    }

    bool Ok() const { return pty_ && pty_->IsOpen(); }
    const std::string& Path() const { return pty_->SlaveName(); }
    int Master() const { return pty_->Handle(); }

    // The far end sends bytes.
    void Write(const std::string& bytes) { pty_->WriteAll(bytes, 5000); }
    // Reads what arrives at the far end until `count` bytes came or `timeoutMs` passed.
    std::string Read(size_t count, int timeoutMs = 1000) { return pty_->ReadFor(count, timeoutMs); }

    // Everything that arrived within `quietMs` of silence.
    std::string ReadAvailable(int quietMs = 50) {
        std::string got;
        for (;;) {
            std::string more = Read(1 << 16, quietMs);
            if (more.empty())
                return got;
            got += more;
        }
    }

    // The slave's line settings as the master sees them.
    termios Attributes() const {
        termios t{};
        ::tcgetattr(pty_->Handle(), &t);
        return t;
    }

    // The far end goes away.
    void CloseMaster() { pty_->Close(); }

private:
    std::unique_ptr<TPseudoTerminal> pty_;
};
