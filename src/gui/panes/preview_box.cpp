#include "gui/panes/preview_box.h"

#include <QPixmap>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/panes/pane_shape.h"

namespace orvane {

PreviewBox::PreviewBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("suiPanel_xuanzhong_xiangpian_yulan"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colorFromNumber(kPaneColor));
    palette.setColor(QPalette::WindowText, Qt::white);
    setPalette(palette);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("suiPanel_xuanzhong_xiangpian_yulan_caption"));
    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image_chakanxiangpian"));
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setFixedSize(240, 180);
    layout->addWidget(m_caption);
    layout->addWidget(m_image, 0, Qt::AlignCenter);
}

QSize PreviewBox::pictureSize() const { return m_image->size(); }

void PreviewBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int captionHeight = m_caption->sizeHint().height() + 4;
    m_image->setFixedSize(std::max(width() - 8, 1), std::max(height() - 12 - captionHeight, 1));
}

void PreviewBox::showPicture(const QString& caption, const QImage& picture) {
    m_caption->setText(caption);
    setAccessibleName(caption.trimmed());
    m_image->setAccessibleName(caption.trimmed());
    m_picture = picture;
    m_image->setPixmap(QPixmap::fromImage(picture));
    m_image->show();
}

void PreviewBox::clearPicture() {
    m_picture = QImage();
    m_image->clear();
    m_image->setAccessibleName({});
}

QString PreviewBox::caption() const { return m_caption->text(); }

}  // namespace orvane
