#pragma once
// The Qt side of the drawing classes: the image a canvas draws into, the pixels of bitmaps, icons
// and image lists, and the Qt font a font stands for. For the platform's own sources (windows
// paint through canvases on their widgets' images, controls measure with Qt fonts) and for tests
// that look at pixels; it hands Qt types, so production code above the platform never includes it
// (scripts/check-includes refuses it) and draws through TCanvas and TBitmap instead.

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/ImageList.h"

#include <QFont>
#include <QImage>

struct TGraphicsQt {
    // ---- canvases ---------------------------------------------------------------------------
    // Binds the canvas to an image (not owned; null for none). The device state is kept and the
    // painter closes, so call this (or Flush) before the image is resized or replaced.
    static void SetImage(TCanvas& canvas, QImage* image) { canvas.SetImage(image); }
    // The image the canvas draws into, or null.
    static QImage* Image(const TCanvas& canvas) { return canvas.Image(); }
    // Draws a whole image at (x, y) or stretched into r: copied as BitBlt with cmSrcCopy does, or
    // with blend blended over the destination by the image's alpha channel.
    static void DrawImage(TCanvas& canvas, int x, int y, const QImage& image, bool blend = false) {
        canvas.DrawImage(x, y, image, blend);
    }
    static void StretchDrawImage(TCanvas& canvas, const TRect& r, const QImage& image,
                                 bool blend = false) {
        canvas.StretchDrawImage(r, image, blend);
    }

    // ---- pictures ---------------------------------------------------------------------------
    // A bitmap's pixels, with any drawing in progress finished. The reference stays valid for
    // the bitmap's life; resizing changes it in place.
    static const QImage& Image(const TBitmap& bitmap) { return bitmap.Image(); }
    // Replaces a bitmap's pixels by a copy of image; the pixel format follows the image's.
    static void SetImage(TBitmap& bitmap, const QImage& image) { bitmap.SetImage(image); }
    static const QImage& Image(const TIcon& icon) { return icon.Image(); }
    static void SetImage(TIcon& icon, const QImage& image) { icon.SetImage(image); }
    // Image index of a list (alpha 0 where masked out).
    static const QImage& Image(const TCustomImageList& list, int index) {
        return list.Image(index);
    }

    // ---- fonts --------------------------------------------------------------------------------
    // The realised font at 96 dots per inch (kept until the font next changes).
    static const QFont& Font(const TFont& font) { return font.QtFont(); }
};
