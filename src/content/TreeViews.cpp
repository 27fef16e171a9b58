#include "content/TreeViews.h"

#include "engine/PagePaths.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace {

constexpr int kNodeRole = Qt::UserRole;
constexpr int kContentScreen = 1;
constexpr int kStartScreen = 0;
constexpr int kHiddenViewerPanel = 20;

QString FileNameOf(const QString& path)
{
    const qsizetype cut =
        qMax(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.mid(cut + 1);
}

bool HasFolderPart(const QString& file)
{
    return file.contains(QLatin1Char('\\')) || file.contains(QLatin1Char('/')) ||
           file.contains(QLatin1Char(':'));
}

} // namespace

TTreeViews::TTreeViews(const TContentsTreeContext& context)
    : QTreeWidget(context.BackgroundPanel), context_(context), splitter_(context.Splitter)
{
    SetUpLook();
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current) {
            current->setExpanded(true);
        }
    });
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        RememberSelected();
        if (!selecting_) {
            SelectionChangedByUser();
        }
    });
    if (context_.BackgroundPanel) {
        context_.BackgroundPanel->installEventFilter(this);
    }
    if (splitter_) {
        splitter_->installEventFilter(this);
    }
    Build(context.Lines);
    SyncWithScreen();
    treeHidden_ = false;
    screenHidden_ = false;
}

TTreeViews::~TTreeViews() = default;

// Hidden at first; 165 x 421 at the panel's left edge, no border, no lines
// and no expand buttons, the selection white on deep violet.
void TTreeViews::SetUpLook()
{
    hide();
    setGeometry(0, 0, 165, context_.BackgroundPanel ? context_.BackgroundPanel->height() : 421);
    setMinimumWidth(kMinimumWidth);
    setFrameShape(QFrame::NoFrame);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header()->setSectionResizeMode(QHeaderView::Stretch);
    QPalette colours = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Highlight, QColor(53, 43, 99));
        colours.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    colours.setColor(QPalette::Base, Qt::white);
    setPalette(colours);
}

void TTreeViews::Build(const TDynamicStringArray& lines)
{
    outline_ = BuildOutline(lines);
    nodes_.reserve(outline_.size());
    for (int index = 0; index < outline_.size(); ++index) {
        const TOutlineNode& node = outline_[index];
        auto* item =
            node.Parent < 0 ? new QTreeWidgetItem(this) : new QTreeWidgetItem(nodes_[node.Parent]);
        item->setText(0, node.Caption);
        item->setToolTip(0, node.Caption);
        item->setData(0, kNodeRole, index);
        nodes_.append(item);
    }
}

IPagePanels* TTreeViews::Panels() const
{
    return context_.Components ? context_.Components->PagePanels : nullptr;
}

QString TTreeViews::Caption(int node) const
{
    return node >= 0 && node < outline_.size() ? outline_[node].Caption : QString();
}

QString TTreeViews::PageReference(int entry) const
{
    return entry >= 0 && entry < outline_.size() ? outline_[entry].File : QString();
}

int TTreeViews::ParentNode(int node) const
{
    return node >= 0 && node < outline_.size() ? outline_[node].Parent : -1;
}

int TTreeViews::FocusedNode() const
{
    const QTreeWidgetItem* item = currentItem();
    return item ? item->data(0, kNodeRole).toInt() : -1;
}

int TTreeViews::SelectedEntry() const
{
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->data(0, kNodeRole).toInt();
}

void TTreeViews::SelectEntry(int entry)
{
    FocusNode(entry, true);
}

void TTreeViews::RememberSelected()
{
    const int node = SelectedEntry();
    if (node >= 0) {
        selectedFile_ = outline_[node].File;
    }
}

// Focuses a node (and selects it when asked) without opening its page, and
// scrolls it into view.
void TTreeViews::FocusNode(int node, bool select)
{
    if (node < 0 || node >= nodes_.size()) {
        return;
    }
    const bool wasSelecting = selecting_;
    selecting_ = true;
    setCurrentItem(nodes_[node], 0,
                   select ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate);
    selecting_ = wasSelecting;
    ScrollIntoView(node);
}

void TTreeViews::ScrollIntoView(int node)
{
    if (node < 0 || node >= nodes_.size()) {
        return;
    }
    for (QTreeWidgetItem* above = nodes_[node]->parent(); above; above = above->parent()) {
        above->setExpanded(true);
    }
    scrollToItem(nodes_[node]);
}

void TTreeViews::SelectionChangedByUser()
{
    OpenSelected();
    if (focusPolicy() != Qt::NoFocus) {
        ScrollIntoView(FocusedNode());
    }
}

// Page files are relative to the program's folder unless they name a drive.
QString TTreeViews::FullPath(const QString& file) const
{
    const bool absolute = file.size() >= 2 && file.at(1) == QLatin1Char(':');
    return absolute || file.startsWith(QLatin1Char('\\')) ? file : context_.AppDir + file;
}

// A node's page file names a page by its file name alone or by its path
// below the program's folder; either way it is compared with a page.
bool TTreeViews::SamePage(const QString& nodeFile, const QString& page) const
{
    return FileNameOf(page).compare(nodeFile, Qt::CaseInsensitive) == 0 ||
           PagePaths::SameFile(FullPath(page), FullPath(nodeFile));
}

void TTreeViews::OpenSelected()
{
    IPagePanels* panels = Panels();
    if (!panels || selectedFile_.trimmed().isEmpty()) {
        return;
    }
    if (SamePage(selectedFile_, panels->CurrentDocument())) {
        return;
    }
    if (!HasFolderPart(selectedFile_)) {
        selectedFile_ = context_.AppDir + selectedFile_;
    }
    const QString page = FullPath(selectedFile_);
    if (panels->CurrentViewerShown()) {
        panels->OpenFile(page);
    } else {
        panels->OpenInPanel(kHiddenViewerPanel, page);
    }
}

void TTreeViews::SyncWithScreen()
{
    const int screen = context_.CurrentScreen ? context_.CurrentScreen() : kStartScreen;
    if (screen == kContentScreen) {
        if (context_.BackgroundPanel) {
            context_.BackgroundPanel->show();
        }
        show();
        PlaceBeside();
        screenHidden_ = false;
    } else {
        // The panel and the tree belong to the content screen alone.
        if (context_.BackgroundPanel) {
            context_.BackgroundPanel->hide();
        }
        hide();
        if (screen == kStartScreen) {
            screenHidden_ = true;
            treeHidden_ = false;
        }
    }
    if (isHidden() || screenStartFile_.isEmpty()) {
        return;
    }
    for (int node = 0; node < outline_.size(); ++node) {
        if (SamePage(outline_[node].File, screenStartFile_)) {
            FocusNode(node, true);
            OpenSelected();
            return;
        }
    }
    if (screenStartFile_.contains(QLatin1Char('#'))) {
        const QString page = PagePaths::WithoutAnchor(screenStartFile_);
        for (int node = 0; node < outline_.size(); ++node) {
            if (SamePage(outline_[node].File, page)) {
                FindCaption(outline_[node].Caption);
                return;
            }
        }
    }
}

bool TTreeViews::FindCaption(const QString& text)
{
    const int count = int(nodes_.size());
    const int from = FocusedNode() + 1;
    const QString wanted = text.toLower();
    for (int step = 0; step < count; ++step) {
        const int node = (from + step) % count;
        if (outline_[node].Caption.toLower().contains(wanted)) {
            FocusNode(node, true);
            OpenSelected();
            return true;
        }
    }
    return false;
}

// A node matches the page shown by its bare file name; a node whose page
// file has folders matches the page's full path as well.
bool TTreeViews::ShowsPageOf(int node, const QString& name, const QString& page) const
{
    const QString file = outline_[node].File.trimmed();
    if (file.toLower() == name) {
        return true;
    }
    return HasFolderPart(file) && !page.isEmpty() &&
           PagePaths::SameFile(FullPath(PagePaths::WithoutAnchor(file)), page);
}

void TTreeViews::SelectNodeOfPage(const QString& target)
{
    IPagePanels* panels = Panels();
    const QString shown = panels ? panels->CurrentDocument() : QString();
    const bool blank = target.trimmed().isEmpty();
    const QString page =
        blank ? shown : PagePaths::WithoutAnchor(PagePaths::Expand(shown, target.trimmed()));
    const QString name = FileNameOf(page).trimmed().toLower();
    if (name.isEmpty()) {
        return;
    }
    for (int node = 0; node < outline_.size(); ++node) {
        if (!ShowsPageOf(node, name, page)) {
            continue;
        }
        FocusNode(node, true);
        int top = node;
        while (outline_[top].Parent >= 0) {
            top = outline_[top].Parent;
        }
        ScrollIntoView(top);
        ScrollIntoView(node);
        if (blank) {
            OpenSelected();
        }
        // The page changed before its node was found: the chapter hints
        // follow the node now selected.
        UpdateChapterHints();
        return;
    }
}

void TTreeViews::mousePressEvent(QMouseEvent* event)
{
    if (context_.Components && context_.Components->Popups) {
        context_.Components->Popups->HideAllPopups();
    }
    QTreeWidget::mousePressEvent(event);
}

void TTreeViews::mouseMoveEvent(QMouseEvent* event)
{
    if (context_.EndButtonHover) {
        context_.EndButtonHover();
    }
    QTreeWidget::mouseMoveEvent(event);
}

std::unique_ptr<IContentsTree> CreateContentsTree(const TContentsTreeContext& context)
{
    return std::make_unique<TTreeViews>(context);
}
