#include "interface/InterfaceScanner.h"

#include "data/ValueReaders.h"

TKeyValue::TKeyValue(const TDynamicStringArray& lines, int& lineIndex, int position, int keyLength)
    : lines_(lines), lineIndex_(lineIndex), position_(position), keyLength_(keyLength)
{
}

qint32 TKeyValue::Int() const
{
    return ReadIntValue(line(), position_);
}

QString TKeyValue::Str() const
{
    return ReadStrValue(line(), position_ + keyLength_ + 1);
}

QString TKeyValue::Expanded() const
{
    return ExpandPath(Str());
}

TColor TKeyValue::Colour() const
{
    return ReadColorValue(line(), position_);
}

bool TKeyValue::Flag() const
{
    return Str().toLower() == QLatin1String("on");
}

TFontStyles TKeyValue::Style() const
{
    const QString value = Str();
    TFontStyles styles = 0;
    if (value.contains(QLatin1String("bold"))) {
        styles |= StyleBold;
    }
    if (value.contains(QLatin1String("italic"))) {
        styles |= StyleItalic;
    }
    if (value.contains(QLatin1String("underline"))) {
        styles |= StyleUnderline;
    }
    if (value.contains(QLatin1String("strikeout"))) {
        styles |= StyleStrikeOut;
    }
    return styles;
}

TDynamicStringArray TKeyValue::List() const
{
    return ReadListValue(lines_, lineIndex_);
}

QString TKeyValue::Rest() const
{
    return line().mid(position_ - 1);
}

TSectionScanner::TSectionScanner(const TDynamicStringArray& lines, int firstLine)
    : lines_(lines), line_(firstLine)
{
}

int TSectionScanner::positionOf(const char* key) const
{
    return int(lines_[line_].indexOf(QLatin1String(key))) + 1;
}
