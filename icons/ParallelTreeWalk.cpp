#include "icons/ParallelTreeWalk.h"

#include <tbb/task_arena.h>
#include <tbb/task_group.h>

#include <mutex>
#include <utility>

#include "icons/FolderEntries.h"

// A folder of the tree and the subfolders below it. A subfolder that is a link to a folder is
// not entered, so link cycles cannot trap the walk.
struct TParallelTreeWalk::TNode {
    TScannedFolder Folder;
    bool Enter = true;
    std::vector<TNode> Children;
};

TParallelTreeWalk::TParallelTreeWalk(const std::string& startFolder, std::string mask)
    : start_(WithTrailingSeparator(startFolder)), mask_(std::move(mask)) {}

std::vector<TScannedFolder> TParallelTreeWalk::Run(const TListed& listed) {
    TNode root{{start_, {}, {}}, true, {}};
    tbb::task_group tasks;
    std::mutex listedMutex;
    // Lists the node's folder, reports it, then lists its subfolders as tasks of their own; the
    // children are all in place before the first task starts, so no task sees them move.
    std::function<void(TNode&)> list = [&](TNode& node) {
        if (cancelled_) return;
        List(node);
        {
            const std::lock_guard lock(listedMutex);
            listed(node.Folder);
        }
        for (TNode& child : node.Children) tasks.run([&list, &child] { list(child); });
    };
    tbb::task_arena arena;
    arena.execute([&] {
        tasks.run([&] { list(root); });
        tasks.wait();
    });
    if (cancelled_) return {};
    // Pre-order, siblings in name order, without recursion however deep the tree.
    std::vector<TScannedFolder> folders;
    std::vector<TNode*> pending{&root};
    while (!pending.empty()) {
        TNode* node = pending.back();
        pending.pop_back();
        folders.push_back(std::move(node->Folder));
        for (auto child = node->Children.rbegin(); child != node->Children.rend(); ++child)
            pending.push_back(&*child);
    }
    return folders;
}

// Lists the folder once for its files and, when it is entered, its subfolders.
void TParallelTreeWalk::List(TNode& node) {
    TFolderEntries entries = ReadFolderEntries(node.Folder.Path, {mask_, node.Enter});
    node.Folder.Files = std::move(entries.Files);
    node.Folder.Error = std::move(entries.Error);
    const std::string prefix = WithTrailingSeparator(node.Folder.Path);
    node.Children.resize(entries.Subfolders.size());
    for (std::size_t index = 0; index < node.Children.size(); ++index) {
        node.Children[index].Folder.Path = prefix + entries.Subfolders[index].Name;
        node.Children[index].Enter = !entries.Subfolders[index].IsLink;
    }
}
