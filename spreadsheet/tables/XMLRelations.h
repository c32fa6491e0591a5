#pragma once
// Package relationships kept while a workbook of the newer XML format is read, so that a writer
// can carry over the parts it does not make itself, and the tags a reader saved for its writer.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Tags of a part kept as read.
class TXLSSavedTags {
public:
    std::vector<std::u16string> Tags;
};

struct TXMLRelation {
    std::u16string Id;
    std::u16string Type;
    std::u16string Target;
    std::u16string TargetMode;
};

// A list of relationships that owns them.
class TXMLRelations {
public:
    TXMLRelations() = default;
    virtual ~TXMLRelations();
    TXMLRelations(const TXMLRelations&) = delete;
    TXMLRelations& operator=(const TXMLRelations&) = delete;

    // Whether a relationship of that type is kept for writing: every type.
    virtual bool KeepRelation(std::u16string_view type) const;

    int Count() const { return static_cast<int>(items_.size()); }
    TXMLRelation& Items(int index) const { return *items_.at(static_cast<size_t>(index)); }
    // Takes the relationship over.
    TXMLRelation& Add(std::unique_ptr<TXMLRelation> relation);
    void Clear();

    uint8_t Flag = 0;

protected:
    void AddReference(TXMLRelation& relation) { items_.push_back(&relation); }

private:
    std::vector<TXMLRelation*> items_;
    std::vector<std::unique_ptr<TXMLRelation>> owned_;
};

// The workbook part's relationships: the parts the library writes itself (worksheets, shared
// strings, styles, the calculation chain) are not kept, nor are types without a "/".
class TXMLRelationsWorkbook : public TXMLRelations {
public:
    bool KeepRelation(std::u16string_view type) const override;
};

// Relationships of external books, which belong to their names: the list refers to them
// without owning them.
class TXMLExtRelations : public TXMLRelations {
public:
    TXMLExtRelations() { Flag = 1; }
    // The relationship stays its owner's.
    void Add(TXMLRelation& relation) { AddReference(relation); }
    TXMLRelation& Add(std::unique_ptr<TXMLRelation> relation) = delete;
};
