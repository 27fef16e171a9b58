#pragma once

#include "data/ConfigText.h"
#include "data/ProcessPaths.h"
#include "interface/InterfaceParser.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// Lines of an interface description as the shell gets them: the text is
// encoded as a .cfs file and decoded lower-cased.
inline TDynamicStringArray DescriptionLines(const QString& text)
{
    QString crlf = text;
    crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    TDynamicStringArray lines;
    DecodeConfig(EncodeConfig(CodePage::toCp1251(crlf)), lines, true);
    return lines;
}

inline TInterfaceDescription ReadText(const QString& text,
                                      TInterfaceDiagnostics* diagnostics = nullptr)
{
    return ReadInterfaceDescription(DescriptionLines(text), diagnostics);
}

inline qsizetype CountIssues(const TInterfaceDiagnostics& diagnostics, TInterfaceIssue issue)
{
    return std::count_if(diagnostics.cbegin(), diagnostics.cend(),
                         [issue](const RInterfaceDiagnostic& d) { return d.Issue == issue; });
}

// Sets the program folder for one test and puts the old one back.
class InterfaceTest : public testing::Test {
protected:
    void SetUp() override
    {
        saved_ = Paths();
        Paths().AppDir = QStringLiteral("d:\\run\\");
        Paths().CdRoot = QStringLiteral("d:\\");
    }
    void TearDown() override { Paths() = saved_; }

private:
    ProcessPaths saved_;
};

// A complete button in the usual one-key-a-line form.
inline QString ButtonText(int screen, const QString& name)
{
    return QStringLiteral("button=%1\nvx=10\nvy=20\nfn1=%2_up.bmp\nfn2=%2_mv.bmp\n"
                          "fn3=%2_dn.bmp\ngo=%2\nhint=%2 hint\nwav=no\n")
        .arg(screen)
        .arg(name);
}
