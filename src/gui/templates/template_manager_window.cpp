#include "gui/templates/template_manager_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/main/main_window.h"
#include "gui/main/window_set.h"
#include "gui/panes/media_browser.h"
#include "gui/panes/media_pane.h"
#include "gui/panes/preview_box.h"
#include "gui/shell/button_row.h"
#include "gui/shell/command_button.h"
#include "gui/shell/message_window.h"
#include "gui/templates/template_preview_window.h"
#include "photos/auto_fit.h"
#include "photos/template_change.h"
#include "session/session.h"

namespace orvane {
namespace {

const QString kNoPhotos = QStringLiteral("没有添加相片文件！");

// "s08_page_turn  —  单张竖照 · 夏天 · 250 帧", the current one marked.
QString entryText(const TemplateEntry& t, bool current) {
    QString text = QStringLiteral("%1  —  %2 · %3 · %4 帧")
                       .arg(QFileInfo(t.location).completeBaseName(), t.templateType.simplified(),
                            t.category.simplified(), t.frameCount);
    if (current) text += QStringLiteral("   ← 当前模板");
    return text;
}

}  // namespace

TemplateManagerWindow::TemplateManagerWindow(Session& session, WindowSet& windows, QWidget* parent)
    : FramedWindow(QStringLiteral("TFormTemplates"), QStringLiteral("模板管理"), windows.skin(),
                   parent),
      m_session(session),
      m_windows(windows) {
    buildControls();
}

void TemplateManagerWindow::buildControls() {
    setContentSize(QSize(560, 420));
    QWidget* c = content();
    auto* layout = new QVBoxLayout(c);
    layout->setContentsMargins(12, 10, 12, 10);
    m_photo = new QLabel(c);
    m_photo->setObjectName(QStringLiteral("Label_xiangpian"));
    m_photo->setWordWrap(true);
    layout->addWidget(m_photo);
    auto* caption = new QLabel(QStringLiteral("可用模板（单张，与相片同方向）:"), c);
    layout->addWidget(caption);
    m_list = new QListWidget(c);
    m_list->setObjectName(QStringLiteral("ListBox_moban"));
    m_list->setAccessibleName(QStringLiteral("可用模板"));
    layout->addWidget(m_list, 1);
    m_status = new QLabel(c);
    m_status->setObjectName(QStringLiteral("Label_zhuangtai"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);

    auto* buttons = new ButtonRow(c);
    layout->addLayout(buttons);
    QPushButton* look =
        buttons->addButton(QStringLiteral("预览"), QStringLiteral("suiButton_yulan"));
    QPushButton* ok =
        buttons->addButton(QStringLiteral("确定"), QStringLiteral("suiButton_queding"));
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("取消"), QStringLiteral("suiButton_quxiao"));
    look->setAutoDefault(false);
    cancel->setAutoDefault(false);
    ok->setDefault(true);

    connect(look, &QPushButton::clicked, this, &TemplateManagerWindow::preview);
    connect(ok, &QPushButton::clicked, this, &TemplateManagerWindow::applyChoice);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TemplateManagerWindow::applyChoice);
}

bool TemplateManagerWindow::load(int row) {
    const auto& photos = m_session.model().photos;
    if (photos.empty()) return false;
    m_row = row >= 0 && std::size_t(row) < photos.size() ? row : 0;
    m_status->clear();
    fillList();
    return true;
}

void TemplateManagerWindow::fillList() {
    const ProjectModel& model = m_session.model();
    const PhotoEntry& photo = model.photos.at(std::size_t(m_row));
    m_photo->setText(
        QStringLiteral("相片 %1. %2（%3，%4 × %5）")
            .arg(photo.index, photo.fileName,
                 photo.orientation == kPortrait ? QStringLiteral("竖照") : QStringLiteral("横照"),
                 photo.width, photo.height));
    m_list->clear();
    m_locations.clear();
    int current = -1;
    for (const TemplateEntry& t : templateChoices(model, std::size_t(m_row))) {
        const bool isCurrent = QFileInfo(t.location) == QFileInfo(photo.templatePath);
        if (isCurrent) current = m_list->count();
        m_list->addItem(entryText(t, isCurrent));
        m_locations << t.location;
    }
    if (m_locations.isEmpty())
        m_status->setText(QStringLiteral("没有可供这张相片使用的单张模板。"));
    else if (!photoHasOwnTemplate(model, std::size_t(m_row)))
        m_status->setText(QStringLiteral("这张相片和其它相片共用一个模板，不能单独更换。"));
    m_list->setCurrentRow(current);
}

void TemplateManagerWindow::openWindow(int row) {
    if (!load(row)) {
        m_windows.messageWindow().showMessage(kNoPhotos);
        return;
    }
    m_list->setFocus();
    exec();
}

void TemplateManagerWindow::chooseTemplate(int index) { m_list->setCurrentRow(index); }

bool TemplateManagerWindow::applyChoice() {
    const int index = m_list->currentRow();
    if (m_row < 0 || index < 0 || index >= m_locations.size()) return false;
    const std::size_t row = std::size_t(m_row);
    const QString location = m_locations.at(index);
    NullProgress progress;
    Result<void> done = m_session.apply(
        [row, location](ProjectModel& model, const WorkingFolder& folder, Progress& p) {
            return changePhotoTemplate(model, folder, row, location, p);
        },
        progress);
    if (!done) {
        m_windows.messageWindow().showMessage(done.error().message);
        return false;
    }
    m_windows.browser().pane(PaneKind::Photos)->refresh();  // the thumbnail was written anew
    fillList();
    m_status->setText(QStringLiteral("已更换模板。"));
    return true;
}

void TemplateManagerWindow::preview() {
    if (auto* previewWindow =
            qobject_cast<TemplatePreviewWindow*>(m_windows.window(QStringLiteral("TForm34"))))
        previewWindow->previewPhoto(m_row);
}

void connectTemplateCommands(Session& session, WindowSet& windows) {
    MainWindow& main = windows.mainWindow();
    auto* manager = new TemplateManagerWindow(session, windows, &main);
    Commands& commands = windows.commands();
    QObject::connect(
        commands.action(CommandId::ManageTemplates), &QAction::triggered, &main,
        [&windows, manager] {  // on the chosen photo
            manager->openWindow(windows.browser().currentRow(PaneKind::Photos).value_or(0));
        });
    // The chosen photo in its template, from the photo panel or a double
    // click on it.
    TemplatePreviewWindow* preview = windows.lyricWindows().templatePreview;
    MediaBrowser* browser = &windows.browser();
    QObject::connect(commands.action(PaneKind::Photos, CommandId::PreviewPhotoTemplate),
                     &QAction::triggered, browser, [browser, preview] {
                         preview->previewPhoto(browser->currentRow(PaneKind::Photos).value_or(-1));
                     });
    QObject::connect(browser, &MediaBrowser::itemActivated, browser,
                     [preview](PaneKind pane, int row) {
                         if (pane == PaneKind::Photos) preview->previewPhoto(row);
                     });
}

}  // namespace orvane
