#pragma once
// The windows of the media commands, each made once by the WindowSet:
// - TMainForm "添加相片", TForm6 "添加音乐", TForm7 "添加歌词": progress of
//   the imports (and of the photo supplement), shown while the job runs;
// - TForm11 "删除相片", TForm12 "删除音乐", TForm13 "删除歌词": the delete
//   questions ("确定删除" / "取消");
// - TForm9 "删除相片": how to supplement a template whose photo is removed
//   ("确定删除" draws a photo at random, "手动为模板补充相片", "取消");
// - TForm10 "删除相片": the manual supplement, a list of candidates;
// - TForm14 "绑定或解绑": the binding questions ("确定" / "取消");
// - TForm15 "绑定": the other side's files to bind to.
// MediaCommands drives them. GUI thread.

#include "gui/shell/job_progress_window.h"
#include "gui/shell/list_choice_window.h"
#include "gui/shell/question_window.h"

namespace orvane {

class TMainForm : public JobProgressWindow {
    Q_OBJECT
   public:
    explicit TMainForm(const Skin& skin, QWidget* parent = nullptr);
};

class TForm6 : public JobProgressWindow {
    Q_OBJECT
   public:
    explicit TForm6(const Skin& skin, QWidget* parent = nullptr);
};

class TForm7 : public JobProgressWindow {
    Q_OBJECT
   public:
    explicit TForm7(const Skin& skin, QWidget* parent = nullptr);
};

// The supplement choice; its text is set by ask().
class TForm9 : public QuestionWindow {
    Q_OBJECT
   public:
    explicit TForm9(const Skin& skin, QWidget* parent = nullptr);
    static QString text();
};

// The manual supplement: candidates with the photo list's columns.
class TForm10 : public ListChoiceWindow {
    Q_OBJECT
   public:
    explicit TForm10(const Skin& skin, QWidget* parent = nullptr);
    static QStringList headers();
    enum Button { ChooseFromProject = 0, AddNewPhoto = 1, Cancel = 2 };
};

// The delete questions of the photo (TForm11), music (TForm12) and lyric
// (TForm13) panes: button 0 "确定删除", 1 "取消".
class DeleteQuestionWindow : public QuestionWindow {
    Q_OBJECT
   public:
    DeleteQuestionWindow(const QString& objectName, const QString& caption, const Skin& skin,
                         QWidget* parent = nullptr);
};

// The binding question; the caller sets the caption to the action. Button
// 0 "确定", 1 "取消".
class TForm14 : public QuestionWindow {
    Q_OBJECT
   public:
    explicit TForm14(const Skin& skin, QWidget* parent = nullptr);
};

// The manual binding: the other side's files. Button 0 "确定", 1 "取消".
class TForm15 : public ListChoiceWindow {
    Q_OBJECT
   public:
    explicit TForm15(const Skin& skin, QWidget* parent = nullptr);
};

// The windows MediaCommands works with.
struct MediaWindows {
    TMainForm* addPhotos = nullptr;
    TForm6* addMusic = nullptr;
    TForm7* addLyrics = nullptr;
    TForm9* supplementChoice = nullptr;
    TForm10* manualSupplement = nullptr;
    DeleteQuestionWindow* deletePhotos = nullptr;  // TForm11
    DeleteQuestionWindow* deleteMusic = nullptr;   // TForm12
    DeleteQuestionWindow* deleteLyrics = nullptr;  // TForm13
    TForm14* bindQuestion = nullptr;
    TForm15* bindChoice = nullptr;
};

}  // namespace orvane
