#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

QString toolkitFolder()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

// Installs the first file named after one of the locale's UI languages; with none, the texts
// stay as written in the sources.
std::unique_ptr<QTranslator> load(
    const QLocale &locale, const QString &name, const QStringList &folders)
{
    auto translator = std::make_unique<QTranslator>();
    for (const QString &folder : folders) {
        if (translator->load(locale, name, QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator.get());
            return translator;
        }
    }
    return nullptr;
}

} // namespace

Translations::Translations(const QLocale &locale)
    : m_program(load(locale, QStringLiteral("prismora"), programFolders()))
    , m_toolkit(load(locale, QStringLiteral("qtbase"), {toolkitFolder()}))
{ }

// Each translator takes itself out of the application as it goes.
Translations::~Translations() = default;

bool Translations::programLoaded() const
{
    return m_program != nullptr;
}

bool Translations::toolkitLoaded() const
{
    return m_toolkit != nullptr;
}

QStringList Translations::programFolders()
{
    const QDir executable(QCoreApplication::applicationDirPath());
    QStringList folders;
    for (const char *relative :
        {"translations", "../translations", "../share/prismora/translations"})
        folders << QDir::cleanPath(executable.filePath(QString::fromLatin1(relative)));
    return folders;
}
