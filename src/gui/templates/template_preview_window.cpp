#include "gui/templates/template_preview_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/shell/command_button.h"
#include "gui/shell/message_window.h"
#include "render/album/template_preview.h"
#include "session/session.h"

namespace orvane {

namespace {

const QString kPlaying = QStringLiteral("Play");
const QString kStopped = QStringLiteral("tuichuxunhuan");
const QString kEndingLoaded = QStringLiteral("picture_0_wancheng");

QPushButton* commandButton(QWidget* parent, const char* name, const QString& caption, QRect at) {
    auto* b = new CommandButton(caption, QString::fromLatin1(name), parent);
    b->setGeometry(at);
    return b;
}

}  // namespace

TemplatePreviewWindow::TemplatePreviewWindow(Session& session, const Skin& skin,
                                             MessageWindow& messages, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm34"), QStringLiteral("相片使用效果预览"), skin, parent),
      m_session(session),
      m_messages(messages) {
    setContentSize(QSize(1010, 470));
    QWidget* c = content();
    m_area = new QWidget(c);
    m_area->setObjectName(QStringLiteral("ScrollBox_mobanyuelan"));
    m_area->setGeometry(10, 10, kArea.width(), kArea.height());
    m_area->setAutoFillBackground(true);
    m_area->setStyleSheet(QStringLiteral("#ScrollBox_mobanyuelan { background: black; }"));
    m_picture = new QLabel(m_area);
    m_picture->setObjectName(QStringLiteral("Image_yulan"));
    m_picture->setGeometry(0, 0, kArea.width(), kArea.height());
    m_picture->hide();

    m_name = infoBox("相片名称：", "Edit_xiangpian_mingcheng", 10);
    m_type = infoBox("相片类型：", "Edit_xiangpian_leixing", 66);
    m_size = infoBox("相片尺寸：", "Edit_xiangpian_chicun", 122);
    m_orientation = infoBox("横照竖照：", "Edit_hengzhao_shuzhao", 178);
    m_number = infoBox("相片序号：", "Edit_xiangpian_xuhao", 234);

    const auto hidden = [c](const char* name, const QString& text) {
        auto* e = new QLineEdit(text, c);
        e->setObjectName(QString::fromLatin1(name));
        e->hide();
        return e;
    };
    m_selected = hidden("Edit_xuangzhong", {});
    m_counter = hidden("Edit_dangqian_zhengshuo_leijia", QStringLiteral("-1"));
    m_loaded = hidden("Edit_wancheng", {});
    m_exit = hidden("Edit_Exit", kStopped);

    auto* playButton =
        commandButton(c, "Button_bofang", QStringLiteral("播放"), QRect(820, 320, 85, 30));
    auto* stopButton =
        commandButton(c, "Button_tingzhi", QStringLiteral("停止"), QRect(915, 320, 85, 30));
    auto* backButton =
        commandButton(c, "Button_fanhui", QStringLiteral("返回"), QRect(820, 430, 180, 30));
    connect(playButton, &QPushButton::clicked, this, &TemplatePreviewWindow::play);
    connect(stopButton, &QPushButton::clicked, this, &TemplatePreviewWindow::stopPreview);
    connect(backButton, &QPushButton::clicked, this, &TemplatePreviewWindow::back);

    m_frameTimer.setSingleShot(true);
    connect(&m_frameTimer, &QTimer::timeout, this, &TemplatePreviewWindow::nextFrame);
}

TemplatePreviewWindow::~TemplatePreviewWindow() = default;

QLineEdit* TemplatePreviewWindow::infoBox(const char* caption, const char* name, int top) {
    auto* label = new QLabel(QString::fromUtf8(caption), content());
    label->setGeometry(820, top, 180, 20);
    auto* box = new QLineEdit(content());
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setGeometry(820, top + 22, 180, 26);
    return box;
}

void TemplatePreviewWindow::previewPhoto(int row) {
    const ProjectModel& model = m_session.model();
    if (model.photos.empty()) {
        m_messages.showMessage(QStringLiteral("没有找到相片文件，不能预览效果！"));
        return;
    }
    if (row < 0 || row >= model.photos.count()) {
        m_messages.showMessage(QStringLiteral("没有选中相片文件！"));
        return;
    }
    const PhotoEntry& photo = model.photos.at(static_cast<std::size_t>(row));
    m_row = row;
    m_selected->setText(QString::number(row));
    m_name->setText(photo.fileName);
    m_type->setText(photo.fileType.toUpper());
    m_size->setText(photo.width + QLatin1Char('*') + photo.height);
    m_orientation->setText(photo.orientation == QLatin1String("heng_zhao")
                               ? QStringLiteral("横照相片")
                               : QStringLiteral("竖照相片"));
    m_number->setText(QString::number(row + 1));
    m_picture->hide();
    m_finished = false;
    TemplatePreviewOptions options;
    options.area = kArea;
    m_preview = std::make_unique<TemplatePreview>(m_session.folder(), photo.templateFolder.toInt(),
                                                  photo.templatePhotoCount.toInt(), options);
    // Prepared right after the window has appeared.
    QTimer::singleShot(0, this, &TemplatePreviewWindow::prepareAndPlay);
    exec();
    m_frameTimer.stop();
    m_preview.reset();
}

void TemplatePreviewWindow::prepareAndPlay() {
    if (!m_preview) return;
    if (Result<void> prepared = m_preview->prepare(); !prepared) {
        m_messages.showMessage(prepared.error().message);
        return;
    }
    play();
}

void TemplatePreviewWindow::play() {
    if (m_session.model().photos.empty()) {
        m_messages.showMessage(QStringLiteral("没有找到相片文件，不能预览效果！"));
        return;
    }
    if (!m_preview) return;
    m_frameTimer.stop();
    m_exit->setText(kPlaying);
    m_loaded->clear();
    m_counter->setText(QStringLiteral("-1"));
    m_frame = -1;
    m_finished = false;
    if (Result<void> started = m_preview->play(); !started) {
        m_exit->setText(kStopped);
        m_messages.showMessage(started.error().message);
        return;
    }
    m_frameImage = QImage(kArea, QImage::Format_RGB32);
    m_frameImage.fill(Qt::black);
    m_picture->setPixmap(QPixmap::fromImage(m_frameImage));
    m_picture->show();
    m_frameTimer.start(static_cast<int>(m_preview->pace(0).count()));
}

void TemplatePreviewWindow::nextFrame() {
    if (!m_preview || m_exit->text() != kPlaying) return;
    const int frame = m_frame + 1;
    if (frame >= m_preview->frameCount()) return;
    if (Result<void> painted = m_preview->paintFrame(frame, m_frameImage); !painted) {
        stopPreview();
        m_messages.showMessage(painted.error().message);
        return;
    }
    m_frame = frame;
    const bool ending = m_preview->phaseOf(frame) == TemplatePreview::Phase::Ending;
    if (ending) m_loaded->setText(kEndingLoaded);
    m_counter->setText(QString::number(ending ? frame - m_preview->templateFrames() : frame));
    m_picture->setPixmap(QPixmap::fromImage(m_frameImage));
    if (frame + 1 >= m_preview->frameCount()) {
        m_finished = true;  // the last frame stays shown
        return;
    }
    m_frameTimer.start(static_cast<int>(m_preview->pace(frame + 1).count()));
}

void TemplatePreviewWindow::stopPreview() {
    m_frameTimer.stop();
    m_exit->setText(kStopped);
    m_picture->hide();
}

void TemplatePreviewWindow::back() { accept(); }

// "返回", the close control and Esc: stop and remove the preview copies.
void TemplatePreviewWindow::done(int result) {
    stopPreview();
    if (m_preview) m_preview->remove();
    FramedWindow::done(result);
}

int TemplatePreviewWindow::movieFrame() const { return m_counter->text().toInt(); }
QString TemplatePreviewWindow::runFlag() const { return m_exit->text(); }
QString TemplatePreviewWindow::loadedFlag() const { return m_loaded->text(); }
bool TemplatePreviewWindow::inEnding() const { return m_loaded->text() == kEndingLoaded; }

}  // namespace orvane
