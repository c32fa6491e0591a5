#pragma once
// Export formats of a chart panel: the base each format derives from, the list of registered
// format classes, and the lookup that makes an empty picture of the kind a file extension names.
//
// A format describes itself for a file dialog (menu text, filter, extension), renders the panel
// into its image kind and hands that image to the clipboard or to a stream. A format takes one
// or more entries of a combined file-dialog filter: ReserveFilterIndex numbers them from a
// counter the caller runs over all formats, and WantsFilterIndex tells whether the entry the
// user chose is one of the format's (and makes the format follow the choice).

#include "platform/classes/Object.h"

#include <memory>
#include <string>
#include <vector>

class TCustomForm;
class TCustomPlotPanel;
class TGraphic;
class TStream;

// Frees a format's options form (forms are freed through Free, never deleted).
struct TOptionsFormFree {
    void operator()(TCustomForm* form) const;
};

class TPlotExportFormat : public TObject {
    Q4_CLASS(TPlotExportFormat, TObject)
public:
    TPlotExportFormat() = default;
    ~TPlotExportFormat() override = default;
    TPlotExportFormat(const TPlotExportFormat&) = delete;
    TPlotExportFormat& operator=(const TPlotExportFormat&) = delete;

    // The panel exported; not owned.
    TCustomPlotPanel* Panel() const { return panel_; }
    void SetPanel(TCustomPlotPanel* panel) { panel_ = panel; }
    // The export size in pixels; 0 takes the panel's.
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetWidth(int width) { width_ = width; }
    void SetHeight(int height) { height_ = height; }

    // Puts the panel's image on the clipboard.
    virtual void CopyToClipboard() = 0;
    // The 1-based position of the format's (first) entry in the combined filter.
    virtual int FilterIndex() const { return filterIndex_; }
    virtual void ReserveFilterIndex(int& counter);
    virtual bool WantsFilterIndex(int index);
    // "as &Bitmap", "as &Metafile": the text of a menu entry.
    virtual std::string Description() const = 0;
    // The extension of the file the format writes now, without the dot.
    virtual std::string FileExtension() const = 0;
    // The format's entries for a file dialog ("Bitmaps (*.bmp)|*.bmp").
    virtual std::string FileFilter() const = 0;
    // Whether files of the extension (with its dot, in any case) are the format's; the base
    // compares with FileExtension.
    virtual bool HandlesExtension(const std::string& extension) const;
    // The picture class the format makes; none in the base.
    virtual TClass GraphicClass() const { return nullptr; }
    // Writes the panel's image to the stream as a file of the format. The image is freed also
    // when the stream raises, and the exception goes on to the caller.
    virtual void SaveToStream(TStream& stream) = 0;
    // The format's options form, owned by the format and made when check is true and there is
    // none yet; none for a format without options.
    virtual TCustomForm* Options(bool check);

    // Fills a size of 0 from the panel's; a set size stays. Raises ChartException when no panel
    // is set.
    void ApplyPanelSize();

protected:
    // The panel, raising ChartException when none is set.
    TCustomPlotPanel& CheckedPanel() const;
    int FilterIndexValue() const { return filterIndex_; }

private:
    TCustomPlotPanel* panel_ = nullptr;
    int filterIndex_ = 0;
    int height_ = 0;
    int width_ = 0;
};

// The registered format classes in registration order; none until the first registration.
const std::vector<TClass>* RegisteredExportFormats();
// Appends the class (a class registered twice is there twice).
void RegisterExportFormat(TClass formatClass);
// Removes the class's first entry; nothing when no list exists.
void UnregisterExportFormat(TClass formatClass);
// Frees the list; the next registration makes a new one.
void FreeExportFormats();

// The text in capitals (ASCII letters only, as file extensions are compared).
std::string UpperCaseExtension(std::string text);

// An empty picture of the first registered format whose extension (a dot and the extension, in
// any case) is the one given; none when no format writes such files. The metafile format answers
// to ".emf" and ".wmf" both.
std::unique_ptr<TGraphic> CreateGraphicForExtension(const std::string& extension);
