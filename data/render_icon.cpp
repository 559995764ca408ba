// SPDX-License-Identifier: MIT
// Renders an SVG icon to a square PNG with Qt's own SVG renderer, the one the tray uses.
//   quillstack_render_icon <in.svg> <size> <out.png>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: quillstack_render_icon <in.svg> <size> <out.png>\n", stderr);
        return 2;
    }
    bool sizeOk = false;
    const int size = QString::fromLocal8Bit(argv[2]).toInt(&sizeOk);
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!sizeOk || size <= 0 || !renderer.isValid()) {
        std::fprintf(stderr, "quillstack_render_icon: cannot render %s\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        renderer.render(&painter);
    }
    // An icon that draws nothing is a broken icon.
    bool drawn = false;
    for (int y = 0; y < size && !drawn; ++y) {
        for (int x = 0; x < size && !drawn; ++x) {
            drawn = qAlpha(image.pixel(x, y)) != 0;
        }
    }
    if (!drawn || !image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "quillstack_render_icon: nothing written for %s\n", argv[1]);
        return 1;
    }
    return 0;
}
