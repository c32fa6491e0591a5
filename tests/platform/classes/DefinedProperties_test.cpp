// Values a class stores itself (defined properties written with the value-level calls), old
// names it still reads and drops, and properties reached through functions.

#include "Fixtures.h"

#include "platform/classes/ObjectText.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Streaming.h"
#include "platform/classes/Writer.h"

#include <gtest/gtest.h>

namespace {

std::string Crlf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

class TBarPlot : public TComponent {
    Q4_CLASS(TBarPlot, TComponent)
    explicit TBarPlot(TComponent* owner) : TComponent(owner) {}

    static void DeclareProperties(TPropertyList& p) {
        p.AddFn<TBarPlot>(
             "LeftGap", [](TBarPlot* b) { return b->gaps[0]; },
             [](TBarPlot* b, int v) { b->gaps[0] = v; })
            .Default(2);
        p.AddFn<TBarPlot>(
             "RightGap", [](TBarPlot* b) { return b->gaps[1]; },
             [](TBarPlot* b, int v) { b->gaps[1] = v; })
            .Default(2);
        p.AddFn<TBarPlot>("Total", [](TBarPlot* b) { return static_cast<int>(b->sizes.size()); });
    }

    void DefineProperties(TFiler* filer) override {
        TComponent::DefineProperties(filer);
        filer->DefineProperty(
            "BarSizes",
            [this](TReader* r) {
                sizes.clear();
                r->ReadListBegin();
                while (!r->EndOfList())
                    sizes.push_back(r->ReadInteger());
                r->ReadListEnd();
            },
            [this](TWriter* w) {
                w->WriteListBegin();
                for (int s : sizes)
                    w->WriteInteger(s);
                w->WriteListEnd();
            },
            !sizes.empty());
        filer->DefineProperty(
            "Linked",
            [this](TReader* r) {
                r->ReadListBegin();
                while (!r->EndOfList())
                    linked.push_back(r->ReadIdent());
                r->ReadListEnd();
            },
            [this](TWriter* w) {
                w->WriteListBegin();
                for (const auto& name : linked)
                    w->WriteIdent(name);
                w->WriteListEnd();
            },
            !linked.empty());
        // An old name: read and dropped, never written.
        filer->DefineProperty(
            "ShadowColor", [](TReader* r) { r->SkipValue(); }, nullptr, false);
    }

    int gaps[2] = {2, 2};
    std::vector<int> sizes;
    std::vector<std::string> linked;
};

} // namespace

TEST(DefinedPropertiesTest, ValueLevelDataReadsWritesAndSkipsOldNames) {
    RegisterClasses<TBarPlot>();
    const std::string text =
        Crlf("object Plot: TBarPlot\n  RightGap = 7\n  BarSizes = (\n    1\n    -2\n    300000)\n"
             "  Linked = (\n    Panel1\n    Panel2)\n  ShadowColor = clRed\nend\n");
    TBarPlot plot(nullptr);
    ReadComponentDescription(text, &plot);
    EXPECT_EQ(plot.gaps[0], 2);
    EXPECT_EQ(plot.gaps[1], 7);
    EXPECT_EQ(plot.sizes, (std::vector<int>{1, -2, 300000}));
    EXPECT_EQ(plot.linked, (std::vector<std::string>{"Panel1", "Panel2"}));
    EXPECT_EQ(GetPropValue(&plot, "Total"), "3");
    EXPECT_THROW(SetPropValue(&plot, "Total", "1"), EPropertyError);

    // Written back: everything but the dropped old name.
    EXPECT_EQ(ComponentToText(&plot),
              Crlf("object Plot: TBarPlot\n  RightGap = 7\n  BarSizes = (\n    1\n    -2\n"
                   "    300000)\n  Linked = (\n    Panel1\n    Panel2)\nend\n"));

    // Nothing is written for empty data.
    TBarPlot empty(nullptr);
    EXPECT_EQ(ComponentToText(&empty), Crlf("object TBarPlot\nend\n"));
}

TEST(DefinedPropertiesTest, AWrongValueInsideDefinedDataIsAReadingError) {
    RegisterClasses<TBarPlot>();
    TBarPlot plot(nullptr);
    try {
        ReadComponentDescription(Crlf("object Plot: TBarPlot\n  BarSizes = (\n    'x')\nend\n"),
                                 &plot);
        FAIL() << "accepted";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Error reading Plot.BarSizes on line 2: Invalid property value");
    }
}
