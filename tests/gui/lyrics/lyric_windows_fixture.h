#pragma once
// What the lyric window tests share: a session on an empty working folder,
// the skin and message window, a playback clock the test moves by hand, and
// answering modal windows from a timer that finds the visible window by its
// object name.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "audio/media_player.h"
#include "gui/empty_session.h"
#include "gui/shell/message_window.h"
#include "gui/shell/skin.h"
#include "support/test_support.h"

namespace orvane::testing {

class ManualClock : public PlaybackClock {
   public:
    std::int64_t nowMs() const override { return now; }
    std::int64_t now = 0;
};

// A visible top-level window named `objectName`, or nullptr.
inline QWidget* visibleWindow(const QString& objectName) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == objectName) return w;
    return nullptr;
}

// Once the window `objectName` shows, runs `act` on it (which must close it).
inline void whenShown(const QString& objectName, std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, objectName, act = std::move(act)] {
        if (QWidget* w = visibleWindow(objectName)) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start();
}

inline void click(QWidget* window, const char* button) {
    auto* b = window->findChild<QPushButton*>(QString::fromLatin1(button));
    if (!b) {
        ADD_FAILURE() << "no button " << button << " in " << window->objectName().toStdString();
        return;
    }
    b->click();
}

class LyricWindowsTest : public ::testing::Test {
   protected:
    void SetUp() override {
        session = openEmptySession(dir.path());
        ASSERT_TRUE(session);
    }

    // The next message the message window shows is answered with "确定" and
    // kept in `messages`.
    void answerNextMessage() {
        whenShown(QStringLiteral("TForm8"), [this](QWidget* w) {
            messages << static_cast<MessageWindow*>(w)->messageLabel()->text();
            click(w, "Button_queding");
        });
    }

    std::unique_ptr<MediaPlayer> manualPlayer() {
        return std::make_unique<MediaPlayer>(std::make_unique<SilentAudioOutput>(clock));
    }

    template <typename T>
    static T* find(QWidget* window, const char* name) {
        auto* w = window->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            ADD_FAILURE() << "no widget " << name << " in " << window->objectName().toStdString();
        return w;
    }

    TempDir dir;
    Skin skin{1.0};
    std::unique_ptr<Session> session;
    MessageWindow messageWindow{skin};
    QStringList messages;
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
};

}  // namespace orvane::testing
