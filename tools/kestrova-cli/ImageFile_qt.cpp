#include "ImageFile.h"

#include <QImage>
#include <QString>

#include <cstring>

namespace kestrova::cli {

std::optional<Image> readImageFile(const std::string& path) {
    const QImage source(QString::fromStdString(path));
    if (source.isNull())
        return std::nullopt;
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    Image image(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(image.row(y), rgb.constScanLine(y), static_cast<std::size_t>(rgb.width()) * 4);
    return image;
}

}  // namespace kestrova::cli
