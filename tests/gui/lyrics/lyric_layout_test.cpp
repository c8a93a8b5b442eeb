// The lyric settings, karaoke style and karaoke editor windows are laid out
// rather than placed by coordinates: in their usual style they keep their
// documented size, with the sample and preview panels at their documented
// place and size; restyled with a font twice as large every caption still
// fits its control, no two controls overlap and the window grows to hold
// them, the panels keeping their size.

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <functional>

#include "gui/lyrics/karaoke_editor_window.h"
#include "gui/lyrics/karaoke_style_window.h"
#include "gui/lyrics/lyric_settings_window.h"
#include "lyric_windows_fixture.h"

namespace orvane {
namespace {

using namespace orvane::testing;

QString nameOf(const QWidget* w) {
    if (!w->objectName().isEmpty()) return w->objectName();
    if (const auto* l = qobject_cast<const QLabel*>(w)) return QStringLiteral("label ") + l->text();
    return QString::fromLatin1(w->metaObject()->className());
}

// Controls that show a caption or a value and must show it whole.
bool showsText(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QLabel*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QGroupBox*>(w);
}

// Containers whose children the window lays out; the preview panels place
// their labels by the lyric and karaoke rules and are not looked into.
bool laidOutContainer(const QWidget* w) {
    if (w->objectName().startsWith(QLatin1String("Panel_"))) return false;
    return w->metaObject() == &QWidget::staticMetaObject || qobject_cast<const QGroupBox*>(w);
}

// Every fault of the layout under `parent`: a control smaller than its text
// needs, a control outside its parent, two controls on top of each other.
void collectFaults(const QWidget* parent, QStringList& faults) {
    QList<const QWidget*> shown;
    for (const QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisibleTo(parent) && !w->isWindow()) shown << w;
    for (int i = 0; i < shown.size(); ++i) {
        const QWidget* w = shown[i];
        // The whole width the text needs with the style's padding; of the
        // height at least one line of text (the documented buttons are a
        // little lower than the style would make them).
        QSize need(w->minimumSizeHint().width(), w->fontMetrics().height());
        // A line edit asks for little room whatever it shows.
        if (const auto* edit = qobject_cast<const QLineEdit*>(w))
            need.setWidth(
                std::max(need.width(), edit->fontMetrics().horizontalAdvance(edit->text()) + 8));
        if (showsText(w) && (w->width() < need.width() || w->height() < need.height()))
            faults << QStringLiteral("%1 is %2×%3, its text needs %4×%5")
                          .arg(nameOf(w))
                          .arg(w->width())
                          .arg(w->height())
                          .arg(need.width())
                          .arg(need.height());
        if (!parent->rect().contains(w->geometry()))
            faults << nameOf(w) + QStringLiteral(" sticks out of ") + nameOf(parent);
        for (int j = i + 1; j < shown.size(); ++j)
            if (w->geometry().intersects(shown[j]->geometry()))
                faults << nameOf(w) + QStringLiteral(" overlaps ") + nameOf(shown[j]);
        if (laidOutContainer(w)) collectFaults(w, faults);
    }
}

QStringList layoutFaults(FramedWindow& window) {
    window.show();
    QApplication::processEvents();
    QStringList faults;
    collectFaults(window.content(), faults);
    window.hide();
    return faults;
}

struct WindowCase {
    const char* form;
    QSize content;      // documented size of the area inside the frame
    const char* panel;  // the fixed panel and its documented place
    QRect panelAt;
};

const WindowCase kWindows[] = {
    {"TForm16", {843, 345}, "Panel_LRC", {320, 12, 513, 289}},
    {"TForm48", {330, 402}, nullptr, {}},
    {"TForm46", {1010, 640}, "Panel_ksc", {10, 10, 800, 450}},
};

class LyricLayoutTest : public LyricWindowsTest {
   protected:
    // Makes the window of `form` and hands it to `check`.
    void withWindow(const char* form, const std::function<void(FramedWindow&)>& check) {
        const QString name = QString::fromLatin1(form);
        if (name == QLatin1String("TForm16")) {
            LyricSettingsWindow w(*session, skin);
            check(w);
        } else if (name == QLatin1String("TForm48")) {
            KaraokeStyleWindow w(skin);
            check(w);
        } else {
            auto player = manualPlayer();
            KaraokeEditorWindow w(*session, skin, *player, messageWindow);
            check(w);
        }
    }
    static QSize contentSize(const FramedWindow& w) {
        return w.size() - QSize(0, FramedWindow::kTitleHeight + FramedWindow::kBottomHeight);
    }
};

TEST_F(LyricLayoutTest, InTheUsualStyleTheDocumentedSizesAndPanelsAreKept) {
    for (const WindowCase& c : kWindows) {
        SCOPED_TRACE(c.form);
        withWindow(c.form, [&](FramedWindow& w) {
            EXPECT_EQ(contentSize(w), c.content);
            EXPECT_EQ(layoutFaults(w), QStringList());
            w.show();
            QApplication::processEvents();
            const auto at = [&](const QWidget* widget) {
                return QRect(widget->mapTo(w.content(), QPoint(0, 0)), widget->size());
            };
            if (c.panel) {
                const auto* panel = find<QWidget>(w.content(), c.panel);
                ASSERT_TRUE(panel);
                EXPECT_EQ(at(panel), c.panelAt);
            }
            // The last command ("取消", or "返     回") ends at the right margin.
            const auto* last = w.content()->findChild<QWidget*>(QStringLiteral("Button_quxiao"));
            if (!last) last = find<QWidget>(w.content(), "Button_fanhui");
            ASSERT_TRUE(last);
            EXPECT_EQ(at(last).right() + 1, c.content.width() - 10);
            w.hide();
        });
    }
}

TEST_F(LyricLayoutTest, RestyledWithAFontTwiceAsLargeEveryCaptionFitsAndTheWindowGrows) {
    for (const WindowCase& c : kWindows) {
        SCOPED_TRACE(c.form);
        withWindow(c.form, [&](FramedWindow& w) {
            w.setStyleSheet(w.styleSheet() + QStringLiteral("QWidget { font-size: 26px; }"));
            QApplication::processEvents();
            EXPECT_EQ(layoutFaults(w), QStringList());
            const QSize size = contentSize(w);
            EXPECT_GE(size.width(), c.content.width());
            EXPECT_GT(size.height(), c.content.height());
            // The panels keep their reference size whatever the font.
            if (c.panel) EXPECT_EQ(find<QWidget>(w.content(), c.panel)->size(), c.panelAt.size());
        });
    }
}

}  // namespace
}  // namespace orvane
