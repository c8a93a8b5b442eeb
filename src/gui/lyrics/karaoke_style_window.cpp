#include "gui/lyrics/karaoke_style_window.h"

#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/lyrics/lyric_controls.h"
#include "gui/shell/button_row.h"
#include "gui/shell/check_option.h"
#include "gui/shell/choice_box.h"
#include "gui/shell/default_button.h"

namespace orvane {

namespace {

constexpr QSize kDocumentedSize(330, 402);
constexpr int kGroupWidth = 310;
constexpr QSize kCommandSize(95, 28);
constexpr int kBoxWidth = 210;
constexpr int kDefaultGap = 8;  // at least, between a group's controls and its "默认" button

}  // namespace

KaraokeStyleWindow::KaraokeStyleWindow(const Skin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm48"), QStringLiteral("卡拉OK设置"), skin, parent) {
    QWidget* c = content();
    const auto q = [](const char* s) { return QString::fromUtf8(s); };

    // Six groups one under the other, each with its "默认" button at the
    // right, over "确定" and "取消" at the bottom right.
    auto* column = new QVBoxLayout(c);
    column->setContentsMargins(10, 6, 10, 4);
    column->setSpacing(4);
    const SettingGroupLook look{kGroupWidth, kDefaultGap, 12};
    const auto group = [&](const char* name, const char* caption, const char* defaultName,
                           std::initializer_list<SettingControl> controls) {
        return addSettingGroup(column, look, q(name), q(caption), q(defaultName), controls);
    };
    m_colour = makeColourBox(c, QStringLiteral("ColorBox_geci_yanse"), q("歌词颜色"));
    QPushButton* colourDefault =
        group("GroupBox_yanse", "歌词颜色", "Button_moren_yanse", {{m_colour, kBoxWidth}});
    m_fill = makeColourBox(c, QStringLiteral("ColorBox_xuanran_yanse"), q("渲染颜色"));
    QPushButton* fillDefault =
        group("GroupBox_xuanran", "渲染颜色", "Button_moren_xuanran", {{m_fill, kBoxWidth}});
    m_font = makeFontBox(c, QStringLiteral("ComboBox_geci_ziti"), q("歌词字体"));
    QPushButton* fontDefault =
        group("GroupBox_ziti", "歌词字体", "Button_moren_ziti", {{m_font, kBoxWidth}});
    m_size = makeSizeBox(c, QStringLiteral("ComboBox_geci_daxiao"), q("歌词大小"));
    QPushButton* sizeDefault =
        group("GroupBox_daxiao", "歌词大小", "Button_moren_daxiao", {{m_size, kBoxWidth}});

    m_bold = new CheckOption(q("粗体"), QStringLiteral("CheckBox_cuti"), c);
    m_italic = new CheckOption(q("斜体"), QStringLiteral("CheckBox_xieti"), c);
    m_underline = new CheckOption(q("下划线"), QStringLiteral("CheckBox_xiahuaxian"), c);
    QPushButton* styleDefault = group("GroupBox_zixing", "歌词字型", "Button_moren_zixing",
                                      {{m_bold, 64}, {m_italic, 64}, {m_underline, 76}});

    m_simplified = new QRadioButton(q("简体文字"), c);
    m_simplified->setObjectName(QStringLiteral("RadioButton_jianti"));
    m_traditional = new QRadioButton(q("繁体文字"), c);
    m_traditional->setObjectName(QStringLiteral("RadioButton_fanti"));
    for (QRadioButton* r : {m_simplified, m_traditional}) r->setAccessibleName(r->text());
    QPushButton* scriptDefault = group("GroupBox_wenzi", "简体或繁体", "Button_moren_wenzi",
                                       {{m_simplified, 96}, {m_traditional, 96}});

    auto* buttons = new ButtonRow(c);
    buttons->setSpacing(10);
    buttons->setLeastButtonSize(kCommandSize);
    column->addSpacing(4);
    column->addLayout(buttons);
    column->addStretch(1);
    QPushButton* ok = buttons->addButton(q("确定"), QStringLiteral("Button_queding"));
    QPushButton* cancel = buttons->addButton(q("取消"), QStringLiteral("Button_quxiao"));
    ok->setDefault(true);
    pointAtButtons(c);
    fitContent(kDocumentedSize);

    connect(colourDefault, &QPushButton::clicked, this,
            [this] { selectColour(m_colour, QStringLiteral("clWhite")); });
    connect(fillDefault, &QPushButton::clicked, this,
            [this] { selectColour(m_fill, QStringLiteral("clBlue")); });
    connect(fontDefault, &QPushButton::clicked, this,
            [this] { selectFont(m_font, QStringLiteral("黑体")); });
    connect(sizeDefault, &QPushButton::clicked, this,
            [this] { selectSize(m_size, QStringLiteral("25")); });
    connect(styleDefault, &QPushButton::clicked, this, [this] {
        m_bold->setChecked(false);
        m_italic->setChecked(false);
        m_underline->setChecked(false);
    });
    connect(scriptDefault, &QPushButton::clicked, this, [this] { m_simplified->setChecked(true); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void KaraokeStyleWindow::load(const KaraokeEntry& entry) {
    m_entry = entry;
    selectColour(m_colour, entry.colorName);
    selectColour(m_fill, entry.fillColorName);
    selectFont(m_font, entry.fontName);
    selectSize(m_size, QString::number(entry.fontSize));
    m_bold->setChecked(entry.bold);
    m_italic->setChecked(entry.italic);
    m_underline->setChecked(entry.underline);
    (entry.script == KaraokeScript::Traditional ? m_traditional : m_simplified)->setChecked(true);
}

KaraokeEntry KaraokeStyleWindow::chosen() const {
    KaraokeEntry e = m_entry;
    e.colorName = colourName(m_colour);
    e.colorValue = colourValue(m_colour);
    e.fillColorName = colourName(m_fill);
    e.fillColorValue = colourValue(m_fill);
    e.fontName = m_font->currentText();
    e.fontSize = m_size->currentText().toInt();
    e.bold = m_bold->isChecked();
    e.italic = m_italic->isChecked();
    e.underline = m_underline->isChecked();
    e.script = m_traditional->isChecked() ? KaraokeScript::Traditional : KaraokeScript::Simplified;
    return e;
}

std::optional<KaraokeEntry> KaraokeStyleWindow::editEntry(const KaraokeEntry& entry) {
    load(entry);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return chosen();
}

}  // namespace orvane
