#include "gui/settings/other_settings_window.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "gui/shell/captioned_group.h"

namespace orvane {

OtherSettingsWindow::OtherSettingsWindow(Session& session, const Skin& skin, QWidget* parent)
    : SettingsDialog(session, skin, QStringLiteral("TForm17"), QStringLiteral("其它设置"), parent) {
    setFixedSize(520, 330);
    auto* layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 10, 12, 10);

    auto* tv = new CaptionedGroup(QStringLiteral("电视制式"),
                                  QStringLiteral("suiGroupBox_dianshi_zhishi"), content());
    auto* pal = addOption(SettingsOption::Pal, QStringLiteral("suiRadioButton_PAL"), tv);
    auto* ntsc = addOption(SettingsOption::Ntsc, QStringLiteral("suiRadioButton_NTSC"), tv);
    auto* tvLayout = new QHBoxLayout(tv);
    tvLayout->addWidget(pal);
    tvLayout->addWidget(ntsc);

    auto* quality = new CaptionedGroup(QStringLiteral("画面质量"),
                                       QStringLiteral("suiGroupBox_huamian_zhiliang"), content());
    auto* normal = addOption(SettingsOption::NormalQuality,
                             QStringLiteral("suiRadioButton_yiban_huazhi"), quality);
    auto* high = addOption(SettingsOption::HighQuality,
                           QStringLiteral("suiRadioButton_gaoqing_huazhi"), quality);
    auto* qualityLayout = new QHBoxLayout(quality);
    qualityLayout->addWidget(normal);
    qualityLayout->addWidget(high);

    auto* topRow = new QHBoxLayout;
    topRow->addWidget(tv);
    topRow->addWidget(quality);
    layout->addLayout(topRow);

    auto* landscape = new CaptionedGroup(
        QStringLiteral("导入照片时，对横照片的剪裁效果   (支持单张照片模板效果)"),
        QStringLiteral("suiGroupBox_hengzhaopian"), content());
    auto* fullScreen = addOption(SettingsOption::LandscapeFullScreen,
                                 QStringLiteral("suiRadioButton_hengzhaopian_quanping"), landscape);
    auto* landscapeDefault =
        addOption(SettingsOption::LandscapeTemplateDefault,
                  QStringLiteral("suiRadioButton_hengzhaopian_moren"), landscape);
    auto* landscapeLayout = new QVBoxLayout(landscape);
    landscapeLayout->addWidget(fullScreen);
    landscapeLayout->addWidget(landscapeDefault);
    layout->addWidget(landscape);

    auto* portrait = new CaptionedGroup(
        QStringLiteral("导入照片时，对竖照片的剪裁效果   (支持单张照片模板效果)"),
        QStringLiteral("suiGroupBox_shuzhaopian"), content());
    auto* zoomed = addOption(SettingsOption::PortraitZoomedPart,
                             QStringLiteral("suiRadioButton_shuzhaopian_jubufangda"), portrait);
    auto* portraitDefault = addOption(SettingsOption::PortraitTemplateDefault,
                                      QStringLiteral("suiRadioButton_shuzhaopian_moren"), portrait);
    auto* portraitLayout = new QVBoxLayout(portrait);
    portraitLayout->addWidget(zoomed);
    portraitLayout->addWidget(portraitDefault);
    layout->addWidget(portrait);
    layout->addStretch();

    setTabChain({pal, ntsc, normal, high, fullScreen, landscapeDefault, zoomed, portraitDefault});
    connect(&m_session, &Session::tableChanged, this, [this](ProjectTable table) {
        if (table == ProjectTable::Settings && isVisible()) loadOptions();
    });
    loadOptions();
}

void OtherSettingsWindow::showEvent(QShowEvent* event) {
    loadOptions();
    SettingsDialog::showEvent(event);
}

}  // namespace orvane
