// Renders the application's SVG icon to PNG files of the hicolor theme's
// sizes: render_icon SOURCE.svg OUTPUT_FOLDER SIZE... writes
// OUTPUT_FOLDER/SIZExSIZE/apps/brimo.png for each size.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: render_icon SOURCE.svg OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    QSvgRenderer renderer(arguments.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    for (qsizetype i = 3; i < arguments.size(); ++i) {
        const int size = arguments.at(i).toInt();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(arguments.at(2)).arg(size);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        if (size <= 0 || !QDir().mkpath(folder) || !image.save(folder + QStringLiteral("/brimo.png"))) {
            std::fprintf(stderr, "render_icon: cannot write size %s\n", qPrintable(arguments.at(i)));
            return 1;
        }
    }
    return 0;
}
