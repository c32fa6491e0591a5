#include "platform/stdctrls/ComboBox.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "platform/stdctrls/OwnerDraw_p.h"
#include "platform/stdctrls/StringsProperty.h"
#include "platform/stdctrls/WidgetSupport_p.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>
#include <functional>

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TStringList>()) {
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetColor(clWindow);
    SetControlStyle(ControlStyle() - TControlStyle{csSetCaption}); // its text is stored as Text
    SetControlStyle(ControlStyle() - TControlStyle{csSetCaption}); // its text is stored as Text
    items_->OnChange = [this](TObject*) { ItemsChanged(); };
}

TCustomComboBox::~TCustomComboBox() {
    items_->OnChange = nullptr;
}

void TCustomComboBox::DeclareProperties(TPropertyList& p) {
    p.Add("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount)
        .Default(8);
    p.Add("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength).Default(0);
    p.Add("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted).Default(false);
    p.Add("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle).Default(csDropDown);
    p.Add("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight).Default(16);
    p.Add("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems);
    p.AddFn<TCustomComboBox>(
         "ItemIndex", [](TCustomComboBox* c) { return c->ItemIndex(); },
         [](TCustomComboBox* c, int v) { c->SetItemIndex(v); })
        .Default(-1);
    p.AddFn<TCustomComboBox>(
        "Text", [](TCustomComboBox* c) { return c->GetText(); },
        [](TCustomComboBox* c, std::string v) { c->SetText(v); });
    p.Add("OnChange", &TCustomComboBox::OnChange);
    p.Add("OnSelect", &TCustomComboBox::OnSelect);
    p.Add("OnDropDown", &TCustomComboBox::OnDropDown);
    p.Add("OnCloseUp", &TCustomComboBox::OnCloseUp);
}

void TCustomComboBox::SetItems(TStrings* v) {
    AssignStrings(*items_, v);
}

void TCustomComboBox::ItemsChanged() {
    // The selection keeps its text when items move (a sorted list) and ends when it goes.
    const std::string text = TWinControl::GetText();
    if (itemIndex_ >= items_->Count() || (itemIndex_ >= 0 && items_->Get(itemIndex_) != text)) {
        itemIndex_ = -1;
        for (int i = 0; i < items_->Count(); ++i)
            if (items_->Get(i) == text && !text.empty()) {
                itemIndex_ = i;
                break;
            }
    }
    FillWidget();
}

void TCustomComboBox::SetItemIndex(int v) {
    if (v < -1 || v >= items_->Count())
        v = -1;
    itemIndex_ = v;
    TWinControl::DoSetText(v >= 0 ? items_->Get(v) : std::string());
    FillWidget();
}

std::string TCustomComboBox::GetText() const {
    return TWinControl::GetText();
}

void TCustomComboBox::DoSetText(const std::string& value) {
    // The text selects the item that equals it; a list-only combo takes only an item's text.
    int found = -1;
    for (int i = 0; i < items_->Count(); ++i)
        if (items_->Get(i) == value) {
            found = i;
            break;
        }
    if (style_ == csDropDownList && found < 0 && !value.empty())
        return;
    itemIndex_ = found;
    TWinControl::DoSetText(value);
    FillWidget();
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
    style_ = v;
    UpdateWidgetState();
}

void TCustomComboBox::SetItemHeight(int v) {
    itemHeight_ = std::max(v, 1);
    UpdateWidgetState();
}

bool TCustomComboBox::OwnerDrawn() const {
    return (style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable) && OnDrawItem != nullptr;
}

void TCustomComboBox::SetSorted(bool v) {
    items_->SetSorted(v);
}

void TCustomComboBox::SetDropDownWidth(int width) {
    dropDownWidth_ = std::max(width, 0);
    UpdateWidgetState();
}

void TCustomComboBox::SetDropDownCount(int v) {
    dropDownCount_ = std::max(v, 1);
    UpdateWidgetState();
}

void TCustomComboBox::SetMaxLength(int v) {
    maxLength_ = std::max(v, 0);
    UpdateWidgetState();
}

void TCustomComboBox::Clear() {
    items_->Clear();
    SetItemIndex(-1);
}

void TCustomComboBox::Change() {
    if (OnChange)
        OnChange(this);
}

void TCustomComboBox::UserSelected(int index) {
    SetItemIndex(index);
    Click();
    if (OnSelect)
        OnSelect(this);
    Change();
}

// The box's own drawing over its widget: on a transparent image of the widget's size, laid over
// what the platform painted.
struct TComboBoxPainting {
    static bool PaintsOver(const TCustomComboBox& combo) { return combo.PaintsOver(); }
    static void PaintOver(TCustomComboBox& combo, QWidget* widget) {
        QImage pixels(widget->size(), QImage::Format_ARGB32_Premultiplied);
        pixels.fill(Qt::transparent);
        TCanvas canvas;
        TGraphicsQt::SetImage(canvas, &pixels);
        SafeCall(&combo,
                 [&] { combo.PaintOver(canvas, Rect(0, 0, pixels.width(), pixels.height())); });
        canvas.Flush();
        TGraphicsQt::SetImage(canvas, nullptr);
        QPainter painter(widget);
        painter.drawImage(0, 0, pixels);
    }
};

namespace {

void DrawComboItem(TCustomComboBox* combo, QPainter* painter, const QRect& rect, int index,
                   TOwnerDrawState state) {
    SafeCall(combo, [&] {
        PaintOwnerDrawnItem(painter, rect, combo, *combo->Canvas(), combo->OnDrawItem, index,
                            state);
    });
}

// The combo widget tells its control when the list drops down and closes up; an owner-drawn
// combo draws its field through the control.
class TComboWidget : public TWidgetBridge<QComboBox> {
public:
    TComboWidget(TWinControl* control, std::function<void(bool)> dropped)
        : TWidgetBridge<QComboBox>(control), dropped_(std::move(dropped)) {}
    void paintEvent(QPaintEvent* event) override {
        auto* combo = static_cast<TCustomComboBox*>(LinkedControl());
        PaintBox(combo, event);
        if (combo != nullptr && TComboBoxPainting::PaintsOver(*combo))
            TComboBoxPainting::PaintOver(*combo, this);
    }
    void PaintBox(TCustomComboBox* combo, QPaintEvent* event) {
        if (combo == nullptr || !combo->OwnerDrawn() || isEditable()) {
            QComboBox::paintEvent(event);
            return;
        }
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        option.currentText.clear();
        option.currentIcon = QIcon();
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, this);
        TOwnerDrawState state{odComboBoxEdit};
        if (hasFocus())
            state.Include(odSelected).Include(odFocused);
        if (!isEnabled())
            state.Include(odDisabled);
        if (currentIndex() >= 0)
            DrawComboItem(combo, &painter, field, currentIndex(), state);
    }
    void showPopup() override {
        if (LinkedControl())
            dropped_(true);
        QComboBox::showPopup();
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        if (LinkedControl())
            dropped_(false);
    }

private:
    std::function<void(bool)> dropped_;
};

} // namespace

void TCustomComboBox::DroppedDown(bool down) {
    SafeCall(this, [&] {
        if (down && OnDropDown)
            OnDropDown(this);
        if (!down && OnCloseUp)
            OnCloseUp(this);
    });
}

QWidget* TCustomComboBox::CreateWidget() {
    auto* w = new TComboWidget(this, [this](bool down) { DroppedDown(down); });
    w->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(w, QOverload<int>::of(&QComboBox::activated), guard_.get(),
                     [this](int index) { SafeCall(this, [&] { UserSelected(index); }); });
    return w;
}

void TCustomComboBox::FillWidget() {
    if (!HandleAllocated() || filling_)
        return;
    filling_ = true;
    auto* w = static_cast<QComboBox*>(Handle());
    QSignalBlocker block(w);
    QStringList list;
    for (int i = 0; i < items_->Count(); ++i)
        list << QStr(items_->Get(i));
    bool same = w->count() == list.size();
    for (int i = 0; same && i < list.size(); ++i)
        same = w->itemText(i) == list[i];
    if (!same) {
        w->clear();
        w->addItems(list);
    }
    w->setCurrentIndex(itemIndex_);
    if (w->isEditable() && w->lineEdit()->text() != QStr(TWinControl::GetText()))
        w->lineEdit()->setText(QStr(TWinControl::GetText()));
    filling_ = false;
}

void TCustomComboBox::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QComboBox*>(Handle());
    const bool editable = style_ == csDropDown || style_ == csSimple;
    if (w->isEditable() != editable) {
        QSignalBlocker block(w);
        w->setEditable(editable);
        if (editable) {
            w->lineEdit()->setFrame(false);
            QObject::connect(w->lineEdit(), &QLineEdit::textEdited, guard_.get(),
                             [this](const QString& text) {
                                 SafeCall(this, [&] {
                                     int found = -1;
                                     for (int i = 0; i < items_->Count(); ++i)
                                         if (QStr(items_->Get(i)) == text)
                                             found = i;
                                     itemIndex_ = found;
                                     TWinControl::DoSetText(StdStr(text));
                                     Change();
                                 });
                             });
        }
    }
    w->setMaxVisibleItems(dropDownCount_);
    w->view()->setMinimumWidth(dropDownWidth_);
    UpdateOwnerDraw();
    if (editable)
        w->lineEdit()->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
    FillWidget();
}

void TCustomComboBox::UpdateOwnerDraw() {
    auto* w = static_cast<QComboBox*>(Handle());
    const bool owner = style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable;
    const bool installed = dynamic_cast<TOwnerDrawDelegate*>(w->itemDelegate()) != nullptr;
    if (owner && !installed)
        w->setItemDelegate(new TOwnerDrawDelegate(
            w,
            [this](QPainter* painter, const QRect& rect, int index, TOwnerDrawState state) {
                if (!OnDrawItem)
                    return false;
                DrawComboItem(this, painter, rect, index, state);
                return true;
            },
            [this] { return itemHeight_; }));
    if (!owner && installed)
        w->setItemDelegate(new QStyledItemDelegate(w));
    w->update();
}

void TCustomComboBox::WndProc(TMessage& message) {
    if (!KeepArrowKeys(message))
        TWinControl::WndProc(message);
}
