#include "platform/gui/image_decoder.h"
#include "platform/testing/temp_folder.h"

#include <gtest/gtest.h>

#include <QImage>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>

namespace zt::platform::gui {
namespace {

class ImageDecoderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_dir.path().empty()); }
    zt::platform::testing::TempFolder m_dir { "zt-gui" };
};

// 3 x 2 with distinct colours; width 3 makes 9-byte rows padded to 12.
QImage sample_image() {
    QImage image(3, 2, QImage::Format_RGB888);
    image.setPixelColor(0, 0, QColor(255, 0, 0));
    image.setPixelColor(1, 0, QColor(0, 255, 0));
    image.setPixelColor(2, 0, QColor(0, 0, 255));
    image.setPixelColor(0, 1, QColor(10, 20, 30));
    image.setPixelColor(1, 1, QColor(40, 50, 60));
    image.setPixelColor(2, 1, QColor(70, 80, 90));
    return image;
}

TEST_F(ImageDecoderTest, PngBecomesBottomUpBgrWithPaddedRows) {
    auto path = m_dir / "sample.png";
    ASSERT_TRUE(sample_image().save(QString::fromStdString(path.string()), "PNG"));
    auto decoded = decode_image_file(path);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 3);
    EXPECT_EQ(decoded->height, 2);
    EXPECT_EQ(decoded->stride, 12);
    ASSERT_EQ(decoded->bits.size(), 24u);
    // The top row is stored last: red, green, blue as B,G,R triples.
    const uint8_t* top = decoded->bits.data() + 12;
    EXPECT_EQ(top[0], 0);
    EXPECT_EQ(top[2], 255) << "top-left is red";
    EXPECT_EQ(top[4], 255) << "then green";
    EXPECT_EQ(top[6], 255) << "then blue";
    const uint8_t* bottom = decoded->bits.data();
    EXPECT_EQ(bottom[0], 30);
    EXPECT_EQ(bottom[1], 20);
    EXPECT_EQ(bottom[2], 10);
}

TEST_F(ImageDecoderTest, ContentDecidesTheFormatAndBytesDecodeAlike) {
    auto path = m_dir / "sample.zip";  // a PNG under a misleading extension
    ASSERT_TRUE(sample_image().save(QString::fromStdString(path.string()), "PNG"));
    auto from_file = decode_image_file(path);
    ASSERT_TRUE(from_file);
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto from_bytes = decode_image_bytes(bytes);
    ASSERT_TRUE(from_bytes);
    EXPECT_EQ(from_file->bits, from_bytes->bits);
}

// Formats announced by their first bytes and formats that are not both decode, whatever the
// file is called.
TEST_F(ImageDecoderTest, EveryFormatDecodesWhateverItsName) {
    for (const char* format : { "BMP", "JPEG", "GIF", "TIFF", "ICO", "TGA" }) {
        QImage image(4, 4, QImage::Format_RGB888);
        image.fill(QColor(200, 200, 200));
        auto path = m_dir / (std::string("picture.") + (std::string(format) == "BMP" ? "png" : "bmp"));
        if (!image.save(QString::fromStdString(path.string()), format)) continue;  // no plugin on this machine
        auto decoded = decode_image_file(path);
        ASSERT_TRUE(decoded) << format;
        EXPECT_EQ(decoded->width, 4) << format;
        EXPECT_NEAR(decoded->bits[0], 200, 8) << format;
    }
}

TEST_F(ImageDecoderTest, AFifoNamedLikeAnImageGivesNothingAtOnce) {
    auto path = m_dir / "fifo.png";
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    auto decoding = std::async(std::launch::async, [&] { return decode_image_file(path).has_value(); });
    if (decoding.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        std::ofstream unblock(path);  // lets the hung reader go before failing
        FAIL() << "decoding a FIFO waited for a writer";
    }
    EXPECT_FALSE(decoding.get());
}

TEST_F(ImageDecoderTest, TransparencyIsComposedOverBlack) {
    QImage image(1, 1, QImage::Format_ARGB32);
    image.setPixelColor(0, 0, QColor(200, 100, 50, 0));
    auto path = m_dir / "clear.png";
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "PNG"));
    auto decoded = decode_image_file(path);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->bits[0], 0);
    EXPECT_EQ(decoded->bits[1], 0);
    EXPECT_EQ(decoded->bits[2], 0);
}

TEST_F(ImageDecoderTest, BadInputGivesNothing) {
    EXPECT_FALSE(decode_image_file(m_dir / "missing.png"));
    EXPECT_FALSE(decode_image_file(m_dir.path()));
    auto garbage = m_dir / "garbage.png";
    std::ofstream(garbage) << "this is not an image at all";
    EXPECT_FALSE(decode_image_file(garbage));
    std::vector<uint8_t> truncated = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0 };
    EXPECT_FALSE(decode_image_bytes(truncated));
    EXPECT_FALSE(decode_image_bytes({}));
}

TEST_F(ImageDecoderTest, OversizedImageIsRefused) {
    QImage wide(kMaxDecodedSide + 1, 1, QImage::Format_RGB888);
    wide.fill(Qt::white);
    auto path = m_dir / "wide.png";
    ASSERT_TRUE(wide.save(QString::fromStdString(path.string()), "PNG"));
    EXPECT_FALSE(decode_image_file(path));
}

}  // namespace
}  // namespace zt::platform::gui
