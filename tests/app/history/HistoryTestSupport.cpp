#include "tests/app/history/HistoryTestSupport.h"

#include "tests/app/support/AppTestEnvironment.h"

#include "platform/rtl/Classes.h"
#include "platform/rtl/Strings.h"
#include "platform/stdctrls/Registration.h"

#include <cstdlib>
#include <ctime>

namespace {

// Record dates are shown in local time: a zone three hours east of UTC without daylight saving.
[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(
    new apptest::ApplicationEnvironment("app-history-fonts", [] {
        ::setenv("TZ", "Etc/GMT-3", 1);
        ::tzset();
        RegisterStdControls();
    }));

} // namespace

namespace histtest {

std::string ReadLine(int first, int last) {
    return "+read" + IntToHex(first, 4) + IntToHex(last, 4);
}

THistoryBench::THistoryBench() : host_(Dev(), queue_) {
    ops_ = std::make_unique<THistoryOperations>(host_, view_);
}

THistoryBench::~THistoryBench() {
    Close();
}

void THistoryBench::Drain() {
    TOutElement* element = nullptr;
    while (queue_.Take(element) != okNone) {
        if (auto* row = dynamic_cast<TFullListOut*>(element)) {
            TRow r{row->Caption, {}};
            for (int i = 0; i < row->SubItems->Count(); ++i) {
                r.SubItems.push_back((*row->SubItems)[i]);
            }
            rows_.push_back(std::move(r));
        } else if (auto* value = dynamic_cast<TControlOut*>(element)) {
            if (value->Kind == okControlColor && value->Control == view_.ReadMark()) {
                marks_.push_back(value->Text);
            } else if (value->Kind == okControlValue && value->Control == view_.PointerEdit()) {
                pointerTexts_.push_back(value->Text);
            }
        }
    }
}

std::vector<TRow> THistoryBench::TakeRows() {
    Drain();
    return std::move(rows_);
}

std::vector<std::string> THistoryBench::TakeMarks() {
    Drain();
    return std::move(marks_);
}

std::vector<std::string> THistoryBench::TakePointerTexts() {
    Drain();
    return std::move(pointerTexts_);
}

std::vector<int> THistoryBench::Indexes(const std::vector<TRow>& rows) {
    std::vector<int> indexes;
    for (const auto& row : rows) {
        indexes.push_back(StrToInt("$" + row.Caption));
    }
    return indexes;
}

} // namespace histtest
