#include "application.h"

#include "app_context.h"
#include "file_io.h"
#include "frm_main.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

namespace pellomar {

int runApplication(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pellomar"));
    QApplication::setApplicationVersion(QStringLiteral(PELLOMAR_VERSION));

    AppContext context;
    context.server = ServerAddress { QStringLiteral(PELLOMAR_DIRECTORY_HOST), 80 };
    context.referenceDir = QCoreApplication::applicationDirPath();
    context.dataDir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(context.dataDir);

    const FileRead countries
        = readWholeFile(context.referenceDir + QStringLiteral("/countries.txt"));
    const FileRead locations
        = readWholeFile(context.referenceDir + QStringLiteral("/locations.txt"));
    auto countryFile
        = ParseCountries(std::string_view(countries.data.constData(), countries.data.size()));
    auto locationFile
        = ParseLocationTypes(std::string_view(locations.data.constData(), locations.data.size()));

    frmMain window(context, std::move(countryFile.table), std::move(locationFile.table));
    window.show();
    return QApplication::exec();
}

} // namespace pellomar
