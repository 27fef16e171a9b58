#include "data/ValueReaders.h"
#include "interface/InterfaceKeyTables.h"
#include "interface/InterfaceParser.h"
#include "interface/InterfaceScanner.h"

#include <optional>

namespace {

using namespace InterfaceKeys;

enum SectionWord {
    WordButton,
    WordSwitchOne,
    WordSwitchGrp,
    WordHtml,
    WordFindTxt,
    WordPath,
    WordClip,
    WordText,
    WordImage,
    WordPopup,
    WordScreen,
};

// The first section word in a line, or -1.
int sectionWordIn(const QString& line)
{
    const QStringList& words = SectionWords();
    for (int word = 0; word < words.size(); ++word) {
        if (line.contains(words[word])) {
            return word;
        }
    }
    return -1;
}

// The second pass: section by section, each read from its own line on.
class TElementReader {
public:
    TElementReader(const TDynamicStringArray& lines, TInterfaceDescription& description,
                   TDiagnosticSink sink)
        : lines_(lines), description_(description), sink_(sink)
    {
    }

    void Run()
    {
        for (line_ = 0; line_ < lines_.size(); ++line_) {
            const int word = sectionWordIn(lines_[line_]);
            if (word < 0) {
                continue;
            }
            const std::optional<int> screen = screenOfSection(SectionWord(word));
            if (screen && !readSection(SectionWord(word), *screen)) {
                break;
            }
        }
        reportScreens();
    }

private:
    std::optional<int> screenOfSection(SectionWord word)
    {
        const qint32 number = ReadIntValue(lines_[line_], 1);
        if (number < 1) {
            report(TInterfaceIssue::SectionWithoutScreen, line_,
                   QStringLiteral("section \"%1\" has no screen number; it is left out")
                       .arg(SectionWords()[word]));
            return std::nullopt;
        }
        if (number > MaxScreens) {
            report(TInterfaceIssue::ScreenOutOfRange, line_,
                   QStringLiteral("section \"%1\" is on screen %2; screens above %3 are left out")
                       .arg(SectionWords()[word])
                       .arg(number)
                       .arg(MaxScreens));
            return std::nullopt;
        }
        return number - 1;
    }

    // Reads one section and moves to the line of its last key. False when a
    // required key never came: the element is dropped and the pass ends.
    bool readSection(SectionWord word, int screen)
    {
        if (word == WordScreen) {
            declareScreen(screen);
            checkElementLines(line_, {});
            return true;
        }
        TSectionScanner scanner(lines_, line_);
        if (!scanAndStore(scanner, word, screen)) {
            report(TInterfaceIssue::IncompleteSection, line_,
                   QStringLiteral("section \"%1\" lacks the key \"%2\"; it is left out and "
                                  "nothing after it is read")
                       .arg(SectionWords()[word], scanner.MissingKey()));
            return false;
        }
        checkElementLines(scanner.Line(), scanner.SkippedLines());
        line_ = scanner.Line();
        return true;
    }

    bool scanAndStore(TSectionScanner& scanner, SectionWord word, int screen)
    {
        TInterfaceDescription& d = description_;
        switch (word) {
        case WordButton:
            return scanPerScreen<RBtn>(scanner, ButtonRequired(), ButtonOptional(), d.Buttons,
                                       screen);
        case WordSwitchOne:
            return scanPerScreen<RSwthOne>(scanner, SwitchRequired(), SwitchOptional(), d.Switches,
                                           screen);
        case WordSwitchGrp:
            return scanPerScreen<RSwthGrp>(scanner, SwitchGroupRequired(), SwitchGroupOptional(),
                                           d.SwitchGroups, screen);
        case WordPopup:
            return scanPerScreen<RPopupData>(scanner, PopupRequired(), {}, d.Popups, screen);
        case WordHtml:
            return scanOnScreen<RHTML>(scanner, HtmlRequired(), d.Html, screen);
        case WordFindTxt:
            return scanOnScreen<RFindTxt>(scanner, FindTxtRequired(), d.FindTxt, screen);
        case WordPath:
            return scanOnScreen<RPathInput>(scanner, PathInputRequired(), d.PathInput, screen);
        case WordClip:
            return scanOnScreen<RClip>(scanner, ClipRequired(), d.Clips, screen);
        case WordText:
            return scanOnScreen<RText>(scanner, TextRequired(), d.Texts, screen);
        case WordImage:
            return scanOnScreen<RImage>(scanner, ImageRequired(), d.Images, screen);
        case WordScreen:
            break;
        }
        return true;
    }

    // Kinds kept in one list per screen.
    template <typename R>
    bool scanPerScreen(TSectionScanner& scanner, Rules<R> required, Rules<R> optional,
                       QList<QList<R>>& lists, int screen)
    {
        R record;
        if (!scanner.Scan<R>(required, optional, record)) {
            return false;
        }
        growTo(screen);
        lists[screen].append(record);
        return true;
    }

    // Kinds kept in one list, each record holding its screen.
    template <typename R>
    bool scanOnScreen(TSectionScanner& scanner, Rules<R> required, QList<R>& list, int screen)
    {
        R record;
        if (!scanner.Scan<R>(required, {}, record)) {
            return false;
        }
        growTo(screen);
        record.Screen = screen;
        list.append(record);
        return true;
    }

    // Every per-screen list grows together, up to the highest screen seen.
    void growTo(int screen)
    {
        TInterfaceDescription& d = description_;
        const qsizetype count = qMax<qsizetype>(d.Buttons.size(), screen + 1);
        d.Buttons.resize(count);
        d.Switches.resize(count);
        d.SwitchGroups.resize(count);
        d.Popups.resize(count);
        d.ScreenBackgrounds.resize(count);
        declared_.resize(count);
    }

    void declareScreen(int screen)
    {
        growTo(screen);
        if (declared_[screen]) {
            report(TInterfaceIssue::ScreenDeclaredTwice, line_,
                   QStringLiteral("screen %1 is declared again; its system buttons are added "
                                  "a second time")
                       .arg(screen + 1));
        }
        declared_[screen] = true;
        description_.Buttons[screen].append(description_.MinimizeButton);
        description_.Buttons[screen].append(description_.CloseButton);
        const QString& line = lines_[line_];
        const int position = int(line.indexOf(QLatin1String("screen"))) + 1;
        description_.ScreenBackgrounds[screen] = ReadStrValue(line, position + 7);
    }

    // Lines of an element that the first pass also reads, and skipped lines
    // that look like the start of another section.
    void checkElementLines(int lastLine, const QList<int>& skippedLines)
    {
        for (int line = line_; line <= lastLine; ++line) {
            for (const QString& key : GlobalKeyWords()) {
                if (lines_[line].contains(key)) {
                    report(TInterfaceIssue::FirstPassKeyInElement, line,
                           QStringLiteral("the global key word \"%1\" stands inside an element "
                                          "and is read again by the first pass")
                               .arg(key));
                }
            }
        }
        for (const int line : skippedLines) {
            const int word = sectionWordIn(lines_[line]);
            if (line != line_ && word >= 0) {
                report(TInterfaceIssue::SectionWordInsideSection, line,
                       QStringLiteral("\"%1\" is read as part of the section of line %2; a key "
                                      "of that section may be missing")
                           .arg(SectionWords()[word])
                           .arg(line_ + 1));
            }
        }
    }

    void reportScreens()
    {
        if (description_.Buttons.isEmpty()) {
            report(TInterfaceIssue::NoScreen, -1,
                   QStringLiteral("no screen is declared: the window has no background"));
        }
        for (int screen = 0; screen < declared_.size(); ++screen) {
            if (!declared_[screen]) {
                report(TInterfaceIssue::ScreenWithoutDeclaration, -1,
                       QStringLiteral("screen %1 has elements but no \"_screen\" line: no "
                                      "background and no system buttons")
                           .arg(screen + 1));
            }
        }
    }

    void report(TInterfaceIssue issue, int line, const QString& message) const
    {
        sink_.Report(issue, line, message);
    }

    const TDynamicStringArray& lines_;
    TInterfaceDescription& description_;
    TDiagnosticSink sink_;
    TDynamicBooleanArray declared_;
    int line_ = 0;
};

} // namespace

void ReadInterfaceElements(const TDynamicStringArray& lines, TInterfaceDescription& description,
                           TInterfaceDiagnostics* diagnostics)
{
    TElementReader(lines, description, TDiagnosticSink(diagnostics)).Run();
}
