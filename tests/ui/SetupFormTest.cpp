// The setup dialog over the main window: command 18, filling, OK and Cancel, the file.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <gtest/gtest.h>

#include "support/MainWindowFixture.h"
#include "ui/setup/SetupDialog.h"

namespace {

class SetupFormTest : public MainWindowFixture {
protected:
    MainWindow& startWithSetup()
    {
        MainWindow& form = start();
        form.attachSetupForm([this]() -> SetupDialog& { return setup; });
        return form;
    }

    // Runs command 18; act runs while the dialog is open and closes it (else it is cancelled).
    void whileOpen(const std::function<void()>& act)
    {
        bool ran = false;
        QTimer::singleShot(0, &setup, [&] {
            ran = true;
            EXPECT_TRUE(setup.isVisible());
            act();
            if (setup.isVisible())
                setup.reject();
        });
        dispatcher.ExecuteCommand(Command::SetupOptions);
        EXPECT_TRUE(ran);
        EXPECT_FALSE(setup.isVisible());
    }

    QCheckBox* box(const char* name) { return static_cast<QCheckBox*>(setup.control(name)); }
    QComboBox* list(const char* name) { return static_cast<QComboBox*>(setup.control(name)); }
    QString currentPage() { return setup.TabbedNotebook1->tabText(setup.TabbedNotebook1->currentIndex()); }

    SetupDialog setup;
};

TEST_F(SetupFormTest, EveryKeyOfTheDialogHasItsControlOnItsPage)
{
    startWithSetup();
    EXPECT_EQ(setup.windowTitle(), "Setup Options");
    QStringList pages;
    for (int page = 0; page < setup.TabbedNotebook1->count(); ++page)
        pages << setup.TabbedNotebook1->tabText(page);
    EXPECT_EQ(pages, (QStringList{"General", "Display", "Confirm", "CD", "Default Album"}));
    int controls = 0;
    for (const SettingsKey& key : SettingsKeys()) {
        if (key.control == DialogControl::None)
            continue;
        ++controls;
        QWidget* control = setup.control(key.controlName);
        ASSERT_NE(control, nullptr) << key.key;
        const int page = setup.TabbedNotebook1->indexOf(control->parentWidget());
        EXPECT_EQ(setup.TabbedNotebook1->tabText(page).toStdString(), key.page) << key.key;
        if (auto* check = qobject_cast<QCheckBox*>(control)) {
            EXPECT_EQ(check->text().toStdString(), key.label);
            continue;
        }
        auto* combo = qobject_cast<QComboBox*>(control);
        ASSERT_NE(combo, nullptr) << key.key;
        EXPECT_FALSE(combo->isEditable()) << "the lists take no typed text";
        EXPECT_EQ(combo->count(), key.control == DialogControl::YesNoPromptList ? 3 : 2);
        auto labels = control->parentWidget()->findChildren<QLabel*>();
        auto label = std::find_if(labels.begin(), labels.end(), [&](QLabel* l) { return l->buddy() == combo; });
        ASSERT_NE(label, labels.end()) << key.key;
        EXPECT_EQ((*label)->text().toStdString(), key.label);
    }
    EXPECT_EQ(controls, 16);
    EXPECT_EQ(list("visualoptSaveDefaultAlbumWhenDone")->itemText(2), "Prompt");
}

TEST_F(SetupFormTest, OpensOnDisplayFirstAndLaterOnThePageLastLeftOpen)
{
    startWithSetup();
    whileOpen([&] {
        EXPECT_EQ(currentPage(), "Display");
        setup.TabbedNotebook1->setCurrentIndex(3);
    });
    whileOpen([&] { EXPECT_EQ(currentPage(), "CD"); });
}

TEST_F(SetupFormTest, EditsNotConfirmedAreLostAndChangeNothing)
{
    startWithSetup();
    session->settings().optForceToolbarDock = true;
    session->settings().optConfirmDeleteFile = false;
    whileOpen([&] {
        EXPECT_TRUE(box("VisualOptForceToolbarDock")->isChecked());
        EXPECT_EQ(list("visualoptConfirmDeleteFile")->currentText(), "No");
        EXPECT_EQ(list("visualoptDragDrop")->currentText(), "Yes");
        box("VisualOptForceToolbarDock")->setChecked(false);
        list("visualoptConfirmDeleteFile")->setCurrentIndex(0);
        setup.CancelBtn->click();
    });
    whileOpen([&] {
        EXPECT_TRUE(box("VisualOptForceToolbarDock")->isChecked()) << "each showing fills the dialog anew";
        box("VisualOptForceToolbarDock")->setChecked(false);
        setup.close();  // the title bar's close box
    });
    EXPECT_TRUE(session->settings().optForceToolbarDock);
    EXPECT_FALSE(session->settings().optConfirmDeleteFile);
    EXPECT_FALSE(std::filesystem::exists(home.file("sr3.ini")));
}

TEST_F(SetupFormTest, UnchangedOkRewritesTheFifteenKeysAndNothingElse)
{
    const std::string before =
        "; kept as written\r\n"
        "[General]\r\n"
        "optDragDrop=5\r\n"
        "Other=keep me\r\n"
        "\r\n"
        "[Confirm]\r\n"
        "optConfirmOpenWhenQueueNotEmpty=1\r\n"
        "optConfirmWhenRemovingfromQueue=0\r\n"
        "optConfirmDeleteFile=1\r\n"
        "optPromptOnExitWhenMultimediaActive=1\r\n"
        "[Display]\r\n"
        "optDisplayTime=1\r\n"
        "optDisplayQueueHands=1\r\n"
        "optForceToolbarDock=1\r\n"
        "optShowQueueItemsAdded=0\r\n"
        "optShowAnimatedIcon=1\r\n"
        "optShowF1OnTaskbar=0\r\n"
        "optShowHelponTaskbar=1\r\n"
        "OptTipOfDay=00\r\n"
        "OptFirstRun=0x0\r\n"
        "[Albums]\r\n"
        "optSaveDefaultAlbumWhenDone=7\r\n"
        "OPTLOADDEFAULTALBUMWHENSTART=2\r\n"
        "[CDAudio]\r\n"
        "optautoseekcdstart=0\r\n"
        "Device=/dev/sr1\r\noptOnlineLookup=1\r\n"
        "[Toolbar]\r\n"
        "T1=0x0A\r\n"
        "T2=99\r\n";
    home.write("sr3.ini", before);
    dialogs.answers = {DialogAnswer::No};  // the default album "Prompt" at start
    MainWindow& form = startWithSetup();
    whileOpen([&] {
        EXPECT_EQ(list("visualoptSaveDefaultAlbumWhenDone")->currentIndex(), -1) << "7 is no item";
        EXPECT_EQ(list("visualoptLoadDefaultAlbumWhenStart")->currentText(), "Prompt");
        EXPECT_EQ(list("visualoptDragDrop")->currentText(), "Yes");
        setup.OKBtn->click();
    });
    std::string expected = before;
    expected.replace(expected.find("optDragDrop=5"), 13, "optDragDrop=1");
    expected.replace(expected.find("optSaveDefaultAlbumWhenDone=7"), 29, "optSaveDefaultAlbumWhenDone=-1");
    EXPECT_EQ(home.read("sr3.ini"), expected);
    EXPECT_EQ(session->settings().optSaveDefaultAlbumWhenDone, -1);

    // -1 saves at exit like "Yes", without asking.
    session->queueEditing().AddFiles({"/music/song.mid"}, false);
    dialogs.shown.clear();
    EXPECT_TRUE(form.close());
    EXPECT_EQ(home.read("default.alb"), "/music/song.mid\r\n");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SetupFormTest, OkTakesTheValuesIntoEffectAndIntoTheFile)
{
    MainWindow& form = startWithSetup();
    whileOpen([&] {
        box("visualoptDisplayTime")->setChecked(false);
        box("visualoptDisplayQueueHands")->setChecked(false);
        list("visualoptDragDrop")->setCurrentIndex(1);
        list("visualoptLoadDefaultAlbumWhenStart")->setCurrentIndex(2);
        setup.OKBtn->click();
    });
    EXPECT_TRUE(findControl<QFrame>(form, "timedisppanel")->isHidden());
    EXPECT_TRUE(findControl<QToolButton>(form, "btnUp")->isHidden());
    EXPECT_FALSE(form.acceptDrops());
    EXPECT_EQ(session->settings().optLoadDefaultAlbumWhenStart, daPrompt);
    const std::string written = home.read("sr3.ini");
    EXPECT_NE(written.find("optDisplayTime=0\r\n"), std::string::npos);
    EXPECT_NE(written.find("optDragDrop=0\r\n"), std::string::npos);
    EXPECT_NE(written.find("optLoadDefaultAlbumWhenStart=2\r\n"), std::string::npos);
    EXPECT_EQ(written.find("OptTipOfDay"), std::string::npos);
    EXPECT_EQ(written.find("[Toolbar]"), std::string::npos);
}

TEST_F(SetupFormTest, ASettingsFileThatCannotBeWrittenIsReportedAndTheValuesStillAct)
{
    MainWindow& form = startWithSetup();
    std::filesystem::create_directory(home.file("sr3.ini"));
    whileOpen([&] {
        box("visualoptShowAnimatedIcon")->setChecked(false);
        setup.OKBtn->click();
    });
    ASSERT_EQ(dialogs.shown.size(), 1u) << "the keys after the failing one are not tried";
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].text, "Unable to write to " + home.file("sr3.ini") + ".");
    EXPECT_FALSE(session->settings().optShowAnimatedIcon);
    EXPECT_TRUE(findControl<QFrame>(form, "animatediconpanel")->isHidden());
}

}  // namespace
