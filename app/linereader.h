#ifndef LINEREADER_H
#define LINEREADER_H

#include <QtGlobal>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

// Splits a stream of bytes into lines as they arrive, in constant memory however long a line
// is: each line keeps at most its first `longest` bytes, and the rest of an over-long line is
// read and dropped. Blank lines are skipped but counted; a line may end in LF or CR LF, and its
// bytes are handed on as they came, whatever their encoding.
class LineReader
{
public:
    // Fills the buffer with up to `size` bytes and returns how many; 0 at the end, below 0 on
    // an error, which ends the input too. It may return fewer than asked as soon as some bytes
    // are there, so that a line is handed on before more is typed.
    using Source = std::function<qint64(char *buffer, qint64 size)>;

    static constexpr qsizetype defaultLongest = 64 * 1024;

    explicit LineReader(Source source, qsizetype longest = defaultLongest);
    ~LineReader();
    LineReader(const LineReader &) = delete;
    LineReader &operator=(const LineReader &) = delete;

    // Reads the next line that is not blank; false at the end of the input.
    bool next();
    // The line read, without its line end; at most `longest` bytes.
    std::string_view line() const { return m_line; }
    // Counted from 1, blank lines included.
    qint64 lineNumber() const { return m_lineNumber; }
    // The line was longer than `longest` bytes, and line() holds only its start.
    bool tooLong() const { return m_tooLong; }
    // The source reported an error rather than the end.
    bool failed() const { return m_failed; }

private:
    bool fill();
    void keep(const char *bytes, qsizetype size);

    Source m_source;
    qsizetype m_longest;
    std::unique_ptr<char[]> m_chunk;
    qsizetype m_start = 0;
    qsizetype m_end = 0;
    std::string m_line;
    qint64 m_lineNumber = 0;
    bool m_tooLong = false;
    bool m_atEnd = false;
    bool m_failed = false;
};

// Reads standard input as it arrives, retrying when a signal interrupts the wait.
qint64 readStandardInput(char *buffer, qint64 size);
// Whether standard input is a terminal rather than a file or a pipe.
bool standardInputIsTerminal();

#endif // LINEREADER_H
