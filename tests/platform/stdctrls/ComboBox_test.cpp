#include "platform/stdctrls/ComboBox.h"

#include "platform/stdctrls/StdCtrlsBridge.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QComboBox>

#include <string>

namespace {

using ComboBoxTest = FormFixture;

TEST_F(ComboBoxTest, ComboStylesAndSorting) {
    auto* c = MakeWithWidget<TComboBox>();
    c->SetSorted(true);
    for (const char* s : {"COM3", "COM1", "COM10", "COM2"})
        c->Items()->Add(s);
    EXPECT_EQ(c->Items()->Get(0), "COM1");
    EXPECT_EQ(WidgetOf(c)->itemText(0).toStdString(), "COM1");
    c->SetItemIndex(2);
    const std::string picked = c->GetText();
    c->Items()->Add("COM0");
    EXPECT_EQ(c->GetText(), picked);
    EXPECT_EQ(c->Items()->Get(c->ItemIndex()), picked)
        << "the selection follows its item when sorted";
    c->SetItemIndex(99);
    EXPECT_EQ(c->ItemIndex(), -1);

    // A list-only combo takes only an item's text; a drop-down one takes any.
    c->SetStyle(csDropDownList);
    c->SetText("COM2");
    EXPECT_EQ(c->Items()->Get(c->ItemIndex()), "COM2");
    c->SetText("nowhere");
    EXPECT_EQ(c->GetText(), "COM2");
    c->SetStyle(csDropDown);
    c->SetText("+7 900 000-00-00");
    EXPECT_EQ(c->GetText(), "+7 900 000-00-00");
    EXPECT_EQ(c->ItemIndex(), -1);
}

} // namespace
