// Trovelin: one window over the YY category "陪你看". It takes no options.
#include <QApplication>
#include <QTimer>

#include "app/MainWindow.h"
#include "files/Config.h"
#include "files/RunDirectory.h"
#include "files/ServiceConfig.h"
#include "objects/ScriptJson.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const RunDirectory run = enterRunDirectory();
    ScriptJson pageJson;  // the one page object, for the whole run
    AppConfig config;
    MainWindow window(run, loadServiceEndpoints(run), pageJson, config);
    window.show();
    // The created sequence blocks for the first page, so the window is on screen first.
    QTimer::singleShot(0, &window, [&window] { window.onWindowCreated(); });
    const int status = app.exec();
    window.shutDown();
    return status;
}
