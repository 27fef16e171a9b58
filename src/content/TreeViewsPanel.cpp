// The contents tree on its panel: the chapters its buttons name, folding it
// away and back, and the splitter beside it.

#include "content/TreeViews.h"

#include <QMouseEvent>

namespace {

constexpr int kContentScreen = 1;
constexpr int kStartScreen = 0;

} // namespace

// The first node from `from` in the direction of step whose page file is
// not blank and differs from that of `from`; -1 when the end comes first.
int TTreeViews::ChapterNode(int from, int step) const
{
    const QString page = outline_[from].File;
    for (int node = from + step; node >= 0 && node < outline_.size(); node += step) {
        const QString file = outline_[node].File;
        if (!file.trimmed().isEmpty() && file != page) {
            return node;
        }
    }
    return -1;
}

QString TTreeViews::ChapterHint(int node, const QString& none) const
{
    if (node < 0) {
        return none;
    }
    const int parent = outline_[node].Parent;
    return parent < 0 ? outline_[node].Caption
                      : outline_[parent].Caption + QStringLiteral(" : ") + outline_[node].Caption;
}

void TTreeViews::UpdateChapterHints()
{
    if (nodes_.isEmpty()) {
        return;
    }
    int node = SelectedEntry();
    if (node < 0) {
        if (FocusedNode() < 0) {
            FocusNode(0, false);
        }
        node = FocusedNode();
    }
    if (!context_.SetCommandHint) {
        return;
    }
    context_.SetCommandHint(QStringLiteral("nextchapter"),
                            ChapterHint(ChapterNode(node, 1), QStringLiteral("Последний раздел")));
    context_.SetCommandHint(QStringLiteral("prevchapter"),
                            ChapterHint(ChapterNode(node, -1), QStringLiteral("Первый раздел")));
}

void TTreeViews::SetHiddenByCommand(bool hide)
{
    if (hide) {
        this->hide();
        if (splitter_) {
            splitter_->hide();
        }
        Realign();
    } else if (!screenHidden_) {
        show();
        PlaceBeside();
    }
    treeHidden_ = hide;
}

// The page takes the room of a tree hidden by the screen's command.
void TTreeViews::HideTree()
{
    hide();
    if (splitter_) {
        splitter_->hide();
    }
    Realign();
}

void TTreeViews::ShowTree()
{
    show();
}

// The splitter one pixel right of the tree, and the page beside them.
void TTreeViews::PlaceBeside()
{
    if (splitter_) {
        splitter_->setGeometry(width() + 1, 0, splitter_->width(), height());
        splitter_->show();
        splitter_->raise();
    }
    Realign();
}

void TTreeViews::Realign()
{
    IPagePanels* panels = Panels();
    const int screen = context_.CurrentScreen ? context_.CurrentScreen() : kStartScreen;
    if (panels && screen == kContentScreen) {
        panels->ReleaseViewerAlignment();
        panels->FillPanelWithViewer();
    }
}

void TTreeViews::DragSplitter(int x)
{
    const int panelWidth = context_.BackgroundPanel ? context_.BackgroundPanel->width() : 673;
    const int treeWidth = qBound(kMinimumWidth, x - 1, qMax(kMinimumWidth, panelWidth - 60));
    resize(treeWidth, height());
    PlaceBeside();
}

// The tree keeps the panel's height; the splitter is dragged with the mouse.
bool TTreeViews::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == context_.BackgroundPanel && event->type() == QEvent::Resize) {
        resize(width(), context_.BackgroundPanel->height());
        if (splitter_ && !splitter_->isHidden()) {
            splitter_->resize(splitter_->width(), height());
        }
    } else if (watched == splitter_ && !isHidden()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
            dragging_ = true;
            return true;
        }
        if (event->type() == QEvent::MouseMove && dragging_) {
            DragSplitter(splitter_->mapToParent(mouse->position().toPoint()).x());
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease && dragging_) {
            dragging_ = false;
            return true;
        }
    }
    return QTreeWidget::eventFilter(watched, event);
}
