#pragma once
// Metafiles: pictures kept as drawing records that other programs read, an enhanced metafile
// (.emf) or a placeable Windows metafile (.wmf).
//
// A metafile is made by drawing on a TMetafileCanvas: an ordinary canvas over a pixel surface
// that carries a recorder, so the records come from the same drawing rules as every other
// picture and window. Copies, pictures and blends go into the file as the pixels they put on the
// surface. The canvas writes both kinds at once; Enhanced chooses which one a file gets. A
// metafile read from a file keeps its records and plays them back when drawn (the calls the
// writers produce, the usual state records and the window and viewport mapping); a file of the
// other kind is made by playing the records into a new metafile canvas.

#include "platform/graphics/Canvas.h"
#include "platform/graphics/Picture.h"

#include <cstdint>
#include <memory>
#include <vector>

class QImage;
class TMetafileRecorder;

class TMetafile : public TGraphic {
    Q4_CLASS(TMetafile, TGraphic)
public:
    TMetafile();
    ~TMetafile() override;

    std::unique_ptr<TGraphic> CreateNew() const override;
    using TGraphic::Assign;
    // A copy of another metafile's records; any other graphic is drawn into a new metafile of
    // its size.
    void Assign(const TGraphic& source) override;

    bool Empty() const override;
    // The size in pixels at 96 dots per inch.
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // Changing the size of a metafile that has records stretches them when drawn.
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    // The frame in 0.01 mm.
    int MMWidth() const { return mmWidth_; }
    int MMHeight() const { return mmHeight_; }
    // Which kind SaveToBytes writes: an enhanced metafile (true, the default) or a placeable
    // Windows metafile.
    bool Enhanced() const { return enhanced_; }
    void SetEnhanced(bool enhanced);
    void Clear();

    // Plays the records stretched into r, clipped to r.
    void Draw(TCanvas* canvas, const TRect& r) const override;
    // Reads either kind; raises EInvalidGraphic for bytes that are neither or do not hold
    // together (a record running past the end, a size that does not fit, no end record).
    void LoadFromBytes(const std::vector<std::uint8_t>& data) override;
    std::vector<std::uint8_t> SaveToBytes() const override;
    // "Data" is the length of the file (four bytes) and the file.
    void ReadData(TStream& stream) override;
    void WriteData(TStream& stream) const override;

    // The number of records of the kind Enhanced chooses (0 when empty).
    int RecordCount() const;

private:
    friend class TMetafileCanvas;
    // The file of one kind, made from the other by playing it when needed.
    const std::vector<std::uint8_t>& FileOfKind(bool enhanced) const;
    void Adopt(std::vector<std::uint8_t> emf, std::vector<std::uint8_t> wmf, int width, int height);

    mutable std::vector<std::uint8_t> emf_;
    mutable std::vector<std::uint8_t> wmf_;
    int width_ = 0;
    int height_ = 0;
    int mmWidth_ = 0;
    int mmHeight_ = 0;
    bool enhanced_ = true;
};

// A canvas whose drawing goes into a metafile. The records are handed to the metafile when the
// canvas is freed (or at Finish); the metafile takes the canvas's size (at least 1 x 1).
class TMetafileCanvas : public TCanvas {
    Q4_CLASS(TMetafileCanvas, TCanvas)
public:
    TMetafileCanvas(TMetafile& metafile, int width, int height);
    ~TMetafileCanvas() override;
    // Ends the records and hands them to the metafile; drawing afterwards is not recorded.
    void Finish();

private:
    TMetafile& metafile_;
    int width_;
    int height_;
    std::unique_ptr<QImage> surface_;
    std::unique_ptr<TMetafileRecorder> recorder_;
};
