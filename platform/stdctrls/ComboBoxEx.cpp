#include "platform/stdctrls/ComboBoxEx.h"

#include "platform/graphics/ImageList.h"
#include "platform/stdctrls/WidgetSupport_p.h"

#include <QComboBox>
#include <QSignalBlocker>

#include <algorithm>

// ---- TComboBoxEx --------------------------------------------------------------------------------

TComboBoxEx::TComboBoxEx(TComponent* owner)
    : TCustomComboBox(owner), itemsEx_(std::make_unique<TComboExItems>(this)) {
    style_ = csDropDownList;
    itemsEx_->Observer = [this] { EntriesChanged(); };
}

TComboBoxEx::~TComboBoxEx() {
    itemsEx_->Observer = nullptr;
}

void TComboBoxEx::DeclareProperties(TPropertyList& p) {
    p.Add("ItemsEx", &TComboBoxEx::ItemsEx, &TComboBoxEx::SetItemsEx);
}

void TComboBoxEx::SetImages(TCustomImageList* v) {
    images_ = v;
    FillWidget();
}

int TComboBoxEx::ItemImageIndex(int i) const {
    if (i < 0 || i >= items_->Count() || i >= itemsEx_->Count())
        throw EListError("List index out of bounds (" + std::to_string(i) + ")");
    return itemsEx_->Items(i)->ImageIndex();
}

void TComboBoxEx::SetItemImageIndex(int i, int image) {
    ItemImageIndex(i); // checks the index
    itemsEx_->Items(i)->SetImageIndex(image);
}

int TComboBoxEx::AddItem(const std::string& text, int imageIndex) {
    itemsEx_->BeginUpdate();
    TComboExItem* entry = itemsEx_->Add();
    entry->SetCaption(text);
    entry->SetImageIndex(imageIndex);
    itemsEx_->EndUpdate();
    return entry->Index();
}

// The entries changed: the strings follow their captions (left alone when the captions are the
// same, so that a description's ItemIndex, read before the entries, holds), and the widget their
// images.
void TComboBoxEx::EntriesChanged() {
    if (syncing_)
        return;
    bool same = items_->Count() == itemsEx_->Count();
    for (int i = 0; same && i < itemsEx_->Count(); ++i)
        same = items_->Get(i) == itemsEx_->Items(i)->Caption();
    if (!same) {
        syncing_ = true;
        try {
            items_->BeginUpdate();
            items_->Clear();
            for (int i = 0; i < itemsEx_->Count(); ++i)
                items_->Add(itemsEx_->Items(i)->Caption());
            items_->EndUpdate();
        } catch (...) {
            syncing_ = false;
            throw;
        }
        syncing_ = false;
    }
    FillWidget();
}

void TComboBoxEx::FillWidget() {
    if (!itemsEx_) { // still being built
        TCustomComboBox::FillWidget();
        return;
    }
    if (!syncing_) {
        // The strings changed: an entry whose string went goes with it, a new string gets a new
        // entry, and an entry whose string was changed in place takes the new text, so images
        // stay with their items.
        syncing_ = true;
        itemsEx_->BeginUpdate();
        auto caption = [this](int i) -> const std::string& {
            return itemsEx_->Items(i)->Caption();
        };
        for (int i = 0; i < items_->Count(); ++i) {
            const std::string text = items_->Get(i);
            if (i < itemsEx_->Count() && caption(i) == text)
                continue;
            if (i + 1 < itemsEx_->Count() && caption(i + 1) == text &&
                itemsEx_->Count() > items_->Count()) {
                itemsEx_->Delete(i);
                continue;
            }
            if (i >= itemsEx_->Count() || itemsEx_->Count() < items_->Count())
                static_cast<TComboExItem*>(itemsEx_->Insert(i))->SetCaption(text);
            else
                itemsEx_->Items(i)->SetCaption(text);
        }
        while (itemsEx_->Count() > items_->Count())
            itemsEx_->Delete(itemsEx_->Count() - 1);
        itemsEx_->EndUpdate();
        syncing_ = false;
    }
    TCustomComboBox::FillWidget();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QComboBox*>(Handle());
    QSignalBlocker block(w);
    for (int i = 0; i < w->count() && i < itemsEx_->Count(); ++i) {
        w->setItemIcon(i, IconOf(images_, itemsEx_->Items(i)->ImageIndex()));
    }
    if (images_)
        w->setIconSize(QSize(images_->Width(), images_->Height()));
}

// ---- TComboExItem -------------------------------------------------------------------------------

void TComboExItem::DeclareProperties(TPropertyList& p) {
    p.Add("Caption", &TComboExItem::Caption, &TComboExItem::SetCaption);
    p.Add("ImageIndex", &TComboExItem::ImageIndex, &TComboExItem::SetImageIndex).Default(-1);
    p.Add("Indent", &TComboExItem::Indent, &TComboExItem::SetIndent).Default(0);
}

void TComboExItem::SetCaption(const std::string& v) {
    if (v == caption_)
        return;
    caption_ = v;
    Changed(false);
}

void TComboExItem::SetImageIndex(int v) {
    if (v == imageIndex_)
        return;
    imageIndex_ = v;
    Changed(false);
}

void TComboExItem::SetIndent(int v) {
    v = std::max(v, 0);
    if (v == indent_)
        return;
    indent_ = v;
    Changed(false);
}

void TComboExItem::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TComboExItem*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    caption_ = other->caption_;
    imageIndex_ = other->imageIndex_;
    indent_ = other->indent_;
    Changed(false);
}

void TComboExItems::Update(TCollectionItem*) {
    for (int i = 0; i < Count(); ++i)
        if (!dynamic_cast<TComboExItem*>(TCollection::Items(i)))
            return; // one is still being built
    if (Observer)
        Observer();
}
