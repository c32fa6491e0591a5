#include "app/firmware/BootLink.h"

#include "device/DevQuorvan.h"

bool TDevBootLink::BootRequest(const std::string& command, std::string& reply) {
    return dev_.SendCommand(command, reply, true);
}

bool TDevBootLink::BootRequestLong(const std::string& command, std::string& reply) {
    return dev_.SendSlowCommand(command, reply, true);
}

// Block lines are long; the log keeps the dialogue's shape without them.
bool TDevBootLink::BootWriteBlock(const std::string& command, std::string& reply) {
    return dev_.SendSlowCommandRetry(command, reply, false);
}
