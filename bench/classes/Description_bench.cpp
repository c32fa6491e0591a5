// Reading and writing a large form description: thousands of components, each with a handful of
// properties of the usual kinds, a reference to its neighbour and an event.

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/Events.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

Q4_ENUM(TBenchAlign, baNone, baTop, baBottom, baLeft, baRight, baClient);
Q4_ENUM(TBenchAnchor, akLeft, akTop, akRight, akBottom);

class TBenchControl : public TComponent {
    Q4_CLASS(TBenchControl, TComponent)
    explicit TBenchControl(TComponent* owner) : TComponent(owner) {}
    static void DeclareProperties(TPropertyList& p) {
        p.Add("Left", &TBenchControl::left).Default(0);
        p.Add("Top", &TBenchControl::top).Default(0);
        p.Add("Width", &TBenchControl::width).Default(0);
        p.Add("Height", &TBenchControl::height).Default(0);
        p.Add("Caption", &TBenchControl::caption);
        p.Add("Hint", &TBenchControl::hint);
        p.Add("Align", &TBenchControl::align).Default(baNone);
        p.Add("Anchors", &TBenchControl::anchors).Default(TSet<TBenchAnchor>{akLeft, akTop});
        p.Add("Visible", &TBenchControl::visible).Default(true);
        p.Add("Next", &TBenchControl::next);
        p.Add("OnClick", &TBenchControl::onClick);
    }
    int left = 0, top = 0, width = 0, height = 0;
    std::string caption, hint;
    TBenchAlign align = baNone;
    TSet<TBenchAnchor> anchors{akLeft, akTop};
    bool visible = true;
    TBenchControl* next = nullptr;
    TNotifyEvent onClick;
};

class TBenchForm : public TComponent {
    Q4_CLASS(TBenchForm, TComponent)
    explicit TBenchForm(TComponent* owner) : TComponent(owner) {}
    static void DeclareMethods(TMethodTable& m) {
        m.Add("ControlClick", &TBenchForm::ControlClick);
    }
    void ControlClick(TObject*) {}
};

std::string MakeDescription(int count) {
    RegisterClasses<TBenchControl, TBenchForm>();
    TBenchForm form(nullptr);
    form.SetName("BenchForm");
    TBenchControl* previous = nullptr;
    for (int i = 0; i < count; ++i) {
        auto* c = new TBenchControl(&form);
        c->SetName("Control" + std::to_string(i));
        c->left = i % 800;
        c->top = i / 3;
        c->width = 75;
        c->height = 25;
        c->caption = "Кнопка " + std::to_string(i);
        c->hint = i % 4 == 0 ? "Подсказка для элемента" : "";
        c->align = static_cast<TBenchAlign>(i % 6);
        c->anchors = i % 2 ? TSet<TBenchAnchor>{akLeft, akTop, akRight} : c->anchors;
        c->visible = i % 5 != 0;
        if (previous != nullptr)
            previous->next = c; // a reference to a component read later
        SetPropValue(c, "OnClick", "ControlClick");
        previous = c;
    }
    TStringStream out;
    WriteComponentToStream(out, &form);
    return out.DataString();
}

const std::string& Description(int count) {
    static std::string cache[2];
    static int cached[2] = {-1, -1};
    int slot = count > 1000 ? 1 : 0;
    if (cached[slot] != count) {
        cache[slot] = MakeDescription(count);
        cached[slot] = count;
    }
    return cache[slot];
}

void BM_ReadBinary(benchmark::State& state) {
    const std::string& binary = Description(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TBenchForm form(nullptr);
        ReadComponentDescription(binary, &form);
        benchmark::DoNotOptimize(form.ComponentCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(binary.size()));
}
BENCHMARK(BM_ReadBinary)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_ReadText(benchmark::State& state) {
    const std::string text = ObjectBinaryToText(Description(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        TBenchForm form(nullptr);
        ReadComponentDescription(text, &form);
        benchmark::DoNotOptimize(form.ComponentCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadText)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_WriteBinary(benchmark::State& state) {
    TBenchForm form(nullptr);
    ReadComponentDescription(Description(static_cast<int>(state.range(0))), &form);
    for (auto _ : state) {
        TStringStream out;
        WriteComponentToStream(out, &form);
        benchmark::DoNotOptimize(out.Size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteBinary)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_BinaryToText(benchmark::State& state) {
    const std::string& binary = Description(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ObjectBinaryToText(binary));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(binary.size()));
}
BENCHMARK(BM_BinaryToText)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
