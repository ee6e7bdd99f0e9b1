#include "app/myMonitorWatch.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>

#include "platform/x11/myX11Monitors.h"

namespace skivra {

TMyMonitorWatch::TMyMonitorWatch(QObject* pParent)
    : QObject(pParent), FSource(TMyX11MonitorSource::Open()) {
    if (!FSource) {
        return;
    }
    SetMonitorSource(FSource);
    auto* pNotifier = new QSocketNotifier(FSource->EventFd(), QSocketNotifier::Read, this);
    const auto dispatch = [this] {
        FSource->DispatchEvents();
    };
    connect(pNotifier, &QSocketNotifier::activated, this, dispatch);
    if (auto* pDispatcher = QAbstractEventDispatcher::instance(thread())) {
        connect(pDispatcher, &QAbstractEventDispatcher::aboutToBlock, this, dispatch);
    }
}

TMyMonitorWatch::~TMyMonitorWatch() {
    if (FSource && GetMonitorSource() == FSource.get()) {
        SetMonitorSource(nullptr);
    }
}

} // namespace skivra
