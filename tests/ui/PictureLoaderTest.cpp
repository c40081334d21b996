// The picture loader on one small file of each kind, made by ImageMagick (a placeable
// metafile written byte by byte), against the pixels ImageMagick decodes from the same
// file; and on files that lie about their size, are cut short or are not files at all.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>

#include "support/QtEvents.h"
#include "support/TempDir.h"
#include "ui/viewer/PictureLoader.h"

namespace {

const QString kPictures = QStringLiteral(SONORAIL_TEST_DATA "/pictures/");

// How many pixels differ from the reference by more than tolerance in any channel.
int differingPixels(const QImage& shown, const QImage& reference, int tolerance)
{
    const QImage a = shown.convertToFormat(QImage::Format_ARGB32);
    const QImage b = reference.convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const bool transparent = qAlpha(p) == 0 && qAlpha(q) == 0;  // colour under no alpha is moot
            if (!transparent &&
                (std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                 std::abs(qBlue(p) - qBlue(q)) > tolerance || std::abs(qAlpha(p) - qAlpha(q)) > tolerance))
                ++differing;
        }
    return differing;
}

struct Sample {
    const char* file;
    int tolerance;          // per channel
    double differingShare;  // of the pixels, for renderers that may place an edge otherwise
};

TEST(PictureLoaderTest, EveryKindShowsAtItsOwnSizeWithImageMagicksPixels)
{
    const Sample samples[] = {
        {"sample.bmp", 0, 0}, {"sample.png", 0, 0}, {"sample.pcx", 0, 0},    {"sample-palette.pcx", 0, 0},
        {"sample.ico", 0, 0}, {"sample.jpg", 4, 0}, {"sample.wmf", 8, 0.03},
    };
    for (const Sample& sample : samples) {
        SCOPED_TRACE(sample.file);
        const QImage reference(kPictures + sample.file + ".reference.png");
        ASSERT_FALSE(reference.isNull());
        const QImage shown = PictureLoader::load(kPictures + sample.file, 96);
        ASSERT_EQ(shown.size(), reference.size());
        EXPECT_LE(differingPixels(shown, reference, sample.tolerance),
                  static_cast<int>(sample.differingShare * shown.width() * shown.height()));
    }
}

TEST(PictureLoaderTest, TheContentDecidesTheKindAndTheNameOnlyWhenItCannot)
{
    TempDir home;
    // A PNG named .bmp is still a PNG; a headerless metafile is known by its name alone.
    std::filesystem::copy_file((kPictures + "sample.png").toStdString(), home.file("really-a-png.bmp"));
    EXPECT_EQ(PictureLoader::load(QString::fromStdString(home.file("really-a-png.bmp"))).size(), QSize(13, 7));
    const QByteArray metafile = qt_test::fileBytes(kPictures + "sample.wmf");
    EXPECT_EQ(PictureLoader::decode(metafile.mid(22), PictureKind::Metafile).isNull(), false)
        << "a metafile without its placeable header still renders";
    EXPECT_TRUE(PictureLoader::decode("plain words, no picture", PictureKind::Unknown).isNull());
    EXPECT_EQ(PictureLoader::kindOfName("C:/A.DIR/photo.JpG"), PictureKind::Jpeg);
    EXPECT_EQ(PictureLoader::kindOfName("photo.jpeg"), PictureKind::Unknown);
}

TEST(PictureLoaderTest, MetafilesRenderAtTheirPlaceableSizeAtTheScreensResolution)
{
    const QByteArray metafile = qt_test::fileBytes(kPictures + "sample.wmf");  // 1 x 2/3 inch
    EXPECT_EQ(PictureLoader::decode(metafile, PictureKind::Unknown, 96).size(), QSize(96, 64));
    EXPECT_EQ(PictureLoader::decode(metafile, PictureKind::Unknown, 144).size(), QSize(144, 96));
}

TEST(PictureLoaderTest, IconsShowTheirLargestPicture)
{
    const QImage icon = PictureLoader::load(kPictures + "sample.ico");
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.pixelColor(16, 16), QColor(0xf0, 0xf0, 0x20));
}

// A JPEG whose EXIF orientation tag says "rotate 90 degrees clockwise to view".
QByteArray withExifOrientation(const QByteArray& jpeg, quint16 orientation)
{
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    tiff += QByteArray("\x01\0", 2);                    // one entry
    tiff += QByteArray("\x12\x01\x03\0\x01\0\0\0", 8);  // Orientation, SHORT, count 1
    tiff += QByteArray(reinterpret_cast<const char*>(&orientation), 2) + QByteArray(2, '\0');
    tiff += QByteArray(4, '\0');  // no next directory
    const QByteArray exif = QByteArray("Exif\0\0", 6) + tiff;
    const int length = exif.size() + 2;
    QByteArray segment("\xFF\xE1", 2);
    segment += static_cast<char>(length >> 8);
    segment += static_cast<char>(length & 0xFF);
    return jpeg.left(2) + segment + exif + jpeg.mid(2);
}

TEST(PictureLoaderTest, PhotosStandAsTheirOrientationTagSays)
{
    const QByteArray jpeg = qt_test::fileBytes(kPictures + "sample.jpg");  // 40 x 30, a black bar on the left
    const QImage upright = PictureLoader::decode(withExifOrientation(jpeg, 6), PictureKind::Jpeg);
    ASSERT_EQ(upright.size(), QSize(30, 40));
    EXPECT_LT(qGray(upright.pixel(15, 8)), 40) << "the bar is on top after turning clockwise";
}

// Headers that claim far more pixels than the cap allows, for every format whose header
// tells its size; none may be decoded.
QByteArray bitmapHeader(qint32 width, qint32 height)
{
    QByteArray bytes = qt_test::fileBytes(kPictures + "sample.bmp");
    std::memcpy(bytes.data() + 18, &width, 4);
    std::memcpy(bytes.data() + 22, &height, 4);
    return bytes;
}

quint32 crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

QByteArray pngHeader(quint32 width, quint32 height)
{
    QByteArray bytes = qt_test::fileBytes(kPictures + "sample.png");
    const auto bigEndian = [&](int offset, quint32 value) {
        for (int i = 0; i < 4; ++i)
            bytes[offset + i] = static_cast<char>(value >> (24 - 8 * i));
    };
    bigEndian(16, width);
    bigEndian(20, height);
    bigEndian(29, crc32(bytes.mid(12, 17)));  // a valid header chunk, so only the size can refuse it
    return bytes;
}

QByteArray pcxHeader(quint16 right, quint16 bottom)
{
    QByteArray bytes = qt_test::fileBytes(kPictures + "sample.pcx");
    std::memcpy(bytes.data() + 8, &right, 2);
    std::memcpy(bytes.data() + 10, &bottom, 2);
    return bytes;
}

QByteArray metafileHeader(qint16 right, qint16 bottom, quint16 unitsPerInch)
{
    QByteArray bytes = qt_test::fileBytes(kPictures + "sample.wmf");
    std::memcpy(bytes.data() + 10, &right, 2);
    std::memcpy(bytes.data() + 12, &bottom, 2);
    std::memcpy(bytes.data() + 14, &unitsPerInch, 2);
    return bytes;
}

TEST(PictureLoaderTest, PicturesClaimingMoreThanTheCapAreRefusedFromTheirHeaders)
{
    EXPECT_TRUE(PictureLoader::decode(bitmapHeader(60000, 60000)).isNull());
    EXPECT_TRUE(PictureLoader::decode(pngHeader(9000, 8000)).isNull());
    EXPECT_TRUE(PictureLoader::decode(pcxHeader(65535, 65535)).isNull());
    EXPECT_TRUE(PictureLoader::decode(pcxHeader(0, 0).replace(4, 4, QByteArray("\x05\0\x05\0", 4))).isNull())
        << "corners the wrong way round";
    // Within the cap, but with far fewer bytes than its rows need even at the best compression.
    const QByteArray sample = qt_test::fileBytes(kPictures + "sample.pcx");
    const QByteArray lying = pcxHeader(7999, 7999);
    EXPECT_TRUE(PictureHeader::pcxHoldsItsRows(std::string_view(sample.constData(), sample.size())));
    EXPECT_FALSE(PictureHeader::pcxHoldsItsRows(std::string_view(lying.constData(), lying.size())));
    EXPECT_FALSE(PictureHeader::pcxHoldsItsRows(std::string_view(sample.constData(), 130)));
    EXPECT_TRUE(PictureLoader::decode(metafileHeader(32767, 32767, 1)).isNull());  // 32767 inches square
    EXPECT_TRUE(PictureLoader::decode(metafileHeader(1440, 960, 0)).isNull()) << "no units per inch";
}

TEST(PictureLoaderTest, TruncatedAndEmptyFilesShowNothingOrWhatTheyHold)
{
    const char* const files[] = {"sample.bmp", "sample.png", "sample.pcx", "sample.ico", "sample.jpg", "sample.wmf"};
    for (const char* file : files) {
        SCOPED_TRACE(file);
        const QByteArray whole = qt_test::fileBytes(kPictures + file);
        for (const qsizetype length : {qsizetype(0), qsizetype(1), qsizetype(10), whole.size() / 2, whole.size() - 1}) {
            const QImage image = PictureLoader::decode(whole.left(length), PictureLoader::kindOfName(file));
            EXPECT_LE(image.width(), 96);  // never anything larger than the file could describe
        }
    }
}

TEST(PictureLoaderTest, WhatIsNotAReadableFileShowsNothing)
{
    TempDir home;
    home.write("empty.png", "");
    std::filesystem::create_directory(home.path() / "folder.bmp");
    ASSERT_EQ(mkfifo(home.file("pipe.jpg").c_str(), 0600), 0);  // opening it for reading would wait forever
    std::filesystem::create_symlink("/proc/self/mem", home.path() / "unreadable.pcx");  // reading fails with EIO
    for (const char* name : {"empty.png", "folder.bmp", "pipe.jpg", "unreadable.pcx", "missing.ico"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(PictureLoader::load(QString::fromStdString(home.file(name))).isNull());
    }
}

}  // namespace
