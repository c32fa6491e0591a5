#include "chart/util/ChartUtils.h"

#include "chart/draw/DrawLibrary.h"
#include "platform/graphics/CursorResources.h"

#include "platform/classes/Component.h"
#include "platform/classes/Resources.h"
#include "platform/forms/Controls.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/Streams.h"

#include <algorithm>

namespace {

const char* const kEditorKey = "SOFTWARE\\Korvel Software\\Plotwise Pro\\Editor";

std::vector<TColor>& Palette() {
    static std::vector<TColor> palette = DefaultPalette();
    return palette;
}

void Sort(int l, int r, const std::function<int(int, int)>& compare,
          const std::function<void(int, int)>& swap) {
    int i = l, j = r, m = l + (r - l) / 2;
    while (i < j) {
        while (i < r && compare(i, m) < 0)
            ++i;
        while (j > l && compare(m, j) < 0)
            --j;
        if (i < j) {
            swap(i, j);
            if (i == m)
                m = j;
            else if (j == m)
                m = i;
        }
        if (i <= j) {
            ++i;
            --j;
        }
    }
    if (l < j)
        Sort(l, j, compare, swap);
    if (i < r)
        Sort(i, r, compare, swap);
}

} // namespace

void SortByCallbacks(int first, int last, const std::function<int(int, int)>& compare,
                     const std::function<void(int, int)>& swap) {
    if (first < last)
        Sort(first, last, compare, swap);
}

const std::vector<TColor>& DefaultPalette() {
    static const std::vector<TColor> colors = {0x0000FF, 0x008000, 0x00FFFF, 0xFF0000, 0xFFFFFF,
                                               0x808080, 0xFF00FF, 0x808000, 0x800000, 0x000080,
                                               0x00FF00, 0x008080, 0x800080, 0xC0C0C0, 0xFFFF00,
                                               0x000000, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0};
    return colors;
}

TColor PaletteColorOf(int index) {
    const std::vector<TColor>& p = Palette();
    if (p.empty())
        return clNone;
    const int n = static_cast<int>(p.size());
    return p[((index % n) + n) % n];
}

void SetModulePalette(const std::vector<TColor>& colors) {
    Palette() = colors.empty() ? DefaultPalette() : colors;
}

const std::vector<TColor>& ModulePalette() {
    return Palette();
}

std::string IntToText(int n) {
    return std::to_string(n);
}

std::string UniqueComponentName(const TComponent* owner, const std::string& prefix) {
    if (owner == nullptr)
        return prefix + "1";
    for (int n = 1;; ++n) {
        const std::string name = prefix + std::to_string(n);
        if (owner->FindComponent(name) == nullptr)
            return name;
    }
}

std::string& FieldSeparator() {
    static std::string separator = ";";
    return separator;
}

int FieldCount(const std::string& text) {
    return FieldCount(text, FieldSeparator());
}

int FieldCount(const std::string& text, const std::string& separator) {
    if (text.empty())
        return 0;
    int n = 1;
    if (!separator.empty())
        for (std::size_t at = text.find(separator); at != std::string::npos;
             at = text.find(separator, at + separator.size()))
            ++n;
    return n;
}

std::string FieldAt(const std::string& text, int n) {
    return FieldAt(text, n, FieldSeparator());
}

std::string FieldAt(const std::string& text, int n, const std::string& separator) {
    if (text.empty() || n < 1)
        return {};
    std::size_t start = 0;
    for (int i = 1; i < n && !separator.empty(); ++i) {
        const std::size_t at = text.find(separator, start);
        if (at == std::string::npos)
            break;
        start = at + separator.size();
    }
    const std::size_t end = separator.empty() ? std::string::npos : text.find(separator, start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string ReplaceCharacter(std::string text, char search, char replace) {
    if (replace == '\0') {
        text.erase(std::remove(text.begin(), text.end(), search), text.end());
        return text;
    }
    std::replace(text.begin(), text.end(), search, replace);
    return text;
}

void DrawCheckGlyph(int x, int y, TCanvas& canvas, bool checked, bool asCheckBox) {
    TPen* pen = canvas.Pen();
    TBrush* brush = canvas.Brush();
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
    brush->SetStyle(bsSolid);
    brush->SetColor(clWindow);
    if (asCheckBox) {
        // A sunken square: shadow and a dark inner line top-left, highlight and a light inner
        // line bottom-right, white inside; the inner lines keep all four sides visible on a
        // white background.
        pen->SetColor(clBtnShadow);
        canvas.Rectangle(x, y, x + 13, y + 13);
        pen->SetColor(clBtnHighlight);
        canvas.Polyline({{x + 12, y}, {x + 12, y + 12}, {x - 1, y + 12}});
        pen->SetColor(cl3DDkShadow);
        canvas.Polyline({{x + 1, y + 11}, {x + 1, y + 1}, {x + 12, y + 1}});
        pen->SetColor(cl3DLight);
        canvas.Polyline({{x + 11, y + 1}, {x + 11, y + 11}, {x, y + 11}});
        if (checked) {
            pen->SetColor(clWindowText);
            for (int i = 0; i < 3; ++i)
                canvas.Polyline({{x + 3, y + 5 + i}, {x + 5, y + 7 + i}, {x + 10, y + 2 + i}});
        }
        return;
    }
    pen->SetColor(clBtnShadow);
    canvas.Ellipse(x, y, x + 13, y + 13);
    if (checked) {
        pen->SetColor(clWindowText);
        brush->SetColor(clWindowText);
        canvas.Ellipse(x + 4, y + 4, x + 9, y + 9);
    }
}

void SetControlsEnabled(bool enabled, const std::vector<TControl*>& controls) {
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        if (*it != nullptr)
            (*it)->SetEnabled(enabled);
}

std::function<void(TControl*)>& TranslationHook() {
    static std::function<void(TControl*)> hook;
    return hook;
}

void TranslateControl(TControl* control) {
    if (TranslationHook())
        TranslationHook()(control);
}

bool LoadClassBitmap(const TMetaClass* cls, TBitmap& bitmap) {
    if (cls == nullptr)
        return false;
    for (const TMetaClass* c : {cls, cls->ClassParent()}) {
        if (c == nullptr || !FindResource(c->ClassName(), RT_BITMAP))
            continue;
        try {
            const std::string bytes = LoadResourceBytes(c->ClassName(), RT_BITMAP);
            bitmap.LoadFromBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
            return true;
        } catch (const Exception&) {
        }
    }
    return false;
}

bool ReadEditorBoolean(const std::string& name, bool def) {
    TRegistryIniFile reg("", KEY_READ);
    if (!reg.OpenKey(kEditorKey, false))
        return def;
    return reg.ReadBool("", name, def);
}

int ReadEditorInteger(const std::string& name, int def) {
    TRegistryIniFile reg("", KEY_READ);
    if (!reg.OpenKey(kEditorKey, false))
        return def;
    return reg.ReadInteger("", name, def);
}

void WriteEditorBoolean(const std::string& name, bool value) {
    try {
        TRegistryIniFile reg("");
        if (reg.OpenKey(kEditorKey, true))
            reg.WriteBool("", name, value);
    } catch (const ERegistryException&) {
        // A registry the program may not write keeps the old preference.
    }
}

namespace {

int utilityStarts = 0;

} // namespace

void StartChartUtilities() {
    StartChartLibrary();
    if (utilityStarts++ > 0)
        return;
    SetModulePalette({});
    LoadCursorResource(crPlotHand, "PLOT_CURSOR_HAND");
}

void StopChartUtilities() {
    if (utilityStarts > 0 && --utilityStarts == 0)
        RemoveCursor(crPlotHand);
    StopChartLibrary();
}
