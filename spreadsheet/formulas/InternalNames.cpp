#include "spreadsheet/formulas/InternalNames.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "spreadsheet/core/XLSUtils.h"
#include "spreadsheet/formulas/ExternalNames.h"

namespace {

constexpr std::u16string_view kBuiltinPrefix = u"_xlnm.";

std::u16string Lower(std::u16string_view s) {
    std::u16string out(s);
    for (char16_t& c : out)
        c = static_cast<char16_t>(UnicodeLower(c));
    return out;
}

} // namespace

void TInternalName::SetName(std::u16string_view text) {
    bool builtin = false;
    if (text.substr(0, kBuiltinPrefix.size()) == kBuiltinPrefix) {
        text.remove_prefix(kBuiltinPrefix.size());
        builtin = true;
    }
    if (text.empty())
        throw Exception("Name is empty");
    if (Parent && !Parent->Loading) {
        const int found = Parent->IndexOfName(text);
        if (found >= 0 && Parent->Names(found) != this)
            throw Exception("There is allready an area named " + Utf16ToUtf8(text));
    }
    if (builtin)
        Options |= 0x0001;
    Name = StoredText(text);
}

void TInternalName::SetBuiltin(uint8_t code) {
    Name = std::string{'\0', static_cast<char>(code)};
    Options |= 0x0001;
}

void TInternalName::SetProcedure(bool flag) {
    Options = flag ? Options | 0x0008 : Options & ~0x0008;
}

int TInternalName::BuiltinCode() const {
    return Name.size() == 2 && static_cast<uint8_t>(Name[1]) < 14 && Name[0] != 1
               ? static_cast<uint8_t>(Name[1])
               : -1;
}

std::u16string TInternalName::NameText() const {
    return BuiltinCode() >= 0 ? std::u16string() : StoredTextValue(Name);
}

TInternalName* TInternalNames::AddName() {
    items_.push_back(std::make_unique<TInternalName>(this));
    return items_.back().get();
}

int TInternalNames::IndexOfName(std::u16string_view text) const {
    const std::u16string key = Lower(text);
    for (int i = 0; i < Count(); ++i)
        if (Lower(Names(i)->NameText()) == key && Names(i)->BuiltinCode() < 0)
            return i;
    return -1;
}

void TInternalNames::DeleteName(int index) {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    items_.erase(items_.begin() + index);
    if (OnNameDeleted)
        OnNameDeleted(*this, index);
}

void TInternalNames::DeleteBuiltinName(int code, int sheet, const TInternalName* except) {
    for (int i = 0; i < Count(); ++i) {
        const TInternalName* name = Names(i);
        if (name != except && name->BuiltinCode() == code && name->SheetIndex == sheet) {
            DeleteName(i);
            return;
        }
    }
}
