#include "ui/setup/SetupDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <array>

#include "core/formats/ProfileFile.h"
#include "core/base/GuardedCall.h"

namespace {

// The notebook's pages from left to right; the dialog opens on "Display" the first time.
constexpr std::array<std::string_view, 5> kPages = {"General", "Display", "Confirm", "CD", "Default Album"};
constexpr int kFirstPage = 1;

constexpr int kYes = 0;
constexpr int kNo = 1;

QString qt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QWidget* createCheck(const SettingsKey& key, QVBoxLayout* layout, QWidget* page)
{
    auto* check = new QCheckBox(qt(key.label), page);
    layout->addWidget(check);
    return check;
}

QWidget* createList(const SettingsKey& key, QVBoxLayout* layout, QWidget* page)
{
    auto* label = new QLabel(qt(key.label), page);
    auto* list = new QComboBox(page);  // a drop-down list: no typed text
    list->addItems({QStringLiteral("Yes"), QStringLiteral("No")});
    if (key.control == DialogControl::YesNoPromptList)
        list->addItem(QStringLiteral("Prompt"));
    list->setMinimumWidth(120);
    label->setBuddy(list);  // with a buddy, "&&" in the label shows one ampersand
    layout->addWidget(label);
    layout->addWidget(list, 0, Qt::AlignLeft);
    layout->addSpacing(8);
    return list;
}

}  // namespace

SetupDialog::SetupDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TSetupForm"));
    setWindowTitle(QStringLiteral("Setup Options"));
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("TabbedNotebook1"));
    pages->setUsesScrollButtons(false);  // the dialog is as wide as its five tabs
    for (std::string_view page : kPages)
        pages->addTab(createPage(page), qt(page));
    pages->setCurrentIndex(kFirstPage);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("OKBtn"));
    okButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("CancelBtn"));
    connect(okButton, &QPushButton::clicked, this, [this] { GuardedCall([this] { acceptValues(); }); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

QWidget* SetupDialog::createPage(std::string_view pageName)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    for (const SettingsKey& key : SettingsKeys()) {
        if (key.page != pageName || key.control == DialogControl::None)
            continue;
        QWidget* widget =
            key.control == DialogControl::CheckBox ? createCheck(key, layout, page) : createList(key, layout, page);
        widget->setObjectName(qt(key.controlName));
        keyControls.push_back({&key, widget});
    }
    layout->addStretch();
    return page;
}

QWidget* SetupDialog::control(std::string_view name) const
{
    for (const KeyControl& control : keyControls) {
        if (control.key->controlName == name)
            return control.widget;
    }
    return nullptr;
}

void SetupDialog::showModal(Settings& settings, const std::string& settingsPath)
{
    if (isVisible())
        return;  // already open further down this call chain
    edited = &settings;
    settingsFile = settingsPath;
    // Filled once per showing: refilling on every activation would wipe the user's edits
    // whenever another window came in front and went again.
    fillControls();
    exec();
    edited = nullptr;
}

void SetupDialog::fillControls()
{
    for (const KeyControl& control : keyControls) {
        const int value = SettingValue(*edited, *control.key);
        switch (control.key->control) {
            case DialogControl::CheckBox:
                static_cast<QCheckBox*>(control.widget)->setChecked(value != 0);
                break;
            case DialogControl::YesNoList:
                static_cast<QComboBox*>(control.widget)->setCurrentIndex(value != 0 ? kYes : kNo);
                break;
            case DialogControl::YesNoPromptList:
                // A stored value that is no item leaves the list without a selection.
                static_cast<QComboBox*>(control.widget)
                    ->setCurrentIndex(value >= daYes && value <= daPrompt ? value : -1);
                break;
            case DialogControl::None:
                break;
        }
    }
}

void SetupDialog::takeValues()
{
    for (const KeyControl& control : keyControls) {
        switch (control.key->control) {
            case DialogControl::CheckBox:
                SetSettingValue(*edited, *control.key, static_cast<QCheckBox*>(control.widget)->isChecked() ? 1 : 0);
                break;
            case DialogControl::YesNoList: {
                const int index = static_cast<QComboBox*>(control.widget)->currentIndex();
                if (index == kYes || index == kNo)  // no selection keeps the option
                    SetSettingValue(*edited, *control.key, index == kYes ? 1 : 0);
                break;
            }
            case DialogControl::YesNoPromptList:
                SetSettingValue(*edited, *control.key, static_cast<QComboBox*>(control.widget)->currentIndex());
                break;
            case DialogControl::None:
                break;
        }
    }
}

// The values act for this run even when the file cannot be written: the dialog closes
// as after any OK and the error names the file.
void SetupDialog::acceptValues()
{
    if (!edited)
        return;
    takeValues();
    accept();
    ProfileFile file(settingsFile);
    WriteDialogSettings(file, *edited);
}
