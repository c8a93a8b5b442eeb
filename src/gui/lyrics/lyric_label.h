#pragma once
// A lyric line drawn in exactly the font and colour the attribute rule gives
// (the windows' style sheet does not reach it, unlike a QLabel's font), left
// and top aligned in its own rectangle. GUI thread.

#include <QColor>
#include <QFont>
#include <QWidget>

#include "audio/lyric_style.h"

namespace orvane {

class LyricLabelWidget : public QWidget {
    Q_OBJECT
   public:
    explicit LyricLabelWidget(const QString& objectName, QWidget* parent = nullptr);

    // Takes the text, the label's font and colour, and its place.
    void apply(const QString& text, const LyricLabel& label);
    void clear();

    const QString& text() const { return m_text; }
    const QFont& textFont() const { return m_font; }
    const QColor& textColor() const { return m_color; }

   protected:
    void paintEvent(QPaintEvent* event) override;

   private:
    QString m_text;
    QFont m_font;
    QColor m_color = Qt::white;
};

}  // namespace orvane
