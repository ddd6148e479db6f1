// The smallest Qt Widgets program: one 300x200 window with a title, then the event loop.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(300, 200);
    window.setWindowTitle(QStringLiteral("bare_window"));
    window.show();
    return app.exec();
}
