#pragma once
// Our reader of rich-text (RTF) documents: builds a QTextDocument with the text, character
// and paragraph formatting, lists as text, tables and inline PNG/JPEG pictures. Whatever it
// does not know it skips; broken or truncated input ends the document where it breaks.
#include <QTextCharFormat>
#include <QTextCursor>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ui/viewer/CodePageDecoder.h"
#include "core/formats/RtfTokenizer.h"

class QTextDocument;
class QTextTable;

class RtfReader {
public:
    // Replaces the document's content with the rich text read from rtf.
    static void read(std::string_view rtf, QTextDocument& document);
    // Rich text starts with "{\rtf"; anything else is plain text.
    static bool isRichText(std::string_view bytes);

private:
    enum class Destination { Text, Skip, FontTable, ColourTable, Picture };
    struct CharacterState {
        bool bold = false, italic = false, underline = false, strike = false, hidden = false;
        int font = -1;  // -1: the document's default font
        int halfPoints = 24;
        int foreground = 0, background = 0;  // colour table indexes; 0 is "automatic"
        int vertical = 0;                    // 1 superscript, -1 subscript
    };
    struct ParagraphState {
        Qt::Alignment alignment = Qt::AlignLeft;
        int left = 0, right = 0, first = 0, before = 0, after = 0;  // twips
        std::vector<int> tabStops;                                  // twips, in the order given
        bool inTable = false;
    };
    struct GroupState {
        Destination destination = Destination::Text;
        CharacterState character;
        ParagraphState paragraph;
        int skipAfterUnicode = 1;
        bool ownsPicture = false;
    };
    struct Font {
        std::string name;
        int charset = 0;
        int codePage = 0;
    };
    struct Picture {
        bool shown = false;  // PNG or JPEG
        std::string data;
        int highNibble = -1;
        int goalWidth = 0, goalHeight = 0, scaleX = 100, scaleY = 100;
    };

    explicit RtfReader(QTextDocument& document);
    void readAll(std::string_view rtf);

    void openGroup();
    bool closeGroup();  // false when the outermost group closed
    void controlWord(const RtfToken& token);
    void controlSymbol(char symbol);
    void textBytes(std::string_view bytes);
    void hexByte(int value);
    void binary(int length);

    bool setDestination(std::string_view word);
    bool characterWord(std::string_view word, bool hasParameter, int parameter);
    bool paragraphWord(std::string_view word, int parameter);
    bool tableWord(std::string_view word);
    bool specialCharacter(std::string_view word, int parameter);
    void documentWord(std::string_view word, int parameter);
    void fontWord(std::string_view word, int parameter);
    void colourWord(std::string_view word, int parameter);
    void pictureWord(std::string_view word, int parameter);

    void fontTableText(std::string_view bytes);
    void colourTableText(std::string_view bytes);
    void pictureText(std::string_view bytes);
    void finishPicture();

    bool showsText() const;
    void decodePendingBytes();
    void emitCharacter(char16_t character);
    void flushText();
    int codePageOfCurrentFont() const;
    QTextCharFormat characterFormat() const;
    QTextBlockFormat blockFormat() const;
    void paragraphBreak();
    void placeCursor();
    void enterTable();
    void leaveTable();
    void nextCell();
    void endRow();

    QTextDocument& document;
    QTextCursor cursor;
    RtfTokenizer* tokenizer = nullptr;
    CodePageDecoder decoder;

    GroupState state;
    std::vector<GroupState> stack;
    int groupsTooDeep = 0;
    bool starSeen = false;
    int unicodeSkipLeft = 0;

    int documentCodePage = 1252;
    int defaultFont = 0;
    int defaultTabStop = 720;  // twips, half an inch
    std::unordered_map<int, Font> fonts;
    int fontEntry = 0;
    std::vector<QColor> colours;
    int red = -1, green = -1, blue = -1;
    Picture picture;
    int picturesShown = 0;
    qint64 picturePixels = 0;

    std::string pendingBytes;
    int pendingCodePage = 0;
    QString pendingText;
    long paragraphs = 0;

    QTextTable* table = nullptr;
    int tableRow = 0, tableColumn = 0;
    bool rowOpen = false;
    bool cellEnded = false;
    int cellsDefined = 0;
};
