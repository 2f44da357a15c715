#include "mainwindow.h"

#include "cachedpanelstyle.h"
#include "channeltext.h"
#include "colourexchange.h"
#include "colourkeeper.h"
#include "colourmenus.h"
#include "colourmodels.h"
#include "displaysettings.h"
#include "modelpanel.h"
#include "notation.h"
#include "notationfield.h"
#include "prismora.h"
#include "screencolourpicker.h"
#include "swatchfocus.h"
#include "typingguard.h"
#include "ui_mainwindowform.h"

#include <QAction>
#include <QActionGroup>
#include <QColorDialog>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyleFactory>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// In the central widget's coordinates, as the Draw button's geometry is: the swatch stays above
// the button whatever the menu bar's height.
const QRect swatchRect(20, 20, 150, 220);

// Truncation toward zero that is defined for every double.
int truncated(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, double(INT_MIN), double(INT_MAX)));
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , form(std::make_unique<Ui::MainWindowForm>())
    , colourDialog(std::make_unique<QColorDialog>())
    , colour(std::make_unique<QColor>())
    , engine(std::make_unique<Prismora>())
    , settings(std::make_unique<DisplaySettings>())
{
    form->setupUi(this);
    for (int panel = 0; panel < 3; ++panel)
        panels.emplace_back(*this, panel);
    for (ModelPanel &panel : panels)
        panel.showLegend();
    form->lineEdit_1_4->setEnabled(false);
    form->lineEdit_2_4->setEnabled(false);
    form->lineEdit_3_4->setEnabled(false);
    form->horizontalSlider_1_4->setEnabled(false);
    form->horizontalSlider_2_4->setEnabled(false);
    form->horizontalSlider_3_4->setEnabled(false);

    watchTyping();

    auto *swatch = new SwatchFocus(centralWidget());
    swatch->setGeometry(swatchRect);
    form->DrawButton->setToolTip(tr("Choose a colour with the desktop's colour chooser"));

    addStatusBarWidgets();
    addSettingsMenu();
    auto *exchange = new ColourExchange(this, centralWidget(), swatchRect, *engine,
        [this](const Notation::Result &result) { receiveColour(result); });
    QAction *pick = addScreenPicking(exchange);
    auto *choose = new QAction(tr("&Choose Colour…"), this);
    choose->setObjectName(QStringLiteral("actionChooseColour"));
    connect(choose, &QAction::triggered, form->DrawButton, &QAbstractButton::click);
    ColourMenus::addColourMenu(this, exchange, pick, choose);

    panelStyle = new CachedPanelStyle(QStyleFactory::create(style()->objectName()));
    panelStyle->setParent(this);
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        edit->setStyle(panelStyle);

    // Keyboard steps, the wheel and clicks on the groove move a slider without sliderMoved; they
    // apply their position as a drag does. A drag is left to sliderMoved, so each move applies
    // once.
    for (int panel = 0; panel < 3; ++panel) {
        for (int channel = 0; channel < 4; ++channel) {
            QSlider *slider = panels[static_cast<std::size_t>(panel)].slider(channel);
            connect(slider, &QAbstractSlider::actionTriggered, this, [=] {
                if (!slider->isSliderDown() && slider->sliderPosition() != slider->value())
                    applySliderPosition(panel, channel, slider->sliderPosition());
            });
        }
    }

    // Last, so that it finds every control and menu the window has.
    keeper = std::make_unique<ColourKeeper>(this, *engine, [this] {
        showNewColour();
        statusBar()->clearMessage();
    });
    ColourMenus::finishMenuBar(this);
    orderTabChain(swatch);
    keepWindowSize();
}

MainWindow::~MainWindow() = default;

void MainWindow::addStatusBarWidgets()
{
    gamutLabel = new QLabel(tr("Outside sRGB"), statusBar());
    gamutLabel->setObjectName(QStringLiteral("gamutLabel"));
    statusBar()->addPermanentWidget(gamutLabel);
    gamutLabel->hide();

    notationField = new NotationField(statusBar());
    notationField->setObjectName(QStringLiteral("notationEdit"));
    notationField->setToolTip(
        tr("The colour as text: hex, a CSS colour name, rgb(), hsl(), hwb(), lab(), lch(), "
           "oklab(), oklch() or color()"));
    notationField->setAccessibleName(tr("Colour notation"));
    notationField->showColour(Notation::hex(*engine));
    // Room for the longest notation people type, without taking the whole bar.
    notationField->setFixedWidth(
        notationField->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 30);
    statusBar()->addPermanentWidget(notationField);
    connect(notationField, &NotationField::entered, this, [this](const QString &text) {
        if (!receiveColour(Notation::parse(text)))
            notationField->setRefused(true);
    });
    connect(notationField, &NotationField::restored, this, &MainWindow::clearColourMessage);
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString &message) {
        if (message != colourMessage) {
            colourMessage.clear();
            statusBar()->setToolTip(QString());
        }
    });
}

void MainWindow::showColourMessage(const QString &message)
{
    // Where the status bar draws a message: from 6 pixels in to 2 before the first permanent
    // widget it shows, or 12 before its end.
    QStatusBar *bar = statusBar();
    int right = bar->width() - 12;
    for (const QWidget *widget :
        {static_cast<QWidget *>(gamutLabel), static_cast<QWidget *>(notationField)}) {
        if (widget->isVisible())
            right = std::min(right, widget->x() - 2);
    }
    const QString shown
        = bar->fontMetrics().elidedText(message, Qt::ElideMiddle, std::max(0, right - 6));
    colourMessage = shown;
    bar->showMessage(shown);
    bar->setToolTip(shown == message ? QString() : message);
}

void MainWindow::clearColourMessage()
{
    if (!colourMessage.isEmpty() && statusBar()->currentMessage() == colourMessage)
        statusBar()->clearMessage();
}

void MainWindow::watchTyping()
{
    typingGuard = new TypingGuard({[this](QLineEdit *) { restoreTypedColour(); },
                                      [this](QLineEdit *edit) { leaveChannelEdit(edit); }},
        this);
    for (const ModelPanel &panel : panels) {
        for (int channel = 0; channel < 4; ++channel)
            typingGuard->watch(panel.edit(channel));
    }
}

void MainWindow::restoreTypedColour()
{
    if (const Prismora *before = typingGuard->before())
        *engine = *before;
    // Also the edit's own text, which showing the colour otherwise leaves to the user.
    showNewColour();
}

void MainWindow::leaveChannelEdit(const QLineEdit *edit)
{
    for (const ModelPanel &panel : panels) {
        const ColourModels::Model *entry = ColourModels::model(panel.model());
        for (int channel = 0; entry && channel < entry->channelCount; ++channel) {
            if (panel.edit(channel) == edit
                && !ChannelText::accepted(entry->channels[channel], edit->text()))
                showColourEverywhere(nullptr);
        }
    }
}

void MainWindow::keepWindowSize()
{
    // The controls sit at fixed places in the central widget, so it keeps the size it has in a
    // window of the form's size; the window's least size then follows from the layout, menu bar,
    // status bar and any docked panel included.
    const QSize formSize(806, 471);
    const int menuHeight = std::max(menuBar()->heightForWidth(formSize.width()), 0);
    const int barHeight = statusBar()->sizeHint().height();
    centralWidget()->setFixedSize(formSize.width(), formSize.height() - menuHeight - barHeight);
    layout()->setSizeConstraint(QLayout::SetMinimumSize);
    resize(formSize);
    keepLargestSize();
    // After the layout has taken the panel in or let it go.
    for (QDockWidget *dock : findChildren<QDockWidget *>()) {
        const auto later = [this] { QTimer::singleShot(0, this, &MainWindow::keepLargestSize); };
        connect(dock, &QDockWidget::visibilityChanged, this, later);
        connect(dock, &QDockWidget::topLevelChanged, this, later);
        connect(dock, &QDockWidget::dockLocationChanged, this, later);
    }
}

void MainWindow::keepLargestSize()
{
    // Only a docked panel has a use for more room than the layout's least.
    bool docked = false;
    for (const QDockWidget *dock : findChildren<QDockWidget *>())
        docked = docked || (dock->isVisible() && !dock->isFloating());
    if (docked) {
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        return;
    }
    // The least size as it is now, not as the layout last set it while a panel was docked.
    const QSize least = layout()->totalMinimumSize();
    setMinimumSize(least);
    setMaximumSize(least);
    resize(least);
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // A window of fixed layout has nothing to show in more room: maximised or full screen, it
    // goes back to its normal state, after the request is done.
    if (event->type() == QEvent::WindowStateChange
        && (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        QTimer::singleShot(0, this, [this] {
            setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        });
    }
}

void MainWindow::addSettingsMenu()
{
    QMenu *menu = menuBar()->addMenu(tr("&Settings"));
    menu->setObjectName(QStringLiteral("menuSettings"));
    // A choice that could not be kept says so where a refused notation does.
    const auto reportProblem = [this] {
        if (!settings->problem().isEmpty())
            statusBar()->showMessage(settings->problem());
    };
    const auto applyRounding = [this](bool round) {
        engine->set_rgb_rounding(
            round ? Prismora::RgbRounding::Nearest : Prismora::RgbRounding::Truncate);
    };

    QMenu *rounding = menu->addMenu(tr("RGB whole numbers"));
    rounding->setObjectName(QStringLiteral("menuRgbWholeNumbers"));
    auto *roundingGroup = new QActionGroup(rounding);
    QAction *truncate = rounding->addAction(tr("Truncate (as the classic converter)"));
    truncate->setObjectName(QStringLiteral("actionTruncate"));
    QAction *nearest = rounding->addAction(tr("Round to nearest (as CSS and browsers)"));
    nearest->setObjectName(QStringLiteral("actionRoundToNearest"));
    for (QAction *action : {truncate, nearest}) {
        action->setCheckable(true);
        roundingGroup->addAction(action);
    }
    (settings->roundToNearest() ? nearest : truncate)->setChecked(true);
    applyRounding(settings->roundToNearest());
    connect(nearest, &QAction::toggled, this, [=](bool round) {
        settings->setRoundToNearest(round);
        applyRounding(round);
        showNewColour();
        reportProblem();
    });

    QMenu *decimals = menu->addMenu(tr("Decimals"));
    decimals->setObjectName(QStringLiteral("menuDecimals"));
    auto *decimalsGroup = new QActionGroup(decimals);
    for (int count = -1; count <= 10; ++count) {
        const QString title = count < 0 ? tr("6 significant digits")
            : count == 1                ? tr("1 decimal")
                                        : tr("%1 decimals").arg(count);
        QAction *action = decimals->addAction(title);
        action->setObjectName(count < 0 ? QStringLiteral("actionSignificantDigits")
                                        : QStringLiteral("actionDecimals%1").arg(count));
        action->setCheckable(true);
        action->setChecked(count == settings->decimals());
        decimalsGroup->addAction(action);
        connect(action, &QAction::triggered, this, [=] {
            settings->setDecimals(count);
            for (ModelPanel &panel : panels)
                panel.setDecimals(count);
            showNewColour();
            reportProblem();
        });
        if (count < 0)
            decimals->addSeparator();
    }
    for (ModelPanel &panel : panels)
        panel.setDecimals(settings->decimals());
    reportProblem();
}

void MainWindow::orderTabChain(QWidget *swatch)
{
    // Panel by panel, left to right, then the colour and its history; the toolkit skips the
    // disabled fourth rows, and the palette panel, made later, follows of itself.
    QList<QWidget *> chain;
    for (const ModelPanel &panel : panels) {
        chain.append(panel.combo());
        for (int channel = 0; channel < 4; ++channel)
            chain << panel.edit(channel) << panel.slider(channel);
    }
    chain << form->DrawButton << swatch << notationField;
    if (auto *history = centralWidget()->findChild<QWidget *>(QStringLiteral("historyView")))
        chain.append(history);
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain.at(i - 1), chain.at(i));
    chain.first()->setFocus();
}

QAction *MainWindow::addScreenPicking(ColourExchange *exchange)
{
    auto *picker = new ScreenColourPicker(this);
    auto *pick = new QAction(tr("Pick from &Screen"), this);
    pick->setObjectName(QStringLiteral("actionPickFromScreen"));
    pick->setShortcut(QKeySequence(tr("Ctrl+P")));
    addAction(pick);
    exchange->addMenuAction(pick);
    connect(pick, &QAction::triggered, picker, &ScreenColourPicker::pick);
    const auto showAvailability = [picker, pick](bool available) {
        pick->setEnabled(available);
        pick->setToolTip(available ? QString() : picker->unavailableReason());
    };
    showAvailability(picker->isAvailable());
    connect(picker, &ScreenColourPicker::availabilityChanged, this, showAvailability);
    // A picked colour comes in as the chooser's does: three whole RGB channels.
    connect(picker, &ScreenColourPicker::picked, this, [this](const QColor &picked) {
        Notation::Request request;
        request.values = {double(picked.red()), double(picked.green()), double(picked.blue())};
        receiveColour({request, QString()});
    });
    connect(picker, &ScreenColourPicker::failed, this,
        [this](const QString &reason) { statusBar()->showMessage(reason); });
    return pick;
}

void MainWindow::applyNotation(const Notation::Request &request)
{
    receiveColour({request, QString()});
}

bool MainWindow::receiveColour(const Notation::Result &result)
{
    // Refused text says why in the status bar: a modal box would interrupt typing.
    if (!result.request) {
        showColourMessage(result.error);
        return false;
    }
    Notation::apply(*result.request, *engine);
    showNewColour();
    keeper->settle(result.request->model);
    if (result.request->alphaIgnored)
        showColourMessage(Notation::alphaIgnoredMessage());
    else
        statusBar()->clearMessage();
    return true;
}

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The region to paint is often the swatch plus the panels' controls that followed a change;
    // clipped to the swatch, the fill runs on one rectangle instead of a ragged region.
    const QRect swatch = swatchRect.translated(centralWidget()->pos());
    painter.setClipRect(swatch.adjusted(-1, -1, 1, 1));
    painter.setPen(
        QPen(QBrush(Qt::black, Qt::SolidPattern), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin));
    brush.setStyle(Qt::SolidPattern);
    painter.setBrush(brush);
    painter.drawRect(swatch);
}

void MainWindow::on_DrawButton_clicked()
{
    const QColor chosen = QColorDialog::getColor(Qt::white, nullptr, QString(), {});
    // A cancelled chooser answers with an invalid colour; the user's colour stays.
    if (!chosen.isValid())
        return;
    *colour = chosen;
    engine->set_rgb(chosen.red(), chosen.green(), chosen.blue());
    showNewColour();
    keeper->settle(ColourModels::Rgb);
}

void MainWindow::on_comboBox1_activated(int)
{
    panels[0].showChosenModel(*engine);
}
void MainWindow::on_comboBox2_activated(int)
{
    panels[1].showChosenModel(*engine);
}
void MainWindow::on_comboBox3_activated(int)
{
    panels[2].showChosenModel(*engine);
}

void MainWindow::on_lineEdit_1_textChanged(const QString &arg1)
{
    applyChannelText(0, 0, arg1);
}

void MainWindow::on_lineEdit_2_textChanged(const QString &arg1)
{
    applyChannelText(0, 1, arg1);
}

void MainWindow::on_lineEdit_3_textChanged(const QString &arg1)
{
    applyChannelText(0, 2, arg1);
}

void MainWindow::on_lineEdit_4_textChanged(const QString &arg1)
{
    applyChannelText(1, 0, arg1);
}

void MainWindow::on_lineEdit_5_textChanged(const QString &arg1)
{
    applyChannelText(1, 1, arg1);
}

void MainWindow::on_lineEdit_6_textChanged(const QString &arg1)
{
    applyChannelText(1, 2, arg1);
}

void MainWindow::on_lineEdit_7_textChanged(const QString &arg1)
{
    applyChannelText(2, 0, arg1);
}

void MainWindow::on_lineEdit_8_textChanged(const QString &arg1)
{
    applyChannelText(2, 1, arg1);
}

void MainWindow::on_lineEdit_9_textChanged(const QString &arg1)
{
    applyChannelText(2, 2, arg1);
}

void MainWindow::on_lineEdit_1_4_textChanged(const QString &arg1)
{
    applyChannelText(0, 3, arg1);
}
void MainWindow::on_lineEdit_2_4_textChanged(const QString &arg1)
{
    applyChannelText(1, 3, arg1);
}
void MainWindow::on_lineEdit_3_4_textChanged(const QString &arg1)
{
    applyChannelText(2, 3, arg1);
}

void MainWindow::on_horizontalSlider_1_sliderMoved(int position)
{
    applySliderPosition(0, 0, position);
}

void MainWindow::on_horizontalSlider_2_sliderMoved(int position)
{
    applySliderPosition(0, 1, position);
}

void MainWindow::on_horizontalSlider_3_sliderMoved(int position)
{
    applySliderPosition(0, 2, position);
}

void MainWindow::on_horizontalSlider_4_sliderMoved(int position)
{
    applySliderPosition(1, 0, position);
}

void MainWindow::on_horizontalSlider_5_sliderMoved(int position)
{
    applySliderPosition(1, 1, position);
}

void MainWindow::on_horizontalSlider_6_sliderMoved(int position)
{
    applySliderPosition(1, 2, position);
}

void MainWindow::on_horizontalSlider_7_sliderMoved(int position)
{
    applySliderPosition(2, 0, position);
}

void MainWindow::on_horizontalSlider_8_sliderMoved(int position)
{
    applySliderPosition(2, 1, position);
}

void MainWindow::on_horizontalSlider_9_sliderMoved(int position)
{
    applySliderPosition(2, 2, position);
}

void MainWindow::on_horizontalSlider_1_4_sliderMoved(int position)
{
    applySliderPosition(0, 3, position);
}
void MainWindow::on_horizontalSlider_2_4_sliderMoved(int position)
{
    applySliderPosition(1, 3, position);
}
void MainWindow::on_horizontalSlider_3_4_sliderMoved(int position)
{
    applySliderPosition(2, 3, position);
}

void MainWindow::showColourEverywhere(const QLineEdit *typing)
{
    clearColourMessage();
    notationField->showColour(Notation::hex(*engine));
    showGamut();
    for (ModelPanel &panel : panels)
        panel.show(*engine, typing, userSlider);
}

void MainWindow::showGamut()
{
    // The nearest colour costs a search, so it is only looked for while the label shows.
    if (engine->in_srgb_gamut()) {
        gamutLabel->hide();
        return;
    }
    gamutLabel->setText(engine->in_p3_gamut() ? tr("Outside sRGB")
            : engine->in_rec2020_gamut()      ? tr("Outside Display P3")
                                              : tr("Outside Rec. 2020"));
    gamutLabel->setToolTip(
        tr("clipped %1, nearest by CSS gamut mapping %2")
            .arg(Notation::hex(*engine), Notation::hexOf(engine->nearest_srgb())));
    gamutLabel->show();
}

void MainWindow::applyChannelText(int panel, int channel, const QString &text)
{
    const int model = panels[static_cast<std::size_t>(panel)].model();
    const ColourModels::Model *modelEntry = ColourModels::model(model);
    // From an edit's slot, the sender is the edit being typed in; from a slider, the sender is
    // no edit, and the slider's own edit is kept as the slider's.
    const auto *typing = qobject_cast<const QLineEdit *>(sender());
    if (typing)
        typingGuard->begin(typing, *engine);
    else
        typingGuard->end();
    // A text that is no number yet (empty, "-", "1e") is on its way to one: nothing to apply.
    const std::optional<double> value = ChannelText::number(text);
    if (modelEntry && channel < modelEntry->channelCount && value) {
        const ColourModels::Channel &bounds = modelEntry->channels[channel];
        // NaN and infinities would spread into every model, so they are refused like any
        // number out of range.
        if (std::isfinite(*value) && *value >= bounds.lowest && *value <= bounds.highest) {
            bounds.write(*engine, *value);
            refreshColour();
            showColourEverywhere(typing);
        } else {
            // The colour from before this typing, not the last prefix that fitted; the typed
            // text stays for the user to mend.
            if (const Prismora *before = typingGuard->before()) {
                *engine = *before;
                refreshColour();
                showColourEverywhere(typing);
            }
            QMessageBox::information(
                this, tr("Ууууууупс :( !Ошибка!"), tr(modelEntry->rangeMessage), QMessageBox::Ok);
        }
    }
    refreshSwatch();
}

void MainWindow::applySliderPosition(int panel, int channel, int position)
{
    const ModelPanel &widgets = panels[static_cast<std::size_t>(panel)];
    QSlider *slider = widgets.slider(channel);
    const QScopedValueRollback<const QSlider *> moving(userSlider, slider);
    // The toolkit sets the value only after this returns; set now, the slider is painted in the
    // same pass as the swatch instead of in one of its own.
    {
        const QSignalBlocker blockSlider(slider);
        slider->setValue(position);
    }
    if (channel == 3) {
        applyKeyPosition(panel, position);
        return;
    }
    // A channel slider writes its edit, whose text is then applied as the edit's slot would. Held
    // back from the slot, the edit is done redrawing its text before the swatch is repainted, and
    // so is painted in the same pass rather than in one of its own afterwards.
    QLineEdit *edit = widgets.edit(channel);
    const ColourModels::Model *modelEntry = ColourModels::model(widgets.model());
    const int scale = modelEntry && channel < modelEntry->channelCount
        ? modelEntry->channels[channel].scale
        : 1;
    const QString text = scale == 1 ? QString::number(position)
                                    : QString::number(double(position) / scale, 'g', 6);
    if (edit->text() == text)
        return;
    {
        const QSignalBlocker blockEdit(edit);
        edit->setText(text);
    }
    applyChannelText(panel, channel, text);
}

void MainWindow::applyKeyPosition(int panel, int position)
{
    QLineEdit *keyEdit = panels[static_cast<std::size_t>(panel)].edit(3);
    if (panels[static_cast<std::size_t>(panel)].model() == ColourModels::Cmyk) {
        ColourModels::model(ColourModels::Cmyk)->channels[3].write(*engine, position);
        refreshColour();
        // A changed text applies the key again through the edit's slot, which also shows the
        // colour everywhere; an unchanged one runs nothing, so the panels are shown here.
        const QString text = QString::number(position);
        if (keyEdit->text() == text)
            showColourEverywhere(keyEdit);
        else
            keyEdit->setText(text);
    }
    refreshSwatch();
}

void MainWindow::showNewColour()
{
    typingGuard->end();
    refreshColour();
    showColourEverywhere(nullptr);
    refreshSwatch();
}

void MainWindow::refreshColour()
{
    // The engine may hold channels beyond 0..255, which QColor refuses with a warning.
    const auto channel = [](double value) { return std::clamp(truncated(value), 0, 255); };
    colour->setRgb(channel(engine->get_rgb_r()), channel(engine->get_rgb_g()),
        channel(engine->get_rgb_b()), 255);
}

void MainWindow::refreshSwatch()
{
    brush.setColor(*colour);
    // Only the swatch changed, so only it is repainted, not all 31 widgets; the outline's 1-px pen
    // reaches one pixel past the rectangle's right and bottom edges. Asked through the central
    // widget, which paints nothing of its own, the window paints the swatch in the same pass as
    // an edit that changed with it: one paint event per refresh, as a whole repaint gave.
    QWidget *central = centralWidget();
    central->repaint(swatchRect.adjusted(0, 0, 1, 1));
}
