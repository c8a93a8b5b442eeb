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
TMainForm::TMainForm(const Skin& skin, QWidget* parent)
    : JobProgressWindow(progressNames("TMainForm", "添加相片", "ProgressBar_xiangpian"), skin,
                        parent) {
    setClosingPause({std::chrono::milliseconds(100), std::chrono::seconds(1)});
}

TForm6::TForm6(const Skin& skin, QWidget* parent)
    : JobProgressWindow(progressNames("TForm6", "添加音乐", "ProgressBar_yinyue"), skin, parent) {
    setClosingPause({std::chrono::milliseconds(0), std::chrono::seconds(1)});
}

TForm7::TForm7(const Skin& skin, QWidget* parent)
    : JobProgressWindow(progressNames("TForm7", "添加歌词", "ProgressBar_geci"), skin, parent) {
    setClosingPause({std::chrono::milliseconds(0), std::chrono::seconds(1)});
}

TForm9::TForm9(const Skin& skin, QWidget* parent)
    : QuestionWindow(
          QStringLiteral("TForm9"), QStringLiteral("删除相片"),
          {kConfirmDelete,
           {QStringLiteral("Button_shoudong_buchong"), QStringLiteral("手动为模板补充相片")},
           kCancel},
          skin, parent) {
    setContentSize(QSize(520, 150));
}

QString TForm9::text() {
    return QStringLiteral(
        "点[确定删除]按钮，软件自动从已添加过的相片列表中随机选择\n一张相片用来补充模板。");
}

TForm10::TForm10(const Skin& skin, QWidget* parent)
    : ListChoiceWindow(
          QStringLiteral("TForm10"), QStringLiteral("删除相片"), {},
          QStringLiteral("ListView_buchong_xiangpian"),
          {{QStringLiteral("Button_xuanze_buchong"),
            QStringLiteral("从已添加的相片中选择一张用来补充模板")},
           {QStringLiteral("Button_tianjia_buchong"), QStringLiteral("添加新相片用来补充")},
           kCancel},
          skin, parent) {
    setRows(headers(), {});
    setContentSize(QSize(760, 340));
}

QStringList TForm10::headers() {
    return {QStringLiteral("序号"),     QStringLiteral("文件名"),   QStringLiteral("类型"),
            QStringLiteral("相片宽度"), QStringLiteral("相片高度"), QStringLiteral("竖照or横照"),
            QStringLiteral("模板绑定"), QStringLiteral("位置")};
}

DeleteQuestionWindow::DeleteQuestionWindow(const QString& objectName, const QString& caption,
                                           const Skin& skin, QWidget* parent)
    : QuestionWindow(objectName, caption, {kConfirmDelete, kCancel}, skin, parent) {}

TForm14::TForm14(const Skin& skin, QWidget* parent)
    : QuestionWindow(QStringLiteral("TForm14"), QStringLiteral("绑定或解绑"), {kOk, kCancel}, skin,
                     parent) {}

TForm15::TForm15(const Skin& skin, QWidget* parent)
    : ListChoiceWindow(QStringLiteral("TForm15"), QStringLiteral("绑定"),
                       QStringLiteral("从下面列表中选择一个文件绑定"),
                       QStringLiteral("ListView_bangding"), {kOk, kCancel}, skin, parent) {
    // The music pane's side until a command fills it.
    setRows({QStringLiteral("序号"), QStringLiteral("歌词文件名"), QStringLiteral("歌词类型")}, {});
}

}  // namespace orvane
