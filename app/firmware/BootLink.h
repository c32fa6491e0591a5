#pragma once
// The three requests the bootloader dialogue is made of. Each sends "+" and the command with a
// carriage return and returns the whole reply up to "OK"; the result is the device layer's
// (a refusal fails, a missing reply fails, on the cable the last try's other reply counts).
// Errors of the line (a modem's hang-up words, an unplugged cable) are raised.

#include <string>

class TDevQuorvan;

class TBootLink {
public:
    virtual ~TBootLink() = default;
    // 4,500 ms, one try.
    virtual bool BootRequest(const std::string& command, std::string& reply) = 0;
    // 15,000 ms, one try (erasing, finishing).
    virtual bool BootRequestLong(const std::string& command, std::string& reply) = 0;
    // 15,000 ms, three tries (one block).
    virtual bool BootWriteBlock(const std::string& command, std::string& reply) = 0;
};

// The requests over a connection's command object.
class TDevBootLink : public TBootLink {
public:
    explicit TDevBootLink(TDevQuorvan& dev) : dev_(dev) {}
    bool BootRequest(const std::string& command, std::string& reply) override;
    bool BootRequestLong(const std::string& command, std::string& reply) override;
    bool BootWriteBlock(const std::string& command, std::string& reply) override;

private:
    TDevQuorvan& dev_;
};
