// Test main for suites that need a Qt application object (the script engine asks for one;
// widget suites need the widget kind). Tests run offscreen with a pinned locale.
#include <gtest/gtest.h>

#include <QLocale>

#include <cstdlib>

#ifdef TROVELIN_WIDGETS_MAIN
#include <QApplication>
using Application = QApplication;
#else
#include <QCoreApplication>
using Application = QCoreApplication;
#endif

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QLocale::setDefault(QLocale::c());
    Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
