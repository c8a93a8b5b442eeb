#include "gui/lyrics/karaoke_init_window.h"

#include <QLabel>
#include <QTimer>

#include "gui/lyrics/karaoke_editor_window.h"

namespace orvane {

KaraokeInitWindow::KaraokeInitWindow(const Skin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm47"), QStringLiteral("卡拉OK设置"), skin, parent) {
    setContentSize(QSize(300, 70));
    auto* text = new QLabel(QStringLiteral("卡拉OK设置初始化......"), content());
    text->setObjectName(QStringLiteral("Label_chushihua"));
    text->setGeometry(20, 20, 260, 28);
}

void KaraokeInitWindow::initialise(KaraokeEditorWindow& editor) {
    QTimer::singleShot(1, this, [this, &editor] {
        editor.prepare();
        accept();
    });
    exec();
}

}  // namespace orvane
