// Edit masks on arbitrary text: the first line is the mask, the second a text to fit into it,
// the rest keys typed (a byte 0x08 is a backspace). Nothing may crash or hang, the cursor stays
// inside the mask, and the shown text always has one character per position.

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/stdctrls/EditMask.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

std::string_view TakeLine(std::string_view& rest) {
    size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    return line;
}

int CodePoints(const std::string& text) {
    int n = 0;
    for (size_t i = 0; i < text.size(); ++n)
        Utf8Next(text, i);
    return n;
}

void CheckShape(const TEditMask& mask) {
    if (mask.IsMasked() && CodePoints(mask.EditText()) != mask.Length())
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    TEditMask mask;
    mask.SetMask(TakeLine(rest));
    mask.SetText(TakeLine(rest));
    CheckShape(mask);
    int cursor = 0;
    for (unsigned char key : rest) {
        if (key == 0x08)
            mask.Backspace(cursor);
        else
            mask.TypeChar(cursor, key);
        if (cursor < 0 || cursor > mask.Length())
            __builtin_trap();
    }
    CheckShape(mask);
    mask.SetEditText(mask.EditText());
    mask.SetText(mask.Text());
    CheckShape(mask);
    try {
        mask.Validate();
    } catch (const EEditMaskError&) {
    }
    return 0;
}
