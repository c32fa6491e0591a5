#pragma once
// The chart exported as a metafile: an enhanced metafile (.emf, the default) or a placeable
// Windows metafile (.wmf). The format takes two entries of a file dialog's filter, one per kind,
// and writes the kind of the entry chosen.

#include "chart/export/PlotExportFormat.h"
#include "platform/graphics/Metafile.h"

#include <memory>

class TEMFOptions;

class TEMFExportFormat : public TPlotExportFormat {
    Q4_CLASS(TEMFExportFormat, TPlotExportFormat)
public:
    TEMFExportFormat();
    ~TEMFExportFormat() override;

    // An enhanced metafile (the default) or a Windows metafile. While the options form exists,
    // its check box.
    bool Enhanced() const;
    void SetEnhanced(bool on);
    // The options form, made (with no owner, showing the kind chosen) when check is true and
    // there is none.
    TCustomForm* Options(bool check) override;

    // A new metafile of the panel; the caller owns it.
    std::unique_ptr<TMetafile> Metafile();

    void CopyToClipboard() override;
    // The enhanced entry, or the one after it for the older kind.
    int FilterIndex() const override;
    // Two entries.
    void ReserveFilterIndex(int& counter) override;
    // The first entry chooses the enhanced kind, the second the older one.
    bool WantsFilterIndex(int index) override;
    std::string Description() const override;
    std::string FileExtension() const override { return Enhanced() ? "emf" : "wmf"; }
    std::string FileFilter() const override;
    // Both kinds, whichever the format writes now.
    bool HandlesExtension(const std::string& extension) const override;
    TClass GraphicClass() const override { return TMetafile::StaticClass(); }
    void SaveToStream(TStream& stream) override;

private:
    bool enhanced_ = true;
    std::unique_ptr<TEMFOptions, TOptionsFormFree> options_;
};
