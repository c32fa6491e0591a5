#include "chart/core/ChartElement.h"

#include "platform/classes/Filer.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Writer.h"

// ---- TCustomChartElement ------------------------------------------------------------------------

TCustomChartElement::TCustomChartElement(TComponent* owner) : TComponent(owner) {
    brush_ = std::make_unique<TChartBrush>([this](TObject* sender) { ChildChanged(sender); });
    pen_ = std::make_unique<TChartPen>([this](TObject* sender) { ChildChanged(sender); });
}

TCustomChartElement::~TCustomChartElement() {
    pen_.reset();
    brush_.reset();
    // Descendants detach themselves while they are whole; here only the field is left.
    parentChart_ = nullptr;
}

void TCustomChartElement::DeclareProperties(TPropertyList& p) {
    using E = TCustomChartElement;
    p.Add("ShowInEditor", &E::ShowInEditor, &E::SetShowInEditor).Default(true);
}

void TCustomChartElement::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCustomChartElement*>(source)) {
        active_ = other->active_;
        brush_->Assign(other->brush_.get());
        SetPen(other->pen_.get());
        SetTag(other->Tag());
        return;
    }
    TComponent::Assign(source);
}

void TCustomChartElement::SetActive(bool value) {
    SetField(active_, value);
}

void TCustomChartElement::ChildChanged(TObject*) {
    Repaint();
}

void TCustomChartElement::Repaint() {
    if (parentChart_)
        parentChart_->Invalidate();
}

TComponent* TCustomChartElement::GetParentComponent() const {
    return parentChart_ ? parentChart_->ChartComponent() : nullptr;
}

void TCustomChartElement::SetParentComponent(TComponent* parent) {
    if (auto* chart = dynamic_cast<TChartHost*>(parent))
        SetParentChart(chart);
}

// ---- TCustomChartSeries -------------------------------------------------------------------------

TCustomChartSeries::TCustomChartSeries(TComponent* owner) : TCustomChartElement(owner) {}

void TCustomChartSeries::DeclareProperties(TPropertyList& p) {
    using S = TCustomChartSeries;
    p.Add("Active", &S::Active, &S::SetActive).Default(true);
    p.Add("ShowInLegend", &S::ShowInLegend, &S::SetShowInLegend).Default(true);
    p.Add("Title", &S::Title, &S::SetTitle);
}

void TCustomChartSeries::DefineProperties(TFiler* filer) {
    TCustomChartElement::DefineProperties(filer);
    filer->DefineProperty(
        "Identifier", [this](TReader* reader) { identifier_ = reader->ReadString(); },
        [this](TWriter* writer) { writer->WriteString(identifier_); }, !identifier_.empty());
    filer->DefineProperty(
        "Style", [this](TReader* reader) { SetStyleFlags(reader->ReadInteger()); },
        [this](TWriter* writer) { writer->WriteInteger(styleFlags_ & StyleFlagsMask); },
        (styleFlags_ & StyleFlagsMask) != 0);
}

void TCustomChartSeries::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCustomChartSeries*>(source)) {
        showInLegend_ = other->showInLegend_;
        title_ = other->title_;
        styleFlags_ = other->styleFlags_;
        identifier_ = other->identifier_;
    }
    TCustomChartElement::Assign(source);
}

void TCustomChartSeries::SetActive(bool value) {
    if (Active() == value)
        return;
    SetActiveField(value);
    Repaint();
    if (ParentChart())
        ParentChart()->NotifySeries(this, sekChangeActive);
}

void TCustomChartSeries::SetTitle(const std::string& value) {
    if (!SetField(title_, value))
        return;
    if (ParentChart())
        ParentChart()->NotifySeries(this, sekChangeTitle);
}

void TCustomChartSeries::GetHorizMargins(int& left, int& right) {
    left = right = 0;
}

void TCustomChartSeries::GetVertMargins(int& top, int& bottom) {
    top = bottom = 0;
}

void TCustomChartSeries::RemovedFromChart() {
    SetParentChart(nullptr);
}

void TCustomChartSeries::ApplyGallery3D(bool is3D) {
    if (ParentChart())
        ParentChart()->SetView3D(is3D);
}

bool TCustomChartSeries::IsSameKindAs(const TCustomChartSeries* other) const {
    return other && (ClassType()->InheritsFrom(other->ClassType()) ||
                     other->ClassType()->InheritsFrom(ClassType()));
}
