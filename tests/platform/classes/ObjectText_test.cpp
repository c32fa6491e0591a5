// Conversion between the binary and text forms at its limits: nesting past what the reader
// accepts, and names and values the text form has to hold so that it reads back unchanged.

#include "Fixtures.h"

#include "platform/classes/ObjectText.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Streaming.h"
#include "platform/classes/Writer.h"
#include "tests/support/NestedDescription.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace {

// A form "Form" of class TTestForm with one property whose value is written by value.
std::string OneProperty(const std::string& name, const std::function<void(TWriter&)>& value,
                        const std::string& className = "TTestForm",
                        const std::string& objectName = "Form") {
    TStringStream stream;
    {
        TWriter writer(stream);
        writer.WriteSignature();
        writer.WritePrefix(0, 0);
        writer.WriteStr(className);
        writer.WriteStr(objectName);
        writer.WriteStr(name);
        value(writer);
        writer.WriteListEnd();
        writer.WriteListEnd();
    }
    return stream.DataString();
}

// The offset of the list-start byte that goes one level past the cap: the form is the first
// level, each list one more.
constexpr int64_t FirstListOffset = 25; // signature, class, name and "Lines"
constexpr int64_t TooDeepOffset = FirstListOffset + TReader::MaxDepth - 1;

TEST(ObjectTextTest, NestingPastTheCapFailsWithTheReadersErrorAtEveryDepth) {
    RegisterTestClasses();
    for (int depth : {TReader::MaxDepth, 3700, 30000}) {
        const std::string binary = NestedListDescription("TTestForm", "Lines", depth);
        try {
            ObjectBinaryToText(binary);
            ADD_FAILURE() << "converted at depth " << depth;
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), "Nesting too deep at offset " + std::to_string(TooDeepOffset));
            EXPECT_EQ(e.Offset(), TooDeepOffset);
            EXPECT_EQ(e.Line(), 0);
        }
        // Reading it into components, skipping the unknown property, stops at the same limit.
        TTestForm form(nullptr);
        TStringStream stream(binary);
        TReader reader(stream);
        reader.OnError = [](TReader*, const std::string&, bool& handled) { handled = true; };
        try {
            reader.ReadRootComponent(&form);
            ADD_FAILURE() << "read at depth " << depth;
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), "Error reading Form.Lines at offset 19: Nesting too deep");
            EXPECT_EQ(e.Offset(), 19);
        }
    }
}

TEST(ObjectTextTest, TheDeepestAcceptedNestingReadsBackFromText) {
    const std::string binary = NestedListDescription("TTestForm", "Lines", TReader::MaxDepth - 1);
    const std::string text = ObjectBinaryToText(binary);
    EXPECT_EQ(ObjectTextToBinary(text), binary);
}

// Values and names the text form must carry back to the same bytes.
TEST(ObjectTextTest, EdgeValuesAndKeywordNamesReadBackToTheSameBytes) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Row {
        const char* name;
        std::function<void(TWriter&)> value;
        const char* text; // the property's line
    };
    const Row rows[] = {
        {"Big", [](TWriter& w) { w.WriteInteger(std::numeric_limits<int64_t>::min()); },
         "Big = -9223372036854775808"},
        {"Big", [](TWriter& w) { w.WriteInteger(std::numeric_limits<int64_t>::max()); },
         "Big = 9223372036854775807"},
        {"Single", [](TWriter& w) { w.WriteSingle(static_cast<float>(inf)); }, "Single = INFs"},
        {"Stamp", [](TWriter& w) { w.WriteDate(-inf); }, "Stamp = -INFd"},
        {"Ratio", [](TWriter& w) { w.WriteFloat(inf); }, "Ratio = INF"},
        {"End", [](TWriter& w) { w.WriteInteger(1); }, "End = 1"},
        {"Object.Caption", [](TWriter& w) { w.WriteString("x"); }, "Object.Caption = 'x'"},
        {"Inline", [](TWriter& w) { w.WriteIdent("inherited"); }, "Inline = inherited"},
        {"Inf",
         [](TWriter& w) {
             w.WriteSetNames({"Nan", "end"});
         },
         "Inf = [Nan, end]"},
    };
    for (const Row& row : rows) {
        const std::string binary = OneProperty(row.name, row.value);
        const std::string text = ObjectBinaryToText(binary);
        EXPECT_EQ(text, std::string("object Form: TTestForm\r\n  ") + row.text + "\r\nend\r\n");
        EXPECT_EQ(ObjectTextToBinary(text), binary) << row.text;
    }
    // In a collection item too.
    const std::string items =
        "object Form: TTestForm\r\n  Items = <\r\n    item\r\n      End = 2\r\n"
        "    end>\r\nend\r\n";
    EXPECT_EQ(ObjectBinaryToText(ObjectTextToBinary(items)), items);
}

// What the text form cannot hold is refused rather than written as text that does not read back.
TEST(ObjectTextTest, NamesTheTextCannotHoldAreRefused) {
    auto integer = [](TWriter& w) { w.WriteInteger(1); };
    struct Row {
        std::string binary;
        const char* why;
    };
    const Row rows[] = {
        {OneProperty("Tag", integer, ""), "empty class name"},
        {OneProperty("Tag", integer, "T Form"), "class name with a blank"},
        {OneProperty("Tag", integer, "TForm", "1st"), "object name starting with a digit"},
        {OneProperty("A..B", integer), "empty part of a property path"},
        {OneProperty("Tag:", integer), "property name with a colon"},
        {OneProperty("Shape", [](TWriter& w) { w.WriteIdent("INF"); }), "identifier INF"},
        {OneProperty("Shape", [](TWriter& w) { w.WriteIdent("nans.X"); }), "path from NANs"},
        {OneProperty("Set", [](TWriter& w) { w.WriteSetNames({"a-b"}); }), "set element a-b"},
    };
    for (const Row& row : rows) {
        try {
            std::string text = ObjectBinaryToText(row.binary);
            ADD_FAILURE() << row.why << " written as\n" << text;
        } catch (const EReadError& e) {
            EXPECT_GT(e.Offset(), 4) << row.why;
        }
    }
}

} // namespace
