#include "gui/main/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

#include "base/album_settings.h"
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

// The buttons of the window's own commands, by where they stand.
struct CommandButton {
    const char* name;
    CommandId id;
};

// The left column, top to bottom: adding media, then the album's settings.
constexpr CommandButton kLeftCommands[] = {
    {"Button_tianjiaxiangpian", CommandId::AddPhotos},
    {"Button_tianjiayinyue", CommandId::AddMusic},
    {"Button_tianjiayinyue_mp3", CommandId::AddMusicMp3},
    {"Button_tianjiageci", CommandId::AddLyrics},
    {"Button_tianjiageci_lrc", CommandId::AddLyricsLrc},
    {"Button_gecizhizuo", CommandId::MakeLyrics},
    {"Button_xiangcechangdu", CommandId::AlbumLength},
    {"Button_wenzitexiao", CommandId::TextEffects},
    {"Button_huamiantexiao", CommandId::PictureEffects},
    {"Button_xiangpianjiancai", CommandId::CropPhoto},
    {"Button_mobanguanli", CommandId::ManageTemplates},
    {"Button_qitashezhi", CommandId::OtherSettings},
};

// The bottom row under the panes: the album preview and the make commands.
constexpr CommandButton kBottomCommands[] = {
    {"Button_xiangceyulan", CommandId::PreviewAlbum},
    {"Button_VCD", CommandId::MakeVcd},
    {"Button_SVCD", CommandId::MakeSvcd},
    {"Button_DVD", CommandId::MakeDvd},
    {"Button_AVI", CommandId::MakeAvi},
    {"Button_MP4", CommandId::MakeMp4},
    {"Button_xulietu", CommandId::MakePictureSequence},
};

// The project commands sit in the title bar, left of its buttons.
constexpr CommandButton kProjectCommands[] = {
    {"Button_dakaigongcheng", CommandId::OpenProject},
    {"Button_baocungongcheng", CommandId::SaveProject},
};
constexpr QSize kProjectCommandSize(84, 26);

constexpr std::array<const char*, kTitleButtonCount> kTitlePictureNames{
    "Image_zhujiemian_3", "Image_zhujiemian_4", "Image_zhujiemian_5", "Image_zhujiemian_6"};
constexpr std::array<const char*, kTitleButtonCount> kTitleLabelNames{
    "Label_guanbi", "Label_quanping", "Label_huanyuan", "Label_kaishibuju"};
constexpr std::array<const char*, kTitleButtonCount> kTitleCaptions{"关闭", "全屏", "还原",
                                                                    "开始布局"};
constexpr std::array<const char*, kTitleButtonCount> kTitleHints{"退出软件", "全屏", "窗体放大",
                                                                 "启动窗体"};
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
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      m_session(session),
      m_skin(skin),
      m_commands(new Commands(this)) {
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
        label->setAccessibleDescription(q(kTitleHints[k]));
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
    for (const CommandButton& c : kProjectCommands)
        m_projectCommands.push_back(makeWindowCommand(c.name, c.id));
    connect(m_titleLabels[0], &HotLabel::clicked, this, &MainWindow::requestExit);
    connect(m_titleLabels[1], &HotLabel::clicked, this,
            [this] { applyLayoutMode(LayoutMode::FullScreen); });
    connect(m_titleLabels[2], &HotLabel::clicked, this,
            [this] { applyLayoutMode(LayoutMode::Restore); });
    connect(m_titleLabels[3], &HotLabel::clicked, this,
            [this] { applyLayoutMode(LayoutMode::Start); });
}

QPushButton* MainWindow::makeCommand(QWidget* parent, const QString& objectName, QAction* action) {
    auto* button = new QPushButton(action->text(), parent);
    button->setObjectName(objectName);
    button->setAccessibleName(action->text());
    // The text hint window shows the hint while the mouse is over the
    // button; a screen reader reads it as the description.
    if (!action->toolTip().isEmpty() && action->toolTip() != action->text())
        button->setAccessibleDescription(action->toolTip());
    button->setCursor(Qt::PointingHandCursor);
    connect(button, &QPushButton::clicked, action, &QAction::trigger);
    return button;
}

QPushButton* MainWindow::makeWindowCommand(const char* name, CommandId id) {
    return makeCommand(this, q(name), m_commands->action(id));
}

void MainWindow::buildLeftColumn() {
    for (const CommandButton& c : kLeftCommands)
        m_leftCommands.push_back(makeWindowCommand(c.name, c.id));
    for (const CommandButton& c : kBottomCommands)
        m_bottomCommands.push_back(makeWindowCommand(c.name, c.id));
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
    };
    const SidePanelNames panels[] = {{"Panel_xiangpian", "相片", "xiangpian"},
                                     {"Panel_yinyue", "音乐", "yinyue"},
                                     {"Panel_geci", "歌词", "geci"}};
    std::array<QFrame**, 3> targets{&m_photoPanel, &m_musicPanel, &m_lyricPanel};
    for (int pane = 0; pane < 3; ++pane) {
        const SidePanelNames& s = panels[pane];
        const PaneKind kind = kPaneKinds[static_cast<std::size_t>(pane)];
        QFrame* panel = makeSidePanel(q(s.name), q(s.caption));
        *targets[static_cast<std::size_t>(pane)] = panel;
        auto* counter = new QLabel(panel);
        counter->setObjectName(QStringLiteral("Label_%1_shuliang").arg(q(s.prefix)));
        counter->setGeometry(8, 32 - 4, 170, 20);
        m_counters[static_cast<std::size_t>(pane)] = counter;

        // Two columns of 90 × 23 commands at left 2 and 93.
        struct Row {
            CommandId left;
            const char* leftName;
            CommandId right;
            const char* rightName;
        };
        std::vector<Row> rows{{CommandId::ShowIcons, "tubiao", CommandId::DeleteOne, "shanchu"},
                              {CommandId::ShowList, "liebiao", CommandId::DeleteAll, "quanshan"}};
        if (kind != PaneKind::Photos) {
            rows.push_back({CommandId::Bind, "bangding", CommandId::UnbindAll, "quanjiebang"});
            rows.push_back({CommandId::Unbind, "jiebang", CommandId::AutoBind, "zidongbang"});
        }
        const int firstTop = kind == PaneKind::Photos ? 54 : 56;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const int top = firstTop + static_cast<int>(r) * 24;
            const Row& row = rows[r];
            for (int col = 0; col < 2; ++col) {
                const QString name =
                    QStringLiteral("Button_%1_%2")
                        .arg(q(s.prefix), q(col == 0 ? row.leftName : row.rightName));
                QPushButton* b = makeCommand(
                    panel, name, m_commands->action(kind, col == 0 ? row.left : row.right));
                b->setGeometry(col == 0 ? 2 : 93, top, 90, 23);
            }
        }
        auto addWide = [&](CommandId id, const char* name, QRect place) {
            makeCommand(panel, q(name), m_commands->action(kind, id))->setGeometry(place);
        };
        if (kind == PaneKind::Photos) {
            // The pane's template preview; the panel is full below, so it
            // stands beside the title, as narrow padded as it must be.
            addWide(CommandId::PreviewPhotoTemplate, "Button_xiangpian_moban_yulan",
                    QRect(40, 3, 143, 22));
            panel->findChild<QPushButton*>(QStringLiteral("Button_xiangpian_moban_yulan"))
                ->setStyleSheet(QStringLiteral("padding: 1px 2px;"));
        }
        if (kind == PaneKind::Music)
            addWide(CommandId::PreviewMusic, "Button_yinyue_yulan", QRect(2, 152, 181, 23));
        if (kind == PaneKind::Lyrics) {
            addWide(CommandId::LyricSettings, "Button_geci_shezhi", QRect(2, 152, 90, 23));
            addWide(CommandId::PreviewLyrics, "Button_geci_yulan", QRect(93, 152, 90, 23));
            // The panel is full below; the karaoke editor's command sits beside its title.
            addWide(CommandId::KaraokeSettings, "Button_kalaok_shezhi", QRect(93, 3, 90, 22));
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
    const std::array<const char*, 3> paneHints{
        "显示相片文件的缩略图区域", "显示音乐文件的缩略图区域", "显示歌词文件的缩略图区域"};
    const std::array<const char*, 3> infoNames{"Label_ruanjianjianjie", "Label_bangzhuwenjian",
                                               "Label_wangzhanmoban"};
    const std::array<CommandId, 3> infoCommands{
        CommandId::ShowIntroduction, CommandId::ShowHelpFile, CommandId::ShowWebsiteTemplates};
    // The strip under a hovered label is lit; the text hint window shows the
    // label's hint.
    auto hover = [this](HotLabel* label, const QString& hint) {
        label->setAccessibleDescription(hint);
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
        hover(pane, q(paneHints[k]));
        connect(pane, &HotLabel::clicked, this,
                [this, i] { emit paneRequested(kPaneKinds[static_cast<std::size_t>(i)]); });
        m_paneLabels[k] = pane;
    }
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        QAction* action = m_commands->action(infoCommands[k]);
        auto* info = new HotLabel(q(infoNames[k]), action->text(), action->text(), this);
        hover(info, action->toolTip());
        connect(info, &HotLabel::clicked, action, &QAction::trigger);
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
