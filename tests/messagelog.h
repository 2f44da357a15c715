#ifndef MESSAGELOG_H
#define MESSAGELOG_H

#include <QString>
#include <QStringList>
#include <QtGlobal>

// Collects the debug messages written while it lives, so a test can compare the trace line by line.
// Logs nest: the innermost one collects.
class MessageLog
{
public:
    MessageLog();
    ~MessageLog();
    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;

    QStringList lines() const { return m_lines; }
    QStringList files() const { return m_files; }
    int count(const QString &line) const { return m_lines.count(line); }
    void clear();

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);

    QStringList m_lines;
    QStringList m_files;
    QtMessageHandler m_previous = nullptr;
    MessageLog *m_outer = nullptr;
};

#endif // MESSAGELOG_H
