// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/application.h"

#include "platform/app_context.h"
#include "platform/look.h"
#include "platform/message_box.h"
#include "shell/artwork.h"
#include "shell/command_line.h"
#include "shell/frm_main.h"
#include "shell/reference_files.h"
#include "shell/translations.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace pellomar {

namespace {

// A start-up failure: the program cannot run on.
constexpr int StartFailedStatus = 1;

void print(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

// Without a display Qt ends the program with a page about platform plugins; one line that says
// what is missing serves a user better.
const char *const NoDisplay = "pellomar: there is no display to show the window on (neither "
                              "DISPLAY nor WAYLAND_DISPLAY names one that works); start it in a "
                              "desktop session\n";

bool noDisplayNamed(const QByteArray &platform)
{
    return (platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland"))
        && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// A display that is named but cannot be reached shows only when Qt gives up on it.
QtMessageHandler qtHandler = nullptr;
void noDisplayReached(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg)
        return qtHandler(type, context, message);
    std::fputs(NoDisplay, stderr);
    std::_Exit(StartFailedStatus);
}

QStringList argumentList(int argc, char *argv[])
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

// Reports a failure that ends the start-up: on standard error, where a terminal or a test
// sees it, and in a box, where a user who started the program from the desktop sees it.
int startFailed(const QString &text, bool noDialogs)
{
    print(stderr, QStringLiteral("pellomar: %1\n").arg(QString(text).replace(u'\n', u' ')));
    if (!noDialogs)
        MessageBox::show(nullptr, QMessageBox::Critical, QString(), text);
    return StartFailedStatus;
}

// For the start-up benchmark (PELLOMAR_REPORT_STARTUP set): once the start-up reload has put
// its count on the window and that paint is done, prints "started in N ms" (from the start of
// runApplication) on standard output and ends the program.
class StartupReport : public QObject {
public:
    StartupReport(QLabel *resultCount, const QElapsedTimer &clock)
        : QObject(resultCount)
        , m_resultCount(resultCount)
        , m_clock(clock)
    {
        resultCount->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // The count is painted in the same pass as the rows; the report waits for its end.
        if (event->type() == QEvent::Paint && !m_reported && !m_resultCount->text().isEmpty()) {
            m_reported = true;
            QTimer::singleShot(0, this, [this] {
                print(stdout,
                    QStringLiteral("started in %1 ms\n").arg(double(m_clock.nsecsElapsed()) / 1e6));
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    QLabel *m_resultCount;
    QElapsedTimer m_clock;
    bool m_reported = false;
};

} // namespace

int runApplication(int argc, char *argv[])
{
    QElapsedTimer startClock;
    startClock.start();
    // The command line is read before QApplication exists, so that --help, --version and a
    // bad option work without a display.
    const CommandLine commandLine = parseCommandLine(
        argumentList(argc, argv), ServerAddress { QStringLiteral(PELLOMAR_DIRECTORY_HOST), 80 });
    print(stdout, commandLine.standardOutput);
    print(stderr, commandLine.standardError);
    if (!commandLine.start)
        return commandLine.exitStatus;
    const StartOptions &options = *commandLine.start;

    if (noDisplayNamed(options.platform.isEmpty() ? qgetenv("QT_QPA_PLATFORM")
                                                  : options.platform.toLocal8Bit())) {
        std::fputs(NoDisplay, stderr);
        return StartFailedStatus;
    }
    qtHandler = qInstallMessageHandler(noDisplayReached);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    installFontSubstitutions();
    QApplication::setApplicationName(QStringLiteral("pellomar"));
    QApplication::setApplicationVersion(QStringLiteral(PELLOMAR_VERSION));
    QApplication::setWindowIcon(programIcon());
    // The language is chosen before the first text is shown, start-up failures included.
    QStringList translationFolders = referenceFolders(QApplication::applicationDirPath());
    if (!options.referenceDir.isEmpty())
        translationFolders.prepend(options.referenceDir);
    installTranslations(QLocale::system(), translationFolders);

    if (options.noDialogs) {
        MessageBox::setResponder([](const MessageBox::Request &box) {
            print(stderr, QStringLiteral("pellomar: [%1] %2\n").arg(box.title, box.text));
            return QMessageBox::Ok;
        });
    }

    AppContext context;
    context.server = options.server;
    context.serverFromCommandLine = options.serverGiven;
    context.tileServer = options.tileServer;
    context.dataDir = options.dataDir.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
        : options.dataDir;
    if (!QDir().mkpath(context.dataDir)) {
        return startFailed(QCoreApplication::translate(
                               "pellomar::Application", "The data folder %1 cannot be created.")
                               .arg(QDir::toNativeSeparators(context.dataDir)),
            options.noDialogs);
    }
    context.referenceDir = options.referenceDir.isEmpty()
        ? chooseReferenceFolder(referenceFolders(QApplication::applicationDirPath()))
        : options.referenceDir;

    ReferenceLoad references = loadReferenceFiles(context.referenceDir);
    for (const QString &warning : std::as_const(references.warnings))
        print(stderr, QStringLiteral("pellomar: warning: %1\n").arg(warning));
    if (!references.data)
        return startFailed(references.error
                + QCoreApplication::translate(
                    "pellomar::Application", "\nPellomar cannot start without it."),
            options.noDialogs);

    frmMain window(std::move(context), std::move(references.data->countries),
        std::move(references.data->locationTypes));
    if (qEnvironmentVariableIsSet("PELLOMAR_REPORT_STARTUP"))
        new StartupReport(window.findChild<QLabel *>(QStringLiteral("lblResults")), startClock);
    window.show();
    return QApplication::exec();
}

} // namespace pellomar
