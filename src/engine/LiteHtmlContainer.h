#pragma once

#include "engine/HtmlViewerTypes.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QRect>
#include <QString>
#include <functional>
#include <litehtml.h>
#include <memory>

class HtmlResources;
class QPainter;

// What litehtml asks of the system, answered with Qt: fonts through QFont and
// fontconfig, drawing with the QPainter handed in as the device, and every
// file (pictures, style sheets, imports) read through HtmlResources, the
// archive first, resolved against the page or the style sheet naming it.
class LiteHtmlContainer final : public litehtml::document_container {
public:
    enum class Media { Screen, Print };
    using AnchorClicked = std::function<void(const QString& href, const litehtml::element::ptr&)>;

    LiteHtmlContainer(std::shared_ptr<HtmlResources> resources, const QString& pageFile,
                      const ViewerDefaults& defaults, Media media = Media::Screen);
    ~LiteHtmlContainer();

    void setClientSize(QSize size) { client_ = size; }
    // Without backgrounds (printing without them) only pictures are drawn.
    void setDrawBackgrounds(bool draw) { drawBackgrounds_ = draw; }
    // The painter of the drawing in progress, which clips take.
    void setPainter(QPainter* painter) { painter_ = painter; }
    void setAnchorClicked(AnchorClicked clicked) { anchorClicked_ = std::move(clicked); }
    QString title() const { return title_; }
    QString cursor() const { return cursor_; }
    // A file the page names, made a full virtual path; empty for other schemes.
    QString resolve(const QString& url, const QString& base = QString()) const;
    static QString FromUtf8(const char* text) { return QString::fromUtf8(text); }
    // The width of text in a font this container made.
    static int TextWidth(litehtml::uint_ptr font, const QString& text);
    // The font behind a font this container made.
    static QFont FontOf(litehtml::uint_ptr font);

    litehtml::uint_ptr create_font(const char* faceName, int size, int weight,
                                   litehtml::font_style italic, unsigned int decoration,
                                   litehtml::font_metrics* fm) override;
    void delete_font(litehtml::uint_ptr font) override;
    int text_width(const char* text, litehtml::uint_ptr font) override;
    void draw_text(litehtml::uint_ptr hdc, const char* text, litehtml::uint_ptr font,
                   litehtml::web_color color, const litehtml::position& pos) override;
    int pt_to_px(int pt) const override;
    int get_default_font_size() const override;
    const char* get_default_font_name() const override;
    void draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) override;
    void load_image(const char* src, const char* baseurl, bool redraw_on_ready) override;
    void get_image_size(const char* src, const char* baseurl, litehtml::size& sz) override;
    void draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) override;
    void draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders,
                      const litehtml::position& draw_pos, bool root) override;
    void set_caption(const char* caption) override;
    void set_base_url(const char* base_url) override;
    void link(const std::shared_ptr<litehtml::document>& doc,
              const litehtml::element::ptr& el) override;
    void on_anchor_click(const char* url, const litehtml::element::ptr& el) override;
    void set_cursor(const char* cursor) override;
    void transform_text(litehtml::tstring& text, litehtml::text_transform tt) override;
    void import_css(litehtml::tstring& text, const litehtml::tstring& url,
                    litehtml::tstring& baseurl) override;
    void set_clip(const litehtml::position& pos, const litehtml::border_radiuses& bdr_radius,
                  bool valid_x, bool valid_y) override;
    void del_clip() override;
    void get_client_rect(litehtml::position& client) const override;
    std::shared_ptr<litehtml::element>
    create_element(const char* tag_name, const litehtml::string_map& attributes,
                   const std::shared_ptr<litehtml::document>& doc) override;
    void get_media_features(litehtml::media_features& media) const override;
    void get_language(litehtml::tstring& language, litehtml::tstring& culture) const override;

private:
    struct Font {
        QFont font;
        QFontMetrics metrics;
        QHash<QString, int> widths; // of the words measured, which repeat
    };
    static constexpr int kMaxCachedWidths = 20000; // words per font
    static constexpr int kMaxImports = 64;         // style sheets a page may pull in

    QImage picture(const char* src, const char* baseurl) const;
    void drawPicture(QPainter& painter, const litehtml::background_paint& bg,
                     const QImage& image) const;

    std::shared_ptr<HtmlResources> resources_;
    QString pageFile_;
    QString baseFile_;
    ViewerDefaults defaults_;
    QByteArray defaultFontName_;
    Media media_;
    QSize client_;
    QString title_;
    QString cursor_;
    AnchorClicked anchorClicked_;
    int imports_ = 0;
    bool drawBackgrounds_ = true;
    QPainter* painter_ = nullptr;
    int clips_ = 0;
};
