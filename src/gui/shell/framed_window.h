#pragma once
// FramedWindow: the common frame of every window but the main one. The
// window has no system border; it draws its own title bar from the small
// skin (left piece, stretched middle piece, close control at the right
// edge), a bottom strip along its bottom edge, and shows its caption in a
// transparent label at (10, 10). A left press on the middle piece moves the
// window; the close control lights on hover, darkens on press and closes the
// window on release; Esc closes it too. Subclasses put their controls into
// content(). Windows are made once and shown modally when needed, so their
// state persists between showings. GUI thread.

#include <QDialog>

class QLabel;

namespace orvane {

class Skin;
class SkinPicture;

class FramedWindow : public QDialog {
    Q_OBJECT
   public:
    FramedWindow(const QString& objectName, const QString& caption, const Skin& skin,
                 QWidget* parent = nullptr);

    // The area inside the frame, for the window's own controls.
    QWidget* content() const { return m_content; }
    // Changes the caption (title label, window title, accessible name).
    void setCaption(const QString& caption);
    // Sets the size of the area inside the frame.
    void setContentSize(QSize size);
    // Sets the area inside the frame to `documented`, or larger where the
    // layout of content() needs more room (longer captions, larger fonts);
    // the window fits again whenever its style or font changes.
    void fitContent(QSize documented);

    static constexpr int kTitleHeight = 37;
    static constexpr int kBottomHeight = 5;

   protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

   private:
    const Skin& m_skin;
    SkinPicture* m_left = nullptr;
    SkinPicture* m_middle = nullptr;
    SkinPicture* m_close = nullptr;
    SkinPicture* m_bottom = nullptr;
    QLabel* m_caption = nullptr;
    QWidget* m_content = nullptr;
    QSize m_documented;  // empty while the content is placed by coordinates
};

}  // namespace orvane
