#pragma once

#include <QAbstractListModel>
#include <QFont>

#include <cstdint>

namespace skivra {

class TMyWStrings;

// The playlist as the list box shows it: a model that holds no strings of its own. It
// knows the number of entries from the last refresh and reads each line from the playlist
// it borrows when the view asks for it, so a list of 100,000 entries costs the view only
// the rows on screen. The current entry is drawn bold. UI thread only.
class TMyPlaylistModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit TMyPlaylistModel(const TMyWStrings& playlist, QObject* pParent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int iRole) const override;

    // Takes the playlist's current count; the rows are read afresh (a reset only when the
    // count changed, so an unchanged list keeps the selection).
    void SetCount();
    // Repaints every row (the entries changed in place: a sort, another current entry).
    void Repaint();

    void SetFolderName(bool bFolderName);
    bool FolderName() const { return FbFolderName; }
    void SetItemIndex(std::int32_t iItemIndex);
    std::int32_t ItemIndex() const { return FiItemIndex; }
    void SetFont(const QFont& font) { FFont = font; }

private:
    const TMyWStrings& FPlaylist;
    std::int32_t FiCount = 0;
    std::int32_t FiItemIndex = -1;
    bool FbFolderName = false;
    QFont FFont;
};

} // namespace skivra
