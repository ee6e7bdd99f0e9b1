#pragma once

#include <QString>
#include <QStringList>

class QAction;
class QMenu;

namespace skivra {

// The history menus of the open commands: one entry per recent path, newest on top, at
// most ten. An entry keeps its full path as its hint (the status tip); its caption is the
// path when it ends with "/", else the path's last part; its component name is the first
// free "OpenHistory_<n>". The menus' owner reacts to their triggered signal. UI thread only.

// The path of a history entry.
QString HistoryPath(const QAction* pItem);
// Every path of the menu, top to bottom.
QStringList HistoryPaths(const QMenu* pMenu);
// Nothing for an empty path. Otherwise every entry of the same path (ASCII letters
// compared without case) goes, the path is put on top, and the eleventh entry is dropped.
void AddHistory(const QString& sPath, QMenu* pMenu);
// AddHistory from the last path to the first, so the first one ends up on top.
void AddHistoryList(const QStringList& paths, QMenu* pMenu);

} // namespace skivra
