// The program's own file dialogs (Qt's dialog on the offscreen platform), driven as a user
// would: the types they list, and the type chosen with a typed name.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "ui/commands/MessageBoxDialogs.h"

namespace {

QFileDialog* openFileDialog() { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }

QStringList listedNames(QFileDialog* dialog, const QString& directory)
{
    QStringList names;
    auto* model = dialog->findChild<QFileSystemModel*>();
    if (!model)
        return names;
    const QModelIndex root = model->index(directory);
    for (int row = 0; row < model->rowCount(root); ++row)
        names << model->index(row, 0, root).data().toString();
    names.sort();
    return names;
}

// Calls check every few milliseconds while the dialog is open, until it returns true (the
// dialog lists its folder on another thread) or it has been called a few hundred times.
void whenReady(const std::function<bool(QFileDialog*)>& check)
{
    auto* poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [=] {
        QFileDialog* dialog = openFileDialog();
        if (!dialog)
            return;
        if (check(dialog) || ++*tries > 500) {
            poll->stop();
            poll->deleteLater();
            dialog->reject();
        }
    });
    poll->start(10);
}

TEST(FileDialogs, AlbumFilesAreListedWhateverTheCaseOfTheirExtension)
{
    TempDir dir;
    for (const char* name : {"lower.alb", "UPPER.ALB", "notes.txt"})
        dir.write(name, "");
    const QString folder = QString::fromStdString(dir.path().string());
    FileDialogRequest request{
        FileDialogRequest::Mode::Open, {{"Album Files (*.ALB)", {"*.ALB"}, "alb"}}, dir.file("lower.alb")};
    QStringList listed;
    whenReady([&](QFileDialog* dialog) {
        listed = listedNames(dialog, folder);
        return listed.size() == 2;
    });
    MessageBoxDialogs dialogs;
    EXPECT_FALSE(dialogs.chooseFile(request).has_value()) << "the dialog was cancelled";
    EXPECT_EQ(listed, (QStringList{"UPPER.ALB", "lower.alb"}));
}

TEST(FileDialogs, ATypedNameComesBackAsTypedWithTheSelectedType)
{
    TempDir dir;
    FileDialogRequest request{
        FileDialogRequest::Mode::Save,
        {{"Album Files (*.ALB)", {"*.ALB"}, "alb"}, {"M3U8 playlist (*.m3u8)", {"*.m3u8"}, "m3u8"}},
        dir.file("start.alb")};
    QTimer::singleShot(0, [] {
        QFileDialog* dialog = openFileDialog();
        ASSERT_NE(dialog, nullptr);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(types, nullptr);
        ASSERT_NE(name, nullptr);
        types->setCurrentIndex(1);
        emit types->activated(1);  // as the user's choice in the list
        name->setText(QStringLiteral("mylist"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    MessageBoxDialogs dialogs;
    const std::optional<FileDialogChoice> choice = dialogs.chooseFile(request);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->path, dir.file("mylist")) << "completed by the caller, by the type";
    EXPECT_EQ(choice->filter, 1);
}

}  // namespace
