#include "platform/graphics/Picture.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/Metafile.h"

#include "platform/classes/Filer.h"
#include "platform/rtl/Streams.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <mutex>

namespace {

std::string LowerExtension(const std::string& ext) {
    std::string r = ext;
    if (!r.empty() && r.front() == '.')
        r.erase(0, 1);
    for (char& c : r)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

std::string ExtensionOf(const std::string& path) {
    auto slash = path.find_last_of("/\\");
    auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return "";
    return LowerExtension(path.substr(dot + 1));
}

struct Registry {
    std::mutex lock;
    std::vector<TGraphicFormat> formats;

    Registry() {
        formats.push_back({"bmp", "Bitmaps", [] { return std::make_unique<TBitmap>(); }});
        formats.push_back({"png", "Portable network graphics",
                           [] { return std::make_unique<TRasterImage>("png"); }});
        formats.push_back(
            {"jpg", "JPEG images", [] { return std::make_unique<TRasterImage>("jpg"); }});
        formats.push_back(
            {"jpeg", "JPEG images", [] { return std::make_unique<TRasterImage>("jpg"); }});
        formats.push_back(
            {"gif", "GIF images", [] { return std::make_unique<TRasterImage>("gif"); }});
        formats.push_back({"ico", "Icons", [] { return std::make_unique<TIcon>(); }});
        formats.push_back(
            {"emf", "Enhanced metafiles", [] { return std::make_unique<TMetafile>(); }});
        formats.push_back({"wmf", "Metafiles", [] {
                               auto metafile = std::make_unique<TMetafile>();
                               metafile->SetEnhanced(false);
                               return metafile;
                           }});
    }
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

} // namespace

// ---- TGraphic -----------------------------------------------------------------------------------

void TGraphic::Assign(TPersistent* source) {
    if (auto* graphic = dynamic_cast<TGraphic*>(source))
        Assign(*graphic);
    else
        TPersistent::Assign(source);
}

void TGraphic::Assign(const TGraphic& source) {
    throw EConvertError("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}

namespace {

std::vector<std::uint8_t> RestOf(TStream& stream) {
    int64_t left = stream.Size() - stream.Position();
    std::vector<std::uint8_t> data(static_cast<std::size_t>(std::max<int64_t>(left, 0)));
    if (!data.empty())
        stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
    return data;
}

} // namespace

void TGraphic::LoadFromStream(TStream& stream) {
    LoadFromBytes(RestOf(stream));
}

void TGraphic::SaveToStream(TStream& stream) const {
    std::vector<std::uint8_t> data = SaveToBytes();
    if (!data.empty())
        stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
}

void TGraphic::ReadData(TStream& stream) {
    LoadFromStream(stream);
}

void TGraphic::WriteData(TStream& stream) const {
    SaveToStream(stream);
}

void TGraphic::DefineProperties(TFiler* filer) {
    TPersistent::DefineProperties(filer);
    filer->DefineBinaryProperty(
        "Data", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); },
        !Empty());
}

void TGraphic::SetTransparent(bool transparent) {
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    Changed();
}

void TGraphic::Changed() {
    modified_ = true;
    if (OnChange)
        OnChange(this);
}

void TGraphic::LoadFromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EFOpenError("Cannot open file \"" + path + "\"");
    std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
    LoadFromBytes(data);
}

void TGraphic::SaveToFile(const std::string& path) const {
    std::vector<std::uint8_t> data = SaveToBytes();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw EFCreateError("Cannot create file \"" + path + "\"");
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
    if (!out)
        throw EWriteError("Stream write error");
}

// ---- the registry -------------------------------------------------------------------------------

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  TGraphicFactory create) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    std::string ext = LowerExtension(extension);
    auto it = std::find_if(r.formats.begin(), r.formats.end(),
                           [&](const TGraphicFormat& f) { return f.extension == ext; });
    if (it != r.formats.end())
        *it = {ext, description, std::move(create)};
    else
        r.formats.push_back({ext, description, std::move(create)});
}

void TPicture::UnregisterFileFormat(const std::string& extension) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    std::string ext = LowerExtension(extension);
    std::erase_if(r.formats, [&](const TGraphicFormat& f) { return f.extension == ext; });
}

std::optional<TGraphicFormat> TPicture::FormatForExtension(const std::string& extension) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    std::string ext = LowerExtension(extension);
    for (const TGraphicFormat& f : r.formats) {
        if (f.extension == ext)
            return f;
    }
    return std::nullopt;
}

std::vector<TGraphicFormat> TPicture::FileFormats() {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    return r.formats;
}

std::string TPicture::GraphicFilter() {
    std::vector<TGraphicFormat> formats = FileFormats();
    std::string all;
    std::string each;
    for (const TGraphicFormat& f : formats) {
        std::string mask = "*." + f.extension;
        all += (all.empty() ? "" : ";") + mask;
        each += "|" + f.description + " (" + mask + ")|" + mask;
    }
    return "All (" + all + ")|" + all + each;
}

// ---- TPicture -----------------------------------------------------------------------------------

TPicture::~TPicture() = default;

void TPicture::Changed() {
    if (OnChange)
        OnChange(this);
}

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic) {
    graphic_ = std::move(graphic);
    if (graphic_)
        graphic_->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::SetGraphic(const TGraphic* graphic) {
    if (!graphic) {
        Adopt(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> copy = graphic->CreateNew();
    copy->Assign(*graphic);
    Adopt(std::move(copy));
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
    Adopt(std::move(graphic));
}

TBitmap* TPicture::Bitmap() {
    if (auto* bmp = dynamic_cast<TBitmap*>(graphic_.get()))
        return bmp;
    auto bmp = std::make_unique<TBitmap>();
    if (graphic_) {
        bmp->SetSize(graphic_->Width(), graphic_->Height());
        graphic_->Draw(bmp->Canvas(), Rect(0, 0, graphic_->Width(), graphic_->Height()));
    }
    TBitmap* raw = bmp.get();
    Adopt(std::move(bmp));
    return raw;
}

void TPicture::Assign(const TPicture& source) {
    if (&source != this)
        SetGraphic(source.graphic_.get());
}

void TPicture::Assign(TPersistent* source) {
    if (!source)
        SetGraphic(static_cast<const TGraphic*>(nullptr));
    else if (auto* picture = dynamic_cast<TPicture*>(source))
        Assign(*picture);
    else if (auto* graphic = dynamic_cast<TGraphic*>(source))
        SetGraphic(graphic);
    else
        TPersistent::Assign(source);
}

namespace {

// The picture kinds a description may name: the platform's own and every registered one.
std::unique_ptr<TGraphic> GraphicOfClass(const std::string& name) {
    if (name == "TBitmap")
        return std::make_unique<TBitmap>();
    if (name == "TIcon")
        return std::make_unique<TIcon>();
    if (name == "TRasterImage")
        return std::make_unique<TRasterImage>("png");
    if (name == "TMetafile")
        return std::make_unique<TMetafile>();
    // A kind registered by a library above the platform (the spreadsheet library's PNG picture).
    for (const TGraphicFormat& format : TPicture::FileFormats()) {
        std::unique_ptr<TGraphic> graphic = format.create();
        if (graphic->ClassName() == name)
            return graphic;
    }
    throw EInvalidGraphic("Unknown picture format " + name);
}

} // namespace

void TPicture::DefineProperties(TFiler* filer) {
    TPersistent::DefineProperties(filer);
    filer->DefineBinaryProperty(
        "Data",
        [this](TStream& s) {
            std::uint8_t length = s.ReadValue<std::uint8_t>();
            std::string name(length, '\0');
            if (length)
                s.ReadBuffer(name.data(), length);
            std::unique_ptr<TGraphic> graphic = GraphicOfClass(name);
            graphic->ReadData(s);
            Adopt(std::move(graphic));
        },
        [this](TStream& s) {
            const std::string& name = graphic_->ClassName();
            std::uint8_t length =
                static_cast<std::uint8_t>(std::min<std::size_t>(name.size(), 255));
            s.WriteBuffer(&length, 1);
            s.WriteBuffer(name.data(), length);
            graphic_->WriteData(s);
        },
        !Empty());
}

void TPicture::LoadFromFile(const std::string& path) {
    std::string ext = ExtensionOf(path);
    std::optional<TGraphicFormat> format = FormatForExtension(ext);
    if (!format)
        throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
    std::unique_ptr<TGraphic> graphic = format->create();
    graphic->LoadFromFile(path);
    Adopt(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& path) const {
    if (graphic_)
        graphic_->SaveToFile(path);
}
