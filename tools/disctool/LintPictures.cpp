#include "LintPictures.h"

namespace {

QString elementName(const char* kind, int screen, int index)
{
    return QStringLiteral("screen %1, %2 %3")
        .arg(screen + 1)
        .arg(QLatin1String(kind))
        .arg(index + 1);
}

// Popup item lists hold path-expanded names; the container entry is the file name.
QString fileNameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1);
}

} // namespace

QStringList LintPictures::check(const TInterfaceDescription& d)
{
    if (!d.Icon.isEmpty()) {
        use(d.Icon, QStringLiteral("the program"), "icon");
    }
    checkSystemButton(d.MinimizeButton, QStringLiteral("minimize"));
    checkSystemButton(d.CloseButton, QStringLiteral("close"));
    for (int screen = 0; screen < d.screenCount(); ++screen) {
        const QString background = d.ScreenBackgrounds.value(screen);
        if (!background.isEmpty()) {
            use(background, QStringLiteral("screen %1").arg(screen + 1), "background");
        }
        checkButtons(d.Buttons[screen], screen);
        checkSwitches(d.Switches[screen], screen, "switch");
        checkSwitches(d.SwitchGroups[screen], screen, "switch group member");
        checkPopups(d.Popups[screen], screen);
    }
    return warnings();
}

void LintPictures::checkSystemButton(const RBtn& button, const QString& section)
{
    if (button.Command.isEmpty()) {
        unnamed_.append(QStringLiteral("no \"%1\" section: every screen gets an empty %1 "
                                       "button that takes the size of the picture read before it")
                            .arg(section));
        return;
    }
    const QString user = section + QStringLiteral(" button");
    use(button.PicUp, user, "PicUp");
    use(button.PicMv, user, "PicMv");
    use(button.PicDn, user, "PicDn");
}

void LintPictures::checkButtons(const TDynamicBtnArray& buttons, int screen)
{
    for (int i = 0; i < buttons.size(); ++i) {
        const RBtn& b = buttons[i];
        if (b.Command.isEmpty() && b.PicUp.isEmpty() && b.Left == -1) {
            continue; // the empty copy of a missing system button, reported once above
        }
        const QString user = elementName("button", screen, i);
        use(b.PicUp, user, "PicUp");
        use(b.PicMv, user, "PicMv");
        use(b.PicDn, user, "PicDn");
    }
}

template <typename R>
void LintPictures::checkSwitches(const QList<R>& switches, int screen, const char* kind)
{
    for (int i = 0; i < switches.size(); ++i) {
        const QString user = elementName(kind, screen, i);
        const R& s = switches[i];
        use(s.PicUp, user, "PicUp");
        use(s.PicMvUp, user, "PicMvUp");
        use(s.PicMvDn, user, "PicMvDn");
        use(s.PicDn, user, "PicDn");
    }
}

void LintPictures::checkPopups(const TDynamicPopupArray& popups, int screen)
{
    for (int i = 0; i < popups.size(); ++i) {
        const RPopupData& p = popups[i];
        const QString user = elementName("popup", screen, i);
        use(p.BackPicture, user, "BackPicture");
        useAll(p.ItemPicsUp, user, "ItemPicsUp");
        useAll(p.ItemPicsMove, user, "ItemPicsMove");
        useAll(p.ItemPicsDown, user, "ItemPicsDown");
    }
}

void LintPictures::useAll(const TDynamicStringArray& paths, const QString& user, const char* field)
{
    for (const QString& path : paths) {
        use(fileNameOf(path), user, field);
    }
}

void LintPictures::use(const QString& name, const QString& element, const char* field)
{
    const QString user = QStringLiteral("%1 (%2)").arg(element, QLatin1String(field));
    if (name.isEmpty()) {
        unnamed_.append(
            QStringLiteral("%1 names no picture; it shows the picture read before it").arg(user));
        return;
    }
    if (container_.Exists(name)) {
        return;
    }
    const QString key = name.toLower();
    Use& entry = missing_[key];
    if (entry.count++ == 0) {
        entry.user = user;
        missingOrder_.append(name);
    }
}

QStringList LintPictures::warnings() const
{
    QStringList lines = unnamed_;
    for (const QString& name : missingOrder_) {
        const Use& entry = missing_.value(name.toLower());
        QString line =
            QStringLiteral("picture \"%1\" of %2 is not in Mev.dhl").arg(name, entry.user);
        if (entry.count > 1) {
            line += QStringLiteral(" (used %1 times)").arg(entry.count);
        }
        lines.append(line);
    }
    return lines;
}
