#include "linereader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// Large enough that a file is read in few calls, small enough to stay in the cache.
constexpr qsizetype chunkSize = 64 * 1024;

bool blank(std::string_view line)
{
    return std::all_of(line.begin(), line.end(),
        [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; });
}

} // namespace

LineReader::LineReader(Source source, qsizetype longest)
    : m_source(std::move(source))
    , m_longest(std::max<qsizetype>(longest, 1))
    , m_chunk(std::make_unique<char[]>(chunkSize))
{
    // The one allocation a line ever needs, plus the CR that may end it.
    m_line.reserve(std::size_t(m_longest) + 1);
}

LineReader::~LineReader() = default;

bool LineReader::fill()
{
    if (m_atEnd)
        return false;
    const qint64 got = m_source(m_chunk.get(), chunkSize);
    if (got <= 0) {
        m_atEnd = true;
        m_failed = got < 0;
        return false;
    }
    m_start = 0;
    m_end = qsizetype(got);
    return true;
}

void LineReader::keep(const char *bytes, qsizetype size)
{
    // One byte beyond the limit is kept, so that a CR there can still end the line.
    const qsizetype room = m_longest + 1 - qsizetype(m_line.size());
    if (size > room) {
        m_tooLong = true;
        size = std::max<qsizetype>(room, 0);
    }
    m_line.append(bytes, std::size_t(size));
}

bool LineReader::next()
{
    for (;;) {
        m_line.clear();
        m_tooLong = false;
        bool ended = false;
        bool any = false;
        while (!ended) {
            if (m_start == m_end && !fill())
                break;
            any = true;
            const char *from = m_chunk.get() + m_start;
            const auto *newline
                = static_cast<const char *>(std::memchr(from, '\n', std::size_t(m_end - m_start)));
            const qsizetype length = newline ? newline - from : m_end - m_start;
            keep(from, length);
            m_start += length + (newline ? 1 : 0);
            ended = newline != nullptr;
        }
        if (!any)
            return false;
        ++m_lineNumber;
        if (!m_line.empty() && m_line.back() == '\r' && !m_tooLong)
            m_line.pop_back();
        if (qsizetype(m_line.size()) > m_longest) {
            m_tooLong = true;
            m_line.resize(std::size_t(m_longest));
        }
        if (m_tooLong || !blank(m_line))
            return true;
    }
}

qint64 readStandardInput(char *buffer, qint64 size)
{
    for (;;) {
#ifdef Q_OS_WIN
        const qint64 got = _read(0, buffer, unsigned(std::min<qint64>(size, 1 << 30)));
#else
        const qint64 got = ::read(0, buffer, std::size_t(size));
#endif
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

bool standardInputIsTerminal()
{
#ifdef Q_OS_WIN
    return _isatty(0);
#else
    return isatty(0);
#endif
}
