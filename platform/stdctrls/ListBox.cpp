#include "platform/stdctrls/ListBox.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/stdctrls/StringsProperty.h"
#include "platform/stdctrls/WidgetSupport_p.h"

#include <QListWidget>

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TStringList>()) {
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
    items_->OnChange = [this](TObject*) {
        if (itemIndex_ >= items_->Count())
            itemIndex_ = -1;
        FillWidget();
    };
}

TCustomListBox::~TCustomListBox() {
    items_->OnChange = nullptr;
}

void TCustomListBox::DeclareProperties(TPropertyList& p) {
    p.Add("Items", &TCustomListBox::Items, &TCustomListBox::SetItems);
    p.Add("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted).Default(false);
}

void TCustomListBox::SetItems(TStrings* v) {
    AssignStrings(*items_, v);
}

void TCustomListBox::SetItemIndex(int v) {
    if (v < -1 || v >= items_->Count())
        v = -1;
    itemIndex_ = v;
    FillWidget();
}

void TCustomListBox::SetSorted(bool v) {
    items_->SetSorted(v);
}

QWidget* TCustomListBox::CreateWidget() {
    auto* w = new TWidgetBridge<QListWidget>(this);
    QObject::connect(w, &QListWidget::currentRowChanged, guard_.get(), [this](int row) {
        if (filling_)
            return;
        SafeCall(this, [&] {
            itemIndex_ = row;
            Click();
        });
    });
    filling_ = false;
    return w;
}

void TCustomListBox::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
    FillWidget();
}

void TCustomListBox::FillWidget() {
    if (!HandleAllocated() || filling_)
        return;
    filling_ = true;
    auto* w = static_cast<QListWidget*>(Handle());
    w->clear();
    for (int i = 0; i < items_->Count(); ++i)
        w->addItem(QStr(items_->Get(i)));
    w->setCurrentRow(itemIndex_);
    filling_ = false;
}

void TCustomListBox::WndProc(TMessage& message) {
    if (!KeepArrowKeys(message))
        TWinControl::WndProc(message);
}
