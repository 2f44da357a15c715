#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(806, 471);
    window.setWindowTitle(QStringLiteral("MainWindow"));
    window.show();
    return app.exec();
}
