#ifndef TRANSLATIONS_H
#define TRANSLATIONS_H

#include <QLocale>
#include <QStringList>

#include <memory>

class QTranslator;

// The program's translation and the toolkit's own for a locale's UI languages, installed into the
// application while this lives. Made before any window or help text exists, since a text is
// translated when it is made.
class Translations
{
public:
    // Needs the application object. QLocale::system() follows LANGUAGE, LC_ALL, LC_MESSAGES and
    // LANG as every Qt program does.
    explicit Translations(const QLocale &locale = QLocale::system());
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

    bool programLoaded() const;
    bool toolkitLoaded() const;

    // Where the program's .qm files are looked for, first to last: beside the executable in the
    // build tree (the tests' executables sit one folder deeper), then where it is installed.
    static QStringList programFolders();

private:
    std::unique_ptr<QTranslator> m_program;
    std::unique_ptr<QTranslator> m_toolkit;
};

#endif // TRANSLATIONS_H
