#include "chart/core/AxisGridPen.h"

TAxisGridPen::TAxisGridPen(TNotifyEvent onChange) : TDottedGrayPen(std::move(onChange)) {}

void TAxisGridPen::DeclareProperties(TPropertyList& p) {
    using G = TAxisGridPen;
    p.Add("DrawEvery", &G::DrawEvery, &G::SetDrawEvery).Default(1);
    p.Add("ZPosition", &G::ZPosition, &G::SetZPosition).Stored(&G::ZPositionStored);
}

void TAxisGridPen::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TAxisGridPen*>(source)) {
        centered_ = other->centered_;
        drawEvery_ = other->drawEvery_;
        zPosition_ = other->zPosition_;
    }
    TDottedGrayPen::Assign(source);
}

void TAxisGridPen::SetCentered(bool value) {
    if (centered_ == value)
        return;
    centered_ = value;
    Changed();
}

void TAxisGridPen::SetDrawEvery(int value) {
    if (drawEvery_ == value)
        return;
    drawEvery_ = value;
    Changed();
}

void TAxisGridPen::SetZPosition(double value) {
    if (zPosition_ == value)
        return;
    zPosition_ = value;
    Changed();
}
