// Per-point marks and their stored block.

#include "chart/core/MarksItems.h"

#include "platform/classes/Reader.h"
#include "platform/classes/Writer.h"
#include "platform/rtl/Exception.h"

TMarksItem::TMarksItem(TCustomPlotPanel* parent) : TPlotCustomShape(parent) {
    SetColor(DefaultColor);
    if (TPlotShadow* shadow = Shadow())
        shadow->SetDefaults(clGray, 3);
}

TMarksItem::~TMarksItem() = default;

void TMarksItem::DeclareProperties(TPropertyList& p) {
    using S = TMarksItem;
    p.Add("Bevel", &S::Bevel, &S::SetBevel).Default(bvNone);
    p.Add("BevelWidth", &S::BevelWidth, &S::SetBevelWidth).Default(2);
    p.Add("Color", &S::Color, &S::SetColor, TColorTypeInfo()).Default(DefaultColor);
    p.Add("Font", &S::Font, &S::SetFont);
    p.Add("Gradient", &S::Gradient, &S::SetGradient).Stored(&S::GradientStored);
    p.Add("Picture", &S::Picture, &S::SetPicture).Stored(&S::PictureStored);
    p.Add("Shadow", &S::Shadow, &S::SetShadow);
    p.Add("ShapeStyle", &S::ShapeStyle, &S::SetShapeStyle).Default(fosRectangle);
    p.Add("Text", &S::Text, &S::SetText).Stored(&S::TextStored);
    p.Add("Transparency", &S::Transparency, &S::SetTransparency).Default(0);
    p.Add("Transparent", &S::Transparent, &S::SetTransparent).Stored(&S::TransparentStored);
    p.Add("Visible", &S::Visible, &S::SetVisible).Default(true);
}

void TMarksItem::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TMarksItem*>(source))
        SetText(other->text_.get());
    TPlotCustomShape::Assign(source);
}

TStrings* TMarksItem::Text() {
    if (!text_) {
        text_ = std::make_unique<TStringList>();
        text_->OnChange = [this](TObject*) { Changed(); };
    }
    return text_.get();
}

void TMarksItem::SetText(TStrings* text) {
    if (text == nullptr) {
        text_.reset();
        Changed();
    } else if (text != text_.get()) {
        Text()->Assign(*text);
    }
}

TMarksItem* TMarksItems::Existing(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return items_[static_cast<size_t>(index)].get();
}

TMarksItem* TMarksItems::Item(int index) {
    if (index < 0)
        return nullptr;
    if (index >= Count())
        items_.resize(static_cast<size_t>(index) + 1);
    auto& slot = items_[static_cast<size_t>(index)];
    if (!slot)
        slot = std::make_unique<TMarksItem>(parent_);
    return slot.get();
}

void TMarksItems::Delete(int index) {
    if (index >= 0 && index < Count())
        items_.erase(items_.begin() + index);
}

void TMarksItems::SetParent(TCustomPlotPanel* parent) {
    parent_ = parent;
    for (auto& item : items_)
        if (item)
            item->SetParent(parent);
}

void TMarksItems::WriteBlock(TStream& stream) const {
    stream.WriteValue<int32_t>(Count());
    TWriter writer(stream);
    for (const auto& item : items_) {
        writer.WriteListBegin();
        if (item)
            writer.WriteProperties(item.get());
        writer.WriteListEnd();
    }
}

void TMarksItems::ReadBlock(TStream& stream) {
    items_.clear();
    const int32_t count = stream.ReadValue<int32_t>();
    if (count < 0 || count > stream.Size() - stream.Position())
        throw EReadError("Invalid marks items count");
    loading_ = count > 0;
    try {
        TReader reader(stream);
        for (int i = 0; i < count; ++i) {
            reader.ReadListBegin();
            reader.ReadProperties(Item(i));
        }
    } catch (...) {
        items_.clear();
        loading_ = false;
        throw;
    }
}
