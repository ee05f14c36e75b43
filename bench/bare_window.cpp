// The peer of the start-up benchmark: the least a Qt Widgets program with a
// menu and a text editor costs to start and to keep. It is shown maximised as
// Zendra's main window is, so both pay for a window of the same size.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Quit"), &app, &QApplication::quit);
    window.menuBar()->addMenu(QStringLiteral("&Edit"));
    window.setCentralWidget(new QPlainTextEdit(&window));
    window.showMaximized();
    return app.exec();
}
