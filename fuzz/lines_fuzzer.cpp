// Reads any bytes as standard input would bring them, through the line reader of the command
// line: the first byte picks how many bytes each read gives (and whether the input ends in an
// error), the second the longest line kept. The lines must be exactly those of a plain split on
// LF, less one CR at the end, blank ones left out, over-long ones cut and marked, each with its
// number; and every one of them goes to the notation parser as --convert sends it.

#include "linereader.h"
#include "notation.h"
#include "quietmessages.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void check(bool holds, const char *what, qint64 line)
{
    if (holds)
        return;
    std::fprintf(stderr, "line reader property broken: %s, at line %lld\n", what, line);
    std::abort();
}

bool blank(std::string_view line)
{
    return line.find_first_not_of(" \t\r\f\v") == std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(quietMessages);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2 || size > (1u << 22))
        return 0;
    const qint64 chunk = data[0] % 64 + 1;
    const bool endsInError = data[0] & 0x80;
    const qsizetype longest = data[1] % 32 + 1;
    const std::string_view input(reinterpret_cast<const char *>(data) + 2, size - 2);

    std::size_t at = 0;
    LineReader reader(
        [&](char *buffer, qint64 room) -> qint64 {
            const auto n = std::size_t(std::min<qint64>({room, chunk, qint64(input.size() - at)}));
            if (n == 0)
                return endsInError ? -1 : 0;
            std::memcpy(buffer, input.data() + at, n);
            at += n;
            return qint64(n);
        },
        longest);

    qint64 number = 0;
    std::size_t from = 0;
    while (from < input.size()) {
        const std::size_t newline = input.find('\n', from);
        const std::size_t end = newline == std::string_view::npos ? input.size() : newline;
        std::string_view line = input.substr(from, end - from);
        from = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const bool tooLong = qsizetype(line.size()) > longest;
        if (!tooLong && blank(line))
            continue;
        check(reader.next(), "a line for every line", number);
        check(reader.lineNumber() == number, "the line's number", number);
        check(reader.tooLong() == tooLong, "too long when longer than the limit", number);
        const std::string_view expected = tooLong ? line.substr(0, std::size_t(longest)) : line;
        check(reader.line() == expected, "the line's bytes", number);

        const std::string_view got = reader.line();
        const Notation::Result result
            = Notation::parse(QString::fromUtf8(got.data(), int(got.size())));
        check(
            result.request.has_value() == result.error.isEmpty(), "a request or a reason", number);
    }
    check(!reader.next(), "no line after the last", number);
    check(reader.failed() == endsInError, "an error reported as such", number);
    return 0;
}
