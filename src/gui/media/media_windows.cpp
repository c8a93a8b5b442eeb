#include "gui/media/media_windows.h"

namespace orvane {

namespace {

JobProgressWindow::Names progressNames(const char* window, const char* caption, const char* bar) {
    JobProgressWindow::Names names;
    names.window = QString::fromUtf8(window);
    names.caption = QString::fromUtf8(caption);
    names.progressBar = QString::fromUtf8(bar);
    return names;
}

const WindowButton kCancel{QStringLiteral("Button_quxiao"), QStringLiteral("取消")};
const WindowButton kConfirmDelete{QStringLiteral("Button_queding_shanchu"),
                                  QStringLiteral("确定删除")};
const WindowButton kOk{QStringLiteral("Button_queding"), QStringLiteral("确定")};

}  // namespace

// The import windows show the finished work before they close: the photo
// bar runs to its end a step every 100 ms; then each stays a second.
std::unique_ptr<JobProgressWindow> makePhotoImportWindow(const Skin& skin) {
    auto window = std::make_unique<JobProgressWindow>(
        progressNames("TMainForm", "添加相片", "ProgressBar_xiangpian"), skin);
    window->setClosingPause({std::chrono::milliseconds(100), std::chrono::seconds(1)});
    return window;
}

std::unique_ptr<JobProgressWindow> makeMusicImportWindow(const Skin& skin) {
    auto window = std::make_unique<JobProgressWindow>(
        progressNames("TForm6", "添加音乐", "ProgressBar_yinyue"), skin);
    window->setClosingPause({std::chrono::milliseconds(0), std::chrono::seconds(1)});
    return window;
}

std::unique_ptr<JobProgressWindow> makeLyricImportWindow(const Skin& skin) {
    auto window = std::make_unique<JobProgressWindow>(
        progressNames("TForm7", "添加歌词", "ProgressBar_geci"), skin);
    window->setClosingPause({std::chrono::milliseconds(0), std::chrono::seconds(1)});
    return window;
}

std::unique_ptr<QuestionWindow> makeSupplementChoiceWindow(const Skin& skin) {
    auto window = std::make_unique<QuestionWindow>(
        QStringLiteral("TForm9"), QStringLiteral("删除相片"),
        std::vector<WindowButton>{
            kConfirmDelete,
            {QStringLiteral("Button_shoudong_buchong"), QStringLiteral("手动为模板补充相片")},
            kCancel},
        skin);
    window->setContentSize(QSize(520, 150));
    return window;
}

QString supplementChoiceText() {
    return QStringLiteral(
        "点[确定删除]按钮，软件自动从已添加过的相片列表中随机选择\n一张相片用来补充模板。");
}

std::unique_ptr<ListChoiceWindow> makeManualSupplementWindow(const Skin& skin) {
    auto window = std::make_unique<ListChoiceWindow>(
        QStringLiteral("TForm10"), QStringLiteral("删除相片"), QString(),
        QStringLiteral("ListView_buchong_xiangpian"),
        std::vector<WindowButton>{
            {QStringLiteral("Button_xuanze_buchong"),
             QStringLiteral("从已添加的相片中选择一张用来补充模板")},
            {QStringLiteral("Button_tianjia_buchong"), QStringLiteral("添加新相片用来补充")},
            kCancel},
        skin);
    window->setRows(manualSupplementHeaders(), {});
    window->setContentSize(QSize(760, 340));
    return window;
}

QStringList manualSupplementHeaders() {
    return {QStringLiteral("序号"),     QStringLiteral("文件名"),   QStringLiteral("类型"),
            QStringLiteral("相片宽度"), QStringLiteral("相片高度"), QStringLiteral("竖照or横照"),
            QStringLiteral("模板绑定"), QStringLiteral("位置")};
}

std::unique_ptr<QuestionWindow> makeDeleteQuestionWindow(const QString& objectName,
                                                         const QString& caption, const Skin& skin) {
    return std::make_unique<QuestionWindow>(
        objectName, caption, std::vector<WindowButton>{kConfirmDelete, kCancel}, skin);
}

std::unique_ptr<QuestionWindow> makeBindQuestionWindow(const Skin& skin) {
    return std::make_unique<QuestionWindow>(QStringLiteral("TForm14"), QStringLiteral("绑定或解绑"),
                                            std::vector<WindowButton>{kOk, kCancel}, skin);
}

std::unique_ptr<ListChoiceWindow> makeBindChoiceWindow(const Skin& skin) {
    auto window = std::make_unique<ListChoiceWindow>(
        QStringLiteral("TForm15"), QStringLiteral("绑定"),
        QStringLiteral("从下面列表中选择一个文件绑定"), QStringLiteral("ListView_bangding"),
        std::vector<WindowButton>{kOk, kCancel}, skin);
    // The music pane's side until a command fills it.
    window->setRows(
        {QStringLiteral("序号"), QStringLiteral("歌词文件名"), QStringLiteral("歌词类型")}, {});
    return window;
}

}  // namespace orvane
