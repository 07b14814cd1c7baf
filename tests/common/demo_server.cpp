#include "common/demo_server.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QRegularExpression>

namespace pellomar::test {

DemoServer::~DemoServer()
{
    stop();
}

QString DemoServer::programPath()
{
    return qEnvironmentVariable("PELLOMAR_BIN_DIR") + QStringLiteral("/pellomar-directory");
}

bool DemoServer::programExists()
{
    const QFileInfo info(programPath());
    return info.isFile() && info.isExecutable();
}

ServerAddress DemoServer::address() const
{
    return ServerAddress { QStringLiteral("127.0.0.1"), m_port };
}

QString DemoServer::output()
{
    if (m_process.state() != QProcess::NotRunning)
        m_output += m_process.readAllStandardError();
    return QString::fromLocal8Bit(m_output);
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
    m_process.setProgram(programPath());
    m_process.setArguments(
        QStringList { QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0") } + extraArguments);
    m_process.start();
    if (!m_process.waitForStarted(timeoutMs)) {
        m_error
            = QStringLiteral("%1 did not start: %2").arg(programPath(), m_process.errorString());
        return false;
    }
    const QDeadlineTimer deadline(timeoutMs);
    QByteArray pending;
    while (!deadline.hasExpired()) {
        if (!m_process.canReadLine()
            && !m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())))) {
            if (m_process.state() == QProcess::NotRunning)
                break;
            continue;
        }
        while (m_process.canReadLine()) {
            const QByteArray line = m_process.readLine();
            m_output += line;
            if (const quint16 port = portFromListenLine(line)) {
                m_port = port;
                return true;
            }
        }
    }
    m_output += m_process.readAllStandardOutput() + m_process.readAllStandardError();
    m_error = QStringLiteral("%1 named no port: %2")
                  .arg(programPath(), QString::fromLocal8Bit(m_output));
    stop();
    return false;
}

void DemoServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    m_port = 0;
}

quint16 portFromListenLine(const QByteArray &line)
{
    static const QRegularExpression loopback(
        QStringLiteral(R"((?:127\.0\.0\.1|localhost)\]?:(\d{1,5})\b)"));
    const QRegularExpressionMatch match = loopback.match(QString::fromLatin1(line));
    if (!match.hasMatch())
        return 0;
    const uint port = match.captured(1).toUInt();
    return port > 0 && port <= 65535 ? quint16(port) : 0;
}

} // namespace pellomar::test
