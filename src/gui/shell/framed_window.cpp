#include "gui/shell/framed_window.h"

#include <QLabel>
#include <QLayout>
#include <QResizeEvent>

#include "gui/shell/skin.h"
#include "gui/shell/skin_picture.h"
#include "gui/shell/window_drag.h"
#include "gui/shell/window_style.h"

namespace orvane {

FramedWindow::FramedWindow(const QString& objectName, const QString& caption, const Skin& skin,
                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_skin(skin) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setAccessibleName(caption.isEmpty() ? objectName : caption);
    setModal(true);
    setStyleSheet(windowStyleSheet());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, skin_colours::kPanel);
    setPalette(pal);
    setAutoFillBackground(true);

    m_left = new SkinPicture(QStringLiteral("Image_zuo1"), this);
    m_middle = new SkinPicture(QStringLiteral("Image_zhong1"), this);
    m_close = new SkinPicture(QStringLiteral("Image_you1"), this);
    m_bottom = new SkinPicture(QStringLiteral("Image_xia"), this);
    m_left->setPicture(skin.slice(SkinPart::SmallTitleLeft));
    m_middle->setPicture(skin.slice(SkinPart::SmallTitleMiddle));
    m_close->setPicture(skin.slice(SkinPart::SmallTitleRight));
    m_bottom->setPicture(skin.slice(SkinPart::SmallBottom));
    m_close->setAccessibleName(QStringLiteral("关闭"));
    m_close->setCursor(Qt::PointingHandCursor);

    m_caption = new QLabel(caption, this);
    m_caption->setObjectName(QStringLiteral("Label_biaoti"));
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_caption->setStyleSheet(QStringLiteral("background: transparent; font-weight: bold;"));
    m_caption->move(10, 10);
    m_caption->adjustSize();

    m_content = new QWidget(this);
    m_content->setObjectName(QStringLiteral("Panel_neirong"));

    makeDragHandle(m_middle, this);
    // The left piece, under the caption, moves the window as well.
    makeDragHandle(m_left, this);

    connect(m_close, &SkinPicture::entered, this, [this] {
        m_close->setPicture(m_skin.slice(SkinPart::SmallTitleRight, SkinState::Hover));
    });
    connect(m_close, &SkinPicture::left, this,
            [this] { m_close->setPicture(m_skin.slice(SkinPart::SmallTitleRight)); });
    connect(m_close, &SkinPicture::pressed, this, [this] {
        m_close->setPicture(m_skin.slice(SkinPart::SmallTitleRight, SkinState::Pressed));
    });
    connect(m_close, &SkinPicture::released, this, [this](bool inside) {
        m_close->setPicture(
            m_skin.slice(SkinPart::SmallTitleRight, inside ? SkinState::Hover : SkinState::Normal));
        if (inside) reject();
    });

    setContentSize(QSize(360, 200));
}

void FramedWindow::setCaption(const QString& caption) {
    setWindowTitle(caption);
    setAccessibleName(caption.isEmpty() ? objectName() : caption);
    m_caption->setText(caption);
    m_caption->adjustSize();
}

void FramedWindow::setContentSize(QSize size) {
    setFixedSize(size.width(), size.height() + kTitleHeight + kBottomHeight);
}

void FramedWindow::fitContent(QSize documented) {
    m_documented = documented;
    QSize needed = documented;
    if (QLayout* layout = m_content->layout()) {
        // Measured with the fonts of the window's style sheet, not the
        // application's; once polished, a new style sheet tells the window.
        ensurePolished();
        layout->invalidate();
        layout->activate();
        needed = needed.expandedTo(layout->minimumSize());
    }
    m_caption->adjustSize();
    setContentSize(needed);
}

void FramedWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    const bool restyled =
        event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange;
    // Measured once the controls have taken the new style.
    if (restyled && m_documented.isValid())
        QMetaObject::invokeMethod(
            this, [this] { fitContent(m_documented); }, Qt::QueuedConnection);
}

void FramedWindow::resizeEvent(QResizeEvent* event) {
    const int w = event->size().width();
    const int h = event->size().height();
    const QSize left = skinSlice(SkinPart::SmallTitleLeft).size();
    const QSize right = skinSlice(SkinPart::SmallTitleRight).size();
    m_left->setGeometry(0, 0, std::min(left.width(), w), left.height());
    m_close->setGeometry(w - right.width(), 0, right.width(), right.height());
    m_middle->setGeometry(left.width(), 0, std::max(0, w - left.width() - right.width()),
                          left.height());
    m_bottom->setGeometry(0, h - kBottomHeight, w, kBottomHeight);
    m_content->setGeometry(0, kTitleHeight, w, h - kTitleHeight - kBottomHeight);
    m_caption->raise();
    QDialog::resizeEvent(event);
}

}  // namespace orvane
