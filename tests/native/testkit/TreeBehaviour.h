#pragma once

#include <citydb/ICityTree.h>

#include <functional>
#include <memory>

// The tree behaviours citydb relies on, as one table run on every ICityTree: the in-memory
// tree natively and under Wine, the adapter over the real tree view under Wine. Where they
// differ, the in-memory tree follows the tree view. makeTree gives an empty tree for each row.
void ExpectTreeViewBehaviour(const std::function<std::unique_ptr<ICityTree>()>& makeTree);
