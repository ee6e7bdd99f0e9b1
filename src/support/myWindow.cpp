#include "support/myWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QItemSelectionModel>
#include <QWidget>
#include <algorithm>

namespace skivra {

namespace {

// The ASCII-only upper-casing the program's names compare with.
QString AsciiUpper(const QString& s) {
    QString sResult = s;
    for (QChar& c : sResult) {
        if (c >= u'a' && c <= u'z') {
            c = QChar(c.unicode() - u'a' + u'A');
        }
    }
    return sResult;
}

bool NameBelow(const QObject* pObject, const QString& sUpper) {
    for (const QObject* pChild : pObject->children()) {
        if (AsciiUpper(pChild->objectName()) == sUpper || NameBelow(pChild, sUpper)) {
            return true;
        }
    }
    return false;
}

QWidget* SearchChildAtPoint(QPoint ptScreen, QWidget* pControl) {
    const QObjectList& children = pControl->children();
    // The last child is drawn on top: visit from the top of the stack down.
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        auto* pChild = qobject_cast<QWidget*>(*it);
        if (!pChild || pChild->isWindow()) {
            continue;
        }
        if (GetControlScreenRect(pChild).contains(ptScreen)) {
            QWidget* pDeeper = SearchChildAtPoint(ptScreen, pChild);
            return pDeeper ? pDeeper : pChild;
        }
    }
    return nullptr;
}

} // namespace

QRect GetControlScreenRect(const QWidget* pControl) {
    if (pControl->isWindow()) {
        return pControl->frameGeometry();
    }
    return QRect(pControl->mapToGlobal(QPoint(0, 0)), pControl->size());
}

QRect GetClientScreenRect(const QWidget* pControl) {
    return QRect(pControl->mapToGlobal(QPoint(0, 0)), pControl->size());
}

QWidget* FindControlAtPoint(QPoint ptScreen, QWidget* pControl) {
    if (GetControlScreenRect(pControl).contains(ptScreen) &&
        !GetClientScreenRect(pControl).contains(ptScreen)) {
        return pControl;
    }
    QWidget* pFound = SearchChildAtPoint(ptScreen, pControl);
    return pFound ? pFound : pControl;
}

bool ComponentNameExists(const QString& sName, const QObject* pRoot) {
    const QString sUpper = AsciiUpper(sName);
    if (pRoot) {
        return NameBelow(pRoot, sUpper);
    }
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [&](const QWidget* pWindow) {
        return AsciiUpper(pWindow->objectName()) == sUpper || NameBelow(pWindow, sUpper);
    });
}

QString MakeUniqueComponentName(const QString& sBase, const QObject* pRoot, int* pNext) {
    for (int i = 0;; ++i) {
        const QString sName = QStringLiteral("%1_%2").arg(sBase).arg(i);
        if (!ComponentNameExists(sName, pRoot)) {
            if (pNext) {
                *pNext = i + 1;
            }
            return sName;
        }
    }
}

void MoveWindowTo(QWidget* pWindow, int iLeft, int iTop, int iWidth, int iHeight) {
    const bool bNoActivate = pWindow->testAttribute(Qt::WA_ShowWithoutActivating);
    pWindow->setAttribute(Qt::WA_ShowWithoutActivating, true);
    pWindow->move(iLeft, iTop);
    pWindow->resize(iWidth, iHeight);
    pWindow->setAttribute(Qt::WA_ShowWithoutActivating, bNoActivate);
}

int GetFirstSelected(const QAbstractItemView* pList) {
    const QItemSelectionModel* pSelection = pList->selectionModel();
    if (!pSelection) {
        return -1;
    }
    const QModelIndexList rows = pSelection->selectedRows();
    if (rows.isEmpty()) {
        return -1;
    }
    const bool bMulti = pList->selectionMode() != QAbstractItemView::SingleSelection &&
                        pList->selectionMode() != QAbstractItemView::NoSelection;
    if (bMulti && rows.size() == 1 && pList->currentIndex().row() == rows.first().row()) {
        return pList->currentIndex().row();
    }
    int iFirst = rows.first().row();
    for (const QModelIndex& index : rows) {
        iFirst = std::min(iFirst, index.row());
    }
    return iFirst;
}

int GetFocusedSelection(const QAbstractItemView* pList) {
    const bool bMulti = pList->selectionMode() != QAbstractItemView::SingleSelection &&
                        pList->selectionMode() != QAbstractItemView::NoSelection;
    if (!bMulti) {
        return pList->currentIndex().isValid() ? pList->currentIndex().row() : -1;
    }
    const QItemSelectionModel* pSelection = pList->selectionModel();
    if (!pSelection || !pSelection->hasSelection()) {
        return -1;
    }
    const QModelIndex current = pList->currentIndex();
    if (current.isValid() && pSelection->isRowSelected(current.row(), current.parent())) {
        return current.row();
    }
    return GetFirstSelected(pList);
}

} // namespace skivra
