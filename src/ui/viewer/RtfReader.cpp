#include "ui/viewer/RtfReader.h"

#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include "ui/viewer/DocumentView.h"
#include "ui/viewer/PictureLoader.h"

namespace {

// Deeper groups than this are counted but share the innermost state, so a file of nothing
// but braces cannot grow the state stack without bound.
constexpr std::size_t kDeepestGroup = 1000;
// Beyond this many paragraphs, breaks become line breaks inside the last one: a document
// block costs far more memory than a character.
constexpr long kMostParagraphs = 1'000'000;
constexpr int kMostColumns = 64;
constexpr int kMostRowsPerTable = 100;
constexpr int kMostPictures = 1000;
constexpr std::size_t kMostTabStops = 32;
// Twips (1/1440 inch) to pixels at 96 dots per inch.
constexpr double kTwipsPerPixel = 15.0;
// Symbol-font code page: its bullets and marks have no place in any Windows code page.
constexpr int kSymbolCodePage = -2;

constexpr std::size_t kMostTableEntries = 4096;

bool isSkippedDestination(std::string_view word)
{
    static const std::unordered_map<std::string_view, bool> skipped = [] {
        std::unordered_map<std::string_view, bool> words;
        for (const char* word : {"stylesheet",
                                 "info",
                                 "header",
                                 "headerl",
                                 "headerr",
                                 "headerf",
                                 "footer",
                                 "footerl",
                                 "footerr",
                                 "footerf",
                                 "fldinst",
                                 "listtable",
                                 "listoverridetable",
                                 "revtbl",
                                 "rsidtbl",
                                 "filetbl",
                                 "pgdsctbl",
                                 "falt",
                                 "pn",
                                 "nonshppict",
                                 "footnote",
                                 "annotation",
                                 "atnid",
                                 "atnauthor",
                                 "xe",
                                 "tc",
                                 "txe",
                                 "bkmkstart",
                                 "bkmkend",
                                 "themedata",
                                 "colorschememapping",
                                 "latentstyles",
                                 "datastore",
                                 "generator",
                                 "xmlnstbl",
                                 "mmathPr",
                                 "objdata",
                                 "objclass",
                                 "template",
                                 "do",
                                 "userprops",
                                 "docvar",
                                 "pnseclvl",
                                 "ftnsep",
                                 "ftnsepc",
                                 "ftncn",
                                 "aftnsep",
                                 "aftnsepc",
                                 "aftncn",
                                 "panose",
                                 "fname",
                                 "shpinst",
                                 "blipuid",
                                 "picprop",
                                 "private",
                                 "fldtype",
                                 "formfield",
                                 "datafield",
                                 "operator",
                                 "comment"})
            words.emplace(word, true);
        return words;
    }();
    return skipped.count(word) > 0;
}

char16_t namedCharacter(std::string_view word)
{
    static const std::unordered_map<std::string_view, char16_t> characters = {
        {"lquote", u'\u2018'},  {"rquote", u'\u2019'},  {"ldblquote", u'\u201C'}, {"rdblquote", u'\u201D'},
        {"emdash", u'\u2014'},  {"endash", u'\u2013'},  {"bullet", u'\u2022'},    {"emspace", u'\u2003'},
        {"enspace", u'\u2002'}, {"qmspace", u'\u2005'}, {"zwj", u'\u200D'},       {"zwnj", u'\u200C'},
        {"ltrmark", u'\u200E'}, {"rtlmark", u'\u200F'}, {"tab", u'\t'},           {"line", u'\u2028'},
    };
    const auto found = characters.find(word);
    return found == characters.end() ? 0 : found->second;
}

QString symbolFontText(std::string_view bytes)
{
    QString text;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value == 0xB7)
            text.append(QChar(0x2022));  // the Symbol font's bullet
        else if (value == 0xA7)
            text.append(QChar(0x25AA));  // the Wingdings square bullet
        else
            text.append(QChar(value));
    }
    return text;
}

}  // namespace

bool RtfReader::isRichText(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

void RtfReader::read(std::string_view rtf, QTextDocument& document)
{
    RtfReader reader(document);
    reader.readAll(rtf);
}

RtfReader::RtfReader(QTextDocument& document) : document(document), cursor(&document)
{
    document.clear();
    cursor = QTextCursor(&document);
}

void RtfReader::readAll(std::string_view rtf)
{
    RtfTokenizer input(rtf);
    tokenizer = &input;
    cursor.beginEditBlock();
    for (RtfToken token = input.next(); token.kind != RtfToken::End; token = input.next()) {
        if (token.kind == RtfToken::GroupStart || token.kind == RtfToken::GroupEnd)
            unicodeSkipLeft = 0;
        else if (unicodeSkipLeft > 0 && token.kind != RtfToken::Text) {
            --unicodeSkipLeft;  // a control word or an escape stands in for the \u character
            continue;
        }
        switch (token.kind) {
            case RtfToken::GroupStart:
                openGroup();
                break;
            case RtfToken::GroupEnd:
                if (!closeGroup())
                    input.takeBytes(rtf.size());  // whatever follows the document is not part of it
                break;
            case RtfToken::ControlWord:
                controlWord(token);
                break;
            case RtfToken::ControlSymbol:
                controlSymbol(token.symbol);
                break;
            case RtfToken::HexByte:
                hexByte(token.parameter);
                break;
            case RtfToken::Text:
                textBytes(token.word);
                break;
            case RtfToken::End:
                break;
        }
    }
    // A truncated file: whatever groups are still open end here.
    while (!stack.empty())
        closeGroup();
    flushText();
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(defaultTabStop / kTwipsPerPixel);
    document.setDefaultTextOption(option);
    tokenizer = nullptr;
    cursor.endEditBlock();
}

void RtfReader::openGroup()
{
    flushText();
    starSeen = false;
    if (stack.size() >= kDeepestGroup) {
        ++groupsTooDeep;
        return;
    }
    stack.push_back(state);
    state.ownsPicture = false;
}

bool RtfReader::closeGroup()
{
    flushText();
    starSeen = false;
    if (groupsTooDeep > 0) {
        --groupsTooDeep;
        return true;
    }
    if (stack.empty())
        return false;
    const bool pictureEnds = state.ownsPicture;
    state = stack.back();
    stack.pop_back();
    if (pictureEnds)
        finishPicture();  // in the group around the picture, where it stands in the text
    return !stack.empty();
}

bool RtfReader::showsText() const { return state.destination == Destination::Text && !state.character.hidden; }

void RtfReader::controlWord(const RtfToken& token)
{
    const std::string_view word = token.word;
    const int parameter = token.hasParameter ? token.parameter : 1;
    const bool ignorable = starSeen;
    starSeen = false;

    if (word == "bin") {
        binary(token.hasParameter ? token.parameter : 0);
        return;
    }
    if (state.destination == Destination::Skip)
        return;
    if (setDestination(word))
        return;
    if (ignorable) {  // an optional destination we do not know: its whole group goes
        state.destination = Destination::Skip;
        return;
    }
    if (word == "u") {
        if (showsText())
            emitCharacter(static_cast<char16_t>(token.parameter < 0 ? token.parameter + 65536 : token.parameter));
        unicodeSkipLeft = state.skipAfterUnicode;
        return;
    }
    switch (state.destination) {
        case Destination::FontTable:
            fontWord(word, parameter);
            return;
        case Destination::ColourTable:
            colourWord(word, parameter);
            return;
        case Destination::Picture:
            pictureWord(word, parameter);
            return;
        default:
            break;
    }
    if (specialCharacter(word, parameter))
        return;
    flushText();
    if (characterWord(word, token.hasParameter, parameter) || paragraphWord(word, parameter) || tableWord(word))
        return;
    documentWord(word, parameter);
}

bool RtfReader::setDestination(std::string_view word)
{
    if (word == "fonttbl") {
        state.destination = Destination::FontTable;
    } else if (word == "colortbl") {
        state.destination = Destination::ColourTable;
    } else if (word == "pict") {
        state.destination = Destination::Picture;
        state.ownsPicture = true;
        picture = Picture{};
    } else if (word == "fldrslt" || word == "shppict" || word == "listtext" || word == "pntext" || word == "result") {
        state.destination = Destination::Text;
    } else if (isSkippedDestination(word)) {
        state.destination = Destination::Skip;
    } else {
        return false;
    }
    return true;
}

bool RtfReader::specialCharacter(std::string_view word, int parameter)
{
    if (word == "par" || word == "page" || word == "sect") {
        flushText();
        if (state.destination == Destination::Text)
            paragraphBreak();
        return true;
    }
    if (word == "uc") {
        state.skipAfterUnicode = std::clamp(parameter, 0, 16);
        return true;
    }
    const char16_t character = namedCharacter(word);
    if (character == 0)
        return false;
    if (showsText())
        emitCharacter(character);
    return true;
}

bool RtfReader::characterWord(std::string_view word, bool hasParameter, int parameter)
{
    CharacterState& c = state.character;
    const bool on = !hasParameter || parameter != 0;
    if (word == "plain") {
        c = CharacterState{};
    } else if (word == "b") {
        c.bold = on;
    } else if (word == "i") {
        c.italic = on;
    } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" || word == "uldash" || word == "ulth" ||
               word == "ulwave" || word == "uldashd" || word == "ulhwave") {
        c.underline = on;
    } else if (word == "ulnone") {
        c.underline = false;
    } else if (word == "strike" || word == "striked") {
        c.strike = on;
    } else if (word == "v") {
        c.hidden = on;
    } else if (word == "f") {
        c.font = parameter;
    } else if (word == "fs") {
        c.halfPoints = std::clamp(hasParameter ? parameter : 24, 2, 3276);
    } else if (word == "cf") {
        c.foreground = parameter;
    } else if (word == "cb" || word == "highlight" || word == "chcbpat") {
        c.background = parameter;
    } else if (word == "super") {
        c.vertical = 1;
    } else if (word == "sub") {
        c.vertical = -1;
    } else if (word == "nosupersub") {
        c.vertical = 0;
    } else if (word == "up") {
        c.vertical = parameter != 0 ? 1 : 0;
    } else if (word == "dn") {
        c.vertical = parameter != 0 ? -1 : 0;
    } else {
        return false;
    }
    return true;
}

bool RtfReader::paragraphWord(std::string_view word, int parameter)
{
    ParagraphState& p = state.paragraph;
    if (word == "pard") {
        p = ParagraphState{};
    } else if (word == "ql") {
        p.alignment = Qt::AlignLeft;
    } else if (word == "qr") {
        p.alignment = Qt::AlignRight;
    } else if (word == "qc") {
        p.alignment = Qt::AlignHCenter;
    } else if (word == "qj") {
        p.alignment = Qt::AlignJustify;
    } else if (word == "li" || word == "lin") {
        p.left = parameter;
    } else if (word == "ri" || word == "rin") {
        p.right = parameter;
    } else if (word == "fi") {
        p.first = parameter;
    } else if (word == "sb") {
        p.before = parameter;
    } else if (word == "sa") {
        p.after = parameter;
    } else if (word == "tx" || word == "tb") {
        if (p.tabStops.size() < kMostTabStops)
            p.tabStops.push_back(parameter);
    } else if (word == "intbl") {
        p.inTable = true;
    } else {
        return false;
    }
    return true;
}

bool RtfReader::tableWord(std::string_view word)
{
    if (word == "trowd") {
        cellsDefined = 0;
    } else if (word == "cellx") {
        cellsDefined = std::min(cellsDefined + 1, kMostColumns);
    } else if (word == "cell") {
        if (state.destination == Destination::Text)
            nextCell();
    } else if (word == "row") {
        if (state.destination == Destination::Text)
            endRow();
    } else if (word == "nestcell") {
        if (showsText())
            emitCharacter(u'\t');
    } else if (word == "nestrow") {
        if (state.destination == Destination::Text)
            paragraphBreak();
    } else {
        return false;
    }
    return true;
}

void RtfReader::documentWord(std::string_view word, int parameter)
{
    if (word == "ansi")
        documentCodePage = 1252;
    else if (word == "mac")
        documentCodePage = 10000;
    else if (word == "pc")
        documentCodePage = 437;
    else if (word == "pca")
        documentCodePage = 850;
    else if (word == "ansicpg" && parameter > 0)
        documentCodePage = parameter;
    else if (word == "deff")
        defaultFont = parameter;
    else if (word == "deftab" && parameter > 0)
        defaultTabStop = std::min(parameter, 14400);
    // Every other control word changes nothing that this view shows.
}

void RtfReader::fontWord(std::string_view word, int parameter)
{
    if (word == "f") {
        fontEntry = parameter;
        if (fonts.size() < kMostTableEntries || fonts.count(fontEntry))
            fonts[fontEntry].name.clear();
        return;
    }
    const auto font = fonts.find(fontEntry);
    if (font == fonts.end())
        return;
    if (word == "fcharset")
        font->second.charset = parameter;
    else if (word == "cpg")
        font->second.codePage = parameter;
}

void RtfReader::colourWord(std::string_view word, int parameter)
{
    const int component = std::clamp(parameter, 0, 255);
    if (word == "red")
        red = component;
    else if (word == "green")
        green = component;
    else if (word == "blue")
        blue = component;
}

void RtfReader::pictureWord(std::string_view word, int parameter)
{
    if (word == "pngblip" || word == "jpegblip")
        picture.shown = true;
    else if (word == "wmetafile" || word == "emfblip" || word == "macpict" || word == "dibitmap" || word == "wbitmap" ||
             word == "pmmetafile")
        picture.shown = false;
    else if (word == "picwgoal")
        picture.goalWidth = parameter;
    else if (word == "pichgoal")
        picture.goalHeight = parameter;
    else if (word == "picscalex")
        picture.scaleX = parameter;
    else if (word == "picscaley")
        picture.scaleY = parameter;
}

void RtfReader::controlSymbol(char symbol)
{
    starSeen = symbol == '*';  // the next control word names a destination we may skip
    if (starSeen)
        return;
    if (state.destination == Destination::Skip)
        return;
    switch (symbol) {
        case '\\':
        case '{':
        case '}':
            textBytes(std::string_view(&symbol, 1));
            return;
        case '~':
            if (showsText())
                emitCharacter(u'\u00A0');
            return;
        case '-':
            if (showsText())
                emitCharacter(u'\u00AD');
            return;
        case '_':
            if (showsText())
                emitCharacter(u'\u2011');
            return;
        case '\t':
            if (showsText())
                emitCharacter(u'\t');
            return;
        case '\n':
        case '\r':
            flushText();
            if (state.destination == Destination::Text)
                paragraphBreak();
            return;
        default:
            return;  // \| \: and unknown symbols mean nothing here
    }
}

void RtfReader::textBytes(std::string_view bytes)
{
    starSeen = false;
    if (unicodeSkipLeft > 0) {
        const std::size_t skipped = std::min<std::size_t>(bytes.size(), static_cast<std::size_t>(unicodeSkipLeft));
        unicodeSkipLeft -= static_cast<int>(skipped);
        bytes.remove_prefix(skipped);
    }
    if (bytes.empty())
        return;
    switch (state.destination) {
        case Destination::FontTable:
            fontTableText(bytes);
            return;
        case Destination::ColourTable:
            colourTableText(bytes);
            return;
        case Destination::Picture:
            pictureText(bytes);
            return;
        case Destination::Skip:
            return;
        case Destination::Text:
            break;
    }
    if (!showsText())
        return;
    const int codePage = codePageOfCurrentFont();
    if (!pendingBytes.empty() && codePage != pendingCodePage)
        flushText();
    pendingCodePage = codePage;
    pendingBytes.append(bytes);
}

void RtfReader::hexByte(int value)
{
    const char byte = static_cast<char>(value);
    if (state.destination == Destination::Picture) {
        picture.data.push_back(byte);  // a picture's bytes are sometimes escaped one by one
        return;
    }
    textBytes(std::string_view(&byte, 1));
}

void RtfReader::binary(int length)
{
    const std::string_view bytes = tokenizer->takeBytes(length > 0 ? static_cast<std::size_t>(length) : 0);
    if (state.destination == Destination::Picture)
        picture.data.append(bytes);
}

void RtfReader::fontTableText(std::string_view bytes)
{
    const auto font = fonts.find(fontEntry);
    if (font == fonts.end())
        return;
    for (const char c : bytes)
        if (c != ';' && font->second.name.size() < 128)
            font->second.name.push_back(c);
}

void RtfReader::colourTableText(std::string_view bytes)
{
    for (const char c : bytes) {
        if (c != ';' || colours.size() >= kMostTableEntries)
            continue;
        if (red < 0 && green < 0 && blue < 0)
            colours.push_back(QColor());  // "automatic": the view's own text colour
        else
            colours.push_back(QColor(std::max(red, 0), std::max(green, 0), std::max(blue, 0)));
        red = green = blue = -1;
    }
}

void RtfReader::pictureText(std::string_view bytes)
{
    for (const char c : bytes) {
        int value = -1;
        if (c >= '0' && c <= '9')
            value = c - '0';
        else if (c >= 'a' && c <= 'f')
            value = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            value = c - 'A' + 10;
        if (value < 0)
            continue;
        if (picture.highNibble < 0) {
            picture.highNibble = value;
        } else {
            picture.data.push_back(static_cast<char>(picture.highNibble * 16 + value));
            picture.highNibble = -1;
        }
    }
}

void RtfReader::finishPicture()
{
    Picture finished;
    std::swap(finished, picture);
    if (!finished.shown || picturesShown >= kMostPictures || !showsText())
        return;
    const QImage image =
        PictureLoader::decode(QByteArray(finished.data.data(), static_cast<qsizetype>(finished.data.size())));
    if (image.isNull())
        return;
    // All embedded pictures together stay within the one cap of a single picture.
    picturePixels += static_cast<qint64>(image.width()) * image.height();
    if (picturePixels * 4 > PictureLoader::kLargestDecodedBytes)
        return;
    ++picturesShown;
    const QString name = QStringLiteral("rtfpicture:%1").arg(picturesShown);
    document.addResource(QTextDocument::ImageResource, QUrl(name), image);

    QTextImageFormat format;
    format.setName(name);
    const auto scaled = [](int goal, int scale, int natural) {
        const double pixels = goal > 0 ? goal / kTwipsPerPixel : natural;
        return std::clamp(pixels * std::clamp(scale, 1, 1000) / 100.0, 1.0, 8192.0);
    };
    format.setWidth(scaled(finished.goalWidth, finished.scaleX, image.width()));
    format.setHeight(scaled(finished.goalHeight, finished.scaleY, image.height()));
    placeCursor();
    cursor.insertImage(format);
}

int RtfReader::codePageOfCurrentFont() const
{
    const auto font = fonts.find(state.character.font >= 0 ? state.character.font : defaultFont);
    if (font != fonts.end()) {
        if (font->second.codePage > 0)
            return font->second.codePage;
        if (font->second.charset == 2)
            return kSymbolCodePage;
        const int codePage = CodePageDecoder::codePageOfCharset(font->second.charset);
        if (codePage != 0)
            return codePage;
    }
    return documentCodePage;
}

// Escaped bytes are gathered before decoding: a double-byte character comes as two escapes.
void RtfReader::decodePendingBytes()
{
    if (pendingBytes.empty())
        return;
    pendingText += pendingCodePage == kSymbolCodePage ? symbolFontText(pendingBytes)
                                                      : decoder.decode(pendingCodePage, pendingBytes);
    pendingBytes.clear();
}

void RtfReader::emitCharacter(char16_t character)
{
    decodePendingBytes();
    pendingText.append(QChar(character));
}

void RtfReader::flushText()
{
    decodePendingBytes();
    if (pendingText.isEmpty())
        return;
    placeCursor();
    cursor.setBlockFormat(blockFormat());
    const QTextCharFormat format = characterFormat();
    // No paragraph grows past what a view lays out at once: the rest goes on in a new one,
    // before it is ever one huge block (which every later step would have to measure whole).
    QStringView rest(pendingText);
    for (;;) {
        const qsizetype room = DocumentView::kLongestParagraph - (cursor.block().length() - 1);
        if (rest.size() <= room)
            break;
        const qsizetype cut = room > 0 ? DocumentView::BreakWithin(rest, room) : 0;
        cursor.insertText(rest.first(cut).toString(), format);
        cursor.insertBlock(blockFormat(), format);
        rest = rest.sliced(cut);
    }
    cursor.insertText(rest.toString(), format);
    pendingText.clear();
}

QTextCharFormat RtfReader::characterFormat() const
{
    const CharacterState& c = state.character;
    QTextCharFormat format;
    format.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(c.italic);
    format.setFontUnderline(c.underline);
    format.setFontStrikeOut(c.strike);
    format.setFontPointSize(c.halfPoints / 2.0);
    const auto font = fonts.find(c.font >= 0 ? c.font : defaultFont);
    if (font != fonts.end() && !font->second.name.empty())
        format.setFontFamilies(QStringList{QString::fromLatin1(font->second.name)});
    const auto colour = [this](int index) {
        return index > 0 && index < static_cast<int>(colours.size()) ? colours[static_cast<std::size_t>(index)]
                                                                     : QColor();
    };
    if (colour(c.foreground).isValid())
        format.setForeground(colour(c.foreground));
    if (colour(c.background).isValid())
        format.setBackground(colour(c.background));
    if (c.vertical != 0)
        format.setVerticalAlignment(c.vertical > 0 ? QTextCharFormat::AlignSuperScript
                                                   : QTextCharFormat::AlignSubScript);
    return format;
}

QTextBlockFormat RtfReader::blockFormat() const
{
    const ParagraphState& p = state.paragraph;
    const auto pixels = [](int twips) { return std::clamp(twips, -100000, 100000) / kTwipsPerPixel; };
    QTextBlockFormat format;
    format.setAlignment(p.alignment);
    format.setLeftMargin(std::max(0.0, pixels(p.left)));
    format.setRightMargin(std::max(0.0, pixels(p.right)));
    format.setTextIndent(pixels(p.first));
    format.setTopMargin(std::max(0.0, pixels(p.before)));
    format.setBottomMargin(std::max(0.0, pixels(p.after)));
    // A hanging first line (a list item) has a tab stop at the indent, as word processors do.
    // Stops count from the page margin in rich text, from the first line's start in Qt.
    std::vector<int> stops = p.tabStops;
    if (p.first < 0 && p.left > 0)
        stops.push_back(p.left);
    std::sort(stops.begin(), stops.end());
    const int firstLineStart = std::max(0, p.left + p.first);
    QList<QTextOption::Tab> tabs;
    for (const int stop : stops)
        if (stop > firstLineStart)
            tabs.append(QTextOption::Tab(pixels(stop - firstLineStart), QTextOption::LeftTab));
    format.setTabPositions(tabs);
    return format;
}

void RtfReader::paragraphBreak()
{
    placeCursor();
    cursor.setBlockFormat(blockFormat());
    if (++paragraphs > kMostParagraphs) {
        cursor.insertText(QString(QChar(0x2028)));
        return;
    }
    cursor.insertBlock(blockFormat(), characterFormat());
}

// Text goes into the current table cell while the paragraph is marked as in a table, and
// after the table once a paragraph is not.
void RtfReader::placeCursor()
{
    if (state.paragraph.inTable)
        enterTable();
    else if (table)
        leaveTable();
}

void RtfReader::enterTable()
{
    if (table && !rowOpen && tableRow + 1 >= kMostRowsPerTable) {
        // Qt re-indexes a whole table on every added row: a long table goes on as a new one
        // so that reading stays linear in the number of rows.
        const int columns = table->columns();
        leaveTable();
        cellsDefined = std::max(cellsDefined, columns);
    }
    if (!table) {
        QTextTableFormat format;
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setCellPadding(3);
        format.setCellSpacing(0);
        format.setBorderCollapse(true);
        table = cursor.insertTable(1, std::max(1, cellsDefined), format);
        tableRow = tableColumn = 0;
        rowOpen = true;
        cellEnded = false;
        return;
    }
    if (!rowOpen) {
        table->appendRows(1);
        ++tableRow;
        tableColumn = 0;
        rowOpen = true;
        cellEnded = false;
        if (cellsDefined > table->columns())
            table->appendColumns(cellsDefined - table->columns());
    } else if (cellEnded) {
        cellEnded = false;
        if (tableColumn + 1 >= table->columns() && table->columns() < kMostColumns)
            table->appendColumns(1);
        tableColumn = std::min(tableColumn + 1, table->columns() - 1);
    } else {
        return;
    }
    cursor = table->cellAt(tableRow, tableColumn).firstCursorPosition();
}

void RtfReader::leaveTable()
{
    cursor = table->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
    table = nullptr;
}

void RtfReader::nextCell()
{
    flushText();
    state.paragraph.inTable = true;  // a cell ends a table paragraph even without \intbl
    enterTable();                    // an empty cell still takes its place in the row
    cellEnded = true;
}

void RtfReader::endRow()
{
    flushText();
    rowOpen = false;
    cellEnded = false;
}
