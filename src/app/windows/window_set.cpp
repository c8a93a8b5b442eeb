#include "app/windows/window_set.h"

#include <QGuiApplication>
#include <QScreen>

#include "app/windows/main_window.h"
#include "gui/exit_window.h"
#include "gui/message_window.h"
#include "gui/processing_window.h"
#include "gui/shell_window.h"

namespace orvane {

namespace {

// The sharpest ratio any screen needs.
qreal largestPixelRatio() {
    qreal ratio = 1;
    for (const QScreen* screen : QGuiApplication::screens())
        ratio = std::max(ratio, screen->devicePixelRatio());
    return ratio;
}

}  // namespace

template <typename W, typename... Args>
W* WindowSet::make(Args&&... args) {
    auto window = std::make_unique<W>(std::forward<Args>(args)...);
    W* raw = window.get();
    m_order.push_back(raw);
    m_owned.push_back(std::move(window));
    return raw;
}

WindowSet::WindowSet(Session& session) : m_skin(largestPixelRatio()) {
    const auto shell = [this](const char* name, const char* caption) {
        make<ShellWindow>(QString::fromUtf8(name), QString::fromUtf8(caption), m_skin);
    };
    m_main = make<TForm1>(session, m_skin);
    shell("TMainForm", "添加相片");
    shell("TfrmMain", "制作相册");
    // Album settings window: replaced by its own class.
    shell("TForm2", "相册时长");
    shell("TForm3", "文字特效");
    shell("TForm6", "添加音乐");
    m_message = make<TForm8>(m_skin);
    shell("TForm7", "添加歌词");
    shell("TForm9", "");
    shell("TForm10", "");
    shell("TForm11", "删除相片");
    shell("TForm12", "删除音乐");
    shell("TForm13", "删除歌词");
    shell("TForm14", "绑定或解绑");
    shell("TForm15", "绑定");
    shell("TForm16", "歌词设置");
    // Album settings window: replaced by its own class.
    shell("TForm17", "其它设置");
    m_exit = make<TForm25>(m_skin);
    shell("TForm28", "音乐预览");
    shell("TForm29", "歌词预览");
    shell("TForm30", "提示窗口");
    shell("TForm31", "相片控件渐变提示信息");
    shell("TForm32", "音乐控件渐变提示信息");
    shell("TForm33", "歌词控件渐变提示信息");
    shell("TForm34", "相片使用效果预览");
    m_processing = make<TForm35>(m_skin);
    // Album settings window: replaced by its own class.
    shell("TForm39", "输出相册尺寸");
    shell("TForm50", "歌词软件");
    shell("TForm46", "");
    shell("TForm47", "");
    shell("TForm48", "卡拉OK设置");
    shell("TForm49", "歌词类型选择");
    shell("TForm51", "查看匹配");
    shell("TForm4", "");

    m_main->setExitConfirmation([this] { return m_exit->confirmExit(); });
}

// The other windows go first: none of them outlives the main window.
WindowSet::~WindowSet() {
    while (!m_owned.empty()) m_owned.pop_back();
}

QWidget* WindowSet::window(const QString& objectName) const {
    for (QWidget* w : m_order)
        if (w->objectName() == objectName) return w;
    return nullptr;
}

}  // namespace orvane
