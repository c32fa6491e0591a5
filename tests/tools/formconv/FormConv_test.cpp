// The converter program end to end: a sound description converts both ways; a malformed one
// leaves no output file, exits with 1 and names the cause on the error stream.

#include "platform/classes/ObjectText.h"
#include "tests/support/NestedDescription.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

class FormConvTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("formconv-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Write(const std::string& name, const std::string& bytes) {
        fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // Runs the program; returns its exit status and leaves its error stream in errors.
    int Run(const std::string& mode, const fs::path& in, const fs::path& out, std::string& errors) {
        fs::path err = dir_ / "stderr";
        std::string command = std::string(FORMCONV_PROGRAM) + " " + mode + " '" + in.string() +
                              "' '" + out.string() + "' 2>'" + err.string() + "'";
        int status = std::system(command.c_str());
        errors = Read(err);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path dir_;
};

TEST_F(FormConvTest, ConvertsASoundDescriptionBothWays) {
    const std::string text = "object Form: TAnyForm\r\n  Caption = 'Связь'\r\n  Lines = (\r\n"
                             "    1\r\n    (\r\n      'two'))\r\nend\r\n";
    std::string errors;
    fs::path in = Write("form.txt", text);
    ASSERT_EQ(Run("--to-binary", in, dir_ / "form.bin", errors), 0) << errors;
    EXPECT_EQ(Read(dir_ / "form.bin"), ObjectTextToBinary(text));
    ASSERT_EQ(Run("--to-text", dir_ / "form.bin", dir_ / "again.txt", errors), 0) << errors;
    EXPECT_EQ(Read(dir_ / "again.txt"), text);
    EXPECT_EQ(errors, "");
}

TEST_F(FormConvTest, NestingPastTheLimitFailsWithAClearErrorAndNoOutput) {
    for (int depth : {3700, 30000}) {
        for (const char* mode : {"--to-text", "--to-binary"}) {
            fs::path in = Write("deep.bin", NestedListDescription("TFuzzForm", "Lines", depth));
            fs::path out = dir_ / "out";
            std::string errors;
            EXPECT_EQ(Run(mode, in, out, errors), 1) << depth << " " << mode;
            EXPECT_EQ(errors,
                      "quorvan4-formconv: " + in.string() + ": Nesting too deep at offset 224\n")
                << depth << " " << mode;
            EXPECT_FALSE(fs::exists(out)) << depth << " " << mode;
        }
    }
}

} // namespace
