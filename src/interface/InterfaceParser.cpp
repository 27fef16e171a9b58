#include "interface/InterfaceParser.h"

#include "interface/InterfaceKeyTables.h"
#include "interface/InterfaceScanner.h"

namespace {

enum GlobalKey {
    KeyTitle,
    KeyCodec,
    KeyRolic,
    KeyHelpWin,
    KeyBackground,
    KeyIcon,
    KeyBgSoundDef,
    KeyVertexMain,
    KeyMinimize,
    KeyClose,
};

QString upperFirst(QString text)
{
    if (!text.isEmpty()) {
        text[0] = text[0].toUpper();
    }
    return text;
}

// A signed decimal number with optional blanks around it, within 32 bits.
bool parseCoordinate(const QString& text, int& value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok, 10);
    return ok;
}

// The first pass. Keys that read further lines move the pass to the line of
// their last value; the keys after them are then looked for in that line.
class TGlobalReader {
public:
    TGlobalReader(const TDynamicStringArray& lines, TInterfaceDescription& description,
                  TDiagnosticSink sink)
        : lines_(lines), description_(description), sink_(sink)
    {
    }

    void Run()
    {
        const QStringList& keys = GlobalKeyWords();
        for (line_ = 0; line_ < lines_.size(); ++line_) {
            for (int key = 0; key < keys.size(); ++key) {
                const int position = int(lines_[line_].indexOf(keys[key])) + 1;
                if (position > 0 && !act(GlobalKey(key), position)) {
                    return;
                }
            }
        }
    }

private:
    // False when the key's values ran to the end of the lines: the pass ends.
    bool act(GlobalKey key, int position)
    {
        const TKeyValue value(lines_, line_, position, int(GlobalKeyWords()[key].size()));
        switch (key) {
        case KeyTitle:
            description_.DiskTitle = upperFirst(value.Str());
            return true;
        case KeyCodec:
            description_.CodecRequest = value.Str();
            return true;
        case KeyRolic:
            description_.IntroClip = value.Str();
            return true;
        case KeyBackground:
            description_.IntroBackdrop = value.Str();
            return true;
        case KeyIcon:
            description_.Icon = value.Str();
            return true;
        case KeyBgSoundDef:
            description_.BgSoundDefault = value.List();
            return true;
        case KeyVertexMain:
            readPolygon(value.List());
            return true;
        case KeyHelpWin:
            return readHelpWin();
        case KeyMinimize:
            return readSystemButton(description_.MinimizeButton, QStringLiteral("minimize"));
        case KeyClose:
            return readSystemButton(description_.CloseButton, QStringLiteral("exit"));
        }
        return true;
    }

    bool readHelpWin()
    {
        InterfaceKeys::RHelpWin helpWin;
        TSectionScanner scanner(lines_, line_);
        if (!scanner.Scan<InterfaceKeys::RHelpWin>(InterfaceKeys::HelpWinRequired(), {}, helpWin)) {
            reportIncomplete(QStringLiteral("helpwin"), scanner.MissingKey());
            return false;
        }
        description_.HelpWinWidth = helpWin.Width;
        description_.HelpWinHeight = helpWin.Height;
        description_.HelpWinFile = helpWin.File;
        line_ = scanner.Line();
        return true;
    }

    bool readSystemButton(RBtn& button, const QString& command)
    {
        RBtn read;
        TSectionScanner scanner(lines_, line_);
        if (!scanner.Scan<RBtn>(InterfaceKeys::SystemButtonRequired(), {}, read)) {
            reportIncomplete(command == QLatin1String("exit") ? QStringLiteral("close") : command,
                             scanner.MissingKey());
            return false;
        }
        read.Command = command;
        button = read;
        line_ = scanner.Line();
        return true;
    }

    void readPolygon(const TDynamicStringArray& vertices)
    {
        description_.HasWindowPolygon = true;
        description_.WindowPolygon.clear();
        for (const QString& text : vertices) {
            if (description_.WindowPolygon.size() == MaxVertices) {
                sink_.Report(TInterfaceIssue::TooManyVertices, line_,
                             QStringLiteral("the window polygon has more than %1 vertices; the "
                                            "rest are ignored")
                                 .arg(MaxVertices));
                return;
            }
            QPoint vertex;
            if (!ParseVertex(text, vertex)) {
                description_.WindowPolygonValid = false;
                sink_.Report(TInterfaceIssue::InvalidVertex, line_,
                             QStringLiteral("window polygon vertex \"%1\" is not a pair x,y: the "
                                            "shell stops starting here")
                                 .arg(text));
                return;
            }
            description_.WindowPolygon.append(vertex);
        }
    }

    void reportIncomplete(const QString& section, const QString& missingKey)
    {
        sink_.Report(TInterfaceIssue::IncompleteSection, line_,
                     QStringLiteral("\"%1\" lacks the key \"%2\"; it is left out and nothing "
                                    "after it is read by the first pass")
                         .arg(section, missingKey));
    }

    const TDynamicStringArray& lines_;
    TInterfaceDescription& description_;
    TDiagnosticSink sink_;
    int line_ = 0;
};

} // namespace

TInterfaceDescription ReadInterfaceDescription(const TDynamicStringArray& lines,
                                               TInterfaceDiagnostics* diagnostics)
{
    TInterfaceDescription description;
    ReadInterfaceGlobals(lines, description, diagnostics);
    ReadInterfaceElements(lines, description, diagnostics);
    return description;
}

void ReadInterfaceGlobals(const TDynamicStringArray& lines, TInterfaceDescription& description,
                          TInterfaceDiagnostics* diagnostics)
{
    TGlobalReader(lines, description, TDiagnosticSink(diagnostics)).Run();
}

bool ParseVertex(const QString& text, QPoint& vertex)
{
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    int x = 0;
    int y = 0;
    if (comma < 0 || !parseCoordinate(text.left(comma), x) ||
        !parseCoordinate(text.mid(comma + 1), y)) {
        return false;
    }
    vertex = QPoint(x, y);
    return true;
}

const QStringList& GlobalKeyWords()
{
    static const QStringList words = {
        QStringLiteral("title"),      QStringLiteral("codec"),      QStringLiteral("rolic"),
        QStringLiteral("helpwin"),    QStringLiteral("background"), QStringLiteral("icon"),
        QStringLiteral("bgsounddef"), QStringLiteral("vertexmain"), QStringLiteral("minimize"),
        QStringLiteral("close"),
    };
    return words;
}

const QStringList& SectionWords()
{
    static const QStringList words = {
        QStringLiteral("button"), QStringLiteral("switchone"), QStringLiteral("switchgrp"),
        QStringLiteral("_html"),  QStringLiteral("_findtxt"),  QStringLiteral("_path"),
        QStringLiteral("_clip"),  QStringLiteral("_text"),     QStringLiteral("_image"),
        QStringLiteral("_popup"), QStringLiteral("_screen"),
    };
    return words;
}
