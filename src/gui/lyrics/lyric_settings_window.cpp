#include "gui/lyrics/lyric_settings_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "session/session.h"
#include "audio/lyric_style.h"
#include "gui/lyrics/lyric_controls.h"
#include "gui/lyrics/lyric_label.h"

namespace orvane {

namespace {

constexpr QSize kSampleArea(kLyricSampleWidth, 289);
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
    setContentSize(QSize(843, 345));
    QWidget* c = content();
    const auto q = [](const char* s) { return QString::fromUtf8(s); };

    auto* colourGroup = makeGroup(c, QStringLiteral("GroupBox_yanse"), q("歌词颜色"));
    colourGroup->setGeometry(10, 6, 300, 56);
    m_colour = makeColourBox(colourGroup, QStringLiteral("ColorBox_geci_yanse"));
    m_colour->setGeometry(10, 22, 200, 26);
    auto* colourDefault = makeButton(colourGroup, QStringLiteral("Button_moren_yanse"), q("默认"));
    colourDefault->setGeometry(220, 22, 70, 26);

    auto* fontGroup = makeGroup(c, QStringLiteral("GroupBox_ziti"), q("歌词字体"));
    fontGroup->setGeometry(10, 66, 300, 56);
    m_font = makeFontBox(fontGroup, QStringLiteral("ComboBox_geci_ziti"));
    m_font->setGeometry(10, 22, 200, 26);
    auto* fontDefault = makeButton(fontGroup, QStringLiteral("Button_moren_ziti"), q("默认"));
    fontDefault->setGeometry(220, 22, 70, 26);

    auto* sizeGroup = makeGroup(c, QStringLiteral("GroupBox_daxiao"), q("歌词大小"));
    sizeGroup->setGeometry(10, 126, 300, 56);
    m_size = makeSizeBox(sizeGroup, QStringLiteral("ComboBox_geci_daxiao"));
    m_size->setGeometry(10, 22, 200, 26);
    auto* sizeDefault = makeButton(sizeGroup, QStringLiteral("Button_moren_daxiao"), q("默认"));
    sizeDefault->setGeometry(220, 22, 70, 26);

    auto* styleGroup = makeGroup(c, QStringLiteral("GroupBox_zixing"), q("歌词字型"));
    styleGroup->setGeometry(10, 186, 300, 56);
    m_bold = new QCheckBox(q("粗体"), styleGroup);
    m_bold->setObjectName(QStringLiteral("CheckBox_cuti"));
    m_italic = new QCheckBox(q("斜体"), styleGroup);
    m_italic->setObjectName(QStringLiteral("CheckBox_xieti"));
    m_underline = new QCheckBox(q("下划线"), styleGroup);
    m_underline->setObjectName(QStringLiteral("CheckBox_xiahuaxian"));
    m_bold->setGeometry(10, 24, 64, 22);
    m_italic->setGeometry(76, 24, 64, 22);
    m_underline->setGeometry(142, 24, 72, 22);
    auto* styleDefault = makeButton(styleGroup, QStringLiteral("Button_moren_zixing"), q("默认"));
    styleDefault->setGeometry(220, 22, 70, 26);

    auto* placeGroup = makeGroup(c, QStringLiteral("GroupBox_weizhi"), q("歌词位置"));
    placeGroup->setGeometry(10, 246, 300, 90);
    const auto radios = [&](const Placement(&list)[3], int top) {
        auto* group = new QButtonGroup(this);
        for (int i = 0; i < 3; ++i) {
            auto* r = new QRadioButton(q(list[i].caption), placeGroup);
            r->setObjectName(q(list[i].name));
            r->setProperty("key", q(list[i].key));
            r->setGeometry(10 + i * 66, top, 62, 22);
            group->addButton(r);
        }
        return group;
    };
    m_hAlign = radios(kHorizontal, 24);
    m_vAlign = radios(kVertical, 56);
    auto* hDefault = makeButton(placeGroup, QStringLiteral("Button_moren_shuiping"), q("默认"));
    hDefault->setGeometry(220, 22, 70, 26);
    auto* vDefault = makeButton(placeGroup, QStringLiteral("Button_moren_chuizhi"), q("默认"));
    vDefault->setGeometry(220, 54, 70, 26);

    m_panel = new QWidget(c);
    m_panel->setObjectName(QStringLiteral("Panel_LRC"));
    m_panel->setGeometry(320, 12, kSampleArea.width(), kSampleArea.height());
    m_panel->setAutoFillBackground(true);
    m_panel->setStyleSheet(QStringLiteral("#Panel_LRC { background: #808080; }"));
    // White "宋体" 12 px until a lyric is loaded.
    m_sample = new LyricLabelWidget(QStringLiteral("Label_LRC"), m_panel);
    LyricLabel first;
    first.font = QFont(QStringLiteral("宋体"));
    first.font.setPixelSize(12);
    first.color = Qt::white;
    first.rect = QRect(QPoint(0, 0), QFontMetrics(first.font).size(0, kSampleText));
    m_sample->apply(kSampleText, first);

    auto* ok = makeButton(c, QStringLiteral("Button_queding"), q("确定"));
    ok->setGeometry(633, 309, 95, 28);
    ok->setDefault(true);
    auto* cancel = makeButton(c, QStringLiteral("Button_quxiao"), q("取消"));
    cancel->setGeometry(738, 309, 95, 28);

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
