#include "mainwindow.h"

#include "colourmodels.h"
#include "notation.h"
#include "prismora.h"
#include "ui_mainwindowform.h"

#include <QColorDialog>
#include <QMessageBox>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

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
{
    form->setupUi(this);
    form->lineEdit_1_4->setEnabled(false);
    form->lineEdit_2_4->setEnabled(false);
    form->lineEdit_3_4->setEnabled(false);
    form->horizontalSlider_1_4->setEnabled(false);
    form->horizontalSlider_2_4->setEnabled(false);
    form->horizontalSlider_3_4->setEnabled(false);
}

MainWindow::~MainWindow() = default;

void MainWindow::applyNotation(const Notation::Request &request)
{
    Notation::apply(request, *engine);
    refreshColour();
    refreshSwatch();
}

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(
        QPen(QBrush(Qt::black, Qt::SolidPattern), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin));
    brush.setStyle(Qt::SolidPattern);
    painter.setBrush(brush);
    painter.drawRect(swatchRect);
}

void MainWindow::on_DrawButton_clicked()
{
    const QColor chosen = QColorDialog::getColor(Qt::white, nullptr, QString(), {});
    // A cancelled chooser answers with an invalid colour; the user's colour stays.
    if (!chosen.isValid())
        return;
    *colour = chosen;
    engine->set_rgb(chosen.red(), chosen.green(), chosen.blue());
    refreshColour();
    refreshSwatch();
}

void MainWindow::on_comboBox1_activated(int index)
{
    configurePanel(index, 0);
}
void MainWindow::on_comboBox2_activated(int index)
{
    configurePanel(index, 1);
}
void MainWindow::on_comboBox3_activated(int index)
{
    configurePanel(index, 2);
}

void MainWindow::on_lineEdit_1_textChanged(const QString &arg1)
{
    applyChannel1Text(form->comboBox1->currentIndex(), arg1);
}

void MainWindow::on_lineEdit_2_textChanged(const QString &arg1)
{
    applyChannel2Text(form->comboBox1->currentIndex(), arg1);
}

void MainWindow::on_lineEdit_3_textChanged(const QString &arg1)
{
    applyChannel3Text(form->comboBox1->currentIndex(), arg1);
}

void MainWindow::on_lineEdit_4_textChanged(const QString &arg1)
{
    applyChannel1Text(form->comboBox2->currentIndex(), arg1);
}

void MainWindow::on_lineEdit_5_textChanged(const QString &arg1)
{
    applyChannel2Text(form->comboBox2->currentIndex(), arg1);
}

void MainWindow::on_lineEdit_6_textChanged(const QString &arg1)
{
    applyChannel3Text(form->comboBox2->currentIndex(), arg1);
}

void MainWindow::on_lineEdit_7_textChanged(const QString &arg1)
{
    applyChannel1Text(form->comboBox3->currentIndex(), arg1);
}

void MainWindow::on_lineEdit_8_textChanged(const QString &arg1)
{
    applyChannel2Text(form->comboBox3->currentIndex(), arg1);
}

void MainWindow::on_lineEdit_9_textChanged(const QString &arg1)
{
    applyChannel3Text(form->comboBox3->currentIndex(), arg1);
}

void MainWindow::on_lineEdit_1_4_textChanged(const QString &arg1)
{
    applyKeyText(0, arg1);
}
void MainWindow::on_lineEdit_2_4_textChanged(const QString &arg1)
{
    applyKeyText(1, arg1);
}
void MainWindow::on_lineEdit_3_4_textChanged(const QString &arg1)
{
    applyKeyText(2, arg1);
}

// A channel slider only writes its edit; the edit's own slot applies the value.
void MainWindow::on_horizontalSlider_1_sliderMoved(int position)
{
    form->lineEdit_1->setText(QString::number(position));
}

void MainWindow::on_horizontalSlider_2_sliderMoved(int position)
{
    form->lineEdit_2->setText(QString::number(position));
}

void MainWindow::on_horizontalSlider_3_sliderMoved(int position)
{
    form->lineEdit_3->setText(QString::number(position));
}

void MainWindow::on_horizontalSlider_4_sliderMoved(int position)
{
    form->lineEdit_4->setText(QString::number(position));
}

void MainWindow::on_horizontalSlider_5_sliderMoved(int position)
{
    form->lineEdit_5->setText(QString::number(position));
}

void MainWindow::on_horizontalSlider_6_sliderMoved(int position)
{
    form->lineEdit_6->setText(QString::number(position));
}

void MainWindow::on_horizontalSlider_7_sliderMoved(int position)
{
    form->lineEdit_7->setText(QString::number(position));
}

void MainWindow::on_horizontalSlider_8_sliderMoved(int position)
{
    form->lineEdit_8->setText(QString::number(position));
}

void MainWindow::on_horizontalSlider_9_sliderMoved(int position)
{
    form->lineEdit_9->setText(QString::number(position));
}

void MainWindow::on_horizontalSlider_1_4_sliderMoved(int position)
{
    applyKeyPosition(0, position);
}
void MainWindow::on_horizontalSlider_2_4_sliderMoved(int position)
{
    applyKeyPosition(1, position);
}
void MainWindow::on_horizontalSlider_3_4_sliderMoved(int position)
{
    applyKeyPosition(2, position);
}

MainWindow::Panel MainWindow::panelWidgets(int panel) const
{
    switch (panel) {
    case 0:
        return {form->comboBox1,
            {form->lineEdit_1, form->lineEdit_2, form->lineEdit_3, form->lineEdit_1_4},
            {form->horizontalSlider_1, form->horizontalSlider_2, form->horizontalSlider_3,
                form->horizontalSlider_1_4}};
    case 1:
        return {form->comboBox2,
            {form->lineEdit_4, form->lineEdit_5, form->lineEdit_6, form->lineEdit_2_4},
            {form->horizontalSlider_4, form->horizontalSlider_5, form->horizontalSlider_6,
                form->horizontalSlider_2_4}};
    default:
        return {form->comboBox3,
            {form->lineEdit_7, form->lineEdit_8, form->lineEdit_9, form->lineEdit_3_4},
            {form->horizontalSlider_7, form->horizontalSlider_8, form->horizontalSlider_9,
                form->horizontalSlider_3_4}};
    }
}

void MainWindow::configurePanel(int model, int panel)
{
    const ColourModels::Model *modelEntry = ColourModels::model(model);
    if (!modelEntry)
        return;
    const Panel widgets = panelWidgets(panel);
    const int count = modelEntry->channelCount;

    const bool fourth = count == 4;
    widgets.edits[3]->setEnabled(fourth);
    widgets.sliders[3]->setEnabled(fourth);

    for (int c = 0; c < count; ++c) {
        const ColourModels::Channel &channel = modelEntry->channels[c];
        widgets.sliders[c]->setMinimum(channel.sliderMinimum);
        widgets.sliders[c]->setMaximum(channel.sliderMaximum);
    }

    // The panels carry no visible channel names, so each control names its channel here.
    for (int c = 0; c < 4; ++c) {
        const QString description = c < count ? tr(modelEntry->channels[c].description) : QString();
        widgets.edits[c]->setToolTip(description);
        widgets.edits[c]->setAccessibleName(description);
        widgets.sliders[c]->setToolTip(description);
        widgets.sliders[c]->setAccessibleName(description);
    }

    // Each write runs the edit's slot at once, so the engine takes back the value as shown
    // before the next channel is read.
    for (int c = 0; c < count; ++c)
        widgets.edits[c]->setText(QString::number(modelEntry->channels[c].read(*engine), 'g', 6));
    for (int c = 0; c < count; ++c)
        widgets.sliders[c]->setValue(truncated(modelEntry->channels[c].read(*engine)));
}

void MainWindow::applyChannel1Text(int model, QString text)
{
    applyChannelText(model, 0, text);
}
void MainWindow::applyChannel2Text(int model, QString text)
{
    applyChannelText(model, 1, text);
}
void MainWindow::applyChannel3Text(int model, QString text)
{
    applyChannelText(model, 2, text);
}

void MainWindow::applyChannelText(int model, int channel, const QString &text)
{
    const ColourModels::Model *modelEntry = ColourModels::model(model);
    if (modelEntry && channel < modelEntry->channelCount) {
        const ColourModels::Channel &bounds = modelEntry->channels[channel];
        // Text that is no number reads as 0, as the toolkit's parser gives it.
        const double value = text.toDouble();
        // NaN and infinities would spread into every model, so they are refused like any
        // number out of range.
        if (std::isfinite(value) && value >= bounds.lowest && value <= bounds.highest) {
            bounds.write(*engine, value);
            refreshColour();
        } else {
            QMessageBox::information(
                this, tr("Ууууууупс :( !Ошибка!"), tr(modelEntry->rangeMessage), QMessageBox::Ok);
        }
    }
    refreshSwatch();
}

void MainWindow::applyKeyText(int panel, const QString &text)
{
    const int model = panelWidgets(panel).model->currentIndex();
    if (model == ColourModels::Cmyk)
        applyChannelText(model, 3, text);
    else
        refreshSwatch();
}

void MainWindow::applyKeyPosition(int panel, int position)
{
    const Panel widgets = panelWidgets(panel);
    if (widgets.model->currentIndex() == ColourModels::Cmyk) {
        engine->set_cmyk_k(position);
        refreshColour();
        widgets.edits[3]->setText(QString::number(position));
    }
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
    central->repaint(swatchRect.adjusted(0, 0, 1, 1).translated(-central->pos()));
}
