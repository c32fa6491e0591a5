#include "spreadsheet/charts/ChartSerie.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/drawing/ChartRecords.h"
#include "spreadsheet/drawing/ChartTemplates.h"
#include "spreadsheet/formulas/EncodeFormula.h"
#include "spreadsheet/formulas/FormulaHandler.h"
#include "spreadsheet/records/BIFFStream.h"

#include <algorithm>

namespace {

// Reference class for the tokens of a chart's formulas.
constexpr uint8_t kReferenceClass = 0x20;

[[noreturn]] void NoData() {
    throw Exception("Property has no data");
}

// The cells of the area a formula is made of, or 0 when it is no single area.
int AreaCells(const std::vector<uint8_t>& t) {
    const auto word = [&](size_t at) { return t[at] | t[at + 1] << 8; };
    if (t.empty())
        return 0;
    const uint8_t ptg = static_cast<uint8_t>(t[0] & 0x9F);
    size_t at;
    if (ptg == 0x05 && t.size() == 9)
        at = 1;
    else if (ptg == 0x1B && t.size() == 11)
        at = 3;
    else
        return 0;
    const int rows = word(at + 2) - word(at) + 1;
    const int cols = (word(at + 6) & 0x3FFF) - (word(at + 4) & 0x3FFF) + 1;
    return rows > 0 && cols > 0 ? rows * cols : 0;
}

struct TGeometryBody {
    TSerieItemGeomtery Value;
    uint16_t Body;
};

constexpr TGeometryBody kGeometries[] = {
    {sigDefault, 0},          {sigCylinder, 1}, {sigPyramid, 256},
    {sigChoppedPyramid, 512}, {sigCone, 257},   {sigChoppedCone, 513},
};

} // namespace

std::u16string SeriesTextOf(const std::vector<uint8_t>& body) {
    if (body.size() < 4)
        return {};
    const size_t count = body[2];
    const bool wide = body[3] == 1;
    std::u16string text;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = 4 + (wide ? 2 * i : i);
        if (at + (wide ? 2 : 1) > body.size())
            break;
        text += wide ? static_cast<char16_t>(body[at] | body[at + 1] << 8)
                     : static_cast<char16_t>(body[at]);
    }
    return text;
}

std::vector<uint8_t> SeriesTextBody(const std::u16string& text) {
    const size_t count = std::min<size_t>(text.size(), kMaxSerieNameLength);
    std::vector<uint8_t> body = {0, 0, static_cast<uint8_t>(count), 1};
    for (size_t i = 0; i < count; ++i) {
        body.push_back(static_cast<uint8_t>(text[i]));
        body.push_back(static_cast<uint8_t>(text[i] >> 8));
    }
    return body;
}

TXLSChartSerie::TXLSChartSerie(TCollection* collection)
    : TCollectionItem(collection), defDataPoint_(std::make_unique<TDataPoint>()),
      dataPoints_(std::make_unique<TDataPoints>(this)) {}

TXLSChartSerie::~TXLSChartSerie() = default;

TFormulaHandler* TXLSChartSerie::Handler() const {
    auto* series = dynamic_cast<TXLSChartSeries*>(Collection());
    return series ? series->Handler : nullptr;
}

void TXLSChartSerie::AttachRecords(TChartRecord* series) {
    series_ = series;
    std::fill(std::begin(ai_), std::end(ai_), -1);
    dataPoints_->Clear();
    barShape_ = nullptr;
    if (!series)
        return;
    for (int i = 0; i < series->Count(); ++i) {
        TChartRecord& r = series->Items(i);
        if (r.Id == crDATAFORMAT && r.Word(0) == 0xFFFF) {
            if (!r.Children.empty() && r.Children.front()->Id == cr3DBARSHAPE)
                barShape_ = r.Children.front().get();
            defDataPoint_->AttachRecords(&r);
        } else if (r.Id == crDATAFORMAT) {
            dataPoints_->Add()->AttachRecords(&r);
        } else if (r.Id == crAI && !r.Body.empty() && r.Body[0] < aiCount) {
            ai_[r.Body[0]] = i;
        }
    }
}

TChartRecord& TXLSChartSerie::Ai(TAiKind kind) const {
    if (!series_ || ai_[kind] < 0 || ai_[kind] >= series_->Count())
        NoData();
    return series_->Items(ai_[kind]);
}

std::u16string TXLSChartSerie::Formula(TAiKind kind) const {
    const TChartRecord& ai = Ai(kind);
    const int length = std::min<int>(ai.Word(6), static_cast<int>(ai.Body.size()) - 8);
    if (length <= 0 || !Handler())
        return {};
    return Handler()->DecodeFormula(ai.Body.data() + 8, length);
}

void TXLSChartSerie::SetFormula(TAiKind kind, const std::u16string& text) {
    TChartRecord& ai = Ai(kind);
    std::vector<uint8_t> tokens;
    // The AI body (8 bytes and the tokens) must fit one record: a chart's records have no
    // continuation records.
    if (!text.empty() && Handler())
        tokens = Handler()->Encoder().Compile(text, kReferenceClass, Handler()->FormulaVersion(),
                                              kRecordPartSize - 8);
    ai.Body.resize(8 + tokens.size());
    std::copy(tokens.begin(), tokens.end(), ai.Body.begin() + 8);
    ai.SetWord(6, static_cast<uint16_t>(tokens.size()));
    ai.Body[1] = tokens.empty() ? 1 : 2;
    if (kind == aiValues)
        if (const int cells = AreaCells(tokens); cells > 0)
            series_->SetWord(6, static_cast<uint16_t>(std::min(cells, 0xFFFF)));
}

std::u16string TXLSChartSerie::Values() const {
    return Formula(aiValues);
}
void TXLSChartSerie::SetValues(const std::u16string& text) {
    SetFormula(aiValues, text);
}
std::u16string TXLSChartSerie::Values2() const {
    return Formula(aiValues2);
}
void TXLSChartSerie::SetValues2(const std::u16string& text) {
    SetFormula(aiValues2, text);
}
std::u16string TXLSChartSerie::Category() const {
    return Formula(aiCategory);
}
void TXLSChartSerie::SetCategory(const std::u16string& text) {
    SetFormula(aiCategory, text);
}

std::u16string TXLSChartSerie::SerieName() const {
    const TChartRecord& ai = Ai(aiName);
    if (ai.Body.size() >= 2 && ai.Body[1] == 1) {
        const int next = ai_[aiName] + 1;
        if (next >= series_->Count() || series_->Items(next).Id != crSERIESTEXT)
            return {};
        const std::u16string text = SeriesTextOf(series_->Items(next).Body);
        return text.empty() ? text : u"\"" + text + u"\"";
    }
    const int length = std::min<int>(ai.Word(6), static_cast<int>(ai.Body.size()) - 8);
    if (length <= 0 || !Handler())
        return {};
    const std::vector<uint8_t> tokens(ai.Body.begin() + 8, ai.Body.begin() + 8 + length);
    TFormulaValue result;
    auto* series = static_cast<TXLSChartSeries*>(Collection());
    Handler()->CalcFormula(tokens, 0, result, series->CalcSheet(), 0);
    return result.Kind == fvString ? result.Text : std::u16string();
}

void TXLSChartSerie::SetNameText(std::u16string text) {
    TChartRecord& ai = Ai(aiName);
    const int at = ai_[aiName];
    if (at + 1 >= series_->Count())
        return; // the name's AI is the series' last record: nowhere to put a text
    text.erase(0, 1);
    if (!text.empty() && text.back() == u'"')
        text.pop_back();
    TChartRecord& next = series_->Items(at + 1);
    if (next.Id == crSERIESTEXT) {
        next.Body = SeriesTextBody(text);
    } else {
        series_->Insert(at + 1, crSERIESTEXT, SeriesTextBody(text));
        for (int& position : ai_)
            if (position > at)
                ++position;
    }
    if (ai.Body.size() >= 2)
        ai.Body[1] = 1;
}

void TXLSChartSerie::SetSerieName(const std::u16string& text) {
    if (!text.empty() && text.front() == u'"')
        SetNameText(text);
    else
        SetFormula(aiName, text);
}

TSerieItemGeomtery TXLSChartSerie::Geomtery() const {
    if (!barShape_)
        return sigDefault;
    for (const TGeometryBody& g : kGeometries)
        if (g.Body == barShape_->Word(0))
            return g.Value;
    return sigDefault;
}

void TXLSChartSerie::SetGeomtery(TSerieItemGeomtery value) {
    if (!barShape_)
        return;
    for (const TGeometryBody& g : kGeometries)
        if (g.Value == value) {
            if (barShape_->Body.size() < 2)
                barShape_->Body.resize(2);
            barShape_->SetWord(0, g.Body);
        }
}

bool TXLSChartSerie::HasDefDataPoint() const {
    return defDataPoint_->Record && defDataPoint_->Record->Count() > 2;
}

void TXLSChartSerie::SetHasDefDataPoint(bool value) {
    // False leaves the records: removing them is not defined.
    if (!value || HasDefDataPoint())
        return;
    TChartRecord* dataFormat = defDataPoint_->Record;
    if (!dataFormat)
        NoData();
    TXFonts* fonts = dataFormat->TreeOwner() ? dataFormat->TreeOwner()->ChartFonts() : nullptr;
    InsertTemplate(*dataFormat, ctDefDataPoint, fonts);
    defDataPoint_->AttachRecords(dataFormat);
}

void TXLSChartSerie::DeclareProperties(TPropertyList& p) {
    using T = TXLSChartSerie;
    p.AddFn<T>(
        "Values", [](T* t) { return t->Values(); },
        [](T* t, std::u16string v) { t->SetValues(v); });
    p.AddFn<T>(
        "Values2", [](T* t) { return t->Values2(); },
        [](T* t, std::u16string v) { t->SetValues2(v); });
    p.AddFn<T>(
        "Category", [](T* t) { return t->Category(); },
        [](T* t, std::u16string v) { t->SetCategory(v); });
    p.AddFn<T>(
        "SerieName", [](T* t) { return t->SerieName(); },
        [](T* t, std::u16string v) { t->SetSerieName(v); });
    p.AddFn<T>("DataPoints", [](T* t) { return &t->DataPoints(); });
    p.AddFn<T>("DefDataPoint", [](T* t) { return &t->DefDataPoint(); });
    p.AddFn<T>(
        "HasDefDataPoint", [](T* t) { return t->HasDefDataPoint(); },
        [](T* t, bool v) { t->SetHasDefDataPoint(v); });
    p.AddFn<T>(
        "Geomtery", [](T* t) { return t->Geomtery(); },
        [](T* t, TSerieItemGeomtery v) { t->SetGeomtery(v); });
}

void TChartLabel::AttachRecords(TChartRecord* text) {
    Text = text;
    SeriesText = xlschart::TRecordObject::FindChild(text, crSERIESTEXT);
    ObjectLink = xlschart::TRecordObject::FindChild(text, crOBJECTLINK);
    Pos = xlschart::TRecordObject::FindChild(text, crPOS);
    Ai = xlschart::TRecordObject::FindChild(text, crAI);
}
