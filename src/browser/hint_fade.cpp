#include "browser/hint_fade.h"

namespace orvane {

void HintFade::show() {
    m_phase = Phase::FadingIn;
    m_counter = 0;
    m_interval = kHintDelayMs;
    m_visible = false;
}

void HintFade::hide() {
    m_phase = Phase::Closed;
    m_counter = 255;
    m_interval = kHintTickMs;
    m_visible = false;
}

void HintFade::tick() {
    switch (m_phase) {
        case Phase::Closed:
            return;
        case Phase::FadingIn:
            m_visible = true;
            m_interval = kHintTickMs;
            m_counter += kHintStep;
            if (m_counter > 254) {
                m_counter = 255;
                m_phase = Phase::FadingOut;
                m_interval = kHintHoldMs;
            }
            return;
        case Phase::FadingOut:
            m_interval = kHintTickMs;
            m_counter -= kHintStep;
            if (m_counter < 0) {
                m_counter = 0;
                m_phase = Phase::Closed;
                m_visible = false;
            }
            return;
    }
}

}  // namespace orvane
