#include "gui/album/output_size_window.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace orvane {

namespace {

const QString kCancelMarker = QStringLiteral("quxiao");
constexpr int kHeight = 290;
constexpr int kWidth = 660;
constexpr int kWidthWithFormats = 730;

}  // namespace

OutputSizeWindow::OutputSizeWindow(Session& session, const Skin& skin, QWidget* parent)
    : SettingsDialog(session, skin, QStringLiteral("TForm39"), QStringLiteral("输出相册尺寸"),
                     parent) {
    setFixedSize(kWidth, kHeight);
    auto* layout = new QHBoxLayout(content());
    layout->setContentsMargins(12, 12, 12, 12);

    m_sizes = new QListWidget(content());
    m_sizes->setObjectName(QStringLiteral("suiListBox_chicun"));
    m_sizes->setAccessibleName(QStringLiteral("输出相册尺寸"));
    layout->addWidget(m_sizes, 2);

    m_formats = new QListWidget(content());
    m_formats->setObjectName(QStringLiteral("suiListBox_geshi"));
    m_formats->setAccessibleName(QStringLiteral("序列图格式"));
    for (const QString& format : imageSequenceFormats()) m_formats->addItem(format);
    m_formats->setFixedWidth(kWidthWithFormats - kWidth);
    m_formats->hide();
    layout->addWidget(m_formats);

    auto* side = new QVBoxLayout;
    m_sizeText = new QLabel(QStringLiteral("1920 × 1080"), content());
    m_sizeText->setObjectName(QStringLiteral("Label_chicun"));
    m_typeText = new QLabel(content());
    m_typeText->setObjectName(QStringLiteral("Label_leixing"));
    QFont big = m_sizeText->font();
    if (big.pointSizeF() > 0) big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    m_sizeText->setFont(big);
    m_typeText->setFont(big);
    m_default = new QPushButton(QStringLiteral("默认"), content());
    m_default->setObjectName(QStringLiteral("suiButton_moren"));
    m_start = new QPushButton(QStringLiteral("开始制作"), content());
    m_start->setObjectName(QStringLiteral("suiButton_kaishizhizuo"));
    m_start->setDefault(true);
    for (QPushButton* b : {m_default, m_start}) b->setAccessibleName(b->text());
    // The cancel marker the make command reads after the window closed.
    m_cancelMarker = new QLineEdit(content());
    m_cancelMarker->setObjectName(QStringLiteral("Edit_quxiao"));
    m_cancelMarker->hide();
    side->addWidget(m_sizeText);
    side->addWidget(m_typeText);
    side->addStretch();
    side->addWidget(m_default);
    side->addWidget(m_start);
    layout->addLayout(side, 1);
    setTabChain({m_sizes, m_formats, m_default, m_start});

    connect(m_sizes, &QListWidget::currentRowChanged, this, [this](int row) {
        changeSettings([row](AlbumSettings& s) { selectOutputSize(s, row); });
        load();
    });
    connect(m_formats, &QListWidget::currentTextChanged, this, [this](const QString& format) {
        changeSettings([format](AlbumSettings& s) { chooseImageSequenceFormat(s, format); });
        load();
    });
    connect(m_default, &QPushButton::clicked, this, [this] {
        changeSettings(restoreOutputDefaults);
        load();
    });
    connect(m_start, &QPushButton::clicked, this, &QDialog::accept);
}

void OutputSizeWindow::prepare(OutputType outputType) {
    m_cancelMarker->clear();
    changeSettings([outputType](AlbumSettings& s) { prepareOutputSize(s, outputType); });
    load();
}

bool OutputSizeWindow::askBeforeMaking(OutputType outputType) {
    prepare(outputType);
    return exec() == QDialog::Accepted && !cancelled();
}

bool OutputSizeWindow::cancelled() const { return m_cancelMarker->text() == kCancelMarker; }

void OutputSizeWindow::reject() {
    m_cancelMarker->setText(kCancelMarker);
    SettingsDialog::reject();
}

void OutputSizeWindow::showEvent(QShowEvent* event) {
    load();
    SettingsDialog::showEvent(event);
}

void OutputSizeWindow::load() {
    const AlbumSettings& s = settings();
    const QSignalBlocker sizesQuiet(m_sizes);
    const QSignalBlocker formatsQuiet(m_formats);
    const auto sizes = outputSizes(s.outputType);
    if (m_sizes->count() != static_cast<int>(sizes.size())) {
        m_sizes->clear();
        for (const OutputSize& size : sizes) m_sizes->addItem(outputSizeText(size));
    }
    m_sizes->setCurrentRow(selectedOutputSizeIndex(s));
    const auto formats = imageSequenceFormats();
    m_formats->setCurrentRow(static_cast<int>(
        std::find(formats.begin(), formats.end(), s.imageSequenceFormat) - formats.begin()));

    const bool sequence = s.outputType == OutputType::PictureSequence;
    m_formats->setVisible(sequence);
    setFixedSize(sequence ? kWidthWithFormats : kWidth, kHeight);
    m_sizeText->setText(currentOutputSizeText(s));
    m_typeText->setText(outputTypeText(s));
    m_sizeText->setAccessibleName(m_sizeText->text());
    m_typeText->setAccessibleName(m_typeText->text());
}

}  // namespace orvane
