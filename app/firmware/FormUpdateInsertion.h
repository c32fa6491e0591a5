#pragma once
// The service flashing dialog ("Обновление версии прошивки"): the operator picks an Intel HEX
// file, which is read completely and shown as a grid of 16-byte lines (column 0 the line's number,
// address / 16, as 4 hex digits; columns 1 to 16 its bytes, "FF" where the file gives none).
// OK is enabled only for a file that was read whole; otherwise the dialog says at which line the
// reading stopped and why, and shows the lines read before it.

#include "app/firmware/FirmwareImage.h"
#include "platform/forms/Forms.h"

#include <string>

class TStringGrid;

class TformUpdateInsertion : public TForm {
    Q4_CLASS(TformUpdateInsertion, TForm)
public:
    explicit TformUpdateInsertion(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);

    // Reads a file into the grid, as picking it does.
    void LoadHexFile(const std::string& path);
    // The chosen file ("" before one was picked).
    std::string Path() const;
    // True when the chosen file was read whole.
    bool FileLoaded() const { return loaded_; }
    const TFirmwareImage& Image() const { return image_; }
    TStringGrid* Grid() const;

    // Handlers named by the description.
    void FormCreate(TObject* sender);
    void FrBitBtn1Click(TObject* sender);

private:
    template <class T> T* Part(const char* name) const;
    void ResetGrid();
    void FillGrid();
    void ShowLoadState(const std::string& text, bool ok);

    TFirmwareImage image_;
    bool loaded_ = false;
};
