#include "app/InputHold.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::TabletMove:
            return true;
        default:
            return false;
    }
}

}  // namespace

InputHold::InputHold(QWidget* window) : window_(window) {
    QCoreApplication::instance()->installEventFilter(this);
}

InputHold::~InputHold() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

void InputHold::hold() { ++depth_; }

void InputHold::release() {
    if (depth_ == 0 || --depth_ > 0) return;
    // Posted, not sent: they are handled after the handler that held them has returned.
    for (auto& [target, event] : held_) {
        if (target) QCoreApplication::postEvent(target, event.release());
    }
    held_.clear();
}

bool InputHold::belongsToWindow(QObject* watched) const {
    if (!window_) return false;
    if (watched->isWindowType()) return watched == window_->windowHandle();
    if (watched->isWidgetType()) return static_cast<QWidget*>(watched)->window() == window_;
    return false;
}

bool InputHold::eventFilter(QObject* watched, QEvent* event) {
    if (depth_ == 0 || !isUserInput(event->type()) || !belongsToWindow(watched)) return false;
    held_.emplace_back(watched, std::unique_ptr<QEvent>(event->clone()));
    return true;
}
