// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: renders the scalable icon to a square PNG of the given size
// through Qt's SVG image plugin, for the icon theme's fixed sizes.
//   render_icon <icon.svg> <size> <out.png>

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("usage: render_icon <icon.svg> <size> <out.png>\n", stderr);
        return 2;
    }
    // The SVG plugin draws with QPainter into an image: no display is needed.
    QCoreApplication app(argc, argv);
    const int size = QString::fromLocal8Bit(argv[2]).toInt();
    QImageReader reader(QString::fromLocal8Bit(argv[1]));
    reader.setScaledSize(QSize(size, size));
    const QImage image = reader.read();
    if (image.isNull() || size <= 0) {
        std::fprintf(stderr, "render_icon: %s: %s\n", argv[1], qPrintable(reader.errorString()));
        return 1;
    }
    if (!image.convertToFormat(QImage::Format_ARGB32).save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "render_icon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
