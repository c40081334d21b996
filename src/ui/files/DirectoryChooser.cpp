#include "ui/files/DirectoryChooser.h"

#include <QComboBox>
#include <QFrame>
#include <QListView>
#include <QPushButton>

#include "core/base/GuardedCall.h"
#include "core/files/FileManagerTexts.h"

namespace {

QFont dialogFont(const QFont& base)
{
    QFont font = base;
    font.setFamily(QStringLiteral("Sans Serif"));
    font.setPixelSize(11);  // 8 points on the 96-dpi screen the layout was drawn for
    font.setBold(true);
    return font;
}

}  // namespace

DirectoryChooser::DirectoryChooser(QWidget* parent) : DirectoryChooser(FileBrowserSources(), parent) {}

DirectoryChooser::DirectoryChooser(FileBrowserSources sources, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Ttreedialogform"));
    setWindowTitle(QStringLiteral("DirectoryTreeDialog"));
    setFont(dialogFont(font()));
    setFixedSize(317, 214);

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(8, 8, 301, 161);
    driveSelector = new QComboBox(frame);
    driveSelector->setObjectName(QStringLiteral("DriveComboBox1"));
    driveSelector->setGeometry(8, 8, 285, 22);
    directoryList = new QListView(frame);
    directoryList->setObjectName(QStringLiteral("DirectoryListBox1"));
    directoryList->setGeometry(8, 36, 285, 117);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("OKBtn"));
    okButton->setGeometry(79, 179, 75, 25);
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("CancelBtn"));
    cancelButton->setGeometry(163, 179, 75, 25);
    // Enter in the directory list opens a directory there and goes no further (the browser
    // takes it), so the dialog does not take it for its OK button.
    browser = new FileBrowser(driveSelector, directoryList, nullptr, std::move(sources), this);
    connect(okButton, &QPushButton::clicked, this, [this] { GuardedCall([this] { acceptChoice(); }); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    okButton->setFocus();
}

DirectoryChooser::~DirectoryChooser() = default;

void DirectoryChooser::choose(FileManagerTexts& shared)
{
    texts = &shared;
    exec();
    texts = nullptr;
}

std::string DirectoryChooser::directory() const { return browser->directoryList().directory(); }

void DirectoryChooser::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    showPrompt();
}

void DirectoryChooser::showPrompt()
{
    okButton->setFocus();
    if (!texts)
        return;
    setWindowTitle(QString::fromUtf8(texts->directoryPrompt));
    texts->directoryChooserActivated();
}

void DirectoryChooser::acceptChoice()
{
    if (texts)
        texts->directoryChosen(directory());
    accept();
}
