#include "app/myPlaylistModel.h"

#include "app/myPlaylistEntry.h"
#include "lists/myWStrings.h"

namespace skivra {

TMyPlaylistModel::TMyPlaylistModel(const TMyWStrings& playlist, QObject* pParent)
    : QAbstractListModel(pParent), FPlaylist(playlist), FiCount(playlist.Count()) {}

int TMyPlaylistModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FiCount;
}

QVariant TMyPlaylistModel::data(const QModelIndex& index, int iRole) const {
    if (!index.isValid() || index.row() >= FiCount) {
        return {};
    }
    switch (iRole) {
    case Qt::DisplayRole:
        // A row past the playlist's end (it shrank before the next refresh) reads empty.
        return QString::fromStdU16String(PlaylistEntryText(FPlaylist, index.row(), FbFolderName));
    case Qt::FontRole: {
        QFont font = FFont;
        font.setBold(index.row() == FiItemIndex);
        return font;
    }
    default:
        return {};
    }
}

void TMyPlaylistModel::SetCount() {
    // The same number of entries: the rows are read afresh where they are, so the user's
    // selection survives a refresh that changed nothing (a question answered "No").
    if (FPlaylist.Count() == FiCount) {
        Repaint();
        return;
    }
    // Otherwise a reset, not a row-by-row change: the entries may have moved anywhere, and
    // the view then asks only for what it shows.
    beginResetModel();
    FiCount = FPlaylist.Count();
    endResetModel();
}

void TMyPlaylistModel::Repaint() {
    if (FiCount > 0) {
        emit dataChanged(index(0), index(FiCount - 1), {Qt::DisplayRole, Qt::FontRole});
    }
}

void TMyPlaylistModel::SetFolderName(bool bFolderName) {
    FbFolderName = bFolderName;
    Repaint();
}

void TMyPlaylistModel::SetItemIndex(std::int32_t iItemIndex) {
    if (iItemIndex == FiItemIndex) {
        return;
    }
    const std::int32_t iOld = FiItemIndex;
    FiItemIndex = iItemIndex;
    for (const std::int32_t i : {iOld, iItemIndex}) {
        if (i >= 0 && i < FiCount) {
            emit dataChanged(index(i), index(i), {Qt::FontRole});
        }
    }
}

} // namespace skivra
