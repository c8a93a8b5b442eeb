#pragma once
// The windows of the media commands, each made once by the WindowSet (named by their
// form names):
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

#include <memory>

#include "gui/shell/job_progress_window.h"
#include "gui/shell/list_choice_window.h"
#include "gui/shell/question_window.h"

namespace orvane {

class Skin;

// The import progress windows.
std::unique_ptr<JobProgressWindow> makePhotoImportWindow(const Skin& skin);  // JobProgressWindow
std::unique_ptr<JobProgressWindow> makeMusicImportWindow(const Skin& skin);  // JobProgressWindow
std::unique_ptr<JobProgressWindow> makeLyricImportWindow(const Skin& skin);  // JobProgressWindow

// The supplement choice; its text is supplementChoiceText().
std::unique_ptr<QuestionWindow> makeSupplementChoiceWindow(const Skin& skin);  // QuestionWindow
QString supplementChoiceText();

// The manual supplement: candidates with the photo list's columns.
std::unique_ptr<ListChoiceWindow> makeManualSupplementWindow(const Skin& skin);  // ListChoiceWindow
QStringList manualSupplementHeaders();
enum ManualSupplementButton { ChooseFromProject = 0, AddNewPhoto = 1, CancelSupplement = 2 };

// The delete questions of the photo (TForm11), music (TForm12) and lyric
// (TForm13) panes: button 0 "确定删除", 1 "取消".
std::unique_ptr<QuestionWindow> makeDeleteQuestionWindow(const QString& objectName,
                                                         const QString& caption, const Skin& skin);

// The binding question; the caller sets the caption to the action. Button
// 0 "确定", 1 "取消".
std::unique_ptr<QuestionWindow> makeBindQuestionWindow(const Skin& skin);  // QuestionWindow

// The manual binding: the other side's files. Button 0 "确定", 1 "取消".
std::unique_ptr<ListChoiceWindow> makeBindChoiceWindow(const Skin& skin);  // ListChoiceWindow

// The windows MediaCommands works with.
struct MediaWindows {
    JobProgressWindow* addPhotos = nullptr;
    JobProgressWindow* addMusic = nullptr;
    JobProgressWindow* addLyrics = nullptr;
    QuestionWindow* supplementChoice = nullptr;
    ListChoiceWindow* manualSupplement = nullptr;
    QuestionWindow* deletePhotos = nullptr;  // TForm11
    QuestionWindow* deleteMusic = nullptr;   // TForm12
    QuestionWindow* deleteLyrics = nullptr;  // TForm13
    QuestionWindow* bindQuestion = nullptr;
    ListChoiceWindow* bindChoice = nullptr;
};

}  // namespace orvane
