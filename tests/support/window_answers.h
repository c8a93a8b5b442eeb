#pragma once
// Answering modal windows in window tests (header only; the test needs Qt
// Widgets): act on a window once it shows (found
// among the top-level widgets by object name), and note and dismiss every
// message window MessageWindow while a test runs.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "gui/shell/message_window.h"

namespace orvane::testing {

inline void whenShown(const QString& objectName, std::function<void(QWidget*)> act,
                      int timeoutMs = 30000) {
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [=] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == objectName && w->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(w);
                return;
            }
        }
        if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << objectName.toStdString() << " never showed";
        }
    });
    timer->start(5);
}

template <typename T>
T* child(QWidget* window, const char* name) {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Notes the text of every message window that shows and presses "确定".
class MessageAnswerer {
   public:
    MessageAnswerer() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* message = qobject_cast<MessageWindow*>(w);
                if (!message || !message->isVisible()) continue;
                messages << message->messageLabel()->text();
                message->findChild<QPushButton*>(QStringLiteral("Button_queding"))->click();
            }
        });
        m_timer.start(5);
    }
    QStringList messages;

   private:
    QTimer m_timer;
};

}  // namespace orvane::testing
