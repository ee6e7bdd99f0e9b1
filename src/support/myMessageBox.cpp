#include "support/myMessageBox.h"

#include "support/myProgram.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace skivra {

namespace {

TMyMessageBoxHook& Hook() {
    static TMyMessageBoxHook hook;
    return hook;
}

int ShowRealBox(const QString& sText, const QString& sCaption, int iFlags) {
    QWidget* owner = QApplication::activeWindow();
    if (owner) {
        owner->raise();
    }
    QMessageBox box(owner);
    box.setWindowTitle(sCaption);
    box.setText(sText);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const bool bSecond = (iFlags & MB_DEFBUTTON2) != 0;
    switch (iFlags & 0x0F) {
    case MB_YESNO:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(bSecond ? QMessageBox::No : QMessageBox::Yes);
        break;
    case MB_YESCANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
        box.setDefaultButton(bSecond ? QMessageBox::Cancel : QMessageBox::Yes);
        break;
    case MB_OKCANCEL:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(bSecond ? QMessageBox::Cancel : QMessageBox::Ok);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    if ((iFlags & 0xF0) == MB_ICONQUESTION) {
        box.setIcon(QMessageBox::Question);
    } else if ((iFlags & 0xF0) == MB_ICONWARNING) {
        box.setIcon(QMessageBox::Warning);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    case QMessageBox::Cancel:
        return IDCANCEL;
    default:
        return IDOK;
    }
}

} // namespace

void SetMessageBoxHook(TMyMessageBoxHook hook) {
    Hook() = std::move(hook);
}

int ShowTopMessageBox(const QString& sText, const QString& sCaption, int iFlags) {
    if (Hook()) {
        return Hook()(sText, sCaption, iFlags);
    }
    return ShowRealBox(sText, sCaption, iFlags);
}

void ShowProgramMessage(const QString& sText) {
    ShowTopMessageBox(sText, QString::fromStdU16String(GetProgramProductName()), MB_OK);
}

} // namespace skivra
