// TTips: the welcome and documents window. Greets the user at start-up with the introduction
// or the tip of the day, and is the about box and the reader of the program's documents.
#pragma once
#include <QDialog>
#include <QImage>
#include <QList>
#include <QRgb>
#include <string>

class CommandDispatcher;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;
class QToolButton;

// What an opening of the window shows: the pages of the help menu's four commands.
enum class WelcomePage { Picture, Introduction, TechnicalDocuments, TipOfTheDay };

class WelcomeWindow : public QDialog {
    Q_OBJECT
public:
    // Registers the commands that open the window: About (the picture), Introduction,
    // Technical Documents and Tip of the Day.
    explicit WelcomeWindow(CommandDispatcher& commands, QWidget* parent = nullptr);

    // Which of the large controls show: the title picture alone, a document over the
    // picture with the document buttons, or the credits page.
    enum class View { Picture, Document, Credits };

    // Fills the window for the page, then shows it modally and returns once it is closed.
    // An error while filling it ends the call before the window shows.
    void showPage(WelcomePage page);
    // The same at start-up, where a failure must not end the program: the error is shown,
    // then the window opens all the same, its text area empty.
    void showPageAtStartup(WelcomePage page);

    void setView(View view);
    View view() const { return currentView; }

    // Loads one of the program's documents into the text area, replacing its text; a document
    // past the viewer's limit is shortened as the viewer shortens it, and says so in its last
    // line. When it cannot be read, raises "Cannot open file %s" and the text area keeps its text.
    void loadDocument(const std::string& name);
    // Fills the text area with a tip chosen at random from "tipofday.txt": a heading, a rule, a
    // blank line and the tip. The text area is empty when the file cannot be read (the error
    // says why: "File not found" when there is none).
    void showTipOfDay();

    // The colours of the palette bitmap; empty until the window is first shown.
    QList<QRgb> palColours() const { return paletteBitmap.colorTable(); }

    // Documents, looked up like the program's other read-only data.
    static constexpr const char* kIntroduction = "intro.txt";
    static constexpr const char* kTechnicalDocuments1 = "tech1.txt";
    static constexpr const char* kTechnicalDocuments2 = "tech2.txt";
    static constexpr const char* kTechnicalDocuments3 = "tech3.txt";
    static constexpr const char* kTips = "tipofday.txt";

    // The strip of document buttons above the text area, each button with its label.
    QWidget* documentButtons = nullptr;      // object name "Panel1"
    QToolButton* introButton = nullptr;      // "SpeedButton1"
    QToolButton* techPart1Button = nullptr;  // "SpeedButton2"
    QToolButton* techPart2Button = nullptr;  // "SpeedButton3"
    QToolButton* techPart3Button = nullptr;  // "SpeedButton4"
    QToolButton* tipButton = nullptr;        // "SpeedButton5"
    QLabel* introLabel = nullptr;            // "Label1"
    QLabel* techPart1Label = nullptr;        // "Label2"
    QLabel* techPart2Label = nullptr;        // "Label3"
    QLabel* techPart3Label = nullptr;        // "Label4"
    QLabel* tipLabel = nullptr;              // "Label5"
    QLabel* titlePicture = nullptr;          // "PMultiImage1"
    QPlainTextEdit* documentText = nullptr;  // "Memo1"
    QTextEdit* creditsText = nullptr;        // "pmultiimage2"
    // The tip-of-the-day check box: whether the tip is shown at the next start.
    QCheckBox* tipOfDayBox = nullptr;  // "visualOptTipOfDay"
    QPushButton* okButton = nullptr;   // "Button1"
    // Holds the palette bitmap, below the client area where it is never seen.
    QLabel* paletteHolder = nullptr;  // object name "pal"

protected:
    void showEvent(QShowEvent* event) override;
    // Every way of closing the window ends here (OK, Esc, the close box).
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void registerCommands(CommandDispatcher& commands);
    void createDocumentButtons();
    QToolButton* createDocumentButton(const char* name, int left);
    QLabel* createButtonLabel(const char* name, const QString& text, int left, int width);
    void createDocumentArea();
    void createCreditsArea();
    void createBottomControls();

    void fill(WelcomePage page);
    void showModally();
    void prepareFirstShowing();

    void prepareShowing();
    void saveStartupChoice();
    void followKeySequence(QChar character);
    void showIntroduction();
    void showTechPart1();
    void showTechPart2();
    void showTechPart3();

    View currentView = View::Picture;
    QImage paletteBitmap;
    bool firstShowingPrepared = false;
    bool previewingKeys = false;
    // How far the key sequence has been typed (0 to 4), kept across openings of the window.
    int keySequencePosition = 0;
};
