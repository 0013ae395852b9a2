#include "ui/output/PngWriter.h"

#include <QIODevice>
#include <QImage>

#include <png.h>

#include <csetjmp>

namespace velmora
{

namespace
{

struct Sink {
    QIODevice *device;
    bool failed = false;
};

void writeBytes(png_structp png, png_bytep data, size_t length)
{
    auto *sink = static_cast<Sink *>(png_get_io_ptr(png));
    if (sink->failed
        || sink->device->write(reinterpret_cast<const char *>(data), qint64(length))
            != qint64(length))
        sink->failed = true;
}

void flushNothing(png_structp) { }

// libpng reports its errors by longjmp, so this frame holds no object with
// a destructor; `rows` are the image's own scan lines.
bool encode(png_structp png, png_infop info, const QImage &rgb32, Sink &sink)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, &sink, writeBytes, flushNothing);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    // On a chart, level 5 packs a little tighter than zlib's default 6, and
    // sooner.
    png_set_compression_level(png, 5);
    png_set_IHDR(png, info, png_uint_32(rgb32.width()), png_uint_32(rgb32.height()), 8,
        PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    if (rgb32.dotsPerMeterX() > 0 && rgb32.dotsPerMeterY() > 0)
        png_set_pHYs(png, info, png_uint_32(rgb32.dotsPerMeterX()),
            png_uint_32(rgb32.dotsPerMeterY()), PNG_RESOLUTION_METER);
    png_write_info(png, info);
    // RGB32 holds 0xffRRGGBB words: in memory B, G, R and a filler byte.
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    } else {
        png_set_filler(png, 0, PNG_FILLER_BEFORE);
    }
    for (int y = 0; y < rgb32.height(); ++y)
        png_write_row(png, rgb32.constScanLine(y));
    png_write_end(png, info);
    return true;
}

} // namespace

QString writePngImage(const QImage &image, QIODevice &device)
{
    if (image.isNull())
        return QStringLiteral("there is no image to write");
    const QImage rgb32 = image.convertToFormat(QImage::Format_RGB32);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return QStringLiteral("the PNG writer did not start");
    }
    Sink sink {&device};
    const bool encoded = encode(png, info, rgb32, sink);
    png_destroy_write_struct(&png, &info);
    if (sink.failed)
        return device.errorString();
    if (!encoded)
        return QStringLiteral("the PNG writer failed");
    return {};
}

} // namespace velmora
