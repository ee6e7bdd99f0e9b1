#include "support/myMenu.h"

#include <QActionGroup>
#include <QMenu>

namespace skivra {

namespace {

constexpr const char* kIdProperty = "skivraMenuItemId";

QAction* EntryAt(QMenu* pMenu, int iPos) {
    const QList<QAction*> entries = pMenu->actions();
    return iPos >= 0 && iPos < entries.size() ? entries[iPos] : nullptr;
}

void InsertAt(QMenu* pMenu, QAction* pAction, int iPos) {
    pMenu->insertAction(EntryAt(pMenu, iPos), pAction);
}

QAction* NewItem(QMenu* pMenu, int iId, const QString& sCaption, bool bDefault, bool bEnabled,
                 bool bChecked) {
    auto* pAction = new QAction(sCaption, pMenu);
    pAction->setProperty(kIdProperty, iId);
    pAction->setEnabled(bEnabled);
    // Only a marked entry shows a mark cell; SetMenuItemChecked makes any entry markable.
    pAction->setCheckable(bChecked);
    pAction->setChecked(bChecked);
    if (bDefault) {
        pMenu->setDefaultAction(pAction);
    }
    return pAction;
}

} // namespace

int MenuItemId(const QAction* pAction) {
    return pAction ? pAction->property(kIdProperty).toInt() : 0;
}

void SetMenuItemId(QAction* pAction, int iId) {
    pAction->setProperty(kIdProperty, iId);
}

QAction* InsertPopupMenuAt(QMenu* pMenu, QMenu* pPopup, const QString& sCaption, int iPos) {
    pPopup->setTitle(sCaption);
    QAction* pAction = pPopup->menuAction();
    InsertAt(pMenu, pAction, iPos);
    return pAction;
}

QAction* InsertMenuStringItemAt(QMenu* pMenu, int iId, const QString& sCaption, int iPos,
                                bool bDefault, bool bEnabled, bool bChecked) {
    QAction* pAction = NewItem(pMenu, iId, sCaption, bDefault, bEnabled, bChecked);
    InsertAt(pMenu, pAction, iPos);
    return pAction;
}

QAction* InsertMenuRadioItemAt(QMenu* pMenu, int iId, const QString& sCaption, int iPos,
                               bool bDefault, bool bEnabled, bool bChecked) {
    QAction* pAction = NewItem(pMenu, iId, sCaption, bDefault, bEnabled, bChecked);
    // A group of one that may be left empty: the style draws a bullet for it, and the mark
    // behaves like any other entry's.
    auto* pGroup = new QActionGroup(pAction);
    pGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    pGroup->addAction(pAction);
    InsertAt(pMenu, pAction, iPos);
    return pAction;
}

QAction* InsertMenuSeparatorAt(QMenu* pMenu, int iPos) {
    auto* pAction = new QAction(pMenu);
    pAction->setSeparator(true);
    InsertAt(pMenu, pAction, iPos);
    return pAction;
}

QAction* AppendPopupMenu(QMenu* pMenu, QMenu* pPopup, const QString& sCaption) {
    return InsertPopupMenuAt(pMenu, pPopup, sCaption, static_cast<int>(pMenu->actions().size()));
}

QAction* AppendMenuStringItem(QMenu* pMenu, int iId, const QString& sCaption, bool bDefault,
                              bool bEnabled, bool bChecked) {
    return InsertMenuStringItemAt(pMenu, iId, sCaption, static_cast<int>(pMenu->actions().size()),
                                  bDefault, bEnabled, bChecked);
}

QAction* AppendMenuRadioItem(QMenu* pMenu, int iId, const QString& sCaption, bool bDefault,
                             bool bEnabled, bool bChecked) {
    return InsertMenuRadioItemAt(pMenu, iId, sCaption, static_cast<int>(pMenu->actions().size()),
                                 bDefault, bEnabled, bChecked);
}

QAction* AppendMenuSeparator(QMenu* pMenu) {
    return InsertMenuSeparatorAt(pMenu, static_cast<int>(pMenu->actions().size()));
}

QAction* FindMenuItem(const QMenu* pMenu, int iId) {
    if (!pMenu || iId == 0) {
        return nullptr;
    }
    for (QAction* pAction : pMenu->actions()) {
        if (MenuItemId(pAction) == iId) {
            return pAction;
        }
        if (QAction* pFound = FindMenuItem(pAction->menu(), iId)) {
            return pFound;
        }
    }
    return nullptr;
}

QString GetMenuItemCaption(const QMenu* pMenu, int iId) {
    const QAction* pAction = FindMenuItem(pMenu, iId);
    return pAction ? pAction->text() : QString();
}

void SetMenuItemCaption(QMenu* pMenu, int iId, const QString& sCaption) {
    if (QAction* pAction = FindMenuItem(pMenu, iId)) {
        pAction->setText(sCaption);
    }
}

bool GetMenuItemChecked(const QMenu* pMenu, int iId) {
    const QAction* pAction = FindMenuItem(pMenu, iId);
    return pAction && pAction->isChecked();
}

void SetMenuItemChecked(QMenu* pMenu, int iId, bool bChecked) {
    if (QAction* pAction = FindMenuItem(pMenu, iId)) {
        if (bChecked) {
            pAction->setCheckable(true);
        }
        pAction->setChecked(bChecked);
    }
}

bool GetMenuItemEnabled(const QMenu* pMenu, int iId) {
    const QAction* pAction = FindMenuItem(pMenu, iId);
    return pAction && pAction->isEnabled();
}

void SetMenuItemEnabled(QMenu* pMenu, int iId, bool bEnabled) {
    if (QAction* pAction = FindMenuItem(pMenu, iId)) {
        pAction->setEnabled(bEnabled);
    }
}

void SetMenuItemEnabledByPos(QMenu* pMenu, int iPos, bool bEnabled) {
    if (QAction* pAction = EntryAt(pMenu, iPos)) {
        pAction->setEnabled(bEnabled);
    }
}

} // namespace skivra
