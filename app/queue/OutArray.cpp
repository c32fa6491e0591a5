#include "app/queue/OutArray.h"

#include "platform/rtl/Classes.h"
#include "platform/rtl/DateTime.h"

TFullListOut::TFullListOut() : TOutElement(okListRow) {}
TFullListOut::~TFullListOut() = default;

TOutArray::TOutArray(std::chrono::milliseconds fullWait) : fullWait_(fullWait) {}
TOutArray::~TOutArray() = default;

void TOutArray::Put(std::unique_ptr<TOutElement> element) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (pending_.size() >= Capacity)
        taken_.wait_for(lock, fullWait_, [this] { return pending_.size() < Capacity; });
    pending_.push_back(std::move(element));
}

void TOutArray::PutMemoLine(TCustomMemo* memo, const std::string& text, bool stamp, int show) {
    auto e = std::make_unique<TMemoOut>();
    e->Memo = memo;
    e->Text = stamp ? FormatDateTime("ddddd tt", Now()) + " " + text : text;
    e->Show = show;
    Put(std::move(e));
}

void TOutArray::PutControlText(TControl* control, const std::string& text) {
    auto e = std::make_unique<TControlOut>(okControlValue);
    e->Control = control;
    e->Text = text;
    Put(std::move(e));
}

void TOutArray::PutControlBool(TControl* control, bool value) {
    PutControlText(control, value ? "-1" : "0");
}

void TOutArray::PutControlInt(TControl* control, int64_t value) {
    PutControlText(control, std::to_string(value));
}

void TOutArray::PutComponentEnabled(TComponent* component, const std::string& text) {
    auto e = std::make_unique<TCompOut>();
    e->Component = component;
    e->Text = text;
    Put(std::move(e));
}

void TOutArray::PutListRow(TCustomListView* listView, const std::string& caption,
                           std::unique_ptr<TStringList> subItems) {
    auto e = std::make_unique<TFullListOut>();
    e->ListView = listView;
    e->Caption = caption;
    e->SubItems = std::move(subItems);
    Put(std::move(e));
}

void TOutArray::PutMessage(const std::string& text) {
    auto e = std::make_unique<TMsgOut>();
    e->Text = text;
    Put(std::move(e));
}

void TOutArray::PutStatus(const std::string& text, TStatusPanel* panel) {
    auto e = std::make_unique<TStatusOut>();
    e->Text = text;
    e->Panel = panel;
    Put(std::move(e));
}

void TOutArray::PutControlColor(TControl* control, TColor color) {
    auto e = std::make_unique<TControlOut>(okControlColor);
    e->Control = control;
    e->Text = ColorToString(color);
    Put(std::move(e));
}

void TOutArray::PutGridCell(TStringGrid* grid, const std::string& text, int row, int col) {
    auto e = std::make_unique<TOutStringGrid>();
    e->Grid = grid;
    e->Text = text;
    e->Row = row;
    e->Col = col;
    Put(std::move(e));
}

TOutKind TOutArray::PeekKind() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return pending_.empty() ? okNone : pending_.front()->Kind;
}

TOutKind TOutArray::Take(TOutElement*& element) {
    std::unique_ptr<TOutElement> previous;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        element = nullptr;
        if (pending_.empty())
            return okNone;
        previous = std::move(last_);
        last_ = std::move(pending_.front());
        pending_.pop_front();
        element = last_.get();
    }
    taken_.notify_all();
    return element->Kind;
}

size_t TOutArray::Pending() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return pending_.size();
}
