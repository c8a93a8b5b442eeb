#pragma once
// CropWindow "相片剪裁": the user picks a photo, sees it under a frame of its
// slot's proportions, moves it by dragging or with the arrow keys and scales
// it with the wheel or the slider (crop_placement.h keeps the frame
// covered). "确定" hands the frame and the placement to applyManualCrop and
// stages the kept part as the photo's slot picture through Session::apply,
// so a failure changes nothing; the staged picture is then shown beside.
// GUI thread.

#include <QImage>

#include "gui/shell/framed_window.h"
#include "photos/crop_placement.h"

class QComboBox;
class QLabel;
class QSlider;

namespace orvane {

class Session;
class WindowSet;
class CropStage;

class CropWindow : public FramedWindow {
    Q_OBJECT
   public:
    CropWindow(Session& session, WindowSet& windows, QWidget* parent = nullptr);

    // The main window's "相片剪裁": the window modally, on photo `row`
    // (0-based; the first photo when there is no such row).
    void openWindow(int row = 0);

    // Shows photo `row` (0-based) at the covering size, centred.
    void choosePhoto(int row);
    // The placement under the frame, and setting it (clamped).
    const CropPlacement& placement() const { return m_placement; }
    void setPlacement(const CropPlacement& placement);
    QSize frameSize() const { return m_frame; }
    // Moves the photo by `delta` frame pixels; scales it to `scale` × the
    // covering size around `anchor` (frame pixels).
    void movePhoto(QPoint delta);
    void zoomPhoto(double scale, QPointF anchor);
    double scale() const { return m_scale; }

    // What "确定" hands over, and the hand-over itself.
    ManualCropInput cropInput() const;
    bool applyCrop();

    static constexpr int kStageWidth = 640;
    static constexpr int kStageHeight = 400;

   private:
    void buildControls();
    void refreshResult();

    Session& m_session;
    WindowSet& m_windows;
    int m_row = -1;
    QImage m_photo;     // for the screen
    QSize m_photoSize;  // in the photo's own pixels
    QSize m_frame;
    CropPlacement m_placement;
    double m_scale = 1.0;

    QComboBox* m_photos = nullptr;
    CropStage* m_stage = nullptr;
    QSlider* m_zoom = nullptr;
    QLabel* m_result = nullptr;
    QLabel* m_info = nullptr;
    QLabel* m_status = nullptr;

    friend class CropStage;
};

}  // namespace orvane
