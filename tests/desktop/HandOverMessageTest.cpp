#include "desktop/HandOverMessage.h"

#include <climits>
#include <gtest/gtest.h>

using namespace marrowvale;

TEST(HandOverMessage, OnlyAWholeWellFormedMessageIsTaken) {
    using State = HandOverMessage::State;
    // Paths are bytes: a name that is not UTF-8 arrives as it was sent.
    const std::vector<std::filesystem::path> files = {
        "/home/a/Reel 1.xml", "/home/a/Vidéo\nnew.otio", "/home/a/bad\xffname.xml"};
    const QByteArray whole = encodeHandOver(files);
    HandOverMessage read = decodeHandOver(whole);
    EXPECT_EQ(read.state, State::complete);
    EXPECT_EQ(read.files, files);
    EXPECT_EQ(decodeHandOver(encodeHandOver({})).state, State::complete);

    const QByteArray overLimit =
        "marrowvale-open " + QByteArray::number(handOverSizeLimit + 1) + "\n";
    const auto pathOfBytes = [](std::size_t bytes) {
        return encodeHandOver({"/" + std::string(bytes - 1, 'p')});
    };
    const struct {
        QByteArray received;
        State state;
    } cases[] = {
        {"", State::incomplete},
        {"marrowvale-op", State::incomplete},
        {"marrowvale-open 12", State::incomplete},
        {whole.chopped(1), State::incomplete},
        {"garbage", State::invalid},
        {"GET / HTTP/1.1\r\n", State::invalid},
        {"marrowvale-open x\n", State::invalid},
        {"marrowvale-open \n", State::invalid},
        {"marrowvale-open -1\n", State::invalid},
        {"marrowvale-open 123456789", State::invalid},
        {overLimit, State::invalid},
        {QByteArray(handOverSizeLimit + 1, 'm'), State::invalid},
        {whole + "x", State::invalid},
        {QByteArray("marrowvale-open 4\n/a.x"), State::invalid},
        {QByteArray("marrowvale-open 6\na.xml") + '\0', State::invalid},
        {QByteArray("marrowvale-open 1\n") + '\0', State::invalid},
        {pathOfBytes(PATH_MAX - 1), State::complete},
        {pathOfBytes(PATH_MAX), State::invalid},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decodeHandOver(c.received).state, c.state) << c.received.left(40).toStdString();
    }
}
