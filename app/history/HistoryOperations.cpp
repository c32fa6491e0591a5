#include "app/history/HistoryOperations.h"

#include "app/history/HistoryHost.h"
#include "app/history/HistoryRow.h"
#include "app/queue/OutArray.h"
#include "device/DevQuorvan.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Strings.h"

#include <memory>

namespace {

// Keeps the main controls disabled while a command runs, whatever it raises.
class TMainControlsOff {
public:
    explicit TMainControlsOff(THistoryHost& host) : host_(host) { host_.DisableMainControls(); }
    ~TMainControlsOff() { host_.EnableMainControls(); }
    TMainControlsOff(const TMainControlsOff&) = delete;
    TMainControlsOff& operator=(const TMainControlsOff&) = delete;

private:
    THistoryHost& host_;
};

} // namespace

const char* const THistoryOperations::PointerWriteError =
    "Ошибка при записи указателя не переданной истории!";

THistoryOperations::THistoryOperations(THistoryHost& host, THistoryView& view)
    : THistoryOperations(host, view, devSource_) {}

THistoryOperations::THistoryOperations(THistoryHost& host, THistoryView& view,
                                       THistorySource& source)
    : host_(host), view_(view), devSource_(host.Dev()), paging_(source) {}

THistoryViewState THistoryOperations::Begin(bool clearList) {
    THistoryViewState state;
    host_.OnUserInterface([&] {
        if (clearList) {
            view_.ClearList();
        }
        state = view_.State();
    });
    return state;
}

void THistoryOperations::ReadHistoryPage() {
    const THistoryViewState state = Begin(true);
    int32_t pointer = -1;
    if (!host_.Dev().GetPointCount(pointer)) {
        Show(THistoryPaging::TStep{false, {}}, state);
        return;
    }
    Show(paging_.ReadPage(pointer), state);
}

void THistoryOperations::HistoryBack() {
    TMainControlsOff off(host_);
    const THistoryViewState state = Begin(true);
    Show(paging_.Back(), state);
}

void THistoryOperations::HistoryForward() {
    TMainControlsOff off(host_);
    const THistoryViewState state = Begin(true);
    Show(paging_.Forward(), state);
}

void THistoryOperations::EraseHistory() {
    TMainControlsOff off(host_);
    Begin(true);
    if (host_.Dev().EraseHistory()) {
        paging_.Reset();
    }
}

void THistoryOperations::HistoryPointer() {
    const std::string text = Begin(false).PointerText;
    if (text.empty()) {
        std::string value;
        if (host_.Dev().GetNsPoint(value)) {
            host_.Queue().PutControlText(view_.PointerEdit(), value);
        }
        return;
    }
    int32_t pointer = 0;
    if (!TryStrToInt("$" + text, pointer) || pointer < 0 || pointer > THistoryPaging::LastIndex ||
        !host_.Dev().SetNsPoint(IntToHex(pointer, 4))) {
        host_.Log(PointerWriteError);
    }
}

void THistoryOperations::Show(const THistoryPaging::TStep& step, const THistoryViewState& state) {
    if (step.Ok) {
        AddRows(step.Lines, state);
    }
    if (TControl* mark = view_.ReadMark()) {
        host_.Queue().PutControlColor(mark, step.Ok ? clBlue : clRed);
    }
}

void THistoryOperations::AddRows(const std::vector<std::string>& lines,
                                 const THistoryViewState& state) {
    THistoryRowOptions options;
    options.Shell = host_.Shell();
    options.Build = host_.Build();
    options.Columns = state.Columns;
    options.DegreesFormat = state.DegreesFormat;
    options.ThisYear = CurrentYear();
    // Newest record on top: the lines come in ring order.
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        THistoryRow row = HistoryRow(*line, options);
        if (row.Forget && row.ForgetIndex >= 0) {
            host_.Dev().ForgetHistoryRecord(row.ForgetIndex);
        }
        auto subItems = std::make_unique<TStringList>();
        subItems->AddStrings(row.SubItems);
        host_.Queue().PutListRow(view_.List(), row.Caption, std::move(subItems));
    }
}
