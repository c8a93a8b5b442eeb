#pragma once
// TemplatePreviewWindow "相片使用效果预览": how one photo looks in the template instance it
// was staged into. Opening fills the photo's info boxes and shows the window
// modally; right after it appears the preview work area is rebuilt
// (TemplatePreview::prepare) and the template plays in the 800 × 450 area
// ScrollBox_mobanyuelan frame by frame, then the ending movie from the
// template's last picture; the last frame stays shown. "播放" plays again
// from frame 0, "停止" stops and hides the picture, "返回" stops, removes the
// preview copies and closes. The preview player lives only while the window
// is open. GUI thread.

#include <QImage>
#include <QTimer>
#include <memory>

#include "gui/shell/framed_window.h"

class QLabel;
class QLineEdit;

namespace orvane {

class Session;
class MessageWindow;
class TemplatePreview;

class TemplatePreviewWindow : public FramedWindow {
    Q_OBJECT
   public:
    TemplatePreviewWindow(Session& session, const Skin& skin, MessageWindow& messages,
                          QWidget* parent = nullptr);
    ~TemplatePreviewWindow() override;

    // Previews photo `row` (0-based; -1: none selected). Refuses with a
    // message when there are no photos or none is selected.
    void previewPhoto(int row);

    // "播放", "停止", "返回".
    void play();
    void stopPreview();
    void back();

    // Frame counter within the movie shown (Edit_dangqian_zhengshuo_leijia),
    // -1 before the first frame.
    int movieFrame() const;
    // "Play" while playing, "tuichuxunhuan" when stopped (Edit_Exit).
    QString runFlag() const;
    // "picture_0_wancheng" once the ending movie has its picture (Edit_wancheng).
    QString loadedFlag() const;
    bool inEnding() const;
    bool finished() const { return m_finished; }
    const QImage& shownFrame() const { return m_frameImage; }

    static constexpr QSize kArea{800, 450};

   protected:
    void done(int result) override;

   private:
    void prepareAndPlay();
    void nextFrame();
    QLineEdit* infoBox(const char* caption, const char* name, int top);

    Session& m_session;
    MessageWindow& m_messages;
    std::unique_ptr<TemplatePreview> m_preview;
    int m_row = -1;
    int m_frame = -1;  // preview frame (template then ending)
    bool m_finished = false;
    QTimer m_frameTimer;
    QImage m_frameImage;

    QWidget* m_area = nullptr;
    QLabel* m_picture = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_type = nullptr;
    QLineEdit* m_size = nullptr;
    QLineEdit* m_orientation = nullptr;
    QLineEdit* m_number = nullptr;
    QLineEdit* m_selected = nullptr;  // hidden fields of the window
    QLineEdit* m_counter = nullptr;
    QLineEdit* m_loaded = nullptr;
    QLineEdit* m_exit = nullptr;
};

}  // namespace orvane
