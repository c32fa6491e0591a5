#include "app/mainwin/FormAbout.h"

#include "platform/classes/Properties.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Picture.h"
#include "platform/rtl/Version.h"
#include "platform/stdctrls/Image.h"

void TFormAbout::DeclareMethods(TMethodTable& m) {
    m.Add("FormCreate", &TFormAbout::FormCreate);
}

namespace {

// A unit under a satellite's arc: the emblem of the program.
void DrawEmblem(TCanvas* c) {
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, 48, 48));
    c->Pen()->SetColor(TColor(0x00B07020));
    c->Pen()->SetWidth(2);
    c->Brush()->SetStyle(bsClear);
    c->Arc(4, 4, 44, 44, 44, 24, 4, 24);
    c->Arc(12, 12, 36, 36, 36, 24, 12, 24);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(TColor(0x00604020));
    c->Pen()->SetWidth(1);
    c->RoundRect(14, 26, 34, 44, 4, 4);
    c->Brush()->SetColor(clLime);
    c->Ellipse(21, 30, 27, 36);
}

} // namespace

void TFormAbout::FormCreate(TObject*) {
    if (auto* image = dynamic_cast<TImage*>(FindComponent("Image1"))) {
        TBitmap emblem(48, 48, pf24bit);
        DrawEmblem(emblem.Canvas());
        image->Picture()->Assign(&emblem);
    }
    if (auto* version = dynamic_cast<TControl*>(FindComponent("lbVersion")))
        version->SetCaption("Версия " + ProgramFileVersion());
}
