#include "platform/rtl/Classes.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::string> Lines(const TStrings& s) {
    return s.ToVector();
}
using V = std::vector<std::string>;

// Records what joins and leaves the list.
class TRecordingList : public TList {
public:
    std::vector<std::pair<void*, TListNotification>> log;

protected:
    void Notify(void* item, TListNotification action) override { log.emplace_back(item, action); }
};

TObject* Obj(intptr_t n) {
    return reinterpret_cast<TObject*>(n);
}

} // namespace

TEST(List, EditsNotifyAndCheckIndexes) {
    int a = 1, b = 2, c = 3;
    {
        TRecordingList list;
        list.Add(&a);
        list.Add(nullptr);
        list.Insert(0, &b);
        EXPECT_EQ(list.Count(), 3);
        EXPECT_EQ(list[0], &b);
        EXPECT_EQ(list.IndexOf(&a), 1);
        list.Pack();
        EXPECT_EQ(list.Count(), 2);
        EXPECT_EQ(list.Extract(&b), &b);
        EXPECT_EQ(list.Extract(&c), nullptr);
        list.Add(&c);
        EXPECT_EQ(list.Remove(&a), 0);
        EXPECT_EQ(list.Remove(&a), -1);
        try {
            list.Get(5);
            FAIL();
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (5)");
        }
        EXPECT_THROW(list.Insert(3, &a), EListError);
        EXPECT_THROW(list.Delete(-1), EListError);
        const std::vector<std::pair<void*, TListNotification>> want = {
            {&a, lnAdded}, {&b, lnAdded}, {&b, lnExtracted}, {&c, lnAdded}, {&a, lnDeleted}};
        EXPECT_EQ(list.log, want);
    }

    TList list;
    int values[] = {5, 1, 4, 2};
    for (int& v : values)
        list.Add(&v);
    list.Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
    EXPECT_EQ(*static_cast<int*>(list.First()), 1);
    EXPECT_EQ(*static_cast<int*>(list.Last()), 5);
    list.Move(0, 3);
    EXPECT_EQ(*static_cast<int*>(list[3]), 1);
    list.Exchange(0, 3);
    EXPECT_EQ(*static_cast<int*>(list[0]), 1);
}

TEST(StringList, EditingAndIndexErrors) {
    TStringList s;
    s.Add("b");
    s.Add("c");
    s.Insert(0, "a");
    s.AddObject("d", Obj(4));
    EXPECT_EQ(Lines(s), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(s.Objects(3), Obj(4));
    s.Move(3, 0);
    EXPECT_EQ(Lines(s), (V{"d", "a", "b", "c"}));
    EXPECT_EQ(s.Objects(0), Obj(4)); // the object travels with its string
    s.Exchange(0, 3);
    EXPECT_EQ(s.Objects(3), Obj(4));
    EXPECT_EQ(s.IndexOf("B"), 2); // case-insensitive by default
    EXPECT_EQ(s.IndexOfObject(Obj(4)), 3);
    s.Delete(0);
    EXPECT_EQ(Lines(s), (V{"a", "b", "d"}));
    try {
        s.Get(3);
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }
    EXPECT_THROW(s.Insert(4, "x"), EListError);
    EXPECT_THROW(s.Delete(-1), EListError);
    EXPECT_NO_THROW(s.Insert(3, "end"));
}

TEST(StringList, NameValuePairs) {
    TStringList s;
    s.SetText("Port=COM1\nrate=19200\nno separator\n=empty name");
    EXPECT_EQ(s.Names(0), "Port");
    EXPECT_EQ(s.Names(2), "");
    EXPECT_EQ(s.Values("PORT"), "COM1");
    EXPECT_EQ(s.Values("missing"), "");
    EXPECT_EQ(s.ValueFromIndex(2), "");
    EXPECT_EQ(s.ValueFromIndex(3), "empty name");
    s.SetValue("rate", "115200");
    EXPECT_EQ(s[1], "rate=115200");
    s.SetValue("new", "1");
    EXPECT_EQ(s[4], "new=1");
    s.SetValue("port", ""); // an empty value removes the line
    EXPECT_EQ(s.IndexOfName("Port"), -1);
    EXPECT_EQ(s.Count(), 4);

    s.Clear();
    s.SetNameValueSeparator(':');
    s.Add("a:1=2");
    EXPECT_EQ(s.Names(0), "a");
    EXPECT_EQ(s.Values("a"), "1=2");
}

TEST(StringList, TextUsesCrLfAndReadsEveryLineBreak) {
    TStringList s;
    s.SetText("one\r\ntwo\nthree\rfour");
    EXPECT_EQ(Lines(s), (V{"one", "two", "three", "four"}));
    EXPECT_EQ(s.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
    s.SetText("a\r\n\r\nb\r\n");
    EXPECT_EQ(Lines(s), (V{"a", "", "b"}));
    s.SetText("");
    EXPECT_EQ(s.Count(), 0);
    EXPECT_EQ(s.Text(), "");
    s.SetText(std::string("x\0y", 3)); // a NUL does not end the text
    EXPECT_EQ(s[0].size(), 3u);
    s.SetLineBreak("\n");
    s.SetText("p\r\nq");
    EXPECT_EQ(s.Text(), "p\nq\n");
}

TEST(StringList, CommaTextBothWays) {
    struct Case {
        V lines;
        std::string text;
    };
    const Case cases[] = {
        {{"a", "b", "c"}, "a,b,c"},
        {{"a b", "c"}, "\"a b\",c"},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"x,y"}, "\"x,y\""},
        {{""}, "\"\""},
        {{"a", "", "b"}, "a,,b"},
        {{}, ""},
    };
    for (const Case& c : cases) {
        TStringList s;
        s.AddStrings(c.lines);
        EXPECT_EQ(s.CommaText(), c.text);
        TStringList back;
        back.SetCommaText(c.text);
        EXPECT_EQ(Lines(back), c.lines) << c.text;
    }
    // Reading: blanks separate items too, and a trailing comma adds an empty item.
    const std::pair<std::string, V> reads[] = {
        {"a b,c", {"a", "b", "c"}},           {"  a ,  b  ", {"a", "b"}},        {"a,", {"a", ""}},
        {"\"unterminated", {"unterminated"}}, {"\"ab\"cd,e", {"ab", "cd", "e"}},
    };
    for (const auto& [text, lines] : reads) {
        TStringList s;
        s.SetCommaText(text);
        EXPECT_EQ(Lines(s), lines) << text;
    }
}

TEST(StringList, DelimitedTextWithOwnDelimiterAndStrictMode) {
    TStringList s;
    s.SetDelimiter(';');
    s.SetQuoteChar('\'');
    s.SetDelimitedText("COM9=/dev/pts/5;COM10=/dev/ttyUSB0; x y");
    EXPECT_EQ(Lines(s), (V{"COM9=/dev/pts/5", "COM10=/dev/ttyUSB0", "x", "y"}));
    s.SetStrictDelimiter(true);
    s.SetDelimitedText("a b; c ;'d;e'");
    EXPECT_EQ(Lines(s), (V{"a b", " c ", "d;e"}));
    EXPECT_EQ(s.DelimitedText(), "a b; c ;'d;e'");
}

TEST(StringList, SortedListsAndDuplicates) {
    TStringList s;
    s.SetSorted(true);
    for (const char* w : {"pear", "Apple", "fig", "apple"})
        s.Add(w);
    EXPECT_EQ(Lines(s), (V{"Apple", "fig", "pear"})); // dupIgnore, case-insensitive
    int index = -1;
    EXPECT_TRUE(s.Find("FIG", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(s.Find("grape", index));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(s.IndexOf("PEAR"), 2);
    EXPECT_THROW(s.Insert(0, "x"), EStringListError);
    try {
        s.Put(0, "x");
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "Operation not allowed on sorted list");
    }

    s.AddObject("PEAR", Obj(7)); // ignored duplicate: the existing line keeps its object
    EXPECT_EQ(s.Objects(2), nullptr);
    EXPECT_EQ(s.Count(), 3);

    s.SetDuplicates(dupError);
    try {
        s.Add("FIG");
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "String list does not allow duplicates");
    }
    EXPECT_EQ(s.Count(), 3);
    s.SetDuplicates(dupAccept);
    s.Add("Fig");
    EXPECT_EQ(s.Count(), 4);

    s.SetCaseSensitive(true);
    s.Add("apple");
    // Case-sensitive order is code point order: capitals first.
    EXPECT_EQ(Lines(s), (V{"Apple", "Fig", "apple", "fig", "pear"}));
    EXPECT_EQ(s.IndexOf("apple"), 2);
    EXPECT_EQ(s.IndexOf("APPLE"), -1);

    // Cyrillic sorts and matches without case too.
    TStringList ru;
    ru.SetSorted(true);
    ru.Add("Яблоко");
    ru.Add("арбуз");
    ru.Add("Банан");
    EXPECT_EQ(Lines(ru), (V{"арбуз", "Банан", "Яблоко"}));
    EXPECT_EQ(ru.IndexOf("БАНАН"), 1);

    // Punctuation sorts before digits and letters, as the desktop's text comparison has it.
    TStringList mixed;
    mixed.SetSorted(true);
    for (const char* w :
         {"b", "_a", "жук", "[x", "Z", "Ёлка", "\\y", "]", "a1", "^", "aa", "еж", "a_", "10", "ёж"})
        mixed.Add(w);
    EXPECT_EQ(Lines(mixed), (V{"[x", "\\y", "]", "^", "_a", "10", "a_", "a1", "aa", "b", "Z", "еж",
                               "ёж", "Ёлка", "жук"}));
    EXPECT_EQ(mixed.IndexOf("_A"), 4);
    EXPECT_EQ(mixed.IndexOf("ЁЖ"), 12);
}

TEST(StringList, SortKeepsObjectsAndCustomSort) {
    TStringList s;
    s.AddObject("10", Obj(10));
    s.AddObject("9", Obj(9));
    s.AddObject("100", Obj(100));
    s.Sort();
    EXPECT_EQ(Lines(s), (V{"10", "100", "9"}));
    EXPECT_EQ(s.Objects(2), Obj(9));
    s.CustomSort([](TStringList& l, int a, int b) { return std::stoi(l[a]) - std::stoi(l[b]); });
    EXPECT_EQ(Lines(s), (V{"9", "10", "100"}));
    EXPECT_EQ(s.Objects(0), Obj(9));
}

TEST(StringList, ChangeEventsAndUpdates) {
    TStringList s;
    int changing = 0, changed = 0;
    s.OnChanging = [&](TObject*) { ++changing; };
    s.OnChange = [&](TObject*) { ++changed; };
    s.Add("a");
    s.Add("b");
    s.Delete(0);
    EXPECT_EQ(changing, 3);
    EXPECT_EQ(changed, 3);
    s.BeginUpdate();
    s.Add("c");
    s.SetText("x\ny\nz");
    s.BeginUpdate();
    s.Clear();
    s.EndUpdate();
    EXPECT_EQ(changed, 3); // nothing while updating
    s.EndUpdate();
    EXPECT_EQ(changing, 4);
    EXPECT_EQ(changed, 4);
    s.Clear(); // already empty: no event
    EXPECT_EQ(changed, 4);

    TStringList copy;
    copy.SetDelimiter(';');
    s.SetText("p=1\nq=2");
    s.SetNameValueSeparator('=');
    copy.Assign(s);
    EXPECT_TRUE(copy.Equals(s));
    EXPECT_EQ(copy.Delimiter(), ',');
}

TEST(StringList, FilesWithEncodings) {
    const std::string utf8 = "Привет\r\nмир";
    TStringList s;
    s.SetText(utf8);

    TMemoryStream cp;
    s.SaveToStream(cp, &TEncoding::CP1251());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(cp.Memory()), cp.Size()),
              "\xCF\xF0\xE8\xE2\xE5\xF2\r\n\xEC\xE8\xF0\r\n");
    cp.SetPosition(0);
    TStringList back;
    back.LoadFromStream(cp, &TEncoding::CP1251());
    EXPECT_EQ(Lines(back), (V{"Привет", "мир"}));
    cp.SetPosition(0);
    back.LoadFromStream(cp); // not valid UTF-8: read as Windows-1251
    EXPECT_EQ(Lines(back), (V{"Привет", "мир"}));

    TMemoryStream u;
    s.SaveToStream(u, &TEncoding::UTF8());
    EXPECT_EQ(u.Memory()[0], 0xEF); // the mark comes first
    u.SetPosition(0);
    back.LoadFromStream(u);
    EXPECT_EQ(back[0], "Привет"); // mark recognised and dropped

    TStringStream plain("a\nb");
    back.LoadFromStream(plain);
    EXPECT_EQ(Lines(back), (V{"a", "b"}));
}
