#pragma once
// A list of equally sized images with masks, drawn by index: tool-bar and button glyphs.
// Controls that show the images register a change link and repaint when the list changes.

#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"

#include <functional>
#include <memory>
#include <vector>

class QImage;
class TBitmap;
class TCustomImageList;

class TChangeLink {
public:
    TChangeLink() = default;
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;
    ~TChangeLink();

    std::function<void(TCustomImageList* sender)> OnChange;
    TCustomImageList* Sender() const { return sender_; }

private:
    friend class TCustomImageList;
    TCustomImageList* sender_ = nullptr;
};

class TCustomImageList {
public:
    explicit TCustomImageList(int width = 16, int height = 16);
    TCustomImageList(const TCustomImageList&) = delete;
    TCustomImageList& operator=(const TCustomImageList&) = delete;
    virtual ~TCustomImageList();

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changing the size clears the list.
    void SetSize(int width, int height);
    int Count() const;

    // Adds image (split into as many images as its width holds); a non-null mask's black pixels
    // are the ones shown. Returns the index of the first image added.
    int Add(const TBitmap& image, const TBitmap* mask);
    // Adds image with every pixel of maskColor transparent.
    int AddMasked(const TBitmap& image, TColor maskColor);
    void Replace(int index, const TBitmap& image, const TBitmap* mask);
    void Delete(int index);
    void Clear();

    // Draws image index at (x, y); a disabled image is drawn embossed in the button shadow and
    // highlight colours. An index out of range draws nothing.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;
    // Copies image index onto a bitmap of the list's size (transparent pixels take the bitmap's
    // brush colour, white by default).
    bool GetBitmap(int index, TBitmap* bitmap) const;

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);
    std::function<void(TCustomImageList* sender)> OnChange;

protected:
    void Change();

private:
    friend struct TGraphicsQt; // the platform's Qt side (GraphicsQt_p.h)
    const QImage& Image(int index) const;
    int AddImages(const QImage& picture);

    struct Images; // the cells, alpha 0 where masked out
    const QImage& Cell(int index) const;

    int width_;
    int height_;
    std::unique_ptr<Images> images_;
    std::vector<TChangeLink*> links_;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
};
