// The setup dialog over the main window: Command::SetupOptions, filling, OK and Cancel, the file.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <set>
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

    // Runs Command::SetupOptions; act runs while the dialog is open and closes it (else it is
    // cancelled).
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
    QString currentPage() { return setup.pages->tabText(setup.pages->currentIndex()); }

    SetupDialog setup;
};

// The keys whose text differs between two settings.
std::vector<const SettingsKey*> changedKeys(const Settings& before, const Settings& after)
{
    std::vector<const SettingsKey*> changed;
    for (const SettingsKey& key : SettingsKeys()) {
        if (SettingText(before, key) != SettingText(after, key))
            changed.push_back(&key);
    }
    return changed;
}

// What the user reads beside an option: a check box's own text, or the label of a list.
QString captionOf(QWidget* option)
{
    if (auto* check = qobject_cast<QCheckBox*>(option))
        return check->text();
    for (QLabel* label : option->parentWidget()->findChildren<QLabel*>()) {
        if (label->buddy() == option)
            return label->text();
    }
    return {};
}

// Each option, found on its page by what the user reads beside it, changes its own key and no
// other, in the program and in the file; every key the dialog edits has its option.
TEST_F(SetupFormTest, EachOptionOnItsPageChangesItsOwnKeyAndNoOther)
{
    startWithSetup();
    EXPECT_EQ(setup.windowTitle(), "Setup Options");
    QStringList pages;
    for (int page = 0; page < setup.pages->count(); ++page)
        pages << setup.pages->tabText(page);
    EXPECT_EQ(pages, (QStringList{"General", "Display", "Confirm", "CD", "Default Album"}));

    std::set<const SettingsKey*> edited;
    for (int page = 0; page < setup.pages->count(); ++page) {
        for (QWidget* option : setup.pages->widget(page)->findChildren<QWidget*>()) {
            auto* check = qobject_cast<QCheckBox*>(option);
            auto* choice = qobject_cast<QComboBox*>(option);
            if (!check && !choice)
                continue;
            EXPECT_FALSE(choice && choice->isEditable()) << "the lists take no typed text";
            // A box is ticked or cleared once; a list takes every other item in turn ("No", maybe
            // "Prompt", then "Yes" again), so an item too few, or "Prompt" where it means nothing,
            // leaves the key unchanged at one step.
            const int steps = choice ? choice->count() : 1;
            EXPECT_LE(steps, 3) << "Yes, No and at most Prompt";
            for (int step = 1; step <= steps; ++step) {
                const Settings before = session->settings();
                whileOpen([&] {
                    if (choice)
                        choice->setCurrentIndex((choice->currentIndex() + 1) % steps);
                    else
                        check->click();
                    setup.okButton->click();
                });
                const std::vector<const SettingsKey*> changed = changedKeys(before, session->settings());
                ASSERT_EQ(changed.size(), 1u) << captionOf(option).toStdString();
                const SettingsKey& key = *changed[0];
                EXPECT_EQ(key.page, pages[page].toStdString()) << key.key;
                EXPECT_EQ(key.label, captionOf(option).toStdString()) << key.key;
                const std::string line = std::string(key.key) + "=" + SettingText(session->settings(), key) + "\r\n";
                EXPECT_NE(home.read("sr3.ini").find(line), std::string::npos) << line;
                edited.insert(&key);
            }
        }
    }
    for (const SettingsKey& key : SettingsKeys())
        EXPECT_EQ(edited.count(&key), key.control == DialogControl::None ? 0u : 1u) << key.key;
    EXPECT_EQ(edited.size(), 16u);
    EXPECT_EQ(list("visualoptSaveDefaultAlbumWhenDone")->itemText(2), "Prompt");
    EXPECT_EQ(list("visualoptLoadDefaultAlbumWhenStart")->itemText(2), "Prompt");
}

TEST_F(SetupFormTest, OpensOnDisplayFirstAndLaterOnThePageLastLeftOpen)
{
    startWithSetup();
    whileOpen([&] {
        EXPECT_EQ(currentPage(), "Display");
        setup.pages->setCurrentIndex(3);
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
        setup.cancelButton->click();
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
        setup.okButton->click();
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
        setup.okButton->click();
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
        setup.okButton->click();
    });
    ASSERT_EQ(dialogs.shown.size(), 1u) << "the keys after the failing one are not tried";
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].text, "Unable to write to " + home.file("sr3.ini") + ".");
    EXPECT_FALSE(session->settings().optShowAnimatedIcon);
    EXPECT_TRUE(findControl<QFrame>(form, "animatediconpanel")->isHidden());
}

}  // namespace
