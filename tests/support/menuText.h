#pragma once

#include <QMenu>
#include <QStringList>

namespace skivra::test {

// The entries of a menu as one line of text: captions, "-" for separators, "*" after the
// default entry, "[x]" after a checked one, "(off)" after a greyed one, sub-menus in
// braces; entries whose action is hidden are left out unless bHidden is set.
inline QString DescribeMenu(const QMenu* pMenu, bool bHidden = false) {
    QStringList parts;
    for (const QAction* pAction : pMenu->actions()) {
        if (!bHidden && !pAction->isVisible()) {
            continue;
        }
        if (pAction->isSeparator()) {
            parts << QStringLiteral("-");
            continue;
        }
        QString s = pAction->text();
        if (pMenu->defaultAction() == pAction) {
            s += u'*';
        }
        if (pAction->isChecked()) {
            s += QStringLiteral("[x]");
        }
        if (pAction->isVisible() && !pAction->isEnabled()) { // hidden ones read as disabled
            s += QStringLiteral("(off)");
        }
        if (pAction->menu()) {
            s += QStringLiteral("{") + DescribeMenu(pAction->menu(), bHidden) + QStringLiteral("}");
        }
        parts << s;
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace skivra::test
