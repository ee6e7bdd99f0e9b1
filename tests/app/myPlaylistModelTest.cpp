#include "app/myPlaylistModel.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "lists/listEntries.h"
#include "lists/myWStrings.h"

namespace skivra::test {
namespace {

QString Line(const TMyPlaylistModel& model, int iRow) {
    return model.data(model.index(iRow), Qt::DisplayRole).toString();
}
bool Bold(const TMyPlaylistModel& model, int iRow) {
    return model.data(model.index(iRow), Qt::FontRole).value<QFont>().bold();
}

TEST(PlaylistModelTest, ReadsThePlaylistItBorrowsOnlyAtRefresh) {
    TMyWStrings playlist;
    Fill(playlist, {u"/a/one.mp3", u"/b/two.mp4", u"/c/&three.wav"});
    TMyPlaylistModel model(playlist);
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(Line(model, 2), QStringLiteral("3: &three.wav"));
    model.SetFolderName(true);
    EXPECT_EQ(Line(model, 2), QStringLiteral("3: /c/&three.wav"));

    // The entries change under the model: the lines follow at once (nothing is copied), the
    // count at the next refresh; a row beyond the shrunk list reads empty meanwhile.
    playlist.Delete(0);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(Line(model, 0), QStringLiteral("1: /b/two.mp4"));
    EXPECT_EQ(Line(model, 2), QStringLiteral("3: "));
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.SetCount();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_FALSE(model.data(model.index(2), Qt::DisplayRole).isValid());
}

TEST(PlaylistModelTest, TheCurrentEntryIsBoldAndOnlyItsRowsRepaint) {
    TMyWStrings playlist;
    Fill(playlist, {u"a", u"b", u"c"});
    TMyPlaylistModel model(playlist);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.SetItemIndex(1);
    EXPECT_TRUE(Bold(model, 1));
    EXPECT_FALSE(Bold(model, 0));
    model.SetItemIndex(2);
    EXPECT_FALSE(Bold(model, 1));
    EXPECT_TRUE(Bold(model, 2));
    EXPECT_EQ(changed.count(), 3); // row 1; then rows 1 and 2
    model.SetItemIndex(-1);
    model.SetItemIndex(99); // out of the list: nothing to repaint, nothing bold
    EXPECT_EQ(changed.count(), 4);
    EXPECT_FALSE(Bold(model, 2));
}

} // namespace
} // namespace skivra::test
