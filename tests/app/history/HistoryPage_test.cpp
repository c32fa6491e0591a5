// The history page as the history operations' view, filled from the simulated unit, and its
// own buttons, edit and settings.

#include "app/controller/FirmwareAdaptation.h"
#include "app/history/HistoryOperations.h"
#include "app/history/XlsExport.h"
#include "app/pages/history/FormHistory.h"
#include "app/queue/Appliers.h"
#include "app/queue/OutArray.h"
#include "app/worker/CommandCodes.h"
#include "tests/app/history/HistoryFakes.h"
#include "tests/app/history/PageCommandsRecorder.h"
#include "tests/app/support/AppTestEnvironment.h"
#include "tests/app/support/OffUserInterface.h"
#include "tests/device/HistoryGpsLink/LinkFixture.h"

#include "platform/forms/Dialogs.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Snapshot_p.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Strings.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/ListItems.h"
#include "platform/stdctrls/ListView.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using pagetest::TPageCommandsRecorder;

class HistoryPage : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterHistoryPage();
        owner_ = std::make_unique<TPageCommandsRecorder>();
        page_ = TCustomForm::Create<TformHistory>(owner_.get());
        apptest::Messages().clear();
    }
    void TearDown() override {
        SetMessageDlgHook([](const TMessageDlgRequest& r) {
            apptest::Messages().push_back(r.Text);
            return mrOk;
        });
        SetFileDialogHook(nullptr);
    }

    template <class T> T* Part(const char* name) const {
        auto* part = dynamic_cast<T*>(page_->FindComponent(name));
        EXPECT_NE(part, nullptr) << name;
        return part;
    }
    void Click(const char* name) const { Part<TControl>(name)->Click(); }
    // The captions of the list's items, top to bottom.
    std::vector<std::string> Captions() const {
        std::vector<std::string> out;
        TListItems* items = page_->List()->Items();
        for (int i = 0; i < items->Count(); ++i)
            out.push_back(items->Item(i)->Caption());
        return out;
    }
    void AddItem(const std::string& caption) const {
        page_->List()->Items()->Add()->SetCaption(caption);
    }

    std::unique_ptr<TPageCommandsRecorder> owner_;
    TformHistory* page_ = nullptr;
};

// Record indexes from `from` down to `count` records, as list captions (going on at the end of
// the ring below 0).
std::vector<std::string> Down(int from, int count) {
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i)
        out.push_back(IntToHex((from - i + 65504) % 65504, 4));
    return out;
}

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The page over a unit with a wrapped history ring, its commands run off the user-interface
// thread as the worker thread runs them.
class HistoryPageOnUnit : public HistoryPage {
protected:
    void SetUp() override {
        HistoryPage::SetUp();
        link_ = std::make_unique<THistoryGpsLink>();
        host_ = std::make_unique<histtest::TFakeHistoryHost>(link_->Dev(), queue_);
        operations_ = std::make_unique<THistoryOperations>(*host_, *page_);
    }
    void TearDown() override {
        operations_.reset();
        host_.reset();
        link_.reset();
        HistoryPage::TearDown();
    }
    void Run(void (THistoryOperations::*command)()) {
        apptest::RunOffUserInterface([&] { ((*operations_).*command)(); });
        DrainOutArray(queue_);
    }
    TColor MarkColor() const { return page_->ReadMark()->Font()->Color(); }
    void Shoot(const char* file) {
        page_->SetBounds(0, 0, 980, 520);
        page_->Show();
        QDir().mkpath(QStringLiteral(Q4_BINARY_DIR "/app-snapshots"));
        const QImage shot = page_->Handle()->grab().toImage();
        EXPECT_FALSE(
            SaveSnapshot(shot, std::string(Q4_BINARY_DIR "/app-snapshots/") + file).empty());
        page_->Hide();
    }

    TOutArray queue_;
    std::unique_ptr<THistoryGpsLink> link_;
    std::unique_ptr<histtest::TFakeHistoryHost> host_;
    std::unique_ptr<THistoryOperations> operations_;
};

TEST_F(HistoryPageOnUnit, PagesThroughAWrappedRingNewestOnTop) {
    link_->Ring([](THistoryRing& ring) { ring.Fill(65504 + 10); });
    Run(&THistoryOperations::ReadHistoryPage);
    EXPECT_EQ(Captions(), Join(Down(9, 10), Down(65503, 22)));
    EXPECT_EQ(MarkColor(), clBlue);
    // Nine columns: the caption and eight sub-items, the last the record's 54 characters.
    TListItem* top = page_->List()->Items()->Item(0);
    ASSERT_EQ(top->SubItems()->Count(), 8);
    EXPECT_EQ((*top->SubItems())[6], "ДА");
    EXPECT_EQ((*top->SubItems())[7].size(), 54u);

    Run(&THistoryOperations::HistoryBack);
    EXPECT_EQ(Captions(), Down(65481, 32));
    Run(&THistoryOperations::HistoryForward);
    EXPECT_EQ(Captions(), Join(Down(9, 10), Down(65503, 22)));
    Run(&THistoryOperations::HistoryForward);
    EXPECT_EQ(Captions(), Down(41, 32)); // the oldest records, from the ring's previous round

    // The degrees format as the operator sets it, and the wide layout of newer firmware.
    Run(&THistoryOperations::HistoryBack);
    Part<TCheckBox>("cbFormat")->SetChecked(true);
    AdaptHistoryColumns(*page_->List(), true);
    Run(&THistoryOperations::HistoryBack);
    EXPECT_EQ(Captions(), Down(65481, 32));
    top = page_->List()->Items()->Item(0);
    ASSERT_EQ(top->SubItems()->Count(), 12);
    EXPECT_NE((*top->SubItems())[2].find("°"), std::string::npos);
    Shoot("history-page.png");
}

// Every column but the raw record's holds its caption and the texts of its rows, in both
// layouts and both coordinate formats, measured with the list's font and the header's inset.
TEST_F(HistoryPageOnUnit, CaptionsAndTextsFitTheirColumns) {
    link_->Ring([](THistoryRing& ring) { ring.Fill(200); });
    TCustomListView* list = page_->List();
    TBitmap measure(1, 1);
    TCanvas& canvas = *measure.Canvas();
    canvas.Font()->Assign(list->Font());
    constexpr int HeaderInset = 12; // the header section's frame and text inset, both sides
    auto expectFit = [&](const std::string& layout) {
        TListColumns* columns = list->Columns();
        TListItems* items = list->Items();
        ASSERT_GT(items->Count(), 0) << layout;
        for (int c = 0; c + 1 < columns->Count(); ++c) {
            TListColumn* column = columns->Items(c);
            EXPECT_LE(canvas.TextWidth(column->Caption()) + HeaderInset, column->Width())
                << layout << ": " << column->Caption();
            for (int i = 0; i < items->Count(); ++i) {
                TListItem* item = items->Item(i);
                const std::string text = c == 0 ? item->Caption() : (*item->SubItems())[c - 1];
                EXPECT_LE(canvas.TextWidth(text) + HeaderInset, column->Width())
                    << layout << ": " << column->Caption() << " \"" << text << "\"";
            }
        }
    };
    for (const bool wide : {false, true}) {
        AdaptHistoryColumns(*list, wide);
        for (const bool degrees : {false, true}) {
            Part<TCheckBox>("cbFormat")->SetChecked(degrees);
            Run(&THistoryOperations::ReadHistoryPage);
            expectFit(std::string(wide ? "13" : "9") + (degrees ? " degrees" : " plain"));
            if (!wide && !degrees)
                Shoot("history-page-9-columns.png");
        }
    }
}

TEST_F(HistoryPageOnUnit, FailedReadShowsNothingAndMarksTheLabelRed) {
    link_->Ring([](THistoryRing& ring) { ring.Fill(100); });
    AddItem("0001");
    link_->Sim().ScriptReply("point>FFE0\r\nOK\r\n");
    Run(&THistoryOperations::ReadHistoryPage);
    EXPECT_TRUE(Captions().empty());
    EXPECT_EQ(MarkColor(), clRed);
    Run(&THistoryOperations::ReadHistoryPage);
    EXPECT_EQ(Captions(), Down(99, 32));
    EXPECT_EQ(MarkColor(), clBlue);
}

TEST_F(HistoryPageOnUnit, ExportButtonWritesTheShownBlock) {
    link_->Ring([](THistoryRing& ring) { ring.Fill(40); });
    Run(&THistoryOperations::ReadHistoryPage);
    const std::string folder = std::filesystem::temp_directory_path() / "q4-history-page-XXXXXX";
    std::string pattern = folder;
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const std::string file = pattern + "/page.xls";
    TFileDialogRequest asked;
    SetFileDialogHook([&](const TFileDialogRequest& r) {
        asked = r;
        return TFileDialogAnswer{true, {file}, 1};
    });
    Click("Button1");
    EXPECT_TRUE(asked.Save);
    EXPECT_EQ(asked.DefaultExt, "xls");
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const THistorySheet sheet = HistorySheetOf(*page_->List());
    ASSERT_EQ(sheet.Rows.size(), 32u);
    EXPECT_EQ(sheet.Rows[0][0], "0027");
    EXPECT_EQ(bytes.str(), HistorySheetBytes(sheet));

    // A file that cannot be written (its folder is missing): the error is shown, nothing is made.
    const std::string missing = pattern + "/missing/page.xls";
    SetFileDialogHook([&](const TFileDialogRequest&) {
        return TFileDialogAnswer{true, {missing}, 1};
    });
    Click("Button1");
    ASSERT_EQ(apptest::Messages().size(), 1u);
    EXPECT_NE(apptest::Messages()[0].find("page.xls"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(pattern + "/missing"));
    std::filesystem::remove_all(pattern);
}

TEST_F(HistoryPage, EraseOnlyAfterYesOkYes) {
    struct TCase {
        const char* Name;
        std::vector<TModalResult> Answers;
        size_t Asked;
        bool Erased;
    } cases[] = {
        {"yes, ok, yes", {mrYes, mrOk, mrYes}, 3, true},
        {"no", {mrNo}, 1, false},
        {"cancel", {mrCancel}, 1, false},
        {"yes, cancel", {mrYes, mrCancel}, 2, false},
        {"yes, ok, no", {mrYes, mrOk, mrNo}, 3, false},
        {"yes, ok, cancel", {mrYes, mrOk, mrCancel}, 3, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        owner_->Codes.clear();
        std::vector<std::string> texts;
        size_t next = 0;
        SetMessageDlgHook([&](const TMessageDlgRequest& r) {
            texts.push_back(r.Text);
            return next < c.Answers.size() ? c.Answers[next++] : mrCancel;
        });
        Click("FrToolButton3");
        const std::vector<std::string> all = {TformHistory::EraseQuestion,
                                              TformHistory::EraseWarning,
                                              TformHistory::EraseConfirmation};
        EXPECT_EQ(texts, std::vector<std::string>(all.begin(), all.begin() + c.Asked));
        EXPECT_EQ(owner_->Codes, c.Erased ? std::vector<int>{cmdEraseHistory} : std::vector<int>{});
    }

    // Without a connection nothing is asked.
    owner_->Connection = false;
    int asked = 0;
    SetMessageDlgHook([&](const TMessageDlgRequest&) {
        ++asked;
        return mrYes;
    });
    Click("FrToolButton3");
    EXPECT_EQ(asked, 0);
}

TEST_F(HistoryPage, PagingButtonsClearTheListAndSetTheirCommandsOnlyWhileConnected) {
    AddItem("0001");
    Click("FrToolButton1");
    EXPECT_TRUE(Captions().empty());
    AddItem("0001");
    Click("FrToolButton2");
    EXPECT_TRUE(Captions().empty());
    Click("btNspoint");
    EXPECT_EQ(owner_->Codes,
              (std::vector<int>{cmdHistoryBack, cmdHistoryForward, cmdHistoryPointer}));

    owner_->Codes.clear();
    owner_->Connection = false;
    AddItem("0001");
    Click("FrToolButton1");
    Click("FrToolButton2");
    Click("btNspoint");
    EXPECT_EQ(Captions(), std::vector<std::string>{"0001"});
    EXPECT_TRUE(owner_->Codes.empty());
}

TEST_F(HistoryPage, PointerEditTakesHexDigitsAndEmptiesBeyondTheRing) {
    auto* edit = Part<TEdit>("etNspoint");
    ASSERT_TRUE(edit->OnKeyPress);
    for (char16_t typed : {u'G', u'g', u'-', u' ', u'f', u'F', u'0', u'9', u'\b'}) {
        char16_t key = typed;
        edit->OnKeyPress(edit, key);
        const bool hex =
            typed == u'f' || typed == u'F' || typed == u'0' || typed == u'9' || typed == u'\b';
        EXPECT_EQ(key, hex ? typed : u'\0') << static_cast<int>(typed);
    }
    struct {
        const char* Typed;
        const char* Kept;
    } texts[] = {{"FFDF", "FFDF"}, {"FFE0", ""}, {"ffff", ""}, {"0", "0"}, {"zz", "zz"}};
    for (const auto& t : texts) {
        edit->SetText(t.Typed);
        EXPECT_EQ(edit->GetText(), t.Kept) << t.Typed;
    }
}

TEST_F(HistoryPage, PointerControlsShowByTheSettingsFile) {
    struct {
        const char* Stored; // null: no key
        bool Shown;
        const char* Saved;
    } cases[] = {{"1", true, "1"}, {"0", false, "0"}, {nullptr, false, "0"}, {"yes", false, "0"}};
    for (const auto& c : cases) {
        TMemIniFile ini("");
        if (c.Stored != nullptr)
            ini.WriteString("FormHistory", "showNSPoint", c.Stored);
        page_->LoadFromIni(ini);
        EXPECT_EQ(Part<TControl>("etNspoint")->Visible(), c.Shown);
        EXPECT_EQ(Part<TControl>("btNspoint")->Visible(), c.Shown);
        TMemIniFile saved("");
        page_->SaveToIni(saved);
        EXPECT_EQ(saved.ReadString("FormHistory", "showNSPoint", "<none>"), c.Saved);
    }
}

TEST_F(HistoryPage, ReadClearsOnlyTheListAndTheFormatSwitchNamesItsSigns) {
    Part<TEdit>("etNspoint")->SetText("0012");
    AddItem("0001");
    page_->PrepareRead();
    EXPECT_TRUE(Captions().empty());
    EXPECT_EQ(Part<TEdit>("etNspoint")->GetText(), "0012");
    EXPECT_EQ(Part<TCheckBox>("cbFormat")->Caption(), "Формат координат XX ° XX ' XX.XX \" X");
    EXPECT_EQ(page_->State().Columns, 9);
}

} // namespace
