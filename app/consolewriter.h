#ifndef CONSOLEWRITER_H
#define CONSOLEWRITER_H

#include <string>
#include <string_view>

class QString;

// Standard output through one buffer, written out by flush() or once it grows large. A write that
// fails, as into a pipe whose reader has gone, is not retried: the writer only remembers it, so
// that the caller can stop quietly.
class ConsoleWriter
{
public:
    ConsoleWriter();
    ~ConsoleWriter();
    ConsoleWriter(const ConsoleWriter &) = delete;
    ConsoleWriter &operator=(const ConsoleWriter &) = delete;

    // The text grows here; call written() when done with it.
    std::string &buffer() { return m_buffer; }
    void written();
    void write(std::string_view bytes);
    void write(const QString &text); // as UTF-8
    // False once a write has failed.
    bool flush();
    bool failed() const { return m_failed; }

private:
    std::string m_buffer;
    bool m_failed = false;
};

// A closed pipe makes the write fail with EPIPE instead of ending the process by a signal.
void ignoreBrokenPipes();

#endif // CONSOLEWRITER_H
