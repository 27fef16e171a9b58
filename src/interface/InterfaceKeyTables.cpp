#include "interface/InterfaceKeyTables.h"

#include "data/ValueReaders.h"

namespace InterfaceKeys {

namespace {

using V = const TKeyValue&;

const TKeyRule<RBtn> buttonRequired[] = {
    {"vx", [](RBtn& r, V v) { r.Left = v.Int(); }},
    {"vy", [](RBtn& r, V v) { r.Top = v.Int(); }},
    {"fn1", [](RBtn& r, V v) { r.PicUp = v.Str(); }},
    {"fn2", [](RBtn& r, V v) { r.PicMv = v.Str(); }},
    {"fn3", [](RBtn& r, V v) { r.PicDn = v.Str(); }},
    {"go", [](RBtn& r, V v) { r.Command = v.Str(); }},
    {"hint", [](RBtn& r, V v) { r.Hint = v.Str(); }},
    {"wav", [](RBtn& r, V v) { r.Sound = v.Str(); }},
};

const TKeyRule<RBtn> systemButtonRequired[] = {
    buttonRequired[0], buttonRequired[1], buttonRequired[2], buttonRequired[3],
    buttonRequired[4], buttonRequired[6], buttonRequired[7],
};

const TKeyRule<RBtn> buttonOptional[] = {
    {"textcaption", [](RBtn& r, V v) { r.Caption = v.Str(); }},
    {"texttx", [](RBtn& r, V v) { r.TextLeft = v.Int(); }},
    {"textty", [](RBtn& r, V v) { r.TextTop = v.Int(); }},
    {"textbx", [](RBtn& r, V v) { r.TextRight = v.Int(); }},
    {"textby", [](RBtn& r, V v) { r.TextBottom = v.Int(); }},
    {"textfontname", [](RBtn& r, V v) { r.FontName = v.Str(); }},
    {"textfontsize", [](RBtn& r, V v) { r.FontSize = v.Int(); }},
    {"textfontstyleup", [](RBtn& r, V v) { r.StyleUp = v.Style(); }},
    {"textfontstylemv", [](RBtn& r, V v) { r.StyleMv = v.Style(); }},
    {"textfontstyledn", [](RBtn& r, V v) { r.StyleDn = v.Style(); }},
    {"textfontcolorup", [](RBtn& r, V v) { r.ColorUp = v.Colour(); }},
    {"textfontcolormv", [](RBtn& r, V v) { r.ColorMv = v.Colour(); }},
    {"textfontcolordn", [](RBtn& r, V v) { r.ColorDn = v.Colour(); }},
};

const TKeyRule<RHelpWin> helpWinRequired[] = {
    {"vw", [](RHelpWin& r, V v) { r.Width = v.Int(); }},
    {"vh", [](RHelpWin& r, V v) { r.Height = v.Int(); }},
    {"fn", [](RHelpWin& r, V v) { r.File = v.Expanded(); }},
};

const TKeyRule<RSwthOne> switchRequired[] = {
    {"vx", [](RSwthOne& r, V v) { r.Left = v.Int(); }},
    {"vy", [](RSwthOne& r, V v) { r.Top = v.Int(); }},
    {"fn1", [](RSwthOne& r, V v) { r.PicUp = v.Str(); }},
    {"fn2", [](RSwthOne& r, V v) { r.PicMvUp = v.Str(); }},
    {"fn3", [](RSwthOne& r, V v) { r.PicMvDn = v.Str(); }},
    {"fn4", [](RSwthOne& r, V v) { r.PicDn = v.Str(); }},
    {"state", [](RSwthOne& r, V v) { r.State = v.Flag(); }},
    {"store", [](RSwthOne& r, V v) { r.Store = v.Flag(); }},
    {"goup", [](RSwthOne& r, V v) { r.CmdUp = v.Expanded(); }},
    {"godown", [](RSwthOne& r, V v) { r.CmdDown = v.Expanded(); }},
    {"hint", [](RSwthOne& r, V v) { r.Hint = v.Str(); }},
    {"wav", [](RSwthOne& r, V v) { r.Sound = v.Str(); }},
};

const TKeyRule<RSwthOne> switchOptional[] = {
    {"textcaptionup", [](RSwthOne& r, V v) { r.CaptionUp = v.Str(); }},
    {"textcaptiondn", [](RSwthOne& r, V v) { r.CaptionDn = v.Str(); }},
    {"texttxup", [](RSwthOne& r, V v) { r.TextUpLeft = v.Int(); }},
    {"texttyup", [](RSwthOne& r, V v) { r.TextUpTop = v.Int(); }},
    {"textbxup", [](RSwthOne& r, V v) { r.TextUpRight = v.Int(); }},
    {"textbyup", [](RSwthOne& r, V v) { r.TextUpBottom = v.Int(); }},
    {"texttxdn", [](RSwthOne& r, V v) { r.TextDnLeft = v.Int(); }},
    {"texttydn", [](RSwthOne& r, V v) { r.TextDnTop = v.Int(); }},
    {"textbxdn", [](RSwthOne& r, V v) { r.TextDnRight = v.Int(); }},
    {"textbydn", [](RSwthOne& r, V v) { r.TextDnBottom = v.Int(); }},
    {"textfontname", [](RSwthOne& r, V v) { r.FontName = v.Str(); }},
    {"textfontsize", [](RSwthOne& r, V v) { r.FontSize = v.Int(); }},
    {"textfontstyleup", [](RSwthOne& r, V v) { r.StyleUp = v.Style(); }},
    {"textfontstylemvup", [](RSwthOne& r, V v) { r.StyleMvUp = v.Style(); }},
    {"textfontstylemvdn", [](RSwthOne& r, V v) { r.StyleMvDn = v.Style(); }},
    {"textfontstyledn", [](RSwthOne& r, V v) { r.StyleDn = v.Style(); }},
    {"textfontcolorup", [](RSwthOne& r, V v) { r.ColorUp = v.Colour(); }},
    {"textfontcolormvup", [](RSwthOne& r, V v) { r.ColorMvUp = v.Colour(); }},
    {"textfontcolormvdn", [](RSwthOne& r, V v) { r.ColorMvDn = v.Colour(); }},
    {"textfontcolordn", [](RSwthOne& r, V v) { r.ColorDn = v.Colour(); }},
};

const TKeyRule<RSwthGrp> switchGroupRequired[] = {
    {"vx", [](RSwthGrp& r, V v) { r.Left = v.Int(); }},
    {"vy", [](RSwthGrp& r, V v) { r.Top = v.Int(); }},
    {"fn1", [](RSwthGrp& r, V v) { r.PicUp = v.Str(); }},
    {"fn2", [](RSwthGrp& r, V v) { r.PicMvUp = v.Str(); }},
    {"fn3", [](RSwthGrp& r, V v) { r.PicMvDn = v.Str(); }},
    {"fn4", [](RSwthGrp& r, V v) { r.PicDn = v.Str(); }},
    {"state", [](RSwthGrp& r, V v) { r.State = v.Flag(); }},
    {"store", [](RSwthGrp& r, V v) { r.Store = v.Flag(); }},
    {"group", [](RSwthGrp& r, V v) { r.Group = v.Int(); }},
    {"go", [](RSwthGrp& r, V v) { r.Command = v.Expanded(); }},
    {"hint", [](RSwthGrp& r, V v) { r.Hint = v.Str(); }},
    {"wav", [](RSwthGrp& r, V v) { r.Sound = v.Str(); }},
};

const TKeyRule<RSwthGrp> switchGroupOptional[] = {
    {"textcaptionup", [](RSwthGrp& r, V v) { r.CaptionUp = v.Str(); }},
    {"textcaptiondn", [](RSwthGrp& r, V v) { r.CaptionDn = v.Str(); }},
    {"texttx", [](RSwthGrp& r, V v) { r.TextLeft = v.Int(); }},
    {"textty", [](RSwthGrp& r, V v) { r.TextTop = v.Int(); }},
    {"textbx", [](RSwthGrp& r, V v) { r.TextRight = v.Int(); }},
    {"textby", [](RSwthGrp& r, V v) { r.TextBottom = v.Int(); }},
    {"textfontname", [](RSwthGrp& r, V v) { r.FontName = v.Str(); }},
    {"textfontsize", [](RSwthGrp& r, V v) { r.FontSize = v.Int(); }},
    {"textfontstyleup", [](RSwthGrp& r, V v) { r.StyleUp = v.Style(); }},
    {"textfontstylemvup", [](RSwthGrp& r, V v) { r.StyleMvUp = v.Style(); }},
    {"textfontstylemvdn", [](RSwthGrp& r, V v) { r.StyleMvDn = v.Style(); }},
    {"textfontstyledn", [](RSwthGrp& r, V v) { r.StyleDn = v.Style(); }},
    {"textfontcolorup", [](RSwthGrp& r, V v) { r.ColorUp = v.Colour(); }},
    {"textfontcolormvup", [](RSwthGrp& r, V v) { r.ColorMvUp = v.Colour(); }},
    {"textfontcolormvdn", [](RSwthGrp& r, V v) { r.ColorMvDn = v.Colour(); }},
    {"textfontcolordn", [](RSwthGrp& r, V v) { r.ColorDn = v.Colour(); }},
};

// The rectangle keys every area record starts with.
template <typename R> constexpr TKeyRule<R> Vx{"vx", [](R& r, V v) { r.Left = v.Int(); }};
template <typename R> constexpr TKeyRule<R> Vy{"vy", [](R& r, V v) { r.Top = v.Int(); }};
template <typename R> constexpr TKeyRule<R> Vw{"vw", [](R& r, V v) { r.Right = v.Int(); }};
template <typename R> constexpr TKeyRule<R> Vh{"vh", [](R& r, V v) { r.Bottom = v.Int(); }};

const TKeyRule<RHTML> htmlRequired[] = {
    Vx<RHTML>,
    Vy<RHTML>,
    Vw<RHTML>,
    Vh<RHTML>,
    {"fn", [](RHTML& r, V v) { r.File = v.Expanded(); }},
    {"number", [](RHTML& r, V v) { r.Number = v.Int(); }},
};

const TKeyRule<RFindTxt> findTxtRequired[] = {
    Vx<RFindTxt>,
    Vy<RFindTxt>,
    Vw<RFindTxt>,
    Vh<RFindTxt>,
    {"frame", [](RFindTxt& r, V v) { r.Frame = v.Str(); }},
    {"nofiles", [](RFindTxt& r, V v) { r.NoFiles = v.List(); }},
    {"number", [](RFindTxt& r, V v) { r.Number = v.Int(); }},
    {"hint", [](RFindTxt& r, V v) { r.Hint = v.Str(); }},
};

const TKeyRule<RPathInput> pathInputRequired[] = {
    Vx<RPathInput>,
    Vy<RPathInput>,
    Vw<RPathInput>,
    Vh<RPathInput>,
    {"pathdef", [](RPathInput& r, V v) { r.PathDef = v.Str(); }},
    {"hint", [](RPathInput& r, V v) { r.Hint = v.Str(); }},
};

const TKeyRule<RClip> clipRequired[] = {
    Vx<RClip>,
    Vy<RClip>,
    Vw<RClip>,
    Vh<RClip>,
    {"bgcolor", [](RClip& r, V v) { r.BgColor = v.Colour(); }},
    {"html", [](RClip& r, V v) { r.Html = v.Int(); }},
};

const TKeyRule<RText> textRequired[] = {
    Vx<RText>,
    Vy<RText>,
    Vw<RText>,
    {"font", [](RText& r, V v) { r.Font = v.Str(); }},
    {"size", [](RText& r, V v) { r.Size = v.Int(); }},
    {"style", [](RText& r, V v) { r.Style = v.Str(); }},
    {"color", [](RText& r, V v) { r.Color = v.Colour(); }},
    {"value", [](RText& r, V v) { r.Value = v.Str(); }},
    {"ident", [](RText& r, V v) { r.Ident = v.Str(); }},
    {"number", [](RText& r, V v) { r.Number = v.Int(); }},
};

const TKeyRule<RImage> imageRequired[] = {
    Vx<RImage>,
    Vy<RImage>,
    Vw<RImage>,
    Vh<RImage>,
    {"dir", [](RImage& r, V v) { r.Dir = ImageFolder(v.Str()); }},
};

const TKeyRule<RPopupData> popupRequired[] = {
    {"xfon", [](RPopupData& r, V v) { r.BackLeft = v.Int(); }},
    {"yfon", [](RPopupData& r, V v) { r.BackTop = v.Int(); }},
    {"fnfon", [](RPopupData& r, V v) { r.BackPicture = v.Str(); }},
    {"xbtn", [](RPopupData& r, V v) { r.ItemLeft = v.Int(); }},
    {"ybtn", [](RPopupData& r, V v) { r.ItemTop = v.Int(); }},
    {"fnbtnup", [](RPopupData& r, V v) { r.ItemPicsUp = v.List(); }},
    {"fnbtnmove", [](RPopupData& r, V v) { r.ItemPicsMove = v.List(); }},
    {"fnbtndown", [](RPopupData& r, V v) { r.ItemPicsDown = v.List(); }},
    {"fontup", [](RPopupData& r, V v) { r.Font[0] = v.Str(); }},
    {"sizeup", [](RPopupData& r, V v) { r.Size[0] = v.Int(); }},
    {"styleup", [](RPopupData& r, V v) { r.Style[0] = v.Str(); }},
    {"colorup", [](RPopupData& r, V v) { r.Color[0] = v.Colour(); }},
    {"fontmv", [](RPopupData& r, V v) { r.Font[1] = v.Str(); }},
    {"sizemv", [](RPopupData& r, V v) { r.Size[1] = v.Int(); }},
    {"stylemv", [](RPopupData& r, V v) { r.Style[1] = v.Str(); }},
    {"colormv", [](RPopupData& r, V v) { r.Color[1] = v.Colour(); }},
    {"caption", [](RPopupData& r, V v) { r.Captions = v.List(); }},
    {"go", [](RPopupData& r, V v) { r.Commands = v.List(); }},
    {"parent", [](RPopupData& r, V v) { r.Parent = v.Str(); }},
    {"type", [](RPopupData& r, V v) { r.Kind = PopupKind(v); }},
    {"vertex", [](RPopupData& r, V v) { r.Vertices = v.List(); }},
};

} // namespace

Rules<RBtn> ButtonRequired()
{
    return buttonRequired;
}
Rules<RBtn> ButtonOptional()
{
    return buttonOptional;
}
Rules<RBtn> SystemButtonRequired()
{
    return systemButtonRequired;
}
Rules<RHelpWin> HelpWinRequired()
{
    return helpWinRequired;
}
Rules<RSwthOne> SwitchRequired()
{
    return switchRequired;
}
Rules<RSwthOne> SwitchOptional()
{
    return switchOptional;
}
Rules<RSwthGrp> SwitchGroupRequired()
{
    return switchGroupRequired;
}
Rules<RSwthGrp> SwitchGroupOptional()
{
    return switchGroupOptional;
}
Rules<RHTML> HtmlRequired()
{
    return htmlRequired;
}
Rules<RFindTxt> FindTxtRequired()
{
    return findTxtRequired;
}
Rules<RPathInput> PathInputRequired()
{
    return pathInputRequired;
}
Rules<RClip> ClipRequired()
{
    return clipRequired;
}
Rules<RText> TextRequired()
{
    return textRequired;
}
Rules<RImage> ImageRequired()
{
    return imageRequired;
}
Rules<RPopupData> PopupRequired()
{
    return popupRequired;
}

qint32 PopupKind(const TKeyValue& value)
{
    const QString rest = value.Rest();
    if (rest.contains(QLatin1String("historyback"))) {
        return PopupHistoryBack;
    }
    if (rest.contains(QLatin1String("historyforward"))) {
        return PopupHistoryForward;
    }
    if (rest.contains(QLatin1String("favorite"))) {
        return PopupFavorite;
    }
    if (rest.contains(QLatin1String("contexthtml"))) {
        return PopupContextHtml;
    }
    return value.Int();
}

QString ImageFolder(const QString& value)
{
    if (value.isEmpty()) {
        return value;
    }
    const QChar backslash = QLatin1Char('\\');
    return ExpandPath(value.endsWith(backslash) ? value : value + backslash);
}

} // namespace InterfaceKeys
