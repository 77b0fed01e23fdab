#pragma once

#include "LabelListModel.h"
#include "WorkspaceStores.h"

#include <cstddef>

// The part of the first set-up that needs no window: the stores read, their fingerprint
// taken and the three lists sorted. It can run on another thread while the window is built.
struct PreparedLists
{
    StoredLists stored;
    std::size_t fingerprint = 0;
    LabelListModel::Order envelopeOrder;
    LabelListModel::Order senderOrder;
    LabelListModel::Order addresseeOrder;
};

PreparedLists prepareLists();
