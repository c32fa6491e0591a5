// What the outside check of the HTML name tables compares with: one line per entity ("entity
// NAME CODE", in table order) and per escape text ("escape TEXT CODE"), codes in decimal.

#include "platform/rtl/CodePage.h"
#include "spreadsheet/tables/HtmlNames.h"

#include <cstdio>
#include <string>

int main() {
    InitializeHtmlEntityUnit();
    InitializeHtmlEscapeUnit();
    for (const THtmlEntity& e : kHtmlEntities) {
        char16_t code = 0;
        // Every name is found again through the lookup list, with its own code.
        if (!FindHtmlEntity(e.Name, code) || code != e.Code) {
            std::fprintf(stderr, "lookup of %s fails\n", std::string(e.Name).c_str());
            return 1;
        }
        std::printf("entity %s %d\n", std::string(e.Name).c_str(), static_cast<int>(e.Code));
    }
    for (const THtmlEscape& e : HtmlEscapes())
        std::printf("escape %s %d\n", Utf16ToUtf8(e.Text).c_str(), static_cast<int>(e.Code));
    FinalizeHtmlEscapeUnit();
    FinalizeHtmlEntityUnit();
    return 0;
}
