#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

struct SwsContext;

namespace marrowvale {

class Frame;

/// Turns decoded pictures into thumbnail files: scales a frame to a width, keeping its shape
/// as displayed (its pixel aspect ratio included, so anamorphic pictures come out right), and
/// writes it as a JPEG of quality 80 that declares 96 dots per inch, the density at which the
/// spreadsheet shows one picture pixel per screen pixel. Keeps its scaler and compressor from
/// one picture to the next; one writer serves one thread.
class ThumbnailWriter {
public:
    /// The tallest thumbnail written; a narrower-than-a-sliver picture gives none.
    static constexpr int maxHeight = 16384;

    ThumbnailWriter();
    ~ThumbnailWriter();
    ThumbnailWriter(ThumbnailWriter&&) noexcept;
    ThumbnailWriter& operator=(ThumbnailWriter&&) noexcept;

    /// The height of `frame` scaled to `width`: the displayed height times width over the
    /// displayed width, truncated, at least 1. None when the frame has no size or the result
    /// is taller than maxHeight.
    static std::optional<int> scaledHeight(const Frame& frame, int width);

    /// Writes `frame`, `width` pixels wide, as a JPEG file at `path` and gives its height in
    /// pixels; none when the picture cannot be scaled, compressed or written (no partial file
    /// is left behind).
    std::optional<int> write(const Frame& frame, int width, const std::filesystem::path& path);

private:
    struct Compressor;
    struct ScalerFree {
        void operator()(SwsContext* context) const;
    };

    std::unique_ptr<SwsContext, ScalerFree> scaler_;
    std::unique_ptr<Compressor> compressor_;
    std::vector<std::uint8_t> pixels_;
};

} // namespace marrowvale
