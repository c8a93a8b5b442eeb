#pragma once
// PictureEffectsWindow "画面特效": the picture-effect editor. The user picks a
// picture (PNG with alpha or JPEG) through the window set's FileChooser, its
// start and end time on the album clock, and its place on the frame by
// dragging it over a small preview of the album frame at the start time
// (AlbumPreview, without the picture effects, the picture drawn over it at
// the album's scale). Rows are listed, changed and deleted; every change is
// committed to the session's PictureEffectTable at once. GUI thread.

#include <QImage>
#include <QPoint>
#include <memory>

#include "base/error.h"
#include "base/project_model.h"
#include "gui/shell/framed_window.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace orvane {

class AlbumPreview;
class WindowSet;
class Session;
class PictureEffectStage;

class PictureEffectsWindow : public FramedWindow {
    Q_OBJECT
   public:
    // The window set gives the skin, the file chooser and the message window.
    PictureEffectsWindow(Session& session, WindowSet& windows, QWidget* parent = nullptr);
    ~PictureEffectsWindow() override;

    // The main window's "画面特效": the editor modally.
    void openEditor();

    // The operations behind the buttons.
    void choosePicture();
    void addEffect();
    void changeEffect();
    void deleteSelected();

    // The picture being set up, its place on the 1920 × 1080 frame.
    QString pictureFile() const { return m_file; }
    QPoint placement() const { return m_placement; }
    void setPlacement(QPoint placement);
    void setStartTime(int minutes, int seconds);
    void setEndTime(int minutes, int seconds);  // negative: to the album's end

    // The preview box: 1920 × 1080 frame pixels to its pixels.
    static constexpr int kStageWidth = 480;
    static constexpr int kStageHeight = 270;

   private:
    void buildControls();
    void refreshList();
    void refreshStage();
    void loadRow(int row);
    Result<PictureEffect> currentRow(int seqNo) const;
    void commitRows(const std::vector<PictureEffect>& rows);
    QString startTime() const;
    QString endTime() const;

    Session& m_session;
    WindowSet& m_windows;

    QString m_file;
    QImage m_picture;
    QPoint m_placement;
    std::unique_ptr<AlbumPreview> m_album;
    QImage m_background;
    int m_backgroundFrame = -1;

    PictureEffectStage* m_stage = nullptr;
    QLabel* m_fileLabel = nullptr;
    QLabel* m_placeLabel = nullptr;
    QComboBox* m_startMinutes = nullptr;
    QComboBox* m_startSeconds = nullptr;
    QComboBox* m_endMinutes = nullptr;
    QComboBox* m_endSeconds = nullptr;
    QCheckBox* m_toEnd = nullptr;
    QTreeWidget* m_list = nullptr;

    friend class PictureEffectStage;
};

}  // namespace orvane
