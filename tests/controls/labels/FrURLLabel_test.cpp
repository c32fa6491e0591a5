// The address label opens its target through a fake xdg-open put first on PATH, which records
// the arguments it was given.
#include "controls/labels/FrURLLabel.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class FrURLLabelTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        dir_ = fs::temp_directory_path() /
               ("q4-xdg-" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(dir_);
        log_ = dir_ / "calls.txt";
        const char* path = std::getenv("PATH");
        savedPath_ = path != nullptr ? path : "";
        setenv("PATH", dir_.c_str(), 1);
        previousHook_ = SetMessageBoxHook([this](const TMessageBoxRequest& r) {
            messages_.push_back(r.Text);
            return IDOK;
        });
    }
    void TearDown() override {
        SetMessageBoxHook(previousHook_);
        setenv("PATH", savedPath_.c_str(), 1);
        fs::remove_all(dir_);
        FormFixture::TearDown();
    }
    // An xdg-open that writes its argument count and its arguments, one a line, and exits so.
    void FakeOpener(int exitCode) {
        const fs::path script = dir_ / "xdg-open";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" >> '" << log_.string()
                              << "'\nexit " << exitCode << "\n";
        fs::permissions(script, fs::perms::owner_all);
    }
    std::string Calls() const {
        std::ifstream in(log_);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    TFrURLLabel* MakeLabel(const std::string& caption, const std::string& url) {
        auto* l = Make<TFrURLLabel>();
        l->SetCaption(caption);
        l->SetURL(url);
        l->OnClick = [this](TObject*) { ++clicks_; };
        return l;
    }

    fs::path dir_, log_;
    std::string savedPath_;
    TMessageBoxHook previousHook_;
    std::vector<std::string> messages_;
    int clicks_ = 0;
};

TEST_F(FrURLLabelTest, OpensItsAddressAsOneArgumentWithoutAShell) {
    FakeOpener(0);
    TFrURLLabel* l = MakeLabel("Сайт", "https://example.org/a b;$(touch x)");
    EXPECT_EQ(l->Font()->Color(), clHighlight);
    EXPECT_TRUE(l->Font()->Style().Contains(fsUnderline));
    l->Click();
    EXPECT_EQ(Calls(), "1\nhttps://example.org/a b;$(touch x)\n");
    EXPECT_FALSE(fs::exists(fs::current_path() / "x"));
    EXPECT_TRUE(l->Visited());
    EXPECT_EQ(l->Font()->Color(), TColor(0x800080));
    EXPECT_EQ(clicks_, 1);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(FrURLLabelTest, WithoutAnAddressTheCaptionIsOpened) {
    FakeOpener(0);
    MakeLabel("mailto:service@quorvan.example", "  ")->Click();
    EXPECT_EQ(Calls(), "1\nmailto:service@quorvan.example\n");
}

TEST_F(FrURLLabelTest, NothingToOpenStillFiresTheClick) {
    FakeOpener(0);
    TFrURLLabel* l = MakeLabel(" ", "");
    l->Click();
    EXPECT_EQ(clicks_, 1);
    EXPECT_EQ(Calls(), "");
    EXPECT_FALSE(l->Visited());
}

TEST_F(FrURLLabelTest, FailingOrMissingOpenerIsToldAndNothingElse) {
    FakeOpener(4);
    TFrURLLabel* l = MakeLabel("Сайт", "https://example.org");
    l->Click();
    EXPECT_FALSE(l->Visited());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find("exit code 4"), std::string::npos) << messages_[0];

    fs::remove(dir_ / "xdg-open");
    l->Click();
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_NE(messages_[1].find("xdg-open was not found"), std::string::npos) << messages_[1];
    EXPECT_EQ(clicks_, 2);
}

} // namespace
