#include "gui/effects/crop_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "gui/main/window_set.h"
#include "gui/panes/media_browser.h"
#include "gui/panes/media_pane.h"
#include "gui/panes/preview_box.h"
#include "gui/shell/button_row.h"
#include "gui/shell/choice_box.h"
#include "gui/shell/command_button.h"
#include "gui/shell/message_window.h"
#include "photos/photo_render.h"
#include "photos/staging.h"
#include "photos/thumbnails.h"
#include "session/session.h"

namespace orvane {

namespace {

constexpr int kStageMargin = 30;   // room around the frame to see the cut parts
constexpr int kSliderSteps = 100;  // slider value = scale × 100

int number(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : 0;
}

}  // namespace

// The frame in the middle of the stage, the photo under it; outside the
// frame the photo is dimmed.
class CropStage : public QWidget {
   public:
    explicit CropStage(CropWindow& window, QWidget* parent) : QWidget(parent), m_window(window) {
        setObjectName(QStringLiteral("Panel_jiancai"));
        setFixedSize(CropWindow::kStageWidth, CropWindow::kStageHeight);
        setFocusPolicy(Qt::StrongFocus);
        setCursor(Qt::OpenHandCursor);
    }

    QPoint frameOrigin() const {
        return {(width() - m_window.m_frame.width()) / 2,
                (height() - m_window.m_frame.height()) / 2};
    }

   protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(24, 24, 28));
        const QPoint origin = frameOrigin();
        const QRect frame(origin, m_window.m_frame);
        p.fillRect(frame, Qt::black);
        const CropPlacement& at = m_window.m_placement;
        const QRect photo(origin + QPoint(at.x, at.y), QSize(at.width, at.height));
        if (!m_window.m_photo.isNull()) {
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(photo, m_window.m_photo);
        }
        QPainterPath outside;
        outside.addRect(rect());
        QPainterPath inside;
        inside.addRect(frame);
        p.fillPath(outside.subtracted(inside), QColor(0, 0, 0, 160));
        p.setPen(QPen(QColor(255, 210, 0), 2));
        p.drawRect(frame.adjusted(-1, -1, 0, 0));
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        m_last = e->position().toPoint();
        m_dragging = true;
        setCursor(Qt::ClosedHandCursor);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!m_dragging) return;
        const QPoint now = e->position().toPoint();
        m_window.movePhoto(now - m_last);
        m_last = now;
    }
    void mouseReleaseEvent(QMouseEvent*) override {
        m_dragging = false;
        setCursor(Qt::OpenHandCursor);
    }
    void wheelEvent(QWheelEvent* e) override {
        const double steps = e->angleDelta().y() / 120.0;
        const QPointF anchor = e->position() - QPointF(frameOrigin());
        m_window.zoomPhoto(m_window.m_scale * std::pow(1.1, steps), anchor);
    }
    void keyPressEvent(QKeyEvent* e) override {
        const int step = e->modifiers() & Qt::ShiftModifier ? 10 : 1;
        switch (e->key()) {
            case Qt::Key_Left:
                m_window.movePhoto({-step, 0});
                break;
            case Qt::Key_Right:
                m_window.movePhoto({step, 0});
                break;
            case Qt::Key_Up:
                m_window.movePhoto({0, -step});
                break;
            case Qt::Key_Down:
                m_window.movePhoto({0, step});
                break;
            default:
                QWidget::keyPressEvent(e);
        }
    }

   private:
    CropWindow& m_window;
    QPoint m_last;
    bool m_dragging = false;
};

CropWindow::CropWindow(Session& session, WindowSet& windows, QWidget* parent)
    : FramedWindow(QStringLiteral("TFormCrop"), QStringLiteral("相片剪裁"), windows.skin(), parent),
      m_session(session),
      m_windows(windows) {
    buildControls();
}

void CropWindow::buildControls() {
    setContentSize(QSize(900, 500));
    QWidget* c = content();
    auto* layout = new QVBoxLayout(c);
    layout->setContentsMargins(12, 10, 12, 10);
    auto* pick = new QHBoxLayout;
    layout->addLayout(pick);
    pick->addWidget(new QLabel(QStringLiteral("相片:"), c));
    m_photos = new ChoiceBox(QStringLiteral("相片"), QStringLiteral("suiComboBox_xiangpian"), c);
    pick->addWidget(m_photos, 1);

    auto* middle = new QHBoxLayout;
    layout->addLayout(middle, 1);
    m_stage = new CropStage(*this, c);
    middle->addWidget(m_stage, 0, Qt::AlignTop);
    auto* side = new QVBoxLayout;
    middle->addLayout(side, 1);
    side->addWidget(new QLabel(QStringLiteral("缩放:"), c));
    m_zoom = new QSlider(Qt::Horizontal, c);
    m_zoom->setObjectName(QStringLiteral("suiTrackBar_suofang"));
    m_zoom->setAccessibleName(QStringLiteral("缩放"));
    m_zoom->setRange(kSliderSteps, int(kMaxCropScale * kSliderSteps));
    side->addWidget(m_zoom);
    m_info = new QLabel(c);
    m_info->setObjectName(QStringLiteral("Label_xinxi"));
    m_info->setWordWrap(true);
    side->addWidget(m_info);
    side->addWidget(new QLabel(
        QStringLiteral("拖动相片移动位置，滚轮或滑块缩放，方向键微调（Shift 加快）。"), c));
    side->itemAt(side->count() - 1)->widget()->setProperty("wordWrap", true);
    side->addWidget(new QLabel(QStringLiteral("剪裁结果:"), c));
    m_result = new QLabel(c);
    m_result->setObjectName(QStringLiteral("Image_jieguo"));
    m_result->setFixedSize(200, 150);
    m_result->setAlignment(Qt::AlignCenter);
    m_result->setStyleSheet(QStringLiteral("background: #1a1714; border: 1px solid #5a5248;"));
    side->addWidget(m_result);
    m_status = new QLabel(c);
    m_status->setObjectName(QStringLiteral("Label_zhuangtai"));
    side->addWidget(m_status);
    side->addStretch();

    auto* buttons = new ButtonRow(c);
    layout->addLayout(buttons);
    QPushButton* ok =
        buttons->addButton(QStringLiteral("确定"), QStringLiteral("suiButton_queding"));
    QPushButton* back =
        buttons->addButton(QStringLiteral("返     回"), QStringLiteral("suiButton_fanhui"));
    back->setAutoDefault(false);
    ok->setDefault(true);

    connect(m_photos, &QComboBox::currentIndexChanged, this, &CropWindow::choosePhoto);
    connect(m_zoom, &QSlider::valueChanged, this, [this](int value) {
        const double scale = double(value) / kSliderSteps;
        if (std::abs(scale - m_scale) < 0.5 / kSliderSteps) return;
        zoomPhoto(scale, QPointF(m_frame.width() / 2.0, m_frame.height() / 2.0));
    });
    connect(ok, &QPushButton::clicked, this, &CropWindow::applyCrop);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
}

void CropWindow::openWindow(int row) {
    {
        const QSignalBlocker blocker(m_photos);
        m_photos->clear();
        for (const PhotoEntry& photo : m_session.model().photos)
            m_photos->addItem(QStringLiteral("%1. %2").arg(photo.index, photo.fileName));
    }
    m_row = -1;
    const int count = static_cast<int>(m_session.model().photos.size());
    choosePhoto(row >= 0 && row < count ? row : 0);
    m_stage->setFocus();
    exec();
}

void CropWindow::choosePhoto(int row) {
    const auto& photos = m_session.model().photos;
    if (row < 0 || std::size_t(row) >= photos.size()) return;
    m_row = row;
    if (m_photos->currentIndex() != row) {
        const QSignalBlocker blocker(m_photos);
        m_photos->setCurrentIndex(row);
    }
    const PhotoEntry& photo = photos.at(std::size_t(row));
    m_photoSize = QSize(number(photo.width), number(photo.height));
    m_frame = cropFrameSize(number(photo.slotWidth), number(photo.slotHeight),
                            QSize(kStageWidth - 2 * kStageMargin, kStageHeight - 2 * kStageMargin));
    // Enough pixels for the largest scale the window shows.
    Result<QImage> image = renderPhoto(photo.location, QSize(1600, 1600));
    m_photo = image ? *image : QImage();
    if (m_photoSize.isEmpty()) m_photoSize = m_photo.size();
    m_scale = 1.0;
    m_status->clear();
    setPlacement(centredPlacement(m_photoSize, m_frame));
    refreshResult();
}

void CropWindow::setPlacement(const CropPlacement& placement) {
    m_placement = clampPlacement(placement, m_frame);
    if (!m_photoSize.isEmpty() && m_placement.width > 0)
        m_scale =
            double(m_placement.width) / (m_photoSize.width() * coverScale(m_photoSize, m_frame));
    {
        const QSignalBlocker blocker(m_zoom);
        m_zoom->setValue(int(std::lround(m_scale * kSliderSteps)));
    }
    const PhotoEntry* photo =
        m_row >= 0 ? &m_session.model().photos.at(std::size_t(m_row)) : nullptr;
    if (photo)
        m_info->setText(
            QStringLiteral("相片 %1 × %2\n相框 %3 × %4\n缩放 %5%")
                .arg(photo->width, photo->height)
                .arg(number(photo->slotWidth) > 0 ? photo->slotWidth : QStringLiteral("1920"))
                .arg(number(photo->slotHeight) > 0 ? photo->slotHeight : QStringLiteral("1080"))
                .arg(int(std::lround(m_scale * 100))));
    m_stage->update();
}

void CropWindow::movePhoto(QPoint delta) {
    setPlacement(movedPlacement(m_placement, delta, m_frame));
}

void CropWindow::zoomPhoto(double scale, QPointF anchor) {
    setPlacement(zoomedPlacement(m_placement, m_photoSize, m_frame, scale, anchor));
}

ManualCropInput CropWindow::cropInput() const {
    const PhotoEntry& photo = m_session.model().photos.at(std::size_t(m_row));
    return manualCropInput(number(photo.slotWidth), number(photo.slotHeight), m_frame, m_placement);
}

bool CropWindow::applyCrop() {
    if (m_row < 0 || std::size_t(m_row) >= m_session.model().photos.size()) return false;
    const std::size_t row = std::size_t(m_row);
    const ManualCropInput input = cropInput();
    NullProgress progress;
    Result<void> done = m_session.apply(
        [row, input](ProjectModel& model, const WorkingFolder& folder, Progress&) -> Result<void> {
            PhotoEntry& photo = model.photos.at(row);
            // A photo not yet given a template slot has nowhere to go.
            bool staged = false;
            photo.templateFolder.toInt(&staged);
            if (!staged || !photo.imageName.startsWith(QStringLiteral("picture_")))
                return fail(QStringLiteral("相片还没有使用模板，无法剪裁：%1").arg(photo.location));
            if (auto ok = stageManualCrop(photo, input, folder); !ok) return ok;
            photo.cropState = PhotoStep::Done;
            photo.manualCrop = input;  // kept for staging again (a saved project)
            return writeCroppedThumbnail(photo, static_cast<int>(row) + 1, model.settings, folder);
        },
        progress);
    if (!done) {
        m_windows.messageWindow().showMessage(done.error().message);
        return false;
    }
    // The row itself may not have changed, so the session announces nothing:
    // the photo pane reloads its pictures (the store sees the new file).
    m_windows.browser().pane(PaneKind::Photos)->refresh();
    refreshResult();
    m_status->setText(QStringLiteral("已按当前位置剪裁并保存。"));
    return true;
}

void CropWindow::refreshResult() {
    if (m_row < 0) return;
    const PhotoEntry& photo = m_session.model().photos.at(std::size_t(m_row));
    bool ok = false;
    const int instance = photo.templateFolder.toInt(&ok);
    QImage staged;
    if (ok && photo.imageName.startsWith(QStringLiteral("picture_"))) {
        QImageReader reader(
            toQString(m_session.folder().instancePicture(instance, slotNumber(photo.imageName))));
        staged = reader.read();
    }
    m_result->setPixmap(
        staged.isNull() ? QPixmap()
                        : QPixmap::fromImage(staged.scaled(m_result->size(), Qt::KeepAspectRatio,
                                                           Qt::SmoothTransformation)));
}

}  // namespace orvane
