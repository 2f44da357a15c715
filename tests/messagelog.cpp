#include "messagelog.h"

namespace {
MessageLog *activeLog = nullptr;
}

MessageLog::MessageLog()
{
    m_outer = activeLog;
    activeLog = this;
    m_previous = qInstallMessageHandler(&MessageLog::handler);
}

MessageLog::~MessageLog()
{
    qInstallMessageHandler(m_previous);
    activeLog = m_outer;
}

void MessageLog::clear()
{
    m_lines.clear();
    m_files.clear();
}

void MessageLog::handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtDebugMsg) {
        // Anything louder than the trace is a fault; let the test framework report it.
        if (activeLog && activeLog->m_previous)
            activeLog->m_previous(type, context, message);
        return;
    }
    activeLog->m_lines.append(message);
    activeLog->m_files.append(QString::fromUtf8(context.file ? context.file : ""));
}
