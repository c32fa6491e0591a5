// Metafiles as pictures, and the canvas that makes them.

#include "platform/graphics/Metafile.h"

#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "platform/graphics/MetafileFormat_p.h"
#include "platform/graphics/MetafilePlayer_p.h"
#include "platform/graphics/MetafileRecorder_p.h"
#include "platform/rtl/Streams.h"

#include <QImage>

#include <algorithm>
#include <cmath>

namespace {

int HundredthsOfMm(int pixels) {
    return static_cast<int>(std::lround(pixels * 2540.0 / 96));
}

} // namespace

// ---- TMetafile ----------------------------------------------------------------------------------

TMetafile::TMetafile() = default;

TMetafile::~TMetafile() = default;

std::unique_ptr<TGraphic> TMetafile::CreateNew() const {
    return std::make_unique<TMetafile>();
}

void TMetafile::Assign(const TGraphic& source) {
    if (auto* other = dynamic_cast<const TMetafile*>(&source)) {
        if (other == this)
            return;
        emf_ = other->emf_;
        wmf_ = other->wmf_;
        width_ = other->width_;
        height_ = other->height_;
        mmWidth_ = other->mmWidth_;
        mmHeight_ = other->mmHeight_;
        enhanced_ = other->enhanced_;
        Changed();
        return;
    }
    // Any other picture is drawn into a metafile of its size.
    TMetafileCanvas canvas(*this, source.Width(), source.Height());
    source.Draw(&canvas, {0, 0, std::max(1, source.Width()), std::max(1, source.Height())});
    canvas.Finish();
}

bool TMetafile::Empty() const {
    return emf_.empty() && wmf_.empty();
}

void TMetafile::SetWidth(int width) {
    width_ = std::max(width, 0);
    mmWidth_ = HundredthsOfMm(width_);
    Changed();
}

void TMetafile::SetHeight(int height) {
    height_ = std::max(height, 0);
    mmHeight_ = HundredthsOfMm(height_);
    Changed();
}

void TMetafile::SetEnhanced(bool enhanced) {
    enhanced_ = enhanced;
}

void TMetafile::Clear() {
    emf_.clear();
    wmf_.clear();
    width_ = height_ = mmWidth_ = mmHeight_ = 0;
    Changed();
}

void TMetafile::Adopt(std::vector<std::uint8_t> emf, std::vector<std::uint8_t> wmf, int width,
                      int height) {
    emf_ = std::move(emf);
    wmf_ = std::move(wmf);
    width_ = width;
    height_ = height;
    mmWidth_ = HundredthsOfMm(width);
    mmHeight_ = HundredthsOfMm(height);
    Changed();
}

const std::vector<std::uint8_t>& TMetafile::FileOfKind(bool enhanced) const {
    std::vector<std::uint8_t>& wanted = enhanced ? emf_ : wmf_;
    const std::vector<std::uint8_t>& other = enhanced ? wmf_ : emf_;
    if (wanted.empty() && !other.empty()) {
        // Played into a metafile canvas that writes the wanted kind.
        TMetafile converted;
        converted.enhanced_ = enhanced;
        {
            TMetafileCanvas canvas(converted, width_, height_);
            Draw(&canvas, {0, 0, std::max(width_, 1), std::max(height_, 1)});
        }
        wanted = std::move(enhanced ? converted.emf_ : converted.wmf_);
    }
    return wanted;
}

void TMetafile::Draw(TCanvas* canvas, const TRect& r) const {
    const std::vector<std::uint8_t>& data = emf_.empty() ? wmf_ : emf_;
    if (canvas == nullptr || data.empty())
        return;
    const metafile::TParsedFile file = metafile::ParseMetafile(data);
    metafile::TMetafilePlayer player(*canvas, file, r);
    player.Play();
}

void TMetafile::LoadFromBytes(const std::vector<std::uint8_t>& data) {
    const metafile::TParsedFile file = metafile::ParseMetafile(data);
    (file.enhanced ? emf_ : wmf_) = data;
    (file.enhanced ? wmf_ : emf_).clear();
    width_ = file.width;
    height_ = file.height;
    mmWidth_ = file.mmWidth;
    mmHeight_ = file.mmHeight;
    enhanced_ = file.enhanced;
    Changed();
}

std::vector<std::uint8_t> TMetafile::SaveToBytes() const {
    return FileOfKind(enhanced_);
}

int TMetafile::RecordCount() const {
    const std::vector<std::uint8_t>& data = FileOfKind(enhanced_);
    return data.empty() ? 0 : static_cast<int>(metafile::ParseMetafile(data).records.size());
}

void TMetafile::ReadData(TStream& stream) {
    const std::uint32_t size = stream.ReadValue<std::uint32_t>();
    if (static_cast<std::int64_t>(size) > stream.Size() - stream.Position())
        throw EInvalidGraphic("Invalid metafile: data length");
    std::vector<std::uint8_t> data(size);
    if (size != 0)
        stream.ReadBuffer(data.data(), size);
    LoadFromBytes(data);
}

void TMetafile::WriteData(TStream& stream) const {
    const std::vector<std::uint8_t> data = SaveToBytes();
    stream.WriteValue(static_cast<std::uint32_t>(data.size()));
    if (!data.empty())
        stream.WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
}

// ---- TMetafileCanvas ----------------------------------------------------------------------------

TMetafileCanvas::TMetafileCanvas(TMetafile& metafile, int width, int height)
    : metafile_(metafile), width_(std::max(width, 1)), height_(std::max(height, 1)) {
    surface_ = std::make_unique<QImage>(width_, height_, QImage::Format_RGB32);
    surface_->fill(Qt::white);
    TGraphicsQt::SetImage(*this, surface_.get());
    recorder_ = std::make_unique<TMetafileRecorder>(metafile.Enhanced());
    SetRecorder(recorder_.get());
}

TMetafileCanvas::~TMetafileCanvas() {
    try {
        Finish();
    } catch (...) {
        // The metafile keeps what it had; a destructor does not raise.
    }
    TGraphicsQt::SetImage(*this, nullptr);
}

void TMetafileCanvas::Finish() {
    if (!recorder_)
        return;
    SetRecorder(nullptr);
    std::vector<std::uint8_t> bytes = recorder_->Finish(width_, height_);
    const bool enhanced = metafile_.Enhanced();
    recorder_.reset();
    metafile_.Adopt(enhanced ? std::move(bytes) : std::vector<std::uint8_t>{},
                    enhanced ? std::vector<std::uint8_t>{} : std::move(bytes), width_, height_);
}
