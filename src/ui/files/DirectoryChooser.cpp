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
    DriveComboBox1 = new QComboBox(frame);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setGeometry(8, 8, 285, 22);
    DirectoryListBox1 = new QListView(frame);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setGeometry(8, 36, 285, 117);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(79, 179, 75, 25);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(163, 179, 75, 25);
    // Enter in the directory list opens a directory there and goes no further (the browser
    // takes it), so the dialog does not take it for its OK button.
    browser = new FileBrowser(DriveComboBox1, DirectoryListBox1, nullptr, std::move(sources), this);
    connect(OKBtn, &QPushButton::clicked, this, [this] { GuardedCall([this] { OKBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    OKBtn->setFocus();
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
    FormActivate();
}

void DirectoryChooser::FormActivate()
{
    OKBtn->setFocus();
    if (!texts)
        return;
    setWindowTitle(QString::fromUtf8(texts->ChooseDirectoryPrompt));
    texts->directoryChooserActivated();
}

void DirectoryChooser::OKBtnClick()
{
    if (texts)
        texts->directoryChosen(directory());
    accept();
}
