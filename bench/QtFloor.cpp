// The floor for the window's start-up: a minimal Qt Widgets program that shows one window of
// the same size with one label of Chinese text, and ends once the label has been painted.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QWidget>

namespace {

// Ends the program after the watched widget's first paint.
class EndAfterPaint : public QObject {
  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            QTimer::singleShot(0, qApp, [] { QCoreApplication::quit(); });
        }
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(609, 587);
    QLabel label(QString::fromUtf8("陪你看"), &window);
    label.move(88, 499);
    EndAfterPaint end;
    label.installEventFilter(&end);
    window.show();
    return app.exec();
}
