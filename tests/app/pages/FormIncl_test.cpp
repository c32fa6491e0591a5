// The settings page base on a page with one control of every class the pages use: the settings
// file round trip (bytes checked, and read and written by Python's configparser), hint defaults,
// the prepares, factory values, bad files, and a save killed halfway.

#include "app/pages/FormIncl.h"

#include "controls/buttons/FrCheckBox.h"
#include "controls/buttons/FrRadioButton.h"
#include "device/LogWriter.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/IniFiles.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/ComboBoxEx.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/MaskEdit.h"
#include "platform/stdctrls/RadioButton.h"
#include "platform/stdctrls/SpeedButton.h"
#include "platform/stdctrls/SpinEdit.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class TformTestPage : public TformIncl {
    Q4_CLASS(TformTestPage, TformIncl)
public:
    explicit TformTestPage(TComponent* owner) : TformIncl(owner) {}
    template <class T> T* Get(const char* name) const {
        T* c = dynamic_cast<T*>(FindComponent(name));
        if (c == nullptr)
            ADD_FAILURE() << name << " missing";
        return c;
    }
};

struct TRecordingLog : TLogWriter {
    void WriteLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

struct TPage {
    TPage() {
        RegisterClasses<TformIncl, TformTestPage>();
        page = TCustomForm::Create<TformTestPage>(nullptr);
        page->SetLog(&log);
    }
    ~TPage() { page->Free(); }
    TEdit* Edit() const { return page->Get<TEdit>("etObjNum"); }
    TSpinEdit* Spin() const { return page->Get<TSpinEdit>("seCount"); }
    TMaskEdit* Mask() const { return page->Get<TMaskEdit>("meEdgeign"); }
    TCheckBox* Check() const { return page->Get<TCheckBox>("cbOhr"); }
    TFrCheckBox* Framed() const { return page->Get<TFrCheckBox>("cbFramed"); }
    TRadioButton* North() const { return page->Get<TRadioButton>("rbDZ1"); }
    TRadioButton* South() const { return page->Get<TRadioButton>("rbDZ2"); }
    TFrRadioButton* FramedRadio() const { return page->Get<TFrRadioButton>("rbFramed"); }
    TComboBox* Combo() const { return page->Get<TComboBox>("cbActivetime"); }
    TComboBoxEx* ComboEx() const { return page->Get<TComboBoxEx>("cbEx"); }
    TSpeedButton* Speed(const char* name) const { return page->Get<TSpeedButton>(name); }
    TformTestPage* page;
    TRecordingLog log;
};

class FormInclTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/q4-pages-XXXXXX";
        dir_ = mkdtemp(tmpl);
        file_ = dir_ + "/current.ini";
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Bytes() const {
        std::ifstream in(file_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void WriteBytes(const std::string& bytes) const {
        std::ofstream(file_, std::ios::binary) << bytes;
    }
    // Runs Python and gives what it printed.
    static std::string Python(const std::string& script) {
        const std::string command = "/usr/bin/python3 -c '" + script + "'";
        FILE* p = popen(command.c_str(), "r");
        std::string out;
        char buffer[4096];
        while (size_t n = fread(buffer, 1, sizeof buffer, p))
            out.append(buffer, n);
        EXPECT_EQ(pclose(p), 0) << script;
        return out;
    }
    // Non-default values in every control.
    static void Fill(const TPage& p) {
        p.Edit()->SetText("Объект №7");
        p.Spin()->SetText("12");
        p.Mask()->SetText("12,50");
        p.Check()->SetChecked(true);
        p.Framed()->SetChecked(true);
        p.South()->SetChecked(true);
        p.FramedRadio()->SetChecked(true);
        p.Combo()->SetItemIndex(2);
        p.ComboEx()->SetItemIndex(0);
        p.Speed("btnDontsleep0F")->SetDown(true);
    }
    std::string dir_, file_;
};

} // namespace

TEST_F(FormInclTest, EveryControlRoundTripsThroughTheFileInWindows1251WithCrLf) {
    {
        TPage first;
        Fill(first);
        TIniFile ini(file_);
        first.page->SaveToIni(ini);
    }
    const std::string bytes = Bytes();
    EXPECT_NE(bytes.find("[formTestPage]\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("etObjNum=" + Utf8ToCp1251("Объект №7") + "\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("cbActivetime=2\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("btnDontsleep00=0\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("btnDontsleep0F=1\r\n"), std::string::npos);
    // Every line ends in CR LF.
    for (size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1))
        ASSERT_EQ(bytes[i - 1], '\r');

    TPage second;
    TIniFile ini(file_);
    second.page->LoadFromIni(ini);
    EXPECT_EQ(second.Edit()->GetText(), "Объект №7");
    EXPECT_EQ(second.Spin()->GetText(), "12");
    EXPECT_EQ(second.Mask()->GetText(), "12,50");
    EXPECT_TRUE(second.Check()->Checked());
    EXPECT_TRUE(second.Framed()->GetChecked());
    EXPECT_FALSE(second.North()->Checked());
    EXPECT_TRUE(second.South()->Checked());
    EXPECT_TRUE(second.FramedRadio()->GetChecked());
    EXPECT_EQ(second.Combo()->ItemIndex(), 2);
    EXPECT_EQ(second.ComboEx()->ItemIndex(), 0);
    EXPECT_TRUE(second.Speed("btnDontsleep0F")->Down());
    EXPECT_FALSE(second.Speed("btnDontsleep00")->Down());
    EXPECT_TRUE(second.log.lines.empty());
}

TEST_F(FormInclTest, MissingKeysTakeTheHintsAndOutOfRangeIndexesSelectNothing) {
    WriteBytes("[FORMTESTPAGE]\r\ncbEx=7\r\n");
    TPage p;
    p.North()->SetChecked(false);
    p.South()->SetChecked(true);
    TIniFile ini(file_);
    p.page->LoadFromIni(ini);
    EXPECT_EQ(p.Edit()->GetText(), "0050");
    EXPECT_EQ(p.Spin()->GetText(), "3");
    EXPECT_EQ(p.Mask()->GetText(), "10,00");
    EXPECT_FALSE(p.Check()->Checked());
    EXPECT_TRUE(p.South()->Checked()); // radio buttons keep their state
    EXPECT_EQ(p.Combo()->ItemIndex(), 1);
    EXPECT_EQ(p.ComboEx()->ItemIndex(), -1);
    EXPECT_TRUE(p.Speed("btnDontsleep00")->Down());
}

TEST_F(FormInclTest, PreparesClearOrKeepValuesAndResetTheOutcomeColours) {
    TPage p;
    Fill(p);
    auto* label = p.page->Get<TLabel>("lbObjNum");
    label->Font()->SetColor(clRed);
    p.Edit()->Font()->SetStyle(TFontStyles{fsBold});
    p.page->PrepareWrite();
    EXPECT_EQ(label->Font()->Color(), clWindowText);
    EXPECT_TRUE(p.Edit()->Font()->Style().Empty());
    EXPECT_EQ(p.Edit()->GetText(), "Объект №7");
    EXPECT_TRUE(p.Check()->Checked());
    EXPECT_EQ(p.Check()->Caption(), ""); // "!" goes by either prepare
    p.page->PrepareRead();
    EXPECT_EQ(p.Edit()->GetText(), "");
    EXPECT_FALSE(p.Check()->Checked());
    EXPECT_FALSE(p.Framed()->GetChecked());
    EXPECT_EQ(p.Mask()->GetText(), "12,50");
    EXPECT_EQ(p.Combo()->ItemIndex(), 2);
    EXPECT_TRUE(p.Speed("btnDontsleep0F")->Down());
}

TEST_F(FormInclTest, FactoryValuesComeFromTheHints) {
    TPage p;
    Fill(p);
    p.Framed()->SetHint("maybe"); // no Boolean: the box stays as it is
    p.page->SetDefaults();
    EXPECT_EQ(p.Edit()->GetText(), "0050");
    EXPECT_EQ(p.Mask()->GetText(), "10,00");
    EXPECT_TRUE(p.Check()->Checked());
    EXPECT_TRUE(p.Framed()->GetChecked());
    EXPECT_TRUE(p.North()->Checked());
    EXPECT_EQ(p.Combo()->GetText(), "до фиксации");
    EXPECT_EQ(p.ComboEx()->ItemIndex(), 1);
    EXPECT_TRUE(p.Speed("btnDontsleep0F")->Down()); // speed buttons are not touched
}

TEST_F(FormInclTest, SectionsMatchWithoutCaseSoFormHistoryIsOneSection) {
    TPage p;
    p.page->SetName("formHistory");
    TIniFile ini(file_);
    p.page->SaveToIni(ini);
    ini.WriteString("FormHistory", "showNSPoint", "1");
    const std::string bytes = Bytes();
    size_t sections = 0;
    for (size_t i = bytes.find('['); i != std::string::npos; i = bytes.find('[', i + 1))
        ++sections;
    EXPECT_EQ(sections, 1u) << bytes;
    EXPECT_NE(bytes.find("showNSPoint=1"), std::string::npos);
}

TEST_F(FormInclTest, PythonsConfigparserReadsOurFileAndWeReadItsFile) {
    {
        TPage p;
        Fill(p);
        TIniFile ini(file_);
        p.page->SaveToIni(ini);
    }
    const std::string read =
        Python("import configparser,sys; c = configparser.RawConfigParser(); c.optionxform = str; "
               "c.read(\"" +
               file_ +
               "\", encoding=\"cp1251\"); s = c[\"formTestPage\"]; "
               "sys.stdout.buffer.write(\"|\".join(k + \"=\" + s[k] for k in sorted(s)).encode())");
    EXPECT_EQ(read, "btnDontsleep00=0|btnDontsleep0F=1|cbActivetime=2|cbEx=0|cbFramed=1|cbOhr=1|"
                    "etObjNum=Объект №7|meEdgeign=12,50|rbDZ1=0|rbDZ2=1|rbFramed=1|seCount=12");

    Python("import configparser; c = configparser.RawConfigParser(); c.optionxform = str; "
           "c[\"formTestPage\"] = {\"etObjNum\": \"Ёлка\", \"cbActivetime\": \"0\", "
           "\"rbDZ2\": \"1\", \"rbDZ1\": \"0\", \"cbOhr\": \"1\"}; "
           "c.write(open(\"" +
           file_ + "\", \"w\", encoding=\"cp1251\"))");
    TPage p;
    TIniFile ini(file_);
    p.page->LoadFromIni(ini);
    EXPECT_EQ(p.Edit()->GetText(), "Ёлка");
    EXPECT_EQ(p.Combo()->ItemIndex(), 0);
    EXPECT_TRUE(p.South()->Checked());
    EXPECT_TRUE(p.Check()->Checked());
    EXPECT_EQ(p.Spin()->GetText(), "3"); // absent: the hint
}

TEST_F(FormInclTest, ABadFileLoadsWhatItCanAndReportsTheRest) {
    std::string junk = "\x01\xFF garbage line without equals\r\n[formTestPage]\r\n"
                       "cbActivetime=abc\r\ncbOhr=yes\r\netObjNum=\x98\xC0\xFF\r\n"
                       "seCount=" +
                       std::string(1 << 20, '7') + "\r\nrbDZ2=1\r\n";
    WriteBytes(junk);
    TPage p;
    p.Speed("btnDontsleep00")->SetHint("вкл"); // a factory value that is no Boolean
    TIniFile ini(file_);
    p.page->LoadFromIni(ini);
    EXPECT_EQ(p.Combo()->ItemIndex(), 1); // the hint's item
    EXPECT_FALSE(p.Check()->Checked());
    EXPECT_EQ(p.Edit()->GetText(), Cp1251ToUtf8("\x98\xC0\xFF"));
    EXPECT_TRUE(p.South()->Checked());
    EXPECT_EQ(p.log.lines.size(), 3u);
    std::string all;
    for (const std::string& l : p.log.lines)
        all += l + "\n";
    EXPECT_NE(all.find("cbActivetime"), std::string::npos) << all;
    EXPECT_NE(all.find("cbOhr"), std::string::npos) << all;
    EXPECT_NE(all.find("btnDontsleep00"), std::string::npos) << all;
}

TEST_F(FormInclTest, ASaveKilledHalfwayLeavesAWholeFile) {
    // Two versions of the page, each with a long text so that a save takes a while.
    std::string versions[2];
    for (int v = 0; v < 2; ++v) {
        TPage p;
        p.Edit()->SetText(std::string(300000, v == 0 ? 'a' : 'b'));
        const std::string other = dir_ + "/version" + std::to_string(v) + ".ini";
        TIniFile ini(other);
        p.page->SaveToIni(ini);
        std::ifstream in(other, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        versions[v] = s.str();
    }
    WriteBytes(versions[0]);
    for (int round = 0; round < 5; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves the two versions in turn until it is killed.
            TMemIniFile a(dir_ + "/version0.ini"), b(dir_ + "/version1.ini");
            TStringList la, lb;
            a.GetStrings(la);
            b.GetStrings(lb);
            for (int i = 0;; ++i) {
                TMemIniFile target(file_);
                target.SetStrings(i % 2 ? la : lb);
                target.UpdateFile();
            }
        }
        usleep(20000 + 13000 * round);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string now = Bytes();
        EXPECT_TRUE(now == versions[0] || now == versions[1])
            << "round " << round << ": " << now.size() << " bytes";
    }
}
