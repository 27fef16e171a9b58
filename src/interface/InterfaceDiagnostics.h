#pragma once

#include <QList>
#include <QString>

// What the interface description reader notices while it reads: places where
// a disc is likely to misbehave. The reader never stops for them; the shell
// ignores them and disctool's lint prints them.
enum class TInterfaceIssue {
    SectionWithoutScreen,     // a section line without a screen number: left out
    ScreenOutOfRange,         // a screen number above the supported count: left out
    IncompleteSection,        // a required key never came: element dropped, pass ended
    SectionWordInsideSection, // a skipped line of a section holds another section word
    FirstPassKeyInElement,    // a global key word inside an element's lines
    InvalidVertex,            // a window polygon vertex that is no number pair
    TooManyVertices,          // window polygon vertices beyond the supported count
    ScreenWithoutDeclaration, // elements on a screen that has no "_screen" line
    ScreenDeclaredTwice,      // a second "_screen" line for a screen
    NoScreen,                 // no screen at all: the window gets no background
};

struct RInterfaceDiagnostic {
    TInterfaceIssue Issue = TInterfaceIssue::IncompleteSection;
    int Line = 0; // 1-based line of the description; 0 when tied to no line
    QString Message;
};

using TInterfaceDiagnostics = QList<RInterfaceDiagnostic>;

// Where the reader reports; with no list attached reports are dropped.
class TDiagnosticSink {
public:
    explicit TDiagnosticSink(TInterfaceDiagnostics* list) : list_(list) {}

    // lineIndex is 0-based, as the reader counts; -1 for none.
    void Report(TInterfaceIssue issue, int lineIndex, const QString& message) const
    {
        if (list_ != nullptr) {
            list_->append({issue, lineIndex + 1, message});
        }
    }

private:
    TInterfaceDiagnostics* list_;
};
