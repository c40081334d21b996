#include "ui/mainwindow/MainWindowControls.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QScrollBar>
#include <QTabBar>
#include <QToolButton>

#include "ui/mainwindow/StyleSheetOnFirstShow.h"

namespace MainWindowControls {

const char* const kListStyle = "background-color: rgb(0,0,255); color: yellow;";

void setColours(QWidget* widget, const QColor& background, const QColor& text)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, text);
    // A sunken frame's edges, shaded from the background.
    colours.setColor(QPalette::Light, background.lighter(115));
    colours.setColor(QPalette::Midlight, background.lighter(107));
    colours.setColor(QPalette::Dark, background.darker(150));
    colours.setColor(QPalette::Shadow, background.darker(300));
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QColor& colour)
{
    auto* label = makeControl<QLabel>(parent, name);
    label->setText(text);
    if (colour.isValid()) {
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, colour);
        label->setPalette(colours);
    }
    return label;
}

QFrame* makeBar(QWidget* parent, const char* name, QLabel*& label, const char* labelName, const QString& text)
{
    auto* bar = makeControl<QFrame>(parent, name);
    setColours(bar, Qt::black, Qt::yellow);
    label = makeLabel(bar, labelName, text);
    // The bars speak in the program's own font, larger than the rest of the window's.
    label->setFont(QApplication::font());
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(0, 0, 489, 17);
    return bar;
}

QToolButton* makeGlyphButton(QWidget* parent, const char* name, Qt::ArrowType arrow, const QString& text)
{
    auto* button = makeControl<QToolButton>(parent, name);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    if (!text.isEmpty()) {
        button->setText(text);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    return button;
}

namespace {

QPalette programPalette()
{
    QPalette colours = QApplication::palette();
    colours.setResolveMask(~QPalette::ResolveMask(0));  // every colour its own, none the window's
    return colours;
}

}  // namespace

void setFieldColours(QWidget* field)
{
    const QColor blue(0, 0, 255);
    QPalette colours = programPalette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window, QPalette::Button})
        colours.setColor(role, blue);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        colours.setColor(role, Qt::yellow);
    field->setPalette(colours);
}

// Only the scroll bars keep a style sheet, for their flat blue look; a bar gets it when
// it first shows.
void setListColours(QAbstractScrollArea* list)
{
    setFieldColours(list);
    for (QScrollBar* bar : {list->verticalScrollBar(), list->horizontalScrollBar()})
        new StyleSheetOnFirstShow(*bar, QLatin1String(kListStyle));
}

QListWidget* makeList(QWidget* parent, const char* name, bool multiSelect)
{
    auto* list = makeControl<QListWidget>(parent, name);
    setListColours(list);
    list->setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    return list;
}

QListView* makeView(QWidget* parent, const char* name, QAbstractItemView::SelectionMode mode)
{
    auto* view = makeControl<QListView>(parent, name);
    setListColours(view);
    view->setSelectionMode(mode);
    view->setUniformItemSizes(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return view;
}

QTabBar* makeTabSet(QWidget* parent, const char* name, const QString& first, const QString& second)
{
    auto* tabs = makeControl<QTabBar>(parent, name);
    tabs->setShape(QTabBar::RoundedSouth);
    tabs->setExpanding(false);
    tabs->setDrawBase(false);
    // The tabs go in before the style sheet: the first one becomes current, and with the
    // sheet in place (a bold current tab) that would lay out the bar at once; this way the
    // bar is laid out once, when it is first shown.
    tabs->addTab(first);
    tabs->addTab(second);
    tabs->setStyleSheet(
        QLatin1String("QTabBar::tab { background: rgb(0,0,255); color: yellow; padding: 1px 6px; }"
                      "QTabBar::tab:selected { background: rgb(0,0,160); font-weight: bold; }"));
    return tabs;
}

// The controls on the panel look as they would in a plain window: the program's own palette
// and font. The fill goes in a role that they do not paint with, as they shade their
// outlines from the window colour.
void makePanel(QWidget* panel, const QColor& background, const QColor& text)
{
    QPalette colours = programPalette();
    colours.setColor(QPalette::AlternateBase, background);
    colours.setColor(QPalette::WindowText, text);
    panel->setPalette(colours);
    panel->setBackgroundRole(QPalette::AlternateBase);
    panel->setAutoFillBackground(true);
    panel->setFont(QApplication::font());
}

QCheckBox* makeCheck(QWidget* parent, const char* name, const QString& text, int left, int top, int width)
{
    auto* box = makeControl<QCheckBox>(parent, name);
    box->setText(text);
    box->setGeometry(left, top, width, 15);
    box->setFocusPolicy(Qt::TabFocus);
    return box;
}

}  // namespace MainWindowControls
