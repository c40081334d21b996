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
    titlePicture = new QLabel(this);
    titlePicture->setObjectName(QStringLiteral("PMultiImage1"));
    titlePicture->setGeometry(14, 48, 473, 297);
    titlePicture->setScaledContents(true);
    createDocumentButtons();
    createDocumentArea();
    createCreditsArea();
    createBottomControls();
    setView(View::Picture);
    registerCommands(commands);
}

void WelcomeWindow::registerCommands(CommandDispatcher& commands)
{
    commands.setOperation(Command::About, [this] { showPage(WelcomePage::Picture); });
    commands.setOperation(Command::Introduction, [this] { showPage(WelcomePage::Introduction); });
    commands.setOperation(Command::TechnicalDocuments, [this] { showPage(WelcomePage::TechnicalDocuments); });
    commands.setOperation(Command::TipOfTheDay, [this] { showPage(WelcomePage::TipOfTheDay); });
}

void WelcomeWindow::createDocumentButtons()
{
    documentButtons = new QWidget(this);
    documentButtons->setObjectName(QStringLiteral("Panel1"));
    documentButtons->setGeometry(0, 0, 497, 81);
    documentButtons->setAutoFillBackground(true);
    setColours(documentButtons, QPalette::Window, Qt::black, QPalette::WindowText, kYellow);
    introButton = createDocumentButton("SpeedButton1", 8);
    techPart1Button = createDocumentButton("SpeedButton2", 72);
    techPart2Button = createDocumentButton("SpeedButton3", 160);
    techPart3Button = createDocumentButton("SpeedButton4", 256);
    tipButton = createDocumentButton("SpeedButton5", 352);
    // Each label reaches to the next button.
    introLabel = createButtonLabel("Label1", QStringLiteral("Intro"), 8, 60);
    techPart1Label = createButtonLabel("Label2", QStringLiteral("Tech Documents 1-7"), 72, 84);
    techPart2Label = createButtonLabel("Label3", QStringLiteral("Tech Documents 8-14"), 160, 92);
    techPart3Label = createButtonLabel("Label4", QStringLiteral("Tech Documents 15+"), 256, 92);
    tipLabel = createButtonLabel("Label5", QStringLiteral("Tip of the Day"), 352, 92);
    // The buttons change the document, and never take the focus from the OK button.
    connect(introButton, &QToolButton::clicked, this, [this] { GuardedCall([this] { showIntroduction(); }); });
    connect(techPart1Button, &QToolButton::clicked, this, [this] { GuardedCall([this] { showTechPart1(); }); });
    connect(techPart2Button, &QToolButton::clicked, this, [this] { GuardedCall([this] { showTechPart2(); }); });
    connect(techPart3Button, &QToolButton::clicked, this, [this] { GuardedCall([this] { showTechPart3(); }); });
    connect(tipButton, &QToolButton::clicked, this, [this] { GuardedCall([this] { showTipOfDay(); }); });
}

QToolButton* WelcomeWindow::createDocumentButton(const char* name, int left)
{
    auto* button = new QToolButton(documentButtons);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, 8, 38, 38);
    button->setIconSize(QSize(32, 32));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QLabel* WelcomeWindow::createButtonLabel(const char* name, const QString& text, int left, int width)
{
    auto* label = new QLabel(text, documentButtons);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(left, 48, width, 32);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

void WelcomeWindow::createDocumentArea()
{
    documentText = new QPlainTextEdit(this);
    documentText->setObjectName(QStringLiteral("Memo1"));
    documentText->setGeometry(16, 96, 465, 241);
    documentText->setReadOnly(true);
    documentText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    documentText->setLineWrapMode(QPlainTextEdit::WidgetWidth);  // tips are one long line each
    setDarkTextColours(documentText);
    documentText->setPlainText(QStringLiteral("Welcome to Sonorail!"));
}

void WelcomeWindow::createCreditsArea()
{
    creditsText = new QTextEdit(this);
    creditsText->setObjectName(QStringLiteral("pmultiimage2"));
    creditsText->setGeometry(8, 80, 481, 265);
    creditsText->setReadOnly(true);
    setDarkTextColours(creditsText);
}

void WelcomeWindow::createBottomControls()
{
    tipOfDayBox = new QCheckBox(QStringLiteral("View the \"Tip of the Day\" next time I start Sonorail."), this);
    tipOfDayBox->setObjectName(QStringLiteral("visualOptTipOfDay"));
    tipOfDayBox->setGeometry(8, 384, 345, 17);
    tipOfDayBox->setFont(sansSerif(8));
    setColours(tipOfDayBox, QPalette::Window, Qt::black, QPalette::WindowText, kYellow);
    tipOfDayBox->setChecked(true);

    okButton = new QPushButton(QStringLiteral("&OK"), this);
    okButton->setObjectName(QStringLiteral("Button1"));
    okButton->setGeometry(208, 408, 89, 17);
    okButton->setFont(sansSerif(8));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &WelcomeWindow::accept);

    paletteHolder = new QLabel(this);
    paletteHolder->setObjectName(QStringLiteral("pal"));
    paletteHolder->setGeometry(264, 440, 25, 25);
}

void WelcomeWindow::setView(View view)
{
    currentView = view;
    titlePicture->setVisible(view != View::Credits);
    documentText->setVisible(view == View::Document);
    documentButtons->setVisible(view == View::Document);
    creditsText->setVisible(view == View::Credits);
}

void WelcomeWindow::showPage(WelcomePage page)
{
    fill(page);
    showModally();
}

void WelcomeWindow::showPageAtStartup(WelcomePage page)
{
    if (page != WelcomePage::Picture)
        documentText->clear();  // what a document that cannot be read leaves
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
            loadDocument(kIntroduction);
            return;
        case WelcomePage::TechnicalDocuments:
            setView(View::Document);
            loadDocument(kTechnicalDocuments1);
            return;
        case WelcomePage::TipOfTheDay:
            setView(View::Document);
            showTipOfDay();
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

void WelcomeWindow::loadDocument(const std::string& name)
{
    const DocumentFile document = readDocument(CurrentProgramPaths().dataFile(name));
    DocumentView::showText(*documentText, DocumentText(document.bytes),
                           document.shortened() ? document.shortenedNotice() : QString());
}

void WelcomeWindow::showTipOfDay()
{
    documentText->clear();
    const TipOfDayFile tips = readTips(CurrentProgramPaths().dataFile(kTips));
    QString tip;
    if (tips.count() > 0) {
        const auto chosen = QRandomGenerator::global()->bounded(static_cast<quint64>(tips.count()));
        tip = DocumentText(QByteArray::fromStdString(tips.tip(static_cast<std::size_t>(chosen))));
    }
    DocumentView::showText(*documentText, QStringLiteral("TIP OF THE DAY:\n---------------\n \n") + tip);
}

void WelcomeWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Key preview: the window's own native window sees every key before the focused control.
    if (!previewingKeys && windowHandle()) {
        windowHandle()->installEventFilter(this);
        previewingKeys = true;
    }
    GuardedCall([this] { prepareShowing(); });
}

void WelcomeWindow::prepareShowing()
{
    prepareFirstShowing();
    SharedPalette::set(palColours());
    const ProfileFile settings(SettingsFilePath());
    tipOfDayBox->setChecked(settings.readBoolean(kDisplaySection, kTipOfDayKey, true));
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
    documentText->setFont(sansSerif(10));
    creditsText->setFont(sansSerif(10));
    fitLabelFont({introLabel, techPart1Label, techPart2Label, techPart3Label, tipLabel});
    const std::pair<QToolButton*, const char*> glyphs[] = {{introButton, "glyph-intro.png"},
                                                           {techPart1Button, "glyph-tech1.png"},
                                                           {techPart2Button, "glyph-tech2.png"},
                                                           {techPart3Button, "glyph-tech3.png"},
                                                           {tipButton, "glyph-tip.png"}};
    for (const auto& [button, glyph] : glyphs)
        button->setIcon(QIcon(QStringLiteral(":/welcome/") + QLatin1String(glyph)));
    paletteBitmap = QImage(QStringLiteral(":/welcome/DEFPAL"));
    paletteHolder->setPixmap(QPixmap::fromImage(paletteBitmap));
    titlePicture->setPixmap(QPixmap::fromImage(QImage(QStringLiteral(":/welcome/OOGH"))));
    QFile credits(QStringLiteral(":/welcome/HMM"));
    if (credits.open(QIODevice::ReadOnly))
        DocumentView::show(*creditsText, credits.readAll());
}

void WelcomeWindow::done(int result)
{
    GuardedCall([this] { saveStartupChoice(); });
    QDialog::done(result);  // closes even when the settings could not be written
}

void WelcomeWindow::saveStartupChoice()
{
    ProfileFile settings(SettingsFilePath());
    settings.writeBoolean(kDisplaySection, kTipOfDayKey, tipOfDayBox->isChecked());
    settings.writeBoolean(kDisplaySection, kFirstRunKey, false);
}

bool WelcomeWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && event->type() == QEvent::KeyPress) {
        for (const QChar character : static_cast<QKeyEvent*>(event)->text())
            followKeySequence(character);
    }
    return QDialog::eventFilter(watched, event);
}

void WelcomeWindow::followKeySequence(QChar character)
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

void WelcomeWindow::showIntroduction() { loadDocument(kIntroduction); }
void WelcomeWindow::showTechPart1() { loadDocument(kTechnicalDocuments1); }
void WelcomeWindow::showTechPart2() { loadDocument(kTechnicalDocuments2); }
void WelcomeWindow::showTechPart3() { loadDocument(kTechnicalDocuments3); }
