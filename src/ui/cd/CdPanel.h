#pragma once
// The CD panel on the main window: the CD track list, the disc's title and, on the CD
// information panel, its author, category and notes, with the source tabs. It is the
// session's CD view. The controls are the main window's; the panel shows the CD mode's texts
// in them and stores them when the user leaves a field (`leaveField`). No field takes more
// text than its field of the disc's record keeps, so what the user sees is what is stored.
#include <QObject>
#include <functional>

#include "core/cd/CdView.h"

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTabBar;
class QWidget;

class CdPanel final : public QObject, public CdView {
    Q_OBJECT
public:
    struct Controls {
        QListWidget* trackList;      // object name "cdlistbox"
        QLineEdit* titleField;       // "cdtitle"
        QLineEdit* authorField;      // "cdauthor"
        QLineEdit* categoryField;    // "cdcategory"
        QPlainTextEdit* notesField;  // "cdmisc"
        QTabBar* sourceTabs;         // "TabSet1"
    };

    // storeCdInfo: what leaving a field does (the session's StoreCDInfo).
    CdPanel(const Controls& controls, std::function<void()> storeCdInfo, QObject* parent);

    // The shared exit handler of the four fields.
    void leaveField();
    // The program ends with the focus in a field: that is leaving it too, so what was typed
    // there is stored. Errors are the caller's to show.
    void leaveFocusedField();

    // CdView
    std::vector<std::string> entries() const override;
    void setEntries(const std::vector<std::string>& entries) override;
    CdFields fields() const override;
    void setFields(const CdFields& fields) override;
    void enableFields(bool enabled) override;
    bool fieldHasFocus() const override;
    void selectTab(SourceTab tab) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QWidget*> fieldWidgets() const;
    void keepNotesWithinTheirField();

    Controls controls;
    std::function<void()> storeCdInfo;
    // Set while the program disables the fields: their losing the focus is no exit.
    bool disabling = false;
    // Where the notes changed last, and whether the panel itself is cutting them.
    struct Insertion {
        int position = 0;
        int added = 0;
    } lastNotesInsertion;
    bool cuttingNotes = false;
};
