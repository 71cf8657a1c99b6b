#include "XvfbServer.h"

#include <QElapsedTimer>

namespace menugeral::test {
using namespace Qt::StringLiterals;

XvfbServer::~XvfbServer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(2000)) {
        m_process.kill();
        m_process.waitForFinished(2000);
    }
}

std::optional<QString> XvfbServer::start()
{
    // Xvfb writes the display's number to the descriptor once it accepts clients.
    QStringList arguments{u"-displayfd"_s,   u"1"_s,         u"-screen"_s, u"0"_s,
                          u"1280x1024x24"_s, u"-nolisten"_s, u"tcp"_s,     u"-noreset"_s};
    if (const QString wanted = qEnvironmentVariable("MENUGERAL_XVFB_DISPLAY"); !wanted.isEmpty())
        arguments.prepend(u':' + QString(wanted).remove(u':'));
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(u"Xvfb"_s, arguments);
    if (!m_process.waitForStarted())
        return u"Xvfb did not start (is it installed?): "_s + m_process.errorString();
    QElapsedTimer timer;
    timer.start();
    while (!m_process.canReadLine() && timer.elapsed() < 10000 && m_process.state() == QProcess::Running)
        m_process.waitForReadyRead(100);
    const QByteArray number = m_process.readLine().trimmed();
    if (number.isEmpty())
        return u"Xvfb did not report its display"_s;
    m_display = u':' + QString::fromLatin1(number);
    return std::nullopt;
}

} // namespace menugeral::test
