#pragma once

#include "components/ComponentContexts.h"
#include "components/ContentComponents.h"
#include "content/ChapterTree.h"
#include "content/TreeOutline.h"

#include <QPointer>
#include <QTreeWidget>

// The contents tree at the left of the content screen's background panel:
// one node per line of the contents file, each standing for a page.
// Choosing a node opens its page in the page panel; pages opened otherwise
// select their node; the chapter steps walk its nodes, and the chapter
// buttons' tooltips name where they lead. The splitter beside it can be
// dragged to change its width.
class TTreeViews final : public QTreeWidget, public IContentsTree, public IChapterTree {
    Q_OBJECT
public:
    static constexpr int kMinimumWidth = 30;

    explicit TTreeViews(const TContentsTreeContext& context);
    ~TTreeViews() override;

    // The shell's calls.
    void SetScreenStartFile(const QString& page) override { screenStartFile_ = page; }
    void SyncWithScreen() override;
    void SelectNodeOfPage(const QString& target) override;
    void SetHiddenByCommand(bool hide) override;
    bool TreeHidden() const override { return treeHidden_; }
    void SetScreenHidden(bool hidden) override { screenHidden_ = hidden; }
    void HideTree() override;
    void ShowTree() override;
    int TreeWidth() const override { return width(); }
    bool FindCaption(const QString& text) override;
    void UpdateChapterHints() override;

    // The chapter steps of the page panel.
    int EntryCount() const override { return int(nodes_.size()); }
    int SelectedEntry() const override;
    QString PageReference(int entry) const override;
    void SelectEntry(int entry) override;
    void OpenSelected() override;

    bool ScreenHidden() const { return screenHidden_; }
    QString SelectedFile() const { return selectedFile_; }
    QString Caption(int node) const;
    int FocusedNode() const;
    int ParentNode(int node) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // No expand buttons and no lines at any level.
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpLook();
    void Build(const TDynamicStringArray& lines);
    void FocusNode(int node, bool select);
    void ScrollIntoView(int node);
    void RememberSelected();
    void SelectionChangedByUser();
    QString FullPath(const QString& file) const;
    bool SamePage(const QString& nodeFile, const QString& page) const;
    bool ShowsPageOf(int node, const QString& name, const QString& page) const;
    int ChapterNode(int from, int step) const;
    QString ChapterHint(int node, const QString& none) const;
    void PlaceBeside();
    void Realign();
    void DragSplitter(int x);
    IPagePanels* Panels() const;

    TContentsTreeContext context_;
    QPointer<QWidget> splitter_;
    QList<TOutlineNode> outline_;
    QList<QTreeWidgetItem*> nodes_;
    QString selectedFile_;
    QString screenStartFile_;
    bool treeHidden_ = false;
    bool screenHidden_ = false;
    bool selecting_ = false; // a selection made here, not by the user
    bool dragging_ = false;
};

// The contents tree the program entry makes for the content screen.
std::unique_ptr<IContentsTree> CreateContentsTree(const TContentsTreeContext& context);
