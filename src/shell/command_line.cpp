// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/command_line.h"

#include "map/tile_source.h"

#include <QCommandLineParser>
#include <QDir>
#include <array>
#include <utility>

namespace pellomar {

using namespace Qt::StringLiterals;

namespace {

// Options that QApplication takes out of the command line itself ("=": with a value); they must
// not count as unknown here, since the command line is read before QApplication exists.
const char *const QtOptions[] = { "platform=", "platformpluginpath=", "platformtheme=", "plugin=",
    "style=", "stylesheet=", "qwindowgeometry=", "qwindowtitle=", "qwindowicon=", "display=",
    "geometry=", "session=", "reverse", "nograb", "dograb", "sync" };

CommandLine usageError(const QString &program, const QString &reason)
{
    CommandLine result;
    result.exitStatus = BadUsageStatus;
    result.standardError
        = QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(program, reason);
    return result;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments, const ServerAddress &defaultServer)
{
    const QString program = QStringLiteral("pellomar");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Finds public wireless hotspots in an online hotspot directory."));
    // Qt's own options are written with one dash ("-platform offscreen").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(
        { QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("Show this help."));
    const QCommandLineOption version(
        { QStringLiteral("v"), QStringLiteral("version") }, QStringLiteral("Show the version."));
    const QCommandLineOption server(QStringLiteral("server"),
        QStringLiteral("The hotspot directory server, HOST or HOST:PORT (default %1).")
            .arg(defaultServer.hostHeader()),
        QStringLiteral("HOST[:PORT]"));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
        QStringLiteral("The folder of the last search's results (tmp.txt) and the last "
                       "location image (img.dat); created if missing (default the per-user "
                       "data folder)."),
        QStringLiteral("DIR"));
    const QCommandLineOption tileServer(QStringLiteral("tile-server"),
        QStringLiteral("The map's tile server, an http:// or https:// address holding {z}, {x} "
                       "and {y} (default OpenStreetMap's, or the one the settings name)."),
        QStringLiteral("URL"));
    QCommandLineOption referenceDir(QStringLiteral("reference-dir"),
        QStringLiteral("Read countries.txt and locations.txt from DIR."), QStringLiteral("DIR"));
    referenceDir.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption noDialogs(QStringLiteral("no-dialogs"),
        QStringLiteral("Write the text of message boxes to standard error instead of showing "
                       "them."));
    noDialogs.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({ help, version, server, dataDir, tileServer, referenceDir, noDialogs });
    for (const char *qtOption : QtOptions) {
        QString name = QString::fromLatin1(qtOption);
        const bool withValue = name.endsWith(u'=');
        QCommandLineOption option(
            name.remove(u'='), QString(), withValue ? QStringLiteral("value") : QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    if (!parser.parse(arguments))
        return usageError(program, parser.errorText());

    CommandLine result;
    if (parser.isSet(help)) {
        // Without a QCoreApplication the parser cannot know the program's name.
        result.standardOutput
            = parser.helpText().replace(QStringLiteral("<executable_name>"), program);
        return result;
    }
    if (parser.isSet(version)) {
        result.standardOutput = QStringLiteral(
            "%1 %2\nLicence GPL-3.0-or-later: GNU GPL version 3 or later "
            "<https://www.gnu.org/licenses/gpl.html>.\nThis is free software: you are free to "
            "change and share it. There is NO WARRANTY, to the extent permitted by law.\n")
                                    .arg(program, QStringLiteral(PELLOMAR_VERSION));
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(program,
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    }
    const std::array<const QCommandLineOption *, 4> singleValued { &server, &dataDir, &tileServer,
        &referenceDir };
    for (const QCommandLineOption *once : singleValued) {
        if (parser.values(*once).size() > 1) {
            return usageError(
                program, QStringLiteral("--%1 given more than once").arg(once->names().first()));
        }
    }

    StartOptions options;
    options.server = defaultServer;
    if (parser.isSet(server)) {
        const QString text = parser.value(server);
        const auto parsed = ServerAddress::parse(text);
        if (!parsed)
            return usageError(program, u"--server: "_s + ServerAddress::problemWith(text));
        options.server = *parsed;
        options.serverGiven = true;
    }
    const std::array<std::pair<const QCommandLineOption *, QString *>, 2> folders {
        { { &dataDir, &options.dataDir }, { &referenceDir, &options.referenceDir } }
    };
    for (const auto &[option, target] : folders) {
        if (!parser.isSet(*option))
            continue;
        const QString folder = parser.value(*option);
        if (folder.trimmed().isEmpty())
            return usageError(
                program, QStringLiteral("--%1 needs a folder").arg(option->names().first()));
        *target = QDir::cleanPath(QDir::current().absoluteFilePath(folder));
    }
    if (parser.isSet(tileServer)) {
        options.tileServer = parser.value(tileServer);
        if (const QString problem = tileTemplateProblem(options.tileServer); !problem.isEmpty())
            return usageError(program, QStringLiteral("--tile-server: %1").arg(problem));
    }
    options.noDialogs = parser.isSet(noDialogs);
    options.platform = parser.value(QStringLiteral("platform"));
    result.start = options;
    return result;
}

} // namespace pellomar
