#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include "notation.h"

#include <QCoreApplication>
#include <QString>

#include <memory>
#include <optional>
#include <string>

class QCommandLineParser;

// The program's arguments: whether to start the window, and with which colour, or to answer on
// the console with help, the version, a conversion or the reason the arguments are refused.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    // Reads the arguments as main() has them, before any application object exists: the
    // console needs only a QCoreApplication and no display, the window a QApplication.
    CommandLine(int argc, char **argv);
    ~CommandLine();
    CommandLine(const CommandLine &) = delete;
    CommandLine &operator=(const CommandLine &) = delete;

    bool startsWindow() const;
    // The colour to start the window with, or null.
    const Notation::Request *windowColour() const;
    // Prints the answer for anything but the window and returns the exit status. Needs a
    // QCoreApplication.
    int answer() const;

private:
    enum class Action { Window, Help, Version, Convert, Refuse };

    void read(const QStringList &arguments);
    void refuse(const QString &reason, bool pointToHelp);
    QString helpText() const;
    int convert() const;

    std::unique_ptr<QCommandLineParser> m_parser;
    Action m_action = Action::Window;
    std::optional<Notation::Request> m_colour;
    // What --convert converts: its arguments in order, "-" for the lines of standard input.
    QStringList m_colours;
    bool m_json = false;
    bool m_round = false;
    // The one notation to print, an index into Notation::copyFormats() or mappedFormat; -1 for
    // every model.
    int m_format = -1;
    QString m_reason;
    bool m_pointToHelp = false;
};

#endif // COMMANDLINE_H
