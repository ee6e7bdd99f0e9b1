#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

class QAbstractItemView;
class QObject;
class QWidget;

namespace skivra {

// Control geometry in screen coordinates, the control under a point, unique component
// names and list selections, as the main window, the drop handling and the history menus
// use them. Rectangles are Qt's (inclusive right and bottom edges); containment is
// QRect::contains, which agrees with left/top inclusive, right/bottom exclusive for the
// pixel grid. UI thread only.

// The control's frame in screen coordinates (a window: its frame, title bar included).
QRect GetControlScreenRect(const QWidget* pControl);
// The control's client area (for a window: without the frame) in screen coordinates.
QRect GetClientScreenRect(const QWidget* pControl);

// The deepest control under a screen point, searching from pControl: a point on the
// control's frame but outside its client area (a window's title bar) is the control
// itself; otherwise its children are searched from the topmost (the last in stacking
// order) down, entering a child whose rectangle holds the point. Visibility is not
// considered, as the drop handling wants the control that owns the place. When no child
// holds the point, the answer is the control itself.
QWidget* FindControlAtPoint(QPoint ptScreen, QWidget* pControl);

// Whether any object below pRoot (the application's windows when nullptr) has that object
// name, comparing after upper-casing the ASCII letters a to z only.
bool ComponentNameExists(const QString& sName, const QObject* pRoot = nullptr);
// The first of base + "_0", base + "_1", ... that no object uses; *pNext, when given,
// receives the number one above the suffix used.
QString MakeUniqueComponentName(const QString& sBase, const QObject* pRoot = nullptr,
                                int* pNext = nullptr);

// Moves and sizes a window without raising or activating it.
void MoveWindowTo(QWidget* pWindow, int iLeft, int iTop, int iWidth, int iHeight);

// The first selected row from the top; with exactly one selected row in a view that allows
// several, the current row when it is the selected one. -1 when nothing is selected.
int GetFirstSelected(const QAbstractItemView* pList);
// The current row when it is selected; otherwise GetFirstSelected. A view that allows one
// selection only answers its current row.
int GetFocusedSelection(const QAbstractItemView* pList);

} // namespace skivra
