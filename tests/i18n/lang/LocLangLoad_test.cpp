// The connect dialog's stored localiser: what loading it gives, that loading changes no text of
// the dialog, and that writing it again gives the same description and the same table bytes.

#include "LocLangFixture.h"

#include "i18n/lang/LocLang.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Sha256.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const char* const FixtureSha256 =
    "499ed34c55d794253f5f3bf6834be2436f6b2f8d9677a307a048c073d27f1055";

// The bytes of the "TranslationData" value in a binary description.
std::string StoredBlock(const std::string& binary) {
    size_t at = binary.find("TranslationData");
    if (at == std::string::npos)
        return {};
    at += 15 + 1; // the name, then the binary value code
    uint32_t length = 0;
    std::memcpy(&length, binary.data() + at, 4);
    return binary.substr(at + 4, length);
}

std::string BinaryOf(TComponent* component) {
    TStringStream stream;
    WriteComponentToStream(stream, component);
    return stream.DataString();
}

} // namespace

TEST(LocLangLoadTest, TheConnectDialogsLocaliserLoadsIntoItsStoredState) {
    RegisterFixtureClasses();
    const std::string text = ConnectDialogText();
    TdlgConnect dialog(nullptr);
    ReadComponentDescription(text, &dialog);
    auto* loc = dynamic_cast<TLocLang*>(dialog.FindComponent("locLang1"));
    ASSERT_NE(loc, nullptr);

    EXPECT_EQ(loc->NumOfLanguages(), 2);
    EXPECT_EQ(loc->LangNames()->ToVector(), (std::vector<std::string>{"Russian", "English"}));
    EXPECT_EQ(loc->Language(), "Russian");
    EXPECT_EQ(loc->ActiveLanguage(), 1);
    EXPECT_EQ(loc->LangDelim(), 1);
    EXPECT_EQ(loc->ExcludedProperties()->ToVector(), DefaultExcludedProperties());
    const int sizes[ListKindCount] = {9, 2, 0, 1, 0, 15, 0, 0, 0, 0, 1};
    for (int kind = 0; kind < ListKindCount; ++kind)
        EXPECT_EQ(loc->GetStringsOfType(kind)->Count(), sizes[kind]) << StringsTypeName(kind);
    EXPECT_EQ(Cp1251ToUtf8(loc->GetStringsOfType(stCaptions)->Get(0)),
              "TdlgConnect\x01Подключение к Quorvan2\x01"
              "Connect to Quorvan2\x01");
    EXPECT_EQ(loc->LangCharSets(), (std::vector<uint8_t>{1, 1}));
    EXPECT_EQ(loc->CurrentCharSet(), 1);
    EXPECT_EQ(loc->UserStringTable().Count(), 0);

    // No text of the dialog changed: the description holds the active language's texts.
    EXPECT_EQ(dialog.Caption, "Соединение");
    const std::pair<const char*, const char*> captions[] = {{"Label1", "Com-порт:"},
                                                            {"Label2", "Номер телефона:"},
                                                            {"OKBtn", "OK"},
                                                            {"rb1", "Кабель программирования"},
                                                            {"CheckBox1", "Ждать готовности"}};
    for (auto [name, caption] : captions)
        EXPECT_EQ(static_cast<TTestCaptioned*>(dialog.FindComponent(name))->Caption, caption);
    EXPECT_EQ(static_cast<TTestCaptioned*>(dialog.FindComponent("rb1"))->Hint, "true");
}

TEST(LocLangLoadTest, TheConnectDialogWritesBackByteForByte) {
    RegisterFixtureClasses();
    const std::string text = ConnectDialogText();
    TdlgConnect dialog(nullptr);
    ReadComponentDescription(text, &dialog);

    EXPECT_EQ(ComponentToText(&dialog), text);
    const std::string binary = BinaryOf(&dialog);
    const std::string block = StoredBlock(binary);
    EXPECT_EQ(block.size(), 986u);
    EXPECT_EQ(Sha256Hex(block), FixtureSha256);
    EXPECT_EQ(Sha256Hex(ConnectTranslationBlock()), FixtureSha256);

    // The binary description reads into a fresh dialog that writes the same bytes again.
    TdlgConnect again(nullptr);
    ReadComponentDescription(binary, &again);
    EXPECT_EQ(BinaryOf(&again), binary);
}

TEST(LocLangLoadTest, ANewLocaliserWritesItsFixedProperties) {
    RegisterFixtureClasses();
    TdlgConnect form(nullptr);
    form.SetName("Form1");
    auto* loc = new TLocLang(&form);
    loc->SetName("locLang1");
    const std::string text = ComponentToText(&form);
    for (const char* expected :
         {"Version = '6.5'", "StringsTypes.Strings = (", "LangDelim = 1", "LangNames.Strings = (",
          "Language = 'Language N1'", "ExcludedProperties.Strings = (", "TranslationData = {"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    for (const char* absent : {"ActiveLanguage", "NumOfLanguages", "DlgsCaptions", "Captions"})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;
}

// Every truncation of the stored dialog fails with a read error; none crashes.
TEST(LocLangLoadTest, TruncatedDescriptionsFailWithAReadError) {
    RegisterFixtureClasses();
    TdlgConnect dialog(nullptr);
    ReadComponentDescription(ConnectDialogText(), &dialog);
    const std::string binary = BinaryOf(&dialog);
    for (size_t size = 0; size < binary.size(); ++size) {
        TdlgConnect fresh(nullptr);
        EXPECT_THROW(ReadComponentDescription(binary.substr(0, size), &fresh), EReadError)
            << "truncated at " << size;
    }
}
