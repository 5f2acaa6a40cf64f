// Trovelin: one window over the YY category "陪你看". It takes no options.
#include <QApplication>
#include <QTimer>

#include "app/MainWindow.h"
#include "files/Config.h"
#include "files/RunDirectory.h"
#include "files/ServiceConfig.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const RunDirectory run = enterRunDirectory();
    AppConfig config;
    MainWindow window(run, loadServiceEndpoints(run), config, {}, loadWindowOptions(run));
    window.show();
    // The created sequence waits for the first page, so the window is on screen first.
    QTimer::singleShot(0, &window, [&window] { window.onWindowCreated(); });
    const int status = app.exec();
    window.shutDown();
    return status;
}
