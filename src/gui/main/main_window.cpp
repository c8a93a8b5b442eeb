#include "gui/main/main_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

#include "base/album_settings.h"
#include "browser/hint_texts.h"
#include "gui/shell/hot_label.h"
#include "gui/shell/skin.h"
#include "gui/shell/skin_picture.h"
#include "gui/shell/window_drag.h"
#include "gui/shell/window_style.h"

namespace orvane {

namespace {

// The widgets put into a host (the panes, the preview box, the summary) fill
// it, inside `margin`, whatever size the layout gives it.
void fillWithChildren(QWidget* host, int margin = 0) {
    const QRect inside = host->rect().adjusted(margin, margin, -margin, -margin);
    for (QWidget* child : host->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->setGeometry(inside);
}

using namespace skin_colours;

struct Command {
    const char* name;
    const char* caption;
    const char* hint;
};

// The left column, top to bottom: adding media, then the album's settings.
constexpr Command kLeftCommands[] = {
    {"Button_tianjiaxiangpian", "添加相片", "支持多个相片文件一起添加使用"},
    {"Button_tianjiayinyue", "添加音乐", "支持多个音乐文件一起添加使用"},
    {"Button_tianjiayinyue_mp3", "添加音乐MP3", "支持多个音乐文件一起添加使用"},
    {"Button_tianjiageci", "添加歌词", "支持多个歌词文件一起添加使用"},
    {"Button_tianjiageci_lrc", "添加歌词LRC", "支持多个歌词文件一起添加使用"},
    {"Button_gecizhizuo", "歌词制作", "LRC歌词制作,支持导入txt文件,lrc文件,更改歌词时间,预览歌词"},
    {"Button_xiangcechangdu", "相册长度", "两种同步：以相册长度为准,以音乐长度为准"},
    {"Button_wenzitexiao", "文字特效",
     "支持多条文字特效,支持指定时间显示,颜色,字体,大小,字型等设置"},
    {"Button_huamiantexiao", "画面特效", "支持多条画面特效,支持指定时间显示"},
    {"Button_xiangpianjiancai", "相片剪裁", "对相片剪裁处理,达到高清最佳显示效果"},
    {"Button_mobanguanli", "模板管理",
     "对模板进行了横照,竖照,单张,多张,全屏效果等更多分类,为相片更换模板或模板指定相片"},
    {"Button_qitashezhi", "其它设置", "支持PAL,NTSC电视制式,画质效果支持一般画质,高清画质"},
};

// The bottom row under the panes: the album preview and the make commands.
constexpr Command kBottomCommands[] = {
    {"Button_xiangceyulan", "相册预览",
     "制作之前预览整个相册：画面、歌词、卡拉OK、文字和画面特效，声音同步播放"},
    {"Button_VCD", "VCD", "画面效果最高达到1280*720"},
    {"Button_SVCD", "SVCD", "画面效果最高达到1280*720"},
    {"Button_DVD", "DVD", "画面效果最高达到1920*1080"},
    {"Button_AVI", "AVI", "画面效果最高达到1920*1080"},
    {"Button_MP4", "MP4", "H.264 视频, 手机、电视和网页都能播放, 画面效果最高达到1920*1080"},
    {"Button_xulietu", "序列图",
     "生成序列图片, 支持输出JPG,BMP,TGA,PCX, 画面效果最高达到1920*1080"},
};

// The project commands sit in the title bar, left of its buttons.
constexpr Command kProjectCommands[] = {
    {"Button_dakaigongcheng", "打开工程", "打开保存过的工程文件, 接着制作相册 (Ctrl+O)"},
    {"Button_baocungongcheng", "保存工程",
     "把相片、模板、音乐、歌词、特效和全部设置保存为一个工程文件 (Ctrl+S)"},
};
constexpr QSize kProjectCommandSize(84, 26);

constexpr std::array<const char*, kTitleButtonCount> kTitlePictureNames{
    "Image_zhujiemian_3", "Image_zhujiemian_4", "Image_zhujiemian_5", "Image_zhujiemian_6"};
constexpr std::array<const char*, kTitleButtonCount> kTitleLabelNames{
    "Label_guanbi", "Label_quanping", "Label_huanyuan", "Label_kaishibuju"};
constexpr std::array<const char*, kTitleButtonCount> kTitleCaptions{"关闭", "全屏", "还原",
                                                                    "开始布局"};
constexpr std::array<SkinPart, kTitleButtonCount> kTitleParts{
    SkinPart::CloseButton, SkinPart::FullScreenButton, SkinPart::RestoreButton,
    SkinPart::StartLayoutButton};

const QString kHelpText = QStringLiteral(
    "使用方法\n\n"
    "1. 点击“添加相片”选择照片，软件按照片的横竖自动套用模板。\n\n"
    "2. 点击“添加音乐”“添加歌词”加入背景音乐和歌词，歌词按顺序绑定到音乐。\n\n"
    "3. 拖动缩略图可以调整相片、音乐和歌词的顺序。\n\n"
    "4. “相册长度”“文字特效”“画面特效”“其它设置”调整相册的效果。\n\n"
    "5. 点击 VCD、SVCD、DVD、AVI、MP4 或“序列图”制作相册。\n\n"
    "6. “保存工程”（Ctrl+S）把整个相册存成一个工程文件，下次用“打开工程”（Ctrl+O）接着做。\n\n"
    "双击标题栏在全屏与开始布局之间切换；Ctrl+Q 退出本软件。");

QString q(const char* text) { return QString::fromUtf8(text); }

}  // namespace

MainWindow::MainWindow(Session& session, const Skin& skin, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_session(session), m_skin(skin) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(programTitle());
    setAccessibleName(windowTitle());
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kWindow);
    pal.setColor(QPalette::WindowText, kText);
    setPalette(pal);
    setStyleSheet(windowStyleSheet() +
                  QStringLiteral("QFrame#Panel_side { background: %1; border: 1px solid %2;"
                                 " border-radius: 3px; }"
                                 "QLabel { background: transparent; }")
                      .arg(kPanel.name(), kBandTop.name()));

    buildTitleBar();
    buildLeftColumn();
    m_panes = new QWidget(this);
    m_panes->setObjectName(QStringLiteral("Panel_panes"));
    m_panes->setAccessibleName(QStringLiteral("相片区域"));
    buildSidePanels();
    buildBottomStrip();

    auto* exitKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    connect(exitKey, &QShortcut::activated, this, &MainWindow::requestExit);
    auto* escKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escKey, &QShortcut::activated, this, &MainWindow::requestExit);
    const std::pair<QKeySequence, const char*> projectKeys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_O), "打开工程"},
        {QKeySequence(Qt::CTRL | Qt::Key_S), "保存工程"}};
    for (const auto& [keys, caption] : projectKeys) {
        auto* key = new QShortcut(keys, this);
        connect(key, &QShortcut::activated, this,
                [this, caption] { emit commandRequested(q(caption)); });
    }
    auto* modeKey = new QShortcut(QKeySequence(Qt::Key_F11), this);
    connect(modeKey, &QShortcut::activated, this, &MainWindow::toggleLayoutMode);

    m_summaryTimer.setInterval(50);
    connect(&m_summaryTimer, &QTimer::timeout, this, &MainWindow::onSummaryTick);
    m_exitTimer.setInterval(1);
    m_exitTimer.setSingleShot(true);
    connect(&m_exitTimer, &QTimer::timeout, this, &MainWindow::onExitTimer);
    connect(&m_session, &Session::tableChanged, this, &MainWindow::refreshCounters);

    const QRect start = mainWindowGeometry(m_mode, screenSize());
    resize(start.size());
    refreshCounters();
}

void MainWindow::buildTitleBar() {
    m_titleLeft = new SkinPicture(QStringLiteral("Image_zhujiemian_1"), this);
    m_titleMiddle = new SkinPicture(QStringLiteral("Image_zhujiemian_2"), this);
    m_titleLeft->setPicture(m_skin.slice(SkinPart::TitleLeft));
    m_titleMiddle->setPicture(m_skin.slice(SkinPart::TitleMiddle));
    makeDragHandle(m_titleMiddle, this);
    makeDragHandle(m_titleLeft, this);
    connect(m_titleMiddle, &SkinPicture::doubleClicked, this, &MainWindow::toggleLayoutMode);
    connect(m_titleLeft, &SkinPicture::doubleClicked, this, &MainWindow::toggleLayoutMode);

    // The window icon: a small framed photo in the accent colour.
    QPixmap icon(QSize(32, 32) * m_skin.devicePixelRatio());
    icon.setDevicePixelRatio(m_skin.devicePixelRatio());
    icon.fill(Qt::transparent);
    {
        QPainter p(&icon);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kAccent, 2));
        p.setBrush(kPanel);
        p.drawRoundedRect(QRectF(3, 5, 26, 22), 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawEllipse(QPointF(21, 12), 2.5, 2.5);
        p.setBrush(kAccent.darker(140));
        p.drawPolygon(QPolygonF{QPointF(6, 24), QPointF(14, 13), QPointF(21, 24)});
        p.setBrush(kAccent.darker(115));
        p.drawPolygon(QPolygonF{QPointF(15, 24), QPointF(20, 17), QPointF(26, 24)});
    }
    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("Image_tubiao"));
    m_icon->setAccessibleName(windowTitle());
    m_icon->setPixmap(icon);
    m_icon->setGeometry(8, 12, 32, 32);
    m_icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_caption = new QLabel(windowTitle(), this);
    m_caption->setObjectName(QStringLiteral("Label_biaoti"));
    m_caption->setAccessibleName(m_caption->text());
    m_caption->setStyleSheet(
        QStringLiteral("color: %1; font-size: 16px; font-weight: bold;").arg(kText.name()));
    m_caption->move(48, 17);
    m_caption->adjustSize();
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);

    for (int i = 0; i < kTitleButtonCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        auto* picture = new SkinPicture(q(kTitlePictureNames[k]), this);
        picture->setPicture(m_skin.slice(kTitleParts[k]));
        m_titleButtons[k] = picture;
        // Its hint ("退出软件", …) is shown by the text hint window.
        auto* label = new HotLabel(q(kTitleLabelNames[k]), q(kTitleCaptions[k]), QString(), this);
        label->setAccessibleDescription(
            buttonHintText(HintGroup::TitleBar, q(kTitleCaptions[k])).value_or(QString()));
        m_titleLabels[k] = label;
        const SkinPart part = kTitleParts[k];
        connect(label, &HotLabel::hovered, this, [this, picture, part](bool inside) {
            picture->setPicture(m_skin.slice(part, inside ? SkinState::Hover : SkinState::Normal));
        });
        connect(label, &HotLabel::pressed, this, [this, picture, part] {
            picture->setPicture(m_skin.slice(part, SkinState::Pressed));
        });
        connect(label, &HotLabel::released, this, [this, picture, part, label] {
            const bool lit = label->underMouse();
            picture->setPicture(m_skin.slice(part, lit ? SkinState::Hover : SkinState::Normal));
        });
    }
    for (const Command& c : kProjectCommands)
        m_projectCommands.push_back(makeWindowCommand(c.name, c.caption, c.hint));
    connect(m_titleLabels[0], &HotLabel::clicked, this, &MainWindow::requestExit);
    connect(m_titleLabels[1], &HotLabel::clicked, this,
            [this] { applyLayoutMode(LayoutMode::FullScreen); });
    connect(m_titleLabels[2], &HotLabel::clicked, this,
            [this] { applyLayoutMode(LayoutMode::Restore); });
    connect(m_titleLabels[3], &HotLabel::clicked, this,
            [this] { applyLayoutMode(LayoutMode::Start); });
}

QPushButton* MainWindow::makeCommand(QWidget* parent, const QString& objectName, const QString& caption,
                                 const QString& hint) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAccessibleName(caption);
    // The text hint window shows the hint while the mouse is over the
    // button; a screen reader reads it as the description.
    if (!hint.isEmpty()) button->setAccessibleDescription(hint);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QPushButton* MainWindow::makeWindowCommand(const char* name, const char* caption, const char* hint) {
    QPushButton* button = makeCommand(this, q(name), q(caption), q(hint));
    connect(button, &QPushButton::clicked, this,
            [this, text = button->text()] { emit commandRequested(text); });
    return button;
}

void MainWindow::buildLeftColumn() {
    for (const Command& c : kLeftCommands)
        m_leftCommands.push_back(makeWindowCommand(c.name, c.caption, c.hint));
    for (const Command& c : kBottomCommands)
        m_bottomCommands.push_back(makeWindowCommand(c.name, c.caption, c.hint));
    // The pressed-item preview box of the panes goes here.
    m_previewBox = new QFrame(this);
    m_previewBox->setObjectName(QStringLiteral("Panel_yulan"));
    m_previewBox->setStyleSheet(QStringLiteral("QFrame#Panel_yulan { background: %1;"
                                               " border: 1px solid %2; border-radius: 3px; }")
                                    .arg(kWindow.name(), kBandTop.name()));
}

QFrame* MainWindow::makeSidePanel(const QString& objectName, const QString& caption) {
    auto* panel = new QFrame(this);
    panel->setObjectName(objectName);
    panel->setAccessibleName(caption);
    panel->setStyleSheet(QStringLiteral("QFrame#%1 { background: %2; border: 1px solid %3;"
                                        " border-radius: 3px; }")
                             .arg(objectName, kPanel.name(), kBandTop.lighter(115).name()));
    auto* title = new QLabel(caption, panel);
    title->setObjectName(objectName + QStringLiteral("_biaoti"));
    title->setAccessibleName(caption);
    title->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(kAccent.name()));
    title->setGeometry(8, 5, 170, 20);
    return panel;
}

void MainWindow::buildSidePanels() {
    struct SidePanelNames {
        const char* name;
        const char* caption;
        const char* prefix;
        const char* kind;  // "相片", "音乐", "歌词": the hints name it
    };
    const SidePanelNames panels[] = {{"Panel_xiangpian", "相片", "xiangpian", "相片"},
                                     {"Panel_yinyue", "音乐", "yinyue", "音乐"},
                                     {"Panel_geci", "歌词", "geci", "歌词"}};
    std::array<QFrame**, 3> targets{&m_photoPanel, &m_musicPanel, &m_lyricPanel};
    for (int pane = 0; pane < 3; ++pane) {
        const SidePanelNames& s = panels[pane];
        QFrame* panel = makeSidePanel(q(s.name), q(s.caption));
        *targets[static_cast<std::size_t>(pane)] = panel;
        auto* counter = new QLabel(panel);
        counter->setObjectName(QStringLiteral("Label_%1_shuliang").arg(q(s.prefix)));
        counter->setGeometry(8, 32 - 4, 170, 20);
        m_counters[static_cast<std::size_t>(pane)] = counter;

        const QString kind = q(s.kind);
        const QString other = pane == MusicPane ? QStringLiteral("歌词") : QStringLiteral("音乐");
        // Two columns of 90 × 23 commands at left 2 and 93.
        struct Row {
            QString left, leftName, leftHint, right, rightName, rightHint;
        };
        std::vector<Row> rows{
            {QStringLiteral("图标"), QStringLiteral("tubiao"), kind + QStringLiteral("缩略图"),
             QStringLiteral("删除"), QStringLiteral("shanchu"), QStringLiteral("删除单个") + kind},
            {QStringLiteral("列表"), QStringLiteral("liebiao"), kind + QStringLiteral("列表"),
             QStringLiteral("全删"), QStringLiteral("quanshan"),
             QStringLiteral("删除全部") + kind}};
        if (pane != PhotoPane) {
            rows.push_back({QStringLiteral("绑定"), QStringLiteral("bangding"),
                            QStringLiteral("绑定%1文件").arg(other), QStringLiteral("全解绑"),
                            QStringLiteral("quanjiebang"),
                            QStringLiteral("解除全部绑定的%1文件").arg(other)});
            rows.push_back({QStringLiteral("解绑"), QStringLiteral("jiebang"),
                            QStringLiteral("解除绑定的%1文件").arg(other), QStringLiteral("自动绑"),
                            QStringLiteral("zidongbang"),
                            QStringLiteral("自动绑定全部%1文件").arg(other)});
        }
        const int firstTop = pane == PhotoPane ? 54 : 56;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const int top = firstTop + static_cast<int>(r) * 24;
            const Row& row = rows[r];
            for (int col = 0; col < 2; ++col) {
                const QString& caption = col == 0 ? row.left : row.right;
                const QString name = QStringLiteral("Button_%1_%2")
                                         .arg(q(s.prefix), col == 0 ? row.leftName : row.rightName);
                QPushButton* b =
                    makeCommand(panel, name, caption, col == 0 ? row.leftHint : row.rightHint);
                b->setGeometry(col == 0 ? 2 : 93, top, 90, 23);
                connect(b, &QPushButton::clicked, this,
                        [this, pane, caption] { emit sideCommandRequested(pane, caption); });
            }
        }
        auto addWide = [&](const QString& caption, const QString& name, const QString& hint,
                           QRect place) {
            QPushButton* b = makeCommand(panel, name, caption, hint);
            b->setGeometry(place);
            connect(b, &QPushButton::clicked, this,
                    [this, pane, caption] { emit sideCommandRequested(pane, caption); });
        };
        if (pane == PhotoPane) {
            // The pane's template preview; the panel is full below, so it
            // stands beside the title, as narrow padded as it must be.
            addWide(QStringLiteral("预览单个相片模板效果"),
                    QStringLiteral("Button_xiangpian_moban_yulan"), QString(),
                    QRect(40, 3, 143, 22));
            panel->findChild<QPushButton*>(QStringLiteral("Button_xiangpian_moban_yulan"))
                ->setStyleSheet(QStringLiteral("padding: 1px 2px;"));
        }
        if (pane == MusicPane)
            addWide(QStringLiteral("音乐预览"), QStringLiteral("Button_yinyue_yulan"),
                    QStringLiteral("预览音乐文件"), QRect(2, 152, 181, 23));
        if (pane == LyricPane) {
            addWide(QStringLiteral("歌词设置"), QStringLiteral("Button_geci_shezhi"),
                    QStringLiteral("对歌词进行设置,例如:歌词位置,大小,颜色,类型等等"),
                    QRect(2, 152, 90, 23));
            addWide(QStringLiteral("歌词预览"), QStringLiteral("Button_geci_yulan"),
                    QStringLiteral("预览歌词文件"), QRect(93, 152, 90, 23));
            // The panel is full below; the karaoke editor's command sits beside its title.
            addWide(QStringLiteral("卡拉OK设置"), QStringLiteral("Button_kalaok_shezhi"),
                    QStringLiteral("导入和设置卡拉OK歌词"), QRect(93, 3, 90, 22));
        }
    }

    m_summaryPanel =
        makeSidePanel(QStringLiteral("Panel_qitaxiangguan_kuang"), QStringLiteral("其它相关"));
    // The album settings summary goes into this body.
    m_summaryBody = new QWidget(m_summaryPanel);
    m_summaryBody->setObjectName(QStringLiteral("Panel_qitaxiangguan_host"));
    m_summaryBody->setAccessibleName(QStringLiteral("其它相关"));

    m_helpPanel = makeSidePanel(QStringLiteral("Panel_bangzhuxinxi"), QStringLiteral("帮助信息"));
    m_helpClip = new QWidget(m_helpPanel);
    m_helpClip->setObjectName(QStringLiteral("Panel_bangzhuxinxi_neirong"));
    m_helpText = new QLabel(kHelpText, m_helpClip);
    m_helpText->setObjectName(QStringLiteral("Label_bangzhuxinxi"));
    m_helpText->setWordWrap(true);
    m_helpText->setAccessibleName(kHelpText);
    m_helpText->setStyleSheet(QStringLiteral("color: %1;").arg(kTextDim.name()));
    m_helpText->setFixedWidth(171);
    m_helpText->adjustSize();
    m_helpText->move(4, 50);
}

void MainWindow::buildBottomStrip() {
    m_bottomLeft = new SkinPicture(QStringLiteral("Image_zhujiemian_zuixiamian1_load"), this);
    m_bottomMiddle = new SkinPicture(QStringLiteral("Image_zhujiemian_zuixiamian2_load"), this);
    m_bottomRight = new SkinPicture(QStringLiteral("Image_zhujiemian_zuixiamian3_load"), this);
    m_bottomUnder = new SkinPicture(QStringLiteral("Image_zhujiemian_zuixiamian4_load"), this);
    m_bottomLeft->setPicture(m_skin.slice(SkinPart::BottomLeft));
    m_bottomMiddle->setPicture(m_skin.slice(SkinPart::BottomMiddle));
    m_bottomRight->setPicture(m_skin.slice(SkinPart::BottomEnd));
    m_bottomUnder->setPicture(m_skin.slice(SkinPart::BottomUnderPanels));

    const std::array<const char*, 3> paneNames{"Label_xiangpianquyu", "Label_yinyuequyu",
                                               "Label_gechiquyu"};
    const std::array<const char*, 3> paneCaptions{"相片区域", "音乐区域", "歌词区域"};
    const std::array<const char*, 3> infoNames{"Label_ruanjianjianjie", "Label_bangzhuwenjian",
                                               "Label_wangzhanmoban"};
    const std::array<const char*, 3> infoCaptions{"软件简介", "帮助文件", "网站模板"};
    // The strip under a hovered label is lit; the text hint window shows the
    // label's hint.
    auto hover = [this](HotLabel* label) {
        label->setAccessibleDescription(
            buttonHintText(HintGroup::Main, label->accessibleName()).value_or(QString()));
        connect(label, &HotLabel::hovered, this, [this, label](bool inside) {
            if (inside) {
                const int x = label->x() - m_bottomLeft->x();
                m_bottomLeft->setPicture(m_skin.bottomLeftWithHover(x, label->width()));
            } else {
                m_bottomLeft->setPicture(m_skin.slice(SkinPart::BottomLeft));
            }
        });
    };
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        auto* pane = new HotLabel(q(paneNames[k]), q(paneCaptions[k]), q(paneCaptions[k]), this);
        hover(pane);
        connect(pane, &HotLabel::clicked, this, [this, i] { emit paneRequested(i); });
        m_paneLabels[k] = pane;
    }
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        auto* info = new HotLabel(q(infoNames[k]), q(infoCaptions[k]), q(infoCaptions[k]), this);
        hover(info);
        const QString caption = q(infoCaptions[k]);
        connect(info, &HotLabel::clicked, this,
                [this, caption] { emit commandRequested(caption); });
        m_infoLabels[k] = info;
    }
}

QSize MainWindow::screenSize() const {
    const QScreen* s = screen();
    return s ? s->geometry().size() : QSize(1366, 768);
}

void MainWindow::applyLayoutMode(LayoutMode mode) {
    m_mode = mode;
    const QScreen* s = screen();
    const QPoint origin = s ? s->geometry().topLeft() : QPoint();
    setGeometry(mainWindowGeometry(mode, screenSize()).translated(origin));
    relayout();
}

void MainWindow::toggleLayoutMode() { applyLayoutMode(modeAfterTitleDoubleClick(m_mode)); }

void MainWindow::relayout() {
    MainLayoutInput input;
    input.window = size();
    input.leftCommandCount = static_cast<int>(m_leftCommands.size());
    input.bottomCommandCount = static_cast<int>(m_bottomCommands.size());
    input.hideLowerSidePanels = m_mode == LayoutMode::Start && screenSize() == QSize(1024, 768);
    const MainLayout layout = mainWindowLayout(input);

    m_titleLeft->setGeometry(layout.titleLeft);
    m_titleMiddle->setGeometry(layout.titleMiddle);
    for (std::size_t i = 0; i < m_titleButtons.size(); ++i) {
        m_titleButtons[i]->setGeometry(layout.titleButtons[i]);
        m_titleLabels[i]->setGeometry(layout.titleLabels[i]);
        m_titleLabels[i]->raise();
    }
    m_icon->raise();
    m_caption->raise();
    // The project commands, right to left from the title buttons.
    int right = layout.titleButtons.back().left() - 12;
    for (auto it = m_projectCommands.rbegin(); it != m_projectCommands.rend(); ++it) {
        const int top = (layout.titleMiddle.height() - kProjectCommandSize.height()) / 2;
        (*it)->setGeometry(
            QRect(QPoint(right - kProjectCommandSize.width(), top), kProjectCommandSize));
        (*it)->raise();
        right -= kProjectCommandSize.width() + 6;
    }

    for (std::size_t i = 0; i < m_leftCommands.size(); ++i)
        m_leftCommands[i]->setGeometry(layout.leftCommands[i]);
    for (std::size_t i = 0; i < m_bottomCommands.size(); ++i)
        m_bottomCommands[i]->setGeometry(layout.bottomCommands[i]);
    m_previewBox->setVisible(!layout.previewBox.isEmpty());
    if (!layout.previewBox.isEmpty()) {
        m_previewBox->setGeometry(layout.previewBox);
        fillWithChildren(m_previewBox, 1);
    }

    m_panes->setGeometry(layout.panes);
    fillWithChildren(m_panes);

    const auto place = [](QWidget* w, const QRect& r) {
        w->setVisible(!r.isEmpty());
        if (!r.isEmpty()) w->setGeometry(r);
    };
    place(m_photoPanel, layout.photoPanel);
    place(m_musicPanel, layout.musicPanel);
    place(m_lyricPanel, layout.lyricPanel);
    place(m_summaryPanel, layout.summaryPanel);
    place(m_helpPanel, layout.helpPanel);
    if (!layout.summaryPanel.isEmpty())
        m_summaryBody->setGeometry(2, 26, layout.summaryPanel.width() - 4,
                                   std::max(0, layout.summaryPanel.height() - 28));
    fillWithChildren(m_summaryBody);
    if (!layout.helpPanel.isEmpty())
        m_helpClip->setGeometry(2, 26, layout.helpPanel.width() - 4,
                                std::max(0, layout.helpPanel.height() - 28));

    m_bottomLeft->setGeometry(layout.bottomLeft);
    m_bottomMiddle->setGeometry(layout.bottomMiddle);
    m_bottomRight->setGeometry(layout.bottomRight);
    m_bottomUnder->setGeometry(layout.bottomUnderPanels);
    for (std::size_t i = 0; i < 3; ++i) {
        m_paneLabels[i]->setGeometry(layout.paneLabels[i]);
        m_paneLabels[i]->raise();
        m_infoLabels[i]->setGeometry(layout.infoLabels[i]);
        m_infoLabels[i]->raise();
    }
    emit layoutApplied();
}

std::vector<HotLabel*> MainWindow::stripLabels() const {
    std::vector<HotLabel*> labels(m_paneLabels.begin(), m_paneLabels.end());
    labels.insert(labels.end(), m_infoLabels.begin(), m_infoLabels.end());
    return labels;
}

QString MainWindow::helpText() { return kHelpText; }

QString MainWindow::programTitle() { return QStringLiteral("Orvane自动套版电子相册2018"); }

void MainWindow::setTitle(const QString& title) {
    setWindowTitle(title);
    setAccessibleName(title);
    m_caption->setText(title);
    m_caption->setAccessibleName(title);
    m_caption->adjustSize();
    m_icon->setAccessibleName(title);
}

void MainWindow::refreshCounters() {
    const ProjectModel& model = m_session.model();
    const SummaryItem items[] = {SummaryItem::Photos, SummaryItem::Music, SummaryItem::Lyrics};
    for (int pane = 0; pane < 3; ++pane)
        m_counters[static_cast<std::size_t>(pane)]->setText(
            summaryLineText(summaryRow(model, items[pane])));
    for (QLabel* counter : m_counters) counter->setAccessibleName(counter->text());
}

// The 50 ms tick: counters, and the help text creeping up one pixel; once it
// has passed above its box it starts again from 50 pixels down.
void MainWindow::onSummaryTick() {
    refreshCounters();
    if (!m_helpPanel->isVisible()) return;
    int top = m_helpText->y() - 1;
    if (top + m_helpText->height() < 0) top = 50;
    m_helpText->move(m_helpText->x(), top);
}

void MainWindow::requestExit() {
    if (m_confirmExit && !m_confirmExit()) return;
    m_exitTimer.start();
}

void MainWindow::onExitTimer() {
    m_summaryTimer.stop();
    close();
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        // The first showing lays the window out in the start layout; twice,
        // so that the second pass sees the geometry the first one set.
        applyLayoutMode(LayoutMode::Start);
        applyLayoutMode(LayoutMode::Start);
    }
    m_summaryTimer.start();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

// Any request to close the main window ends the program.
void MainWindow::closeEvent(QCloseEvent* event) {
    m_summaryTimer.stop();
    m_exitTimer.stop();
    event->accept();
    emit closed();
}

}  // namespace orvane
