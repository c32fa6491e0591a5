#pragma once
// The brush editor ("Pattern Color Editor"): a hatch style, one of twelve pattern bitmaps or
// seven textures, or a picture file fills the brush; its colour, back colour or a transparent
// back. Edits go to the brush at once; Cancel puts back the copy taken when it was shown. Also
// the small picture and font routines the other editors use.

#include "platform/forms/Forms.h"
#include "platform/stdctrls/OwnerDraw.h"

#include <array>
#include <memory>
#include <string>

class TBitmap;
class TButton;
class TButtonColor;
class TChartBrush;
class TCheckBox;
class TFont;
class TImage;
class TListBox;
class TPicture;

class TBrushDialog : public TForm {
    Q4_CLASS(TBrushDialog, TForm)
public:
    static constexpr int FirstPattern = 8;
    static constexpr int PatternCount = 12;
    static constexpr int FirstTexture = FirstPattern + PatternCount;
    static constexpr int TextureCount = 7;

    explicit TBrushDialog(TComponent* owner);
    ~TBrushDialog() override;
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    // The brush edited; not owned.
    TChartBrush* Brush = nullptr;

    // The fill of list item index (pattern or texture items): a new bitmap.
    std::unique_ptr<TBitmap> ItemBitmap(int index) const;

    void FormShow(TObject* sender);
    void LStyleClick(TObject* sender);
    void Button1Click(TObject* sender);
    void CBTranspClick(TObject* sender);
    void BBackColorClick(TObject* sender);
    void Button3Click(TObject* sender);
    // Closing other than with OK (the window's close box too) restores as Cancel does.
    void FormClose(TObject* sender, TCloseAction& action);

private:
    void RefreshPreview();
    void RefreshControls();
    void DrawItem(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state);

    std::unique_ptr<TChartBrush> backup_;
    std::array<std::unique_ptr<TBitmap>, TextureCount> textures_;
    TListBox* style_ = nullptr;
    TButtonColor* color_ = nullptr;
    TButtonColor* backColor_ = nullptr;
    TCheckBox* transparent_ = nullptr;
    TImage* preview_ = nullptr;
    TButton* image_ = nullptr;
};

// Pattern bitmap number (1 to 12): 16 x 16 pixels, one bit each, white transparent.
std::unique_ptr<TBitmap> LoadBrushPattern(int number);

// Runs the brush editor for brush, owned by control's form; true on OK.
bool EditChartBrush(TComponent* control, TChartBrush* brush);
// The font dialog started from a copy of font; on OK font takes its font.
bool EditFont(TComponent* owner, TFont* font);
// The open-picture dialog: the chosen file, or an empty text.
std::string AskPictureFileName(TComponent* owner);
// Clears a picture that holds a graphic; else loads one from a file the user chooses.
void LoadOrClearPicture(TComponent* owner, TPicture* picture);
