#include "gui/effects/text_effect_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "base/fonts.h"
#include "base/row_order.h"
#include "effects/motion_table.h"
#include "effects/text_colors.h"
#include "effects/text_effect.h"
#include "gui/shell/button_row.h"
#include "gui/shell/check_option.h"
#include "gui/shell/choice_box.h"
#include "gui/shell/command_button.h"
#include "gui/shell/default_button.h"
#include "session/session.h"

namespace orvane {

namespace {

const QString kDefaultText = QStringLiteral("此处输入文字");
const QString kDefaultColor = QStringLiteral("clWhite");
const QString kDefaultFont = QStringLiteral("黑体");
const QString kDefaultSize = QStringLiteral("10");
constexpr int kAreaBackground = 1185821;  // the preview area's dark colour
constexpr int kPreviewTickMs = 50;        // about 20 ticks a second, the clock counting 25

QComboBox* combo(const QString& objectName, const QString& name, QWidget* parent) {
    auto* c = new ChoiceBox(name, objectName, parent);
    c->setMaxVisibleItems(16);
    return c;
}

QString styleName(bool on, const QString& shown) { return on ? shown : QStringLiteral("无"); }

// A label's text colour, on a transparent background.
void paintLabel(QLabel* label, const QColor& colour) {
    label->setStyleSheet(
        QStringLiteral("background: transparent; color: %1;").arg(colour.name(QColor::HexRgb)));
}

}  // namespace

TextEffectWindow::TextEffectWindow(Session& session, const Skin& skin, MessageSink showMessage,
                                   QWidget* parent)
    : FramedWindow(QStringLiteral("TForm3"), QStringLiteral("文字特效"), skin, parent),
      m_session(session),
      m_showMessage(std::move(showMessage)) {
    for (const TextEffect& row : session.model().textEffects) m_rows.push_back(row);
    buildControls();
    m_timer.setInterval(kPreviewTickMs);
    connect(&m_timer, &QTimer::timeout, this, &TextEffectWindow::previewTick);
    prepareLists();
    applyDefaults();
    rebuildList();
}

TextEffectWindow::~TextEffectWindow() = default;

void TextEffectWindow::buildControls() {
    setContentSize(QSize(900, 610));
    QWidget* c = content();
    // While a preview runs the locked controls must look locked.
    c->setStyleSheet(QStringLiteral(
        "QPushButton:disabled, QComboBox:disabled, QLineEdit:disabled, QCheckBox:disabled,"
        " QTreeWidget:disabled { color: #6e675f; }"));
    auto* layout = new QVBoxLayout(c);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(8);

    auto* top = new QHBoxLayout;
    layout->addLayout(top);

    // The preview area and its clock.
    auto* left = new QVBoxLayout;
    top->addLayout(left);
    m_area = new QFrame(c);
    m_area->setObjectName(QStringLiteral("Panel_LRC"));
    m_area->setFixedSize(kTextPreviewWidth, kTextPreviewHeight);
    m_area->setAutoFillBackground(true);
    QPalette areaPalette = m_area->palette();
    areaPalette.setColor(QPalette::Window, colorForValue(kAreaBackground));
    m_area->setPalette(areaPalette);
    m_area->setStyleSheet(
        QStringLiteral("QFrame#Panel_LRC { background: %1; border: 1px solid #5a5248; }")
            .arg(colorForValue(kAreaBackground).name()));
    left->addWidget(m_area);
    m_sample = new QLabel(m_area);
    m_sample->setObjectName(QStringLiteral("Label_wenzi"));
    m_sample->move(8, 16);
    auto* clockRow = new QHBoxLayout;
    clockRow->addWidget(new QLabel(QStringLiteral("预览时间:"), c));
    m_clock = new QLineEdit(QStringLiteral("00:00"), c);
    m_clock->setObjectName(QStringLiteral("Edit_shijian"));
    m_clock->setReadOnly(true);
    m_clock->setFixedWidth(70);
    m_clock->setAlignment(Qt::AlignCenter);
    clockRow->addWidget(m_clock);
    clockRow->addStretch();
    left->addLayout(clockRow);
    left->addStretch();

    // The settings of the text to add.
    auto* form = new QGridLayout;
    form->setHorizontalSpacing(6);
    form->setVerticalSpacing(6);
    top->addLayout(form, 1);
    int row = 0;
    QString group;  // the caption of the current row, which its "默认" button resets
    const auto caption = [&](const QString& text) {
        form->addWidget(new QLabel(text, c), row, 0, Qt::AlignRight);
        group = text.chopped(1);
    };
    const auto defaultButton = [&](const char* name) {
        QPushButton* b = new DefaultButton(group, QString::fromLatin1(name), c);
        b->setFixedWidth(52);
        form->addWidget(b, row, 2);
        m_editing.push_back(b);
        return b;
    };

    caption(QStringLiteral("文字内容:"));
    m_text = new QLineEdit(c);
    m_text->setObjectName(QStringLiteral("suiEdit_wenzi"));
    m_text->setAccessibleName(QStringLiteral("文字内容"));
    form->addWidget(m_text, row++, 1, 1, 2);

    caption(QStringLiteral("出现时间:"));
    auto* time = new QHBoxLayout;
    m_minutes = combo(QStringLiteral("suiComboBox_fen"), QStringLiteral("分"), c);
    m_seconds = combo(QStringLiteral("suiComboBox_miao"), QStringLiteral("秒"), c);
    time->addWidget(m_minutes);
    time->addWidget(m_seconds);
    form->addLayout(time, row++, 1, 1, 2);

    caption(QStringLiteral("文字特效:"));
    m_effects = combo(QStringLiteral("suiComboBox_texiao"), QStringLiteral("文字特效"), c);
    form->addWidget(m_effects, row, 1);
    QPushButton* effectDefault = defaultButton("suiButton_texiao_moren");
    ++row;

    caption(QStringLiteral("字体颜色:"));
    m_colors = combo(QStringLiteral("suiComboBox_yanse"), QStringLiteral("字体颜色"), c);
    form->addWidget(m_colors, row, 1);
    QPushButton* colorDefault = defaultButton("suiButton_yanse_moren");
    ++row;

    caption(QStringLiteral("字体名称:"));
    m_fonts = combo(QStringLiteral("suiComboBox_ziti"), QStringLiteral("字体名称"), c);
    form->addWidget(m_fonts, row, 1);
    QPushButton* fontDefault = defaultButton("suiButton_ziti_moren");
    ++row;

    caption(QStringLiteral("字体大小:"));
    m_sizes = combo(QStringLiteral("suiComboBox_daxiao"), QStringLiteral("字体大小"), c);
    form->addWidget(m_sizes, row, 1);
    QPushButton* sizeDefault = defaultButton("suiButton_daxiao_moren");
    ++row;

    caption(QStringLiteral("字型:"));
    auto* styles = new QHBoxLayout;
    m_bold = new CheckOption(QStringLiteral("粗体"), QStringLiteral("suiCheckBox_cuti"), c);
    m_italic = new CheckOption(QStringLiteral("斜体"), QStringLiteral("suiCheckBox_xieti"), c);
    m_underline =
        new CheckOption(QStringLiteral("下划线"), QStringLiteral("suiCheckBox_xiahuaxian"), c);
    styles->addWidget(m_bold);
    styles->addWidget(m_italic);
    styles->addWidget(m_underline);
    styles->addStretch();
    form->addLayout(styles, row, 1);
    QPushButton* styleDefault = defaultButton("suiButton_zixing_moren");
    ++row;
    form->setRowStretch(row, 1);
    form->setColumnStretch(1, 1);

    // The texts added so far.
    m_list = new QTreeWidget(c);
    m_list->setObjectName(QStringLiteral("suiListView_Label_2"));
    m_list->setAccessibleName(QStringLiteral("文字特效列表"));
    m_list->setHeaderLabels(
        {QStringLiteral("文字内容"), QStringLiteral("开始时间"), QStringLiteral("文字特效名称"),
         QStringLiteral("字体颜色"), QStringLiteral("字体名称"), QStringLiteral("字体大小"),
         QStringLiteral("粗体字型"), QStringLiteral("斜体字型"), QStringLiteral("下划线字型")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setAllColumnsShowFocus(true);
    m_list->setColumnWidth(0, 150);
    m_list->setColumnWidth(2, 150);
    for (int i : {1, 3, 4, 5, 6, 7}) m_list->setColumnWidth(i, i == 4 ? 100 : 72);
    m_list->viewport()->installEventFilter(this);
    layout->addWidget(m_list, 1);

    auto* buttons = new ButtonRow(c, ButtonRow::Align::Fill);
    layout->addLayout(buttons);
    QPushButton* add =
        buttons->addButton(QStringLiteral("添加特效"), QStringLiteral("suiButton_tianjia"));
    QPushButton* remove =
        buttons->addButton(QStringLiteral("删除特效"), QStringLiteral("suiButton_shanchu"));
    QPushButton* removeAll =
        buttons->addButton(QStringLiteral("全部删除"), QStringLiteral("suiButton_quanbushanchu"));
    QPushButton* single =
        buttons->addButton(QStringLiteral("单个预览"), QStringLiteral("suiButton_dangeyulan"));
    QPushButton* all =
        buttons->addButton(QStringLiteral("全部预览"), QStringLiteral("suiButton_quanbuyulan"));
    m_stop =
        buttons->addButton(QStringLiteral("停止预览"), QStringLiteral("suiButton_tingzhiyulan"));
    m_return = buttons->addButton(QStringLiteral("返     回"), QStringLiteral("suiButton_fanhui"));
    // Enter in the text box adds the text; no other button answers Enter.
    for (QPushButton* b : c->findChildren<QPushButton*>()) b->setAutoDefault(false);
    add->setDefault(true);
    m_editing.insert(m_editing.end(),
                     {m_text, m_minutes, m_seconds, m_effects, m_colors, m_fonts, m_sizes, m_bold,
                      m_italic, m_underline, m_list, add, remove, removeAll, single, all});

    m_ghost = new QLabel(c);
    m_ghost->setObjectName(QStringLiteral("Panel_tuodong1"));
    m_ghost->setStyleSheet(QStringLiteral(
        "background: rgba(60, 110, 180, 170); color: white; border: 1px solid #8ab4f8;"));
    m_ghost->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_ghost->hide();

    connect(add, &QPushButton::clicked, this, &TextEffectWindow::addEffect);
    connect(remove, &QPushButton::clicked, this, &TextEffectWindow::deleteSelected);
    connect(removeAll, &QPushButton::clicked, this, &TextEffectWindow::deleteAll);
    connect(single, &QPushButton::clicked, this, &TextEffectWindow::startSinglePreview);
    connect(all, &QPushButton::clicked, this, &TextEffectWindow::startAllPreview);
    connect(m_stop, &QPushButton::clicked, this, &TextEffectWindow::stopPreview);
    connect(m_return, &QPushButton::clicked, this, &QDialog::reject);

    connect(m_text, &QLineEdit::textChanged, this, &TextEffectWindow::updateSample);
    for (QComboBox* box : {m_colors, m_fonts, m_sizes})
        connect(box, &QComboBox::currentIndexChanged, this, &TextEffectWindow::updateSample);
    for (QCheckBox* box : {m_bold, m_italic, m_underline})
        connect(box, &QCheckBox::toggled, this, &TextEffectWindow::updateSample);
    connect(effectDefault, &QPushButton::clicked, this, [this] { m_effects->setCurrentIndex(0); });
    connect(colorDefault, &QPushButton::clicked, this,
            [this] { m_colors->setCurrentIndex(m_colors->findText(kDefaultColor)); });
    connect(fontDefault, &QPushButton::clicked, this,
            [this] { m_fonts->setCurrentIndex(m_fonts->findText(kDefaultFont)); });
    connect(sizeDefault, &QPushButton::clicked, this,
            [this] { m_sizes->setCurrentIndex(m_sizes->findText(kDefaultSize)); });
    connect(styleDefault, &QPushButton::clicked, this, [this] {
        for (QCheckBox* box : {m_bold, m_italic, m_underline}) box->setChecked(false);
    });
}

void TextEffectWindow::prepareLists() {
    const QSignalBlocker b1(m_effects), b2(m_colors), b3(m_fonts), b4(m_sizes);
    m_effects->clear();
    m_effects->addItems(effectNameList());
    m_sizes->clear();
    for (int size = 10; size <= 40; ++size) m_sizes->addItem(QString::number(size));
    m_minutes->clear();
    m_seconds->clear();
    for (int i = 0; i < 60; ++i) {
        const QString two = QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        m_minutes->addItem(two + QStringLiteral("  分"));
        m_seconds->addItem(two + QStringLiteral("  秒"));
    }
    m_colors->clear();
    for (const NamedColor& colour : textColorList()) {
        QPixmap swatch(20, 12);
        swatch.fill(colorForValue(colour.value));
        QPainter(&swatch).drawRect(0, 0, 19, 11);
        m_colors->addItem(QIcon(swatch), colour.name, colour.value);
    }
    m_fonts->clear();
    QStringList faces = QFontDatabase::families();
    // The album's default face is mapped to an installed one; offer it by name.
    if (!faces.contains(kDefaultFont)) faces.prepend(kDefaultFont);
    m_fonts->addItems(faces);
}

void TextEffectWindow::applyDefaults() {
    m_text->setText(kDefaultText);
    m_minutes->setCurrentIndex(0);
    m_seconds->setCurrentIndex(0);
    m_effects->setCurrentIndex(0);
    m_colors->setCurrentIndex(m_colors->findText(kDefaultColor));
    m_fonts->setCurrentIndex(m_fonts->findText(kDefaultFont));
    m_sizes->setCurrentIndex(m_sizes->findText(kDefaultSize));
    updateSample();
}

void TextEffectWindow::updateSample() {
    bool sizeOk = false;
    const int size = m_sizes->currentText().toInt(&sizeOk);
    m_sample->setText(m_text->text());
    m_sample->setFont(styledFont(m_fonts->currentText(), sizeOk ? size : 10, m_bold->isChecked(),
                                 m_italic->isChecked(), m_underline->isChecked()));
    const QVariant value = m_colors->currentData();
    paintLabel(m_sample, value.isValid() ? colorForValue(value.toInt()) : QColor(Qt::white));
    m_sample->adjustSize();
}

void TextEffectWindow::openEditor() {
    // The project's table may have changed since the last use (a project
    // opened, texts added another way): the editor starts from it, or its
    // commit below would put its old rows back.
    m_rows.clear();
    for (const TextEffect& row : m_session.model().textEffects) m_rows.push_back(row);
    prepareLists();
    applyDefaults();
    rebuildList();
    exec();
    // The album reads the main table: it becomes the editor's, row for row.
    ProjectModel next = m_session.model();
    next.textEffects.assign(m_rows);
    m_session.commit(std::move(next));
}

void TextEffectWindow::done(int result) {
    stopPreview();
    hideGhost();
    m_dragPressed = false;
    FramedWindow::done(result);
}

void TextEffectWindow::addEffect() {
    TextEffectChoice choice;
    choice.text = m_text->text();
    if (m_minutes->currentIndex() >= 0 && m_seconds->currentIndex() >= 0)
        choice.startTime =
            m_minutes->currentText().left(2) + QLatin1Char(':') + m_seconds->currentText().left(2);
    choice.effectName = m_effects->currentText();
    choice.colorName = m_colors->currentText();
    choice.fontName = m_fonts->currentText();
    choice.fontSize = m_sizes->currentText();
    choice.bold = m_bold->isChecked();
    choice.italic = m_italic->isChecked();
    choice.underline = m_underline->isChecked();
    // makeTextEffect checks text, time, effect, font and size in that order.
    if (choice.effectName.isEmpty()) choice.motionKey.clear();
    Result<TextEffect> row = makeTextEffect(choice);
    if (!row) {
        m_showMessage(row.error().message);
        return;
    }
    m_rows.push_back(*row);
    rebuildList();
}

std::vector<int> TextEffectWindow::selectedRows() const {
    std::vector<int> rows;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (m_list->topLevelItem(i)->isSelected()) rows.push_back(i);
    return rows;
}

void TextEffectWindow::deleteSelected() {
    const std::vector<int> selected = selectedRows();
    if (selected.empty()) {
        m_showMessage(QStringLiteral("没有选中已添加的特效！"));
        return;
    }
    // From the last to the first, so the indexes still to go stay valid.
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        delete m_list->takeTopLevelItem(*it);
        m_rows.erase(m_rows.begin() + *it);
    }
}

void TextEffectWindow::deleteAll() {
    m_rows.clear();
    m_list->clear();
}

void TextEffectWindow::rebuildList() {
    m_list->clear();
    for (const TextEffect& row : m_rows) {
        auto* item = new QTreeWidgetItem(
            m_list, {row.text, row.startTime, row.effectName, row.colorName, row.fontName,
                     QString::number(row.fontSize), styleName(row.bold, QStringLiteral("粗体")),
                     styleName(row.italic, QStringLiteral("斜体")),
                     styleName(row.underline, QStringLiteral("下划线"))});
        item->setFlags(item->flags() & ~Qt::ItemIsDropEnabled);
    }
}

void TextEffectWindow::startSinglePreview() {
    if (m_rows.empty()) {
        m_showMessage(QStringLiteral("没有添加文字特效!"));
        return;
    }
    const std::vector<int> selected = selectedRows();
    if (selected.empty()) {
        m_showMessage(QStringLiteral("没有选中已添加的特效！"));
        return;
    }
    startPreview(TextMotionPreview::Mode::Single, selected.front());
}

void TextEffectWindow::startAllPreview() {
    if (m_rows.empty()) {
        m_showMessage(QStringLiteral("没有添加文字特效!"));
        return;
    }
    startPreview(TextMotionPreview::Mode::All, 0);
}

void TextEffectWindow::startPreview(TextMotionPreview::Mode mode, int selected) {
    stopPreview();
    m_sample->hide();
    std::vector<MovingText> texts;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        TextEffect& row = m_rows[i];
        row.runState = RunState::Stopped;
        auto* label = new QLabel(row.text, m_area);
        label->setObjectName(QStringLiteral("Label_%1").arg(i));
        label->setFont(textEffectFont(row, kTextPreviewWidth));
        paintLabel(label, textEffectColor(row));
        label->adjustSize();
        label->move(0, 0);
        label->hide();
        label->raise();
        m_labels.push_back(label);

        MovingText text;
        text.startTime = row.startTime;
        text.motionKey = row.motionKey;
        text.fixed = QPoint(row.x.toInt(), row.y.toInt());
        text.label = label->size();
        texts.push_back(text);
    }
    m_preview = std::make_unique<TextMotionPreview>(std::move(texts), mode, selected);
    setEditing(false);
    m_timer.start();
}

void TextEffectWindow::previewTick() {
    if (!m_preview) return;
    const bool running = m_preview->tick();
    m_clock->setText(m_preview->clock());
    const std::vector<MovingText>& texts = m_preview->texts();
    for (std::size_t i = 0; i < texts.size() && i < m_labels.size(); ++i) {
        m_rows[i].runState = texts[i].running() ? RunState::Running : RunState::Stopped;
        // A text shows from its start on; a finished one stays where it left.
        if (texts[i].running()) {
            m_labels[i]->move(texts[i].position);
            m_labels[i]->show();
        }
    }
    if (!running) stopPreview();
}

void TextEffectWindow::stopPreview() {
    m_timer.stop();
    m_sample->show();
    m_clock->setText(QStringLiteral("00:00"));
    for (TextEffect& row : m_rows) row.runState = RunState::Stopped;
    for (QLabel* label : m_labels) delete label;
    m_labels.clear();
    m_preview.reset();
    setEditing(true);
}

QLabel* TextEffectWindow::previewLabel(int row) const {
    return row >= 0 && row < int(m_labels.size()) ? m_labels[std::size_t(row)] : nullptr;
}

void TextEffectWindow::setEditing(bool enabled) {
    for (QWidget* w : m_editing) w->setEnabled(enabled);
    m_stop->setEnabled(true);
    m_return->setEnabled(true);
}

void TextEffectWindow::dropSelectedRows(int pressed, int target) {
    std::vector<std::size_t> selected;
    for (int row : selectedRows()) selected.push_back(std::size_t(row));
    const RowOrder order = blockDropOrder(m_rows.size(), selected, pressed, target);
    if (isIdentity(order)) return;
    std::vector<TextEffect> rows;
    for (std::size_t old : order) rows.push_back(m_rows[old]);
    m_rows = std::move(rows);
    rebuildList();
    // The moved block stays selected.
    for (std::size_t j = 0; j < order.size(); ++j)
        if (std::find(selected.begin(), selected.end(), order[j]) != selected.end())
            m_list->topLevelItem(int(j))->setSelected(true);
}

int TextEffectWindow::rowAt(QPoint pos) const {
    if (QTreeWidgetItem* item = m_list->itemAt(pos)) return m_list->indexOfTopLevelItem(item);
    const int count = m_list->topLevelItemCount();
    if (count == 0) return -1;
    const QRect last = m_list->visualItemRect(m_list->topLevelItem(count - 1));
    return pos.y() >= last.bottom() ? count : -1;
}

void TextEffectWindow::showGhost(QPoint pos) {
    QStringList lines;
    for (int row : selectedRows())
        lines << QStringLiteral("  %1    %2    %3")
                     .arg(m_rows[std::size_t(row)].text, m_rows[std::size_t(row)].startTime,
                          m_rows[std::size_t(row)].effectName);
    m_ghost->setText(lines.join(QLatin1Char('\n')));
    const QPoint at = m_list->viewport()->mapTo(content(), pos);
    const QPoint listTopLeft = m_list->mapTo(content(), QPoint(0, 0));
    m_ghost->setGeometry(listTopLeft.x() + 10, at.y() + 2, m_list->width() - 30,
                         m_ghost->sizeHint().height());
    m_ghost->raise();
    m_ghost->show();
}

void TextEffectWindow::hideGhost() {
    if (m_ghost) m_ghost->hide();
}

bool TextEffectWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_list->viewport() || previewing())
        return FramedWindow::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() != Qt::LeftButton) break;
            const int row = rowAt(e->position().toPoint());
            m_dragPressed = row >= 0 && row < m_list->topLevelItemCount();
            m_dragMoved = false;
            m_dragRow = row;
            // A press on a selected row keeps the selection, so the block can
            // be dragged; other presses select as usual.
            if (m_dragPressed && e->modifiers() == Qt::NoModifier &&
                m_list->topLevelItem(row)->isSelected()) {
                m_pressKeptSelection = true;
                return true;
            }
            m_pressKeptSelection = false;
            break;
        }
        case QEvent::MouseMove: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (!m_dragPressed || !(e->buttons() & Qt::LeftButton)) break;
            const QPoint pos = e->position().toPoint();
            if (!m_list->viewport()->rect().contains(pos)) {
                // Leaving the rows cancels the drag.
                m_dragPressed = false;
                hideGhost();
                return true;
            }
            m_dragMoved = true;
            showGhost(pos);
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() != Qt::LeftButton) break;
            const bool pressed = m_dragPressed;
            m_dragPressed = false;
            if (pressed && m_dragMoved) {
                hideGhost();
                dropSelectedRows(m_dragRow, rowAt(e->position().toPoint()));
                return true;
            }
            if (m_pressKeptSelection) {
                // A plain click on a selected row selects that row alone.
                m_pressKeptSelection = false;
                if (QTreeWidgetItem* item = m_list->topLevelItem(m_dragRow)) {
                    m_list->clearSelection();
                    item->setSelected(true);
                    m_list->setCurrentItem(item);
                }
                return true;
            }
            break;
        }
        default:
            break;
    }
    return FramedWindow::eventFilter(watched, event);
}

}  // namespace orvane
