#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>
#include <QUrl>
#include <optional>

// The one way a viewer reads files: every file comes through TComprStream,
// the archive member first, the disk file otherwise. File tokens ("res:" and
// the escaped virtual path, "#n" numbering the reference) name files in
// pages rewritten by HtmlPreprocessor. Pictures
// are decoded once per page and dropped when the next page starts; a page
// learns their sizes from their headers, so it is laid out before any of them
// is decoded, and each one decodes when first drawn.
class HtmlResources {
public:
    explicit HtmlResources(bool loadImages = true) : loadImages_(loadImages) {}

    static std::optional<QByteArray> ReadFile(const QString& path);
    static QString FileToken(const QString& path, int serial = -1);
    // The path of a file token; empty for any other URL.
    static QString PathOfToken(const QUrl& url);
    static int SerialOfToken(const QUrl& url);
    // url(...) references of a style sheet made tokens, resolved against baseFile.
    static QString RewriteCssUrls(const QString& css, const QString& baseFile);

    QImage picture(const QString& path);
    // A picture whose bytes were read already (a picture page).
    QImage picture(const QString& path, const QByteArray& bytes);
    // The size a picture's header gives, without decoding it; invalid when
    // pictures are not shown or the header cannot be read. Reads the head of
    // the file only, unless the header lies beyond it (then the whole file is
    // read and kept for the decoding).
    QSize pictureSize(const QString& path);

    void startPage();
    QSize lastPictureSize() const { return lastPictureSize_; }
    bool loadsImages() const { return loadImages_; }

private:
    static constexpr qint64 kHeadBytes = 8 * 1024;
    static QSize HeaderSize(const QString& path, QByteArray bytes);

    bool loadImages_;
    QHash<QString, QImage> pictures_;
    QHash<QString, QByteArray> unreadPictures_; // bytes read for the size only
    QSize lastPictureSize_;
};
