#include "DescriptionJson.h"

#include <QJsonArray>

namespace DescriptionJson {

namespace {

QJsonValue number(qint64 value)
{
    return QJsonValue(value);
}

QJsonArray strings(const TDynamicStringArray& list)
{
    return QJsonArray::fromStringList(list);
}

template <typename R, typename Convert> QJsonArray arrayOf(const QList<R>& list, Convert convert)
{
    QJsonArray array;
    for (const R& item : list) {
        array.append(convert(item));
    }
    return array;
}

// Left, Top, Right, Bottom and Screen of the rectangle records.
template <typename R> QJsonObject area(const R& record)
{
    return {{"Left", number(record.Left)},
            {"Top", number(record.Top)},
            {"Right", number(record.Right)},
            {"Bottom", number(record.Bottom)},
            {"Screen", number(record.Screen)}};
}

template <typename R> QJsonObject withArea(const R& record, const QJsonObject& fields)
{
    QJsonObject object = area(record);
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        object.insert(it.key(), it.value());
    }
    return object;
}

// The fields single switches and switch-group members share.
template <typename R> QJsonObject switchBase(const R& s)
{
    return {{"Left", number(s.Left)},
            {"Top", number(s.Top)},
            {"PicUp", s.PicUp},
            {"PicMvUp", s.PicMvUp},
            {"PicMvDn", s.PicMvDn},
            {"PicDn", s.PicDn},
            {"Store", s.Store},
            {"State", s.State},
            {"Hint", s.Hint},
            {"Sound", s.Sound},
            {"CaptionUp", s.CaptionUp},
            {"CaptionDn", s.CaptionDn},
            {"FontName", s.FontName},
            {"FontSize", number(s.FontSize)},
            {"StyleUp", number(s.StyleUp)},
            {"StyleMvUp", number(s.StyleMvUp)},
            {"StyleMvDn", number(s.StyleMvDn)},
            {"StyleDn", number(s.StyleDn)},
            {"ColorUp", number(s.ColorUp)},
            {"ColorMvUp", number(s.ColorMvUp)},
            {"ColorMvDn", number(s.ColorMvDn)},
            {"ColorDn", number(s.ColorDn)}};
}

QJsonObject fromScreen(const TInterfaceDescription& d, int screen)
{
    return {{"Buttons", arrayOf(d.Buttons.value(screen), fromButton)},
            {"Switches", arrayOf(d.Switches.value(screen), fromSwitch)},
            {"SwitchGroups", arrayOf(d.SwitchGroups.value(screen), fromSwitchGroup)},
            {"Popups", arrayOf(d.Popups.value(screen), fromPopup)}};
}

QJsonArray polygon(const QList<QPoint>& vertices)
{
    QJsonArray array;
    for (const QPoint& vertex : vertices) {
        array.append(QJsonArray{vertex.x(), vertex.y()});
    }
    return array;
}

QJsonObject fromHtml(const RHTML& r)
{
    return withArea(r, {{"File", r.File}, {"Number", number(r.Number)}});
}

QJsonObject fromFindTxt(const RFindTxt& r)
{
    return withArea(r, {{"Frame", r.Frame},
                        {"NoFiles", strings(r.NoFiles)},
                        {"Number", number(r.Number)},
                        {"Hint", r.Hint}});
}

QJsonObject fromPathInput(const RPathInput& r)
{
    return withArea(r, {{"PathDef", r.PathDef}, {"Hint", r.Hint}});
}

QJsonObject fromClip(const RClip& r)
{
    return withArea(r, {{"BgColor", number(r.BgColor)}, {"Html", number(r.Html)}});
}

QJsonObject fromText(const RText& r)
{
    return {{"Left", number(r.Left)},   {"Top", number(r.Top)},      {"Right", number(r.Right)},
            {"Font", r.Font},           {"Size", number(r.Size)},    {"Style", r.Style},
            {"Color", number(r.Color)}, {"Value", r.Value},          {"Number", number(r.Number)},
            {"Ident", r.Ident},         {"Screen", number(r.Screen)}};
}

QJsonObject fromImage(const RImage& r)
{
    return withArea(r, {{"Dir", r.Dir}});
}

} // namespace

QJsonObject fromButton(const RBtn& b)
{
    return {{"Left", number(b.Left)},
            {"Top", number(b.Top)},
            {"Caption", b.Caption},
            {"TextLeft", number(b.TextLeft)},
            {"TextTop", number(b.TextTop)},
            {"TextRight", number(b.TextRight)},
            {"TextBottom", number(b.TextBottom)},
            {"FontName", b.FontName},
            {"FontSize", number(b.FontSize)},
            {"StyleUp", number(b.StyleUp)},
            {"StyleMv", number(b.StyleMv)},
            {"StyleDn", number(b.StyleDn)},
            {"ColorUp", number(b.ColorUp)},
            {"ColorMv", number(b.ColorMv)},
            {"ColorDn", number(b.ColorDn)},
            {"PicUp", b.PicUp},
            {"PicMv", b.PicMv},
            {"PicDn", b.PicDn},
            {"Command", b.Command},
            {"Hint", b.Hint},
            {"Sound", b.Sound}};
}

QJsonObject fromSwitch(const RSwthOne& s)
{
    QJsonObject object = switchBase(s);
    object.insert("CmdUp", s.CmdUp);
    object.insert("CmdDown", s.CmdDown);
    const qint32 text[] = {s.TextUpLeft, s.TextUpTop, s.TextUpRight, s.TextUpBottom,
                           s.TextDnLeft, s.TextDnTop, s.TextDnRight, s.TextDnBottom};
    const char* names[] = {"TextUpLeft", "TextUpTop", "TextUpRight", "TextUpBottom",
                           "TextDnLeft", "TextDnTop", "TextDnRight", "TextDnBottom"};
    for (int i = 0; i < 8; ++i) {
        object.insert(QLatin1String(names[i]), number(text[i]));
    }
    return object;
}

QJsonObject fromSwitchGroup(const RSwthGrp& g)
{
    QJsonObject object = switchBase(g);
    object.insert("Group", number(g.Group));
    object.insert("Command", g.Command);
    object.insert("TextLeft", number(g.TextLeft));
    object.insert("TextTop", number(g.TextTop));
    object.insert("TextRight", number(g.TextRight));
    object.insert("TextBottom", number(g.TextBottom));
    return object;
}

QJsonObject fromPopup(const RPopupData& p)
{
    return {{"BackLeft", number(p.BackLeft)},
            {"BackTop", number(p.BackTop)},
            {"BackPicture", p.BackPicture},
            {"ItemLeft", number(p.ItemLeft)},
            {"ItemTop", number(p.ItemTop)},
            {"ItemPicsUp", strings(p.ItemPicsUp)},
            {"ItemPicsMove", strings(p.ItemPicsMove)},
            {"ItemPicsDown", strings(p.ItemPicsDown)},
            {"Font", QJsonArray{p.Font[0], p.Font[1]}},
            {"Size", QJsonArray{p.Size[0], p.Size[1]}},
            {"Style", QJsonArray{p.Style[0], p.Style[1]}},
            {"Color", QJsonArray{number(p.Color[0]), number(p.Color[1])}},
            {"Captions", strings(p.Captions)},
            {"Commands", strings(p.Commands)},
            {"Parent", p.Parent},
            {"Kind", number(p.Kind)},
            {"Vertices", strings(p.Vertices)}};
}

QJsonObject fromDescription(const TInterfaceDescription& d)
{
    QJsonArray screens;
    for (int screen = 0; screen < d.screenCount(); ++screen) {
        screens.append(fromScreen(d, screen));
    }
    return {{"DiskTitle", d.DiskTitle},
            {"CodecRequest", d.CodecRequest},
            {"IntroClip", d.IntroClip},
            {"IntroBackdrop", d.IntroBackdrop},
            {"HelpWinWidth", number(d.HelpWinWidth)},
            {"HelpWinHeight", number(d.HelpWinHeight)},
            {"HelpWinFile", d.HelpWinFile},
            {"Icon", d.Icon},
            {"BgSoundDefault", strings(d.BgSoundDefault)},
            {"WindowPolygon", polygon(d.WindowPolygon)},
            {"MinimizeButton", fromButton(d.MinimizeButton)},
            {"CloseButton", fromButton(d.CloseButton)},
            {"ScreenBackgrounds", strings(d.ScreenBackgrounds)},
            {"Screens", screens},
            {"Html", arrayOf(d.Html, fromHtml)},
            {"FindTxt", arrayOf(d.FindTxt, fromFindTxt)},
            {"PathInput", arrayOf(d.PathInput, fromPathInput)},
            {"Clips", arrayOf(d.Clips, fromClip)},
            {"Texts", arrayOf(d.Texts, fromText)},
            {"Images", arrayOf(d.Images, fromImage)}};
}

} // namespace DescriptionJson
