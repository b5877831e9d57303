// The file dialogs: filter conversion and name completion as pure functions, and the real Qt dialogs
// driven offscreen (typed names, the overwrite question, cancel, the must-exist rule, the tick).
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "platform/qt/filedialogs.h"
#include "tests/common/tempdir.h"
#include "tests/platform/qtapp.h"

namespace {

const char* const kSessionFilter = "QuoVelanta Session (*.qvs)| *.qvs";

struct TempFolder : TempDir {
    std::filesystem::path path = fsPath();
    std::string make(const std::string& name) const {
        std::string p = (path / name).string();
        std::ofstream(p) << "x";
        return p;
    }
};

// Plays a script against whatever modal window is open: each step gets the active modal widget
// and returns true when it has done its part. Steps act through queued calls, so that a nested
// modal loop (the overwrite question) never re-enters a step.
class ModalScript {
  public:
    using Step = std::function<bool(QWidget* modal)>;
    explicit ModalScript(std::vector<Step> steps_) : steps(std::move(steps_)) {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] { poll(); });
        timer.start();
    }
    bool finished() const { return next == steps.size(); }
    bool timedOut = false;

  private:
    void poll() {
        if (std::chrono::steady_clock::now() > giveUpAt) { // a minute: close whatever is open
            timedOut = true;
            if (QWidget* w = QApplication::activeModalWidget())
                QMetaObject::invokeMethod(w, "reject", Qt::QueuedConnection);
            return;
        }
        if (next < steps.size() && steps[next](QApplication::activeModalWidget())) ++next;
    }
    std::vector<Step> steps;
    std::size_t next = 0;
    std::chrono::steady_clock::time_point giveUpAt =
        std::chrono::steady_clock::now() + std::chrono::seconds(60);
    QTimer timer;
};

ModalScript::Step typeAndAccept(const QString& text, QString* title = nullptr) {
    return [text, title](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        if (!d) return false;
        if (title) *title = d->windowTitle();
        auto* edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!edit) return false;
        edit->setText(text);
        QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
        return true;
    };
}

ModalScript::Step answerQuestion(QMessageBox::StandardButton button, QString* text) {
    return [button, text](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box) return false;
        if (text) *text = box->text();
        if (QAbstractButton* b = box->button(button)) {
            QMetaObject::invokeMethod(b, "click", Qt::QueuedConnection);
        } else {
            QMetaObject::invokeMethod(box, "reject", Qt::QueuedConnection);
        }
        return true;
    };
}

ModalScript::Step cancelDialog() {
    return [](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        if (!d) return false;
        QMetaObject::invokeMethod(d, "reject", Qt::QueuedConnection);
        return true;
    };
}

class FileDialogRun : public ::testing::Test {
  protected:
    void SetUp() override { ensureQtApp(); }
};

} // namespace

TEST(FileDialogFilters, PairsBecomeQtNameFilters) {
    EXPECT_EQ(qtNameFilters(kSessionFilter), QStringList{"QuoVelanta Session (*.qvs)"});
    EXPECT_EQ(qtNameFilters("Text files|*.txt;*.text|All files|*"),
              (QStringList{"Text files (*.txt *.text)", "All files (*)"}));
    EXPECT_EQ(qtNameFilters("MIDI File (*.mid)|*.mid"), QStringList{"MIDI File (*.mid)"});
    EXPECT_TRUE(qtNameFilters("").isEmpty());
    EXPECT_TRUE(qtNameFilters("  ").isEmpty());
    EXPECT_EQ(qtNameFilters("*.qms"), QStringList{"*.qms (*.qms)"});
}

TEST(FileDialogFilters, DefaultExtensionIsThatOfTheLastPattern) {
    EXPECT_EQ(filterDefaultExtension(kSessionFilter), ".qvs");
    EXPECT_EQ(filterDefaultExtension("Chords (*.txt)| *.txt"), ".txt");
    EXPECT_EQ(filterDefaultExtension("Web page|*.html"), ".html");
    EXPECT_EQ(filterDefaultExtension("Session|*.qvs|Text|*.txt"), ".txt");
    EXPECT_EQ(filterDefaultExtension(""), "");
    EXPECT_EQ(filterDefaultExtension("All files|*.*"), "");
    EXPECT_EQ(filterDefaultExtension("All files|*"), "");
}

TEST(FileDialogFilters, CompletionLooksAtTheFileNameOnly) {
    EXPECT_EQ(completeSaveFileName("/music/song", kSessionFilter), "/music/song.qvs");
    EXPECT_EQ(completeSaveFileName("/music/song.txt", kSessionFilter), "/music/song.txt");
    EXPECT_EQ(completeSaveFileName("/home/j.doe/song", kSessionFilter), "/home/j.doe/song.qvs");
    EXPECT_EQ(completeSaveFileName("/home/j.doe/my.song", kSessionFilter), "/home/j.doe/my.song");
    EXPECT_EQ(completeSaveFileName("song", kSessionFilter), "song.qvs");
    EXPECT_EQ(completeSaveFileName("/music/song", ""), "/music/song");
    EXPECT_EQ(completeSaveFileName("/music/", kSessionFilter), "/music/");
    EXPECT_EQ(completeSaveFileName("", kSessionFilter), "");
}

TEST_F(FileDialogRun, SaveCompletesTheTypedNameInTheChosenFolder) {
    TempFolder t;
    std::filesystem::create_directory(t.path / "j.doe");
    std::string folder = (t.path / "j.doe").string();
    QString title;
    ModalScript script({typeAndAccept("song", &title)});
    int ticks = 0;
    std::string name = "proposed";
    ASSERT_TRUE(runSaveDialog(name, "Save As", kSessionFilter, folder, [&] { ++ticks; }));
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(title, "Save As");
    EXPECT_EQ(name, folder + "/song.qvs");
    EXPECT_GT(ticks, 0) << "playback is ticked while the dialog is open";

    ModalScript keep({typeAndAccept("song.txt")});
    ASSERT_TRUE(runSaveDialog(name, "Save As", kSessionFilter, folder));
    EXPECT_EQ(name, folder + "/song.txt");

    ModalScript noFilter({typeAndAccept("plain")});
    ASSERT_TRUE(runSaveDialog(name, "Save Chords As Text", "", folder));
    EXPECT_EQ(name, folder + "/plain");
}

TEST_F(FileDialogRun, OverwriteQuestionIsAskedAboutTheCompletedName) {
    TempFolder t;
    std::filesystem::create_directory(t.path / "j.doe");
    std::string existing = (t.path / "j.doe" / "song.qvs").string();
    std::ofstream(existing) << "keep me";
    std::string folder = (t.path / "j.doe").string();

    // Typed as a bare name, and as a full path through a folder with a "." in its name.
    for (const QString& typed : {QString("song"), QString::fromStdString(folder + "/song")}) {
        QString question;
        ModalScript script(
            {typeAndAccept(typed), answerQuestion(QMessageBox::No, &question), cancelDialog()});
        std::string name = "unchanged";
        EXPECT_FALSE(runSaveDialog(name, "Save As", kSessionFilter, folder));
        EXPECT_TRUE(script.finished()) << typed.toStdString();
        EXPECT_FALSE(script.timedOut);
        EXPECT_TRUE(question.contains("song.qvs")) << question.toStdString();
        EXPECT_EQ(name, "unchanged");
    }

    QString question;
    ModalScript yes({typeAndAccept("song"), answerQuestion(QMessageBox::Yes, &question)});
    std::string name;
    ASSERT_TRUE(runSaveDialog(name, "Save As", kSessionFilter, folder));
    EXPECT_EQ(name, existing);
}

TEST_F(FileDialogRun, CancelLeavesTheNameAsItWas) {
    TempFolder t;
    ModalScript script({cancelDialog()});
    std::string name = (t.path / "before.qvs").string();
    EXPECT_FALSE(runSaveDialog(name, "Save As", kSessionFilter, t.path.string()));
    EXPECT_EQ(name, (t.path / "before.qvs").string());

    ModalScript openCancel({cancelDialog()});
    EXPECT_FALSE(runOpenDialog(name, "Open", kSessionFilter, t.path.string()));
    EXPECT_EQ(name, (t.path / "before.qvs").string());
}

TEST_F(FileDialogRun, OpenChoosesOnlyAnExistingFile) {
    TempFolder t;
    std::string there = t.make("a.qvs");
    ModalScript script({typeAndAccept("a.qvs")});
    std::string name;
    ASSERT_TRUE(runOpenDialog(name, "Open", kSessionFilter, t.path.string()));
    EXPECT_EQ(name, there);

    // A name that does not exist is not accepted: the dialog stays until it is cancelled.
    ModalScript missing({typeAndAccept("nothing.qvs"),
                         [](QWidget* w) {
                             // Qt may tell the user first; close that note.
                             if (auto* box = qobject_cast<QMessageBox*>(w)) {
                                 QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
                                 return false;
                             }
                             return qobject_cast<QFileDialog*>(w) != nullptr;
                         },
                         cancelDialog()});
    name = "kept";
    EXPECT_FALSE(runOpenDialog(name, "Browse", "", t.path.string()));
    EXPECT_TRUE(missing.finished());
    EXPECT_EQ(name, "kept");
}
