#pragma once
// Where the pages plug their device exchange into the controller. Each page registers, at
// start-up, the reader and writer of its class (read page, write page, read all and write all
// find them by the page's class) and the controller operations of the commands its buttons set.
// A page with no reader (or writer) registered is skipped by a read (or write): it sends nothing.

#include <cstdint>
#include <functional>
#include <string>

class TController;
class TformIncl;

using TPageOperation = std::function<void(TController& controller, TformIncl& page)>;
struct TPageExchange {
    TPageOperation Read;
    TPageOperation Write;
};

// Registers the exchange of pages of class `pageClass` (and of classes derived from it).
void RegisterPageExchange(const std::string& pageClass, TPageExchange exchange);
// The exchange of the page's class or its nearest registered ancestor; null when none.
const TPageExchange* FindPageExchange(const TformIncl& page);

// The operation a command code runs (erase history, history paging, almanac transfer, event
// flags, the unit's modes). A code with nothing registered runs nothing.
using TControllerOperation = std::function<void(TController& controller)>;
void RegisterCommandOperation(uint8_t code, TControllerOperation operation);
const TControllerOperation* FindCommandOperation(uint8_t code);

// The supply-voltage reading of the idle poll (the power page's).
void RegisterSupplyPoll(TControllerOperation operation);
const TControllerOperation* FindSupplyPoll();

// The common page's step after the unit's mode was read, run on the user-interface thread.
using TPageStep = std::function<void(TformIncl& page)>;
void RegisterModeStateStep(TPageStep step);
const TPageStep* FindModeStateStep();
