#pragma once
// The fade of a hint window: after a 2-second wait it fades in by 10 steps of
// opacity (out of 255) per tick, stays fully shown for 2 seconds, then fades
// out by 10 per tick and closes. The window drives it with one timer: it
// starts the timer with interval() after every call and stops it while
// running() is false. One thread (the window's).

namespace orvane {

inline constexpr int kHintDelayMs = 2000;
inline constexpr int kHintHoldMs = 2000;
inline constexpr int kHintTickMs = 1;
inline constexpr int kHintStep = 10;

class HintFade {
   public:
    enum class Phase { Closed, FadingIn, FadingOut };

    // Starts over for a new item: closed, opacity 0, fade-in after the delay.
    void show();
    // Closes at once.
    void hide();
    // One timer tick.
    void tick();

    Phase phase() const { return m_phase; }
    bool running() const { return m_phase != Phase::Closed; }
    // True once the first fade-in tick has put the window on the screen.
    bool visible() const { return m_visible; }
    int opacity() const { return m_counter; }  // 0..255
    int interval() const { return m_interval; }

   private:
    Phase m_phase = Phase::Closed;
    int m_counter = 0;
    int m_interval = kHintDelayMs;
    bool m_visible = false;
};

}  // namespace orvane
