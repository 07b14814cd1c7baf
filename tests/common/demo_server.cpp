// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/demo_server.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace pellomar::test {

namespace {

constexpr QByteArrayView ListenLine = "listening on 127.0.0.1:";

} // namespace

DemoServer::~DemoServer()
{
    stop();
}

QString DemoServer::programPath()
{
    const QString dir = qEnvironmentVariableIsEmpty("PELLOMAR_BIN_DIR")
        ? QCoreApplication::applicationDirPath()
        : qEnvironmentVariable("PELLOMAR_BIN_DIR");
    return dir + QStringLiteral("/pellomar-directory");
}

bool DemoServer::programExists()
{
    const QFileInfo info(programPath());
    return info.isFile() && info.isExecutable();
}

QString DemoServer::output()
{
    QFile log(m_logDir.filePath(QStringLiteral("stderr.log")));
    const QByteArray requests = log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    m_output += m_process.readAllStandardOutput();
    return QString::fromLocal8Bit(m_output + requests);
}

bool DemoServer::start(const QStringList &extraArguments, int timeoutMs)
{
    stop();
    m_error.clear();
    m_output.clear();
    if (!programExists()) {
        m_error = QStringLiteral("%1 does not exist").arg(programPath());
        return false;
    }
    m_process.setStandardErrorFile(m_logDir.filePath(QStringLiteral("stderr.log")));
    m_process.setChildProcessModifier([fd = m_standardError] {
        if (fd && *fd < 0)
            close(STDERR_FILENO);
        else if (fd)
            dup2(*fd, STDERR_FILENO);
    });
    m_process.start(programPath(),
        QStringList { QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0") } + extraArguments);
    const QDeadlineTimer deadline(timeoutMs);
    while (m_process.waitForStarted(int(deadline.remainingTime())) && !deadline.hasExpired()) {
        if (!m_process.canReadLine()
            && !m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())))) {
            if (m_process.state() == QProcess::NotRunning)
                break;
            continue;
        }
        const QByteArray line = m_process.readLine();
        m_output += line;
        if (line.startsWith(ListenLine)) {
            m_port = quint16(line.mid(ListenLine.size()).trimmed().toUInt());
            return true;
        }
    }
    stop();
    m_error = QStringLiteral("%1 named no port: %2").arg(programPath(), output());
    return false;
}

int DemoServer::stop()
{
    m_port = 0;
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
            return -1;
        }
    }
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

} // namespace pellomar::test
