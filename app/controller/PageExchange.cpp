#include "app/controller/PageExchange.h"

#include "app/pages/FormIncl.h"

#include <map>
#include <mutex>

namespace {

// Registered once at start-up, read by the worker threads afterwards.
struct TRegistry {
    std::mutex Lock;
    std::map<std::string, TPageExchange> Pages;
    std::map<uint8_t, TControllerOperation> Commands;
    TControllerOperation SupplyPoll;
    TPageStep ModeState;
};

TRegistry& Registry() {
    static TRegistry registry;
    return registry;
}

} // namespace

void RegisterPageExchange(const std::string& pageClass, TPageExchange exchange) {
    std::lock_guard<std::mutex> lock(Registry().Lock);
    Registry().Pages[pageClass] = std::move(exchange);
}

const TPageExchange* FindPageExchange(const TformIncl& page) {
    std::lock_guard<std::mutex> lock(Registry().Lock);
    for (TClass c = page.ClassType(); c != nullptr; c = c->ClassParent()) {
        const auto found = Registry().Pages.find(c->ClassName());
        if (found != Registry().Pages.end())
            return &found->second;
    }
    return nullptr;
}

void RegisterCommandOperation(uint8_t code, TControllerOperation operation) {
    std::lock_guard<std::mutex> lock(Registry().Lock);
    Registry().Commands[code] = std::move(operation);
}

const TControllerOperation* FindCommandOperation(uint8_t code) {
    std::lock_guard<std::mutex> lock(Registry().Lock);
    const auto found = Registry().Commands.find(code);
    return found == Registry().Commands.end() ? nullptr : &found->second;
}

void RegisterSupplyPoll(TControllerOperation operation) {
    std::lock_guard<std::mutex> lock(Registry().Lock);
    Registry().SupplyPoll = std::move(operation);
}

const TControllerOperation* FindSupplyPoll() {
    std::lock_guard<std::mutex> lock(Registry().Lock);
    return Registry().SupplyPoll ? &Registry().SupplyPoll : nullptr;
}

void RegisterModeStateStep(TPageStep step) {
    std::lock_guard<std::mutex> lock(Registry().Lock);
    Registry().ModeState = std::move(step);
}

const TPageStep* FindModeStateStep() {
    std::lock_guard<std::mutex> lock(Registry().Lock);
    return Registry().ModeState ? &Registry().ModeState : nullptr;
}
