#include "app/mainHistory.h"

#include "app/mySettingsValues.h"
#include "lists/myString.h"
#include "support/myPath.h"
#include "support/myWindow.h"

#include <QAction>
#include <QMenu>

namespace skivra {

namespace {

QString HistoryCaption(const QString& sPath) {
    QString sCaption = sPath.endsWith(u'/')
                           ? sPath
                           : QString::fromStdU16String(GetFileNamePart(sPath.toStdU16String()));
    if (sCaption.isEmpty()) {
        sCaption = sPath;
    }
    // A "&" in a file name is text, not the menu's access key.
    return sCaption.replace(u'&', QStringLiteral("&&"));
}

void RemoveItem(QMenu* pMenu, QAction* pItem) {
    pMenu->removeAction(pItem);
    // The item may be the one whose click runs right now: it goes once the click is over,
    // and frees its name at once for the next entry.
    pItem->setObjectName(QString());
    pItem->deleteLater();
}

} // namespace

QString HistoryPath(const QAction* pItem) {
    return pItem ? pItem->statusTip() : QString();
}

QStringList HistoryPaths(const QMenu* pMenu) {
    QStringList paths;
    for (const QAction* pItem : pMenu->actions()) {
        paths << HistoryPath(pItem);
    }
    return paths;
}

void AddHistory(const QString& sPath, QMenu* pMenu) {
    if (sPath.isEmpty()) {
        return;
    }
    const std::u16string sKey = sPath.toStdU16String();
    for (QAction* pItem : pMenu->actions()) {
        if (SameTextAscii(HistoryPath(pItem).toStdU16String(), sKey)) {
            RemoveItem(pMenu, pItem);
        }
    }
    auto* pItem = new QAction(HistoryCaption(sPath), pMenu);
    pItem->setObjectName(MakeUniqueComponentName(QStringLiteral("OpenHistory")));
    pItem->setStatusTip(sPath);
    pItem->setToolTip(sPath);
    const QList<QAction*> items = pMenu->actions();
    pMenu->insertAction(items.isEmpty() ? nullptr : items.first(), pItem);
    while (static_cast<std::size_t>(pMenu->actions().size()) > kMaxHistory) {
        RemoveItem(pMenu, pMenu->actions().last());
    }
}

void AddHistoryList(const QStringList& paths, QMenu* pMenu) {
    for (auto it = paths.crbegin(); it != paths.crend(); ++it) {
        AddHistory(*it, pMenu);
    }
}

} // namespace skivra
