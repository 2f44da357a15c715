#include "colourmenus.h"

#include "colourexchange.h"
#include "notation.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ColourMenus", text);
}

// Where the mnemonic's character is, or -1; "&&" is a plain ampersand.
int mnemonicAt(const QString &text)
{
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) != QLatin1Char('&'))
            return i + 1;
        ++i;
    }
    return -1;
}

void showAbout(QWidget *window)
{
    // The program sets its version from the build; a window made without it says none.
    const QString version = QCoreApplication::applicationVersion();
    const QString title
        = version.isEmpty() ? QStringLiteral("Prismora") : QStringLiteral("Prismora ") + version;
    QMessageBox::about(window, tr("About Prismora"),
        tr("<h3>%1</h3><p>A colour-model converter: one colour in three models side by side, "
           "copied and pasted in the notations of CSS.</p><p>Released under the MIT License.</p>")
            .arg(title));
}

void showNotations(QWidget *window)
{
    QMessageBox box(QMessageBox::Information, tr("Colour Notations"),
        tr("The notation field, Paste and dropping read these notations:") + QStringLiteral("\n\n")
            + Notation::readableNotations().join(QStringLiteral("\n\n")),
        QMessageBox::Ok, window);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

namespace ColourMenus {

QMenu *addColourMenu(QMainWindow *window, ColourExchange *exchange, QAction *pick, QAction *choose)
{
    QMenuBar *bar = window->menuBar();
    auto *menu = new QMenu(tr("&Colour"), bar);
    menu->setObjectName(QStringLiteral("menuColour"));
    // A disabled item says why in its tool tip.
    menu->setToolTipsVisible(true);
    const QList<QAction *> menus = bar->actions();
    bar->insertMenu(menus.isEmpty() ? nullptr : menus.first(), menu);
    menu->addMenu(exchange->copyMenu());
    menu->addAction(exchange->pasteAction());
    menu->addSeparator();
    menu->addActions({pick, choose});
    exchange->watchMenu(menu);
    return menu;
}

void finishMenuBar(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    if (auto *colour = bar->findChild<QMenu *>(QStringLiteral("menuColour"))) {
        colour->addSeparator();
        QAction *quit = colour->addAction(tr("&Quit"), window, &QWidget::close);
        quit->setObjectName(QStringLiteral("actionQuit"));
        // The desktops have Ctrl+Q; where the platform names no key for quitting, so does this.
        QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Quit);
        if (keys.isEmpty())
            keys.append(QKeySequence(Qt::CTRL | Qt::Key_Q));
        quit->setShortcuts(keys);
        quit->setMenuRole(QAction::QuitRole);
    }

    QMenu *help = bar->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("menuHelp"));
    QAction *notations
        = help->addAction(tr("Colour &Notations"), window, [window] { showNotations(window); });
    notations->setObjectName(QStringLiteral("actionNotations"));
    notations->setShortcut(QKeySequence::HelpContents);
    help->addSeparator();
    QAction *about
        = help->addAction(tr("&About Prismora"), window, [window] { showAbout(window); });
    about->setObjectName(QStringLiteral("actionAbout"));
    about->setMenuRole(QAction::AboutRole);

    for (QAction *action : bar->actions()) {
        if (action->menu())
            addMnemonics(action->menu());
    }
}

QString withMnemonic(const QString &text, QString &used)
{
    const int existing = mnemonicAt(text);
    if (existing >= 0) {
        used += text.at(existing).toLower();
        return text;
    }
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('&')) {
            ++i;
            continue;
        }
        if (c.isLetterOrNumber() && !used.contains(c.toLower())) {
            used += c.toLower();
            return text.left(i) + QLatin1Char('&') + text.mid(i);
        }
    }
    return text;
}

void addMnemonics(QMenu *menu)
{
    QString used;
    const QList<QAction *> actions = menu->actions();
    for (const QAction *action : actions) {
        const int at = mnemonicAt(action->text());
        if (!action->isSeparator() && at >= 0)
            used += action->text().at(at).toLower();
    }
    for (QAction *action : actions) {
        if (action->isSeparator())
            continue;
        if (mnemonicAt(action->text()) < 0)
            action->setText(withMnemonic(action->text(), used));
        if (action->menu())
            addMnemonics(action->menu());
    }
}

} // namespace ColourMenus
