#pragma once
// The makers of the main window's controls in its own look: named controls, blue lists with
// yellow text, black bars, small glyph buttons, tab sets below their pages, grey panels of
// check boxes.
#include <QAbstractItemView>
#include <QColor>
#include <QString>
#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QListView;
class QListWidget;
class QTabBar;
class QToolButton;

namespace MainWindowControls {

extern const char* const kListStyle;

template <class Widget>
Widget* makeControl(QWidget* parent, const char* name)
{
    auto* control = new Widget(parent);
    control->setObjectName(QLatin1String(name));
    return control;
}

// A plain background and text colour for a panel or label and what it holds: a palette
// costs far less to set up and paint than a style sheet.
void setColours(QWidget* widget, const QColor& background, const QColor& text);
// In the colour given, or in its parent's.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QColor& colour = {});
// A black bar with a centred label (the information bars).
QFrame* makeBar(QWidget* parent, const char* name, QLabel*& label, const char* labelName, const QString& text);
// The small glyph buttons: roll-ups, and the queue's moving hands.
QToolButton* makeGlyphButton(QWidget* parent, const char* name, Qt::ArrowType arrow, const QString& text = {});
QListWidget* makeList(QWidget* parent, const char* name, bool multiSelect);
QListView* makeView(QWidget* parent, const char* name, QAbstractItemView::SelectionMode mode);
QTabBar* makeTabSet(QWidget* parent, const char* name, const QString& first, const QString& second);
// Yellow on blue: the lists, the drive selector and the CD fields.
void setFieldColours(QWidget* field);
void setListColours(QAbstractScrollArea* list);
// A panel of check boxes with their captions, in the program's own font.
void makePanel(QWidget* panel, const QColor& background, const QColor& text);
QCheckBox* makeCheck(QWidget* parent, const char* name, const QString& text, int left, int top, int width);

}  // namespace MainWindowControls
