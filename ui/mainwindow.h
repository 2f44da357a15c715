#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QBrush>
#include <QMainWindow>

#include <memory>
#include <vector>

class ColourExchange;
class ColourKeeper;
class DisplaySettings;
class ModelPanel;
class NotationField;
class Prismora;
class QAction;
class QColor;
class QColorDialog;
class QLabel;
class QLineEdit;
class QSlider;
class QStyle;
class TypingGuard;

namespace Ui {
class MainWindowForm;
}
namespace Notation {
struct Request;
struct Result;
} // namespace Notation

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void applyNotation(const Notation::Request &request);
    // The colour as the window holds it, every model of it.
    const Prismora &colourEngine() const { return *engine; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void on_DrawButton_clicked();
    void on_comboBox1_activated(int index);
    void on_comboBox2_activated(int index);
    void on_comboBox3_activated(int index);
    void on_lineEdit_1_textChanged(const QString &arg1);
    void on_lineEdit_2_textChanged(const QString &arg1);
    void on_lineEdit_3_textChanged(const QString &arg1);
    void on_lineEdit_4_textChanged(const QString &arg1);
    void on_lineEdit_5_textChanged(const QString &arg1);
    void on_lineEdit_6_textChanged(const QString &arg1);
    void on_lineEdit_7_textChanged(const QString &arg1);
    void on_lineEdit_8_textChanged(const QString &arg1);
    void on_lineEdit_9_textChanged(const QString &arg1);
    void on_lineEdit_1_4_textChanged(const QString &arg1);
    void on_lineEdit_2_4_textChanged(const QString &arg1);
    void on_lineEdit_3_4_textChanged(const QString &arg1);
    void on_horizontalSlider_1_sliderMoved(int position);
    void on_horizontalSlider_2_sliderMoved(int position);
    void on_horizontalSlider_3_sliderMoved(int position);
    void on_horizontalSlider_4_sliderMoved(int position);
    void on_horizontalSlider_5_sliderMoved(int position);
    void on_horizontalSlider_6_sliderMoved(int position);
    void on_horizontalSlider_7_sliderMoved(int position);
    void on_horizontalSlider_8_sliderMoved(int position);
    void on_horizontalSlider_9_sliderMoved(int position);
    void on_horizontalSlider_1_4_sliderMoved(int position);
    void on_horizontalSlider_2_4_sliderMoved(int position);
    void on_horizontalSlider_3_4_sliderMoved(int position);

private:
    void showColourEverywhere(const QLineEdit *typing);
    // The status bar's note of the smallest of sRGB, Display P3 and Rec. 2020 that holds the
    // colour, hidden inside sRGB.
    void showGamut();
    void applyChannelText(int panel, int channel, const QString &text);
    void applySliderPosition(int panel, int channel, int position);
    void applyKeyPosition(int panel, int position);
    void watchTyping();
    // Escape in a channel edit: the colour from before the typing, and the edit's text for it.
    void restoreTypedColour();
    // Leaving a channel edit whose text the window did not take shows the colour's text again.
    void leaveChannelEdit(const QLineEdit *edit);
    // The layout is fixed: the window keeps its size, growing only by a docked panel.
    void keepWindowSize();
    void keepLargestSize();
    // A refusal or a note on the colour, elided in the middle to fit beside the field, whole in
    // the status bar's tool tip; it goes when the colour changes.
    void showColourMessage(const QString &message);
    void clearColourMessage();
    void addStatusBarWidgets();
    void addSettingsMenu();
    QAction *addScreenPicking(ColourExchange *exchange);
    void orderTabChain(QWidget *swatch);
    bool receiveColour(const Notation::Result &result);
    // After a whole colour came in from outside the panels: every panel and the swatch show it.
    void showNewColour();
    void refreshColour();
    void refreshSwatch();

    std::unique_ptr<Ui::MainWindowForm> form;
    QBrush brush;
    std::unique_ptr<QColorDialog> colourDialog;
    std::unique_ptr<QColor> colour;
    std::unique_ptr<Prismora> engine;
    // The slider the user is moving, whose position is theirs rather than the engine's.
    const QSlider *userSlider = nullptr;
    QStyle *panelStyle = nullptr;
    NotationField *notationField = nullptr;
    QLabel *gamutLabel = nullptr;
    TypingGuard *typingGuard = nullptr;
    // The colour message as the status bar shows it; empty when it shows none.
    QString colourMessage;
    std::vector<ModelPanel> panels;
    std::unique_ptr<DisplaySettings> settings;
    // Last, so that it goes first, while the engine and every widget it watches are still there.
    std::unique_ptr<ColourKeeper> keeper;
};

#endif // MAINWINDOW_H
