#include "engine/LiteHtmlPage.h"

#include "engine/HtmlResources.h"
#include "engine/PresentationalCss.h"
#include "engine/UserAgentStyle.h"

#include <QImage>
#include <QMutex>
#include <QPainter>
#include <map>

namespace {

// The user-agent style sheet, parsed once for every page.
litehtml::context& sharedContext()
{
    static litehtml::context* context = [] {
        auto* made = new litehtml::context;
        made->load_master_stylesheet(UserAgentStyle::StyleSheet().toUtf8().constData());
        return made;
    }();
    return *context;
}

// The user-agent style sheet followed by the viewer's defaults, parsed once
// for each set of defaults. The defaults come from the reader's settings,
// never from a page, so there are only a few; each lives as long as the
// program, since the documents made with it refer to it.
litehtml::context& contextWith(const QString& userStyle)
{
    static QMutex mutex;
    static std::map<QString, std::unique_ptr<litehtml::context>> contexts;
    const QMutexLocker lock(&mutex);
    std::unique_ptr<litehtml::context>& context = contexts[userStyle];
    if (!context) {
        context = std::make_unique<litehtml::context>();
        const QString sheet = UserAgentStyle::StyleSheet() + QLatin1Char('\n') + userStyle;
        context->load_master_stylesheet(sheet.toUtf8().constData());
    }
    return *context;
}

bool namesFormField(const QString& html)
{
    for (const QLatin1String tag : {QLatin1String("<input"), QLatin1String("<select"),
                                    QLatin1String("<textarea"), QLatin1String("<button")}) {
        if (html.contains(tag, Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

} // namespace

LiteHtmlPage::LiteHtmlPage(std::shared_ptr<HtmlResources> resources, const QString& pageFile,
                           const ViewerDefaults& defaults, LiteHtmlContainer::Media media)
    : container_(std::move(resources), pageFile, defaults, media)
{
}

LiteHtmlPage::~LiteHtmlPage()
{
    document_.reset(); // frees its fonts through the container
}

void LiteHtmlPage::load(const QString& html, const QString& userStyle)
{
    document_.reset();
    mayHaveFormFields_ = namesFormField(html);
    litehtml::context& context = userStyle.isEmpty() ? sharedContext() : contextWith(userStyle);
    const QByteArray text =
        PresentationalCss::Rewrite(html, container_.get_default_font_size()).toUtf8();
    document_ = litehtml::document::createFromUTF8(text.constData(), &container_, &context);
}

int LiteHtmlPage::layout(QSize viewport)
{
    container_.setClientSize(viewport);
    if (!document_) {
        return 0;
    }
    document_->media_changed();
    document_->render(qBound(1, viewport.width(), kMaxWidth));
    return document_->height();
}

QSize LiteHtmlPage::size() const
{
    return document_ ? QSize(document_->width(), document_->height()) : QSize();
}

void LiteHtmlPage::draw(QPainter& painter, QPoint origin, const QRect& clip)
{
    if (!document_) {
        return;
    }
    const litehtml::position area(clip.x(), clip.y(), clip.width(), clip.height());
    painter.save();
    painter.translate(origin);
    container_.setPainter(&painter);
    document_->draw(reinterpret_cast<litehtml::uint_ptr>(&painter), 0, 0, &area);
    container_.setPainter(nullptr);
    painter.restore();
}

QImage RenderPage(const QString& pageFile, const QString& html, QSize viewport,
                  const ViewerDefaults& defaults)
{
    LiteHtmlPage page(std::make_shared<HtmlResources>(), pageFile, defaults);
    page.load(html);
    page.layout(viewport);
    QImage image(viewport, QImage::Format_RGB32);
    image.fill(defaults.background);
    QPainter painter(&image);
    page.draw(painter, QPoint(), QRect(QPoint(), viewport));
    return image;
}
