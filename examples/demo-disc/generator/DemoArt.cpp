#include "DemoArt.h"

#include "AboutArt.h"
#include "Backdrop.h"
#include "ClipEncoder.h"
#include "Clips.h"
#include "Controls.h"
#include "DialogArt.h"
#include "Popups.h"
#include "Scenes.h"
#include "ScreenShots.h"
#include "Screens.h"
#include "Sounds.h"
#include "ThesaurusArt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSet>

namespace {

const QSize SlideSize(460, 340);
const QSize ThumbnailSize(64, 64);
const QSize PagePictureSize(300, 222);
const QSize ScreenShotSize(240, 180);

} // namespace

DemoArt::DemoArt(const QString& stagingFolder)
    : resources_(stagingFolder + QStringLiteral("/resources")),
      files_(stagingFolder + QStringLiteral("/files")),
      pagePictures_(stagingFolder + QStringLiteral("/archive/run/pics"))
{
}

bool DemoArt::writeAll()
{
    if (!layout_.read(resources_ + QStringLiteral("/Struct.txt"))) {
        error_ = layout_.errorString();
        return false;
    }
    return writeScreens() && writeControls() && writePopups() && writeDialog() && writeIcon() &&
           writePictures() && writeSounds() && writeClips() && writeAbout() && writeThesaurus();
}

// The intro clip that "rolic" names, and the looping clip of the 3-D view
// with its stage, both small so that the build stays quick.
bool DemoArt::writeClips()
{
    ClipEncoder intro(Clips::IntroSize, Clips::FramesPerSecond);
    ClipEncoder turning(Clips::VideoArea.size(), Clips::FramesPerSecond);
    if (!intro.encode(files_ + QStringLiteral("/intro.avi"), Clips::IntroFrames,
                      Clips::introFrame)) {
        error_ = intro.errorString();
        return false;
    }
    if (!turning.encode(files_ + QStringLiteral("/car.avi"), Clips::TurnFrames,
                        Clips::turningFrame)) {
        error_ = turning.errorString();
        return false;
    }
    return saveImage(Clips::stage(), resources_ + QStringLiteral("/3d_bg.bmp"), "bmp");
}

// The thesaurus window's background, as Tesaurus.txt names it.
bool DemoArt::writeThesaurus()
{
    return saveImage(ThesaurusArt::background(), resources_ + QStringLiteral("/tez_bg.bmp"), "bmp");
}

bool DemoArt::writeScreens()
{
    const QMap<int, QString> backgrounds = layout_.backgrounds();
    if (backgrounds.isEmpty()) {
        error_ = QStringLiteral("Struct.txt declares no screen");
        return false;
    }
    for (auto it = backgrounds.cbegin(); it != backgrounds.cend(); ++it) {
        const QImage screen = Screens::ofScreen(it.key(), layout_);
        if (screen.isNull()) {
            error_ = QStringLiteral("no picture is drawn for screen %1").arg(it.key());
            return false;
        }
        screens_.insert(it.key(), screen);
        if (!saveImage(screen, resources_ + QLatin1Char('/') + it.value(), "bmp")) {
            return false;
        }
    }
    return true;
}

bool DemoArt::writeControls()
{
    for (const StructLayout::Element& element : layout_.elements()) {
        if (!writeControl(element)) {
            return false;
        }
    }
    return true;
}

bool DemoArt::writeControl(const StructLayout::Element& element)
{
    const QString stem = Recipes::stemOf(element.pictures.first());
    const Recipe* recipe = Recipes::find(stem);
    if (recipe == nullptr) {
        error_ = QStringLiteral("Struct.txt line %1: no drawing for the pictures \"%2\"")
                     .arg(element.line)
                     .arg(stem);
        return false;
    }
    const int screen = element.screen == 0 ? screens_.firstKey() : element.screen;
    if (!screens_.contains(screen)) {
        error_ = QStringLiteral("Struct.txt line %1: screen %2 has no background")
                     .arg(element.line)
                     .arg(screen);
        return false;
    }
    if (element.screen == 0 && !checkSharedPlace(element, recipe->size)) {
        return false;
    }
    const QImage under = screens_.value(screen).copy(QRect(element.position, recipe->size));
    const bool isSwitch =
        element.kind == StructLayout::Kind::Switch || element.kind == StructLayout::Kind::Group;
    for (int i = 0; i < element.pictures.size(); ++i) {
        const QImage picture = Controls::paint(*recipe, Recipes::lookOf(isSwitch, i), under);
        controlPictures_.insert(element.pictures.at(i), picture);
        if (!saveImage(picture, resources_ + QLatin1Char('/') + element.pictures.at(i), "bmp")) {
            return false;
        }
    }
    return true;
}

// The system buttons are copied onto every screen: the screens must look the
// same where they stand.
bool DemoArt::checkSharedPlace(const StructLayout::Element& element, const QSize& size)
{
    const QRect place(element.position, size);
    const QImage first = screens_.first().copy(place);
    for (auto it = screens_.cbegin(); it != screens_.cend(); ++it) {
        if (it.value().copy(place) != first) {
            error_ = QStringLiteral("screen %1 differs from screen %2 under the system button "
                                    "of line %3")
                         .arg(it.key())
                         .arg(screens_.firstKey())
                         .arg(element.line);
            return false;
        }
    }
    return true;
}

bool DemoArt::writePopups()
{
    QSet<QString> done;
    for (const StructLayout::Popup& popup : layout_.popups()) {
        if (done.contains(popup.background)) {
            continue;
        }
        done.insert(popup.background);
        const QSize size = Popups::sizeFor(popup.outline);
        const QImage background = Popups::background(size, popup.outline);
        const QRect itemPlace(Popups::Margin, Popups::Margin, size.width() - 2 * Popups::Margin,
                              Popups::ItemHeight);
        if (!saveImage(background, resources_ + QLatin1Char('/') + popup.background, "bmp")) {
            return false;
        }
        for (int state = 0; state < popup.itemPictures.size(); ++state) {
            const QImage item = Popups::item(background.copy(itemPlace), state);
            const QString name = popup.itemPictures.at(state);
            if (!saveImage(item, resources_ + QLatin1Char('/') + name, "bmp")) {
                return false;
            }
        }
    }
    return true;
}

bool DemoArt::writeDialog()
{
    DialogLayout dialog;
    if (!dialog.read(resources_ + QStringLiteral("/Dialog.txt"))) {
        error_ = dialog.errorString();
        return false;
    }
    QRect searchField;
    for (const StructLayout::Area& area : layout_.areas()) {
        if (area.section == QLatin1String("_findtxt")) {
            searchField = area.rect;
            break;
        }
    }
    if (searchField.isEmpty()) {
        error_ = QStringLiteral("Struct.txt declares no search field for the dialog");
        return false;
    }
    DialogArt art(dialog, searchField);
    if (!art.paint()) {
        error_ = art.errorString();
        return false;
    }
    return savePictures(art.pictures());
}

// After the sounds: the about box's buttons may only name sounds the disc has.
bool DemoArt::writeAbout()
{
    AboutLayout about;
    if (!about.read(resources_ + QStringLiteral("/About.txt"))) {
        error_ = about.errorString();
        return false;
    }
    AboutArt art(about, [this](const QString& sound) {
        return QFileInfo(files_ + QLatin1Char('/') + sound).isFile();
    });
    if (!art.paint()) {
        error_ = art.errorString();
        return false;
    }
    return savePictures(art.pictures());
}

bool DemoArt::savePictures(const QMap<QString, QImage>& pictures)
{
    for (auto it = pictures.cbegin(); it != pictures.cend(); ++it) {
        if (!saveImage(it.value(), resources_ + QLatin1Char('/') + it.key(), "bmp")) {
            return false;
        }
    }
    return true;
}

bool DemoArt::writeIcon()
{
    QImage icon(32, 32, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    Backdrop::emblem(painter, QPointF(16, 15.5), 14.5);
    painter.end();
    return saveImage(icon.convertToFormat(QImage::Format_ARGB32),
                     resources_ + QStringLiteral("/disc.ico"), "ico");
}

bool DemoArt::writePictures()
{
    const QString gallery = files_ + QStringLiteral("/gallery");
    for (const Scenes::Scene& scene : Scenes::all()) {
        const QString extension = scene.jpeg ? QStringLiteral(".jpg") : QStringLiteral(".bmp");
        const QImage slide = Scenes::slide(scene, SlideSize);
        const QImage plain = scene.paint(SlideSize);
        const QImage square = plain.copy(QRect((SlideSize.width() - SlideSize.height()) / 2, 0,
                                               SlideSize.height(), SlideSize.height()));
        if (!saveImage(slide, gallery + QLatin1Char('/') + scene.stem + extension,
                       scene.jpeg ? "jpg" : "bmp") ||
            !saveImage(
                square.scaled(ThumbnailSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                gallery + QStringLiteral("/mini/") + scene.stem + QStringLiteral(".bmp"), "bmp") ||
            !saveImage(
                plain.scaled(PagePictureSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                pagePictures_ + QLatin1Char('/') + scene.stem + QStringLiteral(".jpg"), "jpg")) {
            return false;
        }
    }
    const QImage slide = Scenes::slide(Scenes::all().constFirst(), SlideSize);
    for (auto it = screens_.cbegin(); it != screens_.cend(); ++it) {
        const QImage shot =
            ScreenShots::compose(it.key(), it.value(), layout_, controlPictures_, slide);
        if (!saveImage(shot.scaled(ScreenShotSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                       pagePictures_ + QStringLiteral("/screen%1.jpg").arg(it.key()), "jpg")) {
            return false;
        }
    }
    return true;
}

bool DemoArt::writeSounds()
{
    return saveBytes(Sounds::wav(Sounds::click()), files_ + QStringLiteral("/click.wav")) &&
           saveBytes(Sounds::wav(Sounds::switchTick()), files_ + QStringLiteral("/switch.wav")) &&
           saveBytes(Sounds::wav(Sounds::farewell()), files_ + QStringLiteral("/bye.wav")) &&
           saveBytes(Sounds::wav(Sounds::theme(0)), files_ + QStringLiteral("/music/theme1.wav")) &&
           saveBytes(Sounds::wav(Sounds::theme(1)), files_ + QStringLiteral("/music/theme2.wav"));
}

bool DemoArt::saveImage(const QImage& image, const QString& path, const char* format)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        error_ = QStringLiteral("cannot create the folder of %1").arg(path);
        return false;
    }
    const bool hasAlpha = qstrcmp(format, "ico") == 0;
    QImageWriter writer(path, format);
    if (qstrcmp(format, "jpg") == 0) {
        writer.setQuality(88);
    }
    if (!writer.write(hasAlpha ? image : image.convertToFormat(QImage::Format_RGB888))) {
        error_ = QStringLiteral("cannot write %1: %2").arg(path, writer.errorString());
        return false;
    }
    return true;
}

bool DemoArt::saveBytes(const QByteArray& bytes, const QString& path)
{
    QFile file(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly) ||
        file.write(bytes) != bytes.size()) {
        error_ = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}
