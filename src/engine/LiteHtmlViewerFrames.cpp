#include "engine/FramesetWidget.h"
#include "engine/LiteHtmlView.h"
#include "engine/LiteHtmlViewer.h"
#include "engine/PagePaths.h"

#include <QStackedLayout>

// Framesets: nested viewers laid out by FramesetWidget. The whole tree of a
// top viewer holds at most kMaxFrames frames, so a page that frames itself
// ends after a few levels instead of growing without bound.

namespace {

constexpr int kMaxFrames = 64;

} // namespace

void LiteHtmlViewer::showFrameset(const FrameNode& root)
{
    view_->setPage(nullptr);
    QWidget* part = buildFramePart(root, this);
    frameset_ = qobject_cast<FramesetWidget*>(part);
    stack_->addWidget(part);
    stack_->setCurrentWidget(part);
}

QWidget* LiteHtmlViewer::buildFramePart(const FrameNode& node, QWidget* parent)
{
    if (!node.isFrameset) {
        return createFrame(node, parent);
    }
    auto* frameset =
        new FramesetWidget(node.rows, node.sizes, node.borderWidth, node.borderColor, parent);
    for (const FrameNode& child : node.children) {
        frameset->addPart(buildFramePart(child, frameset), child.frameBorder, !child.noResize);
    }
    return frameset;
}

QWidget* LiteHtmlViewer::createFrame(const FrameNode& node, QWidget* parent)
{
    int framesInTree = 0;
    top()->forEachFrame([&framesInTree](LiteHtmlViewer*) { ++framesInTree; });
    if (depth_ >= FramesetLayout::kMaxDepth || framesInTree >= kMaxFrames) {
        return new QWidget(parent);
    }
    auto* frame = new LiteHtmlViewer(this, node.name);
    frame->setParent(parent);
    frame->setScrolling(node.scrolling);
    frames_.append(frame);
    if (!node.src.isEmpty()) {
        frame->loadFile(PagePaths::Expand(currentFile_, node.src));
    }
    forwardEvents(frame);
    return frame;
}

void LiteHtmlViewer::setScrolling(FrameScrolling scrolling)
{
    const Qt::ScrollBarPolicy policy = scrolling == FrameScrolling::Always  ? Qt::ScrollBarAlwaysOn
                                       : scrolling == FrameScrolling::Never ? Qt::ScrollBarAlwaysOff
                                                                            : Qt::ScrollBarAsNeeded;
    view_->setVerticalScrollBarPolicy(policy);
    view_->setHorizontalScrollBarPolicy(policy);
}

void LiteHtmlViewer::forwardEvents(LiteHtmlViewer* frame)
{
    connect(frame, &THtmlViewer::linkHovered, this, &THtmlViewer::linkHovered);
    connect(frame, &THtmlViewer::linkClicked, this, &THtmlViewer::linkClicked);
    connect(frame, &THtmlViewer::keyDown, this, &THtmlViewer::keyDown);
    connect(frame, &THtmlViewer::historyChanged, this, &THtmlViewer::historyChanged);
    connect(frame, &THtmlViewer::mouseMoved, this,
            [this, frame](QPoint point, Qt::MouseButtons buttons, Qt::KeyboardModifiers keys) {
                emit mouseMoved(frame->mapTo(this, point), buttons, keys);
            });
    connect(frame, &THtmlViewer::mousePressed, this,
            [this, frame](QPoint point, Qt::MouseButton button, Qt::MouseButtons buttons,
                          Qt::KeyboardModifiers keys) {
                activeFrame_ = frame;
                emit mousePressed(frame->mapTo(this, point), button, buttons, keys);
            });
    connect(frame, &THtmlViewer::mouseReleased, this,
            [this, frame](QPoint point, Qt::MouseButton button, Qt::MouseButtons buttons,
                          Qt::KeyboardModifiers keys) {
                emit mouseReleased(frame->mapTo(this, point), button, buttons, keys);
            });
}

void LiteHtmlViewer::dropFrames()
{
    if (QWidget* part = stack_->count() > 1 ? stack_->widget(1) : nullptr) {
        part->hide();
        stack_->removeWidget(part);
        part->deleteLater();
    }
    frames_.clear();
    activeFrame_ = nullptr;
    frameset_ = nullptr;
}

void LiteHtmlViewer::forEachFrame(const std::function<void(LiteHtmlViewer*)>& visit)
{
    for (const QPointer<LiteHtmlViewer>& frame : frames_) {
        if (frame) {
            visit(frame);
            frame->forEachFrame(visit);
        }
    }
}

LiteHtmlViewer* LiteHtmlViewer::top()
{
    LiteHtmlViewer* viewer = this;
    while (viewer->parentViewer_) {
        viewer = viewer->parentViewer_;
    }
    return viewer;
}

LiteHtmlViewer* LiteHtmlViewer::targetViewer(const QString& target)
{
    const QString name = target.trimmed().toLower();
    if (name.isEmpty() || name == QLatin1String("_self")) {
        return this;
    }
    if (name == QLatin1String("_top") || name == QLatin1String("_blank")) {
        return top();
    }
    if (name == QLatin1String("_parent")) {
        return parentViewer_ ? parentViewer_ : this;
    }
    LiteHtmlViewer* frame = top()->findFrame(target.trimmed());
    return frame ? frame : this;
}

LiteHtmlViewer* LiteHtmlViewer::findFrame(const QString& name)
{
    LiteHtmlViewer* found = nullptr;
    forEachFrame([&found, &name](LiteHtmlViewer* frame) {
        if (!found && frame->frameName_.compare(name, Qt::CaseInsensitive) == 0) {
            found = frame;
        }
    });
    return found;
}

THtmlViewer* LiteHtmlViewer::frameViewer(const QString& name)
{
    return name.trimmed().isEmpty() ? nullptr : findFrame(name.trimmed());
}

THtmlViewer* LiteHtmlViewer::activeViewer()
{
    if (!frameset_ && frames_.isEmpty()) {
        return this;
    }
    if (activeFrame_) {
        return activeFrame_->activeViewer();
    }
    for (const QPointer<LiteHtmlViewer>& frame : frames_) {
        if (frame && frame->hasDocument()) {
            return frame->activeViewer();
        }
    }
    return this;
}
