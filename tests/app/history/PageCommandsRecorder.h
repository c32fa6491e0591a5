#pragma once
// The window that owns a page in the page tests: it answers whether a connection stands and
// records the commands the page's buttons set.

#include "app/pages/PageCommands.h"
#include "platform/classes/Component.h"

#include <cstdint>
#include <vector>

namespace pagetest {

class TPageCommandsRecorder : public TComponent, public TPageCommands {
public:
    TPageCommandsRecorder() : TComponent(nullptr) {}

    bool Connected() override { return Connection; }
    bool RunPageCommand(uint8_t code) override {
        if (!Connection)
            return false;
        Codes.push_back(code);
        return true;
    }

    bool Connection = true;
    std::vector<int> Codes;
};

} // namespace pagetest
