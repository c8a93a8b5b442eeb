#pragma once
// A window set on a session with a small template store, a file chooser
// that answers from a script, and an answerer for the modal windows the
// commands open.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "gui/command_trigger.h"
#include "gui/main/main_window.h"
#include "gui/main/window_set.h"
#include "gui/panes/media_browser.h"
#include "gui/panes/preview_box.h"
#include "gui/shell/file_chooser.h"
#include "package_writer.h"
#include "session/session.h"
#include "support/media_fixtures.h"
#include "support/template_store.h"
#include "support/test_support.h"

namespace orvane::testing {

// Hands out the answers it was given, one per dialog, and records what the
// dialogs asked.
class ScriptedChooser : public FileChooser {
   public:
    QStringList openFiles(QWidget*, const QString&, const QString& filter,
                          const QString& proposed = {}) override {
        filters << filter;
        proposals << proposed;
        if (answers.empty()) return {};
        QStringList answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString saveFile(QWidget*, const QString&, const QString&) override { return {}; }

    std::deque<QStringList> answers;
    QStringList filters;
    QStringList proposals;
};

// What a modal window showed when it was answered.
struct Shown {
    QString window;
    QString caption;
    QString text;  // the message or question
};

// Answers the modal windows by name while it lives: each showing is
// recorded and handed to the window's handler once its loop runs.
class ModalAnswerer : public QObject {
   public:
    using Handler = std::function<void(QWidget*)>;
    ModalAnswerer() { qApp->installEventFilter(this); }
    ~ModalAnswerer() override { qApp->removeEventFilter(this); }
    void on(const QString& window, Handler handler) { m_handlers[window] = std::move(handler); }

    std::vector<Shown> shown;

   protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
        auto* w = static_cast<QWidget*>(watched);
        if (!w->isWindow()) return false;
        auto handler = m_handlers.find(w->objectName());
        if (handler == m_handlers.end()) return false;
        shown.push_back({w->objectName(), w->windowTitle(), windowText(w)});
        QTimer::singleShot(0, w, [w, act = handler->second] { act(w); });
        return false;
    }

   private:
    static QString windowText(QWidget* w) {
        for (const char* name : {"Label_xianshi_xiaoxi", "Label_xinxi", "Label_shuoming"})
            if (auto* label = w->findChild<QLabel*>(QString::fromLatin1(name)))
                return label->text();
        return {};
    }

    std::map<QString, Handler> m_handlers;
};

inline QPushButton* buttonOf(QWidget* window, const QString& caption) {
    for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    ADD_FAILURE() << "no button " << caption.toStdString() << " in "
                  << window->objectName().toStdString();
    return nullptr;
}

inline ModalAnswerer::Handler press(const char* caption) {
    return [text = QString::fromUtf8(caption)](QWidget* w) {
        if (QPushButton* b = buttonOf(w, text)) b->click();
    };
}

class MediaWorld : public ::testing::Test {
   protected:
    // Opens the session on a store of the given templates and makes the
    // windows.
    void open(const std::vector<std::pair<std::string, TemplateSpec>>& templates) {
        const WorkingFolder folder(dir.path());
        std::filesystem::create_directories(folder.movieStore());
        std::filesystem::create_directories(folder.parameterStore());
        std::filesystem::create_directories(folder.endingPackage().parent_path());
        packing::writePackage(folder.endingPackage(), packing::Bytes{'e', 'n', 'd'});
        for (const auto& [name, templ] : templates) addTemplate(folder, name, templ);
        SessionOptions options;
        options.root = dir.path();
        NullProgress progress;
        auto opened = Session::open(options, progress);
        ASSERT_TRUE(opened) << opened.error().message.toStdString();
        session = std::move(*opened);
        windows = std::make_unique<WindowSet>(*session);
        auto scripted = std::make_unique<ScriptedChooser>();
        chooser = scripted.get();
        windows->setFileChooser(std::move(scripted));
        modal.on(QStringLiteral("TForm8"), press("确定"));
    }
    // The last showing of `window`.
    Shown lastShown(const char* window) const {
        for (auto it = modal.shown.rbegin(); it != modal.shown.rend(); ++it)
            if (it->window == QString::fromUtf8(window)) return *it;
        ADD_FAILURE() << window << " was not shown";
        return {};
    }
    // The texts of the messages shown so far.
    QStringList messages() const {
        QStringList out;
        for (const Shown& s : modal.shown)
            if (s.window == QStringLiteral("TForm8")) out << s.text;
        return out;
    }
    void TearDown() override {
        windows.reset();
        session.reset();
    }

    static TemplateSpec landscape(const char* movie) {
        TemplateSpec templ;
        templ.movie = QByteArray(movie);
        return templ;
    }
    static TemplateSpec portrait(const char* movie) {
        TemplateSpec templ;
        templ.widths = QStringLiteral("|600|");
        templ.heights = QStringLiteral("|800|");
        templ.orientation = QStringLiteral("|shu|");
        templ.movie = QByteArray(movie);
        return templ;
    }
    static TemplateSpec twoLandscapes(const char* movie) {
        TemplateSpec templ = landscape(movie);
        templ.photoCount = QStringLiteral("2");
        templ.widths = QStringLiteral("|800|800|");
        templ.heights = QStringLiteral("|600|600|");
        templ.orientation = QStringLiteral("|heng|heng|");
        templ.jpgNames = QStringLiteral("|a|b|");
        return templ;
    }

    QString photo(const std::string& name, int width, int height, QColor colour = Qt::red) {
        const auto path = dir.path() / "photos" / name;
        std::filesystem::create_directories(path.parent_path());
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        EXPECT_TRUE(image.save(toQString(path), "JPEG"));
        return toQString(path);
    }
    // A one-second song and a one-line LRC file under media/.
    QString song(const std::string& name) {
        const auto path = dir.path() / "media" / name;
        std::filesystem::create_directories(path.parent_path());
        makeMp3(path, {.seconds = 1.0});
        return toQString(path);
    }
    QString lyric(const std::string& name) {
        const auto path = dir.path() / "media" / name;
        std::filesystem::create_directories(path.parent_path());
        writeFile(path, "[00:01.00]line\n");
        return toQString(path);
    }
    QString textFile(const std::string& name, const std::string& content) {
        const auto path = dir.path() / "photos" / name;
        std::filesystem::create_directories(path.parent_path());
        writeFile(path, content);
        return toQString(path);
    }

    MainWindow& main() const { return windows->mainWindow(); }
    MediaBrowser& browser() const { return windows->browser(); }
    const ProjectModel& model() const { return session->model(); }
    void command(const char* caption) { testing::triggerCommand(*windows, caption); }
    void side(int pane, const char* caption) {
        testing::triggerCommand(*windows, caption, static_cast<PaneKind>(pane));
    }
    // List view of `pane` with exactly `rows` selected.
    void selectInList(int pane, const std::vector<int>& rows) {
        browser().showPane(pane);
        browser().showList();
        QTreeWidget* list = browser().pane(pane)->reportList();
        list->clearSelection();
        for (int row : rows) list->topLevelItem(row)->setSelected(true);
    }
    void addPhotos(const QStringList& files) {
        chooser->answers.push_back(files);
        command("添加相片");
    }

    TempDir dir;
    std::unique_ptr<Session> session;
    std::unique_ptr<WindowSet> windows;
    ScriptedChooser* chooser = nullptr;
    ModalAnswerer modal;
};

}  // namespace orvane::testing
