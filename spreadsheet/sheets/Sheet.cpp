// A sheet's construction and destruction, its name, its record-backed options and published
// properties, and the shapes its drawing reports.

#include "spreadsheet/sheets/Sheet.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "spreadsheet/areas/CellAreas.h"
#include "spreadsheet/areas/XLSRange.h"
#include "spreadsheet/cells/XLSColumns.h"
#include "spreadsheet/charts/DrwChart.h"
#include "spreadsheet/core/XLSUtils.h"
#include "spreadsheet/drawing/EscherDrawing.h"
#include "spreadsheet/drawingobjects/ControlObjects.h"
#include "spreadsheet/drawingobjects/DrawingObjects.h"
#include "spreadsheet/formulas/FormulaHandler.h"
#include "spreadsheet/overlays/AutoFilters.h"
#include "spreadsheet/overlays/ConditionalFormats.h"
#include "spreadsheet/overlays/DataValidations.h"
#include "spreadsheet/overlays/Hyperlinks.h"
#include "spreadsheet/records/Pane.h"
#include "spreadsheet/records/PrintSettings.h"
#include "spreadsheet/records/RecordStorage.h"
#include "spreadsheet/records/Selection.h"
#include "spreadsheet/sheets/SheetHost.h"
#include "spreadsheet/sheets/Sheets.h"
#include "spreadsheet/tables/XMLRelations.h"

#include <algorithm>

namespace {

TSheets* SheetsOf(TCollection* collection) {
    auto* sheets = dynamic_cast<TSheets*>(collection);
    if (!sheets)
        throw Exception("A sheet belongs to a sheet list");
    return sheets;
}

// Option bits of the sheet window's first word, by option.
constexpr uint16_t kWindowOptionBits[] = {0x01, 0x02, 0x04, 0x08, 0x10};
constexpr uint16_t kWindowFixedBits = 0x04A0;
// Bits of the workspace word, by option.
constexpr uint16_t kWorkspaceBits[] = {0x0001, 0x0020, 0x0040, 0x0080, 0x0100, 0x0400};

} // namespace

TSheet::TSheet(TCollection* collection)
    : TBasicSheet(collection), sheets_(SheetsOf(collection)), host_(&sheets_->Host()),
      formats_(&host_->MasterFormats()) {
    SheetIndex = sheets_->SheetNames().Add(u"");
    try {
        BuildParts();
    } catch (...) {
        sheets_->RemoveSheetName(*this);
        throw;
    }
    // The first free "SheetN" from the item's id + 1: a sheet renamed to a default name never
    // leaves two sheets of one name.
    for (int n = ID() + 1;; ++n) {
        const std::u16string name = u"Sheet" + Utf8ToUtf16(std::to_string(n));
        if (!sheets_->FindByName(name)) {
            SetNameDirect(name);
            break;
        }
    }
}

void TSheet::BuildParts() {
    TFormulaHandler& handler = host_->FormulaHandler();
    records_ = std::make_unique<TRecordStorageSheet>();
    cells_ = handler.CellValuesList().AddNew();
    columns_ = std::make_unique<TXLSColumns>(*formats_);
    columns_->OnFormatChanged = [this](TCellFormat* f, int col) { ApplyColumnFormat(f, col); };
    rows_ = std::make_unique<TXLSRows>(*formats_);
    rows_->OnFormatChanged = [this](TCellFormat* f, int row) { ApplyRowFormat(f, row); };
    mergedCells_ = std::make_unique<TMergedCells>(this);
    printSettings_ = std::make_unique<TPrintSettings>(*records_, this);
    printSettings_->SetPaperSize(host_->DefaultPaperSize());
    validations_ = std::make_unique<TDataValidations>(this, &handler);
    drawing_ = std::make_unique<TEscherDrawing>(&host_->Pictures(), &handler.InternalNames(),
                                                &host_->Fonts());
    drawing_->OnShapeAdded = [this](TEscherDrawing&, TShape& shape) { OnShapeAdded(shape); };
    drawingObjects_ =
        std::make_unique<TDrawingObjects>(this, drawing_.get(), &handler, &host_->Fonts());
    controlsObjects_ = std::make_unique<TControlObjects>(this, drawing_.get(), &handler);
    charts_ = std::make_unique<TDrwCharts>(this, drawing_.get(), &handler, &host_->Fonts());
    charts_->SheetIndex = Index();
    pane_ = std::make_unique<TPane>();
    applyFormat_ = std::make_unique<TApplyFormat>(*formats_);
    hyperlinks_ = std::make_unique<THyperlinks>(this, &handler);
    conditionalFormats_ = std::make_unique<TConditionalFormats>(this, &handler);
    autofilters_ = std::make_unique<TAutoFilters>(
        &controlsObjects_->ComboBoxes(), &handler.InternalNames(), [this] { return Index(); });
    selection_ = std::make_unique<TSelection>(*records_);
    selectedAreas_ = std::make_unique<TSelectedAreas>();
    range_ =
        std::make_unique<TXLSRange>(Index(), host_->RangeOps(), *mergedCells_, *formats_, *cells_);
    range_->GetDefaultFormat = [this](int col, int row) {
        return GetDefaultFormat(col, row)->Index;
    };
    visibleAreas_ = std::make_unique<TCellAreas>(this);
    relations_ = std::make_unique<TXMLRelations>();
}

TSheet::~TSheet() {
    // Autofilters remove their drop-downs through the controls, and the views of drawing
    // objects and controls refer to the drawing's shapes: those go before what they use.
    autofilters_.reset();
    controlsObjects_.reset();
    drawingObjects_.reset();
    charts_.reset();
    drawing_.reset();
    range_.reset();
    applyFormat_.reset();
    hyperlinks_.reset();
    conditionalFormats_.reset();
    validations_.reset();
    mergedCells_.reset();
    visibleAreas_.reset();
    columns_.reset();
    rows_.reset();
    selection_.reset();
    selectedAreas_.reset();
    printSettings_.reset();
    pane_.reset();
    records_.reset();
    relations_.reset();
    if (cells_)
        host_->FormulaHandler().CellValuesList().Delete(cells_);
    sheets_->RemoveSheetName(*this);
}

void TSheet::SetName(const std::u16string& name) {
    const std::u16string upper = UpperText(name);
    if (upper == UpperText(name_))
        return;
    for (int i = 0; i < sheets_->Count(); ++i) {
        TSheet* other = sheets_->Items(i);
        if (other != this && UpperText(other->Name()) == upper)
            throw Exception("Sheet name \"" + Utf16ToUtf8(name) + "\" allready exists");
    }
    SetNameDirect(name);
}

void TSheet::SetNameDirect(const std::u16string& name) {
    name_ = name;
    sheets_->SheetNames().SetStrings(SheetIndex, name);
}

std::string TSheet::DisplayName() const {
    return Utf16ToUtf8(name_);
}

void TSheet::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TSheet*>(source);
    if (!other)
        throw Exception("Object is not TSheet");
    SetDefaultColWidth(other->DefaultColWidth());
    SetDefaultRowHeight(other->DefaultRowHeight());
    SetOptions(other->Options());
    SetWorkspaceOptions(other->WorkspaceOptions());
    SheetProtection = other->SheetProtection;
    SetZoom(other->Zoom());
    SetZoomPreview(other->ZoomPreview());
    RecalcFormulas = other->RecalcFormulas;
    Hidden = other->Hidden;
    printSettings_->Assign(other->printSettings_.get());
    mergedCells_->Assign(other->mergedCells_.get());
    hyperlinks_->Assign(other->hyperlinks_.get());
}

int TSheet::DefaultColWidth() const {
    return records_->Word(recDEFCOLWIDTH);
}

void TSheet::SetDefaultColWidth(int value) {
    records_->SetWord(recDEFCOLWIDTH, static_cast<uint16_t>(value));
}

int TSheet::DefaultRowHeight() const {
    return records_->DEFAULTROWHEIGHT().WordAt(2);
}

void TSheet::SetDefaultRowHeight(int value) {
    TRawRecord& r = records_->DEFAULTROWHEIGHT();
    const uint16_t height = static_cast<uint16_t>(value);
    r.SetWordAt(2, height);
    const uint16_t flags = r.WordAt(0);
    r.SetWordAt(0, height != 255 ? flags | 0x0001 : flags & ~0x0001);
}

TSheetOptions TSheet::Options() const {
    const uint16_t word = records_->WINDOW2().WordAt(0);
    TSheetOptions options;
    for (int i = 0; i < 5; ++i)
        if (word & kWindowOptionBits[i])
            options.Include(static_cast<TSheetOption>(i));
    return options;
}

void TSheet::SetOptions(TSheetOptions value) {
    uint16_t word = kWindowFixedBits;
    for (int i = 0; i < 5; ++i)
        if (value.Contains(static_cast<TSheetOption>(i)))
            word |= kWindowOptionBits[i];
    records_->WINDOW2().SetWordAt(0, word);
}

TWorkspaceOptions TSheet::WorkspaceOptions() const {
    const uint16_t word = records_->Word(recWSBOOL);
    TWorkspaceOptions options;
    for (int i = 0; i < 6; ++i)
        if (word & kWorkspaceBits[i])
            options.Include(static_cast<TWorkspaceOption>(i));
    return options;
}

void TSheet::SetWorkspaceOptions(TWorkspaceOptions value) {
    uint16_t word = 0;
    for (int i = 0; i < 6; ++i)
        if (value.Contains(static_cast<TWorkspaceOption>(i)))
            word |= kWorkspaceBits[i];
    records_->SetWord(recWSBOOL, word);
}

int TSheet::Zoom() const {
    return records_->WINDOW2().WordAt(12);
}

void TSheet::SetZoom(int value) {
    records_->WINDOW2().SetWordAt(12, static_cast<uint16_t>(value));
}

int TSheet::ZoomPreview() const {
    return records_->WINDOW2().WordAt(10);
}

void TSheet::SetZoomPreview(int value) {
    records_->WINDOW2().SetWordAt(10, static_cast<uint16_t>(value));
}

void TSheet::SetPrintSettings(TPrintSettings* value) {
    printSettings_->Assign(value);
}

void TSheet::SetMergedCells(TMergedCells* value) {
    mergedCells_->Assign(value);
}

void TSheet::SetValidations(TDataValidations* value) {
    validations_->Assign(value);
}

void TSheet::SetDrawingObjects(TDrawingObjects* value) {
    drawingObjects_->Assign(value);
}

void TSheet::SetControlsObjects(TControlObjects* value) {
    controlsObjects_->Assign(value);
}

void TSheet::SetHyperlinks(THyperlinks* value) {
    hyperlinks_->Assign(value);
}

void TSheet::SetConditionalFormats(TConditionalFormats* value) {
    conditionalFormats_->Assign(value);
}

void TSheet::DeleteShapes(const std::vector<TShape*>& shapes) {
    const auto shows = [&shapes](TCollectionItem* item) {
        TShape* shape = static_cast<TDrwAnchor*>(item)->Shape();
        return std::find(shapes.begin(), shapes.end(), shape) != shapes.end();
    };
    TDrwCollection* views[] = {&drawingObjects_->Texts(),
                               &drawingObjects_->Notes(),
                               &drawingObjects_->Basics(),
                               &drawingObjects_->AutoShapes(),
                               &drawingObjects_->Pictures(),
                               &controlsObjects_->ListBoxes(),
                               &controlsObjects_->ComboBoxes(),
                               &controlsObjects_->Buttons(),
                               &controlsObjects_->CheckBoxes(),
                               &controlsObjects_->RadioButtons(),
                               charts_.get()};
    // The views go first: none may outlive its shape.
    for (TDrwCollection* list : views)
        for (int i = list->Count() - 1; i >= 0; --i)
            if (shows(list->Items(i)))
                delete list->Items(i);
    drawing_->DeleteShapes(shapes);
}

void TSheet::NameDeleted(int nameIndex) {
    controlsObjects_->NameDeleted(nameIndex);
}

void TSheet::OnShapeAdded(TShape& shape) {
    auto* anchored = dynamic_cast<TShapeClientAnchor*>(&shape);
    if (!anchored || !shape.Object)
        return;
    const uint8_t kind = shape.Object->ObjectKind;
    switch (shape.ShapeType) {
    case 75: // picture frame
        drawingObjects_->Pictures().AddFileShape(anchored);
        break;
    case 201: // control
        if (kind == okComboBox)
            controlsObjects_->ComboBoxes().AddFileShape(anchored);
        else if (kind == okListBox)
            controlsObjects_->ListBoxes().AddFileShape(anchored);
        else if (kind == okButton)
            controlsObjects_->Buttons().AddFileShape(anchored);
        else if (kind == okCheckBox)
            controlsObjects_->CheckBoxes().AddFileShape(anchored);
        else if (kind == okChart)
            charts_->AddFileShape(anchored);
        break;
    case 202: // text box
        if (kind == okNote)
            drawingObjects_->Notes().AddFileShape(anchored);
        else
            drawingObjects_->Texts().AddFileShape(anchored);
        break;
    default:
        break;
    }
}

void TSheet::DeclareProperties(TPropertyList& p) {
    p.AddFn<TSheet>(
        "Name", [](TSheet* s) { return s->Name(); },
        [](TSheet* s, std::u16string v) { s->SetName(v); });
    p.Add("RecalcFormulas", &TSheet::RecalcFormulas).Default(true);
    p.Add("PrintSettings", &TSheet::PrintSettings, &TSheet::SetPrintSettings);
    p.Add("MergedCells", &TSheet::MergedCells, &TSheet::SetMergedCells);
    p.Add("Validations", &TSheet::Validations, &TSheet::SetValidations);
    p.Add("Pane", &TSheet::Pane);
    p.Add("DrawingObjects", &TSheet::DrawingObjects, &TSheet::SetDrawingObjects);
    p.Add("ControlsObjects", &TSheet::ControlsObjects, &TSheet::SetControlsObjects);
    p.Add("Hyperlinks", &TSheet::Hyperlinks, &TSheet::SetHyperlinks);
    p.Add("ConditionalFormats", &TSheet::ConditionalFormats, &TSheet::SetConditionalFormats);
    p.Add("Hidden", &TSheet::Hidden).Default(hsVisible);
    p.Add("SheetProtection", &TSheet::SheetProtection);
    p.AddFn<TSheet>(
         "DefaultColWidth", [](TSheet* s) { return static_cast<uint16_t>(s->DefaultColWidth()); },
         [](TSheet* s, uint16_t v) { s->SetDefaultColWidth(v); })
        .Default(8);
    p.AddFn<TSheet>(
         "DefaultRowHeight", [](TSheet* s) { return static_cast<uint16_t>(s->DefaultRowHeight()); },
         [](TSheet* s, uint16_t v) { s->SetDefaultRowHeight(v); })
        .Default(255);
    p.Add("Options", &TSheet::Options, &TSheet::SetOptions);
    p.Add("WorkspaceOptions", &TSheet::WorkspaceOptions, &TSheet::SetWorkspaceOptions);
    p.AddFn<TSheet>(
         "Zoom", [](TSheet* s) { return static_cast<uint16_t>(s->Zoom()); },
         [](TSheet* s, uint16_t v) { s->SetZoom(v); })
        .Default(0);
    p.AddFn<TSheet>(
         "ZoomPreview", [](TSheet* s) { return static_cast<uint16_t>(s->ZoomPreview()); },
         [](TSheet* s, uint16_t v) { s->SetZoomPreview(v); })
        .Default(0);
}
