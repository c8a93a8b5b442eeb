#pragma once
// SkinPicture: a frame picture (a slice of the skin) drawn stretched to the
// widget's size; it reports the mouse so that title buttons, close controls
// and the title bar's drag area can react. GUI thread.

#include <QPixmap>
#include <QWidget>

namespace orvane {

class SkinPicture : public QWidget {
    Q_OBJECT
   public:
    explicit SkinPicture(const QString& objectName, QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return m_picture; }

   Q_SIGNALS:
    void entered();
    void left();
    void pressed(QPoint globalPos);
    void moved(QPoint globalPos);
    // `inside`: the button was released over the picture.
    void released(bool inside);
    void doubleClicked();

   protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

   private:
    QPixmap m_picture;
};

}  // namespace orvane
