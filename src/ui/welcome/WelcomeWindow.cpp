#include "ui/welcome/WelcomeWindow.h"

#include <QCheckBox>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QTextEdit>
#include <QToolButton>
#include <QWindow>
#include <algorithm>
#include <array>
#include <optional>

#include "core/base/GuardedCall.h"
#include "core/base/IoErrorText.h"
#include "core/base/ProgramPaths.h"
#include "core/formats/TipOfDayFile.h"
#include "core/formats/ProfileFile.h"
#include "core/settings/SettingsKeys.h"
#include "ui/commands/CommandDispatcher.h"
#include "ui/viewer/DocumentFile.h"
#include "ui/viewer/DocumentView.h"
#include "ui/viewer/SharedPalette.h"

// The embedded pictures and credits page live in the ui library, which is linked statically:
// their registration must be asked for, or the linker may leave it out.
static void registerWelcomeResources() { Q_INIT_RESOURCE(welcome); }

namespace {

// The letters that, typed in order while the window is open, turn it into the credits page.
constexpr char kKeyLetter1 = 'T';
constexpr char kKeyLetter2 = 'R';
constexpr char kKeyLetter3 = 'A';
constexpr char kKeyLetter4 = 'I';
constexpr char kKeyLetter5 = 'N';
constexpr std::array<char, 5> kKeySequence{kKeyLetter1, kKeyLetter2, kKeyLetter3, kKeyLetter4, kKeyLetter5};

constexpr const char* kDisplaySection = "Display";
constexpr const char* kTipOfDayKey = "OptTipOfDay";
constexpr const char* kFirstRunKey = "OptFirstRun";

const QColor kYellow(255, 255, 0);

QFont sansSerif(int points)
{
    QFont font(QStringLiteral("DejaVu Sans"), points);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void setColours(QWidget* widget, QPalette::ColorRole background, const QColor& backgroundColour,
                QPalette::ColorRole text, const QColor& textColour)
{
    QPalette palette = widget->palette();
    palette.setColor(background, backgroundColour);
    palette.setColor(text, textColour);
    widget->setPalette(palette);
}

// White on black, the scroll bar in dark greys rather than the system's light ones.
void setDarkTextColours(QWidget* widget)
{
    setColours(widget, QPalette::Base, Qt::black, QPalette::Text, Qt::white);
    setColours(widget, QPalette::Window, QColor(40, 40, 40), QPalette::Button, QColor(96, 96, 96));
}

// 8 points, narrowed when the system's sans-serif font is too wide for every label to keep
// its text to the two lines the strip has room for; one font for all, so they match.
void fitLabelFont(const QList<QLabel*>& labels)
{
    const auto fits = [](const QLabel* label) { return label->heightForWidth(label->width()) <= label->height(); };
    for (const int stretch : {QFont::Unstretched, QFont::SemiCondensed, QFont::Condensed}) {
        for (const qreal points : {8.0, 7.5, 7.0}) {
            QFont font = sansSerif(8);
            font.setPointSizeF(points);
            font.setStretch(stretch);
            for (QLabel* label : labels)
                label->setFont(font);
            if (std::ranges::all_of(labels, fits))
                return;
        }
    }
}

// A document as the windows show one (DocumentFile::readShown); "Cannot open file %s"
// whatever kept it from being read.
DocumentFile readDocument(const std::string& path)
{
    DocumentFile document = DocumentFile::readShown(path);
    if (document.error != 0)
        throw SonorailError(IoErrorText::cannotOpenFile(path));
    return document;
}

// The tips, or the error of a file that is missing ("File not found"), cannot be read, or whose
// first line is no number ("'%s' is not a valid integer value").
TipOfDayFile readTips(const std::string& path)
{
    const DocumentFile document = DocumentFile::readShown(path);
    if (document.error != 0)
        IoErrorText::raise(document.error);
    return TipOfDayFile(std::string_view(document.bytes.constData(), static_cast<std::size_t>(document.bytes.size())));
}

}  // namespace

WelcomeWindow::WelcomeWindow(CommandDispatcher& commands, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                          Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    registerWelcomeResources();
    setObjectName(QStringLiteral("TTips"));
    setWindowTitle(QStringLiteral("Hello!"));
    setFixedSize(498, 428);
    setAutoFillBackground(true);
    setColours(this, QPalette::Window, Qt::black, QPalette::WindowText, Qt::white);

    // Created bottom to top: the strip and the text area lie over the title picture.
    PMultiImage1 = new QLabel(this);
    PMultiImage1->setObjectName(QStringLiteral("PMultiImage1"));
    PMultiImage1->setGeometry(14, 48, 473, 297);
    PMultiImage1->setScaledContents(true);
    createDocumentButtons();
    createDocumentArea();
    createCreditsArea();
    createBottomControls();
    setView(View::Picture);
    registerCommands(commands);
}

void WelcomeWindow::registerCommands(CommandDispatcher& commands)
{
    commands.setOperation(Command::About, [this] { ShowPage(WelcomePage::Picture); });
    commands.setOperation(Command::Introduction, [this] { ShowPage(WelcomePage::Introduction); });
    commands.setOperation(Command::TechnicalDocuments, [this] { ShowPage(WelcomePage::TechnicalDocuments); });
    commands.setOperation(Command::TipOfTheDay, [this] { ShowPage(WelcomePage::TipOfTheDay); });
}

void WelcomeWindow::createDocumentButtons()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, 497, 81);
    Panel1->setAutoFillBackground(true);
    setColours(Panel1, QPalette::Window, Qt::black, QPalette::WindowText, kYellow);
    SpeedButton1 = createDocumentButton("SpeedButton1", 8);
    SpeedButton2 = createDocumentButton("SpeedButton2", 72);
    SpeedButton3 = createDocumentButton("SpeedButton3", 160);
    SpeedButton4 = createDocumentButton("SpeedButton4", 256);
    SpeedButton5 = createDocumentButton("SpeedButton5", 352);
    // Each label reaches to the next button.
    Label1 = createButtonLabel("Label1", QStringLiteral("Intro"), 8, 60);
    Label2 = createButtonLabel("Label2", QStringLiteral("Tech Documents 1-7"), 72, 84);
    Label3 = createButtonLabel("Label3", QStringLiteral("Tech Documents 8-14"), 160, 92);
    Label4 = createButtonLabel("Label4", QStringLiteral("Tech Documents 15+"), 256, 92);
    Label5 = createButtonLabel("Label5", QStringLiteral("Tip of the Day"), 352, 92);
    // The buttons change the document, and never take the focus from the OK button.
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { GuardedCall([this] { SpeedButton1Click(); }); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { GuardedCall([this] { SpeedButton2Click(); }); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { GuardedCall([this] { SpeedButton3Click(); }); });
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { GuardedCall([this] { SpeedButton4Click(); }); });
    connect(SpeedButton5, &QToolButton::clicked, this, [this] { GuardedCall([this] { SpeedButton5Click(); }); });
}

QToolButton* WelcomeWindow::createDocumentButton(const char* name, int left)
{
    auto* button = new QToolButton(Panel1);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, 8, 38, 38);
    button->setIconSize(QSize(32, 32));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QLabel* WelcomeWindow::createButtonLabel(const char* name, const QString& text, int left, int width)
{
    auto* label = new QLabel(text, Panel1);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(left, 48, width, 32);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

void WelcomeWindow::createDocumentArea()
{
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(16, 96, 465, 241);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);  // tips are one long line each
    setDarkTextColours(Memo1);
    Memo1->setPlainText(QStringLiteral("Welcome to Sonorail!"));
}

void WelcomeWindow::createCreditsArea()
{
    pmultiimage2 = new QTextEdit(this);
    pmultiimage2->setObjectName(QStringLiteral("pmultiimage2"));
    pmultiimage2->setGeometry(8, 80, 481, 265);
    pmultiimage2->setReadOnly(true);
    setDarkTextColours(pmultiimage2);
}

void WelcomeWindow::createBottomControls()
{
    visualOptTipOfDay = new QCheckBox(QStringLiteral("View the \"Tip of the Day\" next time I start Sonorail."), this);
    visualOptTipOfDay->setObjectName(QStringLiteral("visualOptTipOfDay"));
    visualOptTipOfDay->setGeometry(8, 384, 345, 17);
    visualOptTipOfDay->setFont(sansSerif(8));
    setColours(visualOptTipOfDay, QPalette::Window, Qt::black, QPalette::WindowText, kYellow);
    visualOptTipOfDay->setChecked(true);

    Button1 = new QPushButton(QStringLiteral("&OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(208, 408, 89, 17);
    Button1->setFont(sansSerif(8));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &WelcomeWindow::Button1Click);

    pal = new QLabel(this);
    pal->setObjectName(QStringLiteral("pal"));
    pal->setGeometry(264, 440, 25, 25);
}

void WelcomeWindow::setView(View view)
{
    currentView = view;
    PMultiImage1->setVisible(view != View::Credits);
    Memo1->setVisible(view == View::Document);
    Panel1->setVisible(view == View::Document);
    pmultiimage2->setVisible(view == View::Credits);
}

void WelcomeWindow::ShowPage(WelcomePage page)
{
    fill(page);
    showModally();
}

void WelcomeWindow::ShowPageAtStartup(WelcomePage page)
{
    if (page != WelcomePage::Picture)
        Memo1->clear();  // what a document that cannot be read leaves
    GuardedCall([&] { fill(page); });
    showModally();
}

void WelcomeWindow::fill(WelcomePage page)
{
    switch (page) {
        case WelcomePage::Picture:
            setView(View::Picture);
            return;
        case WelcomePage::Introduction:
            setView(View::Document);
            LoadDocument(kIntroduction);
            return;
        case WelcomePage::TechnicalDocuments:
            setView(View::Document);
            LoadDocument(kTechnicalDocuments1);
            return;
        case WelcomePage::TipOfTheDay:
            setView(View::Document);
            ShowTipOfDay();
            return;
    }
}

void WelcomeWindow::showModally()
{
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    exec();
}

void WelcomeWindow::LoadDocument(const std::string& name)
{
    const DocumentFile document = readDocument(CurrentProgramPaths().dataFile(name));
    DocumentView::showText(*Memo1, DocumentText(document.bytes),
                           document.shortened() ? document.shortenedNotice() : QString());
}

void WelcomeWindow::ShowTipOfDay()
{
    Memo1->clear();
    const TipOfDayFile tips = readTips(CurrentProgramPaths().dataFile(kTips));
    QString tip;
    if (tips.count() > 0) {
        const auto chosen = QRandomGenerator::global()->bounded(static_cast<quint64>(tips.count()));
        tip = DocumentText(QByteArray::fromStdString(tips.tip(static_cast<std::size_t>(chosen))));
    }
    DocumentView::showText(*Memo1, QStringLiteral("TIP OF THE DAY:\n---------------\n \n") + tip);
}

void WelcomeWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Key preview: the window's own native window sees every key before the focused control.
    if (!previewingKeys && windowHandle()) {
        windowHandle()->installEventFilter(this);
        previewingKeys = true;
    }
    GuardedCall([this] { FormShow(); });
}

void WelcomeWindow::FormShow()
{
    prepareFirstShowing();
    SharedPalette::set(palColours());
    const ProfileFile settings(SettingsFilePath());
    visualOptTipOfDay->setChecked(settings.readBoolean(kDisplaySection, kTipOfDayKey, true));
}

// The pictures and the credits page are embedded in the program and read from memory, at the
// first showing: nothing is written to the disk, so a program directory that cannot be
// written (an installed program) does not matter.
void WelcomeWindow::prepareFirstShowing()
{
    if (firstShowingPrepared)
        return;
    firstShowingPrepared = true;
    // Fonts and glyphs cost their loading: left to the first showing too, as most runs have none.
    Memo1->setFont(sansSerif(10));
    pmultiimage2->setFont(sansSerif(10));
    fitLabelFont({Label1, Label2, Label3, Label4, Label5});
    const std::pair<QToolButton*, const char*> glyphs[] = {{SpeedButton1, "glyph-intro.png"},
                                                           {SpeedButton2, "glyph-tech1.png"},
                                                           {SpeedButton3, "glyph-tech2.png"},
                                                           {SpeedButton4, "glyph-tech3.png"},
                                                           {SpeedButton5, "glyph-tip.png"}};
    for (const auto& [button, glyph] : glyphs)
        button->setIcon(QIcon(QStringLiteral(":/welcome/") + QLatin1String(glyph)));
    palBitmap = QImage(QStringLiteral(":/welcome/DEFPAL"));
    pal->setPixmap(QPixmap::fromImage(palBitmap));
    PMultiImage1->setPixmap(QPixmap::fromImage(QImage(QStringLiteral(":/welcome/OOGH"))));
    QFile credits(QStringLiteral(":/welcome/HMM"));
    if (credits.open(QIODevice::ReadOnly))
        DocumentView::show(*pmultiimage2, credits.readAll());
}

void WelcomeWindow::done(int result)
{
    GuardedCall([this] { FormClose(); });
    QDialog::done(result);  // closes even when the settings could not be written
}

void WelcomeWindow::FormClose()
{
    ProfileFile settings(SettingsFilePath());
    settings.writeBoolean(kDisplaySection, kTipOfDayKey, visualOptTipOfDay->isChecked());
    settings.writeBoolean(kDisplaySection, kFirstRunKey, false);
}

bool WelcomeWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && event->type() == QEvent::KeyPress) {
        for (const QChar character : static_cast<QKeyEvent*>(event)->text())
            FormKeyPress(character);
    }
    return QDialog::eventFilter(watched, event);
}

void WelcomeWindow::FormKeyPress(QChar character)
{
    const bool matches = character.toUpper() == QLatin1Char(kKeySequence[keySequencePosition]);
    if (keySequencePosition < 4) {
        // A wrong letter starts the sequence again; it is not tried as the first letter.
        keySequencePosition = matches ? keySequencePosition + 1 : 0;
        return;
    }
    if (matches)
        setView(View::Credits);
    keySequencePosition = 0;
}

void WelcomeWindow::SpeedButton1Click() { LoadDocument(kIntroduction); }
void WelcomeWindow::SpeedButton2Click() { LoadDocument(kTechnicalDocuments1); }
void WelcomeWindow::SpeedButton3Click() { LoadDocument(kTechnicalDocuments2); }
void WelcomeWindow::SpeedButton4Click() { LoadDocument(kTechnicalDocuments3); }
void WelcomeWindow::SpeedButton5Click() { ShowTipOfDay(); }
void WelcomeWindow::Button1Click() { accept(); }
