// Both description readers on arbitrary bytes: the binary reader (into components and into
// text) and the text parser. Each either succeeds or raises a stream error; nothing else may
// escape, crash, leak or hang. Text converted from binary must read back without an error.

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Collection.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Events.h"

#include <cstdint>
#include <string>

namespace {

Q4_ENUM(TFuzzStyle, fsOne, fsTwo, fsThree);

class TFuzzItem : public TCollectionItem {
    Q4_CLASS(TFuzzItem, TCollectionItem)
    explicit TFuzzItem(TCollection* c) : TCollectionItem(c) {}
    static void DeclareProperties(TPropertyList& p) { p.Add("Text", &TFuzzItem::text); }
    std::string text;
};

class TFuzzWidget : public TComponent {
    Q4_CLASS(TFuzzWidget, TComponent)
    explicit TFuzzWidget(TComponent* owner)
        : TComponent(owner), items(TFuzzItem::StaticClass(), this) {}
    static void DeclareProperties(TPropertyList& p) {
        p.Add("Caption", &TFuzzWidget::caption);
        p.Add("Count", &TFuzzWidget::count).Default(0);
        p.Add("Small", &TFuzzWidget::small).Default(0);
        p.Add("Style", &TFuzzWidget::style).Default(fsOne);
        p.Add("Styles", &TFuzzWidget::styles);
        p.Add("Ratio", &TFuzzWidget::ratio);
        p.Add("Wide", &TFuzzWidget::wide);
        p.Add("Flag", &TFuzzWidget::flag).Default(false);
        p.Add("Items", &TFuzzWidget::GetItems, &TFuzzWidget::SetItems);
        p.Add("Lines", &TFuzzWidget::GetLines, &TFuzzWidget::SetLines);
        p.Add("Link", &TFuzzWidget::link);
        p.Add("OnClick", &TFuzzWidget::onClick);
    }
    void DefineProperties(TFiler* filer) override {
        TComponent::DefineProperties(filer);
        filer->DefineBinaryProperty(
            "Data", [this](TStream& s) { data = s.ReadToEnd(); },
            [this](TStream& s) { s.WriteBytes(data); }, !data.empty());
    }
    TCollection* GetItems() { return &items; }
    void SetItems(TCollection* v) { items.Assign(v); }
    TStringList* GetLines() { return &lines; }
    void SetLines(TStringList* v) { lines.Assign(*v); }

    std::string caption;
    int count = 0;
    int16_t small = 0;
    TFuzzStyle style = fsOne;
    TSet<TFuzzStyle> styles;
    double ratio = 0;
    std::u16string wide;
    bool flag = false;
    TCollection items;
    TStringList lines;
    TFuzzWidget* link = nullptr;
    TNotifyEvent onClick;
    std::string data;
};

class TFuzzForm : public TComponent {
    Q4_CLASS(TFuzzForm, TComponent)
    explicit TFuzzForm(TComponent* owner) : TComponent(owner) {}
    static void DeclareMethods(TMethodTable& m) { m.Add("Click", &TFuzzForm::Click); }
    void Click(TObject*) {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = (RegisterClasses<TFuzzWidget, TFuzzForm>(), true);
    (void)registered;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string text;
    try {
        text = ObjectBinaryToText(bytes);
    } catch (const EStreamError&) {
    }
    if (!text.empty()) {
        // Text the converter writes reads back, and from then on converts to itself.
        std::string binary = ObjectTextToBinary(text);
        std::string again = ObjectBinaryToText(binary);
        if (ObjectBinaryToText(ObjectTextToBinary(again)) != again)
            __builtin_trap();
    }
    try {
        ObjectTextToBinary(bytes);
    } catch (const EStreamError&) {
    }
    try {
        TFuzzForm form(nullptr);
        ReadComponentDescription(bytes, &form);
        // What was read must write back and read again.
        std::string text = ComponentToText(&form);
        TFuzzForm again(nullptr);
        ReadComponentDescription(text, &again);
    } catch (const EStreamError&) {
    }
    return 0;
}
