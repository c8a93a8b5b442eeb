#include "gui/panes/pane_hint_window.h"

#include <QAbstractButton>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <QVBoxLayout>

#include "gui/panes/pane_shape.h"

namespace orvane {
namespace {

constexpr int kHintLines = 6;

void makeHintFrame(QWidget* w, const QString& name, const QString& caption, QSize size) {
    w->setObjectName(name);
    w->setWindowTitle(caption);
    w->setAccessibleName(caption);
    // A hint never takes a click meant for the control beneath it.
    w->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setAutoFillBackground(true);
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, colorFromNumber(kHintColor));
    palette.setColor(QPalette::WindowText, Qt::white);
    w->setPalette(palette);
    w->resize(size);
}

void roundCorners(QWidget* w) {
    QPainterPath path;
    path.addRoundedRect(QRectF(w->rect()), 4.5, 4.5);
    w->setMask(QRegion(path.toFillPolygon().toPolygon()));
}

}  // namespace

PaneHintWindow::PaneHintWindow(PaneKind kind, QWidget* parent) : QWidget(parent) {
    const PaneTraits& traits = paneTraits(kind);
    makeHintFrame(this, traits.hintWindowName, traits.hintWindowCaption, traits.hintWindowSize);
    roundCorners(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(0);
    for (int i = 0; i < kHintLines; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Label_%1").arg(i + 1));
        layout->addWidget(label);
        m_labels.push_back(label);
    }
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &PaneHintWindow::onTick);
}

void PaneHintWindow::showTexts(const QStringList& lines) {
    m_timer.stop();
    close();
    setWindowOpacity(0.0);
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        const auto n = static_cast<qsizetype>(i);
        m_labels[i]->setText(n < lines.size() ? lines[n] : QString());
        m_labels[i]->setVisible(n < lines.size());
    }
    m_fade.show();
    m_timer.start(m_fade.interval());
}

void PaneHintWindow::hideHint() {
    m_timer.stop();
    m_fade.hide();
    setWindowOpacity(1.0);
    close();
}

QStringList PaneHintWindow::texts() const {
    QStringList out;
    for (QLabel* label : m_labels)
        if (label->isVisibleTo(this)) out << label->text();
    return out;
}

void PaneHintWindow::onTick() {
    const bool wasVisible = m_fade.visible();
    m_fade.tick();
    if (m_fade.visible() && !wasVisible) {
        move(paneHintPosition(QCursor::pos()));
        show();
    }
    setWindowOpacity(m_fade.opacity() / 255.0);
    if (!m_fade.running()) {
        close();
        return;
    }
    m_timer.start(m_fade.interval());
}

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

void TextHintWindow::attach(QWidget* button, HintGroup group) {
    button->setProperty("orvaneHintGroup", static_cast<int>(group));
    button->installEventFilter(this);
}

bool TextHintWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) return false;
    switch (event->type()) {
        case QEvent::Enter: {
            // A button or label by what it shows; a hot area that shows
            // nothing (a title-bar button) by its accessible name.
            QString caption;
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) caption = button->text();
            if (auto* label = qobject_cast<QLabel*>(widget)) caption = label->text();
            if (caption.isEmpty()) caption = widget->accessibleName();
            const auto group = static_cast<HintGroup>(widget->property("orvaneHintGroup").toInt());
            if (auto text = buttonHintText(group, caption)) showText(*text, QCursor::pos());
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
