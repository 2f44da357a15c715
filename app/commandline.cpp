#include "commandline.h"

#include "conversion.h"
#include "prismora.h"

#include <QCommandLineParser>
#include <QLoggingCategory>

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
           "them. Quote it for the shell."));
    // Not addHelpOption(): its --help-all would list only the toolkit options of the console,
    // none of the window's.
    m_parser->addOption({{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
        tr("Displays this help.")});
    m_parser->addVersionOption();
    m_parser->addOption({{QStringLiteral("c"), QStringLiteral("convert")},
        tr("Prints COLOUR in every model, one line each, and exits; needs no window or display. "
           "After oklch come the lines p3 and rec2020: Display P3 and Rec. 2020, 0 to 1 within "
           "each space.")});
    m_parser->addOption({QStringLiteral("json"),
        tr("With --convert, prints one JSON object whose numbers keep full precision: the "
           "same names as keys, p3 and rec2020 included, then srgb_mapped, the nearest sRGB "
           "colour by CSS gamut mapping (equal to hex inside sRGB).")});
    m_parser->addOption({QStringLiteral("round"),
        tr("With --convert, rounds RGB to the nearest whole level, as CSS and browsers do, "
           "instead of truncating it.")});
    m_parser->addPositionalArgument(QStringLiteral("colour"),
        tr("The colour to convert or to start with."), QStringLiteral("[COLOUR]"));
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
    const QStringList colours = m_parser->positionalArguments();
    if (colours.size() > 1)
        return refuse(tr("Give one colour; quote one with spaces, as in 'rgb(63 160 220)'."), true);
    if (m_json && !convert)
        return refuse(tr("--json goes with --convert."), true);
    if (m_round && !convert)
        return refuse(tr("--round goes with --convert."), true);
    if (colours.isEmpty()) {
        if (convert)
            return refuse(tr("--convert needs a colour."), true);
        m_action = Action::Window;
        return;
    }

    const Notation::Result result = Notation::parse(colours.first());
    if (!result.request)
        return refuse(result.error, false);
    m_colour = result.request;
    m_action = convert ? Action::Convert : Action::Window;
}

void CommandLine::refuse(const QString &reason, bool pointToHelp)
{
    m_action = Action::Refuse;
    m_reason = reason;
    m_pointToHelp = pointToHelp;
}

int CommandLine::answer() const
{
    const QString program = QCoreApplication::applicationName();
    switch (m_action) {
    case Action::Window:
        break;
    case Action::Help:
        print(stdout, m_parser->helpText());
        return success;
    case Action::Version:
        print(stdout,
            program + QLatin1Char(' ') + QCoreApplication::applicationVersion()
                + QLatin1Char('\n'));
        return success;
    case Action::Convert: {
        quietEngineTrace();
        Prismora engine;
        if (m_round)
            engine.set_rgb_rounding(Prismora::RgbRounding::Nearest);
        Notation::apply(*m_colour, engine);
        if (m_colour->alphaIgnored)
            print(stderr,
                program + QStringLiteral(": ") + Notation::alphaIgnoredMessage()
                    + QLatin1Char('\n'));
        print(stdout, m_json ? Conversion::json(engine) : Conversion::text(engine));
        return success;
    }
    case Action::Refuse:
        print(stderr, program + QStringLiteral(": ") + m_reason + QLatin1Char('\n'));
        if (m_pointToHelp)
            print(stderr, tr("Try '%1 --help' for more.").arg(program) + QLatin1Char('\n'));
        return usageError;
    }
    return success;
}
