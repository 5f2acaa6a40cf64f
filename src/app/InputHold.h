#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <memory>
#include <utility>
#include <vector>

class QWidget;

// While held, the user's mouse and keyboard input for one window is kept instead of
// handled; on release it is handed back in its order, to be handled once the current handler
// has returned. Nothing the user does while a handler waits is lost or handled inside it.
class InputHold : public QObject {
  public:
    explicit InputHold(QWidget* window);
    ~InputHold() override;

    void hold();
    void release();
    bool holding() const { return depth_ > 0; }

    class Scope {
      public:
        explicit Scope(InputHold& hold) : hold_(hold) { hold_.hold(); }
        ~Scope() { hold_.release(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        InputHold& hold_;
    };

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool belongsToWindow(QObject* watched) const;

    QPointer<QWidget> window_;
    int depth_ = 0;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held_;
};
