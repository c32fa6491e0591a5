#pragma once
// The combo box with images and its entries.

#include "platform/classes/Collection.h"
#include "platform/stdctrls/ComboBox.h"

#include <functional>
#include <memory>
#include <string>

class TCustomImageList;

// One entry of an image combo box: its text, image and indent (in steps of the image width).
class TComboExItem : public TCollectionItem {
    Q4_CLASS(TComboExItem, TCollectionItem)

    // The collection hears of a new item once it is whole (the base announces it half-built).
    explicit TComboExItem(TCollection* collection) : TCollectionItem(collection) { Changed(false); }
    static void DeclareProperties(TPropertyList& p);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    int Indent() const { return indent_; }
    // Negative indents are taken as none.
    void SetIndent(int v);
    std::string DisplayName() const override { return caption_.empty() ? ClassName() : caption_; }
    void Assign(TPersistent* source) override;

private:
    std::string caption_;
    int imageIndex_ = -1;
    int indent_ = 0;
};

class TComboExItems : public TCollection {
    Q4_CLASS(TComboExItems, TCollection)

    explicit TComboExItems(TPersistent* owner = nullptr)
        : TCollection(TComboExItem::StaticClass(), owner) {}
    TComboExItem* Add() { return static_cast<TComboExItem*>(TCollection::Add()); }
    TComboExItem* Items(int index) const {
        return static_cast<TComboExItem*>(TCollection::Items(index));
    }
    // Told after items changed, came, went or moved; never while one is being built.
    std::function<void()> Observer;

protected:
    void Update(TCollectionItem*) override;
};

// The entries (ItemsEx) are the combo's items: their captions are the Items strings, which follow
// them, and changing Items changes the captions of the entries at the same places.
class TComboBoxEx : public TCustomComboBox {
    Q4_CLASS(TComboBoxEx, TCustomComboBox)
public:
    explicit TComboBoxEx(TComponent* owner);
    ~TComboBoxEx() override;
    static void DeclareProperties(TPropertyList& p);
    TComboExItems* ItemsEx() const { return itemsEx_.get(); }
    void SetItemsEx(TComboExItems* v) { itemsEx_->Assign(v); }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* v);
    // The image of item i (-1: none); the list of indexes follows the items.
    int ItemImageIndex(int i) const;
    void SetItemImageIndex(int i, int image);
    // Adds an item with its image; returns its index.
    int AddItem(const std::string& text, int imageIndex);

protected:
    void FillWidget() override;

private:
    void EntriesChanged();
    TCustomImageList* images_ = nullptr;
    std::unique_ptr<TComboExItems> itemsEx_;
    bool syncing_ = false;
};
