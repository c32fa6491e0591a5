#include "Fixtures.h"

#include "platform/classes/ObjectText.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Streaming.h"
#include "platform/classes/Writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>

namespace {

// Text fixtures are written with "\n"; descriptions use CR LF.
std::string Crlf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

// A form that uses every kind of published property, a collection, a string list, defined
// binary data, events, and references in both directions (W1 refers to W2 before W2 exists).
const std::string FormText = Crlf(R"(object Form1: TTestForm
  Tag = 7
  object W1: TTestWidget
    Caption = 'Привет'#13#10'мир ''quoted'''
    Count = 100000
    Small = -300
    Big = 12345678901
    Letter = 'z'
    Enabled = False
    Shape = tsTriangle
    Options = [toItalic, toStrike]
    Ratio = 2.5
    Single = 0.5s
    Price = 12.3456c
    Stamp = 45000.25d
    Title = 'Ω wide'
    Color = clRed
    Pen.Width = 3
    Items = <
      item
        Caption = 'first'
        Value = 1
        Extra = {
          CAFE}
      end
      item
        Caption = 'second'
      end>
    Buddy = W2
    OnClick = ButtonClick
    OnValue = ValueNeeded
    Lines.Strings = (
      'one'
      'two')
    Blob = {
      00FF10}
  end
  object W2: TTestWidget
    Buddy = W1
  end
end
)");

// Value codes that the component writer does not produce from these classes: lists of mixed
// values, nested lists, nil, item indexes, long strings, 64-bit integers, hex.
const std::string ConverterText = Crlf(R"(object Root: TAnything [3]
  A = (
    1
    -129
    40000
    -3000000000
    1.0
    -1e+300
    INF
    'x'
    Ident
    nil
    True
    False
    []
    (
      ()))
  Coll = <
    item [5]
      Sub.Prop = 'y'
    end
    item
    end>
  Empty = <>
  Bin = {}
  Long = 'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa' +
    'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa' +
    'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa' +
    'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa' +
    'bbbbbbbbbb'
  Ref = Other.Button1
  Controls = #1#127'a'#152
  inherited Child: TInherited
  end
  inline Frame: TFrame1
    object Deep: TDeep
    end
  end
end
)");

class StreamingTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestClasses(); }
};

std::string WriteBinary(TComponent* root) {
    TStringStream stream;
    WriteComponentToStream(stream, root);
    return stream.DataString();
}

} // namespace

TEST_F(StreamingTest, TextToBinaryToTextIsIdentical) {
    for (const std::string* text : {&FormText, &ConverterText}) {
        std::string binary = ObjectTextToBinary(*text);
        ASSERT_TRUE(IsBinaryDescription(binary));
        EXPECT_EQ(ObjectBinaryToText(binary), *text);
        // And the binary form survives its own text.
        EXPECT_EQ(ObjectTextToBinary(ObjectBinaryToText(binary)), binary);
    }
}

TEST_F(StreamingTest, BinaryFormUsesTheStoredValueCodes) {
    // A hand-assembled description: signature, header, then one property of each small kind.
    std::string binary = ObjectTextToBinary(Crlf("object A: TX\n  P = 5\n  Q = 'й'\n  R = True\n"
                                                 "  S = 1.0\nend\n"));
    const std::string expected = std::string("TPF0") + "\x02TX" +
                                 "\x01"
                                 "A" +
                                 "\x01P" + "\x02\x05" +     // vaInt8 5
                                 "\x01Q" + "\x06\x01\xE9" + // vaString, Windows-1251
                                 "\x01R" + "\x09" +         // vaTrue
                                 "\x01S" + "\x05" + std::string("\0\0\0\0\0\0\0\x80\xFF\x3F", 10) +
                                 std::string("\0\0", 2); // end of properties, children
    EXPECT_EQ(binary, expected);
}

TEST_F(StreamingTest, ReadingAppliesEveryValueResolvesReferencesAndBindsHandlers) {
    TTestForm form(nullptr);
    ReadComponentDescription(FormText, &form);
    EXPECT_EQ(form.Name(), "Form1");
    EXPECT_EQ(form.Tag(), 7);
    ASSERT_EQ(form.ComponentCount(), 2);
    auto* w1 = static_cast<TTestWidget*>(form.FindComponent("W1"));
    auto* w2 = static_cast<TTestWidget*>(form.FindComponent("W2"));
    ASSERT_NE(w1, nullptr);
    ASSERT_NE(w2, nullptr);
    EXPECT_EQ(w1->caption, "Привет\r\nмир 'quoted'");
    EXPECT_EQ(w1->count, 100000);
    EXPECT_EQ(w1->small, -300);
    EXPECT_EQ(w1->big, 12345678901);
    EXPECT_EQ(w1->letter, 'z');
    EXPECT_FALSE(w1->enabled);
    EXPECT_EQ(w1->shape, tsTriangle);
    EXPECT_EQ(w1->options, (TTestOptions{toItalic, toStrike}));
    EXPECT_EQ(w1->ratio, 2.5);
    EXPECT_EQ(w1->single, 0.5f);
    EXPECT_DOUBLE_EQ(w1->price, 12.3456);
    EXPECT_EQ(w1->stamp, 45000.25);
    EXPECT_EQ(w1->title, u"Ω wide");
    EXPECT_EQ(w1->color, 0x0000FF);
    EXPECT_EQ(w1->pen.width, 3);
    ASSERT_EQ(w1->items.Count(), 2);
    EXPECT_EQ(w1->items.Item<TTestItem>(0)->extra, "\xCA\xFE");
    EXPECT_EQ(w1->items.Item<TTestItem>(1)->caption, "second");
    EXPECT_EQ(w1->lines.Text(), "one\r\ntwo\r\n");
    EXPECT_EQ(w1->blob, std::string("\x00\xFF\x10", 3));
    EXPECT_EQ(w1->buddy, w2);
    EXPECT_EQ(w2->buddy, w1);
    ASSERT_TRUE(w1->onClick);
    w1->onClick(w1);
    EXPECT_EQ(form.clicks, (std::vector<TObject*>{w1}));
    int v = 0;
    w1->onValue(w1, v);
    EXPECT_EQ(v, 42);
    EXPECT_FALSE(form.ComponentState().Contains(csLoading));
    EXPECT_FALSE(w1->ComponentState().Contains(csReading));
}

TEST_F(StreamingTest, SettersSeeTheLoadingStateAndLoadedComesAfterAllReferences) {
    TTestForm form(nullptr);
    ReadComponentDescription(FormText, &form);
    auto* w1 = static_cast<TTestWidget*>(form.FindComponent("W1"));
    auto* w2 = static_cast<TTestWidget*>(form.FindComponent("W2"));
    const std::vector<std::string> expected1 = {"Caption=Привет\r\nмир 'quoted' (loading)",
                                                "Buddy=W2 (loading)", "Loaded W1 buddy=W2"};
    EXPECT_EQ(w1->log, expected1);
    const std::vector<std::string> expected2 = {"Buddy=W1 (loading)", "Loaded W2 buddy=W1"};
    EXPECT_EQ(w2->log, expected2);
}

TEST_F(StreamingTest, WritingStoresOnlyWhatDiffersFromTheDefaults) {
    TTestForm form(nullptr);
    form.SetName("Form1");
    auto* w = new TTestWidget(&form);
    w->SetName("Plain");
    w->hidden = 7; // its stored predicate says no
    w->secret = 5; // never stored
    EXPECT_EQ(ObjectBinaryToText(WriteBinary(&form)),
              Crlf("object Form1: TTestForm\n  object Plain: TTestWidget\n  end\nend\n"));

    w->SetCaption("x");
    w->count = 1;
    w->options = {};
    w->hidden = 3;
    EXPECT_EQ(ObjectBinaryToText(WriteBinary(&form)),
              Crlf("object Form1: TTestForm\n  object Plain: TTestWidget\n    Caption = 'x'\n"
                   "    Count = 1\n    Options = []\n    Hidden = 3\n  end\nend\n"));
}

TEST_F(StreamingTest, ComponentsWriteBackTheDescriptionTheyWereReadFrom) {
    TTestForm form(nullptr);
    ReadComponentDescription(FormText, &form);
    EXPECT_EQ(ComponentToText(&form), FormText);

    // Binary written from components reads into a fresh form that writes the same bytes.
    std::string binary = WriteBinary(&form);
    TTestForm copy(nullptr);
    TStringStream stream(binary);
    ReadComponentFromStream(stream, &copy);
    EXPECT_EQ(stream.Position(), static_cast<int64_t>(binary.size()));
    EXPECT_EQ(WriteBinary(&copy), binary);
}

TEST_F(StreamingTest, ARootIsCreatedByClassNameWhenNoneIsGiven) {
    std::unique_ptr<TComponent> root(ReadComponentDescription(FormText, nullptr));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->ClassName(), "TTestForm");
    EXPECT_EQ(root->ComponentCount(), 2);
}

TEST_F(StreamingTest, OneComponentIsReadAtAnOffsetAndTheStreamLeftJustAfterIt) {
    TTestForm form(nullptr);
    ReadComponentDescription(FormText, &form);
    TMemoryStream stream;
    stream.WriteBytes("HEADER");
    WriteComponentToStream(stream, &form);
    int64_t end = stream.Position();
    stream.WriteBytes("TRAILER");
    stream.SetPosition(6);
    TTestForm again(nullptr);
    TReader reader(stream);
    reader.ReadRootComponent(&again);
    EXPECT_EQ(reader.Position(), end);
    EXPECT_EQ(again.ComponentCount(), 2);
}

TEST_F(StreamingTest, MalformedTextNamesTheLineAndTheCause) {
    struct Row {
        const char* text;
        const char* message;
        int line; // as a typed field; -1 for a class that is not registered
    };
    const Row rows[] = {
        {"object F: TTestForm\n  object X: TNope\n  end\nend\n", "Class TNope not found on line 2",
         -1},
        {"object F: TTestForm\n  object X: TTestWidget\n    Nope = 1\n  end\nend\n",
         "Error reading X.Nope on line 3: Property Nope does not exist", 3},
        {"object F: TTestForm\n  object X: TTestWidget\n    Count = 'text'\n  end\nend\n",
         "Error reading X.Count on line 3: Invalid property value", 3},
        {"object F: TTestForm\n  object X: TTestWidget\n    Shape = tsOval\n  end\nend\n",
         "Error reading X.Shape on line 3: Invalid property value", 3},
        {"object F: TTestForm\n  object X: TTestWidget\n    Small = 70000\n  end\nend\n",
         "Error reading X.Small on line 3: Invalid property value", 3},
        {"object F: TTestForm\n  object X: TTestWidget\n    OnClick = Gone\n  end\nend\n",
         "Error reading X.OnClick on line 3: Method Gone not found", 3},
        {"object F: TTestForm\n  object X: TTestWidget\n  end\n  object x: TTestWidget\n  "
         "end\nend\n",
         "A component named x already exists on line 4", 4},
        {"object F: TTestForm\n  object X: TTestWidget\n    Caption = 'open\n  end\nend\n",
         "Unterminated string on line 3", 3},
        {"object F: TTestForm\n  object X: TTestWidget\n    Count = \n",
         "Invalid property value on line 4", 4},
        {"object F: TTestForm\n  Tag = 1\n", "'end' expected on line 3", 3},
        {"object F: TTestForm\n  Blob = {0F1}\nend\n", "Invalid binary value on line 2", 2},
        {"thing F: TTestForm\nend\n", "'object' expected on line 1", 1},
    };
    for (const Row& row : rows) {
        TTestForm form(nullptr);
        try {
            ReadComponentDescription(Crlf(row.text), &form);
            ADD_FAILURE() << "accepted: " << row.text;
        } catch (const EStreamError& e) {
            EXPECT_EQ(e.Message(), row.message) << row.text;
            const auto* read = dynamic_cast<const EReadError*>(&e);
            EXPECT_EQ(read != nullptr ? read->Line() : -1, row.line) << row.text;
        }
        // A failed read leaves none of the components it created behind.
        EXPECT_EQ(form.ComponentCount(), 0) << row.text;
        EXPECT_FALSE(form.ComponentState().Contains(csLoading));
    }
}

TEST_F(StreamingTest, MalformedBinaryNamesTheOffset) {
    std::string binary = ObjectTextToBinary(FormText);
    std::string badCode = binary;
    badCode[binary.find("Tag") + 3] = '\x7F';
    std::string badSignature = binary;
    badSignature[0] = 'X';
    struct Row {
        std::string bytes;
        const char* message;
        int64_t offset;
    };
    const Row rows[] = {
        {badCode, "Error reading Form1.Tag at offset 20: Invalid stream format", 20},
        {badSignature, "Invalid stream format at offset 4", 4},
        {binary.substr(0, 10), "Invalid stream format at offset 5", 5},
        {binary.substr(0, 3), "Stream read error at offset 0", 0},
    };
    for (const Row& row : rows) {
        TTestForm form(nullptr);
        TStringStream stream(row.bytes);
        try {
            TReader(stream).ReadRootComponent(&form);
            ADD_FAILURE() << "accepted";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), row.message);
            EXPECT_EQ(e.Offset(), row.offset);
            EXPECT_EQ(e.Line(), 0);
        }
    }
}

TEST_F(StreamingTest, EveryTruncationFailsCleanly) {
    std::string binary = ObjectTextToBinary(FormText);
    for (size_t length = 0; length < binary.size(); ++length) {
        TTestForm form(nullptr);
        TStringStream stream(binary.substr(0, length));
        EXPECT_THROW(TReader(stream).ReadRootComponent(&form), EStreamError) << length;
        EXPECT_EQ(form.ComponentCount(), 0) << length;
    }
}

TEST_F(StreamingTest, AnErrorHandlerMaySkipUnknownProperties) {
    std::string binary = ObjectTextToBinary(Crlf(
        "object F: TTestForm\n  object X: TTestWidget\n    Retired = (\n      1\n      'two')\n"
        "    Count = 4\n  end\nend\n"));
    TTestForm form(nullptr);
    TStringStream stream(binary);
    TReader reader(stream);
    std::vector<std::string> skipped;
    reader.OnError = [&](TReader*, const std::string& message, bool& handled) {
        skipped.push_back(message);
        handled = true;
    };
    reader.ReadRootComponent(&form);
    EXPECT_EQ(skipped, (std::vector<std::string>{"Property Retired does not exist"}));
    EXPECT_EQ(static_cast<TTestWidget*>(form.FindComponent("X"))->count, 4);
}

TEST_F(StreamingTest, InheritedObjectsAreMatchedByNameAndDescendantsStoreDifferences) {
    TTestForm ancestor(nullptr);
    ReadComponentDescription(FormText, &ancestor);

    // The descendant starts as the ancestor, then reads its own differences.
    TTestForm descendant(nullptr);
    ReadComponentDescription(FormText, &descendant);
    ReadComponentDescription(Crlf("inherited Form1: TTestForm\n  inherited W1: TTestWidget\n"
                                  "    Count = 5\n  end\n  object W3: TTestWidget\n"
                                  "    Buddy = W1\n  end\nend\n"),
                             &descendant);
    ASSERT_EQ(descendant.ComponentCount(), 3);
    auto* w1 = static_cast<TTestWidget*>(descendant.FindComponent("W1"));
    EXPECT_EQ(w1->count, 5);
    EXPECT_EQ(w1->caption, "Привет\r\nмир 'quoted'"); // kept from the ancestor
    EXPECT_EQ(static_cast<TTestWidget*>(descendant.FindComponent("W3"))->buddy, w1);

    TStringStream stream;
    {
        TWriter writer(stream);
        writer.WriteDescendent(&descendant, &ancestor);
    }
    EXPECT_EQ(ObjectBinaryToText(stream.DataString()),
              Crlf("inherited Form1: TTestForm\n  inherited W1: TTestWidget\n    Count = 5\n  end\n"
                   "  inherited W2: TTestWidget\n  end\n  object W3: TTestWidget\n"
                   "    Buddy = W1\n  end\nend\n"));

    const std::string missing = Crlf("object Form1: TTestForm\n  inherited Gone: TTestWidget\n"
                                     "  end\nend\n");
    EXPECT_THROW(ReadComponentDescription(missing, &descendant), EReadError);
}

TEST_F(StreamingTest, ReferencesIntoAnotherRootWaitUntilItIsLoaded) {
    TTestForm other(nullptr);
    std::vector<TComponent*> roots = {&other};
    RegisterFindGlobalComponentProc([&roots](std::string_view name) -> TComponent* {
        for (TComponent* r : roots)
            if (SameIdent(r->Name(), name))
                return r;
        return nullptr;
    });
    TTestForm form(nullptr);
    ReadComponentDescription(Crlf("object Main: TTestForm\n  object W: TTestWidget\n"
                                  "    Buddy = Other.Target\n  end\nend\n"),
                             &form);
    auto* w = static_cast<TTestWidget*>(form.FindComponent("W"));
    EXPECT_EQ(w->buddy, nullptr); // "Other" holds no Target yet

    ReadComponentDescription(Crlf("object Other: TTestForm\n  object Target: TTestWidget\n"
                                  "  end\nend\n"),
                             &other);
    EXPECT_EQ(w->buddy, other.FindComponent("Target"));
    EXPECT_EQ(w->log.back(), "Buddy=Target"); // set outside the loading state
    EXPECT_EQ(ComponentToText(&form),
              Crlf("object Main: TTestForm\n  object W: TTestWidget\n    Buddy = Other.Target\n"
                   "  end\nend\n"));

    // A component freed while its reference still waits takes the waiting reference with it.
    {
        TTestForm early(nullptr);
        ReadComponentDescription(Crlf("object Early: TTestForm\n  object W: TTestWidget\n"
                                      "    Buddy = Other.Later\n  end\nend\n"),
                                 &early);
    }
    ReadComponentDescription(Crlf("object Other: TTestForm\n  object Later: TTestWidget\n"
                                  "  end\nend\n"),
                             &other);
    EXPECT_NE(other.FindComponent("Later"), nullptr);
    ClearFindGlobalComponentProcs();
}

TEST(ExtendedFloatTest, DoublesSurviveTheTenByteForm) {
    const double values[] = {0.0,
                             -0.0,
                             1.0,
                             -2.5,
                             0.1,
                             1e300,
                             -1e-300,
                             4.9e-324,
                             1.7976931348623157e308,
                             45000.25,
                             std::numeric_limits<double>::infinity()};
    for (double v : values) {
        uint8_t raw[10];
        DoubleToExtended(v, raw);
        double back = ExtendedToDouble(raw);
        EXPECT_EQ(std::memcmp(&back, &v, sizeof v), 0) << v;
    }
    uint8_t raw[10];
    DoubleToExtended(1.0, raw);
    const uint8_t one[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
    EXPECT_EQ(std::memcmp(raw, one, 10), 0);
    DoubleToExtended(std::nan(""), raw);
    EXPECT_TRUE(std::isnan(ExtendedToDouble(raw)));
    // Extended values beyond double's range become infinities, tiny ones zero.
    const uint8_t huge[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F - 1};
    EXPECT_TRUE(std::isinf(ExtendedToDouble(huge)));
    const uint8_t tiny[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x00};
    EXPECT_EQ(ExtendedToDouble(tiny), 0.0);
}

// A decoder written in Python from the format's description alone reads our binary output,
// sees the values we meant, and encodes the same bytes again.
TEST_F(StreamingTest, AnIndependentDecoderReadsAndReencodesOurBinary) {
    if (std::FILE* probe = std::fopen("/usr/bin/python3", "r"))
        std::fclose(probe);
    else
        GTEST_SKIP() << "no /usr/bin/python3";
    const std::string script = Q4_SOURCE_DIR "/tests/platform/classes/data/binform.py";
    int round = 0;
    for (const std::string* text : {&FormText, &ConverterText}) {
        const std::string in = ::testing::TempDir() + "binform_in" + std::to_string(round);
        const std::string out = ::testing::TempDir() + "binform_out" + std::to_string(round++);
        const std::string binary = ObjectTextToBinary(*text);
        std::ofstream(in, std::ios::binary) << binary;
        std::string command =
            "PYTHONIOENCODING=utf-8 /usr/bin/python3 " + script + " " + in + " " + out;
        std::FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string dump;
        char buffer[4096];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            dump.append(buffer, n);
        ASSERT_EQ(pclose(pipe), 0) << dump;
        std::ifstream result(out, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(result), {}), binary);
        if (text != &FormText)
            continue;
        for (const char* line :
             {"Form1/W1.Count = int32 100000\n", "Form1/W1.Small = int16 -300\n",
              "Form1/W1.Big = int64 12345678901\n", "Form1/W1.Enabled = false\n",
              "Form1/W1.Options = set toItalic,toStrike\n", "Form1/W1.Ratio = extended 2.5\n",
              "Form1/W1.Single = single 0.5\n", "Form1/W1.Price = currency 123456\n",
              "Form1/W1.Stamp = date 45000.25\n", "Form1/W1.Title = wstring Ω wide\n",
              "Form1/W1.Color = ident clRed\n", "Form1/W1.Items = collection 2 items\n",
              "Form1/W1.Lines.Strings = list [string one; string two]\n",
              "Form1/W1.Blob = binary 00FF10\n", "Form1/W2.Buddy = ident W1\n"})
            EXPECT_NE(dump.find(line), std::string::npos) << line << dump;
    }
}
