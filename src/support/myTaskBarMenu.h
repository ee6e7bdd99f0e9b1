#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;

namespace skivra {

class TMyTaskBarMenu;

// Lets the owner change a caption before it is copied (the item, the caption to change).
using TMyTaskBarMenuSetCaption = std::function<void(QAction* pMenuItem, QString& sCaption)>;

// Commands of the window system's own menu (restore, minimise, close) start here; ids below
// belong to copied entries.
constexpr int kFirstSystemCommand = 0xF000;

// One copied entry (separators and sub-menu entries included). It follows the action
// behind its item for caption, check mark and enabled state, but only while the entry
// still shows what it last copied: an entry whose state was changed directly stops
// following the action for that property. Hiding an action never hides or removes it.
class TMyTaskBarMenuItem : public QObject {
    Q_OBJECT
public:
    TMyTaskBarMenuItem(TMyTaskBarMenu* pTaskBarMenu, QAction* pMenuItem, QMenu* pParentMenu,
                       QAction* pEntry, int iMenuItemId, bool bHasAction);

    QAction* MenuItem() const { return FMenuItem; }
    QMenu* ParentMenu() const { return FhParentMenu; }
    QAction* Entry() const { return FEntry; }
    int MenuItemID() const { return FiMenuItemId; }
    bool HasAction() const { return FbHasAction; }

    QString Caption() const;
    void SetCaption(const QString& sCaption);
    bool Checked() const;
    void SetChecked(bool bChecked);
    bool Enabled() const;
    void SetEnabled(bool bEnabled);

    // Copies the action's caption, check mark and enabled state now.
    void CopyFromAction();

private:
    void ActionChanged();

    TMyTaskBarMenu* FTaskBarMenu;
    QPointer<QAction> FMenuItem;
    QMenu* FhParentMenu;
    QAction* FEntry;
    int FiMenuItemId;
    bool FbHasAction;
    // What the entry last took from the action: the link for a property holds while the
    // entry still shows that value.
    QString FsLinkedCaption;
    bool FbLinkedChecked = false;
    bool FbLinkedEnabled = true;
};

// A copy of a menu, item by item, in the window system's menu of the program (here the
// notification-area icon's menu, the home that the task bar button's menu has on these
// desktops). Items are copied once; the copy keeps in step with the actions as described
// for TMyTaskBarMenuItem, and a chosen entry's command is turned back into its item's
// action by Execute. In sub-menu mode the copy is one pop-up, captioned with the product
// name, followed by a separator, at the top of the target menu; otherwise the root's items
// are appended to the target. Destroying the object puts the target back as it was.
// UI thread only.
class TMyTaskBarMenu : public QObject {
    Q_OBJECT
public:
    TMyTaskBarMenu(QMenu* pMenu, QMenu* pSystemMenu, TMyTaskBarMenuSetCaption setCaption,
                   bool bSubMenu, QObject* pParent = nullptr);
    ~TMyTaskBarMenu() override;

    // Runs the copied entry with that command id: an auto-check action toggles its mark and
    // is executed with itself as the sender. A system command (kFirstSystemCommand and up)
    // or an unknown id gives false and does nothing.
    bool Execute(int iItemID);

    // Copies the item's check mark to its entry (for an item with a sub-menu: every child's,
    // recursively).
    void SetCheckMenuItem(QAction* pMenuItem);
    // Copies the item's enabled state to its entry.
    void SetEnableMenuItem(QAction* pMenuItem);

    const TMyTaskBarMenuSetCaption& OnSetCaption() const { return FOnSetCaption; }
    void SetOnSetCaption(TMyTaskBarMenuSetCaption setCaption) {
        FOnSetCaption = std::move(setCaption);
    }

    int Count() const { return static_cast<int>(FTaskBarMenuItemList.size()); }
    TMyTaskBarMenuItem* Items(int iIndex) const { return FTaskBarMenuItemList.at(iIndex).get(); }
    // The entry copied from the item; nullptr when it has none.
    TMyTaskBarMenuItem* FindItem(const QAction* pMenuItem) const;
    TMyTaskBarMenuItem* FindItemById(int iItemID) const;
    QMenu* SystemMenu() const { return FhSystemMenu; }

signals:
    // The user chose a copied entry: the owner hands the id to Execute (with the window
    // system's own commands, which Execute declines).
    void Chosen(int iItemID);

private:
    void AddTaskBarMenuItems(QMenu* pSource, QMenu* pTarget);
    void AddTaskBarMenuItem(QMenu* pSource, QAction* pItem, QMenu* pTarget);
    QString CopiedCaption(QAction* pItem, bool bHasAction) const;
    TMyTaskBarMenuItem* Record(QAction* pItem, QMenu* pTarget, QAction* pEntry, bool bHasAction);

    QMenu* FhSystemMenu;
    TMyTaskBarMenuSetCaption FOnSetCaption;
    bool FbSubMenu;
    int FiNextId = 1;
    std::vector<std::unique_ptr<TMyTaskBarMenuItem>> FTaskBarMenuItemList;
    // The pop-up menus this object created; each is deleted exactly once, here.
    std::vector<std::unique_ptr<QMenu>> FTaskBarSubMenuList;
    // What was put directly into the target menu, so that destruction takes out only that.
    std::vector<QPointer<QAction>> FTopLevelEntries;
};

} // namespace skivra
