#include "gui/effects/picture_effects_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "effects/picture_effect.h"
#include "gui/main/window_set.h"
#include "gui/shell/button_row.h"
#include "gui/shell/check_option.h"
#include "gui/shell/choice_box.h"
#include "gui/shell/command_button.h"
#include "gui/shell/file_chooser.h"
#include "gui/shell/message_window.h"
#include "render/album/album_preview.h"
#include "render/album/album_timeline.h"
#include "session/session.h"

namespace orvane {

namespace {

constexpr int kFrameWidth = 1920;
constexpr int kFrameHeight = 1080;
constexpr int kFramesPerSecond = 25;

QComboBox* timeCombo(const QString& objectName, const QString& unit, QWidget* parent) {
    auto* c = new ChoiceBox(unit, objectName, parent);
    for (int i = 0; i < 60; ++i)
        c->addItem(QStringLiteral("%1  %2").arg(i, 2, 10, QLatin1Char('0')).arg(unit));
    return c;
}

QString twoDigits(const QComboBox* box) { return box->currentText().left(2); }

}  // namespace

// The album frame at the start time with the picture over it; a left drag
// moves the picture.
class PictureEffectStage : public QWidget {
   public:
    explicit PictureEffectStage(PictureEffectsWindow& editor, QWidget* parent)
        : QWidget(parent), m_editor(editor) {
        setObjectName(QStringLiteral("Panel_huamian_yulan"));
        setFixedSize(PictureEffectsWindow::kStageWidth, PictureEffectsWindow::kStageHeight);
        setCursor(Qt::OpenHandCursor);
        setFocusPolicy(Qt::StrongFocus);
    }

    static QPoint toStage(QPoint frame) {
        return {frame.x() * PictureEffectsWindow::kStageWidth / kFrameWidth,
                frame.y() * PictureEffectsWindow::kStageHeight / kFrameHeight};
    }
    static QPoint toFrame(QPoint stage) {
        return {stage.x() * kFrameWidth / PictureEffectsWindow::kStageWidth,
                stage.y() * kFrameHeight / PictureEffectsWindow::kStageHeight};
    }

   protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::black);
        if (!m_editor.m_background.isNull()) p.drawImage(rect(), m_editor.m_background);
        if (!m_editor.m_picture.isNull()) {
            const QSize size(m_editor.m_picture.width() * width() / kFrameWidth,
                             m_editor.m_picture.height() * height() / kFrameHeight);
            const QRect at(toStage(m_editor.m_placement), size);
            p.drawImage(at, m_editor.m_picture);
            p.setPen(QPen(QColor(255, 210, 0), 1, Qt::DashLine));
            p.drawRect(at.adjusted(0, 0, -1, -1));
        } else {
            p.setPen(Qt::gray);
            p.drawText(rect(), Qt::AlignCenter, QStringLiteral("请选择图片"));
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        m_grab = e->position().toPoint() - toStage(m_editor.m_placement);
        m_dragging = true;
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!m_dragging) return;
        m_editor.setPlacement(toFrame(e->position().toPoint() - m_grab));
    }
    void mouseReleaseEvent(QMouseEvent*) override { m_dragging = false; }
    void keyPressEvent(QKeyEvent* e) override {
        const int step = e->modifiers() & Qt::ShiftModifier ? 40 : 4;
        QPoint d;
        switch (e->key()) {
            case Qt::Key_Left:
                d = {-step, 0};
                break;
            case Qt::Key_Right:
                d = {step, 0};
                break;
            case Qt::Key_Up:
                d = {0, -step};
                break;
            case Qt::Key_Down:
                d = {0, step};
                break;
            default:
                QWidget::keyPressEvent(e);
                return;
        }
        m_editor.setPlacement(m_editor.m_placement + d);
    }

   private:
    PictureEffectsWindow& m_editor;
    QPoint m_grab;
    bool m_dragging = false;
};

PictureEffectsWindow::PictureEffectsWindow(Session& session, WindowSet& windows, QWidget* parent)
    : FramedWindow(QStringLiteral("TFormPictureEffects"), QStringLiteral("画面特效"),
                   windows.skin(), parent),
      m_session(session),
      m_windows(windows) {
    buildControls();
}

PictureEffectsWindow::~PictureEffectsWindow() = default;

void PictureEffectsWindow::buildControls() {
    setContentSize(QSize(820, 540));
    QWidget* c = content();
    auto* layout = new QVBoxLayout(c);
    layout->setContentsMargins(12, 10, 12, 10);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);
    m_stage = new PictureEffectStage(*this, c);
    top->addWidget(m_stage, 0, Qt::AlignTop);

    auto* form = new QGridLayout;
    top->addLayout(form, 1);
    int row = 0;
    QPushButton* choose =
        new CommandButton(QStringLiteral("选择图片"), QStringLiteral("suiButton_xuanze"), c);
    form->addWidget(choose, row++, 0, 1, 3);
    m_fileLabel = new QLabel(QStringLiteral("未选择图片"), c);
    m_fileLabel->setObjectName(QStringLiteral("Label_wenjian"));
    m_fileLabel->setWordWrap(true);
    form->addWidget(m_fileLabel, row++, 0, 1, 3);
    form->addWidget(new QLabel(QStringLiteral("开始时间:"), c), row, 0);
    m_startMinutes = timeCombo(QStringLiteral("suiComboBox_kaishi_fen"), QStringLiteral("分"), c);
    m_startSeconds = timeCombo(QStringLiteral("suiComboBox_kaishi_miao"), QStringLiteral("秒"), c);
    form->addWidget(m_startMinutes, row, 1);
    form->addWidget(m_startSeconds, row++, 2);
    form->addWidget(new QLabel(QStringLiteral("结束时间:"), c), row, 0);
    m_endMinutes = timeCombo(QStringLiteral("suiComboBox_jieshu_fen"), QStringLiteral("分"), c);
    m_endSeconds = timeCombo(QStringLiteral("suiComboBox_jieshu_miao"), QStringLiteral("秒"), c);
    m_endSeconds->setCurrentIndex(5);
    form->addWidget(m_endMinutes, row, 1);
    form->addWidget(m_endSeconds, row++, 2);
    m_toEnd = new CheckOption(QStringLiteral("显示到相册结束"),
                              QStringLiteral("suiCheckBox_daojieshu"), c);
    form->addWidget(m_toEnd, row++, 1, 1, 2);
    m_placeLabel = new QLabel(c);
    m_placeLabel->setObjectName(QStringLiteral("Label_weizhi"));
    form->addWidget(m_placeLabel, row++, 0, 1, 3);
    auto* hint = new QLabel(QStringLiteral("在左边的画面上拖动图片，或用方向键微调位置。"), c);
    hint->setWordWrap(true);
    form->addWidget(hint, row++, 0, 1, 3);
    form->setRowStretch(row, 1);

    m_list = new QTreeWidget(c);
    m_list->setObjectName(QStringLiteral("suiListView_Image"));
    m_list->setHeaderLabels({QStringLiteral("顺序号"), QStringLiteral("图片"),
                             QStringLiteral("开始时间"), QStringLiteral("结束时间"),
                             QStringLiteral("帧数"), QStringLiteral("显示位置")});
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setColumnWidth(0, 60);
    m_list->setColumnWidth(1, 330);
    layout->addWidget(m_list, 1);

    auto* buttons = new ButtonRow(c, ButtonRow::Align::Fill);
    layout->addLayout(buttons);
    QPushButton* add =
        buttons->addButton(QStringLiteral("添加特效"), QStringLiteral("suiButton_tianjia"));
    QPushButton* change =
        buttons->addButton(QStringLiteral("修改特效"), QStringLiteral("suiButton_xiugai"));
    QPushButton* remove =
        buttons->addButton(QStringLiteral("删除特效"), QStringLiteral("suiButton_shanchu"));
    QPushButton* back =
        buttons->addButton(QStringLiteral("返     回"), QStringLiteral("suiButton_fanhui"));
    back->setAccessibleName(QStringLiteral("返回"));
    // Enter does not press a button by surprise.
    for (QPushButton* b : c->findChildren<QPushButton*>()) b->setAutoDefault(false);

    connect(choose, &QPushButton::clicked, this, &PictureEffectsWindow::choosePicture);
    connect(add, &QPushButton::clicked, this, &PictureEffectsWindow::addEffect);
    connect(change, &QPushButton::clicked, this, &PictureEffectsWindow::changeEffect);
    connect(remove, &QPushButton::clicked, this, &PictureEffectsWindow::deleteSelected);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    for (QComboBox* box : {m_startMinutes, m_startSeconds, m_endMinutes, m_endSeconds})
        connect(box, &QComboBox::currentIndexChanged, this, &PictureEffectsWindow::refreshStage);
    connect(m_toEnd, &QCheckBox::toggled, this, [this](bool on) {
        m_endMinutes->setEnabled(!on);
        m_endSeconds->setEnabled(!on);
        refreshStage();
    });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> items = m_list->selectedItems();
        if (items.size() == 1) loadRow(m_list->indexOfTopLevelItem(items.front()));
    });
    setPlacement({});
}

void PictureEffectsWindow::openEditor() {
    // The album as it now stands, without its picture effects: the picture
    // being placed is drawn over it here.
    ProjectModel model = m_session.model();
    model.pictureEffects.assign({});
    m_album = std::make_unique<AlbumPreview>(model, m_session.folder());
    m_backgroundFrame = -1;
    refreshList();
    refreshStage();
    exec();
    m_album.reset();
}

void PictureEffectsWindow::choosePicture() {
    const QString file = m_windows.fileChooser().openFile(
        this, QStringLiteral("选择画面特效图片"),
        QStringLiteral("画面特效图片(PNG,JPG)|*.png;*.jpg;*.jpeg;"));
    if (file.isEmpty()) return;
    QImageReader reader(file);
    QImage picture = reader.read();
    if (picture.isNull()) {
        m_windows.messageWindow().showMessage(QStringLiteral("画面特效图片无法读取：%1").arg(file));
        return;
    }
    m_file = file;
    m_picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_fileLabel->setText(file);
    m_stage->update();
}

void PictureEffectsWindow::setPlacement(QPoint placement) {
    // Some part of the picture stays on the frame, so it can be grabbed again.
    const QSize size = m_picture.isNull() ? QSize(1, 1) : m_picture.size();
    placement.setX(std::clamp(placement.x(), 1 - size.width(), kFrameWidth - 1));
    placement.setY(std::clamp(placement.y(), 1 - size.height(), kFrameHeight - 1));
    m_placement = placement;
    m_placeLabel->setText(QStringLiteral("显示位置: %1, %2").arg(placement.x()).arg(placement.y()));
    m_stage->update();
}

void PictureEffectsWindow::setStartTime(int minutes, int seconds) {
    m_startMinutes->setCurrentIndex(minutes);
    m_startSeconds->setCurrentIndex(seconds);
}

void PictureEffectsWindow::setEndTime(int minutes, int seconds) {
    m_toEnd->setChecked(minutes < 0);
    if (minutes < 0) return;
    m_endMinutes->setCurrentIndex(minutes);
    m_endSeconds->setCurrentIndex(seconds);
}

QString PictureEffectsWindow::startTime() const {
    return twoDigits(m_startMinutes) + QLatin1Char(':') + twoDigits(m_startSeconds);
}

QString PictureEffectsWindow::endTime() const {
    if (m_toEnd->isChecked()) return kNone;
    return twoDigits(m_endMinutes) + QLatin1Char(':') + twoDigits(m_endSeconds);
}

Result<PictureEffect> PictureEffectsWindow::currentRow(int seqNo) const {
    if (m_file.isEmpty()) return fail(QStringLiteral("没有选择画面特效图片！"));
    return makePictureEffect(m_file, startTime(), endTime(),
                             QStringLiteral("%1,%2").arg(m_placement.x()).arg(m_placement.y()),
                             seqNo);
}

void PictureEffectsWindow::commitRows(const std::vector<PictureEffect>& rows) {
    ProjectModel next = m_session.model();
    std::vector<PictureEffect> numbered = rows;
    for (std::size_t i = 0; i < numbered.size(); ++i) numbered[i].seqNo = static_cast<int>(i + 1);
    next.pictureEffects.assign(std::move(numbered));
    m_session.commit(std::move(next));
    refreshList();
}

void PictureEffectsWindow::addEffect() {
    std::vector<PictureEffect> rows(m_session.model().pictureEffects.begin(),
                                    m_session.model().pictureEffects.end());
    Result<PictureEffect> row = currentRow(int(rows.size()) + 1);
    if (!row) {
        m_windows.messageWindow().showMessage(row.error().message);
        return;
    }
    rows.push_back(*row);
    commitRows(rows);
    m_list->setCurrentItem(m_list->topLevelItem(int(rows.size()) - 1));
}

void PictureEffectsWindow::changeEffect() {
    const QList<QTreeWidgetItem*> items = m_list->selectedItems();
    if (items.size() != 1) {
        m_windows.messageWindow().showMessage(QStringLiteral("没有选中已添加的特效！"));
        return;
    }
    const int index = m_list->indexOfTopLevelItem(items.front());
    std::vector<PictureEffect> rows(m_session.model().pictureEffects.begin(),
                                    m_session.model().pictureEffects.end());
    Result<PictureEffect> row = currentRow(index + 1);
    if (!row) {
        m_windows.messageWindow().showMessage(row.error().message);
        return;
    }
    rows[std::size_t(index)] = *row;
    commitRows(rows);
    m_list->setCurrentItem(m_list->topLevelItem(index));
}

void PictureEffectsWindow::deleteSelected() {
    std::vector<bool> drop(m_session.model().pictureEffects.size(), false);
    bool any = false;
    for (QTreeWidgetItem* item : m_list->selectedItems()) {
        const int i = m_list->indexOfTopLevelItem(item);
        if (i >= 0 && std::size_t(i) < drop.size()) drop[std::size_t(i)] = any = true;
    }
    if (!any) {
        m_windows.messageWindow().showMessage(QStringLiteral("没有选中已添加的特效！"));
        return;
    }
    std::vector<PictureEffect> rows;
    for (std::size_t i = 0; i < drop.size(); ++i)
        if (!drop[i]) rows.push_back(m_session.model().pictureEffects.at(i));
    commitRows(rows);
}

void PictureEffectsWindow::refreshList() {
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const PictureEffect& row : m_session.model().pictureEffects)
        new QTreeWidgetItem(m_list,
                            {QString::number(row.seqNo), row.decoration, row.startTime,
                             row.endTime == kNone ? QStringLiteral("相册结束") : row.endTime,
                             QString::number(row.frames), row.placement});
}

void PictureEffectsWindow::loadRow(int index) {
    if (index < 0 || std::size_t(index) >= m_session.model().pictureEffects.size()) return;
    const PictureEffect& row = m_session.model().pictureEffects.at(std::size_t(index));
    Result<PictureEffectSpan> span = pictureEffectSpan(row);
    if (!span) return;
    QImageReader reader(span->file);
    const QImage picture = reader.read();
    m_file = span->file;
    m_picture =
        picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_fileLabel->setText(m_file);
    const int start = span->startFrame / kFramesPerSecond;
    setStartTime(start / 60 % 60, start % 60);
    if (span->endFrame < 0) {
        setEndTime(-1, 0);
    } else {
        const int end = span->endFrame / kFramesPerSecond;
        setEndTime(end / 60 % 60, end % 60);
    }
    setPlacement(span->placement);
}

void PictureEffectsWindow::refreshStage() {
    if (!m_album || m_album->frameCount() <= 0) {
        m_background = {};
        m_stage->update();
        return;
    }
    // A frame two seconds into the span (or half way through a shorter
    // one): the album's first frames are often still black.
    const int start =
        (m_startMinutes->currentIndex() * 60 + m_startSeconds->currentIndex()) * kFramesPerSecond;
    int into = 2 * kFramesPerSecond;
    if (!m_toEnd->isChecked()) {
        const int end =
            (m_endMinutes->currentIndex() * 60 + m_endSeconds->currentIndex()) * kFramesPerSecond;
        if (end > start) into = std::min(into, (end - start) / 2);
    }
    const int frame = std::clamp(start + into, 0, m_album->frameCount() - 1);
    if (frame == m_backgroundFrame) return;
    Result<QImage> image = m_album->frame(frame, m_stage->size());
    m_background = image ? *image : QImage();
    m_backgroundFrame = frame;
    m_stage->update();
}

}  // namespace orvane
