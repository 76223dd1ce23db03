#include "GeneratedMedia.h"
#include "media/CodecContext.h"
#include "media/FormatContext.h"
#include "media/Frame.h"
#include "media/Packet.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

// The owned handles decode a movie's first picture end to end.
TEST(FFmpegLayer, DecodesTheFirstPicture) {
    const GeneratedMedia media;
    FormatContext file = FormatContext::open(media.movie("24.mov", "24", "01:00:00:00"));
    ASSERT_TRUE(file.findStreamInfo());
    const int videoIndex = av_find_best_stream(file.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    ASSERT_GE(videoIndex, 0);
    CodecContext decoder = CodecContext::openDecoder(
        *file.stream(static_cast<unsigned>(videoIndex)), ProbeLimits{}.maxPicturePixels);

    Packet packet;
    Frame frame;
    bool decoded = false;
    while (!decoded && file.readPacket(packet)) {
        if (packet.streamIndex() == videoIndex) {
            decoder.sendPacket(packet);
            decoded = decoder.receiveFrame(frame) == CodecContext::Received::frame;
        }
    }
    if (!decoded) {
        decoder.sendEndOfStream();
        decoded = decoder.receiveFrame(frame) == CodecContext::Received::frame;
    }
    ASSERT_TRUE(decoded);
    EXPECT_EQ(frame.get()->width, 32);
    EXPECT_EQ(frame.get()->height, 24);
}

} // namespace
} // namespace marrowvale::testing
