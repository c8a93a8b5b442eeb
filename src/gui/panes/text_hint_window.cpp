#include "gui/panes/text_hint_window.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include "browser/hint_texts.h"
#include "gui/panes/hint_frame.h"

namespace orvane {

TextHintWindow::TextHintWindow(QWidget* parent) : QWidget(parent) {
    makeHintFrame(this, QStringLiteral("TForm30"), QStringLiteral("提示窗口"), QSize(504, 104));
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label_tishi"));
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_label->move(8, 8);
}

void TextHintWindow::showText(const QString& text, QPoint cursor) {
    m_label->setText(text);
    m_label->adjustSize();
    m_label->resize(m_label->width() + 5, m_label->height());
    resize(m_label->width() + 16, m_label->height() + 16);
    roundCorners(this);
    QSize screen(1920, 1080);
    if (QScreen* s = QGuiApplication::screenAt(cursor) ? QGuiApplication::screenAt(cursor)
                                                       : QGuiApplication::primaryScreen())
        screen = s->geometry().size();
    move(textHintPosition(cursor, size(), screen));
    show();
}

void TextHintWindow::hideHint() { close(); }

QString TextHintWindow::text() const { return m_label->text(); }

void TextHintWindow::attach(QWidget* widget) { widget->installEventFilter(this); }

bool TextHintWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) return false;
    switch (event->type()) {
        case QEvent::Enter: {
            if (const QString hint = widget->accessibleDescription(); !hint.isEmpty())
                showText(hint, QCursor::pos());
            break;
        }
        // Leaving the button, or running its command, hides the hint.
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
        case QEvent::Hide:
            hideHint();
            break;
        default:
            break;
    }
    return false;
}

}  // namespace orvane
