// Pictures from outside: a BMP file's bytes, and the picture data a description carries (a
// class name, then the graphic's own framing: a length and a BMP file, an icon file, a PNG).
// Each either loads or raises an error; what loads writes back and loads again.

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Component.h"
#include "platform/classes/Streaming.h"
#include "platform/classes/Writer.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/Picture.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

class TFuzzImage : public TComponent {
    Q4_CLASS(TFuzzImage, TComponent)
    explicit TFuzzImage(TComponent* owner) : TComponent(owner) {}
    static void DeclareProperties(TPropertyList& p) {
        p.Add("Picture", &TFuzzImage::GetPicture, &TFuzzImage::SetPicture);
    }
    TPicture* GetPicture() { return picture.get(); }
    void SetPicture(TPicture* v) { picture->Assign(*v); }
    std::unique_ptr<TPicture> picture = std::make_unique<TPicture>();
};

// A description of one image whose picture data are the bytes given.
std::string Description(const std::string& data) {
    TStringStream stream;
    {
        TWriter writer(stream);
        writer.WriteSignature();
        writer.WritePrefix(0, 0);
        writer.WriteStr("TFuzzImage");
        writer.WriteStr("Image");
        writer.WriteStr("Picture.Data");
        writer.WriteBinary(data);
        writer.WriteListEnd();
        writer.WriteListEnd();
    }
    return stream.DataString();
}

void LoadBitmap(const uint8_t* data, size_t size) {
    TBitmap bitmap;
    try {
        bitmap.LoadFromBytes(std::vector<uint8_t>(data, data + size));
    } catch (const Exception&) {
        return;
    }
    std::vector<uint8_t> saved = bitmap.SaveToBytes();
    TBitmap again;
    again.LoadFromBytes(saved); // what was written must load
}

void ReadPicture(const uint8_t* data, size_t size) {
    TFuzzImage image(nullptr);
    try {
        ReadComponentDescription(
            Description(std::string(reinterpret_cast<const char*>(data), size)), &image);
    } catch (const EStreamError&) {
        return;
    }
    std::string text = ComponentToText(&image);
    TFuzzImage again(nullptr);
    ReadComponentDescription(text, &again);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = (RegisterClasses<TFuzzImage>(), true);
    (void)registered;
    LoadBitmap(data, size);
    ReadPicture(data, size);
    return 0;
}
