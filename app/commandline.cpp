#include "commandline.h"

#include "consolewriter.h"
#include "conversion.h"
#include "linereader.h"
#include "prismora.h"

#include <QCommandLineParser>
#include <QLoggingCategory>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int success = 0;
constexpr int usageError = 2;

// The toolkit's own options, which QApplication takes out of the arguments before the window
// starts. Known here, hidden from the help, so that they are neither unknown options nor read as
// a colour.
struct ToolkitOption
{
    const char *name;
    bool takesValue;
};

constexpr ToolkitOption toolkitOptions[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"qmljsdebugger", true},
    {"session", true},
    {"style", true},
    {"stylesheet", true},
    // X11 only.
    {"display", true},
    {"geometry", true},
    {"title", true},
    {"icon", true},
    {"name", true},
    {"visual", true},
    {"sync", false},
    {"reverse", false},
    {"widgetcount", false},
    {"nograb", false},
    {"dograb", false},
    {"testability", false},
};

QStringList argumentList(int argc, char **argv)
{
    // As QCoreApplication::arguments() decodes them.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// The engine traces every HSL conversion on the debug log; on the console that is noise beside
// the answer unless the user's own logging rules ask for debug output. A category of the same name
// whose debug output starts off tells whether any rule, from any source, turns it on.
void quietEngineTrace()
{
    const QLoggingCategory probe("default", QtInfoMsg);
    if (!probe.isDebugEnabled())
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
}

// --format mapped: the nearest sRGB colour, which the copy menu offers beside the others.
constexpr int mappedFormat = -2;
const char *const mappedName = "mapped";

QStringList formatNames()
{
    QStringList names;
    for (const Notation::CopyFormat &format : Notation::copyFormats())
        names << QLatin1String(format.id);
    return names << QLatin1String(mappedName);
}

// Whether a window could be shown at all: without one the toolkit aborts with its own message.
bool displayGiven(bool platformOption)
{
    if (platformOption || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    return !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

// Converts colour after colour into one buffered output, reusing the text and the engine so
// that a long stream allocates nothing per colour.
class Converter
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    Converter(ConsoleWriter &out, bool json, int format, bool round)
        : m_out(out)
        , m_json(json)
        , m_format(format)
        , m_program(QCoreApplication::applicationName())
        // A batch traces one cascade instead of every setter's; whoever reads the trace gets all.
        , m_traced(QLoggingCategory::defaultCategory()->isDebugEnabled())
    {
        if (round)
            m_fresh.set_rgb_rounding(Prismora::RgbRounding::Nearest);
        m_text.reserve(LineReader::defaultLongest);
    }

    // Names the colour that follows in messages: an argument, or none for the only one.
    void nameArgument(const QString &name)
    {
        m_name = name;
        m_lineNumber = 0;
    }

    void convert(const QString &text)
    {
        const Notation::Result result = Notation::parse(text);
        if (!result.request)
            return fail(text, result.error);
        m_engine = m_fresh;
        if (m_traced) {
            Notation::apply(*result.request, m_engine);
        } else {
            const Prismora::Batch batch(m_engine);
            Notation::apply(*result.request, m_engine);
        }
        if (result.request->alphaIgnored)
            warn(Notation::alphaIgnoredMessage());
        std::string &out = m_out.buffer();
        if (m_json) {
            Conversion::appendJson(out, m_engine, text);
        } else if (m_format == mappedFormat) {
            m_out.write(Notation::hexOf(m_engine.nearest_srgb()) + QLatin1Char('\n'));
        } else if (m_format == 0) {
            // As the hex copy format writes it, without its QString.
            Conversion::appendHex(out, m_engine);
            out += '\n';
        } else if (m_format > 0) {
            m_out.write(Notation::copyFormats()[std::size_t(m_format)].format(m_engine)
                + QLatin1Char('\n'));
        } else {
            Conversion::appendText(out, m_engine);
        }
        m_out.written();
    }

    // Every line of standard input; false once the output has gone.
    bool convertInput()
    {
        // Whatever is written goes out before the wait for more input, so that a pipe sees each
        // result as soon as it is ready, and a file is written in large pieces.
        LineReader lines([this](char *buffer, qint64 size) {
            return m_out.flush() ? readStandardInput(buffer, size) : -1;
        });
        while (!m_out.failed() && lines.next()) {
            m_lineNumber = lines.lineNumber();
            const std::string_view line = lines.line();
            if (lines.tooLong()) {
                fail(decode(line),
                    tr("The line is longer than %1 bytes.").arg(LineReader::defaultLongest));
                continue;
            }
            if (!decodeInto(line))
                fail(m_text, tr("The line is not UTF-8 text."));
            else
                convert(m_text);
        }
        m_lineNumber = 0;
        m_name.clear();
        if (lines.failed() && !m_out.failed()) {
            m_failed = true;
            warn(tr("Standard input could not be read."));
        }
        return !m_out.failed();
    }

    bool anyFailed() const { return m_failed; }

private:
    static QString decode(std::string_view bytes)
    {
        return QString::fromUtf8(bytes.data(), int(bytes.size()));
    }

    // The line as text in m_text; false when it is not UTF-8, decoded then with replacements.
    bool decodeInto(std::string_view bytes)
    {
        const bool ascii = std::all_of(bytes.begin(), bytes.end(),
            [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        if (!ascii) {
            m_text = decode(bytes);
            // Broken sequences come back as replacement characters, which encode otherwise.
            const QByteArray again = m_text.toUtf8();
            return std::string_view(again.constData(), std::size_t(again.size())) == bytes;
        }
        // Latin-1 is ASCII here; filled in place, the text keeps its memory from line to line.
        m_text.resize(int(bytes.size()));
        QChar *to = m_text.data();
        for (const char c : bytes)
            *to++ = QLatin1Char(c);
        return true;
    }

    void fail(const QString &text, const QString &reason)
    {
        m_failed = true;
        if (m_json) {
            Conversion::appendJsonError(m_out.buffer(), text, reason);
            m_out.written();
        }
        warn(reason);
    }

    void warn(const QString &message)
    {
        // After the results before it, where both go to one terminal or file.
        m_out.flush();
        QString line = m_program + QStringLiteral(": ");
        if (m_lineNumber > 0)
            line += tr("line %1").arg(m_lineNumber) + QStringLiteral(": ");
        else if (!m_name.isEmpty())
            line += m_name + QStringLiteral(": ");
        print(stderr, line + message + QLatin1Char('\n'));
    }

    ConsoleWriter &m_out;
    const bool m_json;
    const int m_format;
    const QString m_program;
    const bool m_traced;
    Prismora m_fresh;
    Prismora m_engine;
    QString m_text;
    QString m_name;
    qint64 m_lineNumber = 0;
    bool m_failed = false;
};

} // namespace

CommandLine::CommandLine(int argc, char **argv)
    : m_parser(std::make_unique<QCommandLineParser>())
{
    // Qt's style: -platform and --platform alike, and -c for --convert.
    m_parser->setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser->setApplicationDescription(
        tr("Shows a colour in RGB, CMYK, HSV, HSL, XYZ, CIE L*a*b*, CIE LCh, OKLab, OKLCh, "
           "Display P3 and Rec. 2020. Without --convert it starts the window, with COLOUR if one "
           "is given.\n\n"
           "COLOUR is #rrggbb or #rgb (an alpha is read and ignored; the # is optional for 6 or "
           "8 digits), a CSS colour name such as rebeccapurple, or rgb(), rgba(), hsl(), "
           "hsla(), hwb(), lab(), lch(), oklab(), oklch() or color() (in srgb, srgb-linear, "
           "display-p3, a98-rgb, prophoto-rgb, rec2020, xyz, xyz-d50 or xyz-d65) as CSS writes "
           "them. Quote it for the shell.\n\n"
           "With --convert, a colour that cannot be read is reported on standard error with "
           "its line or argument and the others are still converted; the exit status is then "
           "2. For example: cut -f2 palette.tsv | prismora -c --format oklch"));
    // Not addHelpOption(): its --help-all would list only the toolkit options of the console,
    // none of the window's.
    m_parser->addOption({{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
        tr("Displays this help.")});
    m_parser->addVersionOption();
    m_parser->addOption({{QStringLiteral("c"), QStringLiteral("convert")},
        tr("Prints each COLOUR in every model, one line each, and exits; needs no window or "
           "display. After oklch come the lines p3 and rec2020: Display P3 and Rec. 2020, 0 to "
           "1 within each space; last the line gamut: srgb, display-p3, rec2020 or beyond, the "
           "smallest that holds the colour. With - as COLOUR, or no COLOUR and standard input "
           "not a terminal, converts each line of standard input as it comes; blank lines are "
           "skipped.")});
    m_parser->addOption({QStringLiteral("json"),
        tr("With --convert, prints one JSON object per colour, one line each, whose numbers "
           "keep full precision: input, the colour as given, the same names as keys, p3 and "
           "rec2020 included, then srgb_mapped, the nearest sRGB colour by CSS gamut mapping "
           "(equal to hex inside sRGB), and gamut. A colour that cannot be read gives input and "
           "error.")});
    m_parser->addOption({QStringLiteral("format"),
        tr("With --convert, prints only NAME for each colour, one line each, as the copy menu "
           "writes it: %1 (the nearest sRGB colour by CSS gamut mapping, as hex).")
            .arg(formatNames().join(QStringLiteral(", "))),
        QStringLiteral("NAME")});
    m_parser->addOption({QStringLiteral("round"),
        tr("With --convert, rounds RGB to the nearest whole level, as CSS and browsers do, "
           "instead of truncating it.")});
    m_parser->addPositionalArgument(QStringLiteral("colour"),
        tr("The colour to start with, or the colours to convert."), QStringLiteral("[COLOUR...]"));
    for (const ToolkitOption &toolkit : toolkitOptions) {
        QCommandLineOption option(QString::fromLatin1(toolkit.name));
        if (toolkit.takesValue)
            option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        m_parser->addOption(option);
    }
    read(argumentList(argc, argv));
}

CommandLine::~CommandLine() = default;

bool CommandLine::startsWindow() const
{
    return m_action == Action::Window;
}

const Notation::Request *CommandLine::windowColour() const
{
    return m_action == Action::Window && m_colour ? &*m_colour : nullptr;
}

void CommandLine::read(const QStringList &arguments)
{
    if (!m_parser->parse(arguments))
        return refuse(m_parser->errorText(), true);
    if (m_parser->isSet(QStringLiteral("help"))) {
        m_action = Action::Help;
        return;
    }
    if (m_parser->isSet(QStringLiteral("version"))) {
        m_action = Action::Version;
        return;
    }

    const bool convert = m_parser->isSet(QStringLiteral("convert"));
    m_json = m_parser->isSet(QStringLiteral("json"));
    m_round = m_parser->isSet(QStringLiteral("round"));
    const bool format = m_parser->isSet(QStringLiteral("format"));
    const QStringList colours = m_parser->positionalArguments();
    if (m_json && !convert)
        return refuse(tr("--json goes with --convert."), true);
    if (m_round && !convert)
        return refuse(tr("--round goes with --convert."), true);
    if (format && !convert)
        return refuse(tr("--format goes with --convert."), true);
    if (format && m_json)
        return refuse(tr("--format and --json exclude each other: give one."), true);
    if (format) {
        const QString name = m_parser->value(QStringLiteral("format"));
        const QStringList names = formatNames();
        const int index = names.indexOf(name.toLower());
        if (index < 0) {
            return refuse(tr("Unknown format '%1'; give one of %2.")
                              .arg(name, names.join(QStringLiteral(", "))),
                true);
        }
        m_format = index == names.size() - 1 ? mappedFormat : index;
    }

    if (convert) {
        m_colours = colours;
        if (m_colours.isEmpty()) {
            if (standardInputIsTerminal()) {
                return refuse(
                    tr("--convert needs a colour, or - to read colours from standard input."),
                    true);
            }
            m_colours << QStringLiteral("-");
        }
        m_action = Action::Convert;
        return;
    }

    if (colours.size() > 1)
        return refuse(tr("Give one colour; quote one with spaces, as in 'rgb(63 160 220)'."), true);
    if (!colours.isEmpty()) {
        const Notation::Result result = Notation::parse(colours.first());
        if (!result.request)
            return refuse(result.error, false);
        m_colour = result.request;
    }
    if (!displayGiven(m_parser->isSet(QStringLiteral("platform")))) {
        return refuse(tr("No display to show the window on; use --convert to convert colours "
                         "without one."),
            false);
    }
    m_action = Action::Window;
}

void CommandLine::refuse(const QString &reason, bool pointToHelp)
{
    m_action = Action::Refuse;
    m_reason = reason;
    m_pointToHelp = pointToHelp;
}

QString CommandLine::helpText() const
{
    // The parser names the program by the path it was started with; the usage line should read
    // as the command a user types.
    QString text = m_parser->helpText();
    const QStringList arguments = QCoreApplication::arguments();
    const int lineEnd = text.indexOf(QLatin1Char('\n'));
    if (!arguments.isEmpty() && !arguments.first().isEmpty()) {
        const int at = text.left(lineEnd).indexOf(arguments.first());
        if (at >= 0)
            text.replace(at, arguments.first().size(), QCoreApplication::applicationName());
    }
    return text;
}

int CommandLine::convert() const
{
    quietEngineTrace();
    // A reader that leaves early, such as head, ends the run without a signal or a message.
    ignoreBrokenPipes();
    ConsoleWriter out;
    Converter converter(out, m_json, m_format, m_round);
    for (const QString &colour : m_colours) {
        if (colour == QLatin1String("-")) {
            if (!converter.convertInput())
                break;
            continue;
        }
        converter.nameArgument(m_colours.size() > 1 ? colour : QString());
        converter.convert(colour);
        if (out.failed())
            break;
    }
    out.flush();
    return converter.anyFailed() ? usageError : success;
}

int CommandLine::answer() const
{
    const QString program = QCoreApplication::applicationName();
    switch (m_action) {
    case Action::Window:
        break;
    case Action::Help:
        print(stdout, helpText());
        return success;
    case Action::Version:
        print(stdout,
            program + QLatin1Char(' ') + QCoreApplication::applicationVersion()
                + QLatin1Char('\n'));
        return success;
    case Action::Convert:
        return convert();
    case Action::Refuse:
        print(stderr, program + QStringLiteral(": ") + m_reason + QLatin1Char('\n'));
        if (m_pointToHelp)
            print(stderr, tr("Try '%1 --help' for more.").arg(program) + QLatin1Char('\n'));
        return usageError;
    }
    return success;
}
