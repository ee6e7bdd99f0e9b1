#include "support/myTaskBarMenu.h"

#include "support/myMenu.h"
#include "support/myProgram.h"

#include <QActionGroup>
#include <QMenu>

namespace skivra {

namespace {

bool IsRadioItem(const QAction* pItem) {
    const QActionGroup* pGroup = pItem->actionGroup();
    return pGroup && pGroup->isExclusive();
}

} // namespace

// ---- TMyTaskBarMenuItem -----------------------------------------------------------------

TMyTaskBarMenuItem::TMyTaskBarMenuItem(TMyTaskBarMenu* pTaskBarMenu, QAction* pMenuItem,
                                       QMenu* pParentMenu, QAction* pEntry, int iMenuItemId,
                                       bool bHasAction)
    : FTaskBarMenu(pTaskBarMenu), FMenuItem(pMenuItem), FhParentMenu(pParentMenu), FEntry(pEntry),
      FiMenuItemId(iMenuItemId), FbHasAction(bHasAction) {
    FsLinkedCaption = pEntry->text();
    FbLinkedChecked = pEntry->isChecked();
    FbLinkedEnabled = pEntry->isEnabled();
    if (FbHasAction) {
        connect(pMenuItem, &QAction::changed, this, &TMyTaskBarMenuItem::ActionChanged);
        CopyFromAction();
    }
}

QString TMyTaskBarMenuItem::Caption() const {
    return FEntry->text();
}

void TMyTaskBarMenuItem::SetCaption(const QString& sCaption) {
    QString sText = sCaption;
    if (FTaskBarMenu->OnSetCaption()) {
        FTaskBarMenu->OnSetCaption()(FMenuItem, sText);
    }
    FEntry->setText(sText);
}

bool TMyTaskBarMenuItem::Checked() const {
    return FEntry->isChecked();
}

void TMyTaskBarMenuItem::SetChecked(bool bChecked) {
    if (bChecked) {
        FEntry->setCheckable(true);
    }
    FEntry->setChecked(bChecked);
}

bool TMyTaskBarMenuItem::Enabled() const {
    return FEntry->isEnabled();
}

void TMyTaskBarMenuItem::SetEnabled(bool bEnabled) {
    FEntry->setEnabled(bEnabled);
}

void TMyTaskBarMenuItem::CopyFromAction() {
    if (!FMenuItem) {
        return;
    }
    SetCaption(FMenuItem->text());
    FsLinkedCaption = FEntry->text();
    // The entry shows a mark cell exactly when the action can carry a mark.
    FEntry->setCheckable(FMenuItem->isCheckable());
    SetChecked(FMenuItem->isChecked());
    FbLinkedChecked = Checked();
    SetEnabled(FMenuItem->isEnabled());
    FbLinkedEnabled = Enabled();
}

void TMyTaskBarMenuItem::ActionChanged() {
    if (!FMenuItem) {
        return;
    }
    // A property follows the action only while the entry still shows what it last copied;
    // captions are compared without case, as the platform menus compare them.
    if (Caption().compare(FsLinkedCaption, Qt::CaseInsensitive) == 0 &&
        FMenuItem->text() != FsLinkedCaption) {
        SetCaption(FMenuItem->text());
        FsLinkedCaption = Caption();
    }
    if (Checked() == FbLinkedChecked && FMenuItem->isChecked() != FbLinkedChecked) {
        SetChecked(FMenuItem->isChecked());
        FbLinkedChecked = Checked();
    }
    if (Enabled() == FbLinkedEnabled && FMenuItem->isEnabled() != FbLinkedEnabled) {
        SetEnabled(FMenuItem->isEnabled());
        FbLinkedEnabled = Enabled();
    }
}

// ---- TMyTaskBarMenu ---------------------------------------------------------------------

TMyTaskBarMenu::TMyTaskBarMenu(QMenu* pMenu, QMenu* pSystemMenu,
                               TMyTaskBarMenuSetCaption setCaption, bool bSubMenu, QObject* pParent)
    : QObject(pParent), FhSystemMenu(pSystemMenu), FOnSetCaption(std::move(setCaption)),
      FbSubMenu(bSubMenu) {
    if (pMenu && pSystemMenu) {
        AddTaskBarMenuItems(pMenu, pSystemMenu);
    }
}

TMyTaskBarMenu::~TMyTaskBarMenu() {
    // Take out only what this object put into the target, then the pop-ups it made; the
    // target menu itself belongs to its owner.
    for (auto it = FTopLevelEntries.rbegin(); it != FTopLevelEntries.rend(); ++it) {
        if (!*it || !FhSystemMenu) {
            continue;
        }
        FhSystemMenu->removeAction(*it);
        if ((*it)->parent() == FhSystemMenu) {
            delete it->data();
        }
    }
    while (!FTaskBarMenuItemList.empty()) {
        FTaskBarMenuItemList.pop_back();
    }
    while (!FTaskBarSubMenuList.empty()) {
        FTaskBarSubMenuList.pop_back();
    }
}

QString TMyTaskBarMenu::CopiedCaption(QAction* pItem, bool bHasAction) const {
    QString sCaption = pItem->text();
    if (FOnSetCaption && !bHasAction) {
        FOnSetCaption(pItem, sCaption);
    }
    return sCaption;
}

TMyTaskBarMenuItem* TMyTaskBarMenu::Record(QAction* pItem, QMenu* pTarget, QAction* pEntry,
                                           bool bHasAction) {
    const int iId = FiNextId++;
    SetMenuItemId(pEntry, iId);
    if (pTarget == FhSystemMenu) {
        FTopLevelEntries.emplace_back(pEntry);
    }
    // Choosing an entry must not toggle the entry by itself: its mark comes from the action
    // (Execute toggles that), so the entry's own toggle is undone before the command goes
    // out.
    connect(pEntry, &QAction::triggered, this, [this, pEntry, iId](bool bChecked) {
        if (pEntry->isCheckable()) {
            pEntry->setChecked(!bChecked);
        }
        emit Chosen(iId);
    });
    FTaskBarMenuItemList.push_back(
        std::make_unique<TMyTaskBarMenuItem>(this, pItem, pTarget, pEntry, iId, bHasAction));
    return FTaskBarMenuItemList.back().get();
}

void TMyTaskBarMenu::AddTaskBarMenuItems(QMenu* pSource, QMenu* pTarget) {
    // The root: in sub-menu mode one pop-up with the product name and a separator open the
    // target menu; otherwise the root's items go straight into it.
    QMenu* pOwn = pTarget;
    if (FbSubMenu) {
        FTaskBarSubMenuList.push_back(std::make_unique<QMenu>());
        pOwn = FTaskBarSubMenuList.back().get();
        const QString sProduct = QString::fromStdU16String(GetProgramProductName());
        QAction* pSeparator = InsertMenuSeparatorAt(pTarget, 0);
        QAction* pPopup = InsertPopupMenuAt(pTarget, pOwn, sProduct, 0);
        FTopLevelEntries.emplace_back(pPopup);
        FTopLevelEntries.emplace_back(pSeparator);
    }
    for (QAction* pItem : pSource->actions()) {
        AddTaskBarMenuItem(pSource, pItem, pOwn);
    }
}

void TMyTaskBarMenu::AddTaskBarMenuItem(QMenu* pSource, QAction* pItem, QMenu* pTarget) {
    if (!pItem->isVisible()) {
        return; // with everything below it
    }
    if (QMenu* pChildMenu = pItem->menu()) {
        FTaskBarSubMenuList.push_back(std::make_unique<QMenu>());
        QMenu* pOwn = FTaskBarSubMenuList.back().get();
        QAction* pEntry = AppendPopupMenu(pTarget, pOwn, CopiedCaption(pItem, false));
        pEntry->setEnabled(pItem->isEnabled());
        Record(pItem, pTarget, pEntry, false);
        for (QAction* pChild : pChildMenu->actions()) {
            AddTaskBarMenuItem(pChildMenu, pChild, pOwn);
        }
        return;
    }
    QAction* pEntry = nullptr;
    if (pItem->isSeparator()) {
        pEntry = AppendMenuSeparator(pTarget);
        Record(pItem, pTarget, pEntry, false);
        return;
    }
    const bool bDefault = pSource->defaultAction() == pItem;
    const QString sCaption = CopiedCaption(pItem, true);
    if (IsRadioItem(pItem)) {
        pEntry = AppendMenuRadioItem(pTarget, 0, sCaption, bDefault, pItem->isEnabled(),
                                     pItem->isChecked());
    } else {
        pEntry = AppendMenuStringItem(pTarget, 0, sCaption, bDefault, pItem->isEnabled(),
                                      pItem->isChecked());
    }
    pEntry->setCheckable(pItem->isCheckable());
    pEntry->setChecked(pItem->isChecked());
    Record(pItem, pTarget, pEntry, true);
}

TMyTaskBarMenuItem* TMyTaskBarMenu::FindItem(const QAction* pMenuItem) const {
    for (const auto& pItem : FTaskBarMenuItemList) {
        if (pItem->MenuItem() == pMenuItem) {
            return pItem.get();
        }
    }
    return nullptr;
}

TMyTaskBarMenuItem* TMyTaskBarMenu::FindItemById(int iItemID) const {
    for (const auto& pItem : FTaskBarMenuItemList) {
        if (pItem->MenuItemID() == iItemID) {
            return pItem.get();
        }
    }
    return nullptr;
}

bool TMyTaskBarMenu::Execute(int iItemID) {
    if (iItemID >= kFirstSystemCommand) {
        return false;
    }
    TMyTaskBarMenuItem* pItem = FindItemById(iItemID);
    if (!pItem) {
        return false;
    }
    QAction* pAction = pItem->MenuItem();
    // trigger() is the action's own click: an auto-check action toggles its mark first,
    // then its handlers run with the action as the sender.
    if (pAction && pItem->HasAction()) {
        pAction->trigger();
    }
    return true;
}

void TMyTaskBarMenu::SetCheckMenuItem(QAction* pMenuItem) {
    if (!pMenuItem) {
        return;
    }
    if (QMenu* pChildMenu = pMenuItem->menu()) {
        for (QAction* pChild : pChildMenu->actions()) {
            SetCheckMenuItem(pChild);
        }
        return;
    }
    if (TMyTaskBarMenuItem* pItem = FindItem(pMenuItem)) {
        pItem->SetChecked(pMenuItem->isChecked());
    }
}

void TMyTaskBarMenu::SetEnableMenuItem(QAction* pMenuItem) {
    // The entry is addressed directly, so a hidden sibling before a sub-menu entry can
    // never make the state land on a neighbour.
    if (TMyTaskBarMenuItem* pItem = FindItem(pMenuItem)) {
        pItem->SetEnabled(pMenuItem->isEnabled());
    }
}

} // namespace skivra
