// The binder's idle sync: a window of 150 bordered labels shown on the offscreen platform,
// synced again and again with nothing changed. Such a sync only compares the window objects
// with what their widgets show; one that touched the widgets would cost milliseconds.
//
// Usage: binder_sync [syncs]   (default 1000)
// Exit status 1 above 500 microseconds a sync.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/controls.h"
#include "platform/qt/binder.h"
#include "platform/qt/qt_runtime.h"

int main(int argc, char** argv) {
    const int syncs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qv::QtRuntime rt(qv::Environment{});
    qv::QtBinder binder(rt);
    rt.setView(&binder);

    qv::Form f(rt, "Big");
    f.ClientWidth = 9000;
    f.ClientHeight = 6000;
    for (int i = 0; i < 150; ++i) {
        qv::Label& l = f.add<qv::Label>("Cell", i);
        l.Left = (i % 15) * 600;
        l.Top = (i / 15) * 600;
        l.Width = 550;
        l.Height = 300;
        l.Caption = "Cell " + std::to_string(i);
        l.BorderSingle = true;
    }
    f.Show();

    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < syncs; ++i) binder.syncAll();
    const double us = static_cast<double>(clock.nsecsElapsed()) / 1000.0 / syncs;
    std::printf("idle sync of 150 labels: %.1f us a sync over %d syncs (limit 500 us)\n", us, syncs);
    return us <= 500 ? 0 : 1;
}
