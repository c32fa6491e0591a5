// Tree nodes and list items kept in form descriptions: written as "Items.Data", read back into a
// fresh form, unchanged through the text and binary forms, and refused when damaged.
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"
#include "platform/stdctrls/ListView.h"
#include "platform/stdctrls/StdCtrlsBridge.h"
#include "platform/stdctrls/StoredData.h"
#include "platform/stdctrls/TreeView.h"

#include <gtest/gtest.h>

#include <QTreeWidget>

#include <string>

namespace {

// A form with a shaped tree (two roots, a grandchild, one expanded branch) and a checked list.
TForm* MakeFilledForm() {
    auto* form = new TForm(nullptr);
    form->SetName("Pages");
    auto* tv = new TTreeView(form);
    tv->SetName("tvPages");
    tv->SetParent(form);
    TTreeNode* general = tv->Items()->Add(nullptr, "Общие");
    general->SetImageIndex(1);
    general->SetSelectedIndex(2);
    general->SetStateIndex(3);
    TTreeNode* gprs = tv->Items()->AddChild(general, "GPRS");
    tv->Items()->AddChild(gprs, "Сервер")->SetStateIndex(0);
    tv->Items()->AddChild(general, "")->SetImageIndex(7);
    tv->Items()->Add(nullptr, "История");
    general->SetExpanded(true);

    auto* lv = new TListView(form);
    lv->SetName("lvLog");
    lv->SetParent(form);
    lv->SetViewStyle(vsReport);
    lv->SetCheckboxes(true);
    lv->Columns()->Add()->SetCaption("N");
    lv->Columns()->Add()->SetCaption("Событие");
    TListItem* a = lv->Items()->Add();
    a->SetCaption("0001");
    a->SubItems()->Add("Пакет");
    a->SubItems()->Add("");
    a->SetChecked(true);
    a->SetImageIndex(4);
    TListItem* b = lv->Items()->Add();
    b->SetCaption("");
    b->SetStateIndex(2);
    return form;
}

std::string TreeShape(const TTreeNodes* nodes) {
    std::string out;
    for (int i = 0; i < nodes->Count(); ++i) {
        TTreeNode* n = nodes->Item(i);
        out += std::to_string(n->Level()) + ":" + n->Text() + "/" +
               std::to_string(n->ImageIndex()) + "," + std::to_string(n->SelectedIndex()) + "," +
               std::to_string(n->StateIndex()) + (n->Expanded() ? "+" : "") + ";";
    }
    return out;
}

std::string ListShape(const TListItems* items) {
    std::string out;
    for (int i = 0; i < items->Count(); ++i) {
        TListItem* it = items->Item(i);
        out += it->Caption() + "/" + std::to_string(it->ImageIndex()) + "," +
               std::to_string(it->StateIndex()) + (it->Checked() ? "x" : "") + "[";
        for (int s = 0; s < it->SubItems()->Count(); ++s)
            out += it->SubItems()->Get(s) + "|";
        out += "];";
    }
    return out;
}

TEST(StoredItems, TreeAndListLoadFromDescriptionAndRoundTrip) {
    TForm* form = MakeFilledForm();
    ASSERT_EQ(static_cast<TTreeView*>(form->FindComponent("tvPages"))->Items()->Count(), 5);
    const std::string text = ComponentToText(form);
    EXPECT_NE(text.find("Items.Data = {"), std::string::npos) << text;
    const std::string tree =
        TreeShape(static_cast<TTreeView*>(form->FindComponent("tvPages"))->Items());
    const std::string list =
        ListShape(static_cast<TListView*>(form->FindComponent("lvLog"))->Items());
    EXPECT_EQ(tree,
              "0:Общие/1,2,3+;1:GPRS/-1,-1,-1;2:Сервер/-1,-1,0;1:/7,-1,-1;0:История/-1,-1,-1;");
    form->Free();

    // Text to binary to text gives the same text.
    const std::string binary = ObjectTextToBinary(text);
    EXPECT_EQ(ObjectBinaryToText(binary), text);

    // A fresh form reading the description gets the same nodes and items, and its widgets show
    // them.
    auto* again = new TForm(nullptr);
    ReadComponentDescription(text, again);
    auto* tv = static_cast<TTreeView*>(again->FindComponent("tvPages"));
    auto* lv = static_cast<TListView*>(again->FindComponent("lvLog"));
    ASSERT_TRUE(tv && lv);
    EXPECT_EQ(TreeShape(tv->Items()), tree);
    EXPECT_EQ(ListShape(lv->Items()), list);
    EXPECT_EQ(list, "0001/4,-1x[Пакет||];/-1,2[];");
    EXPECT_EQ(WidgetOf(tv)->topLevelItemCount(), 2);
    EXPECT_EQ(WidgetOf(tv)->topLevelItem(0)->text(0).toStdString(), "Общие");
    EXPECT_EQ(WidgetOf(tv)->topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(WidgetOf(lv)->topLevelItemCount(), 2);
    EXPECT_EQ(WidgetOf(lv)->topLevelItem(0)->text(1).toStdString(), "Пакет");
    EXPECT_EQ(ComponentToText(again), text);
    again->Free();
}

TEST(StoredItems, EmptyViewsWriteNoData) {
    auto* form = new TForm(nullptr);
    form->SetName("Empty");
    (new TTreeView(form))->SetName("tv");
    (new TListView(form))->SetName("lv");
    EXPECT_EQ(ComponentToText(form).find("Items.Data"), std::string::npos);
    form->Free();
}

// Damaged data: cut short, counts beyond what is there, negative counts, a runaway depth. Each is
// refused with EReadError and leaves the list empty rather than half-built.
TEST(StoredItems, DamagedDataIsRefused) {
    auto intBytes = [](int32_t v) {
        TMemoryStream s;
        stored_data::PutInt(s, v);
        return std::string(s.Bytes().begin(), s.Bytes().end());
    };
    TTreeNodes good;
    good.AddChild(good.Add(nullptr, "a"), "b");
    TMemoryStream whole;
    good.WriteData(whole);
    const std::string wholeBytes(whole.Bytes().begin(), whole.Bytes().end());

    std::string deep = intBytes(1);
    for (int i = 0; i < 300; ++i)
        deep += intBytes(-1) + intBytes(-1) + intBytes(-1) + std::string(1, '\0') + intBytes(1) +
                intBytes(0);
    deep += intBytes(-1) + intBytes(-1) + intBytes(-1) + std::string(1, '\0') + intBytes(0) +
            intBytes(0);

    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case treeCases[] = {
        {"cut short", wholeBytes.substr(0, wholeBytes.size() - 1)},
        {"root count beyond the data", intBytes(1000000)},
        {"negative root count", intBytes(-1)},
        {"text longer than the data", intBytes(1) + intBytes(0) + intBytes(0) + intBytes(0) +
                                          std::string(1, '\0') + intBytes(0) + intBytes(50)},
        {"runaway depth", deep},
    };
    for (const Case& c : treeCases) {
        TTreeNodes nodes;
        nodes.Add(nullptr, "old");
        TMemoryStream s;
        s.WriteBytes(c.bytes);
        s.SetPosition(0);
        EXPECT_THROW(nodes.ReadData(s), EReadError) << c.what;
        EXPECT_EQ(nodes.Count(), 0) << c.what;
    }
    {
        TTreeNodes nodes;
        TMemoryStream s;
        s.WriteBytes(wholeBytes);
        s.SetPosition(0);
        nodes.ReadData(s);
        EXPECT_EQ(nodes.Count(), 2);
        EXPECT_EQ(nodes.Item(1)->Parent(), nodes.Item(0));
    }

    TListItems goodItems;
    goodItems.Add()->SubItems()->Add("x");
    TMemoryStream itemStream;
    goodItems.WriteData(itemStream);
    const std::string itemBytes(itemStream.Bytes().begin(), itemStream.Bytes().end());
    const Case listCases[] = {
        {"cut short", itemBytes.substr(0, itemBytes.size() - 1)},
        {"item count beyond the data", intBytes(70000)},
        {"negative sub-item count", intBytes(1) + intBytes(0) + intBytes(0) + std::string(1, '\0') +
                                        intBytes(0) + intBytes(-5)},
    };
    for (const Case& c : listCases) {
        TListItems items;
        items.Add();
        TMemoryStream s;
        s.WriteBytes(c.bytes);
        s.SetPosition(0);
        EXPECT_THROW(items.ReadData(s), EReadError) << c.what;
        EXPECT_EQ(items.Count(), 0) << c.what;
    }
}

} // namespace
