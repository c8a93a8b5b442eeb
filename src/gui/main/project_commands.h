#pragma once
// The project commands of the main window: "打开工程" (Ctrl+O) opens a
// saved project as a job under the processing window, then names in the
// message window whatever it left out; "保存工程" (Ctrl+S) saves to the
// project's file, asking for one the first time. The main window's title
// shows the project's name, with "*" while it has unsaved changes; opening
// another project and ending the program first ask whether to save them
// ("保存" / "不保存" / "取消"). GUI thread.

#include <QObject>
#include <QString>

namespace orvane {

class ProjectDocument;
class QuestionWindow;
class Session;
class WindowSet;

class ProjectCommands : public QObject {
    Q_OBJECT
   public:
    ProjectCommands(Session& session, WindowSet& windows, ProjectDocument& document,
                    QuestionWindow& saveQuestion, QObject* parent = nullptr);

    // "打开工程": true when a project was opened.
    bool openProject();
    // "保存工程": true when the project was saved.
    bool saveProject();
    // The exit command's question: the save question while there are
    // unsaved changes, the exit window otherwise. True lets the program end.
    bool confirmExit();

   private:
    // Asks whether to save unsaved changes first; false when the user
    // cancelled or the save did not happen.
    bool offerToSave();
    void refreshTitle();

    Session& m_session;
    WindowSet& m_windows;
    ProjectDocument& m_document;
    QuestionWindow& m_saveQuestion;
};

}  // namespace orvane
