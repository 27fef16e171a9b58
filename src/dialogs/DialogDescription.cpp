#include "dialogs/DialogDescription.h"

#include "interface/InterfaceKeyTables.h"
#include "interface/InterfaceScanner.h"

namespace {

using V = const TKeyValue&;

constexpr int kMaxPages = 64;

const TKeyRule<RDialogText> textRequired[] = {
    {"vx", [](RDialogText& r, V v) { r.Left = v.Int(); }},
    {"vy", [](RDialogText& r, V v) { r.Top = v.Int(); }},
    {"vw", [](RDialogText& r, V v) { r.Right = v.Int(); }},
    {"font", [](RDialogText& r, V v) { r.Font = v.Str(); }},
    {"size", [](RDialogText& r, V v) { r.Size = v.Int(); }},
    {"style", [](RDialogText& r, V v) { r.Style = v.Str(); }},
    {"color", [](RDialogText& r, V v) { r.Color = v.Colour(); }},
    {"value", [](RDialogText&, V) {}},
};

const TKeyRule<RDialogButton> buttonRequired[] = {
    {"vx", [](RDialogButton& r, V v) { r.Left = v.Int(); }},
    {"vy", [](RDialogButton& r, V v) { r.Top = v.Int(); }},
    {"align", [](RDialogButton& r, V v) { r.Align = v.Str().trimmed(); }},
    {"fn1", [](RDialogButton& r, V v) { r.PicUp = v.Str(); }},
    {"fn2", [](RDialogButton& r, V v) { r.PicMv = v.Str(); }},
    {"fn3", [](RDialogButton& r, V v) { r.PicDn = v.Str(); }},
    {"go", [](RDialogButton& r, V v) { r.Command = v.Str(); }},
    {"hint", [](RDialogButton& r, V v) { r.Hint = v.Str(); }},
    {"wav", [](RDialogButton& r, V v) { r.Sound = v.Str(); }},
};

TDialogPage* PageOf(QList<TDialogPage>& pages, const QString& line)
{
    const int page = FirstNumberIn(line) - 1;
    if (page < 0 || page >= kMaxPages) {
        return nullptr;
    }
    if (pages.size() <= page) {
        pages.resize(page + 1);
    }
    return &pages[page];
}

// Reads one element's keys from its marker line on; the scan's last line,
// or the marker line when the element is incomplete.
template <typename R>
int ScanElement(const TDynamicStringArray& lines, int marker, std::span<const TKeyRule<R>> required,
                std::span<const TKeyRule<R>> optional, std::optional<R>& record)
{
    TSectionScanner scanner(lines, marker);
    R read;
    if (!scanner.Scan(required, optional, read)) {
        return marker;
    }
    record = read;
    return scanner.Line();
}

} // namespace

int FirstNumberIn(const QString& line)
{
    qsizetype at = 0;
    while (at < line.size() && !line.at(at).isDigit()) {
        ++at;
    }
    qsizetype end = at;
    while (end < line.size() && line.at(end).isDigit() && end - at < 9) {
        ++end;
    }
    return end > at ? line.mid(at, end - at).toInt() : -1;
}

QList<TDialogPage> ReadDialogDescription(const TDynamicStringArray& lines)
{
    QList<TDialogPage> pages;
    for (int index = 0; index < lines.size(); ++index) {
        const QString& line = lines[index];
        if (line.contains(QLatin1String("_picture"))) {
            if (TDialogPage* page = PageOf(pages, line)) {
                const qsizetype at = line.indexOf(QLatin1String("picture"));
                page->Picture = line.mid(at + 8).section(QLatin1Char(';'), 0, 0).trimmed();
            }
        } else if (line.contains(QLatin1String("_text"))) {
            std::optional<RDialogText> text;
            const int last = ScanElement<RDialogText>(lines, index, textRequired, {}, text);
            if (TDialogPage* page = text ? PageOf(pages, line) : nullptr) {
                page->Text = text;
            }
            index = last;
        } else if (line.contains(QLatin1String("_button"))) {
            std::optional<RDialogButton> button;
            const int last = ScanElement<RDialogButton>(lines, index, buttonRequired, {}, button);
            if (TDialogPage* page = button ? PageOf(pages, line) : nullptr) {
                page->Buttons.append(*button);
            }
            index = last;
        } else if (line.contains(QLatin1String("switchgrp"))) {
            std::optional<RSwthGrp> switcher;
            const int last =
                ScanElement<RSwthGrp>(lines, index, InterfaceKeys::SwitchGroupRequired(),
                                      InterfaceKeys::SwitchGroupOptional(), switcher);
            if (TDialogPage* page = switcher ? PageOf(pages, line) : nullptr) {
                page->Switches.append(*switcher);
            }
            index = last;
        }
    }
    return pages;
}
