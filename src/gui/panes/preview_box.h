#pragma once
// The pressed-item preview box suiPanel_xuanzhong_xiangpian_yulan: a caption
// naming the pane and the picture Image_chakanxiangpian, fitted with its
// proportions. The browser fills it; the main window places it. GUI thread.

#include <QImage>
#include <QLabel>
#include <QWidget>

namespace orvane {

class PreviewBox : public QWidget {
    Q_OBJECT

   public:
    explicit PreviewBox(QWidget* parent = nullptr);

    // The picture's room inside the box.
    QSize pictureSize() const;
    // Shows `picture` (already at its fitted size) under `caption`.
    void showPicture(const QString& caption, const QImage& picture);
    void clearPicture();

    QString caption() const;

    QImage picture() const { return m_picture; }

   protected:
    // The picture takes the room the box has under its caption.
    void resizeEvent(QResizeEvent* event) override;

   private:
    QLabel* m_caption;
    QLabel* m_image;
    QImage m_picture;
};

}  // namespace orvane
