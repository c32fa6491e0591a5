#include "app/pages/history/HistoryConnection.h"

#include "app/controller/Controller.h"
#include "app/controller/PageExchange.h"
#include "app/pages/history/FormHistory.h"
#include "app/worker/CommandCodes.h"

THistoryConnection::THistoryConnection(TController& controller, THistoryView& view)
    : controller_(controller), operations_(*this, view) {}

TDevQuorvan& THistoryConnection::Dev() {
    return controller_.Device();
}

TOutArray& THistoryConnection::Queue() {
    return controller_.Queue();
}

void THistoryConnection::DisableMainControls() {
    controller_.SetMainControlsEnabled(false);
}

void THistoryConnection::EnableMainControls() {
    controller_.SetMainControlsEnabled(true);
}

int THistoryConnection::Shell() {
    return controller_.Firmware().Shell;
}

int THistoryConnection::Build() {
    return controller_.Firmware().Build;
}

void THistoryConnection::Log(const std::string& text) {
    controller_.Log(text);
}

void THistoryConnection::OnUserInterface(const std::function<void()>& step) {
    controller_.OnUserInterface(step);
}

THistoryOperations* HistoryOperationsOf(TController& controller) {
    TformHistory* page = nullptr;
    for (TformIncl* candidate : controller.View().Pages)
        if (auto* history = dynamic_cast<TformHistory*>(candidate)) {
            page = history;
            break;
        }
    if (page == nullptr)
        return nullptr;
    return &controller
                .PageState<THistoryConnection>(
                    [&] { return new THistoryConnection(controller, *page); })
                .Operations();
}

namespace {

// Runs one history operation of the controller's connection, when it has a history page.
TControllerOperation HistoryCommand(void (THistoryOperations::*operation)()) {
    return [operation](TController& controller) {
        if (THistoryOperations* operations = HistoryOperationsOf(controller))
            (operations->*operation)();
    };
}

} // namespace

void RegisterHistoryCommands() {
    TPageExchange exchange;
    // The page is never written: its reader alone is registered.
    exchange.Read = [](TController& controller, TformIncl&) {
        if (THistoryOperations* operations = HistoryOperationsOf(controller))
            operations->ReadHistoryPage();
    };
    RegisterPageExchange("TformHistory", std::move(exchange));
    RegisterCommandOperation(cmdHistoryBack, HistoryCommand(&THistoryOperations::HistoryBack));
    RegisterCommandOperation(cmdHistoryForward,
                             HistoryCommand(&THistoryOperations::HistoryForward));
    RegisterCommandOperation(cmdEraseHistory, HistoryCommand(&THistoryOperations::EraseHistory));
    RegisterCommandOperation(cmdHistoryPointer,
                             HistoryCommand(&THistoryOperations::HistoryPointer));
}
