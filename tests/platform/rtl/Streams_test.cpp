#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace {
std::string TempPath(const char* name) {
    return (std::filesystem::temp_directory_path() /
            ("q4rtl_" + std::to_string(::getpid()) + "_" + name))
        .string();
}
} // namespace

TEST(MemoryStream, ReadWriteSeekAndSize) {
    TMemoryStream m;
    m.WriteValue<uint16_t>(0x1234);
    m.WriteBytes("abc");
    EXPECT_EQ(m.Size(), 5);
    EXPECT_EQ(m.Position(), 5);
    EXPECT_EQ(m.Memory()[0], 0x34); // little-endian
    m.SetPosition(0);
    EXPECT_EQ(m.ReadValue<uint16_t>(), 0x1234);
    EXPECT_EQ(m.ReadBytes(3), "abc");
    char c;
    EXPECT_EQ(m.Read(&c, 1), 0); // at the end
    EXPECT_THROW(m.ReadBuffer(&c, 1), EReadError);

    // Writing past the end fills the gap with zeros.
    m.Seek(2, soEnd);
    m.WriteBytes("Z");
    EXPECT_EQ(m.Size(), 8);
    EXPECT_EQ(m.Memory()[5], 0);
    EXPECT_THROW(m.Seek(-1, soBeginning), EStreamError);

    m.SetSize(2);
    EXPECT_EQ(m.Position(), 2);
    m.Clear();
    EXPECT_EQ(m.Size(), 0);
}

TEST(StringStream, HoldsBytesAsAString) {
    TStringStream s(std::string("a\0b", 3));
    EXPECT_EQ(s.DataString().size(), 3u);
    EXPECT_EQ(s.ReadString(10), std::string("a\0b", 3));
    s.WriteString("cd");
    EXPECT_EQ(s.DataString(), std::string("a\0bcd", 5));

    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(s, 0), 5); // 0 copies everything from the start
    EXPECT_EQ(copy.Size(), 5);
    s.SetPosition(1);
    TMemoryStream part;
    EXPECT_EQ(part.CopyFrom(s, 2), 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(part.Memory()), 2), std::string("\0b", 2));
    s.SetPosition(4);
    EXPECT_THROW(part.CopyFrom(s, 3), EReadError);
}

TEST(FileStream, CreateOpenAndErrors) {
    const std::string path = TempPath("fs.bin");
    {
        TFileStream f(path, fmCreate);
        f.WriteValue<int32_t>(-2);
        f.WriteBytes("xyz");
        EXPECT_EQ(f.Size(), 7);
    }
    {
        TFileStream f(path, fmOpenRead);
        EXPECT_EQ(f.ReadValue<int32_t>(), -2);
        EXPECT_EQ(f.ReadToEnd(), "xyz");
        EXPECT_THROW(f.WriteBytes("no"), EWriteError); // opened for reading only
    }
    {
        TFileStream f(path, fmOpenReadWrite);
        f.Seek(-1, soEnd);
        f.WriteBytes("Z");
        f.SetSize(5);
    }
    TMemoryStream m;
    m.LoadFromFile(path);
    EXPECT_EQ(m.Size(), 5);
    EXPECT_EQ(m.Memory()[4], 'x');
    std::remove(path.c_str());

    try {
        TFileStream f(path, fmOpenRead);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message().rfind("Cannot open file \"" + path + "\". ", 0), 0u) << e.Message();
    }
    EXPECT_THROW(TFileStream("/nonexistent-dir/x.bin", fmCreate), EFCreateError);
    EXPECT_THROW(TFileStream(std::filesystem::temp_directory_path().string(), fmOpenRead),
                 EFOpenError);
}
