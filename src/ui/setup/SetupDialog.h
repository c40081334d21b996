// TSetupForm: the modal "Setup Options" dialog over the settings record. Its pages and
// controls come from the settings key table; it is created once and reused, keeping only
// its open page.
#pragma once
#include <QDialog>
#include <string>
#include <vector>

#include "core/settings/SettingsKeys.h"

class QPushButton;
class QTabWidget;

class SetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit SetupDialog(QWidget* parent = nullptr);

    // Shows the dialog modally, filled from settings. OK takes the values into settings and
    // writes them to the file at settingsPath; Cancel and the close box change nothing.
    // Returns when the dialog has closed.
    void showModal(Settings& settings, const std::string& settingsPath);

    // The control named after a key ("visualoptDragDrop"), for the tests and hints.
    QWidget* control(std::string_view name) const;

    QTabWidget* pages = nullptr;          // object name "TabbedNotebook1"
    QPushButton* okButton = nullptr;      // "OKBtn"
    QPushButton* cancelButton = nullptr;  // "CancelBtn"

private:
    struct KeyControl {
        const SettingsKey* key;
        QWidget* widget;
    };

    QWidget* createPage(std::string_view page);
    void fillControls();
    void acceptValues();
    void takeValues();

    std::vector<KeyControl> keyControls;
    Settings* edited = nullptr;
    std::string settingsFile;
};
