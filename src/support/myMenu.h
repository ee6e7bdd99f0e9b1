#pragma once

#include <QString>

class QAction;
class QMenu;

namespace skivra {

// Menu entries addressed by command id or by position, the way the task bar menu copies and
// updates its entries. The id of an entry is kept on its QAction (see MenuItemId); 0 is no
// id. Functions that look an entry up by id search the menu and its sub-menus, like the
// platform menus they stand in for, and do nothing (or give the neutral result) when no
// entry has the id. UI thread only.

// The command id of an entry; 0 when it has none.
int MenuItemId(const QAction* pAction);
void SetMenuItemId(QAction* pAction, int iId);

// A pop-up entry opening pPopup, inserted at iPos (appended when iPos is past the end).
QAction* InsertPopupMenuAt(QMenu* pMenu, QMenu* pPopup, const QString& sCaption, int iPos);
// A plain entry with a check mark when checked, greyed when not enabled, drawn bold when it
// is the menu's default entry.
QAction* InsertMenuStringItemAt(QMenu* pMenu, int iId, const QString& sCaption, int iPos,
                                bool bDefault, bool bEnabled, bool bChecked);
// The same, drawn with a bullet instead of a tick when checked.
QAction* InsertMenuRadioItemAt(QMenu* pMenu, int iId, const QString& sCaption, int iPos,
                               bool bDefault, bool bEnabled, bool bChecked);
QAction* InsertMenuSeparatorAt(QMenu* pMenu, int iPos);

QAction* AppendPopupMenu(QMenu* pMenu, QMenu* pPopup, const QString& sCaption);
QAction* AppendMenuStringItem(QMenu* pMenu, int iId, const QString& sCaption, bool bDefault,
                              bool bEnabled, bool bChecked);
QAction* AppendMenuRadioItem(QMenu* pMenu, int iId, const QString& sCaption, bool bDefault,
                             bool bEnabled, bool bChecked);
QAction* AppendMenuSeparator(QMenu* pMenu);

// The entry with the id in the menu or its sub-menus; nullptr when none has it.
QAction* FindMenuItem(const QMenu* pMenu, int iId);

QString GetMenuItemCaption(const QMenu* pMenu, int iId); // empty when not found
void SetMenuItemCaption(QMenu* pMenu, int iId, const QString& sCaption);
bool GetMenuItemChecked(const QMenu* pMenu, int iId);
void SetMenuItemChecked(QMenu* pMenu, int iId, bool bChecked);
bool GetMenuItemEnabled(const QMenu* pMenu, int iId); // false when not found
void SetMenuItemEnabled(QMenu* pMenu, int iId, bool bEnabled);
// By position among the menu's own entries (sub-menus not entered); out of range: nothing.
void SetMenuItemEnabledByPos(QMenu* pMenu, int iPos, bool bEnabled);

} // namespace skivra
