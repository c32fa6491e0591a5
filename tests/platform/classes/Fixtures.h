#pragma once
// Small classes the component-model tests share: a widget with one property of every kind, a
// sub-object, a collection of items, and a form with handler methods.

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Events.h"

#include <functional>
#include <string>
#include <vector>

Q4_ENUM(TTestShape, tsCircle, tsSquare, tsTriangle);
Q4_ENUM(TTestOption, toBold, toItalic, toUnderline, toStrike);
using TTestOptions = TSet<TTestOption>;

inline const TTypeInfo* TestColorType() {
    static const TTypeInfo info =
        TTypeInfo::Integer("TTestColor", {{0x0000FF, "clRed"}, {0xFFFFFF, "clWhite"}});
    return &info;
}

// An owned sub-object, stored in place as "Pen.Width = 3".
class TTestPen : public TPersistent {
    Q4_CLASS(TTestPen, TPersistent)
    static void DeclareProperties(TPropertyList& p) {
        p.Add("Width", &TTestPen::width).Default(1);
        p.Add("Style", &TTestPen::style).Default(tsCircle);
    }
    void Assign(TPersistent* source) override {
        if (auto* other = dynamic_cast<TTestPen*>(source)) {
            width = other->width;
            style = other->style;
            return;
        }
        TPersistent::Assign(source);
    }
    int width = 1;
    TTestShape style = tsCircle;
};

class TTestItem : public TCollectionItem {
    Q4_CLASS(TTestItem, TCollectionItem)
    explicit TTestItem(TCollection* collection) : TCollectionItem(collection) {}
    static void DeclareProperties(TPropertyList& p) {
        p.Add("Caption", &TTestItem::caption);
        p.Add("Value", &TTestItem::value).Default(0);
    }
    void Assign(TPersistent* source) override {
        if (auto* other = dynamic_cast<TTestItem*>(source)) {
            caption = other->caption;
            value = other->value;
            extra = other->extra;
            return;
        }
        TCollectionItem::Assign(source);
    }
    // Bytes the item stores itself.
    void DefineProperties(TFiler* filer) override {
        TCollectionItem::DefineProperties(filer);
        filer->DefineBinaryProperty(
            "Extra", [this](TStream& s) { extra = s.ReadToEnd(); },
            [this](TStream& s) { s.WriteBytes(extra); }, !extra.empty());
    }
    std::string caption;
    int value = 0;
    std::string extra;
};

// A component with one published property of each kind.
class TTestWidget : public TComponent {
    Q4_CLASS(TTestWidget, TComponent)
    explicit TTestWidget(TComponent* owner)
        : TComponent(owner), items(TTestItem::StaticClass(), this) {}

    static void DeclareProperties(TPropertyList& p) {
        p.Add("Caption", &TTestWidget::GetCaption, &TTestWidget::SetCaption);
        p.Add("Count", &TTestWidget::count).Default(0);
        p.Add("Small", &TTestWidget::small).Default(0);
        p.Add("Big", &TTestWidget::big).Default(0);
        p.Add("Letter", &TTestWidget::letter).Default('A');
        p.Add("Level", &TTestWidget::level).Default(0);
        p.Add("Enabled", &TTestWidget::enabled).Default(true);
        p.Add("Shape", &TTestWidget::shape).Default(tsCircle);
        p.Add("Options", &TTestWidget::options).Default(TTestOptions{toBold});
        p.Add("Ratio", &TTestWidget::ratio);
        p.Add("Single", &TTestWidget::single);
        p.Add("Price", &TTestWidget::price, CurrencyTypeInfo());
        p.Add("Stamp", &TTestWidget::stamp, DateTimeTypeInfo());
        p.Add("Title", &TTestWidget::title);
        p.Add("Color", &TTestWidget::color, TestColorType()).Default(0xFFFFFF);
        p.Add("Pen", &TTestWidget::GetPen, &TTestWidget::SetPen);
        p.Add("Items", &TTestWidget::GetItems, &TTestWidget::SetItems);
        p.Add("Buddy", &TTestWidget::GetBuddy, &TTestWidget::SetBuddy);
        p.Add("OnClick", &TTestWidget::onClick);
        p.Add("OnValue", &TTestWidget::onValue);
        p.Add("Lines", &TTestWidget::GetLines, &TTestWidget::SetLines);
        p.Add("Secret", &TTestWidget::secret).Stored(false);
        p.Add("Hidden", &TTestWidget::hidden).Default(0).Stored(&TTestWidget::HiddenStored);
        p.Add("Area", &TTestWidget::Area);
    }

    const std::string& GetCaption() const { return caption; }
    void SetCaption(const std::string& value) {
        caption = value;
        log.push_back("Caption=" + value +
                      (ComponentState().Contains(csLoading) ? " (loading)" : ""));
    }
    TTestPen* GetPen() { return &pen; }
    void SetPen(TTestPen* value) { pen.Assign(value); }
    TCollection* GetItems() { return &items; }
    void SetItems(TCollection* value) { items.Assign(value); }
    TStringList* GetLines() { return &lines; }
    void SetLines(TStringList* value) { lines.Assign(*value); }
    void DefineProperties(TFiler* filer) override {
        TComponent::DefineProperties(filer);
        filer->DefineBinaryProperty(
            "Blob", [this](TStream& s) { blob = s.ReadToEnd(); },
            [this](TStream& s) { s.WriteBytes(blob); }, BlobStored(filer));
    }
    // Stored when there is data and, for a descendant, when it differs from the ancestor's.
    bool BlobStored(TFiler* filer) const {
        if (auto* ancestor = dynamic_cast<TTestWidget*>(filer->Ancestor()))
            return ancestor->blob != blob;
        return !blob.empty();
    }
    TTestWidget* GetBuddy() const { return buddy; }
    void SetBuddy(TTestWidget* value) {
        buddy = value;
        if (value != nullptr)
            value->FreeNotification(this);
        log.push_back("Buddy=" + (value ? value->Name() : std::string("nil")) +
                      (ComponentState().Contains(csLoading) ? " (loading)" : ""));
    }
    int Area() const { return count * 2; }
    bool HiddenStored() const { return hidden != 7; }

    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == buddy)
            buddy = nullptr;
        notices.push_back((operation == opInsert ? "+" : "-") + component->Name());
    }
    void Loaded() override {
        TComponent::Loaded();
        log.push_back("Loaded " + Name() + " buddy=" + (buddy ? buddy->Name() : "nil"));
    }

    std::string caption;
    int count = 0;
    int16_t small = 0;
    int64_t big = 0;
    char letter = 'A';
    uint8_t level = 0;
    bool enabled = true;
    TTestShape shape = tsCircle;
    TTestOptions options{toBold};
    double ratio = 0;
    float single = 0;
    double price = 0;
    double stamp = 0;
    std::u16string title;
    int color = 0xFFFFFF;
    TTestPen pen;
    TCollection items;
    TTestWidget* buddy = nullptr;
    TNotifyEvent onClick;
    std::function<void(TObject*, int&)> onValue;
    TStringList lines;
    std::string blob;
    int secret = 0;
    int hidden = 0;
    std::vector<std::string> log;
    std::vector<std::string> notices;
};

// A form: the root of a description, with handler methods bound by name.
class TTestForm : public TComponent {
    Q4_CLASS(TTestForm, TComponent)
    explicit TTestForm(TComponent* owner) : TComponent(owner) {}
    static void DeclareMethods(TMethodTable& m) {
        m.Add("ButtonClick", &TTestForm::ButtonClick);
        m.Add("ValueNeeded", &TTestForm::ValueNeeded);
    }
    void ButtonClick(TObject* sender) { clicks.push_back(sender); }
    void ValueNeeded(TObject*, int& value) { value = 42; }
    std::vector<TObject*> clicks;
};

// Registers the fixture classes once.
inline void RegisterTestClasses() {
    RegisterClasses<TTestWidget, TTestForm, TTestItem, TTestPen>();
}
