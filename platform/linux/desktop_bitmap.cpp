#include "platform/linux/desktop_bitmap.h"

#include <QImage>
#include <QImageReader>
#include <QString>

namespace platform {

bool LoadDesktopBitmap(const std::string& path, DesktopBitmap& bitmap)
{
    QImageReader reader(QString::fromStdString(path));
    // The content decides, not the name: a converted picture is always a BMP,
    // and a renamed one is still shown when Qt can read it. The reader's
    // allocation limit refuses pictures too large to hold.
    reader.setAllocationLimit(512);
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return false;
    if (image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        return false;
    auto held = std::make_shared<QImage>(std::move(image));
    bitmap.width = held->width();
    bitmap.height = held->height();
    bitmap.stride = static_cast<int>(held->bytesPerLine() / 4);
    bitmap.pixels = reinterpret_cast<const std::uint32_t*>(held->constBits());
    bitmap.owner = held;
    return true;
}

}  // namespace platform
