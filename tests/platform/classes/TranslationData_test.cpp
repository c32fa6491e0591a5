// The connect dialog's localiser keeps its tables in one stored block of bytes (a defined
// binary property). The block, rebuilt independently from its published layout, must survive
// reading into lists and writing back, through both description forms, byte for byte.

#include "Fixtures.h"

#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

const char* const Kinds[] = {"stCaptions",   "stHints",        "stDisplayLabels", "stFonts",
                             "stMultiLines", "stDlgsCaptions", "stStrings",       "stOtherStrings",
                             "stLocales",    "stCollections",  "stCharSets"};
constexpr size_t KindCount = std::size(Kinds);

// A localiser reduced to its storage: eleven lists kept in one binary property.
class TTestLocaliser : public TComponent {
    Q4_CLASS(TTestLocaliser, TComponent)
    explicit TTestLocaliser(TComponent* owner) : TComponent(owner) {}
    static void DeclareProperties(TPropertyList& p) {
        p.Add("LangDelim", &TTestLocaliser::delimiter).Default(uint8_t{9});
    }
    void DefineProperties(TFiler* filer) override {
        TComponent::DefineProperties(filer);
        filer->DefineBinaryProperty(
            "TranslationData", [this](TStream& s) { ReadData(s); },
            [this](TStream& s) { WriteData(s); }, true);
    }

    void ReadData(TStream& stream) {
        std::string bytes = stream.ReadToEnd();
        TStringList* current = nullptr;
        size_t start = 0;
        while (start < bytes.size()) {
            size_t end = bytes.find_first_of("\r\n", start);
            if (end == std::string::npos)
                end = bytes.size();
            std::string line = bytes.substr(start, end - start);
            start = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
            bool header = false;
            for (size_t k = 0; k < KindCount; ++k) {
                if (SameIdent(line, Kinds[k])) {
                    current = &lists[k];
                    current->Clear();
                    header = true;
                }
            }
            if (header || current == nullptr)
                continue;
            for (char& c : line)
                c = c == 25 ? '\r' : c == 26 ? '\n' : c;
            std::string ownerKey = Owner() ? Owner()->ClassName() : std::string();
            if (!ownerKey.empty() && line.rfind(ownerKey + char(delimiter), 0) == 0)
                current->Insert(0, line);
            else
                current->Add(line);
        }
    }

    void WriteData(TStream& stream) const {
        for (size_t k = 0; k < KindCount; ++k) {
            stream.WriteBytes(std::string(Kinds[k]) + "\r\n");
            for (int i = 0; i < lists[k].Count(); ++i) {
                std::string line = lists[k].Get(i);
                for (char& c : line)
                    c = c == '\r' ? char(25) : c == '\n' ? char(26) : c;
                stream.WriteBytes(line + "\r\n");
            }
        }
    }

    uint8_t delimiter = 9;
    std::array<TStringList, KindCount> lists;
};

// The dialog that owns it (its class name keys the dialog's own entries).
class TdlgConnect : public TComponent {
    Q4_CLASS(TdlgConnect, TComponent)
    explicit TdlgConnect(TComponent* owner) : TComponent(owner) {}
};

std::string FixtureBlock() {
    std::ifstream file(Q4_SOURCE_DIR "/tests/platform/classes/data/ConnectTranslationData.bin",
                       std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The description text the dialog stores: the block in hex, 32 bytes a line.
std::string DescriptionText(const std::string& block) {
    static const char hex[] = "0123456789ABCDEF";
    std::string text = "object dlgConnect: TdlgConnect\r\n  object locLang1: TTestLocaliser\r\n"
                       "    LangDelim = 1\r\n    TranslationData = {";
    for (size_t i = 0; i < block.size(); ++i) {
        if (i % 32 == 0)
            text += "\r\n      ";
        text += hex[static_cast<unsigned char>(block[i]) >> 4];
        text += hex[block[i] & 15];
    }
    return text + "}\r\n  end\r\nend\r\n";
}

} // namespace

TEST(TranslationDataTest, TheConnectDialogsStoredTableReadsAndWritesBackByteForByte) {
    RegisterClasses<TTestLocaliser, TdlgConnect>();
    const std::string block = FixtureBlock();
    ASSERT_EQ(block.size(), 986u);
    const std::string text = DescriptionText(block);

    TdlgConnect dialog(nullptr);
    ReadComponentDescription(text, &dialog);
    auto* loc = static_cast<TTestLocaliser*>(dialog.FindComponent("locLang1"));
    ASSERT_NE(loc, nullptr);
    EXPECT_EQ(loc->delimiter, 1);
    const int counts[KindCount] = {9, 2, 0, 1, 0, 15, 0, 0, 0, 0, 1};
    for (size_t k = 0; k < KindCount; ++k)
        EXPECT_EQ(loc->lists[k].Count(), counts[k]) << Kinds[k];
    EXPECT_EQ(Cp1251ToUtf8(loc->lists[0].Get(0)), "TdlgConnect\x01Подключение к Quorvan2\x01"
                                                  "Connect to Quorvan2\x01");
    EXPECT_EQ(loc->lists[5].Get(9), "No To All\x01N&o to All\x01N&o to All\x01");

    // Written again: the same text, and in binary the very same 986 bytes.
    EXPECT_EQ(ComponentToText(&dialog), text);
    TStringStream binary;
    WriteComponentToStream(binary, &dialog);
    const std::string bytes = binary.DataString();
    size_t at = bytes.find("TranslationData");
    ASSERT_NE(at, std::string::npos);
    at += 15;
    ASSERT_EQ(bytes[at], char(vaBinary));
    uint32_t length = 0;
    std::memcpy(&length, bytes.data() + at + 1, 4);
    EXPECT_EQ(length, 986u);
    EXPECT_EQ(bytes.substr(at + 5, length), block);

    // The binary description reads into a fresh dialog that writes the same bytes again.
    TdlgConnect again(nullptr);
    ReadComponentDescription(bytes, &again);
    TStringStream second;
    WriteComponentToStream(second, &again);
    EXPECT_EQ(second.DataString(), bytes);
}
