// The floor for the window's start-up: a minimal Qt Widgets program that shows one window of
// the same size with one label of Chinese text, and ends once it has been shown.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(609, 587);
    QLabel label(QString::fromUtf8("陪你看"), &window);
    label.move(88, 499);
    window.show();
    QTimer::singleShot(0, &app, [] { QCoreApplication::quit(); });
    return app.exec();
}
