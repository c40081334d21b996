#include "ui/cd/CdPanel.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "core/base/GuardedCall.h"
#include "core/cd/CdListing.h"
#include "core/cd/CdRecord.h"
#include "ui/cd/CdTextValidator.h"

namespace {

QString shown(const std::string& text) { return QString::fromLocal8Bit(text.c_str()); }
std::string kept(const QString& text) { return text.toLocal8Bit().toStdString(); }

}  // namespace

CdPanel::CdPanel(const Controls& controls, std::function<void()> storeCdInfo, QObject* parent)
    : QObject(parent), controls(controls), storeCdInfo(std::move(storeCdInfo))
{
    for (QWidget* field : fieldWidgets())
        field->installEventFilter(this);
    // Each field holds no more than its field of the disc's record keeps.
    for (QLineEdit* line : {controls.titleField, controls.authorField, controls.categoryField})
        line->setValidator(new CdTextValidator(line));
    connect(controls.notesField->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) {
                lastNotesInsertion = {position, added};
            });
    connect(controls.notesField, &QPlainTextEdit::textChanged, this, &CdPanel::keepNotesWithinTheirField);
}

// Notes that no longer fit their field lose the end of what was typed or pasted last, as far
// as needed; what follows it stays.
void CdPanel::keepNotesWithinTheirField()
{
    const QString notes = controls.notesField->toPlainText();
    if (cuttingNotes || CdListing::notesFit(notes.toStdString()))
        return;
    const int start = std::clamp(lastNotesInsertion.position, 0, static_cast<int>(notes.size()));
    const int end = std::clamp(start + lastNotesInsertion.added, start, static_cast<int>(notes.size()));
    const QString after = notes.mid(end);
    // No more characters fit than the field has bytes: a longer start need not be tried.
    QString kept = notes.mid(start, std::min<int>(end - start, 2 * (CdRecord::kLongestText + 1)));
    while (!kept.isEmpty() && !CdListing::notesFit((notes.left(start) + kept + after).toStdString())) {
        const bool pair = kept.size() >= 2 && kept.back().isLowSurrogate() && kept[kept.size() - 2].isHighSurrogate();
        kept.chop(pair ? 2 : 1);
    }
    QTextCursor cut(controls.notesField->document());
    cut.setPosition(start + static_cast<int>(kept.size()));
    cut.setPosition(end, QTextCursor::KeepAnchor);
    cuttingNotes = true;
    cut.joinPreviousEditBlock();  // one undo takes back the insertion and its cut
    cut.removeSelectedText();
    cut.endEditBlock();
    cuttingNotes = false;
}

std::vector<QWidget*> CdPanel::fieldWidgets() const
{
    return {controls.titleField, controls.authorField, controls.categoryField, controls.notesField};
}

// Leaving a field stores the disc's texts, changed or not. The focus going to another
// window (a message box, another program) is no leaving: the field keeps it.
bool CdPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && !disabling) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            GuardedCall([this] { leaveField(); });
    }
    return QObject::eventFilter(watched, event);
}

void CdPanel::leaveField() { storeCdInfo(); }

void CdPanel::leaveFocusedField()
{
    const QWidget* focused = QApplication::focusWidget();
    for (const QWidget* field : fieldWidgets()) {
        if (focused && (focused == field || field->isAncestorOf(focused))) {
            leaveField();
            return;
        }
    }
}

std::vector<std::string> CdPanel::entries() const
{
    std::vector<std::string> texts;
    for (int row = 0; row < controls.trackList->count(); ++row)
        texts.push_back(kept(controls.trackList->item(row)->text()));
    return texts;
}

void CdPanel::setEntries(const std::vector<std::string>& entries)
{
    controls.trackList->clear();
    for (const std::string& entry : entries)
        controls.trackList->addItem(shown(entry));
}

CdFields CdPanel::fields() const
{
    return {kept(controls.titleField->text()), kept(controls.authorField->text()), kept(controls.categoryField->text()),
            kept(controls.notesField->toPlainText())};
}

void CdPanel::setFields(const CdFields& fields)
{
    controls.titleField->setText(shown(fields.title));
    controls.authorField->setText(shown(fields.author));
    controls.categoryField->setText(shown(fields.category));
    controls.notesField->setPlainText(shown(fields.misc));
}

void CdPanel::enableFields(bool enabled)
{
    disabling = !enabled;
    for (QWidget* field : fieldWidgets())
        field->setEnabled(enabled);
    disabling = false;
}

bool CdPanel::fieldHasFocus() const
{
    const QWidget* focused = controls.titleField->window()->focusWidget();
    for (QWidget* field : fieldWidgets())
        if (focused == field && field->isEnabled())
            return true;
    return false;
}

// The tab bar reports the change, and the main window's source switch runs, only when the
// index changes: setting it from here acts as a click would.
void CdPanel::selectTab(SourceTab tab) { controls.sourceTabs->setCurrentIndex(static_cast<int>(tab)); }
