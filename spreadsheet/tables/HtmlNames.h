#pragma once
// The vocabulary of HTML for the library's readers and writers of it: tag and attribute names
// (upper case; a name's index is its token number), the character entities of HTML 4.01 with
// "apos", and the entity texts that escape characters in written HTML.
//
// The lookup list of entity names and the escape texts are built by the start-up of their
// units; before it (and after shut-down) lookups find nothing and the escape table is empty.

#include <array>
#include <string>
#include <string_view>
#include <vector>

struct THtmlEntity {
    std::string_view Name;
    char16_t Code;
};

extern const std::array<std::string_view, 99> kHtmlTagNames;
extern const std::array<std::string_view, 120> kHtmlAttributeNames;
// Latin-1 ("nbsp" 160 to "yuml" 255), symbols and Greek ("fnof" to "diams"), then the special
// set ("quot", "amp", "apos", "lt", "gt", "OElig" ... "euro").
extern const std::array<THtmlEntity, 253> kHtmlEntities;

// The character an entity name stands for (names are case-sensitive: "Agrave" is not
// "agrave"); false for a name that is no entity.
bool FindHtmlEntity(std::string_view name, char16_t& code);

struct THtmlEscape {
    std::u16string Text;
    char16_t Code;
};
// "&nbsp;" for the space, "&quot;", "&amp;", "&lt;", "&gt;", then "&iexcl;" (161) to "&yuml;"
// (255) in code order.
const std::vector<THtmlEscape>& HtmlEscapes();

void InitializeHtmlEntityUnit();
void FinalizeHtmlEntityUnit();
void InitializeHtmlEscapeUnit();
void FinalizeHtmlEscapeUnit();
