#include "spreadsheet/drawing/EscherDrawing.h"

std::unique_ptr<TShapeOutsideMso> MakeControlPart(int objectType, TEscherDrawing& drawing) {
    (void)objectType, (void)drawing;
    return nullptr;
}
