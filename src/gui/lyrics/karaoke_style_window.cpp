#include "gui/lyrics/karaoke_style_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "gui/lyrics/lyric_controls.h"

namespace orvane {

namespace {}  // namespace

KaraokeStyleWindow::KaraokeStyleWindow(const Skin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm48"), QStringLiteral("卡拉OK设置"), skin, parent) {
    setContentSize(QSize(330, 402));
    QWidget* c = content();
    const auto q = [](const char* s) { return QString::fromUtf8(s); };
    int top = 6;
    const auto group = [&](const char* name, const char* caption) {
        QGroupBox* g = makeGroup(c, q(name), q(caption));
        g->setGeometry(10, top, 310, 56);
        top += 60;
        return g;
    };
    const auto defaultButton = [&](QWidget* parent, const char* name) {
        QPushButton* b = makeButton(parent, q(name), q("默认"));
        b->setGeometry(228, 22, 70, 26);
        return b;
    };

    QGroupBox* g = group("GroupBox_yanse", "歌词颜色");
    m_colour = makeColourBox(g, QStringLiteral("ColorBox_geci_yanse"));
    m_colour->setGeometry(10, 22, 210, 26);
    QPushButton* colourDefault = defaultButton(g, "Button_moren_yanse");

    g = group("GroupBox_xuanran", "渲染颜色");
    m_fill = makeColourBox(g, QStringLiteral("ColorBox_xuanran_yanse"));
    m_fill->setGeometry(10, 22, 210, 26);
    QPushButton* fillDefault = defaultButton(g, "Button_moren_xuanran");

    g = group("GroupBox_ziti", "歌词字体");
    m_font = makeFontBox(g, QStringLiteral("ComboBox_geci_ziti"));
    m_font->setGeometry(10, 22, 210, 26);
    QPushButton* fontDefault = defaultButton(g, "Button_moren_ziti");

    g = group("GroupBox_daxiao", "歌词大小");
    m_size = makeSizeBox(g, QStringLiteral("ComboBox_geci_daxiao"));
    m_size->setGeometry(10, 22, 210, 26);
    QPushButton* sizeDefault = defaultButton(g, "Button_moren_daxiao");

    g = group("GroupBox_zixing", "歌词字型");
    m_bold = new QCheckBox(q("粗体"), g);
    m_bold->setObjectName(QStringLiteral("CheckBox_cuti"));
    m_bold->setGeometry(10, 24, 64, 22);
    m_italic = new QCheckBox(q("斜体"), g);
    m_italic->setObjectName(QStringLiteral("CheckBox_xieti"));
    m_italic->setGeometry(76, 24, 64, 22);
    m_underline = new QCheckBox(q("下划线"), g);
    m_underline->setObjectName(QStringLiteral("CheckBox_xiahuaxian"));
    m_underline->setGeometry(142, 24, 76, 22);
    QPushButton* styleDefault = defaultButton(g, "Button_moren_zixing");

    g = group("GroupBox_wenzi", "简体或繁体");
    m_simplified = new QRadioButton(q("简体文字"), g);
    m_simplified->setObjectName(QStringLiteral("RadioButton_jianti"));
    m_simplified->setGeometry(10, 24, 96, 22);
    m_traditional = new QRadioButton(q("繁体文字"), g);
    m_traditional->setObjectName(QStringLiteral("RadioButton_fanti"));
    m_traditional->setGeometry(110, 24, 96, 22);
    QPushButton* scriptDefault = defaultButton(g, "Button_moren_wenzi");

    auto* ok = makeButton(c, QStringLiteral("Button_queding"), q("确定"));
    ok->setGeometry(120, top + 4, 95, 28);
    ok->setDefault(true);
    auto* cancel = makeButton(c, QStringLiteral("Button_quxiao"), q("取消"));
    cancel->setGeometry(225, top + 4, 95, 28);

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
