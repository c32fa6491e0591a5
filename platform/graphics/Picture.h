#pragma once
// Pictures: TGraphic is any drawable image kind (bitmap, PNG or JPEG image, icon); TPicture holds
// one of them and picks the kind from a file's extension through a registry of formats.

#include "platform/classes/Persistent.h"
#include "platform/graphics/Types.h"
#include "platform/rtl/Events.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
    Q4_CLASS(TGraphic, TPersistent)
public:
    TGraphic() = default;

    // A new, empty graphic of the same kind.
    virtual std::unique_ptr<TGraphic> CreateNew() const = 0;
    // Makes this graphic a copy of source; raises EConvertError when the kinds do not mix.
    void Assign(TPersistent* source) override;
    virtual void Assign(const TGraphic& source);

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool transparent);

    // Draws the graphic stretched into r of the canvas.
    virtual void Draw(TCanvas* canvas, const TRect& r) const = 0;

    // File contents. Loading raises EInvalidGraphic on data the kind cannot read.
    virtual void LoadFromBytes(const std::vector<std::uint8_t>& data) = 0;
    virtual std::vector<std::uint8_t> SaveToBytes() const = 0;
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const;
    // The rest of the stream is the file's contents.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    TNotifyEvent OnChange;

    // A description stores a graphic as "Data": its file contents framed the kind's own way.
    void DefineProperties(TFiler* filer) override;
    virtual void ReadData(TStream& stream);
    virtual void WriteData(TStream& stream) const;

protected:
    virtual void Changed();

private:
    bool transparent_ = false;
    bool modified_ = false;
};

// The registry of picture kinds by file extension (lower case, without the dot).
using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

struct TGraphicFormat {
    std::string extension;
    std::string description;
    TGraphicFactory create;
};

class TPicture : public TPersistent {
    Q4_CLASS(TPicture, TPersistent)
public:
    TPicture() = default;
    ~TPicture() override;

    // A later registration of an extension replaces the earlier one.
    static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                   TGraphicFactory create);
    static void UnregisterFileFormat(const std::string& extension);
    static std::optional<TGraphicFormat> FormatForExtension(const std::string& extension);
    static std::vector<TGraphicFormat> FileFormats();
    // "All (*.bmp;*.png)|*.bmp;*.png|Bitmaps (*.bmp)|*.bmp|..." for open and save dialogs.
    static std::string GraphicFilter();

    TGraphic* Graphic() const { return graphic_.get(); }
    // Keeps a copy of graphic (null empties the picture).
    void SetGraphic(const TGraphic* graphic);
    // Takes graphic over.
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    // The picture as a bitmap: the graphic itself when it is one, else a new bitmap it is drawn
    // into (kept in the picture from then on).
    class TBitmap* Bitmap();

    bool Empty() const { return !graphic_ || graphic_->Empty(); }
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }
    void Assign(const TPicture& source);
    // Takes a picture or any graphic; null empties the picture.
    void Assign(TPersistent* source) override;

    // Chooses the kind by the file's extension; raises EInvalidGraphic for an unknown one
    // ("Unknown picture file extension (.xyz)").
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const;

    TNotifyEvent OnChange;

    // A description stores the picture as "Data": the graphic's class name (a length byte and
    // the name), then the graphic's own data.
    void DefineProperties(TFiler* filer) override;

private:
    void Changed();
    void Adopt(std::unique_ptr<TGraphic> graphic);

    std::unique_ptr<TGraphic> graphic_;
};
