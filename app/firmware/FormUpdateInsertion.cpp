#include "app/firmware/FormUpdateInsertion.h"

#include "app/firmware/IntelHexFile.h"
#include "controls/buttons/FrDialogButtons.h"
#include "platform/forms/Dialogs.h"
#include "platform/rtl/Strings.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Grids.h"
#include "platform/stdctrls/Label.h"

#include <fstream>
#include <sstream>

namespace {

constexpr int kColumns = 17;
constexpr int kFirstRows = 9;
constexpr int kNumberColumnWidth = 44;
// A HEX file of the whole flash is about 360 KB; anything much bigger is not one.
constexpr std::streamoff kMaxFileBytes = 16 * 1024 * 1024;

// The file's bytes; false when it cannot be read or is too big to be an image.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& problem) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problem = "Не удалось открыть файл " + path + ".";
        return false;
    }
    in.seekg(0, std::ios::end);
    if (in.tellg() > kMaxFileBytes) {
        problem = "Файл слишком велик для прошивки панели.";
        return false;
    }
    in.seekg(0);
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        problem = "Не удалось прочитать файл " + path + ".";
        return false;
    }
    bytes = text.str();
    return true;
}

} // namespace

TformUpdateInsertion::TformUpdateInsertion(TComponent* owner) : TForm(owner) {}

void TformUpdateInsertion::DeclareMethods(TMethodTable& m) {
    m.Add("FormCreate", &TformUpdateInsertion::FormCreate);
    m.Add("FrBitBtn1Click", &TformUpdateInsertion::FrBitBtn1Click);
}

template <class T> T* TformUpdateInsertion::Part(const char* name) const {
    T* part = dynamic_cast<T*>(FindComponent(name));
    if (part == nullptr)
        throw EComponentError(std::string("The service flashing dialog has no ") + name);
    return part;
}

TStringGrid* TformUpdateInsertion::Grid() const {
    return Part<TStringGrid>("sgHex");
}

std::string TformUpdateInsertion::Path() const {
    return Part<TEdit>("etPath")->GetText();
}

void TformUpdateInsertion::FormCreate(TObject*) {
    ResetGrid();
    Part<TFrDialogButtons>("FrDialogButtons1")->SetButtonEnabled(1, false);
}

void TformUpdateInsertion::ResetGrid() {
    TStringGrid* grid = Grid();
    grid->SetRowCount(kFirstRows);
    grid->SetColCount(kColumns);
    // Room for the line number's four digits.
    grid->SetColWidths(0, kNumberColumnWidth);
    for (int row = 0; row < grid->RowCount(); ++row)
        for (int col = 0; col < kColumns; ++col)
            grid->SetCells(col, row, "");
    for (int col = 1; col < kColumns; ++col)
        grid->SetCells(col, 0, IntToHex(col - 1, 2));
}

void TformUpdateInsertion::FillGrid() {
    if (image_.Empty())
        return;
    TStringGrid* grid = Grid();
    const uint32_t first = image_.Start() / 16;
    const uint32_t last = (image_.End() - 1) / 16;
    const int rows = static_cast<int>(last - first + 1);
    grid->SetRowCount(std::max(kFirstRows, rows + 1));
    for (int r = 0; r < rows; ++r) {
        const uint32_t paragraph = first + static_cast<uint32_t>(r);
        std::vector<std::string> cells(kColumns);
        cells[0] = IntToHex(paragraph, 4);
        for (int c = 0; c < 16; ++c)
            cells[c + 1] = IntToHex(image_.At(paragraph * 16 + static_cast<uint32_t>(c)), 2);
        grid->SetRows(r + 1, cells);
    }
}

void TformUpdateInsertion::ShowLoadState(const std::string& text, bool ok) {
    auto* state = Part<TLabel>("lbLoadState");
    state->SetCaption(text);
    state->Font()->SetColor(ok ? clGreen : clRed);
    Part<TFrDialogButtons>("FrDialogButtons1")->SetButtonEnabled(1, ok);
}

void TformUpdateInsertion::LoadHexFile(const std::string& path) {
    Part<TEdit>("etPath")->SetText(path);
    ResetGrid();
    image_ = TFirmwareImage();
    loaded_ = false;
    std::string bytes;
    std::string problem;
    if (!ReadFileBytes(path, bytes, problem)) {
        ShowLoadState(problem, false);
        return;
    }
    try {
        ReadIntelHex(bytes, image_);
        loaded_ = true;
    } catch (const EHexFileError& e) {
        problem = e.Message();
    }
    FillGrid();
    if (loaded_)
        ShowLoadState("Файл загружен: " + IntToStr(image_.ByteCount()) + " байт, адреса " +
                          IntToHex(image_.Start(), 5) + "-" + IntToHex(image_.End() - 1, 5) + ".",
                      true);
    else
        ShowLoadState(problem + " Прошивка из этого файла невозможна.", false);
}

void TformUpdateInsertion::FrBitBtn1Click(TObject*) {
    auto* dialog = Part<TOpenDialog>("openHex");
    if (dialog->Execute())
        LoadHexFile(dialog->FileName());
}
