#pragma once
// TemplateManagerWindow "模板管理": another template for one photo. The window
// shows the photo chosen in the photo pane and the single-photo templates of
// its orientation (templateChoices), the current one marked; "确定" gives
// the photo the chosen template through Session::apply (changePhotoTemplate:
// a failure changes nothing and its message goes to the message window),
// "预览" shows the photo in its template in TemplatePreviewWindow, "取消" closes. Made
// once, owned by the main window. GUI thread.

#include "gui/shell/framed_window.h"

class QLabel;
class QListWidget;

namespace orvane {

class Session;
class WindowSet;

class TemplateManagerWindow : public FramedWindow {
    Q_OBJECT
   public:
    TemplateManagerWindow(Session& session, WindowSet& windows, QWidget* parent = nullptr);

    // Fills the window for photo `row` (0-based; the first photo when out of
    // range) without showing it; false when there are no photos.
    bool load(int row);
    // The main window's "模板管理": says "没有添加相片文件！" when there are no
    // photos, else loads `row` and shows the window modally.
    void openWindow(int row);

    int photoRow() const { return m_row; }
    // Chooses list entry `index` (0-based, in templateChoices order).
    void chooseTemplate(int index);
    // "确定": gives the photo the chosen template. False on a failure (the
    // message window says why) or when nothing is chosen.
    bool applyChoice();
    // "预览": the photo in its current template, in TemplatePreviewWindow.
    void preview();

   private:
    void buildControls();
    void fillList();

    Session& m_session;
    WindowSet& m_windows;
    int m_row = -1;
    QStringList m_locations;  // the packages of the list entries

    QLabel* m_photo = nullptr;
    QListWidget* m_list = nullptr;
    QLabel* m_status = nullptr;
};

// Connects "模板管理" of the main window to a TemplateManagerWindow made here.
void connectTemplateCommands(Session& session, WindowSet& windows);

}  // namespace orvane
