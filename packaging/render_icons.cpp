// Writes the program's icon as PNG files in the hicolor theme layout, so the desktop shows the
// same picture the windows carry: <out>/hicolor/<N>x<N>/apps/<name>.png for every size the
// artwork draws. Runs at build time.
#include "shell/artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: pellomar-render-icons OUTDIR NAME\n");
        return 2;
    }
    const QDir out(args.at(1));
    const QString name = args.at(2);
    const QIcon icon = pellomar::programIcon();
    const QList<QSize> sizes = icon.availableSizes();
    if (sizes.isEmpty()) {
        std::fprintf(stderr, "pellomar-render-icons: the artwork drew no icon\n");
        return 1;
    }
    for (const QSize &size : sizes) {
        const QString folder
            = QStringLiteral("hicolor/%1x%2/apps").arg(size.width()).arg(size.height());
        const QString file = out.filePath(folder + u'/' + name + QStringLiteral(".png"));
        // One image pixel per icon pixel, whatever the build machine's screen.
        const QPixmap pixmap = icon.pixmap(size, 1.0);
        if (!out.mkpath(folder) || pixmap.size() != size || !pixmap.save(file, "PNG")) {
            std::fprintf(stderr, "pellomar-render-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
