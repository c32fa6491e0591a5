#include "chart/editors/FilterOptions.h"

#include "chart/editors/ButtonColor.h"
#include "chart/imaging/Filters.h"
#include "chart/imaging/PlotFilter.h"
#include "platform/classes/Properties.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ScrollBar.h"
#include "platform/stdctrls/SpinEdit.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace {

bool IsUpper(char c) {
    const auto u = static_cast<unsigned char>(c);
    return std::toupper(u) == u; // capitals, digits and other non-letters
}

bool IsLower(char c) {
    return !IsUpper(c);
}

std::map<TClass, TFilterOptions>& OptionTable() {
    static std::map<TClass, TFilterOptions> table;
    return table;
}

using TRange = IFilterOptionsBuilder::TRange;

// The amount editor: a scroll bar whose range follows "Percent", and the "Percent" box.
void AmountOptions(TPlotFilter* filter, IFilterOptionsBuilder& b, bool positiveOnly) {
    auto* amount = static_cast<TAmountFilter*>(filter);
    auto range = [amount, positiveOnly] {
        const int top = amount->Percent ? 100 : 255;
        return TRange{positiveOnly ? 0 : -top, top};
    };
    TScrollBar* bar = b.PlaceScrollBar("Amount", range());
    b.PlaceCheckBox("Percent", "Percent", [bar, range](TObject*) {
        bar->SetMin(range().Min);
        bar->SetMax(range().Max);
    });
}

void ResizeOptions(TPlotFilter*, IFilterOptionsBuilder& b) {
    b.PlaceIntegerEdit("Width", "Width", {0, 10000});
    b.PlaceIntegerEdit("Height", "Height", {0, 10000});
}

void RegisterStandardOptions() {
    static bool done = false;
    if (done)
        return;
    done = true;
    auto& t = OptionTable();
    t[TResizeFilter::StaticClass()] = ResizeOptions;
    t[TCropFilter::StaticClass()] = [](TPlotFilter* f, IFilterOptionsBuilder& b) {
        ResizeOptions(f, b);
        b.PlaceIntegerEdit("Left", "Left", {0, 10000});
        b.PlaceIntegerEdit("Top", "Top", {0, 10000});
        b.PlaceCheckBox("Smooth", "Smooth");
    };
    t[TGrayScaleFilter::StaticClass()] = [](TPlotFilter*, IFilterOptionsBuilder& b) {
        b.PlaceCombo("Method");
    };
    t[TAmountFilter::StaticClass()] = [](TPlotFilter* f, IFilterOptionsBuilder& b) {
        AmountOptions(f, b, false);
    };
    for (TClass positive : {TMosaicFilter::StaticClass(), TGammaCorrectionFilter::StaticClass()})
        t[positive] = [](TPlotFilter* f, IFilterOptionsBuilder& b) { AmountOptions(f, b, true); };
    t[TColorFilter::StaticClass()] = [](TPlotFilter*, IFilterOptionsBuilder& b) {
        for (const char* prop : {"Red", "Green", "Blue"})
            b.PlaceScrollBar(prop, {-255, 255});
    };
    t[THueLumSatFilter::StaticClass()] = [](TPlotFilter*, IFilterOptionsBuilder& b) {
        for (const char* prop : {"Hue", "Luminance", "Saturation"})
            b.PlaceScrollBar(prop, {-255, 255});
    };
    t[TRotateFilter::StaticClass()] = [](TPlotFilter*, IFilterOptionsBuilder& b) {
        b.PlaceScrollBar("Angle", {0, 360});
        b.PlaceColorButton("BackColor", "BackColor");
        b.PlaceCheckBox("AutoSize", "AutoSize");
    };
    t[TMirrorFilter::StaticClass()] = [](TPlotFilter*, IFilterOptionsBuilder& b) {
        b.PlaceCombo("Direction");
    };
    t[TTileFilter::StaticClass()] = [](TPlotFilter*, IFilterOptionsBuilder& b) {
        b.PlaceIntegerEdit("NumCols", "NumCols", {1, 1000});
        b.PlaceIntegerEdit("NumRows", "NumRows", {1, 1000});
    };
    t[TBevelFilter::StaticClass()] = [](TPlotFilter*, IFilterOptionsBuilder& b) {
        b.PlaceScrollBar("Bright", {1, 255});
        b.PlaceScrollBar("Size", {1, 1000});
    };
    t[TZoomFilter::StaticClass()] = [](TPlotFilter*, IFilterOptionsBuilder& b) {
        b.PlaceScrollBar("Percent", {0, 100});
        b.PlaceCheckBox("Smooth", "Smooth");
    };
}

} // namespace

std::string EnumNameToWords(const std::string& name) {
    std::size_t start = 0;
    while (start < name.size() && IsLower(name[start]))
        ++start;
    std::string words = name.substr(start);
    if (words.empty())
        return name;
    for (std::size_t i = 1; i + 1 < words.size(); ++i)
        if (IsUpper(words[i]) && words[i - 1] != ' ') {
            words.insert(i, 1, ' ');
            ++i;
        }
    return words;
}

void RegisterFilterOptions(TClass filterClass, TFilterOptions options) {
    RegisterStandardOptions();
    OptionTable()[filterClass] = std::move(options);
}

void BuildFilterOptions(TPlotFilter* filter, IFilterOptionsBuilder& builder) {
    RegisterStandardOptions();
    for (TClass c = filter->ClassType(); c != nullptr; c = c->ClassParent()) {
        auto it = OptionTable().find(c);
        if (it != OptionTable().end()) {
            it->second(filter, builder);
            return;
        }
    }
}

bool FilterAllowsRegion(const TPlotFilter* filter) {
    return filter->AllowsRegion();
}

std::string FilterCaption(TClass filterClass) {
    TFilterItems probe;
    const std::string caption = probe.Add(filterClass)->Description();
    return caption.empty() ? filterClass->ClassName() : caption;
}

// ---- TFormCreator -------------------------------------------------------------------------------

TFormCreator::TFormCreator(TWinControl* container) : container_(container) {}

TFormCreator::~TFormCreator() = default;

void TFormCreator::Start(TPlotFilter* filter) {
    for (auto it = placed_.rbegin(); it != placed_.rend(); ++it)
        (*it)->Free();
    placed_.clear();
    edited_ = filter;
    nextTop_ = 8;
}

template <class T> T* TFormCreator::Place(int left, int width) {
    T* control = new T(container_->Owner() != nullptr ? container_->Owner() : container_);
    control->SetParent(container_);
    control->SetBounds(left, nextTop_, width, control->Height());
    placed_.push_back(control);
    return control;
}

void TFormCreator::Write(const std::string& prop, const std::string& value,
                         const TNotifyEvent& after, TObject* sender) {
    if (updating_ || edited_ == nullptr)
        return;
    if (!value.empty())
        SetPropValue(edited_, prop, value);
    if (after)
        after(sender);
    if (OnChange)
        OnChange(edited_);
}

TCheckBox* TFormCreator::PlaceCheckBox(const std::string& prop, const std::string& caption,
                                       TNotifyEvent onClick) {
    updating_ = true;
    auto* box = Place<TCheckBox>(4, 100);
    box->SetHeight(16);
    box->SetCaption(caption);
    box->SetChecked(GetPropValue(edited_, prop) == "True");
    box->OnClick = [this, box, prop, onClick](TObject* s) {
        Write(prop, box->Checked() ? "True" : "False", onClick, s);
    };
    updating_ = false;
    nextTop_ += box->Height() + 2;
    return box;
}

TButtonColor* TFormCreator::PlaceColorButton(const std::string& prop, const std::string& caption) {
    auto* button = Place<TButtonColor>(4, 100);
    button->SetCaption(caption);
    button->LinkProperty(edited_, prop);
    button->OnClick = [this](TObject*) {
        if (OnChange && edited_ != nullptr)
            OnChange(edited_);
    };
    nextTop_ += button->Height() + 6;
    return button;
}

TComboBox* TFormCreator::PlaceCombo(const std::string& prop) {
    updating_ = true;
    auto* combo = Place<TComboBox>(4, container_->ClientWidth() - 8);
    combo->SetStyle(csDropDownList);
    const TPropInfo* info = GetPropInfo(edited_, prop);
    for (const std::string& name : info->PropType()->Names)
        combo->Items()->Add(EnumNameToWords(name));
    combo->SetItemIndex(static_cast<int>(GetOrdProp(edited_, prop)));
    combo->OnChange = [this, combo, prop, info](TObject* s) {
        Write(prop, info->PropType()->Names.at(combo->ItemIndex()), {}, s);
    };
    updating_ = false;
    nextTop_ += combo->Height() + 6;
    return combo;
}

TSpinEdit* TFormCreator::PlaceIntegerEdit(const std::string& prop, const std::string& caption,
                                          TRange range) {
    updating_ = true;
    auto* label = Place<TLabel>(4, 40);
    std::string text = caption.empty() ? prop : caption;
    if (text.find('&') == std::string::npos)
        text = "&" + text;
    label->SetTop(nextTop_ + 4);
    label->SetCaption(text);
    auto* edit = Place<TSpinEdit>(44, std::max(container_->ClientWidth() - 68, 40));
    edit->SetMinValue(std::clamp(range.Min, -32768, 32767));
    edit->SetMaxValue(std::clamp(range.Max, -32768, 32767));
    edit->SetValue(static_cast<int>(GetOrdProp(edited_, prop)));
    edit->OnChange = [this, edit, prop](TObject* s) {
        if (updating_ || edited_ == nullptr)
            return;
        SetOrdProp(edited_, prop, edit->Value());
        Write(prop, {}, {}, s);
    };
    updating_ = false;
    nextTop_ += edit->Height() + 6;
    return edit;
}

TScrollBar* TFormCreator::PlaceScrollBar(const std::string& prop, TRange range) {
    updating_ = true;
    auto* bar = Place<TScrollBar>(4, container_->ClientWidth() - 8);
    bar->SetHeight(16);
    bar->SetMin(range.Min);
    bar->SetMax(range.Max);
    const bool real = GetPropInfo(edited_, prop)->PropType()->Kind == tkFloat;
    bar->SetPosition(real ? static_cast<int>(GetFloatProp(edited_, prop))
                          : static_cast<int>(GetOrdProp(edited_, prop)));
    bar->OnChange = [this, bar, prop, real](TObject* s) {
        if (updating_ || edited_ == nullptr)
            return;
        if (real)
            SetFloatProp(edited_, prop, bar->Position());
        else
            SetOrdProp(edited_, prop, bar->Position());
        Write(prop, {}, {}, s);
    };
    updating_ = false;
    nextTop_ += bar->Height() + 6;
    return bar;
}
