#pragma once
// What a page's own buttons need of the window that owns the pages (the main window): whether a
// connection stands, and setting a command for its worker thread. Pages find it through their
// owner, so that a page works alone too (a test's owner may implement it, or not: then no command
// is ever set).

#include "platform/classes/Component.h"

#include <cstdint>

class TPageCommands {
public:
    virtual ~TPageCommands() = default;
    // A connection stands (its connect succeeded and it was not ended).
    virtual bool Connected() = 0;
    // Sets `code` for the worker thread of the connection that stands; false, with nothing set,
    // when no connection stands.
    virtual bool RunPageCommand(uint8_t code) = 0;
};

// The commands of the window that owns `page`, or null.
inline TPageCommands* PageCommandsOf(const TComponent& page) {
    return dynamic_cast<TPageCommands*>(page.Owner());
}
