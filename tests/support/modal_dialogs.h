#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace tb::test {

// Runs step every 10 ms, also inside modal loops, until it returns true or the object goes.
class Poll {
public:
    explicit Poll(std::function<bool()> step) {
        QObject::connect(&timer_, &QTimer::timeout, [this, step] {
            if (step())
                timer_.stop();
        });
        timer_.start(10);
    }

private:
    QTimer timer_;
};

template <class D> D* Modal() {
    return qobject_cast<D*>(QApplication::activeModalWidget());
}

// Hands the first modal dialog of type D to action; seen() tells whether one came.
template <class D> class WhenModal {
public:
    explicit WhenModal(std::function<void(D&)> action)
        : poll_([this, action] { return (seen_ = Modal<D>()) && (action(*Modal<D>()), true); }) {}
    bool seen() const { return seen_; }

private:
    bool seen_ = false;
    Poll poll_;
};

// Fails the test and closes what is modal once the time is up, so a dialog nobody answers
// cannot hang the run.
class ModalWatchdog {
public:
    explicit ModalWatchdog(int milliseconds = 60000)
        : poll_([this, milliseconds] {
              if (clock_.elapsed() < milliseconds)
                  return false;
              ADD_FAILURE() << "a dialog was still open after " << milliseconds << " ms";
              while (auto* modal = Modal<QDialog>())
                  modal->done(-1);
              return true;
          }) {
        clock_.start();
    }
    qint64 elapsed() const { return clock_.elapsed(); }

private:
    QElapsedTimer clock_;
    Poll poll_;
};

// Delivers events until done() or the time is up; returns done().
inline bool WaitFor(const std::function<bool()>& done, int milliseconds = 10000) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return done();
}

} // namespace tb::test
