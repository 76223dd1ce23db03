#include "media/ThumbnailWriter.h"

#include "media/Frame.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <cstdio>
#include <cstring>
#include <fstream>
#include <new>
#include <turbojpeg.h>

namespace marrowvale {

namespace {

constexpr int jpegQuality = 80;
constexpr int dotsPerInch = 96;

// The displayed width of a frame in stored pixels times the pixel aspect ratio; the ratio is
// 1 when the frame does not give one.
AVRational pixelAspect(const AVFrame& frame) {
    const AVRational aspect = frame.sample_aspect_ratio;
    if (aspect.num <= 0 || aspect.den <= 0) {
        return AVRational{1, 1};
    }
    return aspect;
}

// The colour matrix of a frame that does not name one: HD sizes use BT.709, smaller SD ones
// BT.601, as players assume.
int colourMatrix(const AVFrame& frame) {
    switch (frame.colorspace) {
    case AVCOL_SPC_BT709:
        return SWS_CS_ITU709;
    case AVCOL_SPC_FCC:
        return SWS_CS_FCC;
    case AVCOL_SPC_SMPTE240M:
        return SWS_CS_SMPTE240M;
    case AVCOL_SPC_BT2020_NCL:
    case AVCOL_SPC_BT2020_CL:
        return SWS_CS_BT2020;
    case AVCOL_SPC_BT470BG:
    case AVCOL_SPC_SMPTE170M:
        return SWS_CS_ITU601;
    default:
        return frame.height >= 720 ? SWS_CS_ITU709 : SWS_CS_ITU601;
    }
}

bool isFullRange(const AVFrame& frame) {
    const auto format = static_cast<AVPixelFormat>(frame.format);
    return frame.color_range == AVCOL_RANGE_JPEG || format == AV_PIX_FMT_YUVJ420P ||
           format == AV_PIX_FMT_YUVJ422P || format == AV_PIX_FMT_YUVJ444P ||
           format == AV_PIX_FMT_YUVJ440P || format == AV_PIX_FMT_YUVJ411P;
}

// Sets the density of the JFIF header that starts `jpeg` to 96 dots per inch.
void setDensity(unsigned char* jpeg, unsigned long size) {
    static constexpr unsigned char header[] = {0xFF, 0xD8, 0xFF, 0xE0};
    if (size < 18 || std::memcmp(jpeg, header, sizeof header) != 0 ||
        std::memcmp(jpeg + 6, "JFIF", 5) != 0) {
        return;
    }
    jpeg[13] = 1; // dots per inch
    jpeg[14] = 0;
    jpeg[15] = dotsPerInch;
    jpeg[16] = 0;
    jpeg[17] = dotsPerInch;
}

} // namespace

/// A TurboJPEG compressor and the buffer it writes into, both owned.
struct ThumbnailWriter::Compressor {
    tjhandle handle = tjInitCompress();
    unsigned char* buffer = nullptr;
    unsigned long capacity = 0;

    Compressor() {
        if (handle == nullptr) {
            throw std::bad_alloc();
        }
    }
    ~Compressor() {
        tjFree(buffer);
        tjDestroy(handle);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
};

void ThumbnailWriter::ScalerFree::operator()(SwsContext* context) const {
    sws_freeContext(context);
}

ThumbnailWriter::ThumbnailWriter() : compressor_(std::make_unique<Compressor>()) {}
ThumbnailWriter::~ThumbnailWriter() = default;
ThumbnailWriter::ThumbnailWriter(ThumbnailWriter&&) noexcept = default;
ThumbnailWriter& ThumbnailWriter::operator=(ThumbnailWriter&&) noexcept = default;

std::optional<int> ThumbnailWriter::scaledHeight(const Frame& frame, int width) {
    const AVFrame& picture = *frame.get();
    if (picture.width <= 0 || picture.height <= 0 || width <= 0) {
        return std::nullopt;
    }
    const AVRational aspect = pixelAspect(picture);
    // height x width / (stored width x aspect)
    const __int128 height = static_cast<__int128>(picture.height) * width * aspect.den /
                            (static_cast<__int128>(picture.width) * aspect.num);
    if (height > maxHeight) {
        return std::nullopt;
    }
    return std::max(1, static_cast<int>(height));
}

std::optional<int> ThumbnailWriter::write(const Frame& frame, int width,
                                          const std::filesystem::path& path) {
    const std::optional<int> height = scaledHeight(frame, width);
    const AVFrame& picture = *frame.get();
    if (!height || picture.format < 0) {
        return std::nullopt;
    }
    scaler_.reset(sws_getCachedContext(scaler_.release(), picture.width, picture.height,
                                       static_cast<AVPixelFormat>(picture.format), width, *height,
                                       AV_PIX_FMT_RGB24, SWS_AREA, nullptr, nullptr, nullptr));
    if (!scaler_) {
        return std::nullopt;
    }
    const AVPixFmtDescriptor* format =
        av_pix_fmt_desc_get(static_cast<AVPixelFormat>(picture.format));
    if (format != nullptr && (format->flags & AV_PIX_FMT_FLAG_RGB) == 0) {
        sws_setColorspaceDetails(scaler_.get(), sws_getCoefficients(colourMatrix(picture)),
                                 isFullRange(picture) ? 1 : 0, sws_getCoefficients(SWS_CS_DEFAULT),
                                 1, 0, 1 << 16, 1 << 16);
    }
    const int pitch = width * 3;
    pixels_.resize(static_cast<std::size_t>(pitch) * static_cast<std::size_t>(*height));
    std::uint8_t* planes[] = {pixels_.data(), nullptr, nullptr, nullptr};
    const int pitches[] = {pitch, 0, 0, 0};
    if (sws_scale(scaler_.get(), picture.data, picture.linesize, 0, picture.height, planes,
                  pitches) != *height) {
        return std::nullopt;
    }

    // A buffer of the worst-case size, so that the compressor never reallocates it.
    const unsigned long needed = tjBufSize(width, *height, TJSAMP_420);
    if (needed == static_cast<unsigned long>(-1)) {
        return std::nullopt;
    }
    if (compressor_->capacity < needed) {
        tjFree(compressor_->buffer);
        compressor_->buffer = tjAlloc(static_cast<int>(needed));
        compressor_->capacity = compressor_->buffer != nullptr ? needed : 0;
        if (compressor_->buffer == nullptr) {
            throw std::bad_alloc();
        }
    }
    unsigned long size = compressor_->capacity;
    if (tjCompress2(compressor_->handle, pixels_.data(), width, pitch, *height, TJPF_RGB,
                    &compressor_->buffer, &size, TJSAMP_420, jpegQuality, TJFLAG_NOREALLOC) != 0) {
        return std::nullopt;
    }
    setDensity(compressor_->buffer, size);

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(compressor_->buffer),
              static_cast<std::streamsize>(size));
    out.close();
    if (!out) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        return std::nullopt;
    }
    return height;
}

} // namespace marrowvale
