// The text editor (OK, read-only, copy, load and save) and the axis increment dialog (its texts
// of days and times both ways, standard steps, plain numbers, and the message for a text that
// does not read).

#include "chart/editors/AxisIncrement.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/StringsEditor.h"
#include "chart/util/DateSteps.h"
#include "platform/forms/Clipbrd.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Memo.h"
#include "platform/stdctrls/RadioGroup.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <gtest/gtest.h>

#include <Qt>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

template <class T> T* Part(TCustomForm* form, const char* name) {
    return FormPart<T>(form, name);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(TextEditor, OkTakesTheLinesAndReadOnlyNeverDoes) {
    for (bool readOnly : {false, true}) {
        TStringList lines;
        lines.Add("Заголовок");
        lines.Add("second");
        TModalHook old = SetModalHook([&](TCustomForm* f) {
            auto* memo = Part<TMemo>(f, "Memo1");
            EXPECT_EQ(memo->ReadOnly(), readOnly);
            memo->Lines()->Add("added");
            if (!readOnly)
                edtest::Shoot(f, "text-editor");
            edtest::ClickControl(Part<TButton>(f, "BOk"));
        });
        EXPECT_TRUE(RunTextEditor(nullptr, &lines, readOnly));
        SetModalHook(old);
        EXPECT_EQ(lines.Count(), readOnly ? 2 : 3) << readOnly;
    }
    TStringList lines;
    lines.Add("kept");
    TModalHook old = SetModalHook([&](TCustomForm* f) {
        Part<TMemo>(f, "Memo1")->Lines()->Clear();
        edtest::PressKey(Part<TMemo>(f, "Memo1"), Qt::Key_Escape);
    });
    EXPECT_FALSE(RunTextEditor(nullptr, &lines));
    SetModalHook(old);
    EXPECT_EQ(lines.Count(), 1);
}

TEST(TextEditor, CopyTakesTheSelectionOrEverythingAndFilesRoundTrip) {
    TStringsEditor* editor = TCustomForm::Create<TStringsEditor>(nullptr);
    auto* memo = editor->Memo();
    memo->Lines()->SetText("один\r\ntwo");
    editor->Show();
    memo->SetSelStart(0);
    memo->SetSelLength(0);
    edtest::ClickControl(Part<TButton>(editor, "Button3"));
    EXPECT_EQ(Clipboard()->AsText(), memo->GetText());
    memo->SetSelStart(1);
    memo->SetSelLength(2);
    edtest::ClickControl(Part<TButton>(editor, "Button3"));
    EXPECT_EQ(Clipboard()->AsText(), "ди");

    const std::string dir = ::testing::TempDir() + "text-editor";
    std::filesystem::create_directories(dir);
    std::vector<TFileDialogRequest> asked;
    TFileDialogHook old = SetFileDialogHook([&](const TFileDialogRequest& r) {
        asked.push_back(r);
        TFileDialogAnswer a;
        a.Accepted = true;
        a.Files = {dir + "/saved"}; // the default extension is added
        return a;
    });
    edtest::ClickControl(Part<TButton>(editor, "Button5"));
    EXPECT_EQ(ReadFile(dir + "/saved.txt"), "один\r\ntwo\r\n");
    memo->Lines()->Clear();
    edtest::ClickControl(Part<TButton>(editor, "Button4"));
    EXPECT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Get(0), "один");
    SetFileDialogHook(old);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].Title, "Save as text file");
    EXPECT_EQ(asked[1].Title, "Select text file");
    ASSERT_EQ(asked[1].Filters.size(), 1u);
    EXPECT_EQ(asked[1].Filters[0].Description, "Text File");
    std::filesystem::remove_all(dir);
    editor->Free();
}

namespace {

// Times of day are written and read in the long time format "hh:nn:ss" here.
struct IncrementTest : ::testing::Test {
    IncrementTest() : saved(FormatSettings()) {
        FormatSettings().LongTimeFormat = "hh:nn:ss";
        FormatSettings().TimeSeparator = ':';
        dialog = TCustomForm::Create<TAxisIncrement>(nullptr);
    }
    ~IncrementTest() override {
        dialog->Free();
        FormatSettings() = saved;
    }
    TFormatSettings saved;
    TAxisIncrement* dialog;
};

} // namespace

TEST_F(IncrementTest, DateTimeIncrementsShowAsDaysAndTimes) {
    struct Case {
        double increment;
        std::string text;
    } cases[] = {
        {1.5, "1 12:00:00"},     {0, "00:00:01"}, {-3, "00:00:01"},
        {0.25, "06:00:00"},      {2, "2"},        {2.75, "2 18:00:00"},
        {1e12, "1000000000000"},
    };
    dialog->IsDateTime = true;
    for (const Case& c : cases) {
        dialog->Increment = c.increment;
        EXPECT_EQ(dialog->IncrementText(), c.text) << c.increment;
    }
}

TEST_F(IncrementTest, ACustomTextOfDaysAndTimeIsRead) {
    struct Case {
        std::string typed;
        double days;
    } cases[] = {
        {"2 06:00:00", 2.25}, {"1 12:00:00", 1.5},    {"3", 3},
        {"06:00:00", 0.25},   {FloatToStr(0.5), 0.5},
    };
    for (const Case& c : cases) {
        TAxisIncrement* d = TCustomForm::Create<TAxisIncrement>(nullptr);
        d->IsDateTime = true;
        d->Increment = 1;
        const TModalResult result = edtest::RunModal(d, [&](TCustomForm* f) {
            EXPECT_EQ(Part<TRadioGroup>(f, "RadioGroup1")->ItemIndex(), 1);
            EXPECT_FALSE(Part<TComboBox>(f, "CBSteps")->Enabled());
            Part<TEdit>(f, "ECustom")->SetText(c.typed);
            edtest::ClickControl(Part<TButton>(f, "BOk"));
        });
        EXPECT_EQ(result, mrOk) << c.typed;
        EXPECT_NEAR(d->Increment, c.days, 1e-9) << c.typed;
        d->Free();
    }
}

// The text shows whole seconds and fifteen digits; OK on it untouched keeps the increment as it
// was, where reading the text back would change it.
TEST_F(IncrementTest, OkOnTheUntouchedTextKeepsTheIncrementExactly) {
    struct Case {
        bool dateTime;
        double increment;
        std::string shown;
    } cases[] = {
        {true, 1.0 / 86400000, "00:00:00"}, // one millisecond
        {true, 2 + 1.0 / 86400000, "2 00:00:00"},
        {true, 0, "00:00:01"},
        {false, 0.1 + 0.2, FloatToStr(0.1 + 0.2)},
    };
    for (const Case& c : cases) {
        TAxisIncrement* d = TCustomForm::Create<TAxisIncrement>(nullptr);
        d->IsDateTime = c.dateTime;
        d->Increment = c.increment;
        const TModalResult result = edtest::RunModal(d, [&](TCustomForm* f) {
            EXPECT_EQ(Part<TEdit>(f, "ECustom")->GetText(), c.shown);
            edtest::ClickControl(Part<TButton>(f, "BOk"));
        });
        EXPECT_EQ(result, mrOk) << c.shown;
        EXPECT_EQ(d->Increment, c.increment) << c.shown;
        d->Free();
    }
}

TEST_F(IncrementTest, ADateTimeTextThatDoesNotReadIsReportedAndKept) {
    for (const std::string typed : {"x y", "x 06:00:00", "2 x", "x"}) {
        TAxisIncrement* d = TCustomForm::Create<TAxisIncrement>(nullptr);
        d->IsDateTime = true;
        d->Increment = 1.5;
        edtest::Messages().clear();
        const TModalResult result = edtest::RunModal(d, [&](TCustomForm* f) {
            auto* custom = Part<TEdit>(f, "ECustom");
            custom->SetText(typed);
            edtest::ClickControl(Part<TButton>(f, "BOk"));
            EXPECT_EQ(f->ModalResult(), mrNone) << typed;
            ASSERT_EQ(edtest::Messages().size(), 1u) << typed;
            EXPECT_EQ(edtest::Messages()[0].rfind("Incorrect value. Reason: ", 0), 0u) << typed;
            EXPECT_EQ(custom->GetText(), typed);
            edtest::ClickControl(Part<TButton>(f, "BCancel"));
        });
        EXPECT_EQ(result, mrCancel) << typed;
        EXPECT_EQ(d->Increment, 1.5) << typed;
        d->Free();
    }
}

TEST_F(IncrementTest, StandardStepsAndTheExactSwitch) {
    dialog->IsDateTime = true;
    dialog->ExactDateTime = true;
    dialog->Step = dtSixHours;
    dialog->Increment = 0.25;
    const TModalResult result = edtest::RunModal(dialog, [&](TCustomForm* f) {
        auto* steps = Part<TComboBox>(f, "CBSteps");
        EXPECT_EQ(Part<TRadioGroup>(f, "RadioGroup1")->ItemIndex(), 0);
        EXPECT_EQ(steps->ItemIndex(), dtSixHours);
        EXPECT_FALSE(Part<TEdit>(f, "ECustom")->Enabled());
        EXPECT_TRUE(Part<TCheckBox>(f, "CBExact")->Checked());
        edtest::Shoot(f, "axis-increment-date");
        edtest::ChooseItem(steps, dtOneWeek);
        edtest::ClickControl(Part<TButton>(f, "BOk"));
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(dialog->Step, dtOneWeek);
    EXPECT_DOUBLE_EQ(dialog->Increment, 7);
    // Unticking "Exact" goes back to a custom text; no step at all opens on the custom text.
    TAxisIncrement* d = TCustomForm::Create<TAxisIncrement>(nullptr);
    d->IsDateTime = true;
    d->ExactDateTime = true;
    d->Step = TAxisIncrement::NoStep;
    d->Increment = 1.5;
    edtest::RunModal(d, [&](TCustomForm* f) {
        EXPECT_EQ(Part<TRadioGroup>(f, "RadioGroup1")->ItemIndex(), 1);
        edtest::ClickControl(Part<TRadioGroup>(f, "RadioGroup1")->Buttons(0));
        EXPECT_TRUE(Part<TCheckBox>(f, "CBExact")->Checked());
        EXPECT_EQ(Part<TComboBox>(f, "CBSteps")->ItemIndex(), 0);
        edtest::ClickControl(Part<TCheckBox>(f, "CBExact"));
        EXPECT_EQ(Part<TRadioGroup>(f, "RadioGroup1")->ItemIndex(), 1);
        EXPECT_TRUE(Part<TEdit>(f, "ECustom")->Enabled());
        EXPECT_EQ(Part<TEdit>(f, "ECustom")->GetText(), d->IncrementText());
        edtest::ClickControl(Part<TButton>(f, "BCancel"));
    });
    EXPECT_FALSE(d->ExactDateTime);
    d->Free();
}

TEST_F(IncrementTest, APlainNumberWithoutDatesAndAWrongTextReported) {
    dialog->Increment = 2.5;
    edtest::Messages().clear();
    const TModalResult result = edtest::RunModal(dialog, [&](TCustomForm* f) {
        EXPECT_FALSE(Part<TComboBox>(f, "CBSteps")->Visible());
        EXPECT_FALSE(Part<TRadioGroup>(f, "RadioGroup1")->Visible());
        EXPECT_FALSE(Part<TCheckBox>(f, "CBExact")->Visible());
        auto* custom = Part<TEdit>(f, "ECustom");
        EXPECT_EQ(custom->Top(), 40);
        EXPECT_EQ(custom->GetText(), FloatToStr(2.5)); // in the format settings' separator
        edtest::Shoot(f, "axis-increment-number");
        edtest::TypeInto(custom, "x y");
        edtest::ClickControl(Part<TButton>(f, "BOk"));
        EXPECT_EQ(f->ModalResult(), mrNone);
        ASSERT_EQ(edtest::Messages().size(), 1u);
        EXPECT_EQ(edtest::Messages()[0].rfind("Incorrect value. Reason: ", 0), 0u);
        EXPECT_EQ(custom->GetText(), "x y");
        edtest::TypeInto(custom, FloatToStr(12.5));
        edtest::ClickControl(Part<TButton>(f, "BOk"));
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_DOUBLE_EQ(dialog->Increment, 12.5);
}
