#include "platform/stdctrls/MoreCtrls.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Forms.h"
#include "platform/forms/WidgetBridge.h"
#include "platform/graphics/ImageList.h"
#include "platform/stdctrls/ExtCtrls.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QIcon>
#include <QLineEdit>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <cstdlib>

// ---- TSpinEdit ----------------------------------------------------------------------------------

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) {
    TWinControl::DoSetText("0");
}

void TSpinEdit::DeclareProperties(TPropertyList& p) {
    p.Add("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement).Default(1);
    p.Add("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue).Default(0);
    p.Add("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue).Default(0);
    p.Add("Value", &TSpinEdit::Value, &TSpinEdit::SetValue).Default(0);
    p.AddFn<TSpinEdit>(
         "Text", [](TSpinEdit* e) { return e->GetText(); }, nullptr)
        .Stored(false);
}

int TSpinEdit::Clamp(int v) const {
    if (minValue_ == 0 && maxValue_ == 0)
        return v;
    return std::clamp(v, std::min(minValue_, maxValue_), std::max(minValue_, maxValue_));
}

void TSpinEdit::SetValue(int v) {
    SetText(std::to_string(Clamp(v)));
}

void TSpinEdit::DoSetText(const std::string& value) {
    // A text that is no number counts as the lowest value.
    char* end = nullptr;
    const long parsed = std::strtol(value.c_str(), &end, 10);
    const bool number = !value.empty() && end && *end == '\0';
    value_ = Clamp(number ? static_cast<int>(parsed) : minValue_);
    TCustomEdit::DoSetText(std::to_string(value_));
}

void TSpinEdit::SetMinValue(int v) {
    minValue_ = v;
    UpdateWidgetState();
}

void TSpinEdit::SetMaxValue(int v) {
    maxValue_ = v;
    UpdateWidgetState();
}

void TSpinEdit::SetIncrement(int v) {
    increment_ = v;
    UpdateWidgetState();
}

QSpinBox* TSpinEdit::SpinBox() {
    return static_cast<QSpinBox*>(Handle());
}

QWidget* TSpinEdit::CreateWidget() {
    auto* w = new TWidgetBridge<QSpinBox>(this);
    QObject::connect(w, QOverload<int>::of(&QSpinBox::valueChanged), guard_.get(), [this](int v) {
        SafeCall(this, [&] {
            if (v == value_)
                return;
            value_ = v;
            UserChangedText(std::to_string(v));
        });
    });
    return w;
}

void TSpinEdit::UpdateWidgetState() {
    TCustomEdit::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QSpinBox*>(Handle());
    QSignalBlocker block(w);
    if (minValue_ == 0 && maxValue_ == 0)
        w->setRange(-2147483647, 2147483647);
    else
        w->setRange(std::min(minValue_, maxValue_), std::max(minValue_, maxValue_));
    w->setSingleStep(increment_);
    w->setReadOnly(readOnly_);
    w->setValue(value_);
}

// ---- TComboBoxEx --------------------------------------------------------------------------------

TComboBoxEx::TComboBoxEx(TComponent* owner)
    : TCustomComboBox(owner), itemsEx_(std::make_unique<TComboExItems>(this)) {
    style_ = csDropDownList;
    itemsEx_->Observer = [this] { EntriesChanged(); };
}

TComboBoxEx::~TComboBoxEx() {
    itemsEx_->Observer = nullptr;
}

void TComboBoxEx::DeclareProperties(TPropertyList& p) {
    p.Add("ItemsEx", &TComboBoxEx::ItemsEx, &TComboBoxEx::SetItemsEx);
}

void TComboBoxEx::SetImages(TCustomImageList* v) {
    images_ = v;
    FillWidget();
}

int TComboBoxEx::ItemImageIndex(int i) const {
    if (i < 0 || i >= items_->Count() || i >= itemsEx_->Count())
        throw EListError("List index out of bounds (" + std::to_string(i) + ")");
    return itemsEx_->Items(i)->ImageIndex();
}

void TComboBoxEx::SetItemImageIndex(int i, int image) {
    ItemImageIndex(i); // checks the index
    itemsEx_->Items(i)->SetImageIndex(image);
}

int TComboBoxEx::AddItem(const std::string& text, int imageIndex) {
    itemsEx_->BeginUpdate();
    TComboExItem* entry = itemsEx_->Add();
    entry->SetCaption(text);
    entry->SetImageIndex(imageIndex);
    itemsEx_->EndUpdate();
    return entry->Index();
}

// The entries changed: the strings follow their captions (left alone when the captions are the
// same, so that a description's ItemIndex, read before the entries, holds), and the widget their
// images.
void TComboBoxEx::EntriesChanged() {
    if (syncing_)
        return;
    bool same = items_->Count() == itemsEx_->Count();
    for (int i = 0; same && i < itemsEx_->Count(); ++i)
        same = items_->Get(i) == itemsEx_->Items(i)->Caption();
    if (!same) {
        syncing_ = true;
        try {
            items_->BeginUpdate();
            items_->Clear();
            for (int i = 0; i < itemsEx_->Count(); ++i)
                items_->Add(itemsEx_->Items(i)->Caption());
            items_->EndUpdate();
        } catch (...) {
            syncing_ = false;
            throw;
        }
        syncing_ = false;
    }
    FillWidget();
}

void TComboBoxEx::FillWidget() {
    if (!itemsEx_) { // still being built
        TCustomComboBox::FillWidget();
        return;
    }
    if (!syncing_) {
        // The strings changed: an entry whose string went goes with it, a new string gets a new
        // entry, and an entry whose string was changed in place takes the new text, so images
        // stay with their items.
        syncing_ = true;
        itemsEx_->BeginUpdate();
        auto caption = [this](int i) -> const std::string& {
            return itemsEx_->Items(i)->Caption();
        };
        for (int i = 0; i < items_->Count(); ++i) {
            const std::string text = items_->Get(i);
            if (i < itemsEx_->Count() && caption(i) == text)
                continue;
            if (i + 1 < itemsEx_->Count() && caption(i + 1) == text &&
                itemsEx_->Count() > items_->Count()) {
                itemsEx_->Delete(i);
                continue;
            }
            if (i >= itemsEx_->Count() || itemsEx_->Count() < items_->Count())
                static_cast<TComboExItem*>(itemsEx_->Insert(i))->SetCaption(text);
            else
                itemsEx_->Items(i)->SetCaption(text);
        }
        while (itemsEx_->Count() > items_->Count())
            itemsEx_->Delete(itemsEx_->Count() - 1);
        itemsEx_->EndUpdate();
        syncing_ = false;
    }
    TCustomComboBox::FillWidget();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QComboBox*>(Handle());
    QSignalBlocker block(w);
    for (int i = 0; i < w->count() && i < itemsEx_->Count(); ++i) {
        const int image = itemsEx_->Items(i)->ImageIndex();
        if (images_ && image >= 0 && image < images_->Count())
            w->setItemIcon(i, QIcon(QPixmap::fromImage(images_->Image(image))));
        else
            w->setItemIcon(i, QIcon());
    }
    if (images_)
        w->setIconSize(QSize(images_->Width(), images_->Height()));
}

// ---- TComboExItem -------------------------------------------------------------------------------

void TComboExItem::DeclareProperties(TPropertyList& p) {
    p.Add("Caption", &TComboExItem::Caption, &TComboExItem::SetCaption);
    p.Add("ImageIndex", &TComboExItem::ImageIndex, &TComboExItem::SetImageIndex).Default(-1);
    p.Add("Indent", &TComboExItem::Indent, &TComboExItem::SetIndent).Default(0);
}

void TComboExItem::SetCaption(const std::string& v) {
    if (v == caption_)
        return;
    caption_ = v;
    Changed(false);
}

void TComboExItem::SetImageIndex(int v) {
    if (v == imageIndex_)
        return;
    imageIndex_ = v;
    Changed(false);
}

void TComboExItem::SetIndent(int v) {
    v = std::max(v, 0);
    if (v == indent_)
        return;
    indent_ = v;
    Changed(false);
}

void TComboExItem::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TComboExItem*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    caption_ = other->caption_;
    imageIndex_ = other->imageIndex_;
    indent_ = other->indent_;
    Changed(false);
}

void TComboExItems::Update(TCollectionItem*) {
    for (int i = 0; i < Count(); ++i)
        if (!dynamic_cast<TComboExItem*>(TCollection::Items(i)))
            return; // one is still being built
    if (Observer)
        Observer();
}

// ---- TCustomRadioGroup --------------------------------------------------------------------------

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner)
    : TCustomGroupBox(owner), items_(std::make_unique<TStringList>()) {
    items_->OnChange = [this](TObject*) { ItemsChanged(); };
}

TCustomRadioGroup::~TCustomRadioGroup() {
    items_->OnChange = nullptr;
}

void TCustomRadioGroup::DeclareProperties(TPropertyList& p) {
    p.Add("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns).Default(1);
    p.Add("Items", &TCustomRadioGroup::Items, &TCustomRadioGroup::SetItems);
    p.AddFn<TCustomRadioGroup>(
         "ItemIndex", [](TCustomRadioGroup* g) { return g->ItemIndex(); },
         [](TCustomRadioGroup* g, int v) { g->SetItemIndex(v); })
        .Default(-1);
}

void TCustomRadioGroup::SetItems(TStrings* v) {
    if (v)
        items_->Assign(*v);
    else
        items_->Clear();
}

void TCustomRadioGroup::ItemsChanged() {
    // The buttons are the group's own; they are not stored in descriptions.
    while (static_cast<int>(buttons_.size()) > items_->Count()) {
        buttons_.back()->Free();
        buttons_.pop_back();
    }
    while (static_cast<int>(buttons_.size()) < items_->Count()) {
        auto* b = new TRadioButton(this); // owned by the group, so never stored in a description
        b->SetParent(this);
        const int index = static_cast<int>(buttons_.size());
        b->OnClick = [this, index](TObject*) {
            if (!updating_ && itemIndex_ != index)
                SetItemIndex(index);
        };
        buttons_.push_back(b);
    }
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetCaption(items_->Get(static_cast<int>(i)));
    // The choice follows its item when items move, and ends when it goes.
    if (itemIndex_ >= 0 && !InLoading()) {
        if (itemIndex_ >= items_->Count() || items_->Get(itemIndex_) != chosen_)
            itemIndex_ = items_->IndexOf(chosen_);
        updating_ = true;
        for (size_t i = 0; i < buttons_.size(); ++i)
            buttons_[i]->SetChecked(static_cast<int>(i) == itemIndex_);
        updating_ = false;
    }
    ArrangeButtons();
}

void TCustomRadioGroup::SetItemIndex(int v) {
    if (InLoading()) {
        itemIndex_ = v;
        return;
    }
    if (v < -1 || v >= items_->Count())
        v = -1;
    itemIndex_ = v;
    chosen_ = v >= 0 ? items_->Get(v) : std::string();
    updating_ = true;
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetChecked(static_cast<int>(i) == v);
    updating_ = false;
    Click();
}

void TCustomRadioGroup::SetColumns(int v) {
    columns_ = std::clamp(v, 1, 16);
    ArrangeButtons();
}

void TCustomRadioGroup::Loaded() {
    TCustomGroupBox::Loaded();
    const int index = itemIndex_;
    itemIndex_ = -1;
    updating_ = true;
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetChecked(static_cast<int>(i) == index);
    updating_ = false;
    itemIndex_ = index >= 0 && index < items_->Count() ? index : -1;
    chosen_ = itemIndex_ >= 0 ? items_->Get(itemIndex_) : std::string();
    ArrangeButtons();
}

void TCustomRadioGroup::Resize() {
    TCustomGroupBox::Resize();
    ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
    if (buttons_.empty())
        return;
    QFontMetrics fm(Font()->QtFont());
    const int top = fm.height() + 2;
    const int rows = (static_cast<int>(buttons_.size()) + columns_ - 1) / columns_;
    const int colWidth = (Width() - 10) / columns_;
    const int rowHeight = std::max(1, (Height() - top - 4) / std::max(rows, 1));
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const int col = static_cast<int>(i) / rows;
        const int row = static_cast<int>(i) % rows;
        buttons_[i]->SetBounds(8 + col * colWidth, top + row * rowHeight, colWidth - 4,
                               std::min(rowHeight, fm.height() + 4));
    }
}

// ---- TImage -------------------------------------------------------------------------------------

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
    SetBounds(0, 0, 105, 105);
    picture_->OnChange = [this](TObject*) {
        AdjustSize();
        Invalidate();
    };
}

TImage::~TImage() {
    picture_->OnChange = nullptr;
}

void TImage::DeclareProperties(TPropertyList& p) {
    p.Add("Center", &TImage::Center, &TImage::SetCenter).Default(false);
    p.Add("Picture", &TImage::Picture, nullptr);
    p.Add("Proportional", &TImage::Proportional, &TImage::SetProportional).Default(false);
    p.Add("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(false);
}

void TImage::SetStretch(bool v) {
    stretch_ = v;
    Invalidate();
}

void TImage::SetCenter(bool v) {
    center_ = v;
    Invalidate();
}

void TImage::SetProportional(bool v) {
    proportional_ = v;
    Invalidate();
}

bool TImage::CanAutoSize(int& newWidth, int& newHeight) {
    if (picture_->Width() <= 0 || picture_->Height() <= 0)
        return false;
    newWidth = picture_->Width();
    newHeight = picture_->Height();
    return true;
}

TRect TImage::DestRect() const {
    int w = picture_->Width(), h = picture_->Height();
    const int cw = Width(), ch = Height();
    if (stretch_ || (proportional_ && (w > cw || h > ch))) {
        if (proportional_ && w > 0 && h > 0) {
            if (static_cast<long long>(cw) * h > static_cast<long long>(ch) * w) {
                w = MulDiv(w, ch, h);
                h = ch;
            } else {
                h = MulDiv(h, cw, w);
                w = cw;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    int x = 0, y = 0;
    if (center_) {
        x = (cw - w) / 2;
        y = (ch - h) / 2;
    }
    return Rect(x, y, x + w, y + h);
}

void TImage::Paint() {
    if (!picture_->Graphic())
        return;
    TCanvas* c = Canvas();
    const TRect r = DestRect();
    if (r.Width() == picture_->Width() && r.Height() == picture_->Height())
        c->Draw(r.Left, r.Top, picture_->Graphic());
    else
        c->StretchDraw(r, picture_->Graphic());
}

// ---- TScrollBox ---------------------------------------------------------------------------------

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetBounds(0, 0, 185, 41);
}

void TScrollBox::DeclareProperties(TPropertyList& p) {
    p.AddFn<TScrollBox>(
         "BorderStyle", [](TScrollBox* s) { return s->BorderNone() ? bsNone : bsSingle; },
         [](TScrollBox* s, TFormBorderStyle v) { s->SetBorderNone(v == bsNone); })
        .Default(bsSingle);
}

void TScrollBox::SetBorderNone(bool v) {
    borderNone_ = v;
    UpdateWidgetState();
}

QWidget* TScrollBox::CreateWidget() {
    auto* w = new TWidgetBridge<QScrollArea>(this);
    content_ = new QWidget();
    content_->setAutoFillBackground(false);
    w->setWidget(content_);
    w->setWidgetResizable(false);
    return w;
}

QWidget* TScrollBox::ChildHost() {
    Handle();
    return content_;
}

TSize TScrollBox::ContentSize() const {
    int w = 0, h = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible())
            continue;
        w = std::max(w, c->Left() + c->Width());
        h = std::max(h, c->Top() + c->Height());
    }
    return TSize{w, h};
}

void TScrollBox::UpdateContent() {
    if (!content_)
        return;
    auto* area = static_cast<QScrollArea*>(Handle());
    const TSize s = ContentSize();
    const QSize view = area->viewport()->size();
    content_->resize(std::max(s.cx, view.width()), std::max(s.cy, view.height()));
}

void TScrollBox::AlignControls(TControl* changed, TRect& rect) {
    TWinControl::AlignControls(changed, rect);
    UpdateContent();
}

void TScrollBox::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* area = static_cast<QScrollArea*>(Handle());
    area->setFrameShape(borderNone_ ? QFrame::NoFrame : QFrame::StyledPanel);
    UpdateContent();
}

// ---- TScrollBar ---------------------------------------------------------------------------------

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 17);
    SetTabStop(true);
}

void TScrollBar::DeclareProperties(TPropertyList& p) {
    p.Add("Kind", &TScrollBar::Kind, &TScrollBar::SetKind).Default(sbHorizontal);
    p.Add("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange).Default(1);
    p.Add("Max", &TScrollBar::Max, &TScrollBar::SetMax).Default(100);
    p.Add("Min", &TScrollBar::Min, &TScrollBar::SetMin).Default(0);
    p.Add("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize).Default(0);
    p.Add("Position", &TScrollBar::Position, &TScrollBar::SetPosition).Default(0);
    p.Add("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange).Default(1);
    p.Add("OnChange", &TScrollBar::OnChange);
}

void TScrollBar::SetKind(TScrollBarKind v) {
    if (v == kind_)
        return;
    kind_ = v;
    if (!InLoading())
        SetBounds(Left(), Top(), Height(), Width());
    UpdateWidgetState();
}

void TScrollBar::SetMin(int v) {
    min_ = v;
    if (max_ < min_)
        max_ = min_;
    SetPosition(position_);
    UpdateWidgetState();
}

void TScrollBar::SetMax(int v) {
    max_ = v;
    if (min_ > max_)
        min_ = max_;
    SetPosition(position_);
    UpdateWidgetState();
}

void TScrollBar::SetPosition(int v) {
    v = std::clamp(v, min_, std::max(min_, max_ - std::max(pageSize_ - 1, 0)));
    if (v == position_)
        return;
    position_ = v;
    UpdateWidgetState();
    if (OnChange)
        OnChange(this);
}

void TScrollBar::SetPageSize(int v) {
    pageSize_ = std::max(v, 0);
    UpdateWidgetState();
}

QScrollBar* TScrollBar::Bar() {
    return static_cast<QScrollBar*>(Handle());
}

QWidget* TScrollBar::CreateWidget() {
    auto* w = new TWidgetBridge<QScrollBar>(this);
    QObject::connect(w, &QScrollBar::valueChanged, guard_.get(),
                     [this](int v) { SafeCall(this, [&] { SetPosition(v); }); });
    return w;
}

void TScrollBar::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QScrollBar*>(Handle());
    QSignalBlocker block(w);
    w->setOrientation(kind_ == sbVertical ? Qt::Vertical : Qt::Horizontal);
    w->setRange(min_, std::max(min_, max_ - std::max(pageSize_ - 1, 0)));
    w->setPageStep(std::max(pageSize_, largeChange_));
    w->setSingleStep(smallChange_);
    w->setValue(position_);
}

// ---- TToolButton and TToolBar -------------------------------------------------------------------

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 23, 22);
}

void TToolButton::DeclareProperties(TPropertyList& p) {
    p.Add("Down", &TToolButton::Down, &TToolButton::SetDown).Default(false);
    p.Add("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped).Default(false);
    p.Add("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex).Default(-1);
    p.Add("Style", &TToolButton::Style, &TToolButton::SetStyle).Default(tbsButton);
}

TToolBar* TToolButton::ToolBar() const {
    return dynamic_cast<TToolBar*>(Parent());
}

void TToolButton::SetParent(TWinControl* parent) {
    TToolBar* old = ToolBar();
    TGraphicControl::SetParent(parent);
    if (old && old != parent)
        old->ArrangeButtons();
    if (TToolBar* bar = ToolBar())
        bar->ArrangeButtons();
}

void TToolButton::SetImageIndex(int v) {
    imageIndex_ = v;
    Invalidate();
}

void TToolButton::SetStyle(TToolButtonStyle v) {
    style_ = v;
    if (TToolBar* bar = ToolBar())
        bar->ArrangeButtons();
    Invalidate();
}

void TToolButton::SetDown(bool v) {
    if (v == down_)
        return;
    down_ = v;
    // Grouped check buttons next to each other let one be down at a time.
    if (v && grouped_ && style_ == tbsCheck)
        if (TToolBar* bar = ToolBar()) {
            int me = -1;
            for (int i = 0; i < bar->ButtonCount(); ++i)
                if (bar->Buttons(i) == this)
                    me = i;
            for (int dir : {-1, 1})
                for (int i = me + dir; i >= 0 && i < bar->ButtonCount(); i += dir) {
                    TToolButton* b = bar->Buttons(i);
                    if (!b->grouped_ || b->style_ != tbsCheck)
                        break;
                    if (b->down_) {
                        b->down_ = false;
                        b->Invalidate();
                    }
                }
        }
    Invalidate();
}

void TToolButton::Click() {
    if (style_ == tbsCheck)
        SetDown(!down_ || grouped_);
    TGraphicControl::Click();
}

void TToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button == mbLeft && Enabled() && style_ != tbsSeparator && style_ != tbsDivider) {
        pressed_ = true;
        Invalidate();
    }
}

void TToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button == mbLeft && pressed_) {
        pressed_ = false;
        Invalidate();
        if (x >= 0 && y >= 0 && x < Width() && y < Height() && Enabled())
            Click();
    }
}

void TToolButton::Paint() {
    TCanvas* c = Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    if (style_ == tbsSeparator)
        return;
    if (style_ == tbsDivider) {
        TRect line = Rect(Width() / 2 - 1, 2, Width() / 2 + 1, Height() - 2);
        Frame3D(c, line, clBtnShadow, clBtnHighlight, 1);
        return;
    }
    TToolBar* bar = ToolBar();
    const bool sunken = down_ || pressed_;
    if (sunken || !(bar && bar->Flat()))
        Frame3D(c, r, sunken ? clBtnShadow : clBtnHighlight, sunken ? clBtnHighlight : clBtnShadow,
                1);
    int textTop = 0;
    if (bar && bar->Images() && imageIndex_ >= 0) {
        const int x = (Width() - bar->Images()->Width()) / 2 + (sunken ? 1 : 0);
        const int y =
            bar->ShowCaptions() ? 3 : (Height() - bar->Images()->Height()) / 2 + (sunken ? 1 : 0);
        bar->Images()->Draw(c, x, y, imageIndex_, Enabled());
        textTop = y + bar->Images()->Height();
    }
    if (bar && bar->ShowCaptions() && !Caption().empty()) {
        c->Brush()->SetStyle(bsClear);
        c->Font()->Assign(Font());
        TRect t = Rect(0, textTop, Width(), Height());
        c->TextRect(t, Caption(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

TToolBar::TToolBar(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
    SetColor(clBtnFace);
}

void TToolBar::DeclareProperties(TPropertyList& p) {
    // A tool bar starts aligned to the top, so that is what goes unsaid in a description.
    p.Add("Align", &TControl::Align, &TControl::SetAlign).Default(alTop);
    p.Add("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight).Default(22);
    p.Add("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth).Default(23);
    p.Add("Flat", &TToolBar::Flat, &TToolBar::SetFlat).Default(false);
    p.Add("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).Default(false);
    p.Add("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable).Default(true);
}

void TToolBar::SetImages(TCustomImageList* v) {
    images_ = v;
    Invalidate();
}

void TToolBar::SetButtonWidth(int v) {
    buttonWidth_ = std::max(v, 1);
    ArrangeButtons();
}

void TToolBar::SetButtonHeight(int v) {
    buttonHeight_ = std::max(v, 1);
    ArrangeButtons();
}

void TToolBar::SetFlat(bool v) {
    flat_ = v;
    Invalidate();
}

void TToolBar::SetShowCaptions(bool v) {
    showCaptions_ = v;
    ArrangeButtons();
}

void TToolBar::SetWrapable(bool v) {
    wrapable_ = v;
    ArrangeButtons();
}

int TToolBar::ButtonCount() const {
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (dynamic_cast<TToolButton*>(Controls(i)))
            ++n;
    return n;
}

TToolButton* TToolBar::Buttons(int index) const {
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TToolButton*>(Controls(i)); b && n++ == index)
            return b;
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TToolBar::ArrangeButtons() {
    if (arranging_ || InLoading())
        return;
    arranging_ = true;
    // The order is kept from one arrangement to the next; controls that joined since go last,
    // in the order of where they were put. After loading, the stored positions give the order.
    order_.erase(
        std::remove_if(order_.begin(), order_.end(),
                       [this](TControl* c) { return !ContainsControl(c) || c->Parent() != this; }),
        order_.end());
    std::vector<TControl*> added;
    for (int i = 0; i < ControlCount(); ++i)
        if (std::find(order_.begin(), order_.end(), Controls(i)) == order_.end())
            added.push_back(Controls(i));
    std::stable_sort(added.begin(), added.end(), [](TControl* a, TControl* b) {
        return a->Top() / 8 != b->Top() / 8 ? a->Top() < b->Top() : a->Left() < b->Left();
    });
    order_.insert(order_.end(), added.begin(), added.end());
    std::vector<TControl*> list;
    for (TControl* c : order_)
        if (c->Visible())
            list.push_back(c);
    int x = 0, y = 0;
    for (TControl* c : list) {
        auto* b = dynamic_cast<TToolButton*>(c);
        int w = c->Width();
        int h = buttonHeight_;
        if (b) {
            const bool sep = b->Style() == tbsSeparator || b->Style() == tbsDivider;
            w = sep ? std::max(c->Width(), 8) : buttonWidth_;
            if (sep && c->Width() == 23)
                w = 8;
        }
        if (wrapable_ && x > 0 && x + w > Width()) {
            x = 0;
            y += buttonHeight_;
        }
        c->SetBounds(x, y, w, b ? h : c->Height());
        x += w;
    }
    arranging_ = false;
    Invalidate();
}

void TToolBar::Loaded() {
    TCustomControl::Loaded();
    ArrangeButtons();
}

void TToolBar::Resize() {
    TCustomControl::Resize();
    ArrangeButtons();
}

void TToolBar::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(Rect(0, 0, Width(), Height()));
}

// ---- TTabSheet and TPageControl -----------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetColor(clBtnFace);
}

void TTabSheet::DeclareProperties(TPropertyList& p) {
    p.Add("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(true);
}

void TTabSheet::SetParent(TWinControl* parent) {
    TWinControl::SetParent(parent);
    SetPageControl(dynamic_cast<TPageControl*>(parent));
}

void TTabSheet::SetPageControl(TPageControl* v) {
    if (v == pageControl_)
        return;
    if (pageControl_)
        pageControl_->RemovePage(this);
    pageControl_ = v;
    if (v) {
        if (Parent() != v)
            TWinControl::SetParent(v);
        v->InsertPage(this);
    }
}

int TTabSheet::PageIndex() const {
    if (!pageControl_)
        return -1;
    for (int i = 0; i < pageControl_->PageCount(); ++i)
        if (pageControl_->Pages(i) == this)
            return i;
    return -1;
}

void TTabSheet::SetTabVisible(bool v) {
    tabVisible_ = v;
    if (pageControl_)
        pageControl_->Invalidate();
}

void TTabSheet::PaintWindow(TCanvas* canvas) {
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(Rect(0, 0, Width(), Height()));
    TWinControl::PaintWindow(canvas);
}

TPageControl::TPageControl(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetColor(clBtnFace);
}

void TPageControl::DeclareProperties(TPropertyList& p) {
    p.AddFn<TPageControl>(
         "ActivePageIndex", [](TPageControl* c) { return c->ActivePageIndex(); },
         [](TPageControl* c, int v) { c->SetActivePageIndex(v); })
        .Default(-1);
    p.Add("OnChange", &TPageControl::OnChange);
    p.Add("OnChanging", &TPageControl::OnChanging);
}

void TPageControl::InsertPage(TTabSheet* page) {
    if (std::find(pages_.begin(), pages_.end(), page) == pages_.end())
        pages_.push_back(page);
    if (!active_)
        active_ = page;
    PlaceSheets();
}

void TPageControl::RemovePage(TTabSheet* page) {
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
    if (active_ == page)
        active_ = pages_.empty() ? nullptr : pages_.front();
    PlaceSheets();
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->pageControl_ != this)
        return;
    active_ = page;
    PlaceSheets();
}

int TPageControl::ActivePageIndex() const {
    return active_ ? active_->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int i) {
    SetActivePage(i >= 0 && i < PageCount() ? pages_[i] : nullptr);
}

int TPageControl::TabHeight() const {
    QFontMetrics fm(Font()->QtFont());
    return fm.height() + 6;
}

TRect TPageControl::TabRect(int i) const {
    QFontMetrics fm(Font()->QtFont());
    int x = 2;
    for (int k = 0; k < PageCount(); ++k) {
        if (!pages_[k]->TabVisible()) {
            if (k == i)
                return TRect{};
            continue;
        }
        const int w = fm.horizontalAdvance(QString::fromStdString(pages_[k]->Caption())) + 12;
        if (k == i)
            return Rect(x, 2, x + w, TabHeight());
        x += w;
    }
    return TRect{};
}

void TPageControl::PlaceSheets() {
    const int top = TabHeight();
    for (TTabSheet* p : pages_) {
        p->SetBounds(2, top + 2, std::max(0, Width() - 4), std::max(0, Height() - top - 4));
        p->SetVisible(p == active_);
    }
    Invalidate();
}

void TPageControl::Loaded() {
    TCustomControl::Loaded();
    PlaceSheets();
}

void TPageControl::Resize() {
    TCustomControl::Resize();
    PlaceSheets();
}

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    for (int i = 0; i < PageCount(); ++i) {
        const TRect r = TabRect(i);
        if (PtInRect(r, TPoint{x, y}) && pages_[i] != active_) {
            bool allow = true;
            if (OnChanging)
                OnChanging(this, allow);
            if (!allow)
                return;
            SetActivePage(pages_[i]);
            if (OnChange)
                OnChange(this);
            return;
        }
    }
}

void TPageControl::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(Rect(0, 0, Width(), Height()));
    const int top = TabHeight();
    TRect body = Rect(0, top, Width(), Height());
    Frame3D(c, body, clBtnHighlight, clBtnShadow, 1);
    c->Font()->Assign(Font());
    for (int i = 0; i < PageCount(); ++i) {
        TRect r = TabRect(i);
        if (r.Width() <= 0)
            continue;
        const bool active = pages_[i] == active_;
        if (active)
            r = Rect(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 1);
        c->Brush()->SetColor(Color());
        c->Brush()->SetStyle(bsSolid);
        c->FillRect(r);
        c->Pen()->SetColor(clBtnHighlight);
        c->MoveTo(r.Left, r.Bottom - 1);
        c->LineTo(r.Left, r.Top);
        c->LineTo(r.Right - 1, r.Top);
        c->Pen()->SetColor(clBtnShadow);
        c->LineTo(r.Right - 1, r.Bottom);
        c->Brush()->SetStyle(bsClear);
        TRect t = r;
        c->TextRect(t, pages_[i]->Caption(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void RegisterMoreControls() {
    RegisterClasses<TSpinEdit, TComboBoxEx, TRadioGroup, TImage, TScrollBox, TScrollBar, TToolBar,
                    TToolButton, TTabSheet, TPageControl>();
}

void TScrollBar::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    }
    TWinControl::WndProc(message);
}
