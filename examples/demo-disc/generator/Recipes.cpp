#include "Recipes.h"

#include <QHash>

namespace {

QHash<QString, Recipe> makeTable()
{
    return {
        {QStringLiteral("sysmin"), {Shape::System, Glyph::Minus, {28, 28}, false}},
        {QStringLiteral("sysx"), {Shape::System, Glyph::Cross, {28, 28}, true}},
        {QStringLiteral("read"), {Shape::Big, Glyph::Book, {260, 56}, false}},
        {QStringLiteral("seek"), {Shape::Big, Glyph::Magnifier, {260, 56}, false}},
        {QStringLiteral("info"), {Shape::Big, Glyph::Info, {260, 56}, false}},
        {QStringLiteral("quit"), {Shape::Big, Glyph::Door, {260, 56}, false}},
        {QStringLiteral("more"), {Shape::Pill, Glyph::Dots, {84, 30}, false}},
        {QStringLiteral("tree"), {Shape::Pill, Glyph::Contents, {118, 30}, false}},
        {QStringLiteral("case"), {Shape::Pill, Glyph::Letters, {94, 30}, false}},
        {QStringLiteral("find"), {Shape::Pill, Glyph::Magnifier, {90, 30}, false}},
        {QStringLiteral("ch1"), {Shape::Tab, Glyph::None, {72, 34}, false}},
        {QStringLiteral("ch2"), {Shape::Tab, Glyph::None, {72, 34}, false}},
        {QStringLiteral("ch3"), {Shape::Tab, Glyph::None, {72, 34}, false}},
        {QStringLiteral("v2d"), {Shape::Tab, Glyph::None, {72, 34}, false}},
        {QStringLiteral("v3d"), {Shape::Tab, Glyph::None, {72, 34}, false}},
        {QStringLiteral("mprv"), {Shape::Mini, Glyph::ChevronLeft, {35, 22}, false}},
        {QStringLiteral("mnxt"), {Shape::Mini, Glyph::ChevronRight, {35, 22}, false}},
        {QStringLiteral("play"), {Shape::Mini, Glyph::Play, {22, 22}, false}},
        {QStringLiteral("paus"), {Shape::Mini, Glyph::Pause, {22, 22}, false}},
        {QStringLiteral("stop"), {Shape::Mini, Glyph::Stop, {22, 22}, false}},
        {QStringLiteral("musc"), {Shape::Column, Glyph::Note, {72, 53}, false}},
        {QStringLiteral("back"), {Shape::SplitLeft, Glyph::ArrowLeft, {40, 36}, false}},
        {QStringLiteral("hbak"), {Shape::SplitRight, Glyph::Caret, {20, 36}, false}},
        {QStringLiteral("fwd"), {Shape::SplitLeft, Glyph::ArrowRight, {40, 36}, false}},
        {QStringLiteral("hfwd"), {Shape::SplitRight, Glyph::Caret, {20, 36}, false}},
        {QStringLiteral("home"), {Shape::Pill, Glyph::House, {116, 36}, false}},
        {QStringLiteral("favs"), {Shape::Square, Glyph::Star, {40, 36}, false}},
        {QStringLiteral("addf"), {Shape::Square, Glyph::StarPlus, {40, 36}, false}},
        {QStringLiteral("prnt"), {Shape::Square, Glyph::Printer, {40, 36}, false}},
        {QStringLiteral("copy"), {Shape::Square, Glyph::FolderArrow, {40, 36}, false}},
        {QStringLiteral("gall"), {Shape::Pill, Glyph::None, {72, 36}, false}},
        {QStringLiteral("unrc"), {Shape::Square, Glyph::Folder, {40, 36}, false}},
        {QStringLiteral("tezr"), {Shape::Pill, Glyph::Letters, {72, 34}, false}},
        {QStringLiteral("sprv"), {Shape::Round, Glyph::ArrowLeft, {48, 40}, false}},
        {QStringLiteral("snxt"), {Shape::Round, Glyph::ArrowRight, {48, 40}, false}},
        {QStringLiteral("s3rd"), {Shape::Pill, Glyph::Book, {124, 40}, false}},
        {QStringLiteral("s3hm"), {Shape::Pill, Glyph::House, {124, 40}, false}},
    };
}

} // namespace

namespace Recipes {

const Recipe* find(const QString& stem)
{
    static const QHash<QString, Recipe> table = makeTable();
    const auto found = table.constFind(stem);
    return found == table.constEnd() ? nullptr : &found.value();
}

QString stemOf(const QString& pictureName)
{
    return pictureName.left(pictureName.lastIndexOf(QLatin1Char('_')));
}

Look lookOf(bool isSwitch, int index)
{
    if (isSwitch) {
        return Look{index == 1 || index == 2, false, index >= 2};
    }
    return Look{index >= 1, index == 2, false};
}

} // namespace Recipes
