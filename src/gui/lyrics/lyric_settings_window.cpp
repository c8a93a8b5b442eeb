#include "gui/lyrics/lyric_settings_window.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "audio/lyric_style.h"
#include "gui/lyrics/lyric_controls.h"
#include "gui/lyrics/lyric_label.h"
#include "gui/shell/button_row.h"
#include "gui/shell/captioned_group.h"
#include "gui/shell/check_option.h"
#include "gui/shell/choice_box.h"
#include "gui/shell/default_button.h"
#include "session/session.h"

namespace orvane {

namespace {

constexpr QSize kDocumentedSize(843, 345);
constexpr QSize kSampleArea(kLyricSampleWidth, 289);
constexpr int kGroupWidth = 300;
constexpr QSize kDefaultButtonSize(70, 26);
constexpr QSize kCommandSize(95, 28);
constexpr int kBoxWidth = 200;
constexpr int kDefaultGap = 6;  // at least, between a group's controls and its "默认" button
const QString kSampleText = QStringLiteral("此处歌词内容");

struct Placement {
    const char* key;
    const char* caption;
    const char* name;
};
constexpr Placement kHorizontal[] = {{"zuobian", "左边", "RadioButton_zuobian"},
                                     {"juzhong", "居中", "RadioButton_juzhong"},
                                     {"youbian", "右边", "RadioButton_youbian"}};
constexpr Placement kVertical[] = {{"shangmian", "上面", "RadioButton_shangmian"},
                                   {"zhongjian", "中间", "RadioButton_zhongjian"},
                                   {"xiamian", "下面", "RadioButton_xiamian"}};

}  // namespace

LyricSettingsWindow::LyricSettingsWindow(Session& session, const Skin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm16"), QStringLiteral("歌词设置"), skin, parent),
      m_session(session) {
    QWidget* c = content();
    const auto q = [](const char* s) { return QString::fromUtf8(s); };

    // Left: the five setting groups, each with its "默认" button at the
    // right; right: the sample panel over "确定" and "取消".
    auto* columns = new QHBoxLayout(c);
    columns->setContentsMargins(10, 6, 10, 8);
    columns->setSpacing(10);
    auto* groups = new QVBoxLayout;
    groups->setSpacing(4);
    columns->addLayout(groups);
    groups->addStrut(kGroupWidth);
    auto* right = new QVBoxLayout;
    right->setSpacing(0);
    columns->addLayout(right, 1);

    const SettingGroupLook look{kGroupWidth, kDefaultGap, 10};
    const auto groupRow = [&](const char* name, const char* caption, const char* defaultName,
                              std::initializer_list<SettingControl> controls) {
        return addSettingGroup(groups, look, q(name), q(caption), q(defaultName), controls);
    };
    m_colour = makeColourBox(c, QStringLiteral("ColorBox_geci_yanse"), q("歌词颜色"));
    auto* colourDefault =
        groupRow("GroupBox_yanse", "歌词颜色", "Button_moren_yanse", {{m_colour, kBoxWidth}});
    m_font = makeFontBox(c, QStringLiteral("ComboBox_geci_ziti"), q("歌词字体"));
    auto* fontDefault =
        groupRow("GroupBox_ziti", "歌词字体", "Button_moren_ziti", {{m_font, kBoxWidth}});
    m_size = makeSizeBox(c, QStringLiteral("ComboBox_geci_daxiao"), q("歌词大小"));
    auto* sizeDefault =
        groupRow("GroupBox_daxiao", "歌词大小", "Button_moren_daxiao", {{m_size, kBoxWidth}});

    m_bold = new CheckOption(q("粗体"), QStringLiteral("CheckBox_cuti"), c);
    m_italic = new CheckOption(q("斜体"), QStringLiteral("CheckBox_xieti"), c);
    m_underline = new CheckOption(q("下划线"), QStringLiteral("CheckBox_xiahuaxian"), c);
    auto* styleDefault = groupRow("GroupBox_zixing", "歌词字型", "Button_moren_zixing",
                                  {{m_bold, 64}, {m_italic, 64}, {m_underline, 72}});

    // Placement: the horizontal and the vertical choices on two rows, each
    // row with its own "默认" button.
    auto* placeGroup = new CaptionedGroup(q("歌词位置"), QStringLiteral("GroupBox_weizhi"), c);
    groups->addWidget(placeGroup);
    groups->addStretch(1);
    auto* place = new QGridLayout(placeGroup);
    place->setContentsMargins(kGroupInside.left(), kGroupInside.top(), kGroupInside.right(), 5);
    place->setHorizontalSpacing(4);
    place->setVerticalSpacing(6);
    place->setColumnStretch(3, 1);
    place->setColumnMinimumWidth(3, kDefaultGap - place->horizontalSpacing());
    const auto radios = [&](const Placement(&list)[3], int row) {
        auto* group = new QButtonGroup(this);
        for (int i = 0; i < 3; ++i) {
            auto* r = new QRadioButton(q(list[i].caption), placeGroup);
            r->setObjectName(q(list[i].name));
            r->setAccessibleName(r->text());
            r->setProperty("key", q(list[i].key));
            place->addWidget(r, row, i);
            place->setColumnMinimumWidth(i, 62);
            group->addButton(r);
        }
        return group;
    };
    m_hAlign = radios(kHorizontal, 0);
    m_vAlign = radios(kVertical, 1);
    auto* hDefault =
        new DefaultButton(q("歌词位置"), QStringLiteral("Button_moren_shuiping"), placeGroup);
    auto* vDefault =
        new DefaultButton(q("歌词位置"), QStringLiteral("Button_moren_chuizhi"), placeGroup);
    for (DefaultButton* b : {hDefault, vDefault}) b->setLeastSize(kDefaultButtonSize);
    place->addWidget(hDefault, 0, 4);
    place->addWidget(vDefault, 1, 4);

    // The sample panel keeps its reference size whatever the window's: the
    // lyric size is defined at this scale.
    m_panel = new QWidget(c);
    m_panel->setObjectName(QStringLiteral("Panel_LRC"));
    m_panel->setFixedSize(kSampleArea);
    m_panel->setAutoFillBackground(true);
    m_panel->setStyleSheet(QStringLiteral("#Panel_LRC { background: #808080; }"));
    right->addSpacing(6);
    right->addWidget(m_panel, 0, Qt::AlignLeft);
    right->addSpacing(8);
    // White "宋体" 12 px until a lyric is loaded.
    m_sample = new LyricLabelWidget(QStringLiteral("Label_LRC"), m_panel);
    LyricLabel first;
    first.font = QFont(QStringLiteral("宋体"));
    first.font.setPixelSize(12);
    first.color = Qt::white;
    first.rect = QRect(QPoint(0, 0), QFontMetrics(first.font).size(0, kSampleText));
    m_sample->apply(kSampleText, first);

    auto* buttons = new ButtonRow(c);
    buttons->setSpacing(10);
    buttons->setLeastButtonSize(kCommandSize);
    right->addLayout(buttons);
    right->addStretch(1);
    QPushButton* ok = buttons->addButton(q("确定"), QStringLiteral("Button_queding"));
    QPushButton* cancel = buttons->addButton(q("取消"), QStringLiteral("Button_quxiao"));
    ok->setDefault(true);
    pointAtButtons(c);
    fitContent(kDocumentedSize);

    const auto changed = [this] {
        if (!m_loading) updateSample();
    };
    connect(m_colour, &QComboBox::currentIndexChanged, this, changed);
    connect(m_font, &QComboBox::currentIndexChanged, this, changed);
    connect(m_size, &QComboBox::currentIndexChanged, this, changed);
    for (QCheckBox* box : {m_bold, m_italic, m_underline})
        connect(box, &QCheckBox::toggled, this, changed);
    connect(m_hAlign, &QButtonGroup::buttonToggled, this, changed);
    connect(m_vAlign, &QButtonGroup::buttonToggled, this, changed);

    connect(colourDefault, &QPushButton::clicked, this,
            [this] { selectColour(m_colour, QStringLiteral("clWhite")); });
    connect(fontDefault, &QPushButton::clicked, this,
            [this] { selectFont(m_font, QStringLiteral("黑体")); });
    connect(sizeDefault, &QPushButton::clicked, this,
            [this] { selectSize(m_size, QStringLiteral("10")); });
    connect(styleDefault, &QPushButton::clicked, this, [this] {
        m_bold->setChecked(true);
        m_italic->setChecked(false);
        m_underline->setChecked(false);
    });
    connect(hDefault, &QPushButton::clicked, this,
            [this] { checkByKey(m_hAlign, QStringLiteral("juzhong")); });
    connect(vDefault, &QPushButton::clicked, this,
            [this] { checkByKey(m_vAlign, QStringLiteral("xiamian")); });
    connect(ok, &QPushButton::clicked, this, [this] {
        store();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool LyricSettingsWindow::editLyric(int row) {
    if (row < 0 || row >= m_session.model().lyrics.count()) return false;
    m_row = row;
    m_lyric = m_session.model().lyrics.at(static_cast<std::size_t>(row));
    load(m_lyric);
    return exec() == QDialog::Accepted;
}

void LyricSettingsWindow::checkByKey(QButtonGroup* group, const QString& key) {
    // A stored word that names no button leaves them all unchecked.
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons()) b->setChecked(b->property("key").toString() == key);
    group->setExclusive(true);
}

QString LyricSettingsWindow::checkedKey(const QButtonGroup* group, const QString& stored) {
    const QAbstractButton* b = group->checkedButton();
    return b ? b->property("key").toString() : stored;
}

void LyricSettingsWindow::load(const LyricEntry& lyric) {
    m_loading = true;
    selectColour(m_colour, lyric.colorName);
    selectFont(m_font, lyric.fontName);
    selectSize(m_size, QString::number(lyric.fontSize));
    m_bold->setChecked(lyric.bold);
    m_italic->setChecked(lyric.italic);
    m_underline->setChecked(lyric.underline);
    checkByKey(m_hAlign, legacyText(lyric.hAlign));
    checkByKey(m_vAlign, legacyText(lyric.vAlign));
    m_loading = false;
    updateSample();
}

LyricEntry LyricSettingsWindow::chosen() const {
    LyricEntry l = m_lyric;
    l.colorName = colourName(m_colour);
    l.colorValue = colourValue(m_colour);
    l.fontName = m_font->currentText();
    l.fontSize = m_size->currentText().toInt();
    l.bold = m_bold->isChecked();
    l.italic = m_italic->isChecked();
    l.underline = m_underline->isChecked();
    // The radios are keyed by the alignments' table words.
    l.hAlign = enumFromLegacy<LyricHAlign>(checkedKey(m_hAlign, legacyText(m_lyric.hAlign)))
                   .value_or(m_lyric.hAlign);
    l.vAlign = enumFromLegacy<LyricVAlign>(checkedKey(m_vAlign, legacyText(m_lyric.vAlign)))
                   .value_or(m_lyric.vAlign);
    return l;
}

void LyricSettingsWindow::updateSample() {
    const LyricLabel label =
        styleLyricLabel(chosen(), kSampleText, kSampleArea, kLyricSampleWidth, m_sample->pos());
    m_sample->apply(kSampleText, label);
}

void LyricSettingsWindow::store() {
    ProjectModel next = m_session.model();
    if (m_row < 0 || m_row >= next.lyrics.count()) return;
    LyricEntry& target = next.lyrics.at(static_cast<std::size_t>(m_row));
    const LyricEntry c = chosen();
    target.colorName = c.colorName;
    target.colorValue = c.colorValue;
    target.fontName = c.fontName;
    target.fontSize = c.fontSize;
    target.bold = c.bold;
    target.italic = c.italic;
    target.underline = c.underline;
    target.hAlign = c.hAlign;
    target.vAlign = c.vAlign;
    m_session.commit(std::move(next));
}

}  // namespace orvane
