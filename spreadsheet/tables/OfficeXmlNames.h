#pragma once
// The vocabulary of the newer XML workbook format for the library's readers and writers of it:
// element and attribute names (a name's index is its token number), the names of fill patterns
// and border styles by number (as UTF-16 and as single-byte texts), and the texts of package
// relationships.
//
// The package unit's start-up builds the lookups of fill-pattern and border-style names; before
// it (and after shut-down) they find nothing.

#include <array>
#include <string_view>

extern const std::array<std::u16string_view, 162> kXmlElementNames;
extern const std::array<std::u16string_view, 199> kXmlAttributeNames;

// Index = fill pattern number.
extern const std::array<std::u16string_view, 19> kXmlFillPatternNames;
extern const std::array<std::string_view, 19> kXmlFillPatternNamesA;
// Index = line style of a border.
extern const std::array<std::u16string_view, 14> kXmlBorderStyleNames;
extern const std::array<std::string_view, 14> kXmlBorderStyleNamesA;

// The number of a fill pattern or border style name (exact case), or -1.
int XmlFillPatternIndex(std::u16string_view name);
int XmlBorderStyleIndex(std::u16string_view name);

// Package relationships: target modes (none, "Internal", "External"), the relationship types
// (index 0 is none) and the namespaces their types stand in (none, the format's own, its
// publisher's).
extern const std::array<std::u16string_view, 3> kXmlTargetModes;
extern const std::array<std::u16string_view, 23> kXmlRelationshipTypes;
extern const std::array<std::u16string_view, 3> kXmlRelationshipPrefixes;

void InitializePackageUnit();
void FinalizePackageUnit();
