#include "spreadsheet/tables/XMLRelations.h"

#include <algorithm>
#include <array>

TXMLRelations::~TXMLRelations() = default;

bool TXMLRelations::KeepRelation(std::u16string_view) const {
    return true;
}

TXMLRelation& TXMLRelations::Add(std::unique_ptr<TXMLRelation> relation) {
    TXMLRelation& added = *relation;
    items_.push_back(&added);
    owned_.push_back(std::move(relation));
    return added;
}

void TXMLRelations::Clear() {
    items_.clear();
    owned_.clear();
}

bool TXMLRelationsWorkbook::KeepRelation(std::u16string_view type) const {
    const size_t slash = type.rfind(u'/');
    if (slash == std::u16string_view::npos)
        return false;
    const std::u16string_view part = type.substr(slash + 1);
    constexpr std::array<std::u16string_view, 4> kWritten = {u"worksheet", u"sharedStrings",
                                                             u"styles", u"calcChain"};
    return std::find(kWritten.begin(), kWritten.end(), part) == kWritten.end();
}
