#include "consolewriter.h"

#include <QString>

#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace {

// Written out in pieces of about this size, so that memory stays flat however much is written.
constexpr std::size_t flushAt = 64 * 1024;

} // namespace

ConsoleWriter::ConsoleWriter()
{
    m_buffer.reserve(2 * flushAt);
}

ConsoleWriter::~ConsoleWriter()
{
    flush();
}

void ConsoleWriter::written()
{
    if (m_buffer.size() >= flushAt)
        flush();
}

void ConsoleWriter::write(std::string_view bytes)
{
    m_buffer.append(bytes);
    written();
}

void ConsoleWriter::write(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    write(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

bool ConsoleWriter::flush()
{
    const char *from = m_buffer.data();
    std::size_t left = m_failed ? 0 : m_buffer.size();
    while (left > 0) {
#ifdef Q_OS_WIN
        const auto done = _write(1, from, unsigned(std::min<std::size_t>(left, 1u << 30)));
#else
        const auto done = ::write(1, from, left);
#endif
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            m_failed = true;
            break;
        }
        from += done;
        left -= std::size_t(done);
    }
    m_buffer.clear();
    return !m_failed;
}

void ignoreBrokenPipes()
{
#ifndef Q_OS_WIN
    std::signal(SIGPIPE, SIG_IGN);
#endif
}
